#!/usr/bin/env bash
# Builds Release and runs the benchmarks; every figure is printed as "BENCH name value unit".
#   ./bench.sh [filter]   runs only the benchmarks whose name matches the filter
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DTAVI_BUILD_TESTS=OFF -DTAVI_BUILD_BENCH=ON
export QT_QPA_PLATFORM=offscreen TAVI_AUDIO_OUTPUT=null
filter=${1:-}
for bench in "$root"/build-bench/bench/bench_*; do
    [[ -f "$bench" && -x "$bench" ]] || continue
    name=$(basename "$bench")
    if [[ -n "$filter" && "$name" != *"$filter"* ]]; then
        continue
    fi
    "$bench" --benchmark_min_time=0.2 2>/dev/null | grep '^BENCH ' || { echo "benchmark $name failed" >&2; exit 1; }
done
for script in "$root"/bench/*.sh; do
    [[ -x "$script" ]] || continue
    if [[ -n "$filter" && "$(basename "$script")" != *"$filter"* ]]; then
        continue
    fi
    "$script" "$root/build-bench"
done
