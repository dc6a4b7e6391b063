#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: first the suite built with
# address and undefined-behaviour sanitizers, then the normal build (whose CTest summary is the
# last thing printed).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh test
jobs=$(nproc)
# Paths relative to the checkout in the compiler cache's keys, so that the clean clone the
# suite builds (tests/standalone_clone.sh) finds what this build compiled.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORIX_SANITIZE=ON -DBUILD_APP=ON -DBUILD_BENCH=OFF \
      >/dev/null
cmake --build build-asan -j"$jobs"
QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs"
