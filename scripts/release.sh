#!/usr/bin/env bash
# Makes every download a teacher needs into dist/, from this clone:
#   temperament.exe            the Windows program (32-bit, one file)
#   temperament_<version>_amd64.deb   the Linux program as a Debian package
#   temperament-site.zip       the browser version, one folder (temperament/)
#                              for any static web space, the guide beside it
#   guide.html                 the guide for pupils and teachers, in Bulgarian
#   SHA256SUMS                 the hashes of all of them (sha256sum -c SHA256SUMS)
# First every build is made and tested (scripts/test.sh); then the package is
# checked with lintian and the unpacked archive is played from a sub-folder of
# a web server in every engine, installed and reloaded without a network.
# The same commit gives the same bytes, here or on another machine of the same
# kind: every time stamp is the commit's (SOURCE_DATE_EPOCH), files go into
# the archive in one order with one set of permissions.
# Usage: scripts/release.sh
set -euo pipefail
cd "$(dirname "$0")/.."
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

scripts/test.sh
scripts/setup.sh release
section() { printf '== %s\n' "$1"; }

section "the Debian package"
cmake --preset release >/dev/null
cmake --build --preset release
(cd build/release && rm -f ./*.deb && cpack -G DEB >/dev/null)
deb=$(ls build/release/temperament_*_amd64.deb)
lintian --fail-on error "$deb"

section "dist/"
dist=$PWD/dist
rm -rf "$dist"
mkdir "$dist"
cp build/win32-release/temperament.exe "$deb" dist/
cp build/web/guide.html dist/guide.html
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp -r build/web/site "$stage/temperament"
cp build/web/guide.html "$stage/temperament/"
find "$stage/temperament" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
find "$stage/temperament" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
# zip keeps local times: UTC everywhere; -X: no extra fields of the machine.
(cd "$stage" && find temperament -print | LC_ALL=C sort | TZ=UTC zip -X -9 -q -D "$dist/temperament-site.zip" -@)
(cd dist && sha256sum temperament.exe "$(basename "$deb")" temperament-site.zip guide.html >SHA256SUMS)

section "the site from its archive, in a sub-folder of a web server"
unpacked="$stage/unpacked"
unzip -q dist/temperament-site.zip -d "$unpacked"
(cd tests/web && TEMPERAMENT_WEB_BUILD=$PWD/../../build/web TEMPERAMENT_SITE="$unpacked/temperament" \
    ../../benchmarks/on_virtual_display.sh npx --no-install playwright test --config playwright.config.js \
    offline.test.js page.test.js --grep 'sub-folder')

section "released"
cat dist/SHA256SUMS
