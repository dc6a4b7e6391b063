#!/usr/bin/env bash
# Installs what is missing, builds the program and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."

# Without a display there is no window to open: say so before a minute of building.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: run it under a virtual one: scripts/deps.sh app && xvfb-run -a scripts/run.sh" >&2
  exit 1
fi

scripts/deps.sh app
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target quorix
exec build/bin/quorix
