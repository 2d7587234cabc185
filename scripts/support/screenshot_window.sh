#!/usr/bin/env bash
# Usage: screenshot_window.sh PROGRAM PNG
# On the current X display: starts PROGRAM, waits for its window to be shown,
# saves a screenshot of that window to PNG and ends the program.
set -euo pipefail
program=$1
screenshot=$2

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

# The caption is Bulgarian: xwininfo prints it only in a UTF-8 locale.
export LC_ALL=C.UTF-8
window=
for _ in $(seq 100); do
    window=$(xwininfo -root -tree 2>/dev/null | awk '/Психология/ && /[0-9]+x[0-9]+\+/ {print $1; exit}')
    if [ -n "$window" ] && xwininfo -id "$window" | grep -q 'Map State: IsViewable'; then break; fi
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" && status=0 || status=$?
        echo "The program ended with status $status before its window was shown." >&2
        exit 1
    fi
    window=
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "The program's window did not appear within 10 seconds." >&2
    exit 1
fi
sleep 0.5  # let the first frame be painted
import -window "$window" "$screenshot"
