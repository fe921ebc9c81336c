#!/usr/bin/env bash
# CheckDebianPackage.sh [PACKAGE.deb] [ROOT]
#
# Tries the Debian package on a clean Debian 12 system, as a user would meet it:
#   1. debootstrap --variant=minbase bookworm into ROOT (default /tmp/zkroot; made anew every time),
#   2. apt install ./zk_*.deb inside it (its dependencies from the mirror, recommended packages too),
#   3. as a new normal user: zkcli round-trips a file, man finds both manual pages, the package recommends
#      python3-nautilus (and apt installed it with the package) and brought Qt's Wayland plugin, gio types
#      containers by the installed MIME type and names an icon that lies in hicolor's mimetypes folders (the icon cache refreshed after it), the
#      file-manager menus lie where Dolphin, Nemo and Nautilus look (Dolphin's at the top of its menu, the
#      Nautilus extension loads under python3-nautilus), and zk started under Xvfb (with a window manager,
#      so that its windows are closed as a user closes them) writes ~/.config/zk/ZK.ini after a normal close,
#   4. hardening-check (devscripts) on the installed zk and zkcli: PIE, stack protector, _FORTIFY_SOURCE,
#      full RELRO and immediate binding, as Debian builds its packages (control flow protection aside,
#      which no program linked on Debian 12 can have).
# PACKAGE.deb defaults to the newest build/package/zk_*.deb (cmake --preset package && cmake --build
# --preset package && cpack --preset package).
#
# Run as root, with network access to a Debian mirror: the one in /etc/apt/sources.list* (or
# ZK_DEBIAN_MIRROR). Installs debootstrap and devscripts when they are missing. Takes several minutes and about 1 GB in ROOT,
# so it is no part of ctest or CI. Prints one line per check and "N passed, N failed" at the end; exits 1
# when a check failed.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
package=${1:-$(ls -t "$source_dir"/build/package/zk_*.deb 2>/dev/null | head -1 || true)}
root=${2:-/tmp/zkroot}
marker=.zk-check-root  # only a folder carrying it is ever unmounted below and deleted

[ "$(id -u)" = 0 ] || { echo "run as root" >&2; exit 2; }
[ -n "$package" ] && [ -f "$package" ] || { echo "no package: build one with cpack --preset package" >&2; exit 2; }

first_debian_uri() {  # the first URI of the system's sources that ends in /$1
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
    grep -v '^ *#' | grep -oE "https?://[^ ]+/$1/?( |$)" | head -1 | tr -d ' ' || true
}
mirror=${ZK_DEBIAN_MIRROR:-$(first_debian_uri debian)}
mirror=${mirror:-http://deb.debian.org/debian}
security=$(first_debian_uri debian-security)

unmount_root() {
  [ -e "$root/$marker" ] || return 0
  local target
  for target in $(findmnt -rn -o TARGET | grep "^$root/" | sort -r); do umount -l "$target"; done
}
trap unmount_root EXIT

if [ -e "$root" ]; then
  [ -e "$root/$marker" ] || { echo "$root exists and was not made by this script; give another ROOT" >&2; exit 2; }
  unmount_root
  rm -rf --one-file-system "$root"
fi
command -v debootstrap >/dev/null || apt-get install -y --no-install-recommends debootstrap >/dev/null
command -v hardening-check >/dev/null || apt-get install -y --no-install-recommends devscripts >/dev/null

echo "== debootstrap --variant=minbase bookworm $root $mirror"
mkdir -p "$root"
touch "$root/$marker"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
  { tail -20 "$root.debootstrap.log"; exit 1; }
{
  echo "deb $mirror bookworm main"
  echo "deb $mirror bookworm-updates main"
  [ -z "$security" ] || echo "deb $security bookworm-security main"
} >"$root/etc/apt/sources.list"
mount -t proc proc "$root/proc"
mount -t tmpfs tmpfs "$root/dev/shm"
cp "$package" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 "$@"; }

echo "== apt install ./$(basename "$package")"
in_root apt-get update -q >/dev/null
in_root sh -c "cd /tmp && apt-get install -y -q ./$(basename "$package")" >"$root.install.log" 2>&1 ||
  { tail -30 "$root.install.log"; exit 1; }
grep -E '^Setting up zk ' "$root.install.log" || true
echo "   $(grep -c '^Setting up' "$root.install.log") packages set up, zk's dependencies and recommendations included"
# What a desktop brings (the MIME and desktop databases, gio, a window manager) and the checks' own tools;
# python3-nautilus must have come with the package, as a recommendation.
in_root apt-get install -y -q --no-install-recommends man-db libglib2.0-bin shared-mime-info desktop-file-utils \
  xvfb xauth openbox wmctrl >"$root.tools.log" 2>&1 || { tail -30 "$root.tools.log"; exit 1; }
in_root useradd --create-home --shell /bin/bash tester

echo "== checks as the user tester"
cat >"$root/tmp/user-checks.sh" <<'USER_CHECKS'
#!/bin/bash
set -uo pipefail
passed=0 failed=0
check() {  # check DESCRIPTION COMMAND...: one line per check
  local description=$1; shift
  local output verdict=ok
  output=$("$@" 2>&1) && passed=$((passed + 1)) || { verdict=FAIL; failed=$((failed + 1)); }
  printf '%-4s %s\n' "$verdict" "$description"
  [ -z "$output" ] || sed 's/^/       /' <<<"$output"
}
cd ~

round_trip() {
  mkdir -p trip && head -c 300000 /dev/urandom >trip/data.bin && cp trip/data.bin original.bin &&
    zkcli encrypt -p 'パスワード' trip/data.bin && rm trip/data.bin &&
    zkcli decrypt -p 'パスワード' trip/data.bin.enc && cmp original.bin trip/data.bin
}
check "zkcli encrypts and decrypts a file back to the same bytes" round_trip
check "man -w finds both pages" man -w zk zkcli
check "the package recommends python3-nautilus (so GNOME Files shows the menu)" sh -c \
  "dpkg-query -W -f '\${Recommends}' zk | tr ',' '\\n' | grep -x ' *python3-nautilus'"
check "apt installed python3-nautilus with the package, as recommended" sh -c \
  "dpkg-query -W -f '\${Status}' python3-nautilus | grep -x 'install ok installed'"
check "Qt's Wayland platform plugin came with the package" sh -c 'ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so'
# Dolphin reads the priority from the [Desktop Entry] group only.
top_level() {
  local menu
  for menu in /usr/share/kio/servicemenus/zk-encrypt-wipe.desktop /usr/share/kio/servicemenus/zk-decrypt.desktop; do
    sed -n '/^\[Desktop Entry\]/,/^\[Desktop Action/p' "$menu" | grep -x 'X-KDE-Priority=TopLevel' ||
      { echo "$menu: no X-KDE-Priority=TopLevel in [Desktop Entry]"; return 1; }
  done
}
check "Dolphin shows the items at the top of the menu, for containers too" top_level
check "zkcli --help runs" sh -c 'zkcli --help | head -1'
check "zkcli's completions lie where bash-completion, zsh and fish look" ls \
  /usr/share/bash-completion/completions/zkcli /usr/share/zsh/vendor-completions/_zkcli \
  /usr/share/fish/vendor_completions.d/zkcli.fish
check "bash completes a zkcli command" bash -c 'source /usr/share/bash-completion/completions/zkcli &&
  COMP_WORDS=(zkcli enc) COMP_CWORD=1 && _zkcli && [ "${COMPREPLY[*]}" = encrypt ]'
check "the Japanese font of the windows is there" fc-match -f '%{family}\n' IPAPGothic
check "containers open with zk-decrypt.desktop" sh -c 'gio mime application/x-zk-container | grep -F zk-decrypt.desktop'
check "the file-manager menus lie where Dolphin, Nemo and Nautilus look" ls \
  /usr/share/kio/servicemenus/zk-encrypt-wipe.desktop /usr/share/kio/servicemenus/zk-decrypt.desktop \
  /usr/share/nemo/actions/zk-encrypt.nemo_action /usr/share/nemo/actions/zk-decrypt.nemo_action \
  /usr/share/nemo/actions/zk-wipe.nemo_action /usr/share/nautilus-python/extensions/zk_nautilus.py
check "the Nautilus extension loads under python3-nautilus" python3 -c '
import gi, importlib.util
gi.require_version("Nautilus", "4.0")
extension = importlib.util.spec_from_file_location("zk", "/usr/share/nautilus-python/extensions/zk_nautilus.py")
extension.loader.exec_module(importlib.util.module_from_spec(extension))'

types() {
  mkdir -p types && cd types && echo "some text" >a && zkcli encrypt -p pw a >/dev/null &&
    zkcli encrypt -p pw --naming own --ext .zzq a >/dev/null && zkcli encrypt -p pw --naming random a >/dev/null &&
    for name in a.enc a.zzq *.bmp; do
      echo "$name=$(gio info -a standard::content-type "$name" | sed -n 's/^ *standard::content-type: //p')"
    done
}
check "gio info types the containers" types
is_zk_type() { [ "$(gio info -a standard::content-type "types/$1" | sed -n 's/^ *standard::content-type: //p')" = application/x-zk-container ]; }
check "a.enc is application/x-zk-container" is_zk_type a.enc
check "a.zzq (an extension no type claims) is application/x-zk-container" is_zk_type a.zzq
# GTK file managers ask gio for the container's icon names and look for the first one the theme has.
container_icon() {
  local names name size found=no
  names=$(gio info -a standard::icon types/a.enc | sed -n 's/^ *standard::icon: //p')
  echo "gio names the icons: $names"
  name=${names%%,*}
  for size in 16x16 32x32 48x48 scalable; do
    ls /usr/share/icons/hicolor/$size/mimetypes/"$name".* || return 1
  done
  if [ -e /usr/share/icons/hicolor/icon-theme.cache ]; then
    [ /usr/share/icons/hicolor/icon-theme.cache -nt /usr/share/icons/hicolor/48x48/mimetypes/"$name".png ] ||
      { echo "the icon cache was not refreshed after the icon was installed"; return 1; }
  fi
}
check "the container's icon lies in hicolor's mimetypes under the name gio gives, and the cache knows it" container_icon

# zk under Xvfb: close the two start-up information boxes (caption "ZK") and then the main window through
# the window manager, as a user would; closing the main window writes the settings.
run_zk() {
  openbox >/dev/null 2>&1 &
  sleep 2
  zk >zk.log 2>&1 &
  local zk_pid=$! boxes=" " main_closed=no id title
  for _ in $(seq 1 90); do
    sleep 0.5
    kill -0 $zk_pid 2>/dev/null || break
    while read -r id _ _ title; do
      if [ "$title" = ZK ] && [[ $boxes != *" $id "* ]]; then
        wmctrl -i -c "$id" && boxes+="$id "  # closing an information box answers OK
      elif [ "$title" = "ZK Ver3.4a" ] && [ "$(wc -w <<<"$boxes")" = 2 ] && [ $main_closed = no ]; then
        wmctrl -i -c "$id" && main_closed=yes
      fi
    done < <(wmctrl -l)
  done
  if kill -0 $zk_pid 2>/dev/null; then
    echo "zk did not end; its windows: $(wmctrl -l)"; kill $zk_pid; return 1
  fi
  wait $zk_pid
  local status=$?
  sed 's/^/zk says: /' zk.log
  echo "closed $(wc -w <<<"$boxes") information boxes, then the main window: $main_closed; zk's exit status $status"
  [ $main_closed = yes ] && [ $status = 0 ]
}
check "zk starts under Xvfb and ends after its main window is closed" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$(declare -f run_zk); run_zk"
check "~/.config/zk/ZK.ini exists after the close" ls ~/.config/zk/ZK.ini
check "ZK.ini says FIRSTEXEC=0" grep -x 'FIRSTEXEC=0' ~/.config/zk/ZK.ini
check "no ZK.ini beside the program" test ! -e /usr/bin/ZK.ini

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
USER_CHECKS
chmod 755 "$root/tmp/user-checks.sh"
user_checks=0
chroot --userspec=tester:tester "$root" env -i HOME=/home/tester USER=tester LOGNAME=tester SHELL=/bin/bash \
  PATH=/usr/bin:/bin LANG=C.UTF-8 /tmp/user-checks.sh || user_checks=$?

echo "== hardening-check of the installed programs"
hardening=0
# Control flow protection (IBT/SHSTK) is left out: the linker marks a program only when every object in it
# is marked, and Debian 12's C start files are not, so no program linked there has it (not even /bin/ls).
hardening-check --nocfprotection "$root/usr/bin/zk" "$root/usr/bin/zkcli" || hardening=$?
[ "$user_checks" = 0 ] && [ "$hardening" = 0 ]
