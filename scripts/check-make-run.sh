#!/usr/bin/env bash
# check-make-run.sh: the README's first command as a new user meets it on this clone.
# Without a display `make run` must end with its "no display" message; under a virtual X server
# the game must start and keep running. Settings and the instance lock go to a scratch folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scratch=$(mktemp -d)
group=
cleanup() {
    [ -n "$group" ] && kill -- "-$group" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_CONFIG_DIRS=$scratch/xdg XDG_RUNTIME_DIR=$scratch/run
export TMPDIR=$scratch/tmp # the instance lock: a game running elsewhere must not answer
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$TMPDIR"
fail() {
    echo "make run: $1" >&2
    [ -f "$2" ] && cat "$2" >&2
    exit 1
}

status=0
env -u DISPLAY -u WAYLAND_DISPLAY make run >"$scratch/headless.log" 2>&1 || status=$?
grep -q "No display found" "$scratch/headless.log" && [ "$status" -ne 0 ] ||
    fail "without a display it did not end with its message (status $status)" "$scratch/headless.log"
echo "make run without a display: ends with its message"

# In a process group of its own, so the game, make and the X server end together.
setsid xvfb-run -a make run >"$scratch/xvfb.log" 2>&1 &
group=$!
started=
for _ in $(seq 600); do
    kill -0 "$group" 2>/dev/null || fail "ended before the game started" "$scratch/xvfb.log"
    if pgrep -g "$group" -x ladderly >/dev/null; then
        started=1
        break
    fi
    sleep 0.1
done
[ -n "$started" ] || fail "the game did not start within a minute" "$scratch/xvfb.log"
sleep 10
pgrep -g "$group" -x ladderly >/dev/null || fail "the game ended within 10 s of starting" "$scratch/xvfb.log"
echo "make run under xvfb-run: the game starts and keeps running"
