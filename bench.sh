#!/usr/bin/env bash
# Builds Release and runs the benchmarks; every figure is printed as "BENCH name value unit".
#   ./bench.sh [filter]   runs only the benchmarks whose name matches the filter
# Each benchmark runs under a time limit (TAVI_BENCH_LIMIT seconds, default 600); one that
# fails or runs out of time is listed at the end, after every other figure, and makes the
# script exit non-zero.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh" || exit 1
"$root/scripts/build.sh" "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DTAVI_BUILD_TESTS=OFF -DTAVI_BUILD_BENCH=ON || exit 1
export QT_QPA_PLATFORM=offscreen TAVI_AUDIO_OUTPUT=null
filter=${1:-}
limit=${TAVI_BENCH_LIMIT:-600}
failed=()

# run NAME COMMAND...: the command's BENCH lines, and its name in $failed when it did not end well.
run() {
    local name=$1
    shift
    local output status
    output=$(timeout --kill-after=10 "$limit" "$@" 2>/dev/null)
    status=$?
    grep '^BENCH ' <<<"$output"
    if ((status == 124 || status == 137)); then
        failed+=("$name (over ${limit} s)")
    elif ((status != 0)) || ! grep -q '^BENCH ' <<<"$output"; then
        failed+=("$name (exit $status)")
    fi
}

for bench in "$root"/build-bench/bench/bench_*; do
    [[ -f "$bench" && -x "$bench" ]] || continue
    name=$(basename "$bench")
    [[ -n "$filter" && "$name" != *"$filter"* ]] && continue
    run "$name" "$bench" --benchmark_min_time=0.2
done
for script in "$root"/bench/*.sh; do
    [[ -x "$script" ]] || continue
    name=$(basename "$script")
    [[ -n "$filter" && "$name" != *"$filter"* ]] && continue
    run "$name" "$script" "$root/build-bench"
done
if ((${#failed[@]} > 0)); then
    printf 'benchmark failed: %s\n' "${failed[@]}" >&2
    exit 1
fi
