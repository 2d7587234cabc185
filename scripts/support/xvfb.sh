# Sourced by the scripts that need a virtual X display: start_xvfb starts one
# of its own (Xvfb picks a free number), exports DISPLAY and leaves the
# server's pid in $xvfb; stop_xvfb ends it (call it from the caller's EXIT
# trap). The one way the scripts get a display.
start_xvfb() {
    local display_file
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    if ! [ -s "$display_file" ]; then
        rm -f "$display_file"
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$display_file")"
    rm -f "$display_file"
}

stop_xvfb() {
    if [ -n "${xvfb:-}" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
        xvfb=
    fi
}
