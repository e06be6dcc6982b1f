#!/usr/bin/env bash
# The Windows installer, end to end under a private Wine: install it
# silently into a folder of its own with a station, a game table and the
# failure log given on the command line, open a record the way the desktop
# does, see a failed launch logged under the registered source, refuse unusable
# values, upgrade into the same folder, replace a rebuild of the same version,
# repair, refuse a downgrade, then remove it.
#
#   tests/package/msi_test.sh [build folder]     (default build/mingw)
#
# The package comes from the build folder; the upgrade, one patch version
# higher, from the same sources in the second build folder beside it
# (<build>-second, which the reproducibility check builds too). Wine runs
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
  upgrade=$build-second
  # with-wine.sh remakes the prefix itself, after stopping a server an
  # interrupted run left behind.
  next=$(next_version "$(package_version "$build")")
  mkdir -p "$work"
  find "$work" -mindepth 1 -maxdepth 1 ! -name wineprefix -exec rm -rf {} +

  step "packages"
  log=$work/build.log
  cpack -G External --config "$build/CPackConfig.cmake" -B "$work/old" >"$log" 2>&1 ||
    fail "cpack failed, see $log"
  { build_second "$build" "$next" &&
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
folder='C:\Games\Reclaunch'
installed="$WINEPREFIX/drive_c/Games/Reclaunch"
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
# Fails naming the first of the values (lines of `reg export`) that $1 lacks.
expect_values() {
  local text=$1 what=$2 value
  shift 2
  for value in "$@"; do
    grep -qxF "$value" <<<"$text" || fail "$what has no $value:"$'\n'"$text"
  done
}
product_code() { msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'; }
uninstall_key() { echo "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(product_code "$1")"; }
windows_path() { winepath -w "$1" </dev/null 2>/dev/null; }
# The Add/Remove Programs entry of a package: version, publisher, location,
# no Change button, the README as help and about page (plain text, which
# Windows can show), the contact.
expect_arp_entry() {
  local entry
  entry=$(reg_export "$(uninstall_key "$1")") || fail "no Add/Remove Programs entry for $1"
  expect_values "$entry" "the Add/Remove Programs entry" "\"DisplayVersion\"=\"$2\"" \
    '"Publisher"="reclaunch"' "\"InstallLocation\"=\"${folder//\\/\\\\}\\\\\"" \
    '"NoModify"=dword:00000001' "\"HelpLink\"=\"${folder//\\/\\\\}\\\\README.txt\"" \
    "\"URLInfoAbout\"=\"${folder//\\/\\\\}\\\\README.txt\"" '"Contact"="the reclaunch authors"'
}
# Everything an installation is: its files and the product's keys.
snapshot() {
  (cd "$installed" && find . -type f -exec md5sum {} + | LC_ALL=C sort)
  reg_export 'HKLM\Software\Reclaunch' || true
  reg_export 'HKLM\Software\Classes\Kelvo.Record' || true
  ls "$WINEPREFIX/drive_c/Program Files"
}
# The subsystem field of a PE header: 2 GUI, 3 console.
pe_subsystem() {
  local pe
  pe=$(od -An -tu4 -j60 -N4 "$1")
  od -An -tu2 -j$((pe + 92)) -N2 "$1" | tr -d ' '
}

step "package tables"
files=$(msiinfo export "$old" File | tr -d '\r')
for program in launcher.exe launcherw.exe launcher_check.exe; do
  grep -qP "^$program\t.*\t$(package_version "$build")\.0\t1033\t" <<<"$files" ||
    fail "$program has no version and language in the File table:"$'\n'"$files"
done
strings -e l "$(stage "$work/old")/launcherw.exe" | grep -qx 'Copyright (c) 2026 the reclaunch authors' ||
  fail "launcherw.exe has no LegalCopyright"
# The failure log's event source: registered on install, removed with the product.
event_source='SYSTEM\CurrentControlSet\Services\EventLog\Application\reclaunch'

# The client of every record below, and a game table naming it, given at
# deployment.
client='C:\Game Clients\recorder.exe'
mkdir -p "$WINEPREFIX/drive_c/Game Clients" "$WINEPREFIX/drive_c/deploy"
cp "$build/tests/record_client.exe" "$WINEPREFIX/drive_c/Game Clients/recorder.exe"
given_table="$WINEPREFIX/drive_c/deploy/site table.ini"
printf '[gamekindid]\r\n122=%s\r\n' "$client" >"$given_table"
expect_config() {
  cmp -s "$installed/config/GameKindID.ini" "$given_table" || fail "$1: the game table is not the given one"
  grep -q $'^failures=1\r$' "$installed/config/reclaunch.ini" || fail "$1: the failure log is not on"
  [[ $(cat "$installed/config/StationID.ini") == $'[stationid]\r\nstationid='"$2"$'\r' ]] ||
    fail "$1: StationID.ini holds [$(cat "$installed/config/StationID.ini")], not station $2"
}

step "install $(basename "$old") into $folder with a station and a game table"
[[ $(msiexec /i "$(windows_path "$old")" INSTALLDIR="$folder" STATIONID=5 \
  GAMETABLE='C:\deploy\site table.ini' LOGFAILURES=1 /l*v "$(windows_path "$work/install.log")") == 0 ]] ||
  fail "the install failed"
# Station 5 has no site file there, which would cost every launch a wait.
grep -aqF 'STATIONID=5: C:\Games\Reclaunch\config\siteinfo_5.ini does not open' "$work/install.log" ||
  fail "the installer's log does not name the missing site file"
# The package's own actions (actions/) are staged with the programs but never installed.
diff -r -x actions -x GameKindID.ini -x StationID.ini -x reclaunch.ini "$(stage "$work/old")" "$installed" ||
  fail "the installation differs from the package"
expect_config "install" 5
[[ $(pe_subsystem "$installed/launcherw.exe") == 2 && $(pe_subsystem "$installed/launcher.exe") == 3 ]] ||
  fail "launcherw.exe is no GUI program, or launcher.exe no console program"
# Shipped stripped, each program's debug information in the symbols archive
# beside the package, under the name its debug link gives.
symbols=$(tar -tzf "$(echo "$work"/old/*-symbols.tar.gz)")
for program in launcher.exe launcherw.exe launcher-check.exe; do
  sections=$(x86_64-w64-mingw32-objdump -h "$installed/$program")
  ! grep -q '\.debug_' <<<"$sections" && grep -q '\.gnu_debuglink' <<<"$sections" ||
    fail "$program is not stripped, or names no symbols file"
  grep -qx "$program.debug" <<<"$symbols" || fail "the symbols archive has no $program.debug"
done
# Opening a record below shows the open verb works; these are the rest.
exe="${folder//\\/\\\\}\\\\launcherw.exe"
expect_values "$(reg_export 'HKLM\Software\Classes\.rec' && reg_export 'HKLM\Software\Classes\Kelvo.Record')" \
  "the record association" '"Content Type"="application/x-kelvo-record"' '"Kelvo.Record"=""' \
  "@=\"\\\"$exe\\\",0\"" "@=\"\\\"$exe\\\" \\\"%1\\\"\""
expect_values "$(reg_export 'HKLM\Software\Reclaunch' && reg_export 'HKLM\Software\RegisteredApplications')" \
  "the application's registration" '"ApplicationName"="Reclaunch"' '".rec"="Kelvo.Record"' \
  '"ApplicationDescription"="Opens game record files with their game client"' \
  '"Reclaunch"="Software\\Reclaunch\\Capabilities"'
expect_arp_entry "$old" "$(package_version "$build")"
expect_values "$(reg_export "HKLM\\$event_source")" "the event source" \
  "\"EventMessageFile\"=\"${folder//\\/\\\\}\\\\launcher.exe\"" '"TypesSupported"=dword:00000003'

# Opens the record as Explorer does, through the association, and checks the
# client got exactly its command line, in the ANSI code page.
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

step "open a record by its association, with the given game table"
open_record

step "a record of a kind the table lacks: one Warning, its folder's GBK name as the right characters"
printf '\x05\0\0\0' >"$work/records/牌局 记录/other kind.rec"
WINEDEBUG=+eventlog wine "$folder\\launcher.exe" "$(windows_path "$work/records/牌局 记录/other kind.rec")" \
  </dev/null >/dev/null 2>"$work/eventlog" || fail "the launcher failed"
{ grep -q 'warn:eventlog:ReportEventW L".*\\724c\\5c40 \\8bb0\\5f55\\\\other kind.rec"$' "$work/eventlog" &&
  grep -q 'warn:eventlog:ReportEventW L"the game table lists no client for the kind"$' "$work/eventlog"; } ||
  fail "no entry for the record:"$'\n'"$(grep -a eventlog "$work/eventlog")"

before=$(snapshot)
for values in STATIONID=5x 'GAMETABLE=C:\deploy\missing.ini' LOGFAILURES=yes; do
  step "refuse $values"
  [[ $(msiexec /i "$(windows_path "$new")" "$values") == $((1603 % 256)) ]] ||
    fail "$values was not refused"
  [[ $(snapshot) == "$before" ]] || fail "the refused $values changed the installation"
done

step "upgrade to $(basename "$new"), naming no folder"
[[ $(msiexec /i "$(windows_path "$new")") == 0 ]] || fail "the upgrade failed"
expect_config "upgrade" 5
diff -r -x actions -x GameKindID.ini -x StationID.ini -x reclaunch.ini "$(stage "$work/new")" "$installed" ||
  fail "the upgraded installation differs from the new package"
[[ -e "$WINEPREFIX/drive_c/Program Files/Reclaunch" ]] && fail "the upgrade went to Program Files"
reg_export "$(uninstall_key "$old")" >/dev/null && fail "the old version's entry remains"
expect_arp_entry "$new" "$(next_version "$(package_version "$build")")"
open_record

# The same version rebuilt: another product code, as every build has.
rebuilt=$work/rebuilt.msi
cp "$new" "$rebuilt"
guid() { tr '[:lower:]' '[:upper:]' </proc/sys/kernel/random/uuid; }
if ! msibuild "$rebuilt" -q "UPDATE Property SET Value = '{$(guid)}' WHERE Property = 'ProductCode'" ||
  ! msibuild "$rebuilt" -s Reclaunch reclaunch 'x64;1033' "{$(guid)}"; then
  fail "the rebuild could not be made"
fi
step "install a rebuild of the same version with STATIONID=6"
[[ $(msiexec /i "$(windows_path "$rebuilt")" STATIONID=6) == 0 ]] || fail "the rebuild's install failed"
expect_config "rebuild" 6
reg_export "$(uninstall_key "$new")" >/dev/null && fail "the replaced build's entry remains"
expect_arp_entry "$rebuilt" "$(next_version "$(package_version "$build")")"
printf '[gamekindid]\r\n122=%s\r\n; edited\r\n' "$client" >"$work/edited-table"
cp "$work/edited-table" "$installed/config/GameKindID.ini"

step "repair, every file reinstalled"
[[ $(msiexec /i "$(windows_path "$rebuilt")" REINSTALL=ALL REINSTALLMODE=amus) == 0 ]] ||
  fail "the repair failed"
cmp -s "$installed/config/GameKindID.ini" "$work/edited-table" || fail "the repair overwrote the edited game table"
[[ -e "$WINEPREFIX/drive_c/Program Files/Reclaunch" ]] && fail "the repair went to Program Files"

step "downgrade"
[[ $(msiexec /i "$(windows_path "$old")") == $((1603 % 256)) ]] || fail "the downgrade was not refused"

step "remove"
[[ $(msiexec /x "$(windows_path "$rebuilt")") == 0 ]] || fail "the removal failed"
left=$(cd "$installed" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
[[ $left == "./config/GameKindID.ini ./config/StationID.ini ./config/reclaunch.ini ./config/siteinfo_1.ini " ]] ||
  fail "the removal left $left"
cmp -s "$installed/config/GameKindID.ini" "$work/edited-table" || fail "the removal changed the edited game table"
for key in 'HKLM\Software\Classes\.rec' 'HKLM\Software\Classes\Kelvo.Record' "$(uninstall_key "$rebuilt")" \
  'HKLM\Software\Reclaunch\Capabilities' "HKLM\\$event_source"; do
  reg_export "$key" >/dev/null && fail "the removal left $key"
done
for value in 'HKLM\Software\Reclaunch /v InstallDir' 'HKLM\Software\RegisteredApplications /v Reclaunch'; do
  # shellcheck disable=SC2086 # the key and its value's name
  wine reg query $value </dev/null >/dev/null 2>&1 && fail "the removal left $value"
done
echo "msi_test: passed"
