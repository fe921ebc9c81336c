#!/usr/bin/env bash
# Real drags between two Wayland clients: Weston runs in a window of its own Xvfb display (its X11 backend,
# so that xdotool's mouse is Weston's pointer), zk and the drag source (zk_drag_source, QDrag) run in it with
# QT_QPA_PLATFORM=wayland, and the mouse carries a file from the source onto a zk button. Weston places the
# windows itself; weston-debug's scene graph tells where. Each drop starts a run that ends the program at
# once (-F): zk must do the work and exit with status 0.
#   WaylandDropTest.sh ZK DRAG_SOURCE QT_PLUGIN_FOLDER WORK_FOLDER
# Exit status 77 (skipped) when Xvfb, xdotool, weston or Qt's Wayland platform plugin is missing.
set -uo pipefail
zk=$(realpath "$1")
source_program=$(realpath "$2")
plugins=$3
work=$4

source "$(dirname "$0")/XvfbDisplay.sh"
start_display "$work" weston weston-debug
ls "$plugins"/platforms/libqwayland-*.so >/dev/null 2>&1 ||
  { echo "SKIP: Qt's Wayland plugin is missing (apt-get install qt6-wayland)"; exit 77; }

# Built with the sanitizers: the Wayland and EGL libraries keep buffers to the end.
printf 'leak:libwayland-client.so\nleak:libQt6WaylandClient.so\nleak:libEGL\nleak:libfontconfig.so\n' >>"$work/lsan.supp"
export WAYLAND_DISPLAY=zk-drop-test QT_WAYLAND_DISABLE_WINDOWDECORATION=1
# --debug opens the scene graph to weston-debug.
weston --backend=x11-backend.so --use-pixman --width=900 --height=700 --socket="$WAYLAND_DISPLAY" \
  --idle-time=0 --debug --log="$work/weston.log" &
children+=("$!")
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || { echo "FAIL: weston did not start"; cat "$work/weston.log"; exit 1; }
for _ in $(seq 100); do
  weston_window=$(xdotool search --onlyvisible --class '^Weston Compositor$' 2>/dev/null | head -n 1)
  [ -n "$weston_window" ] && break
  sleep 0.1
done
[ -n "$weston_window" ] || { echo "FAIL: no Weston window on the X display"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$weston_window")"
weston_x=$X weston_y=$Y

# placed TITLE: "x y" of the window on the X display, or nothing while Weston does not show it. The clients
# draw no title bar (QT_WAYLAND_DISABLE_WINDOWDECORATION), so that a window's place is that of its inside.
placed() {
  local place x y
  place=$(timeout 5 weston-debug scene-graph 2>/dev/null | awk -v title="top-level window '$1' of" '
    index($0, title) { found = 1; next }
    found && /position: \(/ { gsub(/[^0-9 ]/, " "); print $1, $2; exit }
    found && /View [0-9]/ { exit }')
  [ -z "$place" ] || { read -r x y <<<"$place"; echo "$((weston_x + x)) $((weston_y + y))"; }
}

view() {  # TITLE: where the window is, once Weston shows it
  local place
  for _ in $(seq 100); do
    place=$(placed "$1")
    [ -n "$place" ] && { echo "$place"; return 0; }
    sleep 0.1
  done
  echo "no window '$1' in Weston" >&2
  return 1
}

press() {  # title key: a click into the window's corner gives it the keyboard, then the key
  local x y
  read -r x y <<<"$(view "$1")" || return 1
  sleep 0.5
  xdotool windowfocus --sync "$weston_window" mousemove $((x + 3)) $((y + 3)) click 1
  sleep 0.3
  xdotool key "$2"
}

drag_to() {  # title x y file: drags the file from a fresh source window onto x, y inside that window
  local target_x target_y source_x source_y
  read -r target_x target_y <<<"$(view "$1")" || return 1
  target_x=$((target_x + $2)) target_y=$((target_y + $3))
  # Weston puts a new window at a random place: a source that covers the drop point makes way for another.
  for _ in $(seq 10); do
    env -u DISPLAY QT_QPA_PLATFORM=wayland "$source_program" 0 0 "$4" &
    source_pid=$!
    children+=("$source_pid")
    read -r source_x source_y <<<"$(view zk-drag-source)" || return 1
    ((target_x < source_x || target_x >= source_x + 100 || target_y < source_y ||
      target_y >= source_y + 100)) && break
    kill "$source_pid"
    wait "$source_pid" 2>/dev/null
    while [ -n "$(placed zk-drag-source)" ]; do sleep 0.1; done
  done
  sleep 0.5
  xdotool mousemove $((source_x + 50)) $((source_y + 50)) mousedown 1
  for step in 10 20 40; do
    xdotool mousemove $((source_x + 50 + step)) $((source_y + 50 + step))
    sleep 0.2
  done
  xdotool mousemove $((target_x - 5)) $((target_y - 5))
  sleep 0.5
  xdotool mousemove "$target_x" "$target_y"
  sleep 0.5
  xdotool mouseup 1
}

start_zk() {  # NAME SETTINGS ZK_WORDS...: a fresh copy of zk (its ZK.ini beside it) started with these words
  local folder=$work/$1
  make_zk_copy "$1" '[SYSTEM]\nFIRSTEXEC=0\nDBCHK=0\n%s' "$2"
  shift 2
  # Weston here has no input method: Qt 6.4's Wayland text input would ask for one.
  env -u DISPLAY QT_QPA_PLATFORM=wayland QT_IM_MODULE=none "$folder/zk" "$@" >"$folder/zk.log" 2>&1 &
  zk_pid=$!
  children+=("$zk_pid")
  press ZK Return  # the public-test notice
}

list_windows() { timeout 5 weston-debug scene-graph 2>/dev/null | grep -o "top-level window '[^']*'"; }
expect_clean_exit() {  # what folder: zk must end by itself, with status 0, and the source see its drop taken
  expect_zk_exit "$1" || return
  [ "$zk_status" = 0 ] || sed 's/^/  zk: /' "$work/$2/zk.log"
  wait "$source_pid" || fail "$1: the drag source saw its drop refused"
}

# zk -F -P pass1234, Escape in the file dialog, then a drop on the encrypt button.
start_zk encrypt-button "" -F -P pass1234
press 開く Escape
drag_to "ZK Ver3.4a" 60 60 "$work/encrypt-button/file.txt"
expect_clean_exit "drop on the encrypt button" encrypt-button
[ -s "$work/encrypt-button/file.txt.enc" ] || fail "drop on the encrypt button: no container"
[ -e "$work/encrypt-button/file.txt" ] && fail "drop on the encrypt button: the source is still there"

# zk -W -F opens the options dialog; a drop on its wipe bin.
start_zk options-wipe-bin "" -W -F
drag_to "オプション" 136 322 "$work/options-wipe-bin/file.txt"
expect_clean_exit "drop on the options dialog's wipe bin" options-wipe-bin
[ -e "$work/options-wipe-bin/file.txt" ] && fail "drop on the options dialog's wipe bin: not wiped"

# zk -W -F with the wipe bin on the main window: the options dialog closed, a drop on the wipe button.
start_zk main-wipe-button $'TOPWIPE=1\n' -W -F
press オプション Escape
drag_to "ZK Ver3.4a" 120 162 "$work/main-wipe-button/file.txt"
expect_clean_exit "drop on the main window's wipe button" main-wipe-button
[ -e "$work/main-wipe-button/file.txt" ] && fail "drop on the main window's wipe button: not wiped"

[ "$failures" = 0 ] && echo "All Wayland drops handled."
exit $((failures > 0))
