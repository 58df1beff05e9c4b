#!/usr/bin/env bash
# Makes the template Wine prefix that every test run copies: 32-bit, Chinese
# (PRC) locale, the pages' font names mapped to an installed CJK font.
# Usage: wine-prefix.sh PREFIX
set -euo pipefail
prefix=$1
[ -f "$prefix/.ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"; flock 9
[ -f "$prefix/.ready" ] && exit 0

export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all LC_ALL=zh_CN.GBK
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
rm -rf "$prefix"
here=$(cd "$(dirname "$0")" && pwd)
# wineboot needs a display for its first window; a private one goes with it.
"$here/with-display.sh" sh -c 'wineboot -i >/dev/null 2>&1; wineserver -w'

reg=$(mktemp --suffix=.reg)
# The face with bitmaps for small sizes: the outline face loses thin
# horizontal strokes (the "一" of "下一步", the separators) when drawn unsmoothed.
font="WenQuanYi Zen Hei Sharp"
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  # A font asked for without a face gets one of the Latin defaults, whose CJK
  # glyphs come from the outline face: those are mapped too.
  for name in 微软雅黑 "Microsoft YaHei" 黑体 SimHei 宋体 SimSun 新宋体 NSimSun "Times New Roman" Arial; do
    printf '"%s"="%s"\r\n' "$name" "$font"
  done
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n"Managed"="N"\r\n'
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\DllOverrides]\r\n"winemenubuilder.exe"=""\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
"$here/with-display.sh" sh -c "wine regedit /S '$(winepath -w "$reg" 2>/dev/null || echo "$reg")' >/dev/null 2>&1; wineserver -w"
rm -f "$reg"
touch "$prefix/.ready"
