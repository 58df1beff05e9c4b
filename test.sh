#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
./scripts/fetch-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default "$@"
