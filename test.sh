#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
#   ./test.sh          the normal build
#   ./test.sh --asan   AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build_dir="$root/build"
cmake_args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [[ "${1:-}" == "--asan" ]]; then
    build_dir="$root/build-asan"
    cmake_args=(-DCMAKE_BUILD_TYPE=Debug -DTAVI_SANITIZE=address,undefined)
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
    export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
if [[ -n "${CI:-}" ]]; then
    cmake_args+=(-DTAVI_WERROR=ON)
fi

"$root/scripts/install-deps.sh"
# Compiler cache hits across clones in other folders (CI builds a fresh clone each time).
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
"$root/scripts/build.sh" "$build_dir" "${cmake_args[@]}"

export QT_QPA_PLATFORM=offscreen
export TAVI_AUDIO_OUTPUT=null
runtime_dir=$(mktemp -d)
chmod 700 "$runtime_dir"
export XDG_RUNTIME_DIR="$runtime_dir"
trap 'rm -rf "$runtime_dir"' EXIT

cd "$build_dir"
dbus-run-session -- ctest --output-on-failure --timeout 300 -j "$(nproc)"
