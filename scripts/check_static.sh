#!/usr/bin/env bash
# The static checks the whole tree passes: folders that depend one way
# (scripts/support/check_dependencies.sh), clang-format (.clang-format) on every
# C++ file, and clang-tidy (.clang-tidy) on every source file of the Linux
# build and, through scripts/support/tidy_windows.sh, of the Windows code;
# a file unchanged since it was found clean is not checked again
# (scripts/support/tidy.py).
# Usage: scripts/check_static.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup.sh tests

echo "== folder dependencies"
scripts/support/check_dependencies.sh

echo "== clang-format"
git ls-files -z '*.cpp' '*.hpp' | xargs -0 clang-format --dry-run -Werror
echo "every C++ file is formatted"

echo "== clang-tidy (Linux build)"
# The compile commands of the dev build; generated sources are not ours to check.
cmake --preset dev >/dev/null
cmake --build --preset dev --target design_data >/dev/null
mapfile -t sources < <(python3 -c '
import json, re, sys
pattern = re.compile(sys.argv[1])
for entry in json.load(open("build/dev/compile_commands.json")):
    if pattern.match(entry["file"]):
        print(entry["file"])' "^$root/(app|ui|logic|runtime|layers|tests|fuzz|benchmarks)/")
scripts/support/tidy.py build/dev "${sources[@]}"

echo "== clang-tidy (Windows code)"
scripts/support/tidy_windows.sh
