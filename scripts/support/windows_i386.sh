#!/usr/bin/env bash
# Whether the 32-bit Windows program can run here: Wine's i386 part
# (wine32:i386) installed and qemu-i386 registered (qemu_i386.sh). When
# scripts/setup.sh found that it cannot be had (a mirror caught mid-sync, the
# download of qemu-i386 failing), it left the reason in $unavailable.
#
# Usage: windows_i386.sh            status 0 when ready; otherwise prints why
#                                   and ends with 77 when set-up recorded that it
#                                   cannot be had, or 1 when it is not set up
#        windows_i386.sh run CMD... runs CMD when ready; otherwise as above
#                                   (77 is what CTest takes as skipped)
set -euo pipefail
here=$(dirname "$0")
unavailable=$here/../../build/windows-i386.unavailable

if dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q '^install ok installed$' &&
    "$here/qemu_i386.sh" --ready; then
    [ "${1:-}" != run ] || { shift; exec "$@"; }
    exit 0
fi
if [ -s "$unavailable" ]; then
    echo "skipped: 32-bit program not run: $(cat "$unavailable")"
    exit 77
fi
echo "Wine's 32-bit part is not set up here: run scripts/setup.sh windows-i386" >&2
exit 1
