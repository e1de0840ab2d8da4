#!/usr/bin/env bash
# CPU the process uses while two 30-s MP3s crossfade over 10 s on the null output, divided by
# what it uses over 10 s of the first one playing alone (the same run, the same files).
#   crossfade_cpu_ratio   the ratio (two decoders and the mixing against one decoder)
set -euo pipefail
build=${1:?usage: crossfade_cpu.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

song() {  # song FILE FREQUENCY: 30 s (1292 buffers of 1024 samples) at 128 kbit/s
    gst-launch-1.0 -q audiotestsrc num-buffers=1292 freq="$2" ! audio/x-raw,rate=44100,channels=2 \
        ! audioconvert ! lamemp3enc target=bitrate cbr=true bitrate=128 ! xingmux ! id3v2mux \
        ! filesink location="$1"
}
song "$work/a.mp3" 440
song "$work/b.mp3" 660

ratios=()
for _ in 1 2 3; do
    output=$(TAVI_AUDIO_OUTPUT=null "$build/bench/tavi_crossfade_play" 10 "$work/a.mp3" "$work/b.mp3")
    ratios+=("$(awk '
        $1 == "single" { single = $2 / $3 }
        $1 == "crossfade" { crossfade = $2 / $3 }
        END { printf "%.3f", crossfade / single }' <<<"$output")")
done
source "$(dirname "$0")/lib/measure.sh"
echo "BENCH crossfade_cpu_ratio $(median "${ratios[@]}") x"
