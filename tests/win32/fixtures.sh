#!/usr/bin/env bash
# The 64-bit tests' CTest fixtures, each kept in the state folder:
#   display-start / display-stop   a virtual X display (Xvfb) for every window
#   wine-start / wine-stop         the Wine prefixes (make_prefixes.sh), each
#                                  with a wine server kept running meanwhile,
#                                  so that a test's start costs a fraction of
#                                  a second instead of Wine's start-up
#   default-wine-start / -stop     the same for the default prefix alone
# Usage: fixtures.sh <command> <state folder>
set -euo pipefail
command=$1
state=$(realpath -m "$2")  # Wine wants absolute prefixes
here=$(dirname "$0")
wineserver=/usr/lib/wine/wineserver
names=(dpi96 dpi144)
case "$command" in default-wine-*) names=(default) ;; esac
prefixes=("${names[@]/#/$state/wine/}")

# The display outlives this script, from the start fixture to the stop one:
# its server's pid and name are kept in the state folder.
source "$here/../../scripts/support/xvfb.sh"

display_stop() {
    if [ -s "$state/xvfb.pid" ]; then
        xvfb=$(cat "$state/xvfb.pid")
        stop_xvfb
    fi
    rm -f "$state/xvfb.pid" "$state/display"
}

display_start() {
    display_stop  # one left by an interrupted run
    mkdir -p "$state"
    start_xvfb
    echo "$xvfb" >"$state/xvfb.pid"
    echo "$DISPLAY" >"$state/display"
    echo "virtual X display $DISPLAY"
}

wine_stop() {
    for prefix in "${prefixes[@]}"; do
        [ -d "$prefix" ] || continue
        WINEPREFIX="$prefix" "$wineserver" -k 2>/dev/null || true
        WINEPREFIX="$prefix" "$wineserver" -w 2>/dev/null || true
    done
}

wine_start() {
    "$here/make_prefixes.sh" "$state/wine" "${names[@]}"
    # A server left by the test listing (which runs without the display) or an
    # interrupted run goes first.
    wine_stop
    for prefix in "${prefixes[@]}"; do
        WINEPREFIX="$prefix" "$wineserver" -p </dev/null >/dev/null 2>&1
    done
}

case "$command" in
display-start) display_start ;;
display-stop) display_stop ;;
wine-start | default-wine-start) wine_start ;;
wine-stop | default-wine-stop) wine_stop ;;
*)
    echo "usage: $0 display-start|display-stop|wine-start|wine-stop|default-wine-start|default-wine-stop <state folder>" >&2
    exit 2
    ;;
esac
