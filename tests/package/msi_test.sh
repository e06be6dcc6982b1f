#!/usr/bin/env bash
# The Windows installer, end to end under a private Wine: install it
# silently, open a record the way the desktop does, upgrade over an edited
# game table, then remove it.
#
#   tests/package/msi_test.sh [build folder]     (default build/mingw)
#
# The package comes from the build folder; the upgrade, one patch version
# higher, from the same sources in a build folder of its own beside it
# (<build>-upgrade, kept between runs so only changes are rebuilt). Wine runs
# in a zh_CN locale, whose ANSI code page is 936 (GBK), so a record in a
# folder with a Chinese name reaches the launcher in ANSI.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
# shellcheck source=tests/package/lib.sh
source "$here/lib.sh"

if [[ ${1:-} != --under-wine ]]; then
  locale -a | grep -qix 'zh_CN.utf8' || fail "no zh_CN.UTF-8 locale: run scripts/setup.sh"
  build=$(realpath "${1:-build/mingw}")
  work=$build/installer-test
  upgrade=$build-upgrade
  # with-wine.sh remakes the prefix itself, after stopping a server an
  # interrupted run left behind.
  mkdir -p "$work"
  find "$work" -mindepth 1 -maxdepth 1 ! -name wineprefix -exec rm -rf {} +
  cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }

  step "packages"
  log=$work/build.log
  cpack -G External --config "$build/CPackConfig.cmake" -B "$work/old" >"$log" 2>&1 ||
    fail "cpack failed, see $log"
  next=$(next_version "$(package_version "$build")")
  { cmake -S "$source" -B "$upgrade" -G "$(cache CMAKE_GENERATOR)" \
    -DCMAKE_TOOLCHAIN_FILE="$(cache CMAKE_TOOLCHAIN_FILE)" \
    -DCMAKE_BUILD_TYPE="$(cache CMAKE_BUILD_TYPE)" -DRECLAUNCH_VERSION_OVERRIDE="$next" \
    -DRECLAUNCH_BUILD_TESTS=OFF -DRECLAUNCH_PACKAGE_DEMO=OFF &&
    cmake --build "$upgrade" -j "$(nproc)" &&
    cpack -G External --config "$upgrade/CPackConfig.cmake" -B "$work/new"; } >>"$log" 2>&1 ||
    fail "the upgrade package failed to build, see $log"

  export RECLAUNCH_WINE_LOCALE=zh_CN.UTF-8
  exec "$source/scripts/with-wine.sh" "$work" "$0" --under-wine "$build"
fi

# Under Wine, with its prefix made fresh in <work>/wineprefix.
build=$2
work=$build/installer-test
old=$(echo "$work"/old/*.msi)
new=$(echo "$work"/new/*.msi)
installed="$WINEPREFIX/drive_c/Program Files/Reclaunch"
stage() { echo "$1"/_CPack_Packages/*/External/*/msi; }

# msiexec's exit code, which Wine hands over modulo 256.
msiexec() {
  local status=0
  wine msiexec "$@" /qn </dev/null >/dev/null 2>&1 || status=$?
  echo "$status"
}
# A registry key as `reg export` writes it, in UTF-8; fails when the key is missing.
reg_export() {
  wine reg export "$1" "$work/key.reg" /y </dev/null >/dev/null 2>&1 || return 1
  iconv -f UTF-16 -t UTF-8 "$work/key.reg" | tr -d '\r'
}
uninstall_key() {
  echo "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(
    msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p')"
}
windows_path() { winepath -w "$1" </dev/null 2>/dev/null; }
# The Add/Remove Programs entry of a package: version, publisher, location.
expect_arp_entry() {
  local entry value
  entry=$(reg_export "$(uninstall_key "$1")") || fail "no Add/Remove Programs entry for $1"
  for value in "\"DisplayVersion\"=\"$2\"" '"Publisher"="reclaunch"' \
    '"InstallLocation"="C:\\Program Files\\Reclaunch\\"'; do
    grep -qxF "$value" <<<"$entry" || fail "the Add/Remove Programs entry has no $value"
  done
}

step "install $(basename "$old")"
[[ $(msiexec /i "$(windows_path "$old")") == 0 ]] || fail "the install failed"
diff -r "$(stage "$work/old")" "$installed" || fail "the installation differs from the package"
# Opening a record below shows the open verb works; these are the rest.
keys=$(reg_export 'HKLM\Software\Classes\.rec' && reg_export 'HKLM\Software\Classes\Kelvo.Record')
for value in '"Content Type"="application/x-kelvo-record"' '"Kelvo.Record"=""' \
  '@="\"C:\\Program Files\\Reclaunch\\launcher.exe\",0"'; do
  grep -qxF "$value" <<<"$keys" || fail "the record association has no $value:"$'\n'"$keys"
done
expect_arp_entry "$old" "$(package_version "$build")"

# Opens the record as Explorer does, through the association, and checks the
# client got exactly its command line, in the ANSI code page.
client='C:\Game Clients\recorder.exe'
mkdir -p "$WINEPREFIX/drive_c/Game Clients"
cp "$build/tests/record_client.exe" "$WINEPREFIX/drive_c/Game Clients/recorder.exe"
record="$work/records/牌局 记录/poker 0001.rec"
mkdir -p "$(dirname "$record")" "$work/reports"
cp "$source/examples/records/poker-0001.rec" "$record"
export RECLAUNCH_CLIENT_REPORTS
RECLAUNCH_CLIENT_REPORTS=$(windows_path "$work/reports")
open_record() {
  wine start /unix "$record" </dev/null >/dev/null 2>&1 || fail "wine start failed"
  expect_client "$work/reports" \
    "$(printf '"%s" KelvoFile "%s"' "$client" "$(windows_path "$record")" | iconv -f UTF-8 -t GBK)"
}

step "open a record by its association"
table="$installed/config/GameKindID.ini"
printf '[gamekindid]\r\n122=%s\r\n' "$client" >"$table"
cp "$table" "$work/edited-table"
open_record

step "upgrade to $(basename "$new")"
[[ $(msiexec /i "$(windows_path "$new")") == 0 ]] || fail "the upgrade failed"
cmp -s "$table" "$work/edited-table" || fail "the upgrade overwrote the edited game table"
diff -r -x GameKindID.ini "$(stage "$work/new")" "$installed" ||
  fail "the upgraded installation differs from the new package"
reg_export "$(uninstall_key "$old")" >/dev/null && fail "the old version's entry remains"
expect_arp_entry "$new" "$(next_version "$(package_version "$build")")"
open_record

step "repair, every file reinstalled"
[[ $(msiexec /i "$(windows_path "$new")" REINSTALL=ALL REINSTALLMODE=amus) == 0 ]] ||
  fail "the repair failed"
cmp -s "$table" "$work/edited-table" || fail "the repair overwrote the edited game table"

step "downgrade"
[[ $(msiexec /i "$(windows_path "$old")") == $((1603 % 256)) ]] || fail "the downgrade was not refused"

step "remove"
[[ $(msiexec /x "$(windows_path "$new")") == 0 ]] || fail "the removal failed"
left=$(cd "$installed" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
[[ $left == "./config/GameKindID.ini ./config/StationID.ini ./config/siteinfo_1.ini " ]] ||
  fail "the removal left $left"
cmp -s "$table" "$work/edited-table" || fail "the removal changed the edited game table"
for key in 'HKLM\Software\Classes\.rec' 'HKLM\Software\Classes\Kelvo.Record' "$(uninstall_key "$new")"; do
  reg_export "$key" >/dev/null && fail "the removal left $key"
done
echo "msi_test: passed"
