#!/usr/bin/env bash
# Builds the setup program twice from scratch in two differently named folders
# and requires byte-identical executables.
# Usage: check-reproducible.sh SOURCE_DIR SCRATCH_DIR
set -euo pipefail
src=$1 scratch=$2
rm -rf "$scratch"; mkdir -p "$scratch"
for name in first second-build; do
  cmake -S "$src" -B "$scratch/$name" -G Ninja --toolchain "$src/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
  cmake --build "$scratch/$name" --target lanjian-setup >/dev/null
done
a="$scratch/first/lanjian-setup.exe" b="$scratch/second-build/lanjian-setup.exe"
if cmp -s "$a" "$b"; then
  echo "ok: identical, $(stat -c %s "$a") bytes, sha256 $(sha256sum "$a" | cut -c1-16)"
  rm -rf "$scratch"
else
  echo "FAIL: the two builds differ:"; cmp -l "$a" "$b" | head -20
  exit 1
fi
