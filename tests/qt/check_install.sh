#!/usr/bin/env bash
# Installs the build into a scratch folder and checks what a desktop needs:
# the program, a valid launcher and AppStream file, and the icon in hicolor.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
id=example.temperament.Temperament
test -x "$prefix/bin/temperament"
desktop-file-validate "$prefix/share/applications/$id.desktop"
grep -qx 'Name\[bg\]=Видове темперамент' "$prefix/share/applications/$id.desktop"
grep -qx 'Categories=Education;' "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
test -s "$prefix/share/icons/hicolor/32x32/apps/$id.png"
echo "installed and valid"
