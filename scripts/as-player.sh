#!/usr/bin/env bash
# Runs a command as a player would: without root's power to read any file
# whatever its rights. CI machines often run as root, where the tests of
# unreadable records and configuration files could only skip.
#
#   scripts/as-player.sh <command> [arguments...]
#
# Root keeps its user id (the build folder stays writable) but loses the two
# capabilities that override file rights, for the command and all it starts.
# Anyone else, or a system without setpriv, runs the command unchanged.
set -euo pipefail

drop_override=(setpriv --bounding-set -dac_override,-dac_read_search)
if [[ $(id -u) -eq 0 ]] && command -v setpriv >/dev/null && "${drop_override[@]}" true 2>/dev/null; then
  exec "${drop_override[@]}" "$@"
fi
exec "$@"
