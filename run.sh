#!/usr/bin/env bash
# Sets up what is missing, builds build/lanjian-setup.exe and starts it under
# Wine. Without a display it starts a virtual one, takes a screenshot of page 1
# and prints where it wrote it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
./scripts/fetch-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec ./scripts/start.sh build/lanjian-setup.exe
