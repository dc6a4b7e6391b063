#!/usr/bin/env bash
# Builds the event fuzzer with clang in a build directory of its own and runs it for a bounded
# time from a copy of the seed corpus. Fails on any finding; the input that found it is kept in
# <build-dir>/findings/ (replay it with quorix-fuzz-tool replay -v <file>).
# Usage: fuzz/run_fuzz.sh [build-dir] [seconds]     (CLANGXX picks the compiler)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build/fuzz-clang}
seconds=${2:-60}
clangxx=${CLANGXX:-clang++}

cmake -S "$src" -B "$build" -DCMAKE_CXX_COMPILER="$clangxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DQUORIX_FUZZ=ON -DBUILD_APP=OFF -DBUILD_TESTING=OFF -DBUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target quorix-fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$src/fuzz/corpus" "$work/corpus"
mkdir -p "$build/findings"

status=0
"$build/bin/quorix-fuzz" -max_total_time="$seconds" -max_len=1024 -timeout=30 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/" \
    "$work/corpus" >"$work/log" 2>&1 || status=$?
grep -v -E '^#[0-9]+.*(NEW|REDUCE|pulse)' "$work/log" | tail -n 60
if [ "$status" -ne 0 ]; then
    echo "fuzzing found a problem (exit $status); inputs kept in $build/findings/" >&2
    exit 1
fi
