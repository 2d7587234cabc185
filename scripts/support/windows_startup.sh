#!/usr/bin/env bash
# Start-up of the Windows program under Wine against a minimal Win32 window
# (one STATIC, no manifest): the medians of the time from process start to
# first paint and of the peak working set at that moment, run in turns in the
# same Wine prefix on one virtual X display of its own. A second baseline, the
# same minimal window with the program's manifest, shows what loading common
# controls 6 costs by itself. Also the 32-bit release exe's stripped size and
# the DLLs it imports.
#
# Usage: scripts/support/windows_startup.sh [--tsv] [runs]
#   --tsv   only the lines "label<TAB>program<TAB>baseline", for other scripts
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
if ! [[ "$runs" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [--tsv] [runs]" >&2
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
cmake --build --preset win64 --target temperament minimal_window minimal_window_manifest startup_timer -j 2 >/dev/null
cmake --build --preset win32-release --target temperament -j 2 >/dev/null

# The 32-bit release exe: size as shipped without symbols, and its imports.
exe=$release/temperament.exe
stripped=$(mktemp)
timings=$(mktemp)
xvfb=
prefix=$build/tests/win32/wine/dpi96
cleanup() {
    [ -d "$prefix" ] && WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
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
    WINEPREFIX="$prefix" tests/win32/wine_run.sh "$build/tests/win32" "$build/tests/win32/startup_timer.exe" "$count" \
        program "$(winpath "$build/temperament.exe")" "www.temperament.example  Психология - видове темперамент" \
        minimal "$(winpath "$build/tests/win32/minimal_window.exe")" "Minimal window" \
        manifest "$(winpath "$build/tests/win32/minimal_window_manifest.exe")" "Minimal window" |
        tr -d '\r' >"$timings"
done
field() { awk -F'\t' -v label="$1" -v column="$2" '$1 == label { print $column }' "$timings"; }
for label in program minimal manifest; do
    [ -n "$(field "$label" 2)" ] || { echo "no timing for $label" >&2; exit 1; }
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

if [ "$tsv" -eq 1 ]; then
    printf 'Wine: start to first paint (ms)\t%s\t%s\n' "$(field program 2)" "$(field minimal 2)"
    printf 'Wine: peak working set at first paint (MiB)\t%s\t%s\n' "$(field program 3)" "$(field minimal 3)"
    printf 'Wine: start to first paint, baseline with the manifest (ms)\t%s\t%s\n' \
        "$(field program 2)" "$(field manifest 2)"
    printf 'Wine: peak working set, baseline with the manifest (MiB)\t%s\t%s\n' \
        "$(field program 3)" "$(field manifest 3)"
else
    echo
    printf '%-44s %10s %10s %7s %12s %7s\n' "medians of $runs starts (Wine 8, wine64)" program minimal ratio \
        "+manifest" ratio
    printf '%-44s %10s %10s %7s %12s %7s\n' "start to first paint (ms)" "$(field program 2)" "$(field minimal 2)" \
        "$(ratio "$(field program 2)" "$(field minimal 2)")" "$(field manifest 2)" \
        "$(ratio "$(field program 2)" "$(field manifest 2)")"
    printf '%-44s %10s %10s %7s %12s %7s\n' "peak working set at first paint (MiB)" "$(field program 3)" \
        "$(field minimal 3)" "$(ratio "$(field program 3)" "$(field minimal 3)")" "$(field manifest 3)" \
        "$(ratio "$(field program 3)" "$(field manifest 3)")"
    printf '%-44s %10s %10s\n' "fastest / slowest start (ms), program" "$(field program 4)" "$(field program 5)"
    printf '%-44s %10s %10s\n' "fastest / slowest start (ms), minimal" "$(field minimal 4)" "$(field minimal 5)"
    echo "minimal: one window with one STATIC; +manifest: the same with the program's manifest"
    echo
fi
printf '32-bit exe: stripped size (bytes)\t%s\t\n' "$size"
printf '32-bit exe: imports\t%s\t\n' "$imports"
