#!/usr/bin/env bash
# Builds and runs every test: once in a debug build with warnings as errors,
# once under AddressSanitizer and UndefinedBehaviorSanitizer; a bounded fuzz
# run of the design-data reader; the Windows builds and their tests under
# Wine; last the static checks, which read the compile commands of the Linux
# and the Windows builds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh qt6-base-dev qt6-base-dev-tools fonts-liberation2 appstream desktop-file-utils \
    clang libclang-rt-14-dev libbenchmark-dev valgrind strace xvfb dbus-daemon fontconfig python3-xlib
for preset in dev asan; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j "$(nproc)"
done

echo "== fuzz"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz

scripts/test_windows.sh

scripts/check_static.sh
