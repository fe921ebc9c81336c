#!/usr/bin/env bash
# CheckZkcliManual.sh ZKCLI ZKCLI_1
# "zkcli --help" and the manual page zkcli(1) name the same commands and options.
set -euo pipefail
zkcli=$1 page=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

options() { grep -oE -- '(^|[^a-z0-9-])--?[a-z][a-z-]*' | sed 's/^[^-]*//' | sort -u; }
"$zkcli" --help >"$work/help.txt"
# The page as plain text: roff's minus signs and font changes taken out.
sed 's/\\-/-/g; s/\\f[BIRP]//g' "$page" >"$work/page.txt"

{ sed -n 's/^zkcli \([a-z][a-z0-9-]*\) .*/zkcli \1/p' "$work/help.txt"; options <"$work/help.txt"; } |
  sort -u >"$work/help"
{ sed -n 's/^\.SY "\?zkcli \([a-z][a-z0-9-]*\)"\?$/zkcli \1/p' "$work/page.txt"; options <"$work/page.txt"; } |
  sort -u >"$work/page"
if ! diff "$work/help" "$work/page"; then
  echo "FAIL: the lines with < are only in zkcli --help, those with > only in $page"
  exit 1
fi
echo "zkcli --help and $page name the same $(wc -l <"$work/help") commands and options"
