#!/usr/bin/env bash
# Times two quorix-bench builds side by side: for each file, the two run alternately (the order
# swapping every round) ROUNDS times each, and the median of each build's per-run median Auto
# time is printed with their ratio. Run on a quiet machine; a shared one drifts by tens of
# percent within minutes, which alternating spreads over both builds.
#
#   scripts/bench-compare.sh NEW_BENCH OLD_BENCH ROUNDS FILE...
set -euo pipefail
if [ $# -lt 4 ]; then
  echo "usage: $0 NEW_BENCH OLD_BENCH ROUNDS FILE..." >&2
  exit 2
fi
new=$1
old=$2
rounds=$3
shift 3

# The Auto median (µs) of one quorix-bench run over one file: column 6 of its file line.
auto_median() {
  "$1" "$2" | awk 'NR == 2 { print $6 }'
}

median() {
  sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

printf '%-32s %10s %10s %7s\n' file new old ratio
for file in "$@"; do
  newTimes=()
  oldTimes=()
  for round in $(seq 1 "$rounds"); do
    if [ $((round % 2)) -eq 1 ]; then
      newTimes+=("$(auto_median "$new" "$file")")
      oldTimes+=("$(auto_median "$old" "$file")")
    else
      oldTimes+=("$(auto_median "$old" "$file")")
      newTimes+=("$(auto_median "$new" "$file")")
    fi
  done
  newMedian=$(printf '%s\n' "${newTimes[@]}" | median)
  oldMedian=$(printf '%s\n' "${oldTimes[@]}" | median)
  awk -v f="$(basename "$file")" -v n="$newMedian" -v o="$oldMedian" \
    'BEGIN { printf "%-32s %10.1f %10.1f %6.2fx\n", f, n, o, o / n }'
done
