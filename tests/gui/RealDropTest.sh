#!/usr/bin/env bash
# Real drags onto zk under its own Xvfb display: a drag source window (zk_drag_source, QDrag) and the mouse
# moved by xdotool from it onto a drop target. Each drop starts a run that ends the program at once (-F); zk
# must do the work and exit with status 0, not die while the drop is still being delivered.
#   RealDropTest.sh ZK DRAG_SOURCE WORK_FOLDER
# Exit status 77 (skipped) when Xvfb or xdotool is missing.
set -uo pipefail
zk=$(realpath "$1")
source_program=$(realpath "$2")
work=$3

source "$(dirname "$0")/XvfbDisplay.sh"
start_display "$work"

press() {  # title key: the key pressed in that window
  local id
  id=$(wait_window "$1") || return 1
  sleep 0.3
  xdotool windowfocus --sync "$id" key "$2"
}

drag_to() {  # title x y file: drags the file from a fresh source window onto x, y inside that window
  local id X Y
  id=$(wait_window "$1") || return 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  "$source_program" 600 500 "$4" &
  children+=("$!")
  wait_window zk-drag-source >/dev/null || return 1
  sleep 0.5
  xdotool mousemove 650 550 mousedown 1
  for step in 10 20 40; do
    xdotool mousemove $((650 + step)) $((550 + step))
    sleep 0.2
  done
  xdotool mousemove $((X + $2 - 5)) $((Y + $3 - 5))
  sleep 0.5
  xdotool mousemove $((X + $2)) $((Y + $3))
  sleep 0.5
  xdotool mouseup 1
}

# case NAME SETTINGS ZK_WORDS...: a fresh copy of zk (its ZK.ini beside it) started with these words.
start_zk() {
  local folder=$work/$1
  make_zk_copy "$1" '[WINDOWPOS]\nX=100\nY=100\n[SYSTEM]\nFIRSTEXEC=0\nDBCHK=0\n%s' "$2"
  shift 2
  "$folder/zk" "$@" >"$folder/zk.log" 2>&1 &
  zk_pid=$!
  children+=("$zk_pid")
  press ZK Return  # the public-test notice
}

list_windows() { xdotool search --onlyvisible --name '.*' getwindowname %@ 2>/dev/null | sed 's/^/window: /'; }
expect_clean_exit() { expect_zk_exit "$1"; }  # the program must end by itself, with status 0

# zk -F -P pass1234, Escape in the file dialog, then a drop on the encrypt button.
start_zk encrypt-button "" -F -P pass1234
press "(開く|Open)" Escape
drag_to "ZK Ver3.4a" 60 60 "$work/encrypt-button/file.txt"
expect_clean_exit "drop on the encrypt button"
[ -s "$work/encrypt-button/file.txt.enc" ] || fail "drop on the encrypt button: no container"
[ -e "$work/encrypt-button/file.txt" ] && fail "drop on the encrypt button: the source is still there"

# zk -W -F opens the options dialog; a drop on its wipe bin.
start_zk options-wipe-bin "" -W -F
drag_to "オプション" 136 322 "$work/options-wipe-bin/file.txt"
expect_clean_exit "drop on the options dialog's wipe bin"
[ -e "$work/options-wipe-bin/file.txt" ] && fail "drop on the options dialog's wipe bin: not wiped"

# zk -W -F with the wipe bin on the main window: the options dialog closed, a drop on the wipe button.
start_zk main-wipe-button $'TOPWIPE=1\n' -W -F
press "オプション" Escape
drag_to "ZK Ver3.4a" 120 162 "$work/main-wipe-button/file.txt"
expect_clean_exit "drop on the main window's wipe button"
[ -e "$work/main-wipe-button/file.txt" ] && fail "drop on the main window's wipe button: not wiped"

[ "$failures" = 0 ] && echo "All real drops handled."
exit $((failures > 0))
