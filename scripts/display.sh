# Sourced by the test scripts: start_private_display starts an Xvfb of the
# script's own on the first free display from 91 and exports DISPLAY; the
# server is stopped when the script exits.
xvfb_pid=""
stop_private_display() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
start_private_display() {
    trap stop_private_display EXIT
    for n in $(seq 91 120); do
        [ -e "/tmp/.X${n}-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$xvfb_pid" 2>/dev/null; then
            export DISPLAY=":$n"
            return 0
        fi
        xvfb_pid=""
    done
    return 1
}
