# Sourced by the benchmark scripts: sets up what is missing, gives `quiet`
# (a build step whose output shows only when it fails) and `windows_target`
# (builds a target of the windows preset), makes $work (a fresh folder) and
# a virtual display if there is none, and cleans both up when the script ends.
quiet() {
    local output
    output=$("$@" 2>&1) || { echo "$output" >&2; return 1; }
}
windows_target() {
    quiet cmake --preset windows
    quiet cmake --build --preset windows --target "$1" -j"$(nproc)"
}

tools/setup.sh
source tools/xdisplay.sh
work=$(mktemp -d)
bench_finish() {
    tools/wine-run.sh --stop
    [ -n "${glim_xvfb_pid:-}" ] && kill "$glim_xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap bench_finish EXIT
