#!/usr/bin/env bash
# Sets up what is missing, builds both presets and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

tools/setup.sh

cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)"

source tools/xdisplay.sh
cleanup() {
    tools/wine-run.sh --stop
    [ -n "${glim_xvfb_pid:-}" ] && kill "$glim_xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
tools/wine-run.sh --init

status=0
echo "== native tests =="
ctest --preset native || status=1
echo "== Windows tests (under Wine) =="
ctest --preset windows || status=1
exit $status
