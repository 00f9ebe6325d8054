#!/usr/bin/env bash
# Starts the built program under Wine, saves a picture of its window as PNG,
# and closes the program again.
#
#   tools/screenshot.sh OUTPUT.png [PROFILE]
#
# GLIM_LOGPIXELS=144 takes it at 150 % (see tools/wine-run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:?usage: tools/screenshot.sh OUTPUT.png [PROFILE]}
shift
exe=build/windows/bin/glimcfg.exe
[ -f "$exe" ] || { echo "build the program first: cmake --build --preset windows" >&2; exit 1; }

source tools/xdisplay.sh
tools/wine-run.sh --init

tools/wine-run.sh "$exe" "$@" &
program=$!
finish() {
    # A polite close first, as the close box would; then make sure.
    tools/wine-run.sh taskkill /im glimcfg.exe >/dev/null 2>&1 || true
    for _ in $(seq 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
    kill "$program" 2>/dev/null || true
    tools/wine-run.sh --stop
    [ -n "${glim_xvfb_pid:-}" ] && kill "$glim_xvfb_pid" 2>/dev/null || true
}
trap finish EXIT

geometry=""
for _ in $(seq 100); do
    # The program's window once it is mapped where it shows (centred).
    for id in $(xwininfo -root -tree 2>/dev/null | grep '"Glimsel - Configuration' | awk '{print $1}'); do
        info=$(xwininfo -id "$id" 2>/dev/null) || continue
        grep -q 'Map State: IsViewable' <<<"$info" || continue
        x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
        y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
        w=$(awk '/Width:/ {print $2}' <<<"$info")
        h=$(awk '/Height:/ {print $2}' <<<"$info")
        [ "$w" -gt 1 ] && geometry="${w}x${h}+${x}+${y}" && break
    done
    [ -n "$geometry" ] && break
    sleep 0.2
done
[ -n "$geometry" ] || { echo "the program's window did not appear" >&2; exit 1; }
sleep 1  # let it finish painting
import -window root -crop "$geometry" +repage "$out"
echo "Screenshot of the window saved to $out"
