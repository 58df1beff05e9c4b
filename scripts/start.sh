#!/usr/bin/env bash
# Starts the setup program under Wine, in a prefix of its own under the build
# folder (runs/run-sh). With a DISPLAY it just runs the program there. Without
# one it starts a virtual display, waits until page 1 is painted, saves a
# screenshot of the screen as screenshots/run-page1.png in the build folder,
# prints that path and ends the program.
# Usage: start.sh EXE        (EXE lies in the build folder, e.g. build/lanjian-setup.exe)
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: start.sh EXE" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
exe=$(realpath "$1")
build=$(dirname "$exe")
run_dir=$build/runs/run-sh
export WINE_TEMPLATE=${WINE_TEMPLATE:-$build/wine/template}

# Page 1 is painted once its title strip (#00ACFF) and its "下一步" button
# (#008000) show where a page centred on the screen has them.
page1_painted() {
  local shot=$1 width height left top
  read -r width height < <(xdpyinfo | awk '/dimensions:/{split($2, d, "x"); print d[1], d[2]}')
  left=$(((width - 539) / 2)) top=$(((height - 382) / 2))
  local strip button
  strip=$(convert "$shot" -format "%[pixel:p{$((left + 300)),$((top + 5))}]" info: 2>/dev/null)
  button=$(convert "$shot" -format "%[pixel:p{$((left + 340)),$((top + 312))}]" info: 2>/dev/null)
  [[ $strip =~ ^s?rgba?\(0,172,255 ]] && [[ $button =~ ^s?rgba?\(0,128,0 ]]
}

# Runs on the virtual display: starts the program, waits for page 1, saves it.
screenshot_page1() {
  local shots=$build/screenshots
  local shot=$shots/run-page1.png
  mkdir -p "$shots"
  WITH_DISPLAY_KEEP=1 "$here/wine-run.sh" "$run_dir" "$exe" &
  local program=$!
  local waited=0
  until import -window root "$shot" 2>/dev/null && page1_painted "$shot"; do
    if ! kill -0 "$program" 2>/dev/null; then echo "the program ended before page 1 was painted" >&2; exit 1; fi
    if ((waited >= 120)); then echo "page 1 was not painted within 60 s" >&2; exit 1; fi
    sleep 0.5
    waited=$((waited + 1))
  done
  # A last moment for the pictures and texts to be drawn after the chrome.
  sleep 0.5
  import -window root "$shot"
  WINEPREFIX=$run_dir/prefix wineserver -k >/dev/null 2>&1 || true
  wait "$program" 2>/dev/null || true
  echo "$shot"
}

if [ "${1:-}" != "" ] && [ "${2:-}" = --on-virtual-display ]; then
  screenshot_page1
elif [ -n "${DISPLAY:-}" ]; then
  WITH_DISPLAY_KEEP=1 exec "$here/wine-run.sh" "$run_dir" "$exe"
else
  exec "$here/with-display.sh" "$0" "$exe" --on-virtual-display
fi
