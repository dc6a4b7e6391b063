#!/usr/bin/env bash
# floors_check on small trees made up here: a check that passes everything would keep nothing
# true, so each fault it is there for is planted once, and the shapes it must let be are shown.
#
#   floors_check_test.sh FLOORS_CHECK CXX
set -euo pipefail
check=$1
cxx=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# A tree of two floors, low/ under high/, where every file is written by the case.
fresh() {
  rm -rf "$work/tree"
  mkdir -p "$work/tree/low" "$work/tree/high"
}
write() { printf '%s\n' "$2" > "$work/tree/$1"; }
# Compiles the tree's sources where CMake would put their objects, and lists them.
compile() {
  : > "$work/objects.txt"
  (cd "$work/tree" && find low high -name '*.cpp') | while read -r source; do
    object="$work/tree/build/CMakeFiles/t.dir/$source.o"
    mkdir -p "$(dirname "$object")"
    "$cxx" -std=c++20 -c -I "$work/tree" -o "$object" "$work/tree/$source"
    echo "$object" >> "$work/objects.txt"
  done
}
# expect NAME STATUS [TEXT]: floors_check exits with STATUS and, when given, prints TEXT.
expect() {
  local status=0
  "$check" "$work/tree" --floors 'low/=0,high/=1' --objects "$work/objects.txt" \
    > "$work/out.txt" 2>&1 || status=$?
  if [ "$status" != "$2" ] || { [ $# -ge 3 ] && ! grep -qF -- "$3" "$work/out.txt"; }; then
    echo "FAIL: $1 (exit $status, expected $2${3:+ and \"$3\"})"
    cat "$work/out.txt"
    failures=$((failures + 1))
  fi
}

fresh
write low/a.h 'int A();'
write low/a.cpp '#include "low/a.h"
int A() { return 1; }'
write high/b.h 'int B();'
write high/b.cpp '#include "high/b.h"
#include "low/a.h"
int B() { return A(); }'
compile
expect "a higher floor standing on a lower one" 0 "0 faults"

write low/a.h '#include "high/b.h"
int A();'
expect "an include back up" 1 "low/a.h (floor 0) includes high/b.h (floor 1)"

write low/a.h 'int A();'
write low/a.cpp '#include "low/a.h"
int B();
int A() { return B(); }'
compile
expect "a call back up" 1 "low/a.cpp calls up into high/b.cpp"

fresh
write low/a.h 'int A();
int C();'
write low/a.cpp '#include "low/a.h"
int Other(int n);
int A() { return Other(1); }
int C() { return 3; }'
write low/other.cpp '#include "low/a.h"
int Other(int n) { return n > 0 ? A() : C(); }'
compile
expect "two files that call each other" 1 "call each other in a loop: low/a"

mv "$work/tree/low/other.cpp" "$work/tree/low/a_more.cpp"
compile
expect "one header's members over two files" 0 "0 faults"

write low/a_more.h 'int Other(int n);'
expect "a file with a header of its own is a file of its own" 1 "call each other in a loop: low/a"

[ "$failures" = 0 ] && echo "floors_check finds what it must and lets be what it may"
exit $((failures != 0))
