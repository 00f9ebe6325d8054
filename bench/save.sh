#!/usr/bin/env bash
# Save benchmark under Wine: the window with 3,000 and 10,000 masks saved into
# a new profile by a click on Save. Prints, per size, the time from the click
# to the first write and to the end of the save, beside the same writes made
# the plain Win32 way (the memo read once, then the profile functions), and
# the ratios program/plain.
#
#   bench/save.sh [RUNS] [SIZES...]      defaults: 1 run; 3000 10000
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-1}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(3000 10000)

source bench/common.sh
windows_target bench_save
tools/wine-run.sh --init

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else printf "-" }'; }
field() { sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<" $2"; }
# ms from a start (seconds since 1970) to the birth of a file in the work
# folder, named by its Windows path; "-" where the file system keeps no birth.
# File times come from the kernel's coarse clock: a few ms early at most.
first_write() {
    local birth
    birth=$(stat -c %.9W "$work/${1##*\\}")
    awk -v b="$birth" -v s="$2" 'BEGIN { if (b > 0) printf "%.1f", (b - s) * 1000; else printf "-" }'
}

echo "Save with many masks under Wine (ms; click to first write, and to the end)"
printf '%-7s %12s %12s %12s %12s %9s %9s\n' masks first total plain_first plain_total first/pl total/pl
for masks in "${sizes[@]}"; do
    while read -r line; do
        case $line in masks=*) ;; *) continue ;; esac
        pf=$(first_write "$(field program "$line")" "$(field program_start "$line")")
        pt=$(field program_total "$line")
        qf=$(first_write "$(field plain "$line")" "$(field plain_start "$line")")
        qt=$(field plain_total "$line")
        printf '%-7s %12s %12s %12s %12s %9s %9s\n' "$masks" "$pf" "$pt" "$qf" "$qt" \
            "$(ratio "$pf" "$qf")" "$(ratio "$pt" "$qt")"
    done < <(tools/wine-run.sh build/windows/bin/bench_save.exe "Z:${work//\//\\}" "$masks" "$runs" | tr -d '\r')
done
