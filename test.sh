#!/usr/bin/env bash
# Sets up what is missing, builds the native and windows presets and runs every
# test, then builds the Windows program again with clang (the windows-clang
# preset) and runs its window-free tests.
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
echo "== the release archive, as a user gets it =="
# Built from the committed tree, unpacked beside the stand-in viewer, and
# driven through a session: start with a profile, edit, Save as with the
# copy of the viewer, Exit with an unsaved edit and Yes.
if tools/release.sh; then
    unpacked=$(mktemp -d)
    unzip -q dist/glimcfg-*-win64.zip -d "$unpacked"
    cp build/windows/bin/viewer_standin.exe "$unpacked/glimview.exe"
    GLIM_PROGRAM="Z:$(tr / '\\' <<<"$unpacked/glimcfg.exe")" tools/wine-run.sh build/windows/bin/e2e_tests.exe \
        --gtest_color=no --gtest_filter='Program.ShowsItsWindow*:FileCommandsE2E.SaveAsWrites*:FileCommandsE2E.ExitAsks*' ||
        status=1
    rm -rf "$unpacked"
else
    status=1
fi
echo "== Windows program built with clang: the tests without windows (under Wine) =="
cmake --preset windows-clang >/dev/null
cmake --build --preset windows-clang -j"$(nproc)" || status=1
ctest --preset windows-clang || status=1
exit $status
