#!/usr/bin/env bash
# Runs a Windows program under wine64: CMake's cross-compiling emulator for
# the 64-bit tests, and the start-up measurement's launcher.
# Usage: wine_run.sh <state folder> <program.exe> [argument...]
# The state folder is where the fixtures (fixtures.sh) keep the virtual X
# display they started and the Wine prefixes; WINEPREFIX picks a prefix
# (default: the 96 DPI one).
set -euo pipefail
state=$(realpath -m "$1")  # Wine wants an absolute prefix
shift
export WINEPREFIX=${WINEPREFIX:-$state/wine/dpi96}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The fixture's display while its server runs; otherwise the caller's, if any.
if [ -s "$state/display" ] && [ -s "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
    DISPLAY=$(cat "$state/display")
    export DISPLAY
fi
# CTest lists the tests before any fixture runs: the prefixes are made here then
# (the script does nothing once they are there).
"$(dirname "$0")/make_prefixes.sh" "$(dirname "$WINEPREFIX")" "$(basename "$WINEPREFIX")" >/dev/null
# The program's output goes through files, not straight to the caller's pipes:
# Wine's own processes (services, the desktop) outlive the program while the
# fixture keeps the wine server running, and CTest waits for the pipes it
# gave a test to close.
output=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
status=0
/usr/lib/wine/wine64 "$@" >"$output" 2>"$errors" </dev/null || status=$?
cat "$output"
cat "$errors" >&2
exit "$status"
