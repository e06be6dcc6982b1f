#!/usr/bin/env bash
# Installs what the build, the tests, the Windows leg, the fuzzers and the
# benchmarks need, from Debian's packages, when it is missing.
set -euo pipefail

PACKAGES=(
  cmake make g++ pkg-config
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64
  clang libclang-rt-14-dev
  libinih-dev nlohmann-json3-dev libcli11-dev hyperfine
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
