# Sourced by the scripts: makes sure there is an X display for Wine.
# Without one it starts a private Xvfb, sets DISPLAY and glim_xvfb_pid (the
# sourcing script stops it when it ends), and fails with a message when Xvfb
# does not come up.
glim_start_xvfb() {
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    glim_xvfb_pid=$!
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        kill -0 "$glim_xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -e "/tmp/.X11-unix/X$n" ] || ! kill -0 "$glim_xvfb_pid" 2>/dev/null; then
        echo "Xvfb did not start on display :$n (is the xvfb package installed?)" >&2
        return 1
    fi
    export DISPLAY=":$n"
}

if [ -z "${DISPLAY:-}" ]; then
    glim_start_xvfb || exit 1
    glim_display_started=1
fi
