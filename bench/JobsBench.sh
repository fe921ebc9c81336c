#!/usr/bin/env bash
# zkcli on many files, one at a time (-j 1) against all cores (the default), Twofish:
#   200 files of 8 MiB and 2000 files of 4 KiB, encrypted and decrypted,
# and one 256 MiB file against the zkcli given as BASELINE (the one-file path must not get slower).
#
# Usage: bench/JobsBench.sh [ZKCLI] [BASELINE_ZKCLI] [WORK_FOLDER]
#   ZKCLI           the zkcli to measure (default build/release/src/cli/zkcli)
#   BASELINE_ZKCLI  a zkcli without -j (e.g. built from an earlier commit) for the 256 MiB row; skipped if
#                   not given
#   WORK_FOLDER     where the scratch folder is made (default /dev/shm when it has 4 GiB free, else build/);
#                   it needs about 3.5 GiB. The scratch folder is removed at the end.
# Each figure is the best wall time of 3 runs (7 for the 4 KiB files, whose runs of a tenth of a second a
# busy moment of the machine sways); outputs of the previous run are removed untimed.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
zkcli=$(realpath "${1:-$repo/build/release/src/cli/zkcli}")
baseline=${2:+$(realpath "$2")}
if [ -n "${3:-}" ]; then
  parent=$3
elif [ "$(df --output=avail -k /dev/shm 2>/dev/null | tail -1)" -gt $((4 << 20)) ] 2>/dev/null; then
  parent=/dev/shm
else
  parent=$repo/build
fi
[ -x "$zkcli" ] || { echo "no zkcli at $zkcli (build it first)" >&2; exit 2; }

cores=$(nproc)
work=$(mktemp -d "$parent/jobsbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
runs=3

echo "Making the files in $work ($cores cores) ..."
mkdir "$work/big" "$work/small" "$work/one"
head -c 8M /dev/urandom >"$work/seed8m"
head -c 4K /dev/urandom >"$work/seed4k"
for i in $(seq -w 0 199); do cp "$work/seed8m" "$work/big/f$i"; done
for i in $(seq -w 0 1999); do cp "$work/seed4k" "$work/small/f$i"; done
head -c 256M /dev/urandom >"$work/one/f"

# The containers of each set, alone in their own folder, for the decryption runs.
for set in big small; do
  "$zkcli" encrypt -p pw "$work/$set" >/dev/null
  mkdir "$work/$set-enc"
  mv "$work/$set"/*.enc "$work/$set-enc/"
done

source "$repo/bench/Timing.sh"
row() { printf '%-34s %9s s %9s s   %6s   %s\n' "$@"; }
clear_encrypted() { find "$work/$1" -name '*.enc' -delete; }
clear_decrypted() { find "$work/$1-enc" -type f ! -name '*.enc' -delete; }

echo
row "measure (best of 3, 4 KiB: 7)" "-j 1" "-j $cores" "ratio" "target"
for set in big small; do
  case $set in big) label="200 files of 8 MiB"; target="<= 0.60"; runs=3 ;; small) label="2000 files of 4 KiB"; target="<= 0.80"; runs=7 ;; esac
  one=$(best_of "clear_encrypted $set" "$zkcli" encrypt -p pw -j 1 "$work/$set")
  all=$(best_of "clear_encrypted $set" "$zkcli" encrypt -p pw "$work/$set")
  row "encrypt $label" "$one" "$all" "$(ratio "$all" "$one")" "$target"
  clear_encrypted "$set"
  one=$(best_of "clear_decrypted $set" "$zkcli" decrypt -p pw -j 1 "$work/$set-enc")
  all=$(best_of "clear_decrypted $set" "$zkcli" decrypt -p pw "$work/$set-enc")
  row "decrypt $label" "$one" "$all" "$(ratio "$all" "$one")" "$target"
  clear_decrypted "$set"
done

if [ -n "$baseline" ]; then
  runs=3
  echo
  row "one 256 MiB file (best of $runs)" "baseline" "this" "ratio" "target"
  before=$(best_of "clear_encrypted one" "$baseline" encrypt -p pw "$work/one/f")
  after=$(best_of "clear_encrypted one" "$zkcli" encrypt -p pw "$work/one/f")
  row "encrypt" "$before" "$after" "$(ratio "$after" "$before")" "<= 1.05"
fi
