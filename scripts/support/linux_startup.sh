#!/usr/bin/env bash
# Measures, in one run and side by side, the Linux program against the same
# first screen built by hand with Qt (benchmarks/hand_built_qt_window.cpp) and
# against the floor of the toolkit, a Qt window with one label: the time from
# process start to the first frame and the peak resident memory at that
# frame, as medians of alternating runs on one virtual X display, and the
# instructions to that frame (callgrind), which do not move with the load of
# the machine; and the response to a click on "Павлов"
# (benchmarks/click_latency.py), the program and the hand-built window each on
# a display of its own, clicked in turns, with the floor of a click, the
# hand-built window's first option button, which only moves the choice.
# Usage: scripts/support/linux_startup.sh [--tsv] [runs] [clicks]
# --tsv prints only "label<TAB>program<TAB>hand-built<TAB>floor" lines, for
# scripts/benchmark.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."
tsv=0
if [ "${1:-}" = --tsv ]; then tsv=1; shift; fi
runs=${1:-21}
clicks=${2:-200}

scripts/setup.sh benchmarks
cmake --preset benchmark >/dev/null
cmake --build --preset benchmark >/dev/null
build=$PWD/build/benchmark

source scripts/support/xvfb.sh
samples=$(mktemp)
second_xvfb=
trap 'stop_xvfb; [ -z "$second_xvfb" ] || kill "$second_xvfb"; rm -f "$samples"' EXIT
start_xvfb
programs=(temperament hand_built_qt_window minimal_qt_window)
scripts/support/measure_first_frames.sh "$build" "$runs" temperament benchmarks/hand_built_qt_window \
    benchmarks/minimal_qt_window >"$samples"
# Instructions to the first frame, counted by callgrind: the same in every run,
# where times move with whatever else the machine does. The largest count is
# the program's own (a child it forks counts apart).
instructions() {
    FIRST_FRAME_EXIT=1 LD_PRELOAD="$build/benchmarks/libfirst_frame_probe.so" \
        valgrind --tool=callgrind --callgrind-out-file=/dev/null "$build/$1" 2>&1 >/dev/null |
        sed -n 's/^==[0-9]*== Collected : \([0-9]*\)$/\1/p' | sort -n | tail -n 1
}
i1=$(instructions temperament)
ih=$(instructions benchmarks/hand_built_qt_window)
i0=$(instructions benchmarks/minimal_qt_window)
# The clicks: one display each, so that both windows stay open.
first_display=$DISPLAY
second_xvfb=$xvfb
xvfb=
start_xvfb
latency=$(/usr/bin/python3 benchmarks/click_latency.py "$build/expected_data.json" "$clicks" temperament "$first_display" "$build/temperament" \
    hand_built "$DISPLAY" "$build/benchmarks/hand_built_qt_window")
field() { awk -F'\t' -v label="$1" -v column="$2" '$1 == label { print $column }' <<<"$latency"; }

# The median of column $2 of the lines of program $1.
median() {
    awk -v name="$1" -v column="$2" '$1 == name { print $column }' "$samples" | sort -g |
        awk '{ v[NR] = $1 } END { if (NR) print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
for name in "${programs[@]}"; do
    if [ "$(grep -c "^$name " "$samples")" -ne "$runs" ]; then
        echo "some runs of $name showed no first frame" >&2
        exit 1
    fi
done
t1=$(median temperament 2)
th=$(median hand_built_qt_window 2)
t0=$(median minimal_qt_window 2)
m1=$(median temperament 4)
mh=$(median hand_built_qt_window 4)
m0=$(median minimal_qt_window 4)
awk -v t1="$t1" -v th="$th" -v t0="$t0" -v m1="$m1" -v mh="$mh" -v m0="$m0" -v runs="$runs" -v tsv="$tsv" \
    -v c1="$(field temperament 2)" -v ch="$(field hand_built 2)" -v w1="$(field temperament 3)" \
    -v wh="$(field hand_built 3)" -v c0="$(field floor 2)" -v w0="$(field floor 3)" -v clicks="$clicks" \
    -v i1="$i1" -v ih="$ih" -v i0="$i0" 'BEGIN {
    i1 /= 1e6; ih /= 1e6; i0 /= 1e6
    t1 /= 1000; th /= 1000; t0 /= 1000; m1 /= 1024; mh /= 1024; m0 /= 1024
    if (tsv) {
        printf "Linux: start to first frame (ms)\t%.1f\t%.1f\t%.1f\n", t1, th, t0
        printf "Linux: instructions to first frame (millions)\t%.2f\t%.2f\t%.2f\n", i1, ih, i0
        printf "Linux: peak resident memory at first frame (MiB)\t%.1f\t%.1f\t%.1f\n", m1, mh, m0
        printf "Linux: click to frame, median (ms)\t%.2f\t%.2f\t%.2f\n", c1, ch, c0
        printf "Linux: click to frame, worst (ms)\t%.2f\t%.2f\t%.2f\n", w1, wh, w0
        exit 0
    }
    printf "On X11 (Xvfb): start-ups, medians of %d runs each; %d clicks each\n", runs, clicks
    printf "%-30s %12s %11s %6s %11s %6s\n", "", "temperament", "hand-built", "ratio", "one label", "ratio"
    printf "%-30s %12.1f %11.1f %6.2f %11.1f %6.2f\n", "start to first frame (ms)", t1, th, t1 / th, t0, t1 / t0
    printf "%-30s %12.2f %11.2f %6.2f %11.2f %6.2f\n", "instructions to it (millions)", i1, ih, i1 / ih, i0, i1 / i0
    printf "%-30s %12.1f %11.1f %6.2f %11.1f %6.2f\n", "peak resident memory (MiB)", m1, mh, m1 / mh, m0, m1 / m0
    printf "%-30s %12.2f %11.2f %6.2f %11.2f %6.2f\n", "click to frame, median (ms)", c1, ch, c1 / ch, c0, c1 / c0
    printf "%-30s %12.2f %11.2f %6.2f %11.2f %6.2f\n", "click to frame, worst (ms)", w1, wh, w1 / wh, w0, w1 / w0
    print "one label: for the clicks, the hand-built window'"'"'s first option, which only moves the choice"
}'
