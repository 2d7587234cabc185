#!/usr/bin/env bash
# Builds the Windows program (32-bit release) and the 64-bit test build, and
# runs every Windows test with CTest: the release executable's headers and
# resources, and the 64-bit program and GoogleTest program under Wine, whose
# virtual X display and Wine prefixes are CTest fixtures of the win64 build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh windows-i386

export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}
for workflow in win32-release win64; do
    echo "== $workflow"
    cmake --workflow --preset "$workflow"
done
