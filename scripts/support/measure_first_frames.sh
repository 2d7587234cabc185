#!/usr/bin/env bash
# Usage: measure_first_frames.sh BUILD_DIR RUNS PROGRAM...
# On the current X display, starts each PROGRAM (a path under BUILD_DIR) RUNS
# times, alternating, with the first-frame probe loaded; prints one line per
# run: "<name> <microseconds to first frame> peak-rss-kib <KiB>".
set -euo pipefail
build=$1
runs=$2
shift 2
for _ in $(seq "$runs"); do
    for program in "$@"; do
        # The probe ends each run at its first frame; the timeout only ends a run
        # that never shows one (which the caller reports as missing).
        FIRST_FRAME_EXIT=1 FIRST_FRAME_START_NS=$(date +%s%N) LD_PRELOAD="$build/benchmarks/libfirst_frame_probe.so" \
            timeout 10 "$build/$program" 2>&1 >/dev/null | sed -n "s|^first-frame-us |${program##*/} |p" || true
    done
done
