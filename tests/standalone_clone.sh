#!/usr/bin/env bash
# Clones the repository at SOURCE into an empty temporary folder, so that nothing lies beside
# the clone, then builds it without the window and runs its headless tests there: the clone
# must carry every puzzle and script its tests read. Exits 77 (skipped) outside a git checkout.
# Usage: tests/standalone_clone.sh SOURCE
set -euo pipefail
source=$1
if ! git -C "$source" rev-parse --verify -q HEAD >/dev/null 2>&1; then
    echo "not a git checkout with a commit: nothing to clone"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
git -c safe.directory='*' clone -q "$source" "$work/quorix"
echo "cloned $(git -C "$work/quorix" rev-parse --short HEAD) into $work/quorix; beside it: $(ls -A "$work")"

# The compiler cache, if any, is shared with the source's builds: paths are taken relative to
# the clone, and the build lies in the clone as build/ and of the same type as the one
# scripts/test.sh makes, so the compiler runs again only where the clone differs.
export CCACHE_BASEDIR="$work" CCACHE_NOHASHDIR=1
build="$work/quorix/build"
cmake -S "$work/quorix" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_APP=OFF \
      -DBUILD_BENCH=OFF -DQUORIX_STANDALONE_TEST=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" -E '^fuzz\.events$'
