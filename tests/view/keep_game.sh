#!/usr/bin/env bash
# The window program keeps the person's game across runs however it ends: closed by SIGTERM,
# killed by SIGKILL a second after the last change; with --fresh it keeps nothing, and a second
# window leaves the first one's game alone. Everything under a temporary folder.
# Usage: keep_game.sh QUORIX (under QT_QPA_PLATFORM=offscreen).
set -uo pipefail
quorix=$1
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_STATE_HOME=$work/state \
       XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work
game=$work/state/quorix/saved-game.txt
backup=$work/state/quorix/saved-game.backup.txt
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }
a=53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79
b=..53.....8......2..7..1.5..4....53...1..7...6..32...8..6.5....9..4....3......97..
c=1....7.9..3..2...8..96..5....53..9...1..8...26....4...3......1..4......7..7...3..

start() { "$quorix" "$@" 2>>"$work/err" & pids+=($!); last=$!; }
# Whether the board in the saved game FILE (not a step of its undo history, which follows)
# shows $2 (`1`..`9`, `-` when empty) on its first square.
shows() { grep -m1 "^sq 0 " "$1" 2>/dev/null | grep -q "^sq 0 $2 "; }
first_square() { shows "$game" "$1"; }
# Waits until the saved game's first square shows $1: the window is up and has written the
# game (half a second after a change), however slow the machine (at most 30 s).
written() {
    for _ in $(seq 300); do first_square "$1" && return 0; sleep 0.1; done
    return 1
}

start "$a"
written 5
kill -TERM "$last"; wait "$last"; rc=$?
[ "$rc" -eq 0 ] || fail "SIGTERM: exited $rc instead of closing"
[ -f "$game" ] && first_square 5 || fail "SIGTERM: the game given was not kept"

start "$b"
written - || fail "the game given was not written within 30 s"
kill -KILL "$last"; wait "$last" 2>/dev/null
first_square - || fail "SIGKILL after the change was written: the game was not kept"
shows "$backup" 5 || fail "the game replaced was not kept as the backup"

# The lock the killed program left behind is no one's: the next window takes it.
start "$c"
written 1
kill -TERM "$last"; wait "$last"
first_square 1 || fail "after SIGKILL the next window did not keep its game"

start --fresh "$a"
sleep 1.5
kill -TERM "$last"; wait "$last"
first_square 1 || fail "--fresh wrote over the saved game"

start
first=$last
sleep 1
start "$a"
sleep 1.5
kill -TERM "$last"; wait "$last"
first_square 1 || fail "a second window wrote over the first one's game"
kill -TERM "$first"; wait "$first"
first_square 1 || fail "the first window, resumed and closed, lost the game"
shows "$backup" 1 && fail "a second window replaced the backup"

# A saved game named on the command line takes the game's place; the game becomes the backup.
cp "$game" "$work/copy.txt"
sed -i 's/^sq 0 1 /sq 0 2 /' "$work/copy.txt"
start "$work/copy.txt"
written 2 || fail "a saved game named did not take the game's place"
kill -TERM "$last"; wait "$last"
shows "$backup" 1 || fail "a saved game named did not keep the game as the backup"
exit $failed
