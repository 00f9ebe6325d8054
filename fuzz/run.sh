#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers) in build/fuzz and runs each for SECONDS, as many at once as
# there are processor cores (or FUZZ_JOBS; FUZZ_JOBS=1 runs one at a time).
# Without TARGET names it runs them all. Corpora grow in
# build/fuzz/corpus/<target>, seeded from fuzz/corpus/<target>; what a target
# finds lands in build/fuzz/findings/<target>/ and its log in
# build/fuzz/logs/<target>.log. Prints each target's executions and findings;
# exits 1 if any found one.
#
#   [FUZZ_JOBS=N] fuzz/run.sh SECONDS [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "SECONDS must be a whole number" >&2; exit 2; }
shift
jobs=${FUZZ_JOBS:-$(nproc)}
[[ "$jobs" =~ ^[1-9][0-9]*$ ]] || { echo "FUZZ_JOBS must be a whole number above 0" >&2; exit 2; }
targets=(number_syntax command_line format_about about_masks_roundtrip path_rules)
if [ $# -gt 0 ]; then
    for target in "$@"; do
        [[ " ${targets[*]} " == *" $target "* ]] || { echo "no fuzz target $target (${targets[*]})" >&2; exit 2; }
    done
    targets=("$@")
fi

tools/setup.sh cmake make clang-14 libclang-rt-14-dev

build=build/fuzz
cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" -j"$jobs" >/dev/null

mkdir -p "$build/logs"
run_target() {
    local target=$1
    mkdir -p "$build/corpus/$target" "$build/findings/$target"
    # The first folder receives the new inputs; the committed seeds stay as they are.
    "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target/" \
        "$build/corpus/$target" "fuzz/corpus/$target" >"$build/logs/$target.log" 2>&1 || true
}

echo "Fuzzing ${targets[*]} for ${seconds} s each"
running=0
for target in "${targets[@]}"; do
    if [ "$running" -ge "$jobs" ]; then
        wait -n || true
        running=$((running - 1))
    fi
    run_target "$target" &
    running=$((running + 1))
done
wait

found=0
printf '%-22s %14s  %s\n' target executions findings
for target in "${targets[@]}"; do
    log="$build/logs/$target.log"
    runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' | tail -n 1 || true)
    # A run that stopped at a finding may not print its final statistics.
    [ -n "$runs" ] || runs=$(grep -o '^#[0-9]*' "$log" | tr -d '#' | tail -n 1 || true)
    artifacts=$(grep -o 'Test unit written to .*' "$log" | sed 's/Test unit written to //' || true)
    if [ -n "$artifacts" ]; then
        found=1
        printf '%-22s %14s  %s\n' "$target" "${runs:-?}" "FOUND: $(echo "$artifacts" | tr '\n' ' ')"
    else
        printf '%-22s %14s  %s\n' "$target" "${runs:-?}" "none"
    fi
done
exit "$found"
