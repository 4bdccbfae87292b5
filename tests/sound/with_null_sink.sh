#!/usr/bin/env bash
# with_null_sink.sh [--restartable] COMMAND...: runs the command with a private PulseAudio server
# whose only output is a null sink, so sound plays through a real device without speakers.
# With --restartable the command may kill the server: LADDERLY_SOUND_SERVER_CONTROL names a
# folder whose "server.pid" holds the server's process id, and the server starts again once a
# file "restart" appears there. Without pulseaudio the command runs as it is (and the device
# tests skip themselves).
set -euo pipefail
restartable=
if [ "${1:-}" = --restartable ]; then
    restartable=1
    shift
fi
if ! command -v pulseaudio >/dev/null; then
    exec "$@"
fi
dir=$(mktemp -d)
(
    while :; do
        HOME=$dir XDG_RUNTIME_DIR=$dir pulseaudio -n --daemonize=no --exit-idle-time=-1 \
            --use-pid-file=no --disable-shm=yes -L module-null-sink \
            -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" >>"$dir/log" 2>&1 &
        echo $! >"$dir/server.pid"
        wait $! || true
        [ -n "$restartable" ] || break
        while [ ! -e "$dir/restart" ] && [ ! -e "$dir/stop" ]; do
            sleep 0.1
        done
        [ ! -e "$dir/stop" ] || break
        rm -f "$dir/restart"
    done
) &
supervisor=$!
finish() {
    touch "$dir/stop"
    while kill -0 "$supervisor" 2>/dev/null; do
        kill "$(cat "$dir/server.pid" 2>/dev/null)" 2>/dev/null || true
        sleep 0.1
    done
    rm -rf "$dir"
}
trap finish EXIT
export PULSE_SERVER=unix:$dir/native
# A loaded machine may take its time to start the server.
for _ in $(seq 600); do
    if [ -S "$dir/native" ] && { ! command -v pactl >/dev/null || pactl info >/dev/null 2>&1; }; then
        break
    fi
    sleep 0.1
done
# The tests fail rather than skip when this server cannot be reached.
export LADDERLY_SOUND_SERVER=1
if [ -n "$restartable" ]; then
    export LADDERLY_SOUND_SERVER_CONTROL=$dir
fi
"$@"
