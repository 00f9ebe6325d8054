#!/bin/sh
# Runs a Windows program under Wine in the project's private prefix.
#
#   tools/wine-run.sh PROGRAM.exe [ARGS...]   run it, exit with its exit code
#   tools/wine-run.sh --init                  only make sure the prefix exists
#   tools/wine-run.sh --stop                  shut the prefix's wineserver down
#
# The prefix lives in the build folder and is made on first use: no Mono or
# Gecko prompts, no crash dialog (a crash fails the test instead of waiting),
# and unmanaged windows, so hiding a window does not stall and Wine draws the
# title bar itself. Without an X display the program runs on a virtual one,
# shared by every program of the prefix until --stop.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
WINEPREFIX=${GLIM_WINEPREFIX:-$root/build/windows/wineprefix}
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
WINEARCH=win64
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES WINEARCH

init_prefix() {
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

# Without a display (ctest run by hand), the programs of one prefix share one
# virtual display: the first that needs it starts it, --stop ends it.
shared_display() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 8>"$WINEPREFIX.display.lock"
    flock 8
    if [ -f "$WINEPREFIX.display" ]; then
        read -r display pid <"$WINEPREFIX.display" || true
        if kill -0 "${pid:-0}" 2>/dev/null; then
            export DISPLAY="$display"
        fi
    fi
    if [ -z "${DISPLAY:-}" ]; then
        . "$root/tools/xdisplay.sh"
        echo "$DISPLAY $glim_xvfb_pid" >"$WINEPREFIX.display"
    fi
    flock -u 8
    exec 8>&-
}

stop_shared_display() {
    [ -f "$WINEPREFIX.display" ] || return 0
    read -r _ pid <"$WINEPREFIX.display" || true
    kill "${pid:-0}" 2>/dev/null || true
    rm -f "$WINEPREFIX.display"
}

case "${1:-}" in
    --init) init_prefix; exit 0 ;;
    --stop) [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true; stop_shared_display; exit 0 ;;
    "") echo "usage: $0 PROGRAM.exe [ARGS...] | --init | --stop" >&2; exit 2 ;;
esac

[ -n "${DISPLAY:-}" ] || shared_display

init_prefix
exec wine "$@"
