#!/usr/bin/env bash
# Sets up what is missing, checks the CI workflows that only a Windows runner
# runs, then runs the workflow presets: native and windows (configure, build,
# test), the release archive driven through a session, and windows-clang (the
# Windows program built again with clang, and its window-free tests).
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
export CMAKE_BUILD_PARALLEL_LEVEL=$(nproc)

status=0
echo "== the CI workflows: valid, naming presets that exist =="
tools/check-workflows.py || status=1
echo "== native: configure, build, test =="
CTEST_PARALLEL_LEVEL=$(nproc) cmake --workflow --preset native || status=1
wait "$prefix" || { echo "The Wine prefix could not be made (tools/wine-run.sh --init)" >&2; exit 1; }
echo "== windows: configure, build, test (under Wine) =="
cmake --workflow --preset windows || status=1
echo "== the release archive, as a user gets it =="
# Built from the committed tree, unpacked beside the stand-in viewer, and
# driven through a session: start with a profile, edit, Save as with the
# copy of the viewer, Exit with an unsaved edit and Yes.
if tools/release.sh; then
    unpacked=$(mktemp -d)
    archive=$PWD/$(ls dist/glimcfg-*-win64.zip)
    (cd "$unpacked" && cmake -E tar xf "$archive")
    cp build/windows/bin/viewer_standin.exe "$unpacked/glimview.exe"
    GLIM_PROGRAM="Z:$(tr / '\\' <<<"$unpacked/glimcfg.exe")" tools/wine-run.sh build/windows/bin/e2e_tests.exe \
        --gtest_color=no --gtest_filter='Program.ShowsItsWindow*:FileCommandsE2E.SaveAsWrites*:FileCommandsE2E.ExitAsks*' ||
        status=1
    rm -rf "$unpacked"
else
    status=1
fi
echo "== windows-clang: configure, build, the tests without windows (under Wine) =="
cmake --workflow --preset windows-clang || status=1
exit $status
