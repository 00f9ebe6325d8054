#!/usr/bin/env bash
# Sets up what is missing, builds both presets and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

tools/setup.sh

source tools/xdisplay.sh
cleanup() {
    tools/wine-run.sh --stop
    [ -n "${glim_xvfb_pid:-}" ] && kill "$glim_xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
# A new Wine prefix is mostly waiting: it is made while the code builds.
tools/wine-run.sh --init &
prefix=$!

cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)"
wait "$prefix" || { echo "The Wine prefix could not be made (tools/wine-run.sh --init)" >&2; exit 1; }

status=0
echo "== native tests =="
ctest --preset native -j"$(nproc)" || status=1
echo "== Windows tests (under Wine) =="
ctest --preset windows || status=1
exit $status
