# Sourced by every script that needs a virtual X display, the one way they
# start one: start_xvfb starts one of its own (Xvfb picks a free number),
# exports DISPLAY and leaves the server's pid in $xvfb; stop_xvfb ends the
# server $xvfb names, started by this shell or by another (call it from the
# caller's EXIT trap). The server holds none of the caller's output, so it
# may outlive the caller (the Windows tests' display fixture).
start_xvfb() {
    local display_file
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" </dev/null >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    if ! [ -s "$display_file" ]; then
        rm -f "$display_file"
        stop_xvfb
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$display_file")"
    rm -f "$display_file"
}

stop_xvfb() {
    if [ -n "${xvfb:-}" ]; then
        kill "$xvfb" 2>/dev/null || true
        # Not this shell's child: watched until it is gone.
        wait "$xvfb" 2>/dev/null || for _ in $(seq 100); do
            kill -0 "$xvfb" 2>/dev/null || break
            sleep 0.1
        done
        xvfb=
    fi
}
