#!/usr/bin/env bash
# Installs the Debian 12 packages that a purpose needs, once: packages already
# present are left alone, so a second run prints nothing and does nothing.
# This is the one list of the system packages the project uses.
#
# Usage: scripts/setup.sh PURPOSE...
#   program          build the Linux program (Qt 6 Widgets)
#   virtual-display  run it without a display: Xvfb and a screenshot
#   windows-build    cross-build the Windows program (MinGW-w64)
#   windows          and run it under Wine on a virtual display
#   benchmarks       the figures of scripts/benchmark.sh
#   tests            everything scripts/test.sh needs (all of the above)
#
# apt's output goes to build/setup.log; the terminal shows a line per step,
# and on a failure what was being installed and the end of the log.
set -euo pipefail
cd "$(dirname "$0")/.."

program=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools fonts-liberation2)
virtual_display=(xvfb x11-utils imagemagick)
windows_build=(cmake ninja-build mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix)
# The Windows tests build GoogleTest from Debian's sources (googletest); Wine's
# X11 driver loads the X extension libraries at run time.
windows=("${windows_build[@]}" googletest wine64 xvfb xauth fonts-liberation2 libxrender1 libxrandr2 libxcursor1 libxi6 libxcomposite1 libxfixes3 libxinerama1 libxxf86vm1)
benchmarks=("${program[@]}" "${windows[@]}" libbenchmark-dev xvfb python3-xlib valgrind)
tests=("${program[@]}" "${virtual_display[@]}" "${windows[@]}" libgtest-dev libbenchmark-dev
    appstream desktop-file-utils clang libclang-rt-14-dev clang-format clang-tidy valgrind strace
    dbus-daemon fontconfig python3-xlib debootstrap)

wanted=()
for purpose in "$@"; do
    case "$purpose" in
        program) wanted+=("${program[@]}") ;;
        virtual-display) wanted+=("${virtual_display[@]}") ;;
        windows-build) wanted+=("${windows_build[@]}") ;;
        windows) wanted+=("${windows[@]}") ;;
        benchmarks) wanted+=("${benchmarks[@]}") ;;
        tests) wanted+=("${tests[@]}") ;;
        *)
            echo "setup: unknown purpose '$purpose' (program, virtual-display, windows-build, windows, benchmarks or tests)" >&2
            exit 2
            ;;
    esac
done
[ ${#wanted[@]} -gt 0 ] || { echo "usage: scripts/setup.sh PURPOSE..." >&2; exit 2; }

missing=()
for package in $(printf '%s\n' "${wanted[@]}" | sort -u); do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "setup: these Debian packages are missing: ${missing[*]}" >&2
        echo "setup: there is no sudo here; install them as root, then run this again:" >&2
        echo "    su -c 'apt-get update && apt-get install --no-install-recommends ${missing[*]}'" >&2
        exit 1
    fi
    as_root=(sudo)
fi

mkdir -p build
log=$PWD/build/setup.log
echo "== $(date -u '+%F %T') scripts/setup.sh $*" >>"$log"
echo "setup: Debian packages missing: ${#missing[@]}; apt's output goes to $log"
step() {
    local what=$1
    shift
    echo "setup: $what"
    if ! "$@" >>"$log" 2>&1; then
        echo "setup: failed while $what; the end of $log:" >&2
        tail -n 15 "$log" | sed 's/^/    /' >&2
        exit 1
    fi
}
step "updating the package lists" "${as_root[@]}" apt-get update
step "installing ${missing[*]}" "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
echo "setup: installed"
