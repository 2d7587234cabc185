#!/usr/bin/env bash
# Builds and runs every test: once in a debug build with warnings as errors,
# once under AddressSanitizer and UndefinedBehaviorSanitizer; a bounded fuzz
# run of the design-data reader; the Windows builds and their tests under
# Wine; last the static checks, which read the compile commands of the Linux
# and the Windows builds.
# Usage: scripts/test.sh [--set-up-only]
#   --set-up-only  install what the tests need and configure every preset, then stop
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh tests
presets=(dev asan fuzz win32-release win64)
for preset in "${presets[@]}"; do
    cmake --preset "$preset" >/dev/null
done
if [ "${1:-}" = --set-up-only ]; then
    echo "set up: ${presets[*]}"
    exit 0
fi

# Each build is a CMake workflow: configure, build, test (CMakePresets.json).
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}
for workflow in dev asan fuzz; do
    echo "== $workflow"
    cmake --workflow --preset "$workflow"
done

scripts/test_windows.sh

scripts/check_static.sh
