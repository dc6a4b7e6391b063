#!/usr/bin/env bash
# quorix-solve as people run it: the golden outputs in SOLVE_DIR byte for byte, the exit
# statuses, input of every shape, and the faults it must never report as success.
# Usage: tests/solve_cli.sh QUORIX_SOLVE SOLVE_DIR PUZZLE_DIR
set -uo pipefail
solve=$1
golden=$2
puzzles=$3
# shellcheck source=SCRIPTDIR/check_support.sh
source "$(dirname "$0")/check_support.sh"
cd "$work" || exit 1

# same NAME EXPECTED_FILE: $work/out must equal EXPECTED_FILE byte for byte.
same() {
    if cmp -s "$2" "$work/out"; then
        pass "$1 (output)"
    else
        fail "$1: output differs from $2" "$(diff "$2" "$work/out")"
    fi
}

easy=53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79
easy_solution=534678912672195348198342567859761423426853791713924856961537284287419635345286179

# The broken edge cases but line 16, which takes a second to refute.
cp "$puzzles/edge-valid-4.txt" .
sed '16s/^/# /' "$puzzles/edge-invalid-17.txt" >edge-invalid-17.txt
expect "edge cases, two files" 1 '' "$solve" edge-valid-4.txt edge-invalid-17.txt
same "edge cases, two files" "$golden/edge.expected"
expect "valid puzzles only" 0 '' "$solve" edge-valid-4.txt
expect "explained paths" 1 '' "$solve" --explain "$golden/explain.txt"
same "explained paths" "$golden/explain.expected"
expect "explained paths on two threads" 1 '' "$solve" --explain --jobs=2 - <"$golden/explain.txt"
same "explained paths on two threads" "$golden/explain.expected"

# Every kind of malformed line, each reported on a row of its own, the run going on.
{
    printf '\xEF\xBB\xBF%s\r\n' "$easy"   # a byte-order mark and CRLF: a puzzle all the same
    printf '\r\n  \t\n# a comment\n   # another\n'
    printf '%s\n' "${easy:0:80}" "${easy}1" "${easy:0:40}a${easy:41}"
    printf '\x00\x01\xFE\xFF\t%s\n' "$easy"
    printf '%s|5\n' "$easy"
    printf '53 . . | . 7 . | . . . 6 :\n'
    head -c 5000 /dev/zero | tr '\0' '7'
    printf '\n%s' "$easy"                 # the last line without a line break
} >malformed.txt
expect "malformed lines" 1 '' "$solve" malformed.txt
same "malformed lines" "$golden/malformed.expected"

expect "a puzzle as an argument" 0 '' "$solve" "$easy"
[ "$(cat "$work/out")" = "$(printf '1\t%s\tunique\t0' "$easy_solution")" ] \
    || fail "a puzzle as an argument: $(cat "$work/out")"
expect "a puzzle in another form" 0 '' "$solve" "${easy//./0}" --puzzle "${easy//./x}"
[ "$(cut -f1,3 "$work/out" | tr '\t\n' ' ;')" = "1 unique;2 unique;" ] \
    || fail "a puzzle in another form: $(cat "$work/out")"
expect "a bad --puzzle" 1 '' "$solve" --puzzle "${easy:1}"
expect "empty input" 0 '' sh -c "'$solve' </dev/null"
[ -s "$work/out" ] && fail "empty input gave output"
printf '\n# nothing\n\n' >blank.txt
expect "blank and comment lines only" 0 '' "$solve" blank.txt
expect "random bytes" 1 '' sh -c "head -c 300000 /dev/urandom | '$solve'"
if grep -q -v -P '^\d+\t-\tinvalid\t-\tmalformed: [^\t]*$' "$work/out"; then
    fail "random bytes: a row that is no malformed line: $(grep -v -m1 -P 'malformed' "$work/out")"
fi

# Every line gives a row, whatever its length; only input with no line break within 1 MiB
# stops the reading, and never with a success.
expect "a line of blanks, then garbage" 1 '' sh -c "printf '%5000sgarbage\n' '' | '$solve'"
grep -q -P "^1\t-\tinvalid\t-\tmalformed: a line of 5007 characters, too long for a puzzle: ' {40}'\.\.\.$" \
    "$work/out" || fail "a line of blanks, then garbage: $(head -c 300 "$work/out")"
{ echo "$easy"; printf '%5000sgarbage\n' ''; echo "$easy"; } >blanks.txt
expect "a line of blanks between two puzzles" 1 '' "$solve" blanks.txt
[ "$(cut -f1,3 "$work/out" | tr '\t\n' ' ;')" = "1 unique;2 invalid;3 unique;" ] \
    || fail "a line of blanks between two puzzles: $(cut -c1-60 "$work/out")"
{ head -c 1048576 /dev/zero | tr '\0' '7'; printf '\n%s\n' "$easy"; } >longest.txt
expect "the longest line with a break" 1 '' "$solve" longest.txt
[ "$(cut -f1,3 "$work/out" | tr '\t\n' ' ;')" = "1 invalid;2 unique;" ] \
    || fail "the longest line with a break: $(cut -c1-100 "$work/out")"
grep -q "a line of 1048576 characters" "$work/out" || fail "the longest line: its length"
expect "a 10 MB line" 2 "^quorix-solve: -: line 2 has no line break within 1 MiB$" \
    sh -c "{ echo '$easy'; head -c 10000000 /dev/zero; } | '$solve'"
[ "$(cut -f1,3 "$work/out")" = "$(printf '1\tunique')" ] \
    || fail "a 10 MB line: the puzzle before it unanswered: $(head -c 300 "$work/out")"
expect "/dev/zero as a file" 2 "^quorix-solve: /dev/zero: line 1 has no line break within 1 MiB$" \
    timeout 60 "$solve" /dev/zero
expect "/dev/zero as the standard input" 2 "^quorix-solve: -: line 1 has no line break" \
    sh -c "timeout 60 '$solve' </dev/zero"

# The hint engine's modes: rows, steps and grades, the same on any number of threads.
expect "logic rows" 1 '' "$solve" --logic "$golden/logic.txt"
same "logic rows" "$golden/logic.expected"
expect "logic steps" 1 '' "$solve" --steps --jobs=1 "$golden/logic.txt"
same "logic steps" "$golden/logic-steps.expected"
expect "logic steps on two threads" 1 '' "$solve" --logic --steps --jobs=2 - <"$golden/logic.txt"
same "logic steps on two threads" "$golden/logic-steps.expected"
expect "grades" 1 '' "$solve" --grade "$golden/logic.txt"
same "grades" "$golden/grade.expected"
sed -n '1~9p' "$puzzles/hard-1465.txt" >sample.txt
expect "a sample by logic on one thread" 0 '' "$solve" --steps --jobs=1 sample.txt
mv "$work/out" one-thread.out
expect "the same sample on three threads" 0 '' "$solve" --steps --jobs=3 sample.txt
same "the same sample on three threads" one-thread.out
expect "--grade with --steps" 2 "^quorix-solve: --grade takes neither" "$solve" --grade --steps blank.txt
expect "--explain with --logic" 2 "^quorix-solve: --explain walks Next" \
    "$solve" --logic --explain blank.txt

expect "--version" 0 '' "$solve" --version
[ "$(cat "$work/out")" = "quorix-solve 1.0" ] || fail "--version says $(cat "$work/out")"
expect "--help" 0 '' "$solve" --help
grep -q '^usage: quorix-solve ' "$work/out" || fail "--help says $(head -n 1 "$work/out")"
expect "an unknown option" 2 "^quorix-solve: unknown option '--bogus' \(see --help\)$" \
    "$solve" --bogus edge-valid-4.txt
expect "--jobs 0" 2 "^quorix-solve: --jobs needs a number from 1" "$solve" --jobs 0 blank.txt
expect "--jobs without a number" 2 "needs a number" "$solve" blank.txt -j
expect "--puzzle without a puzzle" 2 "needs a puzzle" "$solve" --puzzle
expect "neither a file nor a puzzle" 2 "^quorix-solve: 'nofile\.txt' is neither a file nor a puzzle$" \
    "$solve" edge-valid-4.txt nofile.txt
[ -s "$work/out" ] && fail "a usage error still solved something"
mkdir folder
expect "a directory among the files" 2 "^quorix-solve: folder: is a directory, not a puzzle file$" \
    "$solve" edge-valid-4.txt folder
[ "$(wc -l <"$work/out")" -eq 4 ] || fail "a directory among the files: the other file unread"
chmod 000 blank.txt
if ! cat blank.txt >/dev/null 2>&1; then
    expect "an unreadable file" 2 "^quorix-solve: blank\.txt: cannot be read$" "$solve" blank.txt
fi
expect "the standard input a directory" 2 "directory" sh -c "'$solve' <'$work'"
expect "output to a full disk" 2 "cannot write" sh -c "'$solve' edge-valid-4.txt >/dev/full"

finish
