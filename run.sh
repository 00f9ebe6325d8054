#!/usr/bin/env bash
# Sets up what is missing, builds the program and starts it under Wine.
#
#   ./run.sh [PROFILE]
#
# PROFILE becomes the program's first argument; a relative one names a file of
# the folder run.sh is called from. Without an X display the window is shown
# on a virtual one: a screenshot is saved, and the program is closed again.
set -euo pipefail
# Wine reads an absolute Unix path on its drive Z:, whatever folder it is in.
if [ -n "${1:-}" ] && [[ $1 != /* && $1 != [A-Za-z]:* ]]; then
    set -- "$PWD/$1" "${@:2}"
fi
cd "$(dirname "$0")"

tools/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target glimcfg -j"$(nproc)"

if [ -z "${DISPLAY:-}" ]; then
    echo "No X display: showing the window on a virtual one."
    exec tools/screenshot.sh "$PWD/build/screenshot.png" "$@"
fi

tools/wine-run.sh --init
status=0
tools/wine-run.sh build/windows/bin/glimcfg.exe "$@" || status=$?
tools/wine-run.sh --stop
exit $status
