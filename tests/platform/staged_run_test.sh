#!/usr/bin/env bash
# staged_run_test.sh BUILD GAME_DIR: stages the build into a scratch folder as `make stage`
# does and starts the staged program through its launcher offscreen, with settings of its own,
# in the situations a newcomer meets: no image library, a broken one, sound switched off, a
# user's own installation folder that is gone. Each ends after its one message with status 1.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
stage=$scratch/stage
cmake --install "$build" --prefix "$stage" >/dev/null
game=$stage/$2

export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$scratch/config XDG_CONFIG_DIRS=$scratch/xdg
# A lock of its own (in TMPDIR): a game running elsewhere on the machine must not answer.
export XDG_RUNTIME_DIR=$scratch/run TMPDIR=$scratch/tmp ASAN_OPTIONS=detect_leaks=0
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$TMPDIR"
user_settings="$XDG_CONFIG_HOME/Tarn Software/Ladderly.conf"
failures=0

# expect WHAT STATUS TEXT ARGS...: runs the staged program and checks its exit status and report.
expect() {
    local what=$1 expected=$2 text=$3
    shift 3
    local output status=0
    output=$("$stage/bin/ladderly" "$@" 2>&1) || status=$?
    if [ "$status" -ne "$expected" ] || ! grep -qF -- "$text" <<<"$output"; then
        echo "FAILED: $what: exit status $status, output:"
        echo "$output"
        failures=$((failures + 1))
    fi
}

[ -d "$game/wav" ] || { echo "FAILED: no wav folder staged"; failures=$((failures + 1)); }
[ -f "$game/dat/sounds.txt" ] || { echo "FAILED: no sound table staged"; failures=$((failures + 1)); }

rm -f "$game/ladderly.px8"
expect "no image library" 1 \
    'Installation Error: Sorry! We cannot find the needed file "ladderly.px8".'

echo "not a library" >"$game/ladderly.px8"
touch "$game/dat/puzzle.txt"
expect "a broken image library" 1 "Ladderly: Ladderly encountered a problem on start-up: " nowave
grep -qx 'Enable%20sound=0' "$user_settings" || { echo "FAILED: sound not stored off"; failures=$((failures + 1)); }

printf '[General]\nDirectory=%s/gone\n' "$scratch" >>"$user_settings"
expect "the user's folder is gone" 1 \
    "Starting Game: Unable to locate installation folder \"$scratch/gone\"."

exit $((failures > 0))
