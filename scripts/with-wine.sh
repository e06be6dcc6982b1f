#!/usr/bin/env bash
# Runs a command (ctest, usually) against a private, headless Wine:
#
#   [RECLAUNCH_WINE_LOCALE=<locale>] scripts/with-wine.sh <build folder> <command> [arguments...]
#
# The Wine prefix is made fresh under the build folder, so no state of an
# earlier run or of the user's ~/.wine leaks in. One persistent wineserver
# serves the whole command and is stopped afterwards, also on failure; its
# output goes nowhere, since a server holding the caller's pipe open makes
# every wine process wait for it. A scratch folder is mapped as drive R: for
# the tests of a launcher standing in a drive's root.
set -euo pipefail

build=$(realpath "$1")
shift

export WINEDEBUG=-all
# ANSI code page 1252, whatever the caller's locale: the tests of names
# outside the code page rely on it, and file names are UTF-8 on the host.
# RECLAUNCH_WINE_LOCALE asks for another: zh_CN.UTF-8 gives code page 936
# (GBK), as on a Chinese Windows.
export LANG=${RECLAUNCH_WINE_LOCALE:-C.UTF-8}
unset LC_ALL
export WINEPREFIX="$build/wineprefix"
# No Mono or Gecko installer prompts while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Headless: never try a display, even when the caller has one.
unset DISPLAY WAYLAND_DISPLAY
# The end-to-end runs wait this long for clients nobody expects; Wine starts
# processes more slowly than Linux.
export RECLAUNCH_TEST_SETTLE_MS=${RECLAUNCH_TEST_SETTLE_MS:-1500}

# Runs on one build folder take turns: each remakes the prefix and stops the
# server, which would pull the ground from under another's tests. Only this
# shell holds the lock (9>&- below), so nothing it starts can keep it.
exec 9>"$build/wine.lock"
flock 9

stop_server() { wineserver -k </dev/null >/dev/null 2>&1 9>&- || true; }
trap stop_server EXIT

# A server left running by an interrupted run would outlive its prefix.
if [[ -d $WINEPREFIX ]]; then stop_server; fi
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1 9>&-
wineboot -i </dev/null >/dev/null 2>&1 9>&-

drive="$build/wine-drive-r"
rm -rf "$drive"
mkdir -p "$drive"
ln -s "$drive" "$WINEPREFIX/dosdevices/r:"
export RECLAUNCH_TEST_DRIVE_ROOT='R:\'

"$@" 9>&-
