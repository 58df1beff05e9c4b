#!/usr/bin/env bash
# Unpacks the upstream sources of minizip (zlib's contributed code) and libpng,
# as Debian ships them, into .deps/src. The build compiles them for the target.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dest="$top/.deps/src"
mkdir -p "$dest"

fetch() { # source package, folder name
  local pkg=$1 name=$2
  [ -f "$dest/$name/.done" ] && return 0
  local tmp; tmp=$(mktemp -d)
  (
    cd "$tmp"
    # Security updates may list a version whose files left the mirror: fall back
    # to the other versions Debian still lists.
    apt-get source -qq --download-only "$pkg" >/dev/null 2>&1 || {
      local v
      for v in $(apt-cache showsrc "$pkg" | awk '/^Version:/{print $2}' | sort -rV); do
        apt-get source -qq --download-only "$pkg=$v" >/dev/null 2>&1 && break
      done
    }
    ls ./*.orig.tar.* >/dev/null
  )
  rm -rf "${dest:?}/$name"; mkdir -p "$dest/$name"
  tar -xf "$tmp"/*.orig.tar.* -C "$dest/$name" --strip-components=1
  touch "$dest/$name/.done"
  rm -rf "$tmp"
}

fetch zlib zlib
fetch libpng1.6 libpng
