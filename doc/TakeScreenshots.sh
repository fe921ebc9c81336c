#!/usr/bin/env bash
# Takes the README's screenshots of zk under Xvfb with a real window manager, so that captions and
# frames show as a user sees them. Needs: xvfb xauth openbox xdotool imagemagick (and a built zk).
#   doc/TakeScreenshots.sh build/release/src/app/zk build/release/src/cli/zkcli [ja|en]
# With "en" the program runs under an English locale and the pictures are named *-en.png.
#   doc/TakeScreenshots.sh build/release/tests/gui/WaylandTour wayland
# takes the Wayland ones in both languages: the tour under a headless Weston (tests/gui/WaylandTest.sh, which
# needs weston and qt6-wayland), each window cut out of the compositor's output.
set -euo pipefail
if [ "${2:-}" = wayland ]; then
  here=$(dirname "$(realpath "$0")")
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  "$here/../tests/gui/WaylandTest.sh" "$1" "$(qtpaths6 --query QT_INSTALL_PLUGINS)" "$work" >/dev/null
  # A window is the light area below the panel; opening the mask drops the light specks of the background.
  cut_window() {  # taken name
    local box
    box=$(convert "$work/screenshots/$1" -crop 1024x736+0+32 +repage -colorspace gray -threshold 85% \
      -morphology Open Square:4 -format '%@' info:)
    read -r w h x y <<<"$(tr 'x+' '  ' <<<"$box")"
    convert "$work/screenshots/$1" -crop "$((w + 16))x$((h + 16))+$((x - 8))+$((y + 32 - 8))" +repage \
      -strip "$here/screenshots/$2"
  }
  for suffix in "" -en; do
    cut_window "01-main-window$suffix.png" "wayland-main-window$suffix.png"
    cut_window "13-confirmation-after-the-run$suffix.png" "wayland-list-finished$suffix.png"
  done
  echo "screenshots in $here/screenshots"
  exit 0
fi
zk=$(realpath "$1")
zkcli=$(realpath "$2")
language=${3:-ja}
out=$(realpath "$(dirname "$0")/screenshots")
work=$(mktemp -d /tmp/zkXXXX)  # short, so that the list's paths fit its width
ini="$(dirname "$zk")/ZK.ini"
trap 'rm -rf "$work" "$ini"' EXIT

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
openbox >/dev/null 2>&1 &
sleep 1
# A runtime folder of its own: the single-instance lock of a zk the user runs meanwhile is not ours.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The captions the script waits for, in the program's language.
if [ "$language" = en ]; then
  zk_locale=en_US.UTF-8
  suffix=-en
  encrypt_list="Encrypt Files" encrypt_password="Encryption Password"
  decrypt_list="Decrypt Files" decrypt_password="Decryption Password"
  all_done="All files and folders were processed successfully." options="Options"
  three_failed="Finished\\. 3 file\\(s\\) failed\\."  # a pattern: the dots and brackets escaped
  security="Security Level and Algorithm" sha1="SHA-1 Hash" open="Open" sha1_result="SHA-1 of the chosen file"
else
  zk_locale=C.UTF-8  # Japanese, and present on every system
  suffix=
  encrypt_list="ファイルの暗号化" encrypt_password="暗号化に使用するパスワードを入力してください。"
  decrypt_list="ファイルの復号" decrypt_password="復号に使用するパスワードを入力してください。"
  all_done="全てのファイル/フォルダを正常に処理しました。" options="オプション"
  three_failed="終了しました。　失敗数 : 3個"
  security="セキュリティレベル・アルゴリズムの変更" sha1="SHA-1ハッシュ計算" open="開く"
  sha1_result="選択したファイルのSHA-1計算結果"
fi

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
  import -frame -window "$(wait_window "$1")" "$out/$2$suffix.png"
}
dismiss_notice() { xdotool windowactivate --sync "$(wait_window ZK)" key Return; }
click() {  # title x y: a click at x, y inside the window's client area
  id=$(wait_window "$1")
  xdotool mousemove --window "$id" "$2" "$3" click 1
}
# Only zk runs in its language; the tools keep the locale they have.
start() { env LANGUAGE= LC_ALL= LC_MESSAGES= LANG="$zk_locale" "$zk" "$@" & zk_pid=$!; }
finish() { kill "$zk_pid" 2>/dev/null || true; wait "$zk_pid" 2>/dev/null || true; sleep 0.5; }

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
start
dismiss_notice
shoot "ZK Ver3.4a" main-window
finish

# The password dialog of an encryption.
settings ''
printf 'draft\n' >letter.txt
start letter.txt
dismiss_notice
xdotool windowactivate --sync "$(wait_window "$encrypt_list")" key Return
id=$(wait_window "$encrypt_password")
xdotool windowactivate --sync "$id" type --delay 20 "secret"
shoot "$encrypt_password" password-dialog
finish

# The confirmation list after a decryption run, then after re-encryption.
settings 'WIPEDECSOURCE=0
'
start -D docs
dismiss_notice
xdotool windowactivate --sync "$(wait_window "$decrypt_list")" key Return
id=$(wait_window "$decrypt_password")
xdotool windowactivate --sync "$id" type --delay 20 "correct horse"
xdotool key Return
# The hints and the decrypted paths stand to the right of the result column (450 pixels at least).
click "$all_done" 500 242
shoot "$all_done" decryption-finished
click "$all_done" 60 313
xdotool windowactivate --sync "$(wait_window ZK)" key Return
click "$all_done" 30 242
shoot "$all_done" re-encryption-finished
finish

# The list in the middle of a run on every core: the title names the rows in progress.
settings 'WIPESOURCE=0
'
mkdir photos
for i in 1 2 3 4 5 6; do head -c 100M /dev/urandom >"photos/photo$i.jpg"; done
start -F -P "correct horse" photos
dismiss_notice
for _ in $(seq 50); do
  # "[1-2/6Files]…を暗号化中", "[1-2/6] Encrypting …"
  id=$(xdotool search --onlyvisible --name '^\[[0-9-]+/6' 2>/dev/null | head -n 1) && [ -n "$id" ] && break
  sleep 0.1
done
[ -n "$id" ] || { echo "no list at work" >&2; exit 1; }
sleep 1
import -frame -window "$id" "$out/list-running$suffix.png"
finish
rm -r photos

# A folder encrypted with the source wipe where nothing may be lost: a link to a folder elsewhere is not
# followed, a file with another hard link keeps its data there, the unfinished file of an interrupted run is
# left alone, and a name holding a line break stays on one row.
settings ''
mkdir -p home/Documents home/old
printf 'thesis\n' >home/Documents/thesis.txt
ln -s ../Documents home/old/docs
printf 'notes\n' >home/old/notes.txt
printf 'kept\n' >home/old/report.txt
ln home/old/report.txt home/report-backup.txt
printf 'half\n' >home/old/photo.jpg.enc.zk-unfinished-k3x9q2
printf 'odd\n' >"home/old/two
lines.txt"
start -E home/old
dismiss_notice
xdotool windowactivate --sync "$(wait_window "$encrypt_list")" key Return
id=$(wait_window "$encrypt_password")
xdotool windowactivate --sync "$id" type --delay 20 "correct horse"
xdotool key Tab type --delay 20 "correct horse"
xdotool key Return
shoot "$three_failed" list-kept
finish
rm -r home

# The options dialog, the security dialog and the SHA-1 tool with a result.
settings ''
start
dismiss_notice
click "ZK Ver3.4a" 120 132
shoot "$options" options-dialog
click "$options" 280 372
shoot "$security" security-dialog
click "$security" 270 264
click "$options" 280 436
shoot "$sha1" sha1-tool
click "$sha1" 170 24
id=$(wait_window "$open")
xdotool windowactivate --sync "$id" type --delay 20 "$work/letter.txt"
xdotool key Return
shoot "$sha1_result" sha1-result
finish
echo "screenshots in $out"
