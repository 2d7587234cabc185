#!/usr/bin/env bash
# Makes the tests' Wine prefixes once: <dir>/dpi96 and <dir>/dpi144, a copy of
# the first with Wine's LogPixels at 144. Only these prefixes map
# "Times New Roman" to Liberation Serif: Wine does not follow fontconfig's
# aliases, and the program itself asks for the font by its Windows name.
# <dir>/default is a prefix as a new user has it, made by `wineboot --init`
# alone, with Wine's 32-bit part (run by qemu-i386, scripts/support/qemu_i386.sh)
# where it can be had.
# A prefix is remade when its settings below change (the version in .ready).
# Usage: make_prefixes.sh <dir> [dpi96|dpi144|default...]  (default: dpi96 dpi144)
set -euo pipefail
dir=$1
shift
[ $# -gt 0 ] || set -- dpi96 dpi144
wanted=("$@")
version=2
mkdir -p "$dir"
exec 9>"$dir/.lock"
flock 9  # one maker at a time
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

reg() { WINEPREFIX="$1" "$wine" reg add "$2" /v "$3" /t "$4" /d "$5" /f >/dev/null; }
ready() { [ "$(cat "$1/.ready" 2>/dev/null)" = "$version" ]; }

make_default() {
    # Where Wine's 32-bit part cannot be had (set-up says why), the prefix is
    # made without it, for the 64-bit program alone.
    local i386=32-bit status=0
    "$(dirname "$0")/../../scripts/support/windows_i386.sh" >&2 || status=$?
    case "$status" in
    0) ;;
    77) i386=64-bit-only ;;
    *) return 1 ;;
    esac
    [ "$(cat "$dir/default/.ready" 2>/dev/null)" = "$version $i386" ] && return
    rm -rf "$dir/default"
    WINEPREFIX="$dir/default" "$wine" wineboot --init >/dev/null 2>&1
    WINEPREFIX="$dir/default" "$wineserver" -w
    # Made while 32-bit programs could not run, it has no 32-bit Windows DLLs.
    if [ "$i386" = 32-bit ] && ! [ -e "$dir/default/drive_c/windows/syswow64/kernel32.dll" ]; then
        echo "the default prefix got no 32-bit DLLs: is qemu-i386 registered (scripts/support/qemu_i386.sh)?" >&2
        return 1
    fi
    echo "$version $i386" >"$dir/default/.ready"
}

for name in "${wanted[@]}"; do
    case "$name" in
    dpi96 | dpi144) ;;
    default) make_default ;;
    *) echo "usage: $0 <dir> [dpi96|dpi144|default...]" >&2; exit 2 ;;
    esac
done
[[ " ${wanted[*]} " == *" dpi"* ]] || { echo "Wine prefixes ready in $dir"; exit 0; }

if ! ready "$dir/dpi96"; then
    rm -rf "$dir/dpi96" "$dir/dpi144"
    WINEPREFIX="$dir/dpi96" "$wine" wineboot --init >/dev/null 2>&1
    reg "$dir/dpi96" 'HKCU\Software\Wine\Fonts\Replacements' 'Times New Roman' REG_SZ 'Liberation Serif'
    # A crash ends the program with its backtrace instead of waiting in a dialog.
    reg "$dir/dpi96" 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
    # The virtual display has no window manager: a managed window would wait
    # two seconds for one each time it is hidden or destroyed.
    reg "$dir/dpi96" 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ N
    WINEPREFIX="$dir/dpi96" "$wineserver" -w
    echo "$version" >"$dir/dpi96/.ready"
fi

if ! ready "$dir/dpi144"; then
    rm -rf "$dir/dpi144"
    cp -a "$dir/dpi96" "$dir/dpi144"
    rm -f "$dir/dpi144/.ready"
    reg "$dir/dpi144" 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD 144
    reg "$dir/dpi144" 'HKCU\Software\Wine\Fonts' LogPixels REG_DWORD 144
    reg "$dir/dpi144" 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' LogPixels REG_DWORD 144
    WINEPREFIX="$dir/dpi144" "$wineserver" -w
    echo "$version" >"$dir/dpi144/.ready"
fi
echo "Wine prefixes ready in $dir"
