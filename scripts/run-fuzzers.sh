#!/usr/bin/env bash
# run-fuzzers.sh LIST SECONDS: runs every fuzz target named in LIST on its corpus folder
# fuzz/corpus/NAME. With SECONDS 0 the corpus is only replayed; otherwise each target explores
# for that long, adding what it finds to a scratch corpus under fuzz/corpus-run/.
set -euo pipefail
list=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
[ -f "$list" ] || { echo "no fuzz targets built"; exit 0; }
while read -r target; do
    [ -n "$target" ] || continue
    name=$(basename "$target")
    corpus=$root/fuzz/corpus/$name
    mkdir -p "$corpus"
    if [ "$seconds" = 0 ]; then
        echo "== $name: replaying $(find "$corpus" -type f | wc -l) inputs"
        "$target" -runs=0 "$corpus" 2>&1 | tail -n 2
    else
        scratch=$root/fuzz/corpus-run/$name
        mkdir -p "$scratch"
        echo "== $name: exploring for ${seconds}s"
        "$target" -max_total_time="$seconds" -print_final_stats=1 "$scratch" "$corpus" 2>&1 | tail -n 12
    fi
done < "$list"
