#!/usr/bin/env bash
# Installs what building and testing the program needs on Debian 12, once:
# packages already present are left alone, so a second run does nothing.
# Usage: scripts/setup.sh [extra Debian package...]
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev "$@")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
