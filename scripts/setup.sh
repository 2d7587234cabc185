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
#   windows-i386     and run the 32-bit program too: Wine's i386 part, run by
#                    qemu-i386 (scripts/support/qemu_i386.sh), as this
#                    machine's kernel may not run 32-bit code itself
#   package          make and check the Debian package (cpack -G DEB, lintian)
#   web              build the browser version (Emscripten) and test it in Chromium
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
windows_i386=("${windows[@]}" wine32:i386)
package=("${program[@]}" dpkg-dev lintian)
# Emscripten runs on Node; its tests and figures drive Chromium with npm's
# Playwright. Debian's npm conflicts with a Node installed from elsewhere
# (NodeSource's includes npm), so Debian's Node and npm come only where there
# is no npm.
web=(cmake ninja-build emscripten chromium fonts-liberation2)
command -v npm >/dev/null || web+=(nodejs npm)
benchmarks=("${program[@]}" "${windows[@]}" "${web[@]}" libbenchmark-dev xvfb python3-xlib valgrind)
tests=("${program[@]}" "${virtual_display[@]}" "${windows_i386[@]}" "${package[@]}" "${web[@]}" libgtest-dev libbenchmark-dev
    appstream desktop-file-utils clang libclang-rt-14-dev clang-format clang-tidy valgrind strace
    dbus-daemon fontconfig python3-xlib debootstrap at-spi2-core python3-pyatspi)

wanted=()
for purpose in "$@"; do
    case "$purpose" in
        program) wanted+=("${program[@]}") ;;
        virtual-display) wanted+=("${virtual_display[@]}") ;;
        windows-build) wanted+=("${windows_build[@]}") ;;
        windows) wanted+=("${windows[@]}") ;;
        windows-i386) wanted+=("${windows_i386[@]}") ;;
        package) wanted+=("${package[@]}") ;;
        web) wanted+=("${web[@]}") ;;
        benchmarks) wanted+=("${benchmarks[@]}") ;;
        tests) wanted+=("${tests[@]}") ;;
        *)
            echo "setup: unknown purpose '$purpose' (program, virtual-display, windows-build, windows, windows-i386, package, web, benchmarks or tests)" >&2
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
# The 32-bit program's emulation (its packages need the i386 architecture).
emulation=0
[[ " ${wanted[*]} " == *" wine32:i386 "* ]] && emulation=1
emulation_ready() { [ "$emulation" = 0 ] || scripts/support/qemu_i386.sh --ready; }
[ ${#missing[@]} -eq 0 ] && emulation_ready && exit 0

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
if [ "$emulation" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    step "adding the i386 architecture" "${as_root[@]}" dpkg --add-architecture i386
fi
if [ ${#missing[@]} -gt 0 ]; then
    step "updating the package lists" "${as_root[@]}" apt-get update
    step "installing ${missing[*]}" "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
fi
if ! emulation_ready; then
    step "setting up qemu-i386 for Wine's 32-bit part" "${as_root[@]}" scripts/support/qemu_i386.sh
fi
echo "setup: installed"
