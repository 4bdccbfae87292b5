#!/usr/bin/env bash
# shipped_sounds_test.sh MAKE_SOUNDS FOLDER: the generator writes exactly the files in FOLDER.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$1" "$scratch"
for made in "$scratch"/*.wav; do
    cmp "$made" "$2/$(basename "$made")"
done
[ "$(ls "$scratch" | wc -l)" = "$(ls "$2"/*.wav | wc -l)" ]
