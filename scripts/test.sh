#!/usr/bin/env bash
# Every test: the documents' commands from a fresh clone, the host build, the
# sanitizer build, the Windows build under Wine, the installers end to end,
# and a short run of each fuzzer. Installs what is missing first.
#
#   scripts/test.sh [--slow]
#
# --slow (CI's mode, .ci/run) also makes the release twice, from two fresh
# clones, and compares them (scripts/release.sh --check).
set -euo pipefail
cd "$(dirname "$0")/.."
slow=0
if [[ ${1:-} == --slow ]]; then slow=1; fi
./scripts/setup.sh

jobs=$(nproc)
# A missing tool stops each configure below, where a plain one leaves the
# part that needs it out.
require_all=-DRECLAUNCH_REQUIRE_ALL=ON

# Configures, builds and tests one preset; any further arguments run the
# tests through a wrapper (the host builds' as a player without root's
# override of file rights, the Windows build's under Wine).
run_preset() {
  local preset=$1 start=$SECONDS
  shift
  echo "== $preset"
  cmake --preset "$preset" "$require_all" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  "$@" ctest --preset "$preset"
  echo "== $preset: passed in $((SECONDS - start)) s"
}

run_check() {
  local start=$SECONDS
  echo "== $*"
  "$@"
  echo "== $1: passed in $((SECONDS - start)) s"
}

# --- the documents' commands (see docs/building.md) ---
run_check tests/docs/links_test.sh
# The demo from a fresh clone, with what its set-up does not install hidden;
# then, on that clean build, the troubleshooting page's examples and a short
# benchmark run.
fresh=build/fresh-clone
run_check tests/docs/fresh_demo_test.sh "$fresh"
run_check tests/docs/examples_test.sh "$fresh/clone/build/demo" docs/troubleshooting.md
short_bench_run() {
  (cd "$fresh/clone" && BENCH_REPETITIONS=1 FRESH_ROUNDS=1 LAUNCH_ROUNDS=1 LAUNCH_RUNS=5 \
    bench/run.sh --benchmark_min_time=0.01)
}
run_check short_bench_run
# --- end documents' commands ---

# The host tests run on the optimised build, which is what ships and what the
# .deb is packed from below; the sanitizer build runs them unoptimised.
run_preset release ./scripts/as-player.sh
run_preset asan ./scripts/as-player.sh

# The Windows leg. Its tests under Wine spend most of their time waiting for
# processes, so the second Windows build folder of the package checks (the
# same commit built again at another path) is built meanwhile, at low
# priority.
mingw_start=$SECONDS
echo "== mingw"
cmake --preset mingw "$require_all" >/dev/null
cmake --build --preset mingw -j "$jobs"
nice -n 15 tests/package/reproducible_test.sh --prepare build/mingw &
second=$!
trap 'kill "$second" 2>/dev/null || true' EXIT
./scripts/with-wine.sh build/mingw ctest --preset mingw
# Code page 936 (GBK), as on a Chinese Windows: a launcher and a folder whose
# names end in the 0x5C trail byte of a double-byte character.
echo "== mingw, code page 936"
RECLAUNCH_WINE_LOCALE=zh_CN.UTF-8 ./scripts/with-wine.sh build/mingw \
  wine build/mingw/tests/windows_tests.exe --gtest_filter='WindowsFittingNames.*'
echo "== mingw: passed in $((SECONDS - mingw_start)) s"
wait "$second"
echo "== the second Windows build: done at $((SECONDS - mingw_start)) s"

# --- release checks (see tests/package/), each a script of its own ---
# Signs with a throwaway certificate made there, kept for the MSI run below.
run_check tests/package/signing_test.sh build/mingw
run_check tests/package/reproducible_test.sh build/mingw
certs=$PWD/build/mingw/signing-test/certs
# --- end release checks ---

# --- package runs (see tests/package/) ---
# Each installer built from its preset and run end to end: the MSI under Wine,
# the .deb in a scratch root.
run_package() {
  local preset=$1 test=$2 start=$SECONDS
  echo "== $preset package"
  cmake --preset "$preset" "$require_all" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  local run_start=$SECONDS
  "$test" "build/$preset"
  echo "== $preset package: passed in $((SECONDS - start)) s (the run $((SECONDS - run_start)) s)"
}
# The MSI run installs packages signed with the signing check's certificate.
RECLAUNCH_SIGN_CERT=$certs/signer.pem RECLAUNCH_SIGN_KEY=$certs/signer.key \
  run_package mingw tests/package/msi_test.sh
osslsigncode verify -CAfile "$certs/ca.pem" -in build/mingw/installer-test/old/*.msi >/dev/null ||
  { echo "the MSI run installed an unsigned package" >&2; exit 1; }
run_package release tests/package/deb_test.sh
run_check tests/package/lintian_test.sh build/release
# --- end package runs ---

# --- fuzz smoke (owner: fuzzing; see fuzz/README.md) ---
# A short run of every libFuzzer harness over its seeds; any finding fails.
fuzz_start=$SECONDS
echo "== fuzz"
cmake --preset fuzz "$require_all" >/dev/null
cmake --build --preset fuzz -j "$jobs"
./fuzz/smoke.sh build/fuzz
echo "== fuzz: passed in $((SECONDS - fuzz_start)) s"
# --- end fuzz smoke ---

# --- the release, made twice and compared (CI's slow mode) ---
if ((slow)); then
  run_check scripts/release.sh --check build/release-check
fi
