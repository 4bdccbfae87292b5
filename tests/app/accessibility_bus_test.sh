#!/usr/bin/env bash
# accessibility_bus_test.sh BUILD GAME_DIR: stages the build as `make stage` does, puts two
# puzzles of its own in it and starts the staged game on a virtual X server of its own, with a
# D-Bus session and the accessibility bus of its own, then reads and plays it from outside as a
# screen reader does (accessibility_bus_test.py, run by the system's Python with pyatspi).
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")

if [ -z "${LADDERLY_BUS_SCRATCH:-}" ]; then
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    # Settings, the single-instance lock and its socket, and the accessibility bus's socket
    # (its launcher inherits the session bus's environment) all live in the scratch folder.
    export LADDERLY_BUS_SCRATCH=$scratch XDG_CONFIG_HOME=$scratch/config
    export XDG_CONFIG_DIRS=$scratch/xdg XDG_RUNTIME_DIR=$scratch/run XDG_CACHE_HOME=$scratch/cache
    export TMPDIR=$scratch/tmp ASAN_OPTIONS=detect_leaks=0
    mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$XDG_CACHE_HOME" "$TMPDIR" "$XDG_CONFIG_HOME/Tarn Software"
    printf '[General]\nSplashScreen=0\n' >"$XDG_CONFIG_HOME/Tarn Software/Ladderly.conf"
    dbus-run-session -- "$0" "$@"
    exit
fi
build=$1
scratch=$LADDERLY_BUS_SCRATCH
pids=()
finish() {
    local status=$?
    # The game before its X server.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    if [ "$status" -ne 0 ]; then
        for log in "$scratch"/*.log; do
            echo "--- $(basename "$log")"
            cat "$log"
        done
    fi
}
trap finish EXIT

stage=$scratch/stage
cmake --install "$build" --prefix "$stage" >/dev/null
game=$stage/$2
printf 'cat\ncot\ndot\ndog\n' >"$game/dat/vocab.txt"
printf 'cat\ndog\nccc\n2=cot\ndog\ncat\nccc\n3=cot\n' >"$game/dat/puzzle.txt"

# Xvfb picks a free display itself and says which once it accepts connections.
coproc XVFB { exec Xvfb -displayfd 1 -screen 0 800x600x24 -nolisten tcp 2>"$scratch/xvfb.log"; }
pids+=("$XVFB_PID")
read -r -t 300 number <&"${XVFB[0]}"
export DISPLAY=:$number

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$stage/bin/ladderly" nosound \
    >"$scratch/game.log" 2>&1 &
game_pid=$!
pids+=("$game_pid")

/usr/bin/python3 "$here/accessibility_bus_test.py"
kill -0 "$game_pid" 2>/dev/null || { echo "FAILED: the game ended while it was read"; exit 1; }
