#!/usr/bin/env bash
# The size benchmark: lanjian-setup.exe, the payload archive it carries, and
# what the program itself adds (the executable less the archive and the
# block's 8-byte head), against other installers' figures; then where the
# bytes come from, read from the link map of a relink of the same objects
# into a scratch folder (the build itself is left as it is).
# Usage: bench/program/size.sh [BUILD_DIR]     (default build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
exe=$build/lanjian-setup.exe
[ -f "$exe" ] || { echo "no $exe: build it first (./test.sh)" >&2; exit 1; }

archive=$(sed -n 's/^SETUP_PAYLOAD:FILEPATH=//p' "$build/CMakeCache.txt")
archive=${archive:-$build/payload/payload.zip}
block_head=8

exe_bytes=$(stat -c %s "$exe")
archive_bytes=$(stat -c %s "$archive")
overhead=$(( exe_bytes - archive_bytes - block_head ))

kb() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1024 }'; }
row() { printf '%-44s %10s B %9s KB\n' "$1" "$2" "$(kb "$2")"; }
reference() {
  awk -v name="$1" -v kb="$2" -v ours="$overhead" \
    'BEGIN { printf "%-44s %10.0f B %9.1f KB   ours %+.1f KB, %.2f x\n", name, kb * 1024, kb, ours / 1024 - kb, ours / 1024 / kb }'
}

printf '\nsize benchmark: %s\n' "$exe"
row "lanjian-setup.exe" "$exe_bytes"
row "payload archive ($(basename "$archive"))" "$archive_bytes"
row "overhead (exe - archive - $block_head B block head)" "$overhead"
printf '\noverhead against\n'
reference "smallest common installer, licence+folder" 95.5
reference "the same with its five-page interface" 135.4
reference "MinGW GUI program, zlib and minizip alone" 67.5

# The relink: the build's own link command, writing elsewhere and a map too.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
link=$(ninja -C "$build" -t commands lanjian-setup | tail -n 1)
link=${link#': && '}
link=${link%' && :'}
link=$(sed -e "s| -o lanjian-setup.exe | -o $scratch/relinked.exe -Wl,-Map=$scratch/link.map |" \
           -e 's| -Wl,--out-implib,[^ ]*||' <<<"$link")
if (cd "$build" && eval "$link") && [ -f "$scratch/link.map" ]; then
  if ! cmp -s "$scratch/relinked.exe" "$exe"; then
    echo "(the relink differs from $exe: the build is out of date, figures below are of the relink)"
  fi
  python3 bench/program/link_map.py "$scratch/link.map" "$scratch/relinked.exe"
else
  echo "(no breakdown: the relink with a link map failed)"
fi
