#!/usr/bin/env bash
# The command-line tools never report a failure as success: an output that cannot be written,
# a directory given as input, a bad scheduled command, a file that is not there. Each case must
# exit non-zero with a one-line reason on standard error.
# Usage: tests/tool_faults.sh BIN_DIR PUZZLE_DIR
set -uo pipefail
bin=$1
puzzles=$2
# shellcheck source=SCRIPTDIR/check_support.sh
source "$(dirname "$0")/check_support.sh"

script=$work/script.txt
printf 'enter %s\nclick Auto\nshow\n' "$(head -n 1 "$puzzles/hard-95.txt")" >"$script"

expect "trace into a full disk" 2 "cannot write" \
    sh -c "'$bin/quorix-trace' <'$script' >/dev/full"
expect "trace reading a directory" 2 "directory" sh -c "'$bin/quorix-trace' <'$work'"
expect "trace with a bad scheduled square" 1 "^line 2: usage: square <0\.\.80>$" \
    sh -c "printf 'click Start\nat 1 square 99\nclick Auto\n' | '$bin/quorix-trace'"
expect "trace with a bad scheduled click" 1 "^line 1: unknown command button 'Bogus'$" \
    sh -c "printf 'at 1 click Bogus\n' | '$bin/quorix-trace'"
long=$(head -c 4000 /dev/zero | tr '\0' 'x')
expect "trace quotes a long line short" 1 "^line 1: unknown command 'x{40}'\.\.\.$" \
    sh -c "printf '%s\n' '$long' | '$bin/quorix-trace'"
expect "trace refuses a line too long" 1 "^line 2: the line is too long: 100000 characters$" \
    sh -c "{ echo 'click Check'; head -c 100000 /dev/zero | tr '\0' 'x'; echo; } | '$bin/quorix-trace'"
expect "trace reading a stream without line breaks" 2 "^line 1 has no line break within 1 MiB$" \
    sh -c "timeout 60 '$bin/quorix-trace' </dev/zero"
expect "trace escapes control bytes" 1 "^line 1: unknown command '\\\\x1B\[2J'$" \
    sh -c "printf '\033[2J\n' | '$bin/quorix-trace'"

expect "bench into a full disk" 2 "cannot write" \
    sh -c "'$bin/quorix-bench' '$puzzles/edge-valid-4.txt' >/dev/full"
expect "bench given a directory" 2 "is a directory" "$bin/quorix-bench" "$work"
expect "bench given a missing file" 2 "cannot be read" "$bin/quorix-bench" "$work/none.txt"
# A file of garbage: the first hundred failures are listed, the rest counted, and the run fails.
for i in $(seq 1 150); do echo "not a puzzle $i"; done >"$work/garbage.txt"
"$bin/quorix-bench" "$work/garbage.txt" >"$work/out" 2>&1
if [ $? -ne 1 ] || [ "$(grep -c '^  FAIL garbage' "$work/out")" -ne 100 ] \
    || ! grep -q -- '^  FAIL \.\.\. and 50 more$' "$work/out"; then
    fail "bench lists at most a hundred failures" "$(head -c 300 "$work/out")"
else
    pass "bench lists at most a hundred failures"
fi

if [ -x "$bin/quorix-fuzz-tool" ]; then
    expect "fuzz replay of a missing file" 2 "cannot read" "$bin/quorix-fuzz-tool" replay "$work/none"
    touch "$work/file"
    expect "fuzz seeds into a folder it cannot create" 2 "cannot create" \
        "$bin/quorix-fuzz-tool" seeds "$work/file/seeds"
fi

if [ -x "$bin/quorix-shot" ]; then
    export QT_QPA_PLATFORM=offscreen
    expect "shot given a directory as script" 2 "directory" "$bin/quorix-shot" "$work" "$work/shots"
    expect "shot into a full disk" 2 "cannot write" \
        sh -c "'$bin/quorix-shot' '$script' '$work/shots' >/dev/full"
    expect "shot with an unknown option" 2 "^usage: quorix-shot \\[--digits\\] SCRIPT DIR$" \
        "$bin/quorix-shot" --digit "$script" "$work/shots"
    # The digits are drawn on the candidates: the same script gives another picture.
    printf 'enter %s\nclick Start\nshow\n' \
        ..53.....8......2..7..1.5..4....53...1..7...6..32...8..6.5....9..4....3......97.. \
        >"$work/start.txt"
    if ! "$bin/quorix-shot" "$work/start.txt" "$work/plain" >/dev/null 2>&1 \
        || ! "$bin/quorix-shot" --digits "$work/start.txt" "$work/digits" >/dev/null 2>&1 \
        || cmp -s "$work/plain/001.png" "$work/digits/001.png"; then
        fail "shot --digits: the picture has no digits"
    else
        pass "shot --digits"
    fi
fi

finish
