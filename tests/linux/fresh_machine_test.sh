#!/usr/bin/env bash
# Usage: fresh_machine_test.sh SOURCE_DIR WORK_DIR
#
# A newcomer on a fresh Debian 12: a minimal root (debootstrap, with only
# build-essential, git and ca-certificates) gets a clone of SOURCE_DIR's HEAD
# commit, and one more package source whose suite does not exist, as many a
# machine has a dead one; in the clone, as root and with no display:
#   1. scripts/run.sh must end with status 0, quietly but for naming the
#      dead source, leaving a screenshot of the window;
#   2. scripts/test.sh --set-up-only must install what the tests need, name
#      the dead source, and configure every preset they build;
#   3. the README's install steps must install the program into a prefix;
#   4. the Debian package (cpack -G DEB) must pass lintian without an error,
#      install with apt-get, start from /usr/bin/temperament on a virtual
#      display, and remove again.
# The base system is cached as a tarball made by the same debootstrap command
# (in ~/.cache/temperament), so later runs skip debootstrap, and so are the
# packages apt downloads into it. The root lives on
# a tmpfs in a mount namespace of its own: nothing it mounts outlives the test.
# Needs root (debootstrap, mount, chroot); without it the test is skipped (77).
set -euo pipefail
source_dir=$(realpath "$1")
work=$2

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: a fresh root needs root (debootstrap, mount and chroot)"
    exit 77
fi
if [ -z "${FRESH_MACHINE_NAMESPACE:-}" ]; then
    exec env FRESH_MACHINE_NAMESPACE=1 unshare --mount --propagation private "$0" "$@"
fi

started=$SECONDS
say() { printf '[%3ds] %s\n' $((SECONDS - started)) "$*"; }
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

commit=$(git -C "$source_dir" rev-parse HEAD)
# The Debian mirror this machine's apt is configured with, read now.
mirror=$(apt-get indextargets --format '$(CODENAME) $(COMPONENT) $(REPO_URI)' 'Created-By: Packages' |
    awk '$1 == "bookworm" && $2 == "main" { print $3; exit }')
[ -n "$mirror" ] || fail "apt has no source for Debian 12 (bookworm) main"
debootstrap_command=(debootstrap --variant=minbase --include=build-essential,git,ca-certificates bookworm)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/temperament
base=$cache/debian12-minbase-$(printf '%s %s' "${debootstrap_command[*]}" "$mirror" | sha256sum | cut -c1-12).tar

rm -rf "$work"
mkdir -p "$work/root"
root=$(realpath "$work/root")
logs=$work

unmount_all() {
    # Processes left in the root (a server a script started) would hold it.
    local process
    for process in /proc/[0-9]*; do
        [ "$(readlink "$process/root" 2>/dev/null)" = "$root" ] && kill -9 "${process#/proc/}" 2>/dev/null
    done
    local mounts
    mounts=$(awk -v root="$root" '$2 == root || index($2, root "/") == 1 { print $2 }' /proc/self/mounts | sort -r)
    for mounted in $mounts; do umount --lazy "$mounted" || echo "could not unmount $mounted" >&2; done
}
trap unmount_all EXIT

mount -t tmpfs -o mode=755 fresh-root "$root"
if [ -s "$base" ]; then
    say "base system from the cache $base"
    tar -xf "$base" -C "$root"
else
    say "making the base system: ${debootstrap_command[*]} $mirror"
    "${debootstrap_command[@]}" "$root" "$mirror" >"$logs/debootstrap.log" 2>&1 ||
        { tail -n 20 "$logs/debootstrap.log" >&2; fail "debootstrap (log: $logs/debootstrap.log)"; }
    mkdir -p "$cache"
    tar -cf "$base.part" -C "$root" . && mv "$base.part" "$base"
    say "cached as $base"
fi

mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# The packages it downloads are kept for the next run, as a proxy would: the
# machine is as fresh, the second run only spends less time downloading.
mkdir -p "$cache/apt-archives"
mount --bind "$cache/apt-archives" "$root/var/cache/apt/archives"

dead_source="$mirror bookworm-gone main"
echo "deb $dead_source" >"$root/etc/apt/sources.list.d/gone.list"

git clone --quiet --no-checkout "$source_dir" "$root/root/temperament"
git -C "$root/root/temperament" checkout --quiet --detach "$commit"
say "cloned $commit"

# A root shell on a text console: no display, no session, nothing inherited.
newcomer() {
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c "cd /root/temperament && $1"
}
step() {
    local name=$1 command=$2
    say "$command"
    if ! newcomer "$command" >"$logs/$name.log" 2>&1; then
        tail -n 30 "$logs/$name.log" >&2
        fail "$command (log: $logs/$name.log)"
    fi
}

step run "scripts/run.sh"
screenshot=$root/root/temperament/build/release/screenshot.png
[ -s "$screenshot" ] || fail "scripts/run.sh left no screenshot"
size=$(identify -format '%wx%h' "$screenshot")
[ "$size" = 461x387 ] || fail "the screenshot is $size, not the window's 461x387"
cp "$screenshot" "$work/screenshot.png"
# Only the scripts speak: no warning of the toolkit or of the program.
if noise=$(grep -vE '^(setup: |\[[0-9]+/[0-9]+\] |ninja: |No display: |Screenshot of the window saved to )' "$logs/run.log"); then
    echo "$noise" >&2
    fail "scripts/run.sh printed the lines above"
fi

# The dead source, named where it is set, and the set-up going on without it.
names_dead_source() {
    grep -qF "could not update the package list ${mirror%/} bookworm-gone" "$logs/$1.log" &&
        grep -qF "from /etc/apt/sources.list.d/gone.list; going on with the others" "$logs/$1.log" ||
        fail "$2 did not name the dead source ($dead_source)"
}
names_dead_source run scripts/run.sh

step test-set-up "scripts/test.sh --set-up-only"
names_dead_source test-set-up "scripts/test.sh --set-up-only"
step install "cmake --preset release && cmake --build --preset release && cmake --install build/release --prefix /tmp/prefix"
prefix=$root/tmp/prefix
for file in bin/temperament share/applications/example.temperament.Temperament.desktop \
    share/metainfo/example.temperament.Temperament.metainfo.xml \
    share/icons/hicolor/32x32/apps/example.temperament.Temperament.png; do
    [ -s "$prefix/$file" ] || fail "the install left no $file"
done

deb=temperament_1.00-1_amd64.deb
step package "cd build/release && cpack -G DEB && lintian --fail-on error $deb && apt-get install -y ./$deb"
[ -x "$root/usr/bin/temperament" ] || fail "the package installed no /usr/bin/temperament"
step package-start "source scripts/support/xvfb.sh && start_xvfb && trap stop_xvfb EXIT &&
    XDG_RUNTIME_DIR=\$(mktemp -d) scripts/support/screenshot_window.sh /usr/bin/temperament /tmp/package.png"
[ -s "$root/tmp/package.png" ] || fail "/usr/bin/temperament showed no window"
step package-remove "apt-get remove -y temperament"
[ ! -e "$root/usr/bin/temperament" ] || fail "removing the package left /usr/bin/temperament"

say "a fresh Debian 12 builds, runs, sets up the tests, installs the program and its package"
