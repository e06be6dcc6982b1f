#!/usr/bin/env bash
# The Debian package passes lintian: no error, and no warning but those the
# building guide explains (docs/building.md, its list under "Lintian", one
# "- `tag`: why" line each).
#
#   tests/package/lintian_test.sh [build folder]     (default build/release)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/package/lib.sh
source "$here/lib.sh"

build=$(realpath "${1:-build/release}")
work=$build/lintian-test
rm -rf "$work"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work.log" 2>&1 ||
  fail "cpack failed, see $work.log"

# shellcheck disable=SC2016 # backquotes of Markdown
explained=$(sed -n '/^### Lintian/,/^#/s/^- `\([a-z0-9-]*\)`:.*/\1/p' "$here/../../docs/building.md")
lintian --tag-display-limit 0 "$work"/*.deb >"$work/lintian.txt" 2>&1 || true
{ grep -E '^[EW]: ' "$work/lintian.txt" || true; } | while read -r kind _ tag _; do
  [[ $kind == E: ]] && fail "lintian: $(grep -F " $tag" "$work/lintian.txt")"
  grep -qxF "$tag" <<<"$explained" || fail "lintian warns unexplained: $(grep -F " $tag" "$work/lintian.txt")"
done
cat "$work/lintian.txt"
echo "lintian_test: passed"
