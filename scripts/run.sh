#!/usr/bin/env bash
# Builds the program and opens its window. Without a display it starts the
# program on a virtual X display instead, saves a screenshot of the window,
# prints where, and closes the program.
# scripts/run.sh --web: the browser version instead (scripts/support/run_web.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --web ]; then exec scripts/support/run_web.sh; fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    scripts/setup.sh program
else
    scripts/setup.sh program virtual-display
fi
cmake --preset release >/dev/null
cmake --build --preset release
program=$PWD/build/release/temperament

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$program"
fi

screenshot=$PWD/build/release/screenshot.png
echo "No display: starting the program on a virtual X display (Xvfb)."
# A session of its own: the toolkit wants a private runtime folder.
runtime_dir=$(mktemp -d)
source scripts/support/xvfb.sh
trap 'stop_xvfb; rm -rf "$runtime_dir"' EXIT
start_xvfb
XDG_RUNTIME_DIR=$runtime_dir scripts/support/screenshot_window.sh "$program" "$screenshot"
echo "Screenshot of the window saved to $screenshot"
