#!/usr/bin/env bash
# Instruction counts per event under callgrind: stable on a noisy machine, unlike times.
# Each row runs the event COUNT times and once with no events, and divides the difference.
# Usage: bench/callgrind.sh [BUILD_DIR]     (default build-bench; cmake --build --preset bench first)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-bench}
bench="$build/bin/kestravel_bench"
command -v valgrind >/dev/null || { echo "valgrind is needed (apt-get install valgrind)"; exit 2; }
[ -x "$bench" ] || { echo "build the benchmarks first: cmake --preset bench && cmake --build --preset bench"; exit 2; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

instructions() {  # EVENT COUNT DINOS PERMS
  valgrind --tool=callgrind --callgrind-out-file="$scratch/out" "$bench" --events "$@" >/dev/null 2>&1
  grep -E '^(summary|totals):' "$scratch/out" | head -1 | awk '{print $2}'
}

printf '| event | "Dinos" entries | permission entries | instructions per event |\n'
printf '|---|---:|---:|---:|\n'
row() {  # EVENT COUNT DINOS PERMS
  local base with
  base=$(instructions "$1" 0 "$3" "$4")
  with=$(instructions "$1" "$2" "$3" "$4")
  printf '| %s | %s | %s | %s |\n' "$1" "$3" "$4" $(( (with - base) / $2 ))
}
for event in speed unspeed mount; do
  for dinos in 10 1000 10000; do row "$event" 200 "$dinos" 0; done
  for perms in 1 100; do row "$event" 200 10 "$perms"; done
done
for dinos in 10 1000 10000; do row reload 3 "$dinos" 0; done
