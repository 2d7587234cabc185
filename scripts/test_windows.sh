#!/usr/bin/env bash
# Builds the Windows program (32-bit release) and the 64-bit test build, and
# runs every Windows test with CTest: the release executable's headers and
# resources, and the 64-bit program and GoogleTest program under Wine, whose
# virtual X display and Wine prefixes are CTest fixtures of the win64 build.
set -euo pipefail
cd "$(dirname "$0")/.."

# Wine's X11 driver loads the X extension libraries at run time. (setup.sh
# always installs libgtest-dev, whose sources the Windows tests build.)
scripts/setup.sh mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 xvfb xauth \
    fonts-liberation2 libxrender1 libxrandr2 libxcursor1 libxi6 libxcomposite1 libxfixes3 libxinerama1 libxxf86vm1

for preset in win32-release win64; do
    echo "== build $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j 2
    echo "== test $preset"
    ctest --preset "$preset" -j 2
done
