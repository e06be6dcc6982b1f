#!/usr/bin/env bash
# Two builds of one commit give the same Windows programs and packages:
# builds the programs again in a second build folder at another path, packs
# the ZIP and the MSI from both folders, and compares them byte for byte.
#
#   tests/package/reproducible_test.sh [--prepare] [build folder]     (default build/mingw)
#
# The second folder (<build>-second, kept between runs so only changes are
# rebuilt; the MSI run builds its upgrade there) builds no tests. On a
# difference, diffoscope shows where.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
# shellcheck source=tests/package/lib.sh
source "$here/lib.sh"

# --prepare builds only the second folder, so that scripts/test.sh can have
# it built while other tests run.
prepare_only=false
[[ ${1:-} != --prepare ]] || { prepare_only=true && shift; }
build=$(realpath "${1:-build/mingw}")
again=$build-second
work=$build/reproducible-test
if $prepare_only; then
  build_second "$build" "" >"$again.log" 2>&1 || fail "the second build failed, see $again.log"
  exit 0
fi
rm -rf "$work"
mkdir -p "$work"

step "the programs again in $again"
build_second "$build" "" >"$work/build.log" 2>&1 ||
  fail "the second build failed, see $work/build.log"

step "packages from both"
for folder in "$build" "$again"; do
  cpack -G "ZIP;External" --config "$folder/CPackConfig.cmake" \
    -B "$work/$(basename "$folder")" >>"$work/cpack.log" 2>&1 || fail "cpack failed, see $work/cpack.log"
done

step "compare"
differ=0
compare() {
  if ! cmp -s "$1" "$2"; then
    differ=1
    echo "differs: $1 $2" >&2
    if command -v diffoscope >/dev/null; then diffoscope "$1" "$2" >&2 || true; fi
  fi
}
for program in launcher/launcher.exe tools/launcher-check/launcher-check.exe; do
  compare "$build/$program" "$again/$program"
done
count=0
for package in "$work/$(basename "$build")"/*.{zip,msi,tar.gz}; do
  compare "$package" "$work/$(basename "$again")/$(basename "$package")"
  count=$((count + 1))
done
((count == 3)) || fail "expected a ZIP, an MSI and a symbols archive, found $count files"
((differ == 0)) || fail "two builds of one commit differ"
echo "reproducible_test: passed"
