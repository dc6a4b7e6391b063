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
command -v Xvfb >/dev/null 2>&1 || skip "no Xvfb (package xvfb)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "no accessibility bus (package at-spi2-core)"

# A display of its own: Xvfb picks a free number and tells it once it takes connections.
# (Choosing the number beforehand, as xvfb-run -a does, races with other servers starting at
# the same time; two sessions on one display would share its accessibility bus.)
work=$(mktemp -d)
xvfb=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

# A bus of the person's own, named in the environment, is never used; the session bus and the
# accessibility bus it starts are this test's alone, and so is the time it may take.
unset AT_SPI_BUS_ADDRESS
timeout 90 dbus-run-session -- "$python" "$here/atspi_status.py" "$quorix"
