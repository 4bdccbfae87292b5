#!/usr/bin/env bash
# run-staged.sh STAGE: starts the staged game. Without a display it says so and runs the
# program offscreen, where every message box is written to standard error.
set -euo pipefail
stage=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: running Ladderly offscreen; its messages appear below." >&2
    export QT_QPA_PLATFORM=offscreen
fi
exec "$stage/bin/ladderly" "$@"
