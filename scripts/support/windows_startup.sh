#!/usr/bin/env bash
# The 64-bit Windows program under Wine against the same first screen built by
# hand with Win32 (benchmarks/win32/hand_built_window.cpp) and against the
# floor of the toolkit, a window with one STATIC (both with the program's
# manifest): the medians of the time from process start to first paint and of
# the peak working set at that moment, run in turns in the same Wine prefix
# on one virtual X display of its own; and the response to a click on
# "Павлов" (benchmarks/click_latency.py), the program and the hand-built
# window each on a display of its own, clicked in turns, with the floor of a
# click (the hand-built window's first option, which only moves the choice).
# Also the 32-bit release exe's stripped size and the DLLs it imports.
#
# Usage: scripts/support/windows_startup.sh [--tsv] [runs] [clicks]
#   --tsv   only the lines "label<TAB>program<TAB>hand-built<TAB>floor", for
#           scripts/benchmark.sh
# Builds what it needs (presets win64 and win32-release) and makes the Wine
# prefix if the Windows tests have not yet.
set -euo pipefail
cd "$(dirname "$0")/../.."

tsv=0
if [ "${1:-}" = --tsv ]; then
    tsv=1
    shift
fi
runs=${1:-15}
clicks=${2:-200}
if ! [[ "$runs" =~ ^[1-9][0-9]*$ && "$clicks" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [--tsv] [runs] [clicks]" >&2
    exit 2
fi
say() { [ "$tsv" -eq 1 ] || echo "$@"; }

scripts/setup.sh windows >&2

build=$PWD/build/win64
release=$PWD/build/win32-release
say "== build"
for preset in win64 win32-release; do
    [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
done
cmake --build --preset win64 --target temperament hand_built_window minimal_window startup_timer expected_data_json \
    -j 2 >/dev/null
cmake --build --preset win32-release --target temperament -j 2 >/dev/null

# The 32-bit release exe: size as shipped without symbols, and its imports.
exe=$release/temperament.exe
stripped=$(mktemp)
timings=$(mktemp)
xvfb=
second_xvfb=
prefix=$build/tests/win32/wine/dpi96
cleanup() {
    [ -d "$prefix" ] && WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    for server in "$xvfb" "$second_xvfb"; do
        [ -n "$server" ] || continue
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    done
    rm -f "$stripped" "$timings"
}
trap cleanup EXIT
i686-w64-mingw32-strip -o "$stripped" "$exe"
size=$(stat -c %s "$stripped")
imports=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | paste -sd, -)
[ -n "$imports" ] || { echo "no imports found in $exe" >&2; exit 1; }

"$PWD/tests/win32/make_prefixes.sh" "$build/tests/win32/wine" >/dev/null

source scripts/support/xvfb.sh
start_xvfb

winpath() { echo "Z:${1//\//\\}"; }
say "== $runs starts of each, in turns"
# One start of each first: Wine's own services start with the first program.
for pass in warm measure; do
    count=$runs
    [ "$pass" = warm ] && count=1
    WINEPREFIX="$prefix" tests/win32/wine_run.sh "$build/tests/win32" "$build/benchmarks/win32/startup_timer.exe" "$count" \
        program "$(winpath "$build/temperament.exe")" "www.temperament.example  Психология - видове темперамент" \
        hand_built "$(winpath "$build/benchmarks/win32/hand_built_window.exe")" \
        "www.temperament.example  Психология - видове темперамент" \
        minimal "$(winpath "$build/benchmarks/win32/minimal_window.exe")" "Minimal window" |
        tr -d '\r' >"$timings"
done

say "== $clicks clicks on each, in turns"
first_display=$DISPLAY
second_xvfb=$xvfb
xvfb=
start_xvfb
run="$PWD/tests/win32/wine_run.sh $build/tests/win32"
latency=$(WINEPREFIX="$prefix" /usr/bin/python3 benchmarks/click_latency.py "$build/expected_data.json" "$clicks" \
    temperament "$first_display" "$run $build/temperament.exe" \
    hand_built "$DISPLAY" "$run $build/benchmarks/win32/hand_built_window.exe")
click() { awk -F'\t' -v label="$1" -v column="$2" '$1 == label { print $column }' <<<"$latency"; }
field() { awk -F'\t' -v label="$1" -v column="$2" '$1 == label { print $column }' "$timings"; }
for label in program hand_built minimal; do
    [ -n "$(field "$label" 2)" ] || { echo "no timing for $label" >&2; exit 1; }
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

if [ "$tsv" -eq 1 ]; then
    printf 'Wine: start to first paint (ms)\t%s\t%s\t%s\n' "$(field program 2)" "$(field hand_built 2)" \
        "$(field minimal 2)"
    printf 'Wine: peak working set at first paint (MiB)\t%s\t%s\t%s\n' "$(field program 3)" \
        "$(field hand_built 3)" "$(field minimal 3)"
    printf 'Wine: click to frame, median (ms)\t%s\t%s\t%s\n' "$(click temperament 2)" "$(click hand_built 2)" \
        "$(click floor 2)"
    printf 'Wine: click to frame, worst (ms)\t%s\t%s\t%s\n' "$(click temperament 3)" "$(click hand_built 3)" \
        "$(click floor 3)"
else
    echo
    printf '%-40s %10s %11s %7s %11s %7s\n' "Wine 8, wine64: medians of $runs starts" program hand-built ratio \
        "one STATIC" ratio
    printf '%-40s %10s %11s %7s %11s %7s\n' "start to first paint (ms)" "$(field program 2)" "$(field hand_built 2)" \
        "$(ratio "$(field program 2)" "$(field hand_built 2)")" "$(field minimal 2)" \
        "$(ratio "$(field program 2)" "$(field minimal 2)")"
    printf '%-40s %10s %11s %7s %11s %7s\n' "peak working set at first paint (MiB)" "$(field program 3)" \
        "$(field hand_built 3)" "$(ratio "$(field program 3)" "$(field hand_built 3)")" "$(field minimal 3)" \
        "$(ratio "$(field program 3)" "$(field minimal 3)")"
    printf '%-40s %10s %11s %7s %11s\n' "click to frame, median of $clicks (ms)" "$(click temperament 2)" \
        "$(click hand_built 2)" "$(ratio "$(click temperament 2)" "$(click hand_built 2)")" "$(click floor 2)"
    printf '%-40s %10s %11s %7s %11s\n' "click to frame, worst (ms)" "$(click temperament 3)" "$(click hand_built 3)" \
        "$(ratio "$(click temperament 3)" "$(click hand_built 3)")" "$(click floor 3)"
    printf '%-40s %10s %10s\n' "fastest / slowest start (ms), program" "$(field program 4)" "$(field program 5)"
    printf '%-40s %10s %10s\n' "fastest / slowest start (ms), hand-built" "$(field hand_built 4)" \
        "$(field hand_built 5)"
    echo "both baselines have the program's manifest (common controls 6, DPI awareness); for the clicks, the"
    echo "floor is a click on the hand-built window's first option, which only moves the choice"
    echo
fi
printf '32-bit exe: stripped size (bytes)\t%s\t\n' "$size"
printf '32-bit exe: imports\t%s\t\n' "$imports"
