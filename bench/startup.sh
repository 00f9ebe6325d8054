#!/usr/bin/env bash
# Start-up benchmark: glimcfg.exe with a profile against a bare Win32 window,
# both started under Wine the same way, in one run. Prints the medians, their
# ratio and glimcfg.exe's peak private memory.
#
#   bench/startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."

source bench/common.sh
windows_target bench_startup
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
