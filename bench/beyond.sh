#!/usr/bin/env bash
# What listeners ask every player for, as figures:
#   crossfade_cpu_ratio   CPU while two tracks cross-fade over one track's (crossfade_cpu.sh)
#   cue_load_ms           a 99-track CUE sheet loaded into named entries (cue_load.sh)
set -euo pipefail
build=${1:?usage: beyond.sh BUILD_DIR}
here=$(dirname "$0")
bash "$here/crossfade_cpu.sh" "$build"
bash "$here/cue_load.sh" "$build"
