#!/usr/bin/env bash
# The Debian package, end to end, without touching the machine: check its
# conffiles, install it into a scratch root with a package database of its
# own, upgrade over an edited game table, and open a record the way the
# desktop does.
#
#   tests/package/deb_test.sh [build folder]     (default build/release)
#
# The upgrade is the same build packaged one patch version higher. The
# desktop (HOME, XDG_*) lives in scratch folders too; as root, dpkg runs
# as is, otherwise under fakeroot.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/package/lib.sh
source "$here/lib.sh"

build=$(realpath "${1:-build/release}")
work=$build/deb-test
root=$work/root
rm -rf "$work"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$work/reports"
touch "$root/var/lib/dpkg/status"

step "packages"
version=$(package_version "$build")
next=$(next_version "$version")
{ cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/old" &&
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/new" -D CPACK_PACKAGE_VERSION="$next"; \
  } >"$work/cpack.log" 2>&1 || fail "cpack failed, see $work/cpack.log"
old=$(echo "$work"/old/*.deb)
new=$(echo "$work"/new/*.deb)

step "conffiles"
conffiles=$(dpkg-deb --ctrl-tarfile "$old" | tar -xO ./conffiles | sort)
config=$(dpkg-deb --fsys-tarfile "$old" | tar -t | sed -n 's|^\./etc/reclaunch/\(..*\)|/etc/reclaunch/\1|p' | sort)
[[ -n $conffiles && $conffiles == "$config" ]] ||
  fail "conffiles [$conffiles] are not the configuration [$config]"

# Its own root and database; no dependency is installed there, and it has
# no maintainer scripts to run.
as_root=()
if [[ $(id -u) -ne 0 ]]; then as_root=(fakeroot); fi
dpkg_root() {
  "${as_root[@]}" dpkg --root="$root" --log="$work/dpkg.log" --force-script-chrootless \
    --force-depends --force-confold "$@" >>"$work/dpkg.out" 2>&1 ||
    fail "dpkg $* failed: $(cat "$work/dpkg.out")"
}

step "install $(basename "$old"), edit the game table, upgrade to $(basename "$new")"
dpkg_root --install "$old"
client="$work/game clients/recorder"
mkdir -p "$(dirname "$client")"
cp "$build/tests/record_client" "$client"
table=$root/etc/reclaunch/GameKindID.ini
printf '[gamekindid]\n122=%s\n' "$client" >"$table"
cp "$table" "$work/edited-table"
dpkg_root --install "$new"
installed=$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Version}' reclaunch)
[[ $installed == "$next" ]] || fail "version $installed installed by the upgrade"
cmp -s "$table" "$work/edited-table" || fail "the upgrade overwrote the edited game table"

# The launcher finds its table through /usr/lib/reclaunch/config, an absolute
# link to /etc/reclaunch; below the scratch root that leads to the machine's
# own /etc. So what runs the launcher runs in a mount namespace of its own,
# where the scratch root's etc/ lies over /etc in a read-only overlay that the
# machine never sees.
with_scratch_etc() {
  local private=(unshare --mount)
  [[ $(id -u) -eq 0 ]] || private+=(--map-root-user)
  # shellcheck disable=SC2016 # expanded by that shell
  "${private[@]}" sh -c 'mount --make-rprivate / &&
    mount -t overlay overlay -o "lowerdir=$0/etc:/etc" /etc && exec "$@"' "$root" "$@"
}

step "reclaunch-check on PATH explains the installed launcher"
synopsis=$(zcat "$root/usr/share/man/man1/reclaunch-check.1.gz" | sed -n '/^\.SH SYNOPSIS/,/^\.SH /p') ||
  fail "reclaunch-check has no manual page"
grep -q '^\.B reclaunch\\-check$' <<<"$synopsis" && ! grep -q launcher <<<"$synopsis" ||
  fail "the manual page's synopsis calls the program otherwise: $synopsis"
# The upgrade is the same build repackaged: its program is of the build's version.
[[ $("$root/usr/bin/reclaunch-check" --version) == "launcher-check $version" ]] ||
  fail "reclaunch-check --version does not answer $version"
record="$work/records/牌局 记录/poker 0001.rec"
mkdir -p "$(dirname "$record")"
cp "$here/../../examples/records/poker-0001.rec" "$record"
with_scratch_etc "$root/usr/bin/reclaunch-check" "$record" >"$work/check.txt" ||
  fail "reclaunch-check finds no client: $(cat "$work/check.txt")"

step "open a record from the desktop"
# The entry names the launcher where the package puts it; here that is below
# the scratch root.
desktop_file=$root/usr/share/applications/kelvo-record.desktop
desktop-file-validate "$desktop_file" || fail "the desktop entry is not valid"
grep -qx 'Exec=/usr/lib/reclaunch/launcher %f' "$desktop_file" || fail "the desktop entry runs something else"
# The entry and the file type show the icon the package installs.
grep -qx 'Icon=reclaunch' "$desktop_file" && grep -q '<icon name="reclaunch"/>' \
  "$root/usr/share/mime/packages/kelvo-record.xml" && [[ -s $root/usr/share/icons/hicolor/scalable/apps/reclaunch.svg ]] ||
  fail "the desktop entry or the file type names no icon the package installs"
sed -i "s|^Exec=/usr/|Exec=$root/usr/|" "$desktop_file"
desktop=(env -i PATH="$PATH" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
  XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache"
  XDG_DATA_DIRS="$root/usr/share" RECLAUNCH_CLIENT_REPORTS="$work/reports")
"${desktop[@]}" update-mime-database "$root/usr/share/mime"
"${desktop[@]}" update-desktop-database "$root/usr/share/applications"
"${desktop[@]}" xdg-mime default kelvo-record.desktop application/x-kelvo-record
with_scratch_etc "${desktop[@]}" gio open "$record" || fail "gio open failed"
expect_client "$work/reports" "\"$client\" KelvoFile \"$record\""
echo "deb_test: passed"
