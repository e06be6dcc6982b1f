#!/usr/bin/env bash
# Builds the release preset's benchmark programs and runs every benchmark:
# the INI and path micro-benchmarks (Google Benchmark), reads of one table in
# fresh processes (time and peak memory), and whole launcher runs against the
# floor (bench/launch). Ends with the table of docs/performance.md, and says
# where it went; everything lands in build/release/bench-results/.
#
#   bench/run.sh [Google Benchmark flags, e.g. --benchmark_filter=LoadFile]
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/release
results=$build/bench-results
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target \
  reclaunch_bench fresh_load launcher floor_spawner in_turns nop_client
rm -rf "$results"
mkdir -p "$results"

echo "== micro-benchmarks: CPU time per call or load, medians of repetitions"
"$build/bench/reclaunch_bench" --benchmark_repetitions="${BENCH_REPETITIONS:-7}" \
  --benchmark_report_aggregates_only=true \
  --benchmark_out="$results/gbench.json" --benchmark_out_format=json "$@"

# A diagnostic, not a target: the same loads when glibc keeps every block it
# is given back (above, it hands the 100,000-line table's back to the OS).
echo "== the loads again, glibc keeping its memory"
GLIBC_TUNABLES=glibc.malloc.mmap_max=0:glibc.malloc.trim_threshold=4294967295 \
  "$build/bench/reclaunch_bench" --benchmark_repetitions="${BENCH_REPETITIONS:-7}" \
  --benchmark_report_aggregates_only=true --benchmark_filter='(LoadFile|ItemBuffers)/game_table/10000+$' \
  --benchmark_out="$results/gbench_kept.json" --benchmark_out_format=json

echo "== one read in a fresh process"
for _ in $(seq "${FRESH_ROUNDS:-7}"); do
  for lines in 10000 100000; do
    for reader in loadfile inih fgets; do
      "$build/bench/fresh_load" "$reader" "$lines"
    done
  done
done | tee "$results/fresh.txt"

echo "== whole launcher runs"
bench/launch "$build" "$results"

echo
bench/report.sh "$results" | tee "$results/summary.md"
echo
echo "The report: $PWD/$results/summary.md (raw results beside it)"
