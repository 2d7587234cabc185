#!/usr/bin/env bash
# Builds the program and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/temperament
