#!/bin/sh
# make-pictures draws byte-identical files on every run, one for each picture in assets/.
# usage: same_pictures_twice.sh MAKE-PICTURES WORKDIR ASSETS
set -eu
tool=$1
work=$2
assets=$3
rm -rf "$work"
mkdir -p "$work"
QT_QPA_PLATFORM=offscreen "$tool" "$work/first"
QT_QPA_PLATFORM=offscreen "$tool" "$work/second"
diff -r "$work/first" "$work/second"
ls "$work/first" >"$work/drawn.txt"
ls "$assets" >"$work/shipped.txt"
diff "$work/drawn.txt" "$work/shipped.txt"
