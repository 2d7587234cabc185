#!/usr/bin/env bash
# Builds the Windows program (32-bit release) and the 64-bit test build, and
# runs every Windows test: the release executable's headers and resources, and
# the 64-bit program and test program under Wine on one virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh windows

for preset in win32-release win64; do
    echo "== build $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j 2
done

xvfb=
prefixes="$PWD/build/win64/tests/win32/wine"
cleanup() {
    for prefix in "$prefixes"/dpi96 "$prefixes"/dpi144; do
        [ -d "$prefix" ] && WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    done
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
}
trap cleanup EXIT
source scripts/support/xvfb.sh
start_xvfb

for preset in win32-release win64; do
    echo "== test $preset"
    ctest --preset "$preset" -j 2
done
