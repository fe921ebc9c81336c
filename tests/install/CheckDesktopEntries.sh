#!/usr/bin/env bash
# CheckDesktopEntries.sh zk.desktop zk-decrypt.desktop
# desktop-file-validate (desktop-file-utils) on both entries, and what each opens; skipped (77) where the
# validator is missing.
set -uo pipefail
if ! command -v desktop-file-validate >/dev/null; then
  echo "SKIP: desktop-file-validate is not installed (package desktop-file-utils)"
  exit 77
fi
status=0
for entry in "$@"; do
  desktop-file-validate "$entry" || { echo "FAIL: $entry"; status=1; }
done
# The launcher encrypts what it opens, so it must not claim the container type; the hidden entry decrypts.
grep -qx 'Exec=zk %F' "$1" && ! grep -q '^MimeType=' "$1" || { echo "FAIL: $1 must encrypt and claim no type"; status=1; }
grep -qx 'Exec=zk -D %F' "$2" && grep -qx 'MimeType=application/x-zk-container;' "$2" &&
  grep -qx 'NoDisplay=true' "$2" || { echo "FAIL: $2 must decrypt containers, hidden"; status=1; }
exit $status
