#!/usr/bin/env bash
# CheckMimeType.sh ZK_XML ZKCLI
# The container type as the desktop sees it: update-mime-database (shared-mime-info) builds a database of
# it in a temporary folder, and gio (libglib2.0-bin) types real containers and other files by it, headless.
# Skipped (77) where either tool is missing.
set -uo pipefail
xml=$1 zkcli=$2
for tool in update-mime-database gio; do
  if ! command -v $tool >/dev/null; then
    echo "SKIP: $tool is not installed (packages shared-mime-info and libglib2.0-bin)"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/share/mime/packages" "$work/files" "$work/home"
cp "$xml" "$work/share/mime/packages/"
# With the system's types beside ours the test also sees which names other types claim first.
system_types=/usr/share/mime/packages/freedesktop.org.xml
[ -f "$system_types" ] && cp "$system_types" "$work/share/mime/packages/"
warnings=$(XDG_DATA_DIRS="$work/share" update-mime-database "$work/share/mime" 2>&1) || { echo "FAIL: update-mime-database: $warnings"; exit 1; }
[ -z "$warnings" ] || { echo "FAIL: update-mime-database warns: $warnings"; exit 1; }
grep -q '^application/x-zk-container$' "$work/share/mime/types" || { echo "FAIL: the type is not in the database"; exit 1; }

cd "$work/files"
echo "plain text" >a
echo "plain text" >notes.zzq
"$zkcli" encrypt -p pw a >/dev/null                       # a.enc
"$zkcli" encrypt -p pw --naming own --ext .zzq a >/dev/null  # a.zzq
"$zkcli" encrypt -p pw -o Ab3xQ9k a >/dev/null
"$zkcli" encrypt -p pw -o Ab3xQ9k.vst a >/dev/null
cases=(
  "a.enc application/x-zk-container"        # by name
  "a.zzq application/x-zk-container"        # by the magic: no type claims .zzq
  "Ab3xQ9k application/x-zk-container"      # by the magic: no extension
  "Ab3xQ9k.vst application/x-zk-container"  # the magic decides between the types that claim .vst
  "notes.zzq text/plain"                    # no magic, no container
)
if [ -f "$system_types" ]; then
  # A random name with the default own extension: a name that one type alone claims keeps that type.
  "$zkcli" encrypt -p pw --naming random a >/dev/null
  cases+=("$(ls -- *.bmp) image/bmp")
fi

failures=0
for entry in "${cases[@]}"; do
  read -r name expected <<<"$entry"
  actual=$(env -i PATH="$PATH" HOME="$work/home" XDG_DATA_HOME="$work/home" XDG_DATA_DIRS="$work/share" \
    gio info -a standard::content-type "$name" 2>/dev/null | sed -n 's/^ *standard::content-type: //p')
  if [ "$actual" = "$expected" ]; then
    echo "ok   $name: $actual"
  else
    echo "FAIL $name: '$actual', expected $expected"
    failures=$((failures + 1))
  fi
done
exit $((failures > 0))
