#!/usr/bin/env bash
# Measures, in one run and side by side, the Linux program's start-up against
# a minimal Qt window (one label): the time from process start to its first
# frame and the peak resident memory at that frame, as medians of alternating
# runs on one virtual X display.
# Usage: scripts/benchmark_startup.sh [--tsv] [runs]
# --tsv prints only "label<TAB>program<TAB>baseline" lines, for scripts/benchmark.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
tsv=0
if [ "${1:-}" = --tsv ]; then tsv=1; shift; fi
runs=${1:-21}

scripts/setup.sh benchmarks
cmake --preset benchmark >/dev/null
cmake --build --preset benchmark >/dev/null
build=$PWD/build/benchmark

xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" \
    scripts/support/measure_first_frames.sh "$build" "$runs" temperament benchmarks/minimal_qt_window | awk -v runs="$runs" -v tsv="$tsv" '
    function median(values, n,    sorted, i, j, t) {
        for (i = 1; i <= n; i++) sorted[i] = values[i]
        for (i = 2; i <= n; i++) for (j = i; j > 1 && sorted[j - 1] > sorted[j]; j--) {
            t = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = t
        }
        return n % 2 ? sorted[(n + 1) / 2] : (sorted[n / 2] + sorted[n / 2 + 1]) / 2
    }
    { n[$1]++; time[$1, n[$1]] = $2; memory[$1, n[$1]] = $4 }
    END {
        if (n["temperament"] != runs || n["minimal_qt_window"] != runs) {
            print "some runs showed no first frame" > "/dev/stderr"; exit 1
        }
        for (i = 1; i <= runs; i++) {
            pt[i] = time["temperament", i]; bt[i] = time["minimal_qt_window", i]
            pm[i] = memory["temperament", i]; bm[i] = memory["minimal_qt_window", i]
        }
        t1 = median(pt, runs) / 1000; t0 = median(bt, runs) / 1000
        m1 = median(pm, runs) / 1024; m0 = median(bm, runs) / 1024
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
