#!/usr/bin/env bash
# Builds the 32-bit release program and writes its SHA-256 into README.md, the
# line a user checks a download against. Run it after a change to the program;
# the Windows tests fail (win32_release_hash) while the README's is stale.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win32-release >/dev/null
cmake --build --preset win32-release --target temperament >/dev/null
hash=$(sha256sum build/win32-release/temperament.exe | cut -d' ' -f1)
sed -i -E "s/(SHA-256 of temperament\.exe: )[0-9a-f]{64}/\1$hash/" README.md
grep -q "SHA-256 of temperament.exe: $hash" README.md ||
    { echo "README.md has no line 'SHA-256 of temperament.exe: <hash>' to update" >&2; exit 1; }
echo "README.md: SHA-256 of temperament.exe: $hash"
