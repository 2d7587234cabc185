#!/usr/bin/env bash
# Measures, in one run and side by side, the Linux program's start-up against
# a minimal Qt window (one label): the time from process start to its first
# frame and the peak resident memory at that frame, as medians of alternating
# runs on one virtual X display.
# Usage: scripts/support/linux_startup.sh [--tsv] [runs]
# --tsv prints only "label<TAB>program<TAB>baseline" lines, for scripts/benchmark.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."
tsv=0
if [ "${1:-}" = --tsv ]; then tsv=1; shift; fi
runs=${1:-21}

scripts/setup.sh benchmarks
cmake --preset benchmark >/dev/null
cmake --build --preset benchmark >/dev/null
build=$PWD/build/benchmark

source scripts/support/xvfb.sh
samples=$(mktemp)
trap 'stop_xvfb; rm -f "$samples"' EXIT
start_xvfb
scripts/support/measure_first_frames.sh "$build" "$runs" temperament benchmarks/minimal_qt_window >"$samples"

# The median of column $2 of the lines of program $1.
median() {
    awk -v name="$1" -v column="$2" '$1 == name { print $column }' "$samples" | sort -g |
        awk '{ v[NR] = $1 } END { if (NR) print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
for name in temperament minimal_qt_window; do
    if [ "$(grep -c "^$name " "$samples")" -ne "$runs" ]; then
        echo "some runs of $name showed no first frame" >&2
        exit 1
    fi
done
t1=$(median temperament 2)
t0=$(median minimal_qt_window 2)
m1=$(median temperament 4)
m0=$(median minimal_qt_window 4)
awk -v t1="$t1" -v t0="$t0" -v m1="$m1" -v m0="$m0" -v runs="$runs" -v tsv="$tsv" 'BEGIN {
    t1 /= 1000; t0 /= 1000; m1 /= 1024; m0 /= 1024
    if (tsv) {
        printf "Linux: start to first frame (ms)\t%.1f\t%.1f\n", t1, t0
        printf "Linux: peak resident memory (MiB)\t%.1f\t%.1f\n", m1, m0
        exit 0
    }
    printf "Start-up on X11 (Xvfb), medians of %d runs each\n", runs
    printf "%-28s %12s %12s %8s\n", "", "temperament", "minimal Qt", "ratio"
    printf "%-28s %12.1f %12.1f %8.2f\n", "start to first frame (ms)", t1, t0, t1 / t0
    printf "%-28s %12.1f %12.1f %8.2f\n", "peak resident memory (MiB)", m1, m0, m1 / m0
}'
