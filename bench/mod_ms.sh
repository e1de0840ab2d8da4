#!/usr/bin/env bash
# Module music through the module library (libopenmpt):
#   mod_open_ms            Open to the first sound handed to the output, median of 20 opens
#   mod_cpu_tavi_s         CPU seconds playing a 60-s 4-channel MOD on a private PulseAudio
#                          null sink, median of TAVI_MOD_RUNS runs (default 3)
#   mod_cpu_openmpt123_s   the same for openmpt123, its runs alternating with Tavi's
#   mod_cpu_ratio          the two medians divided
#   mod_cpu_tavi_run_N_s, mod_cpu_openmpt123_run_N_s   every run's figure: the machine is
#                          shared, and single runs swing by half
set -euo pipefail
build=${1:?usage: mod_ms.sh BUILD_DIR}
runs=${TAVI_MOD_RUNS:-3}
source "$(dirname "$0")/lib/measure.sh"
make_bench_workspace  # $work, $runtime; the private sound server is stopped at exit
need_package openmpt123
player="$build/bench/tavi_mod_play"

"$player" --write "$work/short.mod" 2
"$player" --write "$work/song.mod" 60
echo "BENCH mod_open_ms $(TAVI_AUDIO_OUTPUT=null "$player" --open "$work/short.mod") ms"

start_private_pulse "$runtime"
# GStreamer's plug-in registry for the private home, made before measuring: a user's program
# finds it made, and openmpt123 needs none.
gst-inspect-1.0 >/dev/null 2>&1 || true

tavi_runs=() reference_runs=()
for _ in $(seq "$runs"); do
    tavi_runs+=("$(TAVI_AUDIO_OUTPUT=auto cpu_seconds "$player" "$work/song.mod")")
    reference_runs+=("$(cpu_seconds openmpt123 --batch --quiet "$work/song.mod")")
done
for i in "${!tavi_runs[@]}"; do
    echo "BENCH mod_cpu_tavi_run_$((i + 1))_s ${tavi_runs[i]} s"
    echo "BENCH mod_cpu_openmpt123_run_$((i + 1))_s ${reference_runs[i]} s"
done
tavi=$(median "${tavi_runs[@]}")
reference=$(median "${reference_runs[@]}")
echo "BENCH mod_cpu_tavi_s $tavi s"
echo "BENCH mod_cpu_openmpt123_s $reference s"
awk -v t="$tavi" -v r="$reference" 'BEGIN { printf "BENCH mod_cpu_ratio %.3f x\n", t / r }'
