#!/usr/bin/env bash
# The demo as a newcomer meets it: from a fresh clone of the commit, on a
# machine that holds only Debian's base (priority required and important),
# build-essential, git and what the demo's set-up installs, each with what it
# depends on. This machine has every other package too, so their programs,
# headers and CMake package files are hidden in a private mount namespace:
# /dev/null over each program and header file, an empty file system over
# each folder that only such packages fill. dpkg still counts them installed,
# so the demo's set-up can't quietly install them again. Needs root.
#
#   tests/docs/fresh_demo_test.sh [work folder]     (default build/fresh-clone)
#
# Leaves the clone, its demo built, in <work folder>/clone.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
# shellcheck source=tests/package/lib.sh
source "$here/../package/lib.sh"
work=$(realpath -m "${1:-$source/build/fresh-clone}")

unshare --mount true 2>/dev/null ||
  fail "no private mount namespace (unshare --mount needs root): the demo can't be checked on a fresh machine"

commit=$(git -C "$source" rev-parse HEAD)
step "a fresh clone of $commit"
rm -rf "$work"
mkdir -p "$work"
git clone --quiet --no-checkout "$source" "$work/clone"
git -C "$work/clone" checkout --quiet "$commit"

step "hide what the demo's set-up does not install"
export LC_ALL=C
read -ra demo_packages <<<"$(sed -n 's/^DEMO_PACKAGES=(\(.*\))$/\1/p' "$source/scripts/setup.sh")"
((${#demo_packages[@]})) || fail "scripts/setup.sh lists no DEMO_PACKAGES"
mapfile -t base < <(dpkg-query -W -f='${Priority} ${Package}\n' | awk '$1 == "required" || $1 == "important" { print $2 }')
apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts --no-breaks \
  --no-replaces --no-enhances build-essential git "${demo_packages[@]}" "${base[@]}" |
  grep -v '^[ <]' | sort -u >"$work/kept.txt"
dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" { print $2 }' | sort -u |
  comm -23 - "$work/kept.txt" >"$work/hidden.txt"
# Each installed package's paths, /bin, /sbin and /lib spelt as the /usr
# folders they are (the kept list names alternatives that are not installed).
listed() { { xargs dpkg -L <"$1" 2>/dev/null || true; } | grep '^/' | sed 's#^/\(bin\|sbin\|lib\|lib64\)/#/usr/\1/#' | sort -u; }
# The kept packages' paths and every folder above them: never hidden.
listed "$work/kept.txt" | awk '{ print; for (p = $0; sub("/[^/]*$", "", p) && p != "";) print p }' |
  sort -u >"$work/kept-paths.txt"
# The programs, and the header, source and CMake package files and folders
# of the rest: a folder no kept package has anything in is hidden whole.
listed "$work/hidden.txt" | comm -23 - "$work/kept-paths.txt" |
  grep -E '^/usr/(s?bin|include|src)/|/cmake/' | while read -r path; do
  target=$path
  # A link is hidden where it leads, when that is no kept package's.
  if [[ -L $path ]]; then
    target=$(readlink -f "$path") && ! grep -qxF "$target" "$work/kept-paths.txt" || continue
  fi
  if [[ -d $target && ! $path =~ ^/usr/s?bin/ ]]; then
    echo "folder $target"
  elif [[ -f $target ]]; then
    echo "file $target"
  fi
done | sort -k2 -u |
  awk '{ for (p = $2; sub("/[^/]*$", "", p) && p != "";) if (p in hidden) next; hidden[$2]; print }' \
    >"$work/hide.txt"

step "the demo, $(wc -l <"$work/hide.txt") paths of $(wc -l <"$work/hidden.txt") packages hidden"
# shellcheck disable=SC2016 # expanded by that shell
unshare --mount --propagation private bash -c '
  while read -r kind path; do
    if [[ $kind == file ]]; then mount --bind /dev/null "$path"; else mount -t tmpfs -o ro,size=4k none "$path"; fi ||
      exit 1
  done <"$0"
  for tool in help2man wixl wine x86_64-w64-mingw32-g++ lintian osslsigncode valgrind clang; do
    [[ ! -x $(command -v "$tool") ]] || { echo "$tool is not hidden" >&2; exit 1; }
  done
  [[ -z $(ls /usr/include/gtest) ]] || { echo "GoogleTest is not hidden" >&2; exit 1; }
  cd "$1" && ./scripts/demo.sh && ./scripts/demo.sh records/mahjong-0002.rec' \
  "$work/hide.txt" "$work/clone" >"$work/demo.txt" 2>&1 || fail "the demo failed: $(cat "$work/demo.txt")"
cat "$work/demo.txt"
[[ $(grep -c '^launcher exit code: 0$' "$work/demo.txt") == 2 ]] &&
  grep -q 'record kind: *122$' "$work/demo.txt" && grep -q 'record kind: *310$' "$work/demo.txt" ||
  fail "the demo showed no launch of both records"
echo "fresh_demo_test: passed"
