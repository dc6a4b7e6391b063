# shellcheck shell=bash
# What the packaging checks share; sourced by check_install.sh and check_deb.sh. The checks
# and the work folder are the test scripts' (tests/check_support.sh); the script ends with
# `finish`, which fails when any check failed.

# shellcheck source=SCRIPTDIR/../tests/check_support.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tests/check_support.sh"

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

# check NAME COMMAND...: COMMAND must succeed and print nothing.
check() {
    local name=$1 out status
    shift
    out=$("$@" 2>&1)
    status=$?
    if [ "$status" -eq 0 ] && [ -z "$out" ]; then pass "$name"; else fail "$name (exit $status)" "$out"; fi
}

# check_program PATH VERSION: the installed program runs and `PATH --version` prints
# "NAME VERSION", NAME being its file name.
check_program() {
    local path=$1 version=$2 name out status
    name=$(basename "$path")
    if [ ! -x "$path" ]; then
        fail "$name is installed" "no executable $path"
        return
    fi
    out=$(timeout 20 "$path" --version </dev/null 2>&1)
    status=$?
    if [ "$status" -eq 0 ] && [ "$out" = "$name $version" ]; then
        pass "$name --version"
    else
        fail "$name --version: exit $status, want \"$name $version\"" "$out"
    fi
}
