#!/usr/bin/env bash
# CUE sheets:
#   cue_load_ms   loading a 99-track sheet into entries: reading and parsing it, making the
#                 entries and every entry's display name from the sheet (nothing played);
#                 median of 21 loads. Target: at most 20 ms.
set -euo pipefail
build=${1:?usage: cue_load.sh BUILD_DIR}
echo "BENCH cue_load_ms $("$build/bench/tavi_cue_load" 21) ms"
