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
#   release          and the downloads of scripts/release.sh (zip, unzip)
#   web              build the browser version (Emscripten) and test it in every
#                    engine: Chromium, Firefox ESR, WebKitGTK, WPE WebKit (Chromium 92
#                    comes from npm)
#   benchmarks       the figures of scripts/benchmark.sh
#   tests            everything scripts/test.sh needs (all of the above)
#
# A bad day does not stop it: a package list that cannot be updated (a mirror
# caught mid-sync, a dead source) is named and the install goes on with the
# others; it fails only when a package the purpose needs cannot be installed,
# with apt's reason and what to do. Should Wine's 32-bit part be impossible
# to have, everything else is installed and the reason is kept in
# build/windows-i386.unavailable, which the 32-bit program's tests report as
# their reason to be skipped; it is tried again an hour later.
#
# apt's output goes to build/setup.log; the terminal shows a line per step,
# and on a failure what was being installed and apt's reason.
set -euo pipefail
cd "$(dirname "$0")/.."

# ccache: a second build, in this clone or another, compiles nothing unchanged.
program=(cmake ninja-build g++ ccache qt6-base-dev qt6-base-dev-tools fonts-liberation2)
virtual_display=(xvfb x11-utils imagemagick)
windows_build=(cmake ninja-build ccache mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix)
# The Windows tests build GoogleTest from Debian's sources (googletest); Wine's
# X11 driver loads the X extension libraries at run time.
windows=("${windows_build[@]}" googletest wine64 xvfb xauth fonts-liberation2 libxrender1 libxrandr2 libxcursor1 libxi6 libxcomposite1 libxfixes3 libxinerama1 libxxf86vm1)
# Wine's 32-bit part: installed on its own, as only it needs the i386 lists.
i386=(wine32:i386)
package=("${program[@]}" dpkg-dev lintian)
release=("${package[@]}" zip unzip)
# Emscripten runs on Node, and the page's start is minified by Debian's
# terser; the tests and figures drive each engine from npm's packages,
# WebKitGTK on a virtual display. Debian's npm conflicts with a Node
# installed from elsewhere (NodeSource's includes npm), so Debian's Node and
# npm come only where there is no npm.
web=(cmake ninja-build ccache emscripten node-terser chromium firefox-esr webkit2gtk-driver wpewebkit-driver cog
    xvfb xauth fonts-liberation2 python3-pil)
command -v npm >/dev/null || web+=(nodejs npm)
benchmarks=("${program[@]}" "${windows[@]}" "${web[@]}" libbenchmark-dev xvfb python3-xlib valgrind)
tests=("${program[@]}" "${virtual_display[@]}" "${windows[@]}" "${package[@]}" "${web[@]}" libgtest-dev libbenchmark-dev
    appstream desktop-file-utils clang libclang-rt-14-dev clang-format clang-tidy valgrind strace
    dbus-daemon fontconfig python3-xlib debootstrap at-spi2-core python3-pyatspi orca speech-dispatcher)

wanted=()
want_i386=0
for purpose in "$@"; do
    case "$purpose" in
        program) wanted+=("${program[@]}") ;;
        virtual-display) wanted+=("${virtual_display[@]}") ;;
        windows-build) wanted+=("${windows_build[@]}") ;;
        windows) wanted+=("${windows[@]}") ;;
        windows-i386) wanted+=("${windows[@]}") want_i386=1 ;;
        package) wanted+=("${package[@]}") ;;
        release) wanted+=("${release[@]}") ;;
        web) wanted+=("${web[@]}") ;;
        benchmarks) wanted+=("${benchmarks[@]}") ;;
        tests) wanted+=("${tests[@]}") want_i386=1 ;;
        *)
            echo "setup: unknown purpose '$purpose' (program, virtual-display, windows-build, windows, windows-i386, package, release, web, benchmarks or tests)" >&2
            exit 2
            ;;
    esac
done
[ ${#wanted[@]} -gt 0 ] || { echo "usage: scripts/setup.sh PURPOSE..." >&2; exit 2; }

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q '^install ok installed$'; }
missing=()
for package in $(printf '%s\n' "${wanted[@]}" | sort -u); do
    installed "$package" || missing+=("$package")
done

unavailable=build/windows-i386.unavailable
want_i386_now=0
if [ "$want_i386" = 1 ]; then
    if scripts/support/windows_i386.sh >/dev/null 2>&1; then
        rm -f "$unavailable"
    elif [ -n "$(find "$unavailable" -mmin -60 2>/dev/null)" ]; then
        # Mirrors take hours to heal: not every call of the hour tries again.
        echo "setup: 32-bit program not run: $(cat "$unavailable") (tried within the hour; delete $unavailable to try now)"
    else
        want_i386_now=1
    fi
fi
[ ${#missing[@]} -eq 0 ] && [ "$want_i386_now" = 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        [ "$want_i386_now" = 0 ] || missing+=("${i386[@]}")
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
echo "setup: Debian packages missing: $((${#missing[@]} + want_i386_now)); apt's output goes to $log"
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

# Runs a command with its output in $output, which the callers read, and in
# the log.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
logged() {
    local status=0
    "$@" >"$output" 2>&1 || status=$?
    cat "$output" >>"$log"
    return "$status"
}
apt=(apt-get -o Acquire::Retries=3 -o DPkg::Lock::Timeout=300)

# Each package list that could not be updated, one line each: what it is,
# why, and the file of /etc/apt that names its source.
not_updated=()
update_lists() {
    echo "setup: updating the package lists"
    if ! logged "${as_root[@]}" "${apt[@]}" update; then
        mapfile -t not_updated < <(awk '
            /^Err:[0-9]+ / { sub(/^Err:[0-9]+ /, ""); name = $0
                             getline reason; sub(/^ +/, "", reason); sub(/ *\[IP: .*$/, "", reason)
                             print name " (" reason ")" }' "$output")
        [ ${#not_updated[@]} -gt 0 ] || mapfile -t not_updated < <(grep '^E: ' "$output")
        local list source_file
        for list in "${not_updated[@]}"; do
            read -r uri suite _ <<<"$list"
            source_file=$(grep -lsF "$uri" /etc/apt/sources.list /etc/apt/sources.list.d/* |
                xargs -r grep -lsF "${suite%%/*}" | head -n 1 || true)
            echo "setup: could not update the package list $list${source_file:+, from $source_file}; going on with the others"
        done
    fi
}
# Installs the packages given; on a failure leaves in $apt_said what apt
# said: its errors and the dependencies it could not meet.
apt_said=
install() {
    logged "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y --no-install-recommends "$@" &&
        return
    apt_said=$(grep -E '^(E: | [^ ].* : |   +(Pre)?Depends: )' "$output" | sed 's/^ *//' || true)
    return 1
}
what_to_do() {
    [ ${#not_updated[@]} -gt 0 ] || return 0
    echo "setup: the package lists named above were not updated: wait for the mirror to finish syncing and run this again, or remove the source that names them"
}

if [ "$want_i386_now" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    step "adding the i386 architecture" "${as_root[@]}" dpkg --add-architecture i386
fi
update_lists
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    if ! install "${missing[@]}"; then
        echo "setup: could not install what '$*' needs; apt says:" >&2
        sed 's/^/    /' <<<"${apt_said:-(nothing; see $log)}" >&2
        what_to_do >&2
        exit 1
    fi
fi

# Wine's 32-bit part: when it cannot be had, the rest still works.
i386_unavailable() {
    echo "$1" >"$unavailable"
    echo "setup: 32-bit program not run: $1"
    echo "setup: everything else is installed; the tests of the 32-bit program will say they are skipped, and why"
    what_to_do
}
if [ "$want_i386_now" = 1 ]; then
    if ! installed wine32:i386; then
        echo "setup: installing ${i386[*]}"
        if ! install "${i386[@]}"; then
            # One line: apt's errors; the dependencies it could not meet are in the log.
            reason="${i386[*]} cannot be installed: $(grep '^E: ' <<<"$apt_said" | tr '\n' ' ' | sed 's/ *$//')"
            [ ${#not_updated[@]} -eq 0 ] || reason+=" (not updated: ${not_updated[*]})"
            i386_unavailable "$reason"
            exit 0
        fi
    fi
    if ! scripts/support/qemu_i386.sh --ready; then
        echo "setup: setting up qemu-i386 for Wine's 32-bit part"
        if ! logged "${as_root[@]}" scripts/support/qemu_i386.sh; then
            i386_unavailable "qemu-i386 cannot be set up: $(grep -v '^ ' "$output" | tail -n 1)"
            exit 0
        fi
    fi
    rm -f "$unavailable"
fi
echo "setup: installed"
