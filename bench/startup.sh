#!/usr/bin/env bash
# Start-up benchmark: glimcfg.exe with a profile against a bare Win32 window,
# both started under Wine the same way, in one run. Prints the medians, their
# ratio and glimcfg.exe's peak private memory.
#
#   bench/startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target bench_startup -j"$(nproc)" >/dev/null

source tools/xdisplay.sh
finish() {
    tools/wine-run.sh --stop
    [ -n "${glim_xvfb_pid:-}" ] && kill "$glim_xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
work=$(mktemp -d)
trap finish EXIT
tools/wine-run.sh --init

cat > "$work/bench.ini" <<'INI'
[Captions]
Title=Benchmark Viewer
Dialog=Save Icon as ...
[Options]
HelpFile=bench.hlp
Home=http://example.org
Mail=bench@example.org
Open=
Default=ico
EditMask=1
ShowFileNames=1
Color=$00C0C0
[Menu]
Copy=&Copy Icon to clipboard
Icon=Save Icon as *.&ICO ...
Bitmap=Save Icon as *.&BMP ...
Background=Backgr&ound color ...
Homepage=&Website ...
EMail=&E-mail ...
Help=&Help ...
About=&About ...
[Extensions]
E1=*.ic?
E2=*.exe;*.dll;*.ocx;*.cpl;*.ico
E3=*.*
[Dialogs]
L1=Benchmark viewer
L2=
L3=>   All rights reserved.
INI

tools/wine-run.sh build/windows/bin/bench_startup.exe "Z:${work//\//\\}\\bench.ini" "${1:-7}"
