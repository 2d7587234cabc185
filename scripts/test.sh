#!/usr/bin/env bash
# Builds and runs every test, each build a CMake workflow (configure, build,
# test; CMakePresets.json): a debug build with warnings as errors (dev), the
# same under AddressSanitizer and UndefinedBehaviorSanitizer (asan), a bounded
# fuzz run of the design-data reader (fuzz), the Windows builds and their
# tests under Wine (win32-release, win64), the browser version in every engine
# (web); a newcomer's fresh Debian 12 (fresh-machine) and the static checks.
# The fresh machine, the static checks and the browser version run beside the
# others (Wine's tests and apt mostly wait), their output shown when they end.
# Usage: scripts/test.sh [--set-up-only]
#   --set-up-only  install what the tests need and configure every preset, then stop
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh tests
presets=(dev asan fuzz win32-release win64 web)
for preset in "${presets[@]}"; do
    cmake --preset "$preset" >/dev/null
done
if [ "${1:-}" = --set-up-only ]; then
    echo "set up: ${presets[*]}"
    exit 0
fi

# Each step's heading says when it started, in minutes and seconds of the run.
section() { printf '== %s [%d:%02d]\n' "$1" $((SECONDS / 60)) $((SECONDS % 60)); }
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}
logs=build/test-logs
mkdir -p "$logs"
# The checks started beside the rest, by name: their process ids.
declare -A pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
beside() {
    local name=$1
    shift
    section "$name (beside the rest; output in $logs/$name.log)"
    "$@" >"$logs/$name.log" 2>&1 &
    pids[$name]=$!
}
# Shows a check started beside the rest once it ends; its status is ours.
finish() {
    local name=$1 status=0
    wait "${pids[$name]}" || status=$?
    section "$name"
    cat "$logs/$name.log"
    return "$status"
}

section dev
cmake --workflow --preset dev
beside fresh-machine ctest --preset fresh-machine
beside web cmake --workflow --preset web
for workflow in asan fuzz win32-release; do
    section "$workflow"
    cmake --workflow --preset "$workflow"
done

section win64
cmake --build --preset win64
beside static-checks scripts/check_static.sh
ctest --preset win64

finish web
finish static-checks
finish fresh-machine
trap - EXIT

section summary
# Where Wine's 32-bit part cannot be had, its tests are skipped: never a pass.
if scripts/support/windows_i386.sh >/dev/null 2>&1; then
    echo "every build and every test passed"
else
    echo "every build passed, and every test but the 32-bit program's, which CTest reported as skipped:"
    printf '%s\n' "!!!!!!!!" "32-bit program not run: $(cat build/windows-i386.unavailable)" "!!!!!!!!"
fi
