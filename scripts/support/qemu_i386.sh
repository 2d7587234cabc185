#!/usr/bin/env bash
# Lets this machine run 32-bit x86 Linux programs (Wine's i386 loader, and
# through it the 32-bit Windows program) when its kernel runs no 32-bit code
# itself: qemu-i386 user-mode emulation, registered with binfmt_misc.
#
# qemu-i386 comes from Debian 13's qemu-user (10.0, static): Debian 12's 7.2
# takes about twenty times as long to start Wine. It is fetched with an apt
# configuration of its own (nothing of Debian 13 is installed) and unpacked to
# a stable path outside any build folder, $cache. The registration uses the F
# flag: the kernel opens the interpreter once, so it also works in chroots
# and mount namespaces.
#
# Usage: scripts/support/qemu_i386.sh           set up what is missing (root)
#        scripts/support/qemu_i386.sh --ready   status 0 when nothing is missing
set -euo pipefail
cache=/var/cache/temperament
qemu=$cache/qemu-i386
package=qemu-user
release=trixie
binfmt=/proc/sys/fs/binfmt_misc
entry=$binfmt/temperament-i386
# An i386 ELF executable or shared object (qemu's own pattern for i386).
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

have_qemu() { [ -x "$qemu" ] && [ -s "$qemu.version" ]; }
registered() { [ -r "$entry" ] && grep -qx enabled "$entry" && grep -qx "interpreter $qemu" "$entry"; }

if [ "${1:-}" = --ready ]; then
    have_qemu && registered
    exit
fi
[ "$(id -u)" -eq 0 ] || { echo "qemu_i386.sh: needs root (binfmt_misc, $cache)" >&2; exit 1; }

if ! have_qemu; then
    # The Debian mirror this machine's apt already uses.
    mirror=$(apt-get indextargets --format '$(CODENAME) $(COMPONENT) $(REPO_URI)' 'Created-By: Packages' |
        awk '$1 == "bookworm" && $2 == "main" { print $3; exit }')
    [ -n "$mirror" ] || { echo "qemu_i386.sh: apt has no source for Debian 12 (bookworm) main" >&2; exit 1; }
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/lists/partial" "$work/archives/partial" "$work/unpacked"
    echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $release main" >"$work/sources.list"
    apt_options=(-o "Dir::Etc::SourceList=$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
        -o "Dir::State::Lists=$work/lists" -o "Dir::Cache::Archives=$work/archives"
        -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache= -o APT::Architectures=amd64
        -o Acquire::Languages=none -o APT::Sandbox::User=root -o Debug::NoLocking=1)
    echo "fetching $package from Debian 13 ($mirror)"
    apt-get "${apt_options[@]}" update
    (cd "$work" && apt-get "${apt_options[@]}" download "$package")
    dpkg-deb -x "$work"/"$package"_*.deb "$work/unpacked"
    mkdir -p "$cache"
    cp "$work/unpacked/usr/bin/qemu-i386" "$qemu.part"
    "$qemu.part" --version | head -n 1 >"$qemu.version.part"
    mv "$qemu.part" "$qemu"
    mv "$qemu.version.part" "$qemu.version"
    echo "unpacked $(cat "$qemu.version") to $qemu"
fi

# The registrations are the kernel's: in a chroot they are only to be seen.
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
if ! registered; then
    [ -e "$entry" ] && echo -1 >"$entry"  # one pointing elsewhere
    printf ':temperament-i386:M::%s:%s:%s:F\n' "$magic" "$mask" "$qemu" >"$binfmt/register"
    echo "registered $qemu for i386 programs ($entry)"
fi
