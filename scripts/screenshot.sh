#!/usr/bin/env bash
# screenshot.sh STAGE FILE: starts the staged game offscreen with settings and a lock of its
# own (so a running copy neither blocks it nor is disturbed), lets it draw its first screen and
# writes the window's client area to FILE as a PNG.
set -euo pipefail
stage=$1
file=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 -p "$scratch/run" "$scratch/tmp"
mkdir -p "$(dirname "$file")"
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$scratch/config XDG_CONFIG_DIRS=$scratch/xdg \
    XDG_RUNTIME_DIR=$scratch/run TMPDIR=$scratch/tmp \
    "$stage/ladderly" --screenshot "$(realpath -m "$file")"
echo "Wrote $file"
