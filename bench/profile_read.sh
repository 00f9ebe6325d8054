#!/usr/bin/env bash
# Profile read benchmark: makes profiles of 10,000 and 20,000 keys and reads
# every key of each through TIniFile, on the host over platform/ (an
# optimised build without sanitizers, in build/bench-native) and under Wine
# over the real profile functions, in one run. Prints the times (first pass
# and median of PASSES) and the ratios: platform/ 20k over 10k (goal at most
# 2.5) and Wine over platform/ on the same file (goal at least 10).
#
#   bench/profile_read.sh [PASSES]
set -euo pipefail
cd "$(dirname "$0")/.."
passes=${1:-5}

source bench/common.sh
windows_target bench_profile_read
quiet cmake -S . -B build/bench-native -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DGLIM_BUILD_BENCHMARKS=ON
quiet cmake --build build/bench-native --target bench_profile_read -j"$(nproc)"
native=build/bench-native/bin/bench_profile_read
windows=build/windows/bin/bench_profile_read.exe
tools/wine-run.sh --init

sizes=(10000 20000)
for keys in "${sizes[@]}"; do
    "$native" make "$work/keys$keys.ini" "$keys"
done
# Both stores keep a parsed copy only of a file that has not changed for a
# while (ours: 2.1 s since its last modification and status change): put
# the modification time back, then let the status change age.
touch -d '1 hour ago' "$work"/*.ini
sleep 2.5

declare -A first median
measure() {  # backend keys command...
    local backend=$1 keys=$2 line
    shift 2
    line=$("$@")
    first[$backend$keys]=$(sed -n 's/.*first=\([0-9.]*\).*/\1/p' <<<"$line")
    median[$backend$keys]=$(sed -n 's/.*median=\([0-9.]*\).*/\1/p' <<<"$line")
    [ -n "${median[$backend$keys]}" ] || { echo "no time from $backend for $keys keys: $line" >&2; exit 1; }
}
for keys in "${sizes[@]}"; do
    measure platform "$keys" "$native" read "$work/keys$keys.ini" "$keys" "$passes"
    measure wine "$keys" tools/wine-run.sh "$windows" read "Z:${work//\//\\}\\keys$keys.ini" "$keys" "$passes"
done

echo "Reading every key through TIniFile (ms; first pass, median of $passes passes)"
printf '%-10s %-28s %10s %10s\n' keys backend first median
for keys in "${sizes[@]}"; do
    printf '%-10s %-28s %10s %10s\n' "$keys" "platform/ (host)" "${first[platform$keys]}" "${median[platform$keys]}"
    printf '%-10s %-28s %10s %10s\n' "$keys" "real functions (Wine)" "${first[wine$keys]}" "${median[wine$keys]}"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "platform/ 20k/10k:        $(ratio "${median[platform20000]}" "${median[platform10000]}") (goal at most 2.5)"
echo "Wine/platform/ at 10k:    $(ratio "${median[wine10000]}" "${median[platform10000]}") (goal at least 10)"
echo "Wine/platform/ at 20k:    $(ratio "${median[wine20000]}" "${median[platform20000]}") (goal at least 10)"
echo "(first passes: platform/ 20k/10k $(ratio "${first[platform20000]}" "${first[platform10000]}"), Wine/platform/ at 10k $(ratio "${first[wine10000]}" "${first[platform10000]}"), at 20k $(ratio "${first[wine20000]}" "${first[platform20000]}"))"
