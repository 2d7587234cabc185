#!/usr/bin/env bash
# Usage: strace_test.sh PROGRAM WORK_DIR
# Runs PROGRAM under strace on a virtual X display through every screen, then
# checks from the trace what it asked of the system (check_trace.py).
set -euo pipefail
program=$1
work=$2
here=$(dirname "$0")
mkdir -p "$work"
trace=$work/trace.txt
# Only the calls the checks read: files, sockets, processes.
"$here/drive_program.py" "$work/scratch" \
    strace -f -qq -o "$trace" -e trace=%file,%network,%process "$program"
"$here/check_trace.py" "$trace" "$work/scratch"
