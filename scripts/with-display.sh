#!/usr/bin/env bash
# Runs a command on a private virtual X display of its own (1024 x 768, 24 bit)
# and ends the display with it. Keeps DISPLAY when WITH_DISPLAY_KEEP=1 and one is set.
set -euo pipefail
if [ "${WITH_DISPLAY_KEEP:-}" = 1 ] && [ -n "${DISPLAY:-}" ]; then exec "$@"; fi
geometry=${SCREEN_GEOMETRY:-1024x768x24}
exec 3< <(:)
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 5 -screen 0 "$geometry" -nolisten tcp 5>"$fifo" >/dev/null 2>&1 &
xpid=$!
read -r num < "$fifo"; rm -f "$fifo"
trap 'kill $xpid 2>/dev/null; wait $xpid 2>/dev/null || true' EXIT
export DISPLAY=":$num"
set +e
"$@"
rc=$?
exit $rc
