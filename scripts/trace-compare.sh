#!/usr/bin/env bash
# Runs COUNT random trace scripts (scripts/random-traces.py) through two quorix-trace builds and
# lists the scripts whose traces differ; exits 1 if any does. A script that runs longer than
# 20 s in either build is cut off there in both, and compared as cut.
#
#   scripts/trace-compare.sh NEW_TRACE OLD_TRACE [COUNT]   (COUNT: 3000 by default)
set -euo pipefail
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 NEW_TRACE OLD_TRACE [COUNT]" >&2
  exit 2
fi
new=$(realpath "$1")
old=$(realpath "$2")
count=${3:-3000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$(dirname "$0")/random-traces.py" "$work/scripts" "$count"
differ=0
for script in "$work"/scripts/*.txt; do
  for build in new old; do
    binary=$new
    [ "$build" = old ] && binary=$old
    status=0
    timeout 20 "$binary" < "$script" > "$work/$build.out" 2>&1 || status=$?
    echo "exit $status" >> "$work/$build.out"
  done
  if ! cmp -s "$work/new.out" "$work/old.out"; then
    echo "differs: $(basename "$script")"
    cp "$script" "./trace-differs-$(basename "$script")"
    differ=$((differ + 1))
  fi
done
echo "$count scripts, $differ differing (kept as ./trace-differs-*.txt)"
[ "$differ" -eq 0 ]
