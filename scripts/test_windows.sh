#!/usr/bin/env bash
# Builds the Windows program (32-bit release) and the 64-bit test build, and
# runs every Windows test: the release executable's headers and resources, and
# the 64-bit program and test program under Wine on one virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."

# Wine's X11 driver loads the X extension libraries at run time.
scripts/setup.sh mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 xvfb xauth \
    fonts-liberation2 libxrender1 libxrandr2 libxcursor1 libxi6 libxcomposite1 libxfixes3 libxinerama1 libxxf86vm1

for preset in win32-release win64; do
    echo "== build $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j 2
done

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
prefixes="$PWD/build/win64/tests/win32/wine"
cleanup() {
    for prefix in "$prefixes"/dpi96 "$prefixes"/dpi144; do
        [ -d "$prefix" ] && WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    done
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$display_file")"

for preset in win32-release win64; do
    echo "== test $preset"
    ctest --preset "$preset" -j 2
done
