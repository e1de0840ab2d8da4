#!/usr/bin/env bash
# Configures (once) and builds a tree: scripts/build.sh BUILD_DIR [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$1
shift
if [[ ! -f "$build_dir/build.ninja" ]]; then
    cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
fi
cmake --build "$build_dir" --parallel "$(nproc)"
