#!/usr/bin/env bash
# Takes the README's screenshots of zk under Xvfb with a real window manager, so that captions and
# frames show as a user sees them. Needs: xvfb xauth openbox xdotool imagemagick (and a built zk).
#   doc/TakeScreenshots.sh build/release/src/app/zk build/release/src/cli/zkcli
set -euo pipefail
zk=$(realpath "$1")
zkcli=$(realpath "$2")
out=$(realpath "$(dirname "$0")/screenshots")
work=$(mktemp -d)
ini="$(dirname "$zk")/ZK.ini"
trap 'rm -rf "$work" "$ini"' EXIT

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
openbox >/dev/null 2>&1 &
sleep 1

settings() { printf '[SYSTEM]\nFIRSTEXEC=0\n%s' "$1" >"$ini"; }
wait_window() {  # title: the id of the visible window with exactly that title
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.2
  done
  echo "no window '$1'" >&2
  return 1
}
shoot() {  # title file
  sleep 0.6
  import -frame -window "$(wait_window "$1")" "$out/$2"
}
dismiss_notice() { xdotool windowactivate --sync "$(wait_window ZK)" key Return; }
click() {  # title x y: a click at x, y inside the window's client area
  id=$(wait_window "$1")
  xdotool mousemove --window "$id" "$2" "$3" click 1
}
finish() { pkill -x zk || true; sleep 0.5; }

cd "$work"
mkdir docs
printf 'minutes of the meeting\n' >docs/議事録.txt
printf 'budget 2027\n' >docs/budget.ods
printf 'photo\n' >docs/holiday.jpg
"$zkcli" encrypt -p "correct horse" --hint "いつもの" docs/議事録.txt >/dev/null
"$zkcli" encrypt -p "correct horse" --hint "馬の名前" docs/budget.ods >/dev/null
"$zkcli" encrypt -p "correct horse" --hint "the usual" docs/holiday.jpg >/dev/null
rm docs/議事録.txt docs/budget.ods docs/holiday.jpg

# The main window, with the wipe bin shown.
settings 'TOPWIPE=1
'
"$zk" &
dismiss_notice
shoot "ZK Ver3.4a" main-window.png
finish

# The password dialog of an encryption.
settings ''
printf 'draft\n' >letter.txt
"$zk" letter.txt &
dismiss_notice
xdotool windowactivate --sync "$(wait_window ファイルの暗号化)" key Return
id=$(wait_window "暗号化に使用するパスワードを入力してください。")
xdotool windowactivate --sync "$id" type --delay 20 "secret"
shoot "暗号化に使用するパスワードを入力してください。" password-dialog.png
finish

# The confirmation list after a decryption run, then after re-encryption.
settings 'WIPEDECSOURCE=0
'
"$zk" -D docs &
dismiss_notice
xdotool windowactivate --sync "$(wait_window ファイルの復号)" key Return
id=$(wait_window "復号に使用するパスワードを入力してください。")
xdotool windowactivate --sync "$id" type --delay 20 "correct horse"
xdotool key Return
# The hints and the decrypted paths stand to the right of the 450-pixel path column.
click "全てのファイル/フォルダを正常に処理しました。" 500 242
shoot "全てのファイル/フォルダを正常に処理しました。" decryption-finished.png
click "全てのファイル/フォルダを正常に処理しました。" 60 313
xdotool windowactivate --sync "$(wait_window ZK)" key Return
click "全てのファイル/フォルダを正常に処理しました。" 30 242
shoot "全てのファイル/フォルダを正常に処理しました。" re-encryption-finished.png
finish

# The options dialog, the security dialog and the SHA-1 tool with a result.
settings ''
"$zk" &
dismiss_notice
click "ZK Ver3.4a" 120 132
shoot "オプション" options-dialog.png
click "オプション" 280 372
shoot "セキュリティレベル・アルゴリズムの変更" security-dialog.png
click "セキュリティレベル・アルゴリズムの変更" 270 264
click "オプション" 280 436
shoot "SHA-1ハッシュ計算" sha1-tool.png
click "SHA-1ハッシュ計算" 170 24
id=$(wait_window "開く")
xdotool windowactivate --sync "$id" type --delay 20 "$work/letter.txt"
xdotool key Return
shoot "選択したファイルのSHA-1計算結果" sha1-result.png
finish
echo "screenshots in $out"
