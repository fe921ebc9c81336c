#!/usr/bin/env bash
# CheckInstallTree.sh CMAKE BUILD_DIR WITH_GUI(ON|OFF)
# Installs the build into a fresh prefix and checks that everything lies where the system looks for it,
# then round-trips a file through the installed zkcli.
set -euo pipefail
cmake=$1 build=$2 with_gui=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_file() { [ -f "$prefix/$1" ] || fail "missing $1"; }

expected=(bin/zkcli share/man/man1/zkcli.1.gz share/doc/zk/copyright share/doc/zk/changelog.Debian.gz
  share/bash-completion/completions/zkcli share/zsh/vendor-completions/_zkcli
  share/fish/vendor_completions.d/zkcli.fish)
if [ "$with_gui" = ON ]; then
  expected+=(bin/zk share/man/man1/zk.1.gz
    share/applications/zk.desktop share/applications/zk-decrypt.desktop share/mime/packages/zk.xml
    share/icons/hicolor/scalable/apps/zk.svg
    share/icons/hicolor/scalable/mimetypes/application-x-zk-container.svg
    share/kio/servicemenus/zk-encrypt-wipe.desktop share/kio/servicemenus/zk-decrypt.desktop
    share/nemo/actions/zk-encrypt.nemo_action share/nemo/actions/zk-decrypt.nemo_action
    share/nemo/actions/zk-wipe.nemo_action share/nautilus-python/extensions/zk_nautilus.py)
  for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x$size/apps/zk.png"
      "share/icons/hicolor/${size}x$size/mimetypes/application-x-zk-container.png")
  done
fi
for file in "${expected[@]}"; do expect_file "$file"; done
# The install itself refreshed the MIME database of its prefix (a user-local install needs no extra step).
if [ "$with_gui" = ON ] && command -v update-mime-database >/dev/null; then
  expect_file share/mime/application/x-zk-container.xml
fi
for program in zkcli zk; do
  [ ! -e "$prefix/bin/$program" ] || [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done

# Each bitmap has the size its folder names.
for png in "$prefix"/share/icons/hicolor/*x*/*/*.png; do
  [ -e "$png" ] || continue
  size=$(basename "$(dirname "$(dirname "$png")")")
  width=$(od -An -tu1 -j16 -N4 "$png" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
  [ "${size%x*}" = "$width" ] || fail "$png is $width pixels wide"
done

# The manual pages: gzip without a stored name or date, a page of the right name inside, and no roff
# warnings where man is installed.
for page in "$prefix"/share/man/man1/*.1.gz; do
  [ -e "$page" ] || continue
  name=$(basename "$page" .1.gz)
  gzip -t "$page" || fail "$page is no gzip file"
  [ "$(od -An -tu1 -j3 -N1 "$page" | tr -d ' ')" = 0 ] || fail "$page stores a name or comment"
  [ "$(od -An -tu4 -j4 -N4 "$page" | tr -d ' ')" = 0 ] || fail "$page stores a date"
  title=$(zcat "$page" | sed -n 's/^\.TH \([^ ]*\) 1 .*/\1/p')
  [ "$title" = "${name^^}" ] || fail "$page has the title '$title'"
  if command -v man >/dev/null; then
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || fail "man cannot show $page"
    [ -z "$warnings" ] || fail "$page: $warnings"
  fi
done
command -v man >/dev/null || echo "note: man is not installed; the pages' roff was not checked"

# The installed zkcli runs from its new place: a round trip gives the same bytes back.
zkcli=$prefix/bin/zkcli
mkdir "$work/files"
head -c 100000 /dev/urandom >"$work/files/data.bin"
cp "$work/files/data.bin" "$work/original.bin"
"$zkcli" encrypt -p 'パスワード pass' "$work/files/data.bin" >/dev/null || fail "zkcli encrypt failed"
rm -f "$work/files/data.bin"
"$zkcli" decrypt -p 'パスワード pass' "$work/files/data.bin.enc" >/dev/null || fail "zkcli decrypt failed"
cmp -s "$work/original.bin" "$work/files/data.bin" || fail "the decrypted file differs from the original"

[ "$failures" = 0 ] && echo "install tree complete, installed zkcli round trip good"
exit $((failures > 0))
