# Sourced by the GUI scripts that need a real X display: `start_display WORK TOOL...` skips the test (exit 77)
# when a tool is missing, starts Xvfb on a display of its own with WORK as a fresh scratch folder, and stops
# it and every process in `children` at exit. Also gives `fail MESSAGE` (counted in `failures`),
# `wait_window TITLE`, `make_zk_copy NAME FORMAT ARGS...` and `expect_zk_exit LABEL`.

start_display() {
  local work=$1 tool
  shift
  for tool in Xvfb xdotool "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is missing (apt-get install xvfb xauth xdotool $*)"
      exit 77
    fi
  done
  rm -rf "$work"
  mkdir -p "$work"
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  exec 3>&-
  children=()
  trap 'kill "${children[@]}" 2>/dev/null; sleep 0.5; kill "$xvfb"; wait 2>/dev/null' EXIT
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n 1 "$work/display")"
  export QT_QPA_PLATFORM=xcb
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  # Built with the sanitizers, zk on a real display loads libdbus, which keeps a buffer to the end.
  printf 'leak:libdbus-1.so\n' >"$work/lsan.supp"
  export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$work/lsan.supp"
}

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

# Waits up to 15 s for zk ($zk_pid) to end by itself and fails unless it ends with status 0. A zk that does
# not end is killed, after the windows it still shows are listed (the caller's `list_windows`). False when zk
# had to be killed; otherwise its status is left in `zk_status`.
expect_zk_exit() {  # label
  for _ in $(seq 150); do
    kill -0 "$zk_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$zk_pid" 2>/dev/null; then
    fail "$1: zk did not end"
    list_windows | sed 's/^/  /'
    kill -9 "$zk_pid"
    return 1
  fi
  wait "$zk_pid"
  zk_status=$?
  [ "$zk_status" = 0 ] ||
    fail "$1: zk ended with status $zk_status$([ "$zk_status" -gt 128 ] && echo " (signal $((zk_status - 128)))")"
}

# A fresh copy of $zk in WORK/NAME with the ZK.ini that printf makes of FORMAT and ARGS beside it, and a
# file.txt to work on.
make_zk_copy() {  # name format args...
  local folder=$work/$1
  mkdir -p "$folder"
  ln "$zk" "$folder/zk" 2>/dev/null || cp "$zk" "$folder/zk"
  # shellcheck disable=SC2059 # the format is the caller's
  printf "$2" "${@:3}" >"$folder/ZK.ini"
  printf 'plain text\n' >"$folder/file.txt"
}
