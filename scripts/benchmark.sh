#!/usr/bin/env bash
# Every performance figure in one run, side by side, as a Markdown table of
# medians and ratios to a baseline (docs/performance.md):
#   - the core (Google Benchmark, release build): building MainForm from the
#     embedded design data with its Load, and each user action with its handler;
#   - the Linux program against the same window built by hand with Qt, and a
#     one-label Qt window as the toolkit's floor: start to first frame, peak
#     memory, click to frame (scripts/support/linux_startup.sh);
#   - the Windows program under Wine against the same window built by hand
#     with Win32, and a one-STATIC window as the floor, and the 32-bit exe's
#     stripped size and DLL imports (scripts/support/windows_startup.sh);
#   - the browser version: the bytes a browser downloads, and navigation to
#     first paint against a static page (scripts/support/web_figures.sh).
# Usage: scripts/benchmark.sh [runs] [clicks]   (runs of each start-up, default
# 21; clicks on each window, default 200)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
clicks=${2:-200}

scripts/setup.sh benchmarks >&2
cmake --preset benchmark >/dev/null
cmake --build --preset benchmark --target core_benchmarks >/dev/null

results=$(mktemp)
trap 'rm -f "$results"' EXIT

# Google Benchmark: the median of 9 repetitions, in microseconds of CPU time
# (one thread: what the work costs, without the waits of a busy machine).
build/benchmark/benchmarks/core_benchmarks --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null | awk -F, '
    $1 ~ /_median"$/ {
        name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
        unit = $5; gsub(/"/, "", unit)
        scale = unit == "ns" ? 0.001 : unit == "us" ? 1 : unit == "ms" ? 1000 : 0
        if (name == "BuildFormAndLoad") label = "Core: build MainForm and Load (µs)"
        else if (name ~ /^ChooseClassification/) { sub(/.*:/, "", name); label = "Core: choose Option1(" name ") (µs)" }
        else if (name ~ /^ToggleBox/) { sub(/.*:/, "", name); label = "Core: toggle Check1(" name ") (µs)" }
        printf "%s\t%.3f\t\n", label, $4 * scale
    }' >>"$results"

scripts/support/linux_startup.sh --tsv "$runs" "$clicks" | grep -P '^[^\t]+\t[^\t]*\t' >>"$results"
scripts/support/windows_startup.sh --tsv "$runs" "$clicks" | grep -P '^[^\t]+\t[^\t]*\t' >>"$results"
scripts/support/web_figures.sh --tsv "$runs" | grep -P '^[^\t]+\t[^\t]*\t' >>"$results"

# The targets each figure is held to.
target() {
    case "$1" in
        "Core: build"*) echo "< 20 µs" ;;
        "Web: navigation to first paint"*) echo "≤ 1.10 ×" ;;
        "Web: Lighthouse mobile performance"*) echo "≥ 0.95" ;;
        "Web: Lighthouse mobile Total Blocking Time"*) echo "< 150 ms" ;;
        "Web: bytes downloaded, gzip"*) echo "< 153,600 (150 KiB)" ;;
        "Web:"*) echo "" ;;
        "Core:"*) echo "< 5 µs" ;;
        *memory* | *"working set"*) echo "≤ 1.05 ×" ;;
        *"first frame (ms)"* | *"first paint (ms)"* | *instructions*) echo "≤ 1.05 ×" ;;
        *"click to frame, median"*) echo "≤ 1.10 ×, < 16 ms" ;;
        *"size"*) echo "< 524,288" ;;
        *imports*) echo "Windows DLLs only" ;;
    esac
}

ratio() { [ -z "$2" ] || [ "$2" = 0 ] || awk -v p="$1" -v b="$2" 'BEGIN { printf "%.2f", p / b }'; }
echo "| measure | Temperament | hand-built | ratio | one-widget floor | ratio | target |"
echo "|---|---:|---:|---:|---:|---:|---|"
while IFS=$'\t' read -r label program baseline floor; do
    echo "| $label | $program | $baseline | $(ratio "$program" "$baseline") | ${floor:-} |" \
        "$(ratio "$program" "${floor:-}") | $(target "$label") |"
done <"$results"
echo
echo "Medians; start-ups of $runs alternating runs each on one virtual X display, $clicks clicks on each window in" \
    "turns; $(nproc) cores; $(date -u +%Y-%m-%d)."
