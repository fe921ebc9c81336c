#!/usr/bin/env bash
# zk's windows as a native Wayland client: a headless Weston (its pixman renderer, so that screenshots
# show what it draws) and the WaylandTour test inside it with QT_QPA_PLATFORM=wayland; the screenshots
# of every window land in WORK_FOLDER/screenshots.
#   WaylandTest.sh WAYLAND_TOUR QT_PLUGIN_FOLDER WORK_FOLDER
# Exit status 77 (skipped) when weston or Qt's Wayland platform plugin is missing.
set -uo pipefail
tour=$(realpath "$1")
plugins=$2
work=$3

command -v weston >/dev/null && command -v weston-screenshooter >/dev/null ||
  { echo "SKIP: weston is missing (apt-get install weston)"; exit 77; }
ls "$plugins"/platforms/libqwayland-*.so >/dev/null 2>&1 ||
  { echo "SKIP: Qt's Wayland plugin is missing (apt-get install qt6-wayland)"; exit 77; }

rm -rf "$work"
mkdir -p "$work/screenshots"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=zk-test
# --debug lets weston-screenshooter take the output.
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 --socket="$WAYLAND_DISPLAY" \
  --idle-time=0 --debug --log="$work/weston.log" &
weston=$!
trap 'kill "$weston" 2>/dev/null; wait 2>/dev/null' EXIT
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || { echo "FAIL: weston did not start"; cat "$work/weston.log"; exit 1; }

unset DISPLAY
# Built with the sanitizers: the Wayland, EGL and D-Bus libraries keep buffers to the end.
printf 'leak:libwayland-client.so\nleak:libQt6WaylandClient.so\nleak:libEGL\nleak:libdbus-1.so\nleak:libfontconfig.so\n' >"$work/lsan.supp"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$work/lsan.supp"
# The headless backend has no seat; Qt 6.4's Wayland text input then crashes drawing a text box's cursor
# (it asks the missing keyboard), so the tour runs without an input method. A desktop always has a seat.
QT_IM_MODULE=none QT_QPA_PLATFORM=wayland ZK_SCREENSHOTS=$work/screenshots "$tour"
