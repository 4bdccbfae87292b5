#!/usr/bin/env bash
# deb_package_test.sh start|save PACKAGE_DIR GAME_DIR [SAVE_AS_USER]: unpacks the Debian package
# of PACKAGE_DIR into a temporary root owned by root (dpkg-deb -x) and uses it as an ordinary
# user: nobody when the tests run as root (through runuser), else the user running them with
# the root made read-only. "start" starts the game with --screenshot; "save" saves an edited
# puzzle twice through the core (SAVE_AS_USER) and checks the user's copy and its backup. Both
# check that nothing inside the root changed.
set -euo pipefail
mode=$1 deb=$(echo "$2"/ladderly_*.deb) game_dir=$3 helper=${4:-}
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
root=$scratch/root home=$scratch/home
dpkg-deb -x "$deb" "$root"
mkdir -p "$home/.config/Tarn Software" "$home/tmp"
mkdir -m 700 "$home/run"
# The user's own settings name the unpacked game folder: the package's defaults name /usr.
game=$root/usr/$game_dir
printf '[General]\nDirectory="%s"\n' "$game" >"$home/.config/Tarn Software/Ladderly.conf"
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody "$home"
    as_user() { runuser -u nobody -- "$@"; }
else
    chmod -R a-w "$root"
    as_user() { "$@"; }
fi
user_env=(env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/run" TMPDIR="$home/tmp"
    QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0)
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
snapshot() {
    (cd "$root" && find . -printf '%p %y %m %u %g %s %T@ %l\n' | sort &&
        find . -type f -print0 | sort -z | xargs -0 sha256sum)
}
before=$(snapshot)

case $mode in
start)
    status=0
    as_user "${user_env[@]}" "$root/usr/games/ladderly" --screenshot "$home/first.png" \
        >"$scratch/output.txt" 2>&1 || status=$?
    [ "$status" -eq 0 ] || fail "the game ended with status $status: $(cat "$scratch/output.txt")"
    [ "$(head -c 4 "$home/first.png" 2>/dev/null | tail -c 3)" = PNG ] || fail "no screenshot"
    ;;
save)
    install -m 755 "$helper" "$scratch/save-as-user"
    shipped=$(($(wc -l <"$game/dat/puzzle.txt") / 4))
    data=$home/.local/share/Ladderly/
    for count in "$shipped" $((shipped - 1)); do
        read_back=$(as_user "${user_env[@]}" "$scratch/save-as-user" "$game") || fail "saving"
        [ "$read_back" = "$count $data" ] || fail "read '$read_back', not '$count $data'"
    done
    [ "$(($(wc -l <"$data/puzzle.txt") / 4))" -eq $((shipped - 2)) ] || fail "the user's copy"
    [ "$(($(wc -l <"$data/puzzle.bak") / 4))" -eq $((shipped - 1)) ] || fail "its backup"
    [ "$(stat -c %U "$data/puzzle.txt")" = "$(as_user id -un)" ] || fail "the copy's owner"
    ;;
esac

after=$(snapshot)
[ "$after" = "$before" ] || fail "the installation changed: $(diff <(echo "$before") <(echo "$after"))"
exit $((failures > 0))
