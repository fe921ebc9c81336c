#!/usr/bin/env bash
# zkcli against the usual tools on one 1 GiB file held in the page cache:
#   encrypt/decrypt (each cipher)  vs  openssl enc -aes-256-cbc, the same followed by sync of its output
#                                  (zkcli flushes its output to disk before it names it), and
#                                  gpg --symmetric (AES256, no compression)
#   wipe --yes                     vs  shred -n 0 -z -u
#   sha1                           vs  openssl dgst -sha1
# and zkcli's peak memory on a 1 MiB and a 1 GiB file.
#
# Usage: bench/ToolBench.sh [ZKCLI] [WORK_FOLDER]
#   ZKCLI        the zkcli to measure (default build/toolbench/src/cli/zkcli)
#   WORK_FOLDER  where the scratch folder is made (default build/, the disk of the source tree); it needs
#                about 3.1 GiB free: the 1 GiB plain file, one 1 GiB output and one 1 GiB decrypted copy
#                at a time. The scratch folder is removed at the end.
# Every timed run follows a warming read of its input; each figure is the best wall time of 3 runs.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
zkcli=$(realpath "${1:-$repo/build/toolbench/src/cli/zkcli}")
parent=${2:-$repo/build}
[ -x "$zkcli" ] || { echo "no zkcli at $zkcli (build it first)" >&2; exit 2; }
for tool in openssl gpg shred /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (apt-get install openssl gnupg coreutils time)" >&2; exit 2; }
done

mkdir -p "$parent"
work=$(mktemp -d "$parent/toolbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export GNUPGHOME="$work/gnupg"  # keep gpg away from the user's keyring
mkdir -m 700 "$GNUPGHOME"

plain="$work/plain.bin"
small="$work/small.bin"
out="$work/out.bin"
dec="$work/dec.bin"
key=$(printf '%064x' 7)
iv=$(printf '%032x' 9)
runs=3

echo "Making a 1 GiB file in $work ..."
head -c 1G /dev/urandom >"$plain"
head -c 1M /dev/urandom >"$small"
sync

warm() { cat "$@" >/dev/null; }
source "$repo/bench/Timing.sh"
row() { printf '%-36s %8s s %8s s   %6s   %s\n' "$@"; }

openssl_enc() { openssl enc -aes-256-cbc -K "$key" -iv "$iv" -nosalt "$@"; }
# openssl_enc_synced OUTPUT ARGS...: openssl enc, then its output flushed to disk as zkcli flushes its own.
openssl_enc_synced() { local output=$1; shift; openssl_enc "$@" -out "$output" && sync "$output"; }
gpg_run() { gpg --batch --quiet --passphrase x --pinentry-mode loopback "$@"; }

echo
row "measure (best of $runs)" "zkcli" "peer" "ratio" "target"

t_openssl_enc=$(best_of 'rm -f "$out"; warm "$plain"' openssl_enc -in "$plain" -out "$out")
openssl_enc -in "$plain" -out "$work/openssl.enc"
t_openssl_dec=$(best_of 'rm -f "$dec"; warm "$work/openssl.enc"' openssl_enc -d -in "$work/openssl.enc" -out "$dec")
t_openssl_enc_sync=$(best_of 'rm -f "$out"; warm "$plain"' openssl_enc_synced "$out" -in "$plain")
t_openssl_dec_sync=$(best_of 'rm -f "$dec"; warm "$work/openssl.enc"' \
  openssl_enc_synced "$dec" -d -in "$work/openssl.enc")
rm -f "$work/openssl.enc"
t_gpg_enc=$(best_of 'rm -f "$out"; warm "$plain"' gpg_run --symmetric --compress-algo none --cipher-algo AES256 \
  -o "$out" "$plain")
gpg_run --symmetric --compress-algo none --cipher-algo AES256 -o "$work/gpg.enc" "$plain"
t_gpg_dec=$(best_of 'rm -f "$dec"; warm "$work/gpg.enc"' gpg_run -o "$dec" -d "$work/gpg.enc")
rm -f "$work/gpg.enc" "$dec" "$out"

for cipher in twofish rijndael gost; do
  t_enc=$(best_of 'rm -f "$out"; warm "$plain"' "$zkcli" encrypt -p x -a "$cipher" -o "$out" "$plain")
  "$zkcli" encrypt -p x -a "$cipher" -o "$work/zk.enc" "$plain" >/dev/null
  t_dec=$(best_of 'rm -f "$dec"; warm "$work/zk.enc"' "$zkcli" decrypt -p x -o "$dec" "$work/zk.enc")
  cmp -s "$plain" "$dec" || { echo "zkcli $cipher round trip differs" >&2; exit 1; }
  rm -f "$work/zk.enc" "$dec" "$out"
  target=""
  [ "$cipher" = rijndael ] && target="<= 1.00"
  row "encrypt $cipher vs openssl enc" "$t_enc" "$t_openssl_enc" "$(ratio "$t_enc" "$t_openssl_enc")" "$target"
  row "decrypt $cipher vs openssl enc -d" "$t_dec" "$t_openssl_dec" "$(ratio "$t_dec" "$t_openssl_dec")" "$target"
  row "encrypt $cipher vs openssl+sync" "$t_enc" "$t_openssl_enc_sync" \
    "$(ratio "$t_enc" "$t_openssl_enc_sync")" "$target"
  row "decrypt $cipher vs openssl -d+sync" "$t_dec" "$t_openssl_dec_sync" \
    "$(ratio "$t_dec" "$t_openssl_dec_sync")" "$target"
  row "encrypt $cipher vs gpg" "$t_enc" "$t_gpg_enc" "$(ratio "$t_enc" "$t_gpg_enc")" ""
  row "decrypt $cipher vs gpg -d" "$t_dec" "$t_gpg_dec" "$(ratio "$t_dec" "$t_gpg_dec")" ""
done

# The victim is copied, flushed to disk and read back in, so that no write-back of the copy is timed.
victim="$work/victim.bin"
fresh_victim='cp "$plain" "$victim"; sync; warm "$victim"'
t_wipe=$(best_of "$fresh_victim" "$zkcli" wipe --yes "$victim")
t_shred=$(best_of "$fresh_victim" shred -n 0 -z -u "$victim")
rm -f "$victim"
row "wipe --yes vs shred -n 0 -z -u" "$t_wipe" "$t_shred" "$(ratio "$t_wipe" "$t_shred")" "<= 1.10"

t_sha1=$(best_of 'warm "$plain"' "$zkcli" sha1 "$plain")
t_dgst=$(best_of 'warm "$plain"' openssl dgst -sha1 "$plain")
row "sha1 vs openssl dgst -sha1" "$t_sha1" "$t_dgst" "$(ratio "$t_sha1" "$t_dgst")" "<= 1.10"

# Peak resident memory (GNU time %M, KiB) of a whole encryption and decryption.
peak_kib() {
  local input=$1 command=$2 report="$work/time.txt" peak=0 value
  rm -f "$out" "$dec"
  if [ "$command" = encrypt ]; then
    /usr/bin/time -f %M -o "$report" "$zkcli" encrypt -p x -o "$out" "$input" >/dev/null
  else
    "$zkcli" encrypt -p x -o "$out" "$input" >/dev/null
    /usr/bin/time -f %M -o "$report" "$zkcli" decrypt -p x -o "$dec" "$out" >/dev/null
  fi
  value=$(tail -n 1 "$report")
  rm -f "$out" "$dec"
  echo "$value"
}
echo
printf '%-34s %10s %10s   %s\n' "zkcli peak memory (KiB)" "1 MiB" "1 GiB" "target: equal, < 16384"
for command in encrypt decrypt; do
  printf '%-34s %10s %10s\n' "$command" "$(peak_kib "$small" "$command")" "$(peak_kib "$plain" "$command")"
done
