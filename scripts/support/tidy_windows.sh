#!/usr/bin/env bash
# clang-tidy over the Windows code (layers/win32/, tests/win32/ and benchmarks/win32/), with the root
# .clang-tidy profile, parsed for the 64-bit MinGW-w64 target from the win64
# build's compile commands. Exits non-zero on any finding.
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

# Two files at a time (the machine is shared); each file's findings go to a
# file of their own, printed in order afterwards.
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
export results
printf '%s\0' "${files[@]}" | xargs -0 -P 2 -I{} sh -c '
    out="$results/$(echo "$1" | tr / _)"
    if clang-tidy-14 -p build/win64 --quiet "$@" >"$out" 2>&1 && ! grep -q "warning:\|error:" "$out"; then
        rm -f "$out"
    fi' sh {} "${extra[@]}"
failed=()
for file in "${files[@]}"; do
    out="$results/$(echo "$file" | tr / _)"
    if [ -e "$out" ]; then
        failed+=("$file")
        cat "$out"
    fi
done
echo "clang-tidy (Windows code): ${#files[@]} files, ${#failed[@]} with findings"
for file in "${failed[@]}"; do echo "  $file"; done
[ ${#failed[@]} -eq 0 ]
