#!/usr/bin/env bash
# Installs what building and testing the setup program needs on a Debian
# bookworm machine. Idempotent: every step is skipped when already done.
set -euo pipefail

# wine64 brings a native wineserver, which serves the 32-bit programs without
# going through the emulator below.
need_pkgs=(
  wine wine32:i386 wine64 xvfb xdotool x11-utils imagemagick fonts-wqy-zenhei
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 libz-mingw-w64-dev
  googletest cmake ninja-build dpkg-dev python3-pil unzip locales
)

# Where the machine's kernel cannot execute i386 programs itself, 32-bit Wine
# runs through a user-mode emulator registered for i386 ELF files. Bookworm's
# emulator makes every Wine start take a minute; the next release's starts in
# about one second, and its static build runs on bookworm unchanged.
qemu_suite=trixie
qemu_bin=/usr/local/lib/lanjian-setup/qemu-i386

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing_pkgs() {
  local p
  for p in "${need_pkgs[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed' || echo "$p"
  done
}

ensure_deb_src() {
  local f=/etc/apt/sources.list.d/debian.sources
  [ -f "$f" ] || return 0
  grep -q '^Types:.*deb-src' "$f" && return 0
  as_root sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
  echo updated
}

ensure_locale() {
  locale -a 2>/dev/null | grep -qi '^zh_CN\.gbk$' && return 0
  grep -q '^zh_CN.GBK GBK' /etc/locale.gen 2>/dev/null || echo 'zh_CN.GBK GBK' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
}

can_run_i386() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

fetch_emulator() {
  [ -x "$qemu_bin" ] && return 0
  local tmp; tmp=$(mktemp -d)
  mkdir -p "$tmp/etc" "$tmp/state/lists/partial" "$tmp/cache/archives/partial"
  echo "deb http://deb.debian.org/debian $qemu_suite main" > "$tmp/etc/sources.list"
  local opts=(-o "Dir::Etc::SourceList=$tmp/etc/sources.list" -o Dir::Etc::SourceParts=/dev/null
              -o "Dir::State=$tmp/state" -o "Dir::Cache=$tmp/cache" -o APT::Sandbox::User=root)
  apt-get "${opts[@]}" update -qq
  (cd "$tmp" && apt-get "${opts[@]}" download qemu-user:amd64 >/dev/null)
  dpkg-deb -x "$tmp"/qemu-user_*.deb "$tmp/x"
  as_root install -D -m 755 "$tmp/x/usr/bin/qemu-i386" "$qemu_bin"
  rm -rf "$tmp"
}

register_emulator() {
  local fs=/proc/sys/fs/binfmt_misc
  [ -e "$fs/register" ] || as_root mount -t binfmt_misc binfmt_misc "$fs"
  if [ -e "$fs/qemu-i386" ]; then
    grep -q "interpreter $qemu_bin" "$fs/qemu-i386" && { echo 1 | as_root tee "$fs/qemu-i386" >/dev/null; return 0; }
    echo -1 | as_root tee "$fs/qemu-i386" >/dev/null
  fi
  printf '%s' ":qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$qemu_bin:F" \
    | as_root tee "$fs/register" >/dev/null
}

main() {
  local changed=""
  dpkg --print-foreign-architectures | grep -qx i386 || { as_root dpkg --add-architecture i386; changed=1; }
  [ -n "$(ensure_deb_src)" ] && changed=1
  local miss; miss=$(missing_pkgs)
  if [ -n "$miss" ] || [ -n "$changed" ]; then
    as_root apt-get update -qq
  fi
  if [ -n "$miss" ]; then
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends $miss
  fi
  ensure_locale
  if ! can_run_i386 || [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    fetch_emulator
    register_emulator
  fi
  can_run_i386 || { echo "setup: this machine cannot run i386 programs" >&2; exit 1; }
}

main "$@"
