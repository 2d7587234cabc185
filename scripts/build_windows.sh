#!/usr/bin/env bash
# Builds the Windows program: one 32-bit temperament.exe that needs nothing
# but Windows itself, cross-built with MinGW-w64.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh windows-build
cmake --preset win32-release >/dev/null
cmake --build --preset win32-release --target temperament -j 2
echo "The Windows program: $PWD/build/win32-release/temperament.exe"
