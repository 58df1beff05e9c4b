#!/usr/bin/env bash
# Runs a Windows program under 32-bit Wine the way every test does: in a Wine
# prefix of its own (a cheap copy of the build's template prefix), on a private
# virtual display, in the Chinese (PRC) locale. Exits with the program's code.
# Usage: wine-run.sh RUN_DIR PROGRAM.exe [ARGS...]
#   RUN_DIR  holds the run's prefix (RUN_DIR/prefix) and whatever it writes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run_dir=$1; shift
template=${WINE_TEMPLATE:?WINE_TEMPLATE names the template prefix}
"$here/wine-prefix.sh" "$template"

mkdir -p "$run_dir"
prefix="$run_dir/prefix"
if [ ! -f "$prefix/.ready" ]; then
  rm -rf "$prefix"
  # Hard links keep the copy cheap; the registry files are written in place, so
  # they are copied for real.
  cp -al "$template" "$prefix"
  for f in "$prefix"/*.reg; do cp --remove-destination "$template/$(basename "$f")" "$f"; done
fi

export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} LC_ALL=zh_CN.GBK LANG=zh_CN.GBK
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
cleanup() { wineserver -k >/dev/null 2>&1 || true; }
trap cleanup EXIT
"$here/with-display.sh" wine "$@"
