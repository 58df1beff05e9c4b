#!/usr/bin/env bash
# The start-up benchmark: from process start to page 1 painted, against a
# minimal Win32 program that shows one window of the page's size in the same
# colour, and against the same program after it has loaded the system DLLs
# that the setup program loads too (what of the difference is theirs); all
# started by startup_timer.exe in one Wine prefix on one virtual display,
# taking turns. Prints each run, then median, minimum, maximum and the ratio.
# Usage: bench/program/startup.sh [BUILD_DIR]     (default build; RUNS=10)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
runs=${RUNS:-10}

cmake --build "$build" --target lanjian-setup minimal_window minimal_window_dlls startup_timer >/dev/null
win() { echo "Z:${1//\//\\}"; }

# Ending the Wine server at the close tells every program still connected that
# the X connection broke; those lines say nothing about the run.
WINE_TEMPLATE=$build/wine/template scripts/wine-run.sh "$build/runs/bench-startup" \
  "$build/bench/program/startup_timer.exe" "$runs" \
  "$(win "$build/bench/program/minimal_window.exe")" \
  "$(win "$build/bench/program/minimal_window_dlls.exe")" "$(win "$build/lanjian-setup.exe")" \
  2> >(grep -v '^X connection to' >&2)
