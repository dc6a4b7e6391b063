#!/usr/bin/env bash
# The window program given what it cannot open, as from a file manager: it says why on standard
# error and still opens (here: is still running when stopped); wrong arguments end it at once.
# Usage: open_failure.sh QUORIX (under QT_QPA_PLATFORM=offscreen).
set -uo pipefail
quorix=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The window keeps its settings under these; the person's are never touched.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_STATE_HOME=$work/state \
       XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

timeout 3 "$quorix" '53..7' 2>"$work/err"
rc=$?
[ "$rc" -eq 124 ] || fail "a puzzle it cannot open: exited $rc instead of staying open"
grep -qx "quorix: '53..7' is neither a file nor a puzzle: 5 squares found where 81 are needed" \
    "$work/err" || fail "a puzzle it cannot open: stderr was: $(cat "$work/err")"

timeout 3 "$quorix" "$work" 2>"$work/err"
rc=$?
[ "$rc" -eq 124 ] || fail "a folder: exited $rc instead of staying open"
grep -q "is a directory, not a puzzle file" "$work/err" || fail "a folder: stderr was: $(cat "$work/err")"

timeout 10 "$quorix" --frobnicate 2>"$work/err"
rc=$?
[ "$rc" -eq 2 ] || fail "an unknown option: exited $rc instead of 2"
grep -qx "quorix: unknown option '--frobnicate' (see --help)" "$work/err" \
    || fail "an unknown option: stderr was: $(cat "$work/err")"
exit $failed
