#!/usr/bin/env bash
# Mini playlists:
#   mini_open_ms    opening a 20-entry mini playlist of WAVs (reading it and measuring every
#                   file), median of 9 opens
#   mix_cpu_ratio   CPU seconds of two 20-s files overlapping their whole length on a private
#                   PulseAudio null sink, divided by one such file alone; medians of three runs
#                   each, taken alternately
set -euo pipefail
build=${1:?usage: mini_ms.sh BUILD_DIR}
source "$(dirname "$0")/lib/measure.sh"
make_bench_workspace  # $work, $runtime; the private sound server is stopped at exit
player="$build/bench/tavi_mini_play"

tone() {  # tone FILE SECONDS FREQUENCY
    gst-launch-1.0 -q audiotestsrc freq="$3" num-buffers=$(($2 * 44100 / 1024)) samplesperbuffer=1024 \
        ! audio/x-raw,rate=44100,channels=2,format=S16LE ! wavenc ! filesink location="$1"
}

tone "$work/short.wav" 1 440
: >"$work/twenty.mpl"
for i in $(seq 20); do
    cp "$work/short.wav" "$work/song $i~0.2.wav"
    echo "$work/song $i~0.2.wav" >>"$work/twenty.mpl"
done
echo "BENCH mini_open_ms $(TAVI_AUDIO_OUTPUT=null "$player" --open "$work/twenty.mpl" 9) ms"

tone "$work/a~20.wav" 20 440
tone "$work/b.wav" 20 660
echo "$work/b.wav" >"$work/one.mpl"
printf '%s\n' "$work/a~20.wav" "$work/b.wav" >"$work/two.mpl"

start_private_pulse "$runtime"
gst-inspect-1.0 >/dev/null 2>&1 || true  # the plug-in registry, made before measuring

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
one=() two=()
for _ in 1 2 3; do
    one+=("$(TAVI_AUDIO_OUTPUT=auto cpu_seconds "$player" "$work/one.mpl")")
    two+=("$(TAVI_AUDIO_OUTPUT=auto cpu_seconds "$player" "$work/two.mpl")")
done
one_s=$(printf '%s\n' "${one[@]}" | median)
two_s=$(printf '%s\n' "${two[@]}" | median)
echo "BENCH mix_cpu_one_s $one_s s (runs: ${one[*]})"
echo "BENCH mix_cpu_two_s $two_s s (runs: ${two[*]})"
awk -v a="$two_s" -v b="$one_s" 'BEGIN { printf "BENCH mix_cpu_ratio %.3f x\n", a / b }'
