#!/usr/bin/env bash
# The documents' console examples, run and compared with what they show. A
# ```console block holds commands ("$ " lines) and the output they give; it
# runs in one shell, in a fresh copy of the sample installation standing for
# /opt/reclaunch, and its output must be the block's, line for line, where a
# line starting with "..." stands for any lines.
#
#   tests/docs/examples_test.sh <sample installation> <page>...
set -euo pipefail
installation=$(realpath "$1")
shift
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Whether the lines of file $2 are those of file $1, "..." lines standing for any.
matches() {
  local -a want got
  mapfile -t want <"$1"
  mapfile -t got <"$2"
  local w=0 g=0 skipping=0
  while ((w < ${#want[@]})); do
    if [[ ${want[w]} =~ ^[[:space:]]*\.\.\. ]]; then
      skipping=1 w=$((w + 1))
    elif ((g < ${#got[@]})) && [[ ${got[g]} == "${want[w]}" ]]; then
      skipping=0 w=$((w + 1)) g=$((g + 1))
    elif ((skipping && g < ${#got[@]})); then
      g=$((g + 1))
    else
      return 1
    fi
  done
  ((skipping || g == ${#got[@]}))
}

failed=0 count=0
for page in "$@"; do
  # One file of each block's commands and one of its output.
  rm -f "$scratch"/block-*
  awk -v out="$scratch/block-" '
    /^```console$/ { n++; inside = 1; printf "" >(out n ".want"); next }
    /^```$/ { inside = 0 }
    inside && /^\$ / { print substr($0, 3) >(out n ".sh"); next }
    inside { print >(out n ".want") }' "$page"
  for commands in "$scratch"/block-*.sh; do
    [[ -e $commands ]] || continue
    block=${commands%.sh} count=$((count + 1))
    rm -rf "$scratch/opt" && cp -a "$installation" "$scratch/opt"
    sed "s|/opt/reclaunch|$scratch/opt|g" "$commands" >"$block.run"
    bash "$block.run" </dev/null 2>&1 |
      sed "s|$scratch/opt|/opt/reclaunch|g; s/[[:space:]]*$//" >"$block.got" || true
    sed 's/[[:space:]]*$//' "$block.want" >"$block.expected"
    if ! matches "$block.expected" "$block.got"; then
      echo "FAIL: $page, example $(basename "$block"): it printed" >&2
      cat "$block.got" >&2
      failed=1
    fi
  done
done
((failed == 0 && count > 0)) || exit 1
echo "examples_test: $count examples passed"
