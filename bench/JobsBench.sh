#!/usr/bin/env bash
# zkcli on many files, one at a time (-j 1) against all cores (the default), Twofish:
#   200 files of 8 MiB and 2000 files of 4 KiB, encrypted and decrypted, and the 4 KiB files wiped;
#   the 4 KiB rows again while one core is kept busy by a spinning process (a user's browser or build);
#   2000 files of 4 KiB encrypted and decrypted in DISK_FOLDER (a real disk) against the work folder;
# and, against the zkcli given as BASELINE, one 256 MiB file (the one-file path must not get slower) and the
# processor time of -j 1 per file of 4 KiB.
#
# Usage: bench/JobsBench.sh [ZKCLI] [BASELINE_ZKCLI] [WORK_FOLDER] [DISK_FOLDER]
#   ZKCLI           the zkcli to measure (default build/release/src/cli/zkcli)
#   BASELINE_ZKCLI  a zkcli built from an earlier commit, for the baseline rows; skipped if not given (its
#                   -j 1 row needs one that knows -j)
#   WORK_FOLDER     where the scratch folder is made (default /dev/shm when it has 4 GiB free, else build/);
#                   it needs about 3.5 GiB. The scratch folder is removed at the end.
#   DISK_FOLDER     a folder on a real disk (ext4, say) for the disk rows; skipped if not given. Needs 20 MiB.
# Each pair of figures is the best wall time of 5 rounds that alternate the two runs compared, so that a busy
# moment of the machine sways both alike (3 rounds for the 256 MiB file); outputs of the previous run are
# removed untimed. Each row ends with the load average (1 minute) when it was done.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
zkcli=$(realpath "${1:-$repo/build/release/src/cli/zkcli}")
baseline=${2:+$(realpath "$2")}
disk_parent=${4:-}
if [ -n "${3:-}" ]; then
  parent=$3
elif [ "$(df --output=avail -k /dev/shm 2>/dev/null | tail -1)" -gt $((4 << 20)) ] 2>/dev/null; then
  parent=/dev/shm
else
  parent=$repo/build
fi
[ -x "$zkcli" ] || { echo "no zkcli at $zkcli (build it first)" >&2; exit 2; }

cores=$(nproc)
pw='benchmark pass phrase, long enough: 7Qz!'  # strong enough for zkcli to run without a warning
work=$(mktemp -d "$parent/jobsbench.XXXXXX")
disk=""
spinner=""
cleanup() {
  [ -z "$spinner" ] || kill "$spinner" 2>/dev/null || true
  rm -rf "$work" ${disk:+"$disk"}
}
trap cleanup EXIT
runs=3

echo "Making the files in $work ($cores cores) ..."
mkdir "$work/big" "$work/small" "$work/one" "$work/single"
head -c 8M /dev/urandom >"$work/seed8m"
head -c 4K /dev/urandom >"$work/seed4k"
for i in $(seq -w 0 199); do cp "$work/seed8m" "$work/big/f$i"; done
for i in $(seq -w 0 1999); do cp "$work/seed4k" "$work/small/f$i"; done
head -c 256M /dev/urandom >"$work/one/f"
cp "$work/seed4k" "$work/single/f"

# The containers of each set, alone in their own folder, for the decryption runs.
for set in big small; do
  "$zkcli" encrypt -p "$pw" "$work/$set" >/dev/null
  mkdir "$work/$set-enc"
  mv "$work/$set"/*.enc "$work/$set-enc/"
done

source "$repo/bench/Timing.sh"
row() { printf '%-34s %9s s %9s s   %6s   %-7s  %s\n' "$@" "$(cut -d' ' -f1 /proc/loadavg)"; }
heading() { printf '%-34s %11s %11s   %6s   %-7s  %s\n' "$@" "load"; }
clear_encrypted() { find "$1" -name '*.enc' -delete; }
clear_decrypted() { find "$1" -type f ! -name '*.enc' -delete; }
# The files to wipe, made anew before each run (untimed).
remake_wiped() { rm -rf "$work/wiped"; cp -r "$work/small" "$work/wiped"; find "$work/wiped" -name '*.enc' -delete; }

# encrypt_decrypt LABEL FOLDER TARGET: the files of FOLDER encrypted, then their containers decrypted, -j 1
# against the default.
zk() { "$zkcli" "$@"; }
encrypt_decrypt() {
  local label=$1 folder=$2 target=$3 one all
  read -r one all <<<"$(best_alternating "clear_encrypted $folder" \
    "zk encrypt -p \"\$pw\" -j 1 $folder" "zk encrypt -p \"\$pw\" $folder")"
  row "encrypt $label" "$one" "$all" "$(ratio "$all" "$one")" "$target"
  clear_encrypted "$folder"
  read -r one all <<<"$(best_alternating "clear_decrypted $folder-enc" \
    "zk decrypt -p \"\$pw\" -j 1 $folder-enc" "zk decrypt -p \"\$pw\" $folder-enc")"
  row "decrypt $label" "$one" "$all" "$(ratio "$all" "$one")" "$target"
  clear_decrypted "$folder-enc"
}

wipe_small() {
  local target=$1 one all
  read -r one all <<<"$(best_alternating remake_wiped "zk wipe --yes -j 1 $work/wiped" "zk wipe --yes $work/wiped")"
  row "wipe 2000 files of 4 KiB" "$one" "$all" "$(ratio "$all" "$one")" "$target"
}

echo
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
heading "measure (best of 5)" "-j 1" "-j $cores" "ratio" "target"
runs=5
encrypt_decrypt "200 files of 8 MiB" "$work/big" "<= 0.60"
encrypt_decrypt "2000 files of 4 KiB" "$work/small" "<= 0.80"
wipe_small "<= 0.80"

# One core kept busy: the default must still be no slower than one core.
( while :; do :; done ) &
spinner=$!
echo
echo "one core kept busy by a spinning process; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
heading "measure (best of 5)" "-j 1" "-j $cores" "ratio" "target"
encrypt_decrypt "2000 files of 4 KiB" "$work/small" "<= 1.00"
wipe_small "<= 1.00"
kill "$spinner"
wait "$spinner" 2>/dev/null || true
spinner=""

if [ -n "$disk_parent" ]; then
  disk=$(mktemp -d "$disk_parent/jobsbench-disk.XXXXXX")
  mkdir "$disk/small" "$disk/small-enc"
  cp "$work/small"/f* "$disk/small/"
  cp "$work/small-enc"/*.enc "$disk/small-enc/"
  sync
  echo
  echo "$(df --output=fstype "$disk" | tail -1) in $disk_parent against $(df --output=fstype "$work" | tail -1) in $parent, the default jobs; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
  heading "measure (best of 5)" "work folder" "disk" "ratio" "target"
  for op in encrypt decrypt; do
    if [ $op = encrypt ]; then sub=small; clear=clear_encrypted; else sub=small-enc; clear=clear_decrypted; fi
    read -r fast slow <<<"$(best_alternating "$clear $work/$sub; $clear $disk/$sub" \
      "zk $op -p \"\$pw\" $work/$sub" "zk $op -p \"\$pw\" $disk/$sub")"
    row "$op 2000 files of 4 KiB" "$fast" "$slow" "$(ratio "$slow" "$fast")" "<= 3.00"
    "$clear" "$work/$sub"
    "$clear" "$disk/$sub"
  done
fi

if [ -n "$baseline" ]; then
  runs=3
  echo
  heading "one 256 MiB file (best of $runs)" "baseline" "this" "ratio" "target"
  read -r before after <<<"$(best_alternating "clear_encrypted $work/one" \
    "\"\$baseline\" encrypt -p \"\$pw\" $work/one/f" "zk encrypt -p \"\$pw\" $work/one/f")"
  row "encrypt" "$before" "$after" "$(ratio "$after" "$before")" "<= 1.05"
  # Processor time of one core per small file: 2000 files less one, so that the start of the program
  # (the same for any number of files) does not count.
  runs=5
  cpu_of() {
    measure=cpu_once best_alternating "clear_encrypted $1" \
      "\"\$baseline\" encrypt -p \"\$pw\" -j 1 $1" "zk encrypt -p \"\$pw\" -j 1 $1"
  }
  read -r before after <<<"$(cpu_of "$work/small")"
  read -r before1 after1 <<<"$(cpu_of "$work/single")"
  per_thousand() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (a - b) / 1999 * 1000 }'; }
  before=$(per_thousand "$before" "$before1")
  after=$(per_thousand "$after" "$after1")
  row "-j 1 CPU per 1000 files of 4 KiB" "$before" "$after" "$(ratio "$after" "$before")" "<= 0.80"
fi
