# shellcheck shell=bash
# What the packaging checks share; sourced by check_install.sh and check_deb.sh. Each check
# prints "ok" or "FAIL" with its name, and the script ends with the count of failures.

failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# require TOOL...: stops the script at once if a tool it runs is missing.
require() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "FAIL $tool not found (scripts/deps.sh test installs it)"
            exit 1
        fi
    done
}

pass() { echo "ok   $1"; }
fail() {
    echo "FAIL $1"
    [ -z "${2:-}" ] || printf '%s\n' "$2" | head -n 30 | sed 's/^/     /'
    failures=$((failures + 1))
}

# check NAME COMMAND...: COMMAND must succeed and print nothing.
check() {
    local name=$1 out status
    shift
    out=$("$@" 2>&1)
    status=$?
    if [ "$status" -eq 0 ] && [ -z "$out" ]; then pass "$name"; else fail "$name (exit $status)" "$out"; fi
}

# check_program PATH VERSION [optional]: the installed program runs and `PATH --version` prints
# "NAME VERSION", NAME being its file name. With `optional`, a program whose --help does not
# offer --version only has to run its --help.
check_program() {
    local path=$1 version=$2 name out status
    name=$(basename "$path")
    if [ ! -x "$path" ]; then
        fail "$name is installed" "no executable $path"
        return
    fi
    if [ "${3:-}" = optional ]; then
        out=$(timeout 20 "$path" --help </dev/null 2>&1)
        if ! grep -q -e '--version' <<<"$out"; then
            pass "$name is installed (its --help offers no --version)"
            return
        fi
    fi
    out=$(timeout 20 "$path" --version </dev/null 2>&1)
    status=$?
    if [ "$status" -eq 0 ] && [ "$out" = "$name $version" ]; then
        pass "$name --version"
    else
        fail "$name --version: exit $status, want \"$name $version\"" "$out"
    fi
}

finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}
