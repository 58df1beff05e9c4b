#!/usr/bin/env bash
# The engine benchmark: extracts two archives (many: 5,000 files of 1 to 40 KB
# in 50 folders, about 100 MB; big: four files of 64 MB) with our extract and
# with minizip's miniunz under the same Wine, with native unzip, and measures
# the floor: raw inflate and CRC-32 of the same data natively, nothing
# written. Prints every time (best of RUNS) and the ratios.
# Usage: bench/engine.sh [BUILD_DIR]     (default build-engine; RUNS=2)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build-engine}")
runs=${RUNS:-2}
data=$build/bench-data
mkdir -p "$data"

cmake --build "$build" --target engine_bench miniunz >/dev/null
python3 bench/make_archives.py "$data"
cc -O2 -o "$data/floor" bench/floor.c -lz

# One prefix for the whole run, its server kept alive between programs so
# that each start costs what a warm Wine start costs.
export WINE_TEMPLATE=$build/wine/template
scripts/wine-run.sh "$data/run" "$build/bench/engine_bench.exe" >/dev/null 2>&1 || true
export WINEPREFIX=$data/run/prefix WINEDEBUG=-all LC_ALL=zh_CN.GBK LANG=zh_CN.GBK
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
wineserver -p
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$data/out"' EXIT

win() { echo "Z:${1//\//\\}"; }
now() { date +%s%N; }

# best_of SECONDS_VAR command...: the best wall time of $runs runs, each into
# an empty output folder.
best_of() {
  local best=""
  for _ in $(seq "$runs"); do
    rm -rf "$data/out"; mkdir -p "$data/out"
    local start end
    start=$(now); "$@" >/dev/null; end=$(now)
    local ms=$(( (end - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}

extract() { wine "$build/bench/engine_bench.exe" "$(win "$1")" "$(win "$data/out")"; }
miniunz() { (cd "$data/out" && wine "$build/bench/miniunz.exe" -o "$(win "$1")"); }
native_unzip() { unzip -q -o "$1" -d "$data/out"; }
floor() { "$data/floor" "$1"; }
wine_start() { wine "$build/bench/engine_bench.exe" || true; }

start_ms=$(best_of wine_start)
declare -A time
for archive in many big; do
  zip=$data/$archive.zip
  for tool in extract miniunz native_unzip floor; do
    time[$tool.$archive]=$(best_of $tool "$zip")
  done
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
printf '\nengine benchmark (best of %s, wall milliseconds; a Wine start alone takes %s ms)\n' "$runs" "$start_ms"
printf '%-28s %10s %10s\n' "" many big
for tool in extract miniunz native_unzip floor; do
  printf '%-28s %10s %10s\n' "$tool" "${time[$tool.many]}" "${time[$tool.big]}"
done
printf '\n%-28s %10s %10s\n' "ratio" many big
printf '%-28s %10s %10s\n' "extract / native unzip" "$(ratio "${time[extract.many]}" "${time[native_unzip.many]}")" "$(ratio "${time[extract.big]}" "${time[native_unzip.big]}")"
printf '%-28s %10s %10s\n' "miniunz / native unzip" "$(ratio "${time[miniunz.many]}" "${time[native_unzip.many]}")" "$(ratio "${time[miniunz.big]}" "${time[native_unzip.big]}")"
printf '%-28s %10s %10s\n' "extract / floor" "$(ratio "${time[extract.many]}" "${time[floor.many]}")" "$(ratio "${time[extract.big]}" "${time[floor.big]}")"
printf '%-28s %10s %10s\n' "miniunz / floor" "$(ratio "${time[miniunz.many]}" "${time[floor.many]}")" "$(ratio "${time[miniunz.big]}" "${time[floor.big]}")"
printf '%-28s %10s %10s\n' "native unzip / floor" "$(ratio "${time[native_unzip.many]}" "${time[floor.many]}")" "$(ratio "${time[native_unzip.big]}" "${time[floor.big]}")"
extract_less_start=$(( time[extract.many] - start_ms ))
printf '%-28s %10s\n' "extract - Wine start / unzip" "$(ratio "$extract_less_start" "${time[native_unzip.many]}")"
