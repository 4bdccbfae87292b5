#!/usr/bin/env bash
# desktop_session_test.sh BUILD GAME_DIR SEND_CLOSE_REQUEST: the staged game on a virtual X
# server of its own, over a small collection of its own, played as a desktop user plays it: real
# key presses, clicks and close requests, with another program's window (xclock) taking the
# focus. It checks that
# - the win animation keeps drawing while the other window has the focus;
# - help opened from the puzzle selector takes clicks while the selector stays open, and
#   closing help gives the focus back to the selector;
# - closing the game's window while help is open ends the game: help closes, the save
#   question comes, the collection is written and the program ends; a second start then opens
#   a game of its own.
# Every wait is for a condition, with a generous limit.
set -euo pipefail
build=$1
close_request=$3
scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $1" >&2
    cat "$scratch/game.log" >&2 2>/dev/null || true
    exit 1
}

cmake --install "$build" --prefix "$scratch/stage" >/dev/null
game=$scratch/stage/$2
printf 'cat\ncog\ncc\n\ndog\ncat\nccc\n\ncot\ndog\ncc\n\n' >"$game/dat/puzzle.txt"
printf 'cat\ncog\ncot\ndog\ndot\n' >"$game/dat/vocab.txt"
export XDG_CONFIG_HOME=$scratch/config XDG_CONFIG_DIRS=$scratch/xdg XDG_RUNTIME_DIR=$scratch/run
export TMPDIR=$scratch/tmp ASAN_OPTIONS=detect_leaks=0
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$TMPDIR"
mkdir -p "$XDG_CONFIG_HOME/Tarn Software"
printf '[General]\nSplashScreen=0\n' >"$XDG_CONFIG_HOME/Tarn Software/Ladderly.conf"

# within SECONDS COMMAND...: runs the command every tenth of a second until it succeeds.
within() {
    local tries=$(($1 * 10))
    shift
    for ((try = 0; try < tries; try++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
# Windows are found by a pattern of their names.
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
gone() { ! shown "$1"; }
window() {
    within 60 shown "$1" || fail "no window named like $1"
    xdotool search --onlyvisible --name "$1" | head -1
}
focused() { [ "$(xdotool getwindowfocus)" = "$1" ]; }
named() { [ "$(xdotool getwindowname "$1")" = "$2" ]; }
picture() { xwd -id "$1" -silent >"$2"; }
changed() { picture "$1" "$scratch/now.xwd" && ! cmp -s "$2" "$scratch/now.xwd"; }
ended() { ! kill -0 "$1" 2>/dev/null; }
start_game() {
    "$scratch/stage/bin/ladderly" >>"$scratch/game.log" 2>&1 &
    pids+=($!)
}

# A virtual X server of this run's own: Xvfb picks a display number no other server holds (it
# takes the number's lock file itself, so runs started together never share one) and writes the
# number once it accepts connections.
Xvfb -displayfd 3 -screen 0 1021x765x24 -nolisten tcp 3>"$scratch/ready" 2>>"$scratch/x.log" &
server=$!
server_up() { test -s "$scratch/ready" || ! kill -0 "$server" 2>/dev/null; }
within 60 server_up && test -s "$scratch/ready" || fail "no virtual X server of its own"
export DISPLAY=:$(head -1 "$scratch/ready")
pids+=("$server")

start_game
game_pid=${pids[-1]}
board=$(window '^Ladderly!$')
# The game takes keys once its first puzzle is on the board: F1 then opens help.
answers_f1() {
    xdotool windowfocus --sync "$board" key F1
    shown "Ladderly Help"
}
within 60 answers_f1 || fail "the game never answered F1"
"$close_request" "$(window "Ladderly Help")"
within 60 gone "Ladderly Help" || fail "help stayed open"

# The first puzzle, cat to cog, is solved by typing its middle row; then another program takes
# the focus, and the win animation goes on moving on the screen.
xdotool windowfocus --sync "$board" type cot
xclock -geometry 100x100+900+640 2>/dev/null &
pids+=($!)
xdotool windowfocus --sync "$(window '^xclock$')"
# The game notices the loss of the focus a moment later; only then did the board stop.
sleep 3
picture "$board" "$scratch/then.xwd"
within 60 changed "$board" "$scratch/then.xwd" || fail "the board stopped with another window focused"

# Help from the selector: the click on Contents works while the selector is open.
xdotool mousemove --window "$board" 380 318 click 1
selector=$(window '^Puzzle Selector$')
xdotool windowfocus --sync "$selector" key F1
help=$(window "Ladderly Help")
contents=$(sed -n 's:.*<title>\(.*\)</title>.*:\1:p' "$game/help/index.html")
xdotool mousemove --window "$help" 40 20 click 1
within 60 named "$help" "$contents" || fail "a click on help's Contents did nothing"
"$close_request" "$help"
within 60 focused "$selector" || fail "closing help did not return to the selector"

# Deleting the selected puzzle changes the collection. The Delete button sits above the
# selector's bottom edge, which the summary under the list moves down from the height of 275.
grown=$(($(xdotool getwindowgeometry --shell "$selector" | sed -n 's/^HEIGHT=//p') - 275))
xdotool mousemove --window "$selector" 240 $((206 + grown)) click 1
xdotool windowfocus --sync "$(window '^Ladderly Selector$')" key Return
xdotool windowfocus --sync "$selector" key Escape
within 60 gone '^Puzzle Selector$' || fail "the selector stayed open"

# Closing the game's window with help open ends the game.
xdotool windowfocus --sync "$board" key F1
within 60 shown "Ladderly Help" || fail "F1 opened no help"
"$close_request" "$board"
question=$(window '^Ladderly$')
gone "Ladderly Help" || fail "help stayed open"
xdotool windowfocus --sync "$question" key Return
within 60 ended "$game_pid" || fail "the game did not end"
wait "$game_pid" || fail "the game ended with status $?"
[ -f "$game/dat/puzzle.bak" ] && [ "$(wc -l <"$game/dat/puzzle.txt")" -eq 8 ] ||
    fail "the collection was not saved without the puzzle deleted"

start_game
"$close_request" "$(window '^Ladderly!$')"
within 60 ended "${pids[-1]}" || fail "the second game did not start and end as one of its own"
