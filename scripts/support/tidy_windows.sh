#!/usr/bin/env bash
# clang-tidy over the Windows code (layers/win32/, tests/win32/ and benchmarks/win32/), with the root
# .clang-tidy profile, parsed for the 64-bit MinGW-w64 target from the win64
# build's compile commands (scripts/support/tidy.py, which skips a file
# unchanged since it was found clean). Exits non-zero on any finding.
# Usage: scripts/support/tidy_windows.sh [file.cpp...]   (default: all of them)
set -euo pipefail
cd "$(dirname "$0")/../.."

scripts/setup.sh tests >&2
[ -f build/win64/compile_commands.json ] || cmake --preset win64 >/dev/null
# The generated sources (the embedded design data) must exist to be included.
cmake --build --preset win64 --target temperament_core -j 2 >/dev/null

# MinGW's C++ library and Windows headers, as its g++ finds them; clang's own
# built-in headers (intrinsics) stay in front of GCC's.
target=x86_64-w64-mingw32
extra=(--extra-arg=--target=$target)
while read -r dir; do
    dir=$(realpath "$dir")
    case "$dir" in
    */include | */include-fixed) [[ "$dir" == */gcc/* ]] && continue ;;
    esac
    extra+=("--extra-arg=-isystem$dir")
done < <($target-g++-posix -E -x c++ -v /dev/null 2>&1 |
    sed -n '/#include <...> search starts here/,/End of search list/p' | sed -n 's/^ \(\/.*\)$/\1/p')

if [ $# -gt 0 ]; then
    files=("$@")
else
    mapfile -t files < <(find layers/win32 tests/win32 benchmarks/win32 -name '*.cpp' | sort)
fi

scripts/support/tidy.py build/win64 "${extra[@]}" "${files[@]}"
