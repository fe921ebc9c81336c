#!/usr/bin/env bash
# The main window under a real window manager (Xvfb, openbox): a start and a close without a move leave the
# saved position as it was, with and without the wipe-bin button, start after start.
#   WindowPlaceTest.sh ZK WORK_FOLDER
# Exit status 77 (skipped) when Xvfb, openbox or xdotool is missing.
set -uo pipefail
zk=$(realpath "$1")
work=$2

source "$(dirname "$0")/XvfbDisplay.sh"
start_display "$work" openbox
openbox >"$work/openbox.log" 2>&1 &
children+=("$!")
sleep 1

# start_and_close FOLDER: zk started, its notice answered, its main window closed by the window manager.
start_and_close() {
  local id
  "$1/zk" >"$1/zk.log" 2>&1 &
  zk_pid=$!
  children+=("$zk_pid")
  id=$(wait_window ZK) && sleep 0.5 && xdotool windowactivate --sync "$id" key Return
  id=$(wait_window "ZK Ver3.4a") && sleep 0.5 && xdotool windowactivate --sync "$id" key alt+F4
  for _ in $(seq 100); do kill -0 "$zk_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$zk_pid" 2>/dev/null && { kill -9 "$zk_pid"; fail "$1: zk did not end"; }
  wait "$zk_pid" 2>/dev/null
}

for topwipe in 0 1; do
  folder=$work/topwipe-$topwipe
  make_zk_copy "topwipe-$topwipe" '[WINDOWPOS]\nX=300\nY=200\n[SYSTEM]\nFIRSTEXEC=0\nTOPWIPE=%s\n' "$topwipe"
  for start in 1 2 3; do
    start_and_close "$folder"
    place=$(grep -E '^[XY]=' "$folder/ZK.ini" | tr '\n' ' ')
    [ "$place" = "X=300 Y=200 " ] || fail "TOPWIPE=$topwipe, start $start: the window moved to $place"
  done
done

[ "$failures" = 0 ] && echo "The main window stays where it was."
exit $((failures > 0))
