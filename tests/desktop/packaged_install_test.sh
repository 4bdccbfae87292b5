#!/usr/bin/env bash
# packaged_install_test.sh BUILD APP_ID GAME_DIR: installs the build as a packager does (a
# prefix into a DESTDIR) and checks the layout: the launcher, the game folder with its data and
# its defaults naming the final folder, the desktop entry, the icons at their sizes and the
# metadata; then starts the game through the launcher.
set -euo pipefail
build=$1 id=$2 game_dir=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
# A prefix no installation on this machine has, so the started game cannot find a real one.
prefix=$scratch/usr
DESTDIR=$root cmake --install "$build" --prefix "$prefix" >/dev/null
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

game=$root$prefix/$game_dir
[ -x "$root$prefix/bin/ladderly" ] || fail "no launcher in bin/"
for file in ladderly ladderly-tool dat/vocab.txt dat/puzzle.txt dat/sounds.txt dat/sounds.dat; do
    [ -f "$game/$file" ] || fail "no $file in the game folder"
done
[ -d "$game/wav" ] || fail "no wav folder"
grep -qx "Directory=\"$prefix/$game_dir\"" "$game/defaults/Tarn Software/Ladderly.conf" ||
    fail "the defaults do not name $prefix/$game_dir"
[ -f "$root$prefix/share/applications/$id.desktop" ] || fail "no desktop entry"
[ -f "$root$prefix/share/metainfo/$id.metainfo.xml" ] || fail "no metadata"
for size in 48 64 96 128 256; do
    icon=$root$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    dimensions=$(od -An -tu1 -j16 -N8 "$icon" 2>/dev/null | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$dimensions" = "${size}x${size}" ] || fail "icon $size: '$dimensions'"
done

# Started through the launcher, the game reads the installer's defaults, which name a folder
# that exists only once the package is installed.
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$scratch/config XDG_CONFIG_DIRS=$scratch/xdg
export XDG_RUNTIME_DIR=$scratch/run TMPDIR=$scratch/tmp ASAN_OPTIONS=detect_leaks=0
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$TMPDIR"
output=$("$root$prefix/bin/ladderly" --screenshot "$scratch/first.png" 2>&1) || true
grep -qF "Unable to locate installation folder \"$prefix/$game_dir\"" <<<"$output" ||
    fail "the launcher did not start the game: $output"

exit $((failures > 0))
