#!/usr/bin/env bash
# Checks that the accessible names of zk's controls reach a screen reader: runs zk under Xvfb on a private
# D-Bus session with the AT-SPI bus, opens the password dialog, the confirmation list, the main window, the
# options, the security dialog and the SHA-1 tool, and lists what AT-SPI reports of each
# (ScreenReaderNames.py); the status is 1 when a control arrives without a name.
# Needs: xvfb xauth openbox xdotool at-spi2-core python3-pyatspi dbus (and a built zk).
#   doc/CheckScreenReaderNames.sh build/release/src/app/zk [ja|en]
set -euo pipefail
zk=$(realpath "$1")
language=${2:-ja}
here=$(dirname "$(realpath "$0")")

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- "$0" "$@"
fi
work=$(mktemp -d)
ini="$(dirname "$zk")/ZK.ini"
trap 'kill "${zk_pid:-}" "${wm_pid:-}" 2>/dev/null || true; rm -rf "$work" "$ini"' EXIT
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1

if [ "$language" = en ]; then
  zk_locale=en_US.UTF-8
  encrypt_list="Encrypt Files" encrypt_password="Encryption Password" options="Options"
  security="Security Level and Algorithm" sha1="SHA-1 Hash"
else
  zk_locale=C.UTF-8  # Japanese, and present on every system
  encrypt_list="ファイルの暗号化" encrypt_password="暗号化に使用するパスワードを入力してください。" options="オプション"
  security="セキュリティレベル・アルゴリズムの変更" sha1="SHA-1ハッシュ計算"
fi

wait_window() {
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.2
  done
  echo "no window '$1'" >&2
  return 1
}

printf '[SYSTEM]\nFIRSTEXEC=0\nTOPWIPE=1\n' >"$ini"
cd "$work"
printf 'draft\n' >letter.txt
env LANGUAGE= LC_ALL= LC_MESSAGES= LANG="$zk_locale" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$zk" letter.txt &
zk_pid=$!
xdotool windowactivate --sync "$(wait_window ZK)" key Return
wait_window "$encrypt_list" >/dev/null
xdotool windowactivate --sync "$(wait_window "$encrypt_list")" key Return
wait_window "$encrypt_password" >/dev/null
sleep 1
status=0
check() { sleep 1; /usr/bin/python3 "$here/ScreenReaderNames.py" "$1" || status=1; }
check "$encrypt_password"
xdotool key Escape
check "$encrypt_list"
xdotool windowactivate --sync "$(wait_window "$encrypt_list")" key Escape
check "ZK Ver3.4a"
xdotool mousemove --window "$(wait_window "ZK Ver3.4a")" 120 132 click 1
wait_window "$options" >/dev/null
check "$options"
xdotool mousemove --window "$(wait_window "$options")" 280 372 click 1
wait_window "$security" >/dev/null
check "$security"
xdotool mousemove --window "$(wait_window "$security")" 270 264 click 1
xdotool mousemove --window "$(wait_window "$options")" 280 436 click 1
wait_window "$sha1" >/dev/null
check "$sha1"
exit $status
