#!/usr/bin/env bash
# staged_run_test.sh BUILD: stages the build into a scratch folder as `make stage` does and
# starts the staged program offscreen, with settings of its own, in the situations a newcomer
# meets: no image library, a broken one, sound switched off, a user's own installation folder
# that is gone. Each ends after its one message with status 1.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
stage=$scratch/stage
cmake --install "$build" --prefix "$stage" >/dev/null

export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$scratch/config XDG_CONFIG_DIRS=$scratch/xdg
export XDG_RUNTIME_DIR=$scratch/run ASAN_OPTIONS=detect_leaks=0
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
user_settings="$XDG_CONFIG_HOME/Tarn Software/Ladderly.conf"
failures=0

# expect WHAT TEXT ARGS...: runs the staged program and checks that it failed to start with
# that report.
expect() {
    local what=$1 text=$2
    shift 2
    local output status=0
    output=$("$stage/ladderly" "$@" 2>&1) || status=$?
    if [ "$status" -ne 1 ] || ! grep -qF -- "$text" <<<"$output"; then
        echo "FAILED: $what: exit status $status, output:"
        echo "$output"
        failures=$((failures + 1))
    fi
}

[ -d "$stage/wav" ] || { echo "FAILED: no wav folder staged"; failures=$((failures + 1)); }
[ -f "$stage/dat/sounds.txt" ] || { echo "FAILED: no sound table staged"; failures=$((failures + 1)); }

rm -f "$stage/ladderly.px8"
expect "no image library" \
    'Installation Error: Sorry! We cannot find the needed file "ladderly.px8".'

echo "not a library" >"$stage/ladderly.px8"
touch "$stage/dat/puzzle.txt"
expect "a broken image library" "Ladderly: Ladderly encountered a problem on start-up: " nowave
grep -qx 'Enable%20sound=0' "$user_settings" || { echo "FAILED: sound not stored off"; failures=$((failures + 1)); }

printf '[General]\nDirectory=%s/gone\n' "$scratch" >>"$user_settings"
expect "the user's folder is gone" \
    "Starting Game: Unable to locate installation folder \"$scratch/gone\"."

exit $((failures > 0))
