#!/usr/bin/env bash
# Usage: strace_test.sh EXPECTED_DATA PROGRAM WORK_DIR
# Runs PROGRAM under strace through every screen on the X display DISPLAY
# names (a virtual one, benchmarks/on_virtual_display.sh; drive_program.py,
# with the build's EXPECTED_DATA), then checks from the trace what it asked of
# the system (check_trace.py).
set -euo pipefail
data=$1
program=$2
work=$3
here=$(dirname "$0")
mkdir -p "$work"
trace=$work/trace.txt
# Only the calls the checks read: files, sockets, processes.
"$here/drive_program.py" "$data" "$work/scratch" \
    strace -f -qq -o "$trace" -e trace=%file,%network,%process "$program"
"$here/check_trace.py" "$trace" "$work/scratch"
