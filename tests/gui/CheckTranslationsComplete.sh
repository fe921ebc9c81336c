#!/bin/sh
# Every text the desktop program shows has its English translation: lupdate gathers the texts of the
# sources into a copy of translations/zk_en.ts, and no entry may be left unfinished.
# Usage: CheckTranslationsComplete.sh LUPDATE SOURCE_DIR
lupdate=$1
source=$2
if [ ! -x "$lupdate" ]; then
  echo "SKIP: lupdate not found ($lupdate); install qt6-l10n-tools"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$source/translations/zk_en.ts" "$work/zk_en.ts"
"$lupdate" -no-obsolete -locations none -I "$source/src" \
  "$source/src/ui" "$source/src/dialogs" "$source/src/app" -ts "$work/zk_en.ts" >"$work/log" 2>&1 || {
  cat "$work/log"
  exit 1
}
if grep -q 'type="unfinished"' "$work/zk_en.ts"; then
  echo "Texts without an English translation (run the update_translations target and translate them):"
  grep -B2 'type="unfinished"' "$work/zk_en.ts" | grep '<source>'
  exit 1
fi
echo "every text has its English translation"
