#!/bin/sh
# Runs a Windows program under Wine in the project's private prefix.
#
#   tools/wine-run.sh PROGRAM.exe [ARGS...]   run it, exit with its exit code
#   tools/wine-run.sh --init                  only make sure the prefix exists
#   tools/wine-run.sh --stop                  shut the prefixes' wineservers down
#
# With GLIM_LOGPIXELS=N the program runs at N dots per inch (120 is 125 %,
# 144 is 150 %), in a prefix of its own made from the main one: Wine reads
# the scale from HKCU\Control Panel\Desktop LogPixels when a program starts.
# The system folders of the copy are hard links to the main prefix's, which
# no program writes to; everything else is copied.
#
# The prefix lives in the build folder and is made on first use: no Mono or
# Gecko prompts, no crash dialog (a crash fails the test instead of waiting),
# and unmanaged windows, so hiding a window does not stall and Wine draws the
# title bar itself. Without an X display the program runs on a virtual one,
# shared by every program of the prefix until --stop.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
base_prefix=${GLIM_WINEPREFIX:-$root/build/windows/wineprefix}
WINEPREFIX=$base_prefix
[ -n "${GLIM_LOGPIXELS:-}" ] && WINEPREFIX=$base_prefix-dpi$GLIM_LOGPIXELS
WINEDEBUG=-all
# oleacc: Wine would take its own in place of a DLL of that name found beside
# a program; Windows loads the one it finds first, as Wine does here.
WINEDLLOVERRIDES="mscoree,mshtml=;oleacc=n,b"
WINEARCH=win64
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES WINEARCH

init_base_prefix() {
    [ -f "$WINEPREFIX/.glim-ready" ] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Two tests may start at once on a new prefix: one makes it, the other waits.
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/.glim-ready" ]; then
        wineboot -i >/dev/null 2>&1 || true
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        # Debian keeps Wine's own fonts (MS Sans Serif among them) outside the
        # prefix, where GDI does not find them: without them every face falls
        # back to a wider substitute.
        fonts="$WINEPREFIX/drive_c/windows/Fonts"
        if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ]; then
            cp -n /usr/share/wine/fonts/* "$fonts"/ 2>/dev/null || true
        fi
        wineserver -w
        touch "$WINEPREFIX/.glim-ready"
    fi
    flock -u 9
    exec 9>&-
}

# The prefix of one scale, from the main prefix.
init_scaled_prefix() {
    [ -f "$WINEPREFIX/.glim-ready" ] && return 0
    scaled=$WINEPREFIX
    WINEPREFIX=$base_prefix
    init_base_prefix
    WINEPREFIX=$scaled
    exec 8>"$scaled.lock"
    flock 8
    if [ ! -f "$scaled/.glim-ready" ]; then
        rm -rf "$scaled"
        mkdir -p "$scaled/drive_c/windows"
        # The update stamp comes along, so Wine does not set the copy up again.
        cp -a "$base_prefix"/*.reg "$base_prefix/.update-timestamp" "$base_prefix/dosdevices" "$scaled"/
        for entry in "$base_prefix"/drive_c/*; do
            [ "$entry" = "$base_prefix/drive_c/windows" ] || cp -a "$entry" "$scaled/drive_c/"
        done
        for entry in "$base_prefix"/drive_c/windows/*; do
            case ${entry##*/} in
                system32|syswow64|winsxs) cp -al "$entry" "$scaled/drive_c/windows/" ;;
                *) cp -a "$entry" "$scaled/drive_c/windows/" ;;
            esac
        done
        WINEPREFIX=$scaled wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
            /d "$GLIM_LOGPIXELS" /f >/dev/null 2>&1
        WINEPREFIX=$scaled wineserver -w
        touch "$scaled/.glim-ready"
    fi
    flock -u 8
    exec 8>&-
}

init_prefix() {
    if [ -n "${GLIM_LOGPIXELS:-}" ]; then init_scaled_prefix; else init_base_prefix; fi
}

# Without a display (ctest run by hand), the programs of all prefixes share
# one virtual display: the first that needs it starts it, --stop ends it.
shared_display() {
    mkdir -p "$(dirname "$base_prefix")"
    exec 7>"$base_prefix.display.lock"
    flock 7
    if [ -f "$base_prefix.display" ]; then
        read -r display pid <"$base_prefix.display" || true
        if kill -0 "${pid:-0}" 2>/dev/null; then
            export DISPLAY="$display"
        fi
    fi
    if [ -z "${DISPLAY:-}" ]; then
        . "$root/tools/xdisplay.sh"
        echo "$DISPLAY $glim_xvfb_pid" >"$base_prefix.display"
    fi
    flock -u 7
    exec 7>&-
}

stop_shared_display() {
    [ -f "$base_prefix.display" ] || return 0
    read -r _ pid <"$base_prefix.display" || true
    kill "${pid:-0}" 2>/dev/null || true
    rm -f "$base_prefix.display"
}

case "${1:-}" in
    --init) init_prefix; exit 0 ;;
    --stop)
        for prefix in "$base_prefix" "$base_prefix"-dpi*; do
            [ -d "$prefix" ] && { WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; }
        done
        stop_shared_display
        exit 0 ;;
    "") echo "usage: $0 PROGRAM.exe [ARGS...] | --init | --stop" >&2; exit 2 ;;
esac

[ -n "${DISPLAY:-}" ] || shared_display

init_prefix
# A server that outlives each program by a minute keeps the prefix's own
# processes running, so the next program of a test run starts in a fraction
# of a second instead of two or three. They are started here, apart from the
# program's output: a test runner waits for every holder of that output to
# end. A server that runs already stays as it is.
if wineserver -p60 </dev/null >/dev/null 2>&1; then
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
fi
exec wine "$@"
