#!/usr/bin/env bash
# Makes a release from the commit checked out: the MSI, the Windows ZIP, the
# .deb, the .tar.gz and the symbols archives, with SHA256SUMS over them, in
# one folder (dist/ unless given).
#
#   scripts/release.sh [--check] [output folder]
#
# The version is the project's (project(VERSION) in CMakeLists.txt); a tag
# on the commit must name the same version (v<version>). Every file is
# dated with the commit, so the same commit gives the same files wherever
# and whenever it is built. --check makes the release a second time from a
# fresh clone in another folder and compares every file's checksum.
#
# Signing: with a certificate in the environment (packaging/cmake/Sign.cmake:
# RECLAUNCH_SIGN_PKCS12 and RECLAUNCH_SIGN_PASSWORD, or RECLAUNCH_SIGN_CERT
# and RECLAUNCH_SIGN_KEY; RECLAUNCH_SIGN_TIMESTAMP for an RFC 3161 server)
# every Windows program is signed before it is packed, then the MSI.
# Without one the release is unsigned, and its last line says so. To rebuild
# a signed release, RECLAUNCH_SIGNATURES_FROM gives its signatures
# (docs/releasing.md).
set -euo pipefail
cd "$(dirname "$0")/.."
source=$(pwd)

check=0
if [[ ${1:-} == --check ]]; then
  check=1
  shift
fi
out=$(realpath -m "${1:-dist}")

if ((check)) && [[ -n ${RECLAUNCH_SIGN_PKCS12:-}${RECLAUNCH_SIGN_CERT:-} ]]; then
  echo "release: --check compares unsigned releases (a signature holds its own time)" >&2
  exit 2
fi
./scripts/setup.sh
[[ -z $(git status --porcelain --untracked-files=no) ]] ||
  { echo "release: the checkout has changes; a release is made from a commit" >&2; exit 1; }
commit=$(git rev-parse HEAD)
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH

# Each system's programs and packages, in build folders of the release's own.
# The tests are left out: scripts/test.sh runs them.
package() {
  local folder=build/release-$1
  shift
  rm -rf "$folder"
  cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=Release -DRECLAUNCH_BUILD_TESTS=OFF \
    -DRECLAUNCH_REQUIRE_ALL=ON "$@" >/dev/null
  cmake --build "$folder" -j "$(nproc)" >/dev/null
  (cd "$folder" && cpack >/dev/null)
}
echo "release: building $commit"
package windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
package linux

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build/release-linux/CPackConfig.cmake)
for tag in $(git tag --points-at HEAD 'v*'); do
  [[ $tag == "v$version" ]] || { echo "release: tag $tag, but the project's version is $version" >&2; exit 1; }
done

rm -rf "$out"
mkdir -p "$out"
cp build/release-windows/reclaunch-"$version"-windows-*.{msi,zip} \
  build/release-windows/reclaunch-"$version"-windows-*-symbols.tar.gz \
  build/release-linux/reclaunch_"$version"_*.deb build/release-linux/reclaunch-"$version"-linux-*.tar.gz "$out"/
(cd "$out" && sha256sum -- * >SHA256SUMS)
cat "$out/SHA256SUMS"

if ((check)); then
  again=$(mktemp -d)
  echo "release: again from a clone in $again"
  git clone --quiet --no-checkout "$source" "$again/reclaunch"
  git -C "$again/reclaunch" checkout --quiet "$commit"
  "$again/reclaunch/scripts/release.sh" "$again/dist" >/dev/null
  if ! diff "$out/SHA256SUMS" "$again/dist/SHA256SUMS"; then
    echo "release: the second build differs (its files are in $again/dist)" >&2
    exit 1
  fi
  rm -rf "$again"
  echo "release: the second build, from another folder, gives the same files"
fi

if [[ -n ${RECLAUNCH_SIGNATURES_FROM:-} ]]; then
  echo "release: reclaunch $version in $out, with the signatures of $RECLAUNCH_SIGNATURES_FROM"
elif [[ -n ${RECLAUNCH_SIGN_PKCS12:-}${RECLAUNCH_SIGN_CERT:-} ]]; then
  echo "release: reclaunch $version in $out, signed"
else
  echo "release: reclaunch $version in $out, UNSIGNED (no certificate given: see docs/releasing.md)"
fi
