#!/usr/bin/env bash
# The start-up benchmark: from process start to page 1 painted, against a
# minimal Win32 program that shows one window of the page's size in the same
# colour, both started by startup_timer.exe in one Wine prefix on one virtual
# display, taking turns. Prints each run, then median, minimum, maximum and
# the ratio.
# Usage: bench/program/startup.sh [BUILD_DIR]     (default build; RUNS=10)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
runs=${RUNS:-10}

cmake --build "$build" --target lanjian-setup minimal_window startup_timer >/dev/null
win() { echo "Z:${1//\//\\}"; }

WINE_TEMPLATE=$build/wine/template scripts/wine-run.sh "$build/runs/bench-startup" \
  "$build/bench/program/startup_timer.exe" "$runs" \
  "$(win "$build/bench/program/minimal_window.exe")" "$(win "$build/lanjian-setup.exe")"
