#!/usr/bin/env bash
# Fuzzes the design-data reader for a bounded time, starting from the committed
# seeds and the inputs that once failed. New inputs stay in the build folder;
# a failing input is saved there as crash-*, leak-* or timeout-*.
# Usage: run_fuzzer.sh <fuzzer> <work folder> <seconds>
set -euo pipefail
fuzzer=$1 work=$2 seconds=$3
here=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$work/corpus" "$work/artifacts"
# -timeout: the reader takes milliseconds on the largest input; ten seconds is a
# hang even on a busy machine, where the alarm (wall-clock time) comes late.
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -max_len=16384 \
    -dict="$here/design_data.dict" -artifact_prefix="$work/artifacts/" -print_final_stats=1 \
    "$work/corpus" "$here/corpus" "$here/regressions"
