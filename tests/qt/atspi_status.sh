#!/usr/bin/env bash
# The status line as a screen reader hears it, through the real accessibility bus: starts the
# window (QUORIX) under a virtual X display with a session bus of its own, clicks Check through
# the bus and waits for the status text in a text-changed event. Exits 77 (skipped) when the
# display server, the buses or the Python bindings are missing (scripts/deps.sh test installs
# them).
set -euo pipefail
quorix=$1
here=$(cd "$(dirname "$0")" && pwd)

skip() {
    echo "SKIPPED: $1; scripts/deps.sh test installs it" >&2
    exit 77
}

python=""
for candidate in python3 /usr/bin/python3; do
    if command -v "$candidate" >/dev/null 2>&1 && "$candidate" -c 'import pyatspi' 2>/dev/null; then
        python=$(command -v "$candidate")
        break
    fi
done
[ -n "$python" ] || skip "no python3 with pyatspi (package python3-pyatspi)"
command -v dbus-run-session >/dev/null 2>&1 || skip "no dbus-run-session (package dbus-daemon)"
command -v xvfb-run >/dev/null 2>&1 || skip "no xvfb-run (package xvfb)"
command -v xauth >/dev/null 2>&1 || skip "no xauth (package xauth)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "no accessibility bus (package at-spi2-core)"

# A bus of the person's own, named in the environment, is never used.
unset AT_SPI_BUS_ADDRESS
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    "$python" "$here/atspi_status.py" "$quorix"
