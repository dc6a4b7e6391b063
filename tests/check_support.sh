# shellcheck shell=bash
# What the test scripts share (tool_faults.sh, solve_cli.sh, and through
# packaging/check_support.sh the packaging checks): a work folder removed at exit, and checks
# that each print "ok" or "FAIL" with their name and count the failures for `finish`.

failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

pass() { echo "ok   $1"; }
# fail NAME [DETAIL]: a failed check; the first lines of DETAIL are shown under it.
fail() {
    echo "FAIL $1"
    [ -z "${2:-}" ] || printf '%s\n' "$2" | head -n 30 | sed 's/^/     /'
    failures=$((failures + 1))
}

# expect NAME STATUS ERR_PATTERN COMMAND...: COMMAND must exit with STATUS, and its stderr must
# match the extended regular expression ERR_PATTERN, or stay empty when ERR_PATTERN is ''. Its
# output is left in $work/out and its stderr in $work/err.
expect() {
    local name=$1 want=$2 pattern=$3 got stderr_ok=
    shift 3
    "$@" >"$work/out" 2>"$work/err"
    got=$?
    if [ -z "$pattern" ]; then
        [ -s "$work/err" ] || stderr_ok=1
    else
        grep -q -E -- "$pattern" "$work/err" && stderr_ok=1
    fi
    if [ "$got" -eq "$want" ] && [ -n "$stderr_ok" ]; then
        pass "$name"
    else
        fail "$name: exit $got (want $want)" "stderr: $(head -c 300 "$work/err")"
    fi
}

# finish: ends the script, failing when a check failed.
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "all checks passed"
    exit 0
}
