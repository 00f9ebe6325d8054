#!/usr/bin/env bash
# Starts the built program under Wine, saves a picture of its window as PNG,
# and closes the program again.
#
#   tools/screenshot.sh OUTPUT.png [PROFILE]
#
# GLIM_LOGPIXELS=144 takes it at 150 % (see tools/wine-run.sh).
# GLIM_SCHEME=high-contrast-black takes it with the system colours of High
# Contrast Black, in a Wine prefix of its own (Wine has no switch for high
# contrast itself, so the window chooses its colours by their contrast).
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:?usage: tools/screenshot.sh OUTPUT.png [PROFILE]}
shift
exe=build/windows/bin/glimcfg.exe
[ -f "$exe" ] || { echo "build the program first: cmake --build --preset windows" >&2; exit 1; }

source tools/xdisplay.sh
if [ "${GLIM_SCHEME:-}" = high-contrast-black ]; then
    export GLIM_WINEPREFIX=$PWD/build/windows/wineprefix-hcblack
    tools/wine-run.sh --init
    while read -r name rgb; do
        tools/wine-run.sh reg add 'HKCU\Control Panel\Colors' /v "$name" /d "$rgb" /f >/dev/null
    done <<'COLOURS'
Background 0 0 0
ButtonFace 0 0 0
ButtonText 255 255 255
ButtonShadow 255 255 255
ButtonHilight 255 255 255
ButtonLight 0 0 0
ButtonDkShadow 0 0 0
Window 0 0 0
WindowText 255 255 255
Menu 0 0 0
MenuText 255 255 255
GrayText 63 242 63
ActiveTitle 0 0 255
HotTrackingColor 255 255 0
COLOURS
    tools/wine-run.sh --stop
fi
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
    for id in $(xwininfo -root -tree 2>/dev/null | grep '("glimcfg.exe"' | awk '{print $1}'); do
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
