#!/usr/bin/env bash
# The main window under a real window manager (Xvfb, openbox): a start and a close without a move leave the
# saved position as it was, with and without the wipe-bin button, start after start.
#   WindowPlaceTest.sh ZK WORK_FOLDER
# Exit status 77 (skipped) when Xvfb, openbox or xdotool is missing.
set -uo pipefail
zk=$(realpath "$1")
work=$2

for tool in Xvfb openbox xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is missing (apt-get install xvfb xauth openbox xdotool)"
    exit 77
  fi
done

rm -rf "$work"
mkdir -p "$work"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
trap 'kill "${zk_pid:-}" "${wm:-}" 2>/dev/null; sleep 0.5; kill "$xvfb"; wait 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf 'leak:libdbus-1.so\n' >"$work/lsan.supp"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$work/lsan.supp"
openbox >"$work/openbox.log" 2>&1 &
wm=$!
sleep 1

failures=0
fail() {
  echo "FAIL: $1"
  failures=$((failures + 1))
}

wait_window() {  # title: the id of the visible window with exactly that title
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window '$1'" >&2
  return 1
}

# start_and_close FOLDER: zk started, its notice answered, its main window closed by the window manager.
start_and_close() {
  local id
  "$1/zk" >"$1/zk.log" 2>&1 &
  zk_pid=$!
  id=$(wait_window ZK) && sleep 0.5 && xdotool windowactivate --sync "$id" key Return
  id=$(wait_window "ZK Ver3.4a") && sleep 0.5 && xdotool windowactivate --sync "$id" key alt+F4
  for _ in $(seq 100); do kill -0 "$zk_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$zk_pid" 2>/dev/null && { kill -9 "$zk_pid"; fail "$1: zk did not end"; }
  wait "$zk_pid" 2>/dev/null
}

for topwipe in 0 1; do
  folder=$work/topwipe-$topwipe
  mkdir -p "$folder"
  ln "$zk" "$folder/zk" 2>/dev/null || cp "$zk" "$folder/zk"
  printf '[WINDOWPOS]\nX=300\nY=200\n[SYSTEM]\nFIRSTEXEC=0\nTOPWIPE=%s\n' "$topwipe" >"$folder/ZK.ini"
  for start in 1 2 3; do
    start_and_close "$folder"
    place=$(grep -E '^[XY]=' "$folder/ZK.ini" | tr '\n' ' ')
    [ "$place" = "X=300 Y=200 " ] || fail "TOPWIPE=$topwipe, start $start: the window moved to $place"
  done
done

[ "$failures" = 0 ] && echo "The main window stays where it was."
exit $((failures > 0))
