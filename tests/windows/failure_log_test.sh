#!/usr/bin/env bash
# The failure log from both Windows launchers, under Wine (run by ctest under
# scripts/with-wine.sh). Wine has no Event Log: ReportEventW shows each
# insertion string on the eventlog debug channel, on the program's own
# standard error, which only a script beside it can read; and reads no
# message table, so launcher.exe's is checked as built.
#
#   tests/windows/failure_log_test.sh <build folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
# shellcheck source=tests/package/lib.sh
source "$source/tests/package/lib.sh"
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

step "the message table in launcher.exe"
messages=$(strings -e l "$build/launcher/launcher.exe" | grep -c '^A launch failed: ' || true)
causes=$(grep -c '^MessageId=' "$source/launcher/failure_messages.mc")
[[ $messages == "$causes" ]] || fail "launcher.exe holds $messages messages of the $causes causes"

win() { winepath -w "$1" 2>/dev/null; }
root=$(win "$work")
record="$root\\café.rec" # beyond ASCII, in the ANSI code page (1252)
cp "$build/tests/record_client.exe" "$work/client.exe"
echo "no program" >"$work/text.exe"
mkdir "$work/reports"
export RECLAUNCH_CLIENT_REPORTS
RECLAUNCH_CLIENT_REPORTS=$(win "$work/reports")

# Strings as Wine shows them: "<level> <string>" a line, backslashes and
# quotes escaped, characters beyond ASCII as \<hex>.
as_shown() {
  printf "$1 %s\n" "${@:2}" | sed -e 's/\\/\\\\/g' -e 's/"/\\"/g' -e 's/é/\\00e9/g'
}

# launch <program> <switch> <kind byte> <table> <level> [<cause>]: silent,
# exit code 0, one entry of that level and cause shown, none for no level.
launch() {
  local program=$1 switch=$2 kind=$3 table=$4 level=$5 cause=${6:-}
  rm -rf "$work/game"
  mkdir -p "$work/game/config"
  cp "$build/launcher/$program.exe" "$work/game/"
  printf '[log]\r\nfailures=%s\r\n' "$switch" >"$work/game/config/reclaunch.ini"
  [[ -z $table ]] || printf '[gamekindid]\r\n%s\r\n' "$table" >"$work/game/config/GameKindID.ini"
  printf '%b\0\0\0' "\\x$kind" >"$work/café.rec"
  WINEDEBUG=+eventlog wine "$work/game/$program.exe" "$record" </dev/null >"$work/out" 2>"$work/err" ||
    fail "$program [$table] kind 0x$kind ended with $?"
  [[ ! -s $work/out ]] || fail "$program [$table] kind 0x$kind printed $(cat "$work/out")"
  local got expected=""
  got=$(sed -n 's/^[0-9a-f]*:\([a-z]*\):eventlog:ReportEventW L"\(.*\)"$/\1 \2/p' "$work/err")
  [[ -z $level ]] || expected=$(as_shown "$level" "$record" $((16#$kind)) \
    "$root\\game\\config\\GameKindID.ini" "$cause" "\"$root\\game\\launcher-check\" \"$record\"")
  [[ $got == "$expected" ]] || fail "$program [$table] 0x$kind, switch $switch:"$'\n'"$got"$'\n'"not:"$'\n'"$expected"
}

for program in launcher launcherw; do
  step "$program"
  launch "$program" 1 7a "122=$root\\client.exe" ""
  launch "$program" 1 05 "122=$root\\client.exe" warn "the game table lists no client for the kind"
  launch "$program" 1 7a "122=$root\\none.exe" warn \
    "the client program does not exist: $root\\none.exe (File not found.)"
  launch "$program" 1 7a "122=$root\\text.exe" err \
    "the system refused to start the client: $root\\text.exe (Bad EXE format for $root\\text.exe.)"
  launch "$program" 1 7a "" warn "the game table does not exist"
done
echo "failure_log_test: passed"
