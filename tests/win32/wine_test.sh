#!/usr/bin/env bash
# Runs a Windows program under Wine on an X display and passes on its exit
# status. With --summary the program must also end with "N passed, 0 failed".
# Usage: wine_test.sh [--summary] <wine prefix> <program.exe> [argument...]
set -uo pipefail

if [ -z "${DISPLAY:-}" ]; then
    # Run by hand without a display: bring a virtual one.
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

summary=0
if [ "${1:-}" = --summary ]; then
    summary=1
    shift
fi
export WINEPREFIX="$1"
shift
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

output=$(mktemp)
trap 'rm -f "$output"' EXIT
/usr/lib/wine/wine64 "$@" | tee "$output"
status=${PIPESTATUS[0]}

if [ "$status" -eq 0 ] && [ "$summary" -eq 1 ]; then
    last=$(tr -d '\r' <"$output" | grep -v '^$' | tail -n 1)
    if ! [[ "$last" =~ ^[1-9][0-9]*\ passed,\ 0\ failed$ ]]; then
        echo "the test program did not end with 'N passed, 0 failed' (last line: '$last')"
        exit 1
    fi
fi
exit "$status"
