#!/usr/bin/env bash
# run-staged.sh STAGE: starts the staged game. Without a display it says so, tells how to see
# the game anyway, and ends with status 1.
set -euo pipefail
stage=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<TEXT
No display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so Ladderly cannot open its
window here. To see the game's first screen without a display:

    make screenshot                      # writes docs/screenshot.png

or start it under a virtual X server:  xvfb-run -a $stage/ladderly
TEXT
    exit 1
fi
exec "$stage/ladderly" "$@"
