#!/usr/bin/env bash
# Regenerates the screenshots in docs/ from the real window: the Qt window
# tests grab the first screen and the Pavlov screen for the README, and the
# contrast tests the Pavlov screen in a high-contrast black and a dark
# palette; where the Windows build is set up (scripts/test_windows.sh), its
# contrast test under Wine gives the Windows program's in the default colours
# and in a high-contrast black and a high-contrast white scheme; where the web
# build is set up, the browser suite's contrast test gives the page under
# forced colours.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh program
cmake --preset dev >/dev/null
cmake --build --preset dev --target qt_tests
ctest --preset dev -R '^(qt_window|qt_contrast)$'
mkdir -p docs
cp build/dev/screenshots/first-screen.png build/dev/screenshots/pavlov-screen.png docs/
for scheme in high_contrast_black dark; do
    cp "build/dev/screenshots/contrast/contrast-$scheme-pavlov.png" "docs/contrast-qt-${scheme//_/-}.png"
done
if [ -d build/win64 ]; then
    cmake --build --preset win64
    ctest --preset win64 -R 'Contrast\.EveryText'
    for scheme in default high_contrast_black high_contrast_white; do
        cp "build/win64/tests/win32/screens/contrast-$scheme-pavlov.png" "docs/contrast-windows-${scheme//_/-}.png"
    done
fi
if [ -d build/web/tests/web/node_modules ] || [ -d tests/web/node_modules ]; then
    cmake --build --preset web
    (cd tests/web && TEMPERAMENT_WEB_BUILD=$PWD/../../build/web npx --no-install playwright test \
        --config playwright.config.js --project=chromium contrast.test.js)
    cp build/web/tests/web/results/contrast-high-contrast-black-pavlov.png docs/contrast-web-high-contrast-black.png
fi
echo "Screenshots updated in docs/"
