#!/usr/bin/env bash
# packager_configure_test.sh SOURCE: configures the project as a packager does, with
# BUILD_TESTING=OFF and the test libraries hidden: it must need none of GoogleTest, Google
# Benchmark, Qt Test, desktop-file-validate, appstreamcli or lintian, and must not turn
# warnings into errors.
set -euo pipefail
source=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

cmake -S "$source" -B "$scratch" -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON \
    >"$scratch.log" 2>&1 || fail "configuring: $(cat "$scratch.log")"
rm -f "$scratch.log"
for tool in DESKTOP_FILE_VALIDATE APPSTREAMCLI LINTIAN; do
    ! grep -q "^$tool:" "$scratch/CMakeCache.txt" || fail "it looked for $tool"
done
grep -q '"command"' "$scratch/compile_commands.json" || fail "no compile commands"
! grep -q -- -Werror "$scratch/compile_commands.json" || fail "warnings are errors"
exit $((failures > 0))
