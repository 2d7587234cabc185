#!/usr/bin/env bash
# Start-up to first paint under Wine: the program against a minimal Win32
# window, run in turns in the same Wine prefix and display. Prints medians.
# Usage: scripts/measure_windows_startup.sh [runs]   (after scripts/test_windows.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
build=$PWD/build/win64
cmake --build --preset win64 --target temperament minimal_window startup_timer -j 2 >/dev/null
winpath() { echo "Z:${1//\//\\}"; }
tests/win32/wine_test.sh "$build/tests/win32/wine/dpi96" "$build/tests/win32/startup_timer.exe" "$runs" \
    "$(winpath "$build/tests/win32/minimal_window.exe")" "Minimal window" \
    "$(winpath "$build/temperament.exe")" "www.temperament.example  Психология - видове темперамент"
