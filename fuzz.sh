#!/usr/bin/env bash
# Builds every libFuzzer target with clang (AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each for a while on a working copy of its seeds.
#   ./fuzz.sh [seconds] [filter...]   seconds per target (default 60); targets whose name holds
#                                     any of the filters (all without one)
# Prints one line per target (runs, corpus size, coverage) and exits non-zero when any target
# found a fault; the input that caused it is kept in build-fuzz/findings/TARGET/.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
seconds=${1:-60}
filters=("${@:2}")
build="$root/build-fuzz"
TAVI_FUZZ_DEPS=1 "$root/scripts/install-deps.sh" || exit 1
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTAVI_FUZZ=ON -DTAVI_BUILD_TESTS=OFF >/dev/null || exit 1
cmake --build "$build" -j "$(nproc)" --target fuzz_all || exit 1

export QT_QPA_PLATFORM=offscreen TAVI_AUDIO_OUTPUT=null
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
found=()
printf '%-28s %10s %8s %8s %6s\n' target runs corpus cov seconds
for target in "$build"/fuzz/fuzz_*; do
    [[ -f "$target" && -x "$target" ]] || continue  # not the autogen folders
    name=$(basename "$target")
    if ((${#filters[@]} > 0)); then
        wanted=0
        for filter in "${filters[@]}"; do
            [[ "$name" == *"$filter"* ]] && wanted=1
        done
        ((wanted)) || continue
    fi
    seeds="$root/fuzz/corpus/${name#fuzz_}"
    corpus="$build/corpus/${name#fuzz_}"
    findings="$build/findings/$name"
    mkdir -p "$corpus" "$findings"
    [[ -d "$seeds" ]] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null
    log="$build/findings/$name.log"
    "$target" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=4096 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1
    status=$?
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*')
    printf '%-28s %10s %8s %8s %6s\n' "$name" "${runs:-?}" "$(ls "$corpus" | wc -l)" "${cov:-?}" "$seconds"
    if ((status != 0)); then
        found+=("$name (see $log)")
    fi
done
if ((${#found[@]} > 0)); then
    printf 'fault found: %s\n' "${found[@]}" >&2
    exit 1
fi
