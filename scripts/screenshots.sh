#!/usr/bin/env bash
# Regenerates the README's screenshots in docs/ from the real window: the Qt
# window tests grab the first screen and the Pavlov screen.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh program
cmake --preset dev >/dev/null
cmake --build --preset dev --target qt_tests
ctest --preset dev -R '^qt_window$'
mkdir -p docs
cp build/dev/screenshots/first-screen.png build/dev/screenshots/pavlov-screen.png docs/
echo "Screenshots updated in docs/"
