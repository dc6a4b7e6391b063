#!/usr/bin/env bash
# Builds quorix-solve with the thread sanitizer and runs it on two threads over samples of the
# puzzle sets, in every mode; fails on any report of the sanitizer.
#
#   scripts/tsan-solve.sh [BUILD_DIR]   (build-tsan by default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-tsan}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORIX_SANITIZE_THREAD=ON \
      -DBUILD_APP=OFF -DBUILD_TESTING=OFF -DBUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target quorix-solve
sample=$(mktemp)
trap 'rm -f "$sample"' EXIT
for set in puzzles/*.txt; do sed -n '1~25p' "$set"; done >"$sample"
export TSAN_OPTIONS="halt_on_error=1 exitcode=66"
for mode in "" --explain --logic --steps --grade; do
  status=0
  # shellcheck disable=SC2086
  "$build/bin/quorix-solve" $mode --jobs 2 "$sample" >/dev/null || status=$?
  if [ "$status" -ne 0 ] && [ "$status" -ne 1 ]; then
    echo "tsan-solve: quorix-solve ${mode:-(verdicts)} exited $status" >&2
    exit 1
  fi
  echo "tsan-solve: ${mode:-(verdicts)}: no report"
done
