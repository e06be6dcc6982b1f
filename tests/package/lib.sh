# shellcheck shell=bash
# Shared by the package runs (msi_test.sh, deb_test.sh); sourced, not run.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

step() { echo "-- $*"; }

# The version a build folder packages, and the next patch version after it.
package_version() { sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$1/CPackConfig.cmake"; }
next_version() {
  local major minor patch
  IFS=. read -r major minor patch <<<"$1"
  echo "$major.$minor.$((patch + 1))"
}

# Builds <build>-second, the Windows build folder <build>'s sources, toolchain
# and build type again at another path, without tests, at <version> (empty:
# the project's own). Two checks share it: the reproducibility check builds
# the commit as it is there, the MSI run its upgrade one patch version higher.
# Only the version resources tell the two apart, so moving between them
# rebuilds little.
build_second() {
  local build=$1 version=$2
  cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
  cmake -S "$source" -B "$build-second" -G "$(cache CMAKE_GENERATOR)" \
    -DCMAKE_TOOLCHAIN_FILE="$(cache CMAKE_TOOLCHAIN_FILE)" \
    -DCMAKE_BUILD_TYPE="$(cache CMAKE_BUILD_TYPE)" -DRECLAUNCH_BUILD_TESTS=OFF \
    -DRECLAUNCH_VERSION_OVERRIDE="$version" &&
    cmake --build "$build-second" -j "$(nproc)"
}

# Waits for the one client an opened record starts, then checks the command
# line it was given, byte for byte. The recording client writes a report into
# the folder named by RECLAUNCH_CLIENT_REPORTS (tests/support/record_client.cpp).
#   expect_client <reports folder> <expected command line>
expect_client() {
  local reports=$1 expected=$2 deadline=$((SECONDS + 60))
  until compgen -G "$reports/*.txt" >/dev/null; do
    ((SECONDS < deadline)) || fail "opening the record started no client"
    sleep 0.2
  done
  sleep 1 # for a second client nobody expects
  local found=("$reports"/*.txt)
  ((${#found[@]} == 1)) || fail "opening the record started ${#found[@]} clients"
  # The report escapes every byte outside printable ASCII, and every
  # backslash, as \xHH.
  printf '%b' "$(sed -n 's/^commandline=//p' "${found[0]}")" >"$reports/got"
  printf '%s' "$expected" >"$reports/expected"
  cmp -s "$reports/got" "$reports/expected" ||
    fail "the client got [$(cat "$reports/got")], expected [$(cat "$reports/expected")]"
  rm -f "$reports"/*
}
