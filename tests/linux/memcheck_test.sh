#!/usr/bin/env bash
# Usage: memcheck_test.sh EXPECTED_DATA PROGRAM SUPPRESSIONS WORK_DIR
# Runs PROGRAM under valgrind's memcheck through every screen on the X display
# DISPLAY names (a virtual one, benchmarks/on_virtual_display.sh) and closes
# it (drive_program.py, with the build's EXPECTED_DATA). Passes when it ends
# with status 0, memcheck found no error and nothing is definitely lost (an
# error here, so the status is 99).
set -euo pipefail
data=$1
program=$2
suppressions=$3
work=$4
here=$(dirname "$0")
mkdir -p "$work"
log=$work/memcheck.log

status=0
"$here/drive_program.py" "$data" "$work/scratch" \
    valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite --error-exitcode=99 \
    --num-callers=40 --show-error-list=yes --suppressions="$suppressions" --log-file="$log" \
    "$program" || status=$?

# The leak and error summaries, and which suppressions were used how often.
grep -E '^==[0-9]+== +(definitely lost|indirectly lost|possibly lost|still reachable|suppressed|ERROR SUMMARY)' "$log" |
    sed -E 's/^==[0-9]+== +//' | awk '!seen[$0]++'
grep -E 'used_suppression' "$log" | sed -E 's/^--[0-9]+-- +//' || echo "no suppression used"
if [ "$status" -ne 0 ]; then
    echo "memcheck: the program ended with status $status; see $log" >&2
    exit 1
fi
echo "memcheck: clean"
