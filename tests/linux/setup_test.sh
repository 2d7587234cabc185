#!/usr/bin/env bash
# Usage: setup_test.sh SOURCE_DIR WORK_DIR
#
# scripts/setup.sh on a bad day, with apt and dpkg played by stubs (the real
# ones on a real bad day are what the fresh-machine check meets):
#   - a package list that cannot be updated is named, with its source file,
#     and the install goes on;
#   - Wine's 32-bit part that cannot be installed leaves everything else
#     installed, status 0, and the reason where the 32-bit tests find it
#     (scripts/support/windows_i386.sh: skipped, 77, with the reason);
#   - a package the purpose needs that cannot be installed fails the set-up
#     with apt's own reason and what to do.
set -euo pipefail
source_dir=$(realpath "$1")
work=$(realpath -m "$2")
rm -rf "$work"
mkdir -p "$work/tree/scripts/support" "$work/bin" "$work/state"
cp "$source_dir/scripts/setup.sh" "$work/tree/scripts/"
cp "$source_dir/scripts/support/windows_i386.sh" "$work/tree/scripts/support/"
tree=$work/tree state=$work/state
export STATE=$state

# The stubs: installed packages and architectures are lines in $STATE; apt-get
# fails an update as a mirror caught mid-sync does, and fails to install any
# package named in $STATE/broken.
cat >"$tree/scripts/support/qemu_i386.sh" <<'EOF'
#!/bin/sh
exit 0
EOF
cat >"$work/bin/sudo" <<'EOF'
#!/bin/sh
exec "$@"
EOF
cat >"$work/bin/dpkg-query" <<'EOF'
#!/bin/sh
package=$(eval echo "\$$#")
grep -qx "$package" "$STATE/installed" 2>/dev/null && printf 'install ok installed'
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/bin/sh
case "$1" in
--print-foreign-architectures) cat "$STATE/architectures" 2>/dev/null ;;
--add-architecture) echo "$2" >>"$STATE/architectures" ;;
esac
EOF
cat >"$work/bin/apt-get" <<'EOF'
#!/bin/sh
for argument; do last=$argument; done
case " $* " in
*" update "*)
    echo "Get:1 http://deb.example/debian bookworm InRelease [151 kB]"
    echo "Err:6 http://deb.example/debian-security bookworm-security/main i386 Packages"
    echo "  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 192.0.2.1 80]"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100 ;;
*" install "*)
    for argument; do
        if grep -qx "$argument" "$STATE/broken" 2>/dev/null; then
            echo "The following packages have unmet dependencies:"
            echo " $argument : Depends: zlib1g:i386 (>= 1:1.1.4) but it is not going to be installed"
            echo "E: Unable to correct problems, you have held broken packages."
            exit 100
        fi
    done
    for argument; do case "$argument" in -*) ;; install) ;; *) echo "$argument" >>"$STATE/installed" ;; esac; done ;;
esac
EOF
chmod +x "$work/bin/"* "$tree/scripts/support/"*
# Every package of the purpose is missing, and the source of the failing list
# is one of the files apt reads.
setup() { (cd "$tree" && PATH=$work/bin:$PATH scripts/setup.sh "$@"); }
fail() {
    echo "FAILED: $*" >&2
    exit 1
}
expect_line() {
    grep -qF -- "$2" "$1" || { cat "$1" >&2; fail "no line with: $2"; }
}

# 1. A list that cannot be updated does not stop an install it is not needed for.
setup windows-i386 >"$work/i386.out" 2>&1 && status=0 || status=$?
[ "$status" -eq 0 ] || { cat "$work/i386.out" >&2; fail "the set-up ended with $status"; }
expect_line "$work/i386.out" "could not update the package list http://deb.example/debian-security bookworm-security/main i386 Packages (File has unexpected size (374820 != 376004). Mirror sync in progress?)"
grep -qx wine64 "$state/installed" || fail "wine64 was not installed"
grep -qx wine32:i386 "$state/installed" || fail "wine32:i386 was not installed"
(cd "$tree" && PATH=$work/bin:$PATH scripts/support/windows_i386.sh) || fail "windows_i386.sh does not find the 32-bit part ready"

# 2. Wine's 32-bit part cannot be had: the rest is installed, the reason kept.
rm -f "$state/installed"
echo wine32:i386 >"$state/broken"
setup windows-i386 >"$work/no-i386.out" 2>&1 && status=0 || status=$?
[ "$status" -eq 0 ] || { cat "$work/no-i386.out" >&2; fail "the set-up failed for the 32-bit part alone ($status)"; }
expect_line "$work/no-i386.out" "32-bit program not run: wine32:i386 cannot be installed: E: Unable to correct problems, you have held broken packages."
grep -qx wine64 "$state/installed" || fail "wine64 was not installed beside the missing 32-bit part"
(cd "$tree" && PATH=$work/bin:$PATH scripts/support/windows_i386.sh run true) >"$work/skip.out" && status=0 || status=$?
[ "$status" -eq 77 ] || fail "the 32-bit tests would not be skipped (status $status)"
expect_line "$work/skip.out" "skipped: 32-bit program not run: wine32:i386 cannot be installed"
# Within the hour it is not tried again, and says so.
setup windows-i386 >"$work/again.out" 2>&1 || fail "the second set-up failed"
expect_line "$work/again.out" "(tried within the hour"

# 3. What the purpose needs cannot be had: apt's reason and what to do.
rm -f "$state/installed"
echo wine64 >"$state/broken"
if setup windows >"$work/broken.out" 2>&1; then fail "the set-up passed without wine64"; fi
expect_line "$work/broken.out" "could not install what 'windows' needs; apt says:"
expect_line "$work/broken.out" "E: Unable to correct problems, you have held broken packages."
expect_line "$work/broken.out" "wait for the mirror to finish syncing"
echo "the set-up names the list it could not update, goes on, skips only the 32-bit part, and fails with apt's reason"
