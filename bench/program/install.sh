#!/usr/bin/env bash
# The install benchmark: a setup program built with the engine benchmark's
# many-files archive as its payload (a build tree of its own, BUILD/bench-install),
# timed from the click on "安装" to page 6 shown, against the same install run
# without a page and extract alone, on the same archive under the same Wine:
# the differences are what the temporary archive and the page switch add.
# Usage: bench/program/install.sh [BUILD_DIR]     (default build; RUNS=3)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
runs=${RUNS:-3}
data=$build/bench-data
tree=$build/bench-install

python3 bench/make_archives.py "$data"
archive=$data/many.zip

cmake -S . -B "$tree" -G Ninja --toolchain cmake/mingw-i686.cmake \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DSETUP_PAYLOAD="$archive" >/dev/null
cmake --build "$tree" --target lanjian-setup install_run_bench engine_bench e2e_driver >/dev/null

WINE_TEMPLATE=$tree/wine/template scripts/with-display.sh python3 bench/program/install_road.py \
  --product "$tree/lanjian-setup.exe" --driver "$tree/tests/e2e/e2e_driver.exe" \
  --install-run-bench "$tree/bench/program/install_run_bench.exe" \
  --engine-bench "$tree/bench/engine_bench.exe" --archive "$archive" \
  --build "$tree" --run-dir "$tree/runs/bench-install" --runs "$runs"
