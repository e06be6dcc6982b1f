#!/usr/bin/env bash
# A short run of every fuzzer over its seeds (about 30 s in all); fails when
# any of them finds a problem. The fuzzers must be built already:
#
#   fuzz/smoke.sh [build folder]        default: build/fuzz
#
# RECLAUNCH_FUZZ_SECONDS sets the time per fuzzer (default 5). New inputs go
# to a scratch folder, never into the committed seeds; what a fuzzer finds
# is kept in <build folder>/fuzz-artifacts for reproducing (fuzz/README.md).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "${1:-$here/../build/fuzz}")
seconds=${RECLAUNCH_FUZZ_SECONDS:-5}
harnesses=(load_file ini_line full_path command_line game_table)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"

failed=()
for harness in "${harnesses[@]}"; do
  fuzzer="$build/fuzz/${harness}_fuzzer"
  if [[ ! -x $fuzzer ]]; then
    echo "fuzz-smoke: $fuzzer is missing; build with -DRECLAUNCH_BUILD_FUZZ=ON" >&2
    exit 2
  fi
  mkdir -p "$scratch/$harness"
  log="$scratch/$harness.log"
  if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$harness-" "$scratch/$harness" "$here/corpus/$harness" \
    >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz-smoke: $harness: ${runs:-?} runs, no finding"
  else
    echo "fuzz-smoke: $harness FOUND A PROBLEM; its log ends:"
    tail -n 40 "$log"
    failed+=("$harness")
  fi
done

if ((${#failed[@]})); then
  echo "fuzz-smoke: failed: ${failed[*]} (inputs in $artifacts)" >&2
  exit 1
fi
