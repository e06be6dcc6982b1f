#!/usr/bin/env bash
# Installs from Debian's packages what is missing for one use of the tree:
#
#   scripts/setup.sh [demo|all]
#
# demo: a compiler, CMake and the two header-only libraries launcher-check
# uses, enough to build the launcher, launcher-check and the demo client.
# all (the default): what the build, the tests, the Windows leg, the fuzzers,
# the benchmarks and the package runs need, and the Chinese locale the
# Windows installer run opens GBK names in.
set -euo pipefail

profile=${1:-all}
DEMO_PACKAGES=(cmake make g++ nlohmann-json3-dev libcli11-dev)
PACKAGES=(
  cmake make g++ pkg-config
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64
  clang libclang-rt-14-dev
  libinih-dev nlohmann-json3-dev libcli11-dev
  wixl msitools locales
  dpkg-dev fakeroot desktop-file-utils shared-mime-info libglib2.0-bin xdg-utils
  lintian help2man osslsigncode diffoscope-minimal faketime zip unzip
)

case $profile in
  demo) PACKAGES=("${DEMO_PACKAGES[@]}") ;;
  all) ;;
  *)
    echo "usage: scripts/setup.sh [demo|all]" >&2
    exit 2
    ;;
esac

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

if [[ $profile == demo ]]; then exit 0; fi

# Wine takes its ANSI code page from the Unix locale: zh_CN gives 936 (GBK).
# Listed in /etc/locale.gen, so a later locale-gen keeps it.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  "${sudo_cmd[@]}" sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'zh_CN.UTF-8 UTF-8' /etc/locale.gen ||
    echo 'zh_CN.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
