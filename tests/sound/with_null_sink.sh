#!/usr/bin/env bash
# with_null_sink.sh COMMAND...: runs the command with a private PulseAudio server whose only
# output is a null sink, so sound plays through a real device without speakers. Without
# pulseaudio the command runs as it is (and the device tests skip themselves).
set -euo pipefail
if ! command -v pulseaudio >/dev/null; then
    exec "$@"
fi
dir=$(mktemp -d)
HOME=$dir XDG_RUNTIME_DIR=$dir pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    --disable-shm=yes -L module-null-sink \
    -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" >"$dir/log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$dir"' EXIT
for _ in $(seq 50); do
    [ -S "$dir/native" ] && break
    sleep 0.1
done
# The tests fail rather than skip when this server cannot be reached.
LADDERLY_SOUND_SERVER=1 PULSE_SERVER=unix:$dir/native "$@"
