#!/usr/bin/env bash
# Seeds for FuzzDecrypt: small valid containers of every cipher, made by zkcli. FuzzDecrypt tries the
# password "password" and the container's own hint, so half of the seeds carry their password as hint and
# the fuzzer reaches the payload of those too.
# Usage: fuzz/MakeSeedCorpus.sh ZKCLI FOLDER
set -euo pipefail
zkcli=$1
corpus=$2
mkdir -p "$corpus"
plain=$(mktemp -d)
trap 'rm -rf "$plain"' EXIT

: >"$plain/empty.txt"
printf 'short' >"$plain/short.txt"
head -c 300 /dev/urandom >"$plain/random.bin"
for cipher in twofish rijndael gost; do
  "$zkcli" encrypt -p password -a "$cipher" -o "$corpus/$cipher-password.zk" "$plain/short.txt" >/dev/null
  "$zkcli" encrypt -p 'ヒント' --hint 'ヒント' -a "$cipher" -o "$corpus/$cipher-hint.zk" "$plain/random.bin" >/dev/null
done
"$zkcli" encrypt -p password -o "$corpus/empty.zk" "$plain/empty.txt" >/dev/null
