#!/usr/bin/env bash
# Every relative link of the documents names a file that exists: README.md,
# docs/ and launcher-check's page. Web addresses and a page's own anchors are
# not followed.
#
#   tests/docs/links_test.sh
set -euo pipefail
cd "$(dirname "$0")/../.."

broken=0
for page in README.md docs/*.md tools/launcher-check/README.md; do
  # [text](target) and [text](target "title"), several to a line.
  while read -r target; do
    target=${target%%#*}
    [[ -z $target || $target =~ ^[a-z]+: ]] && continue
    if [[ ! -e $(dirname "$page")/$target ]]; then
      echo "$page: the link to $target names no file" >&2
      broken=1
    fi
  done < <(grep -o '\]([^) ]*' "$page" | cut -c3-)
done
((broken == 0)) || exit 1
echo "links_test: passed"
