#!/usr/bin/env bash
# CPU seconds the player's engine uses to play a 60-s 128 kbit/s MP3 in real time with the
# null output, divided by what gst-play-1.0 uses for the same file in the same run.
set -euo pipefail
build=${1:?usage: play_cpu_ratio.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
song="$work/song.mp3"
gst-launch-1.0 -q audiotestsrc num-buffers=2584 ! audio/x-raw,rate=44100,channels=2 ! audioconvert \
    ! lamemp3enc target=bitrate cbr=true bitrate=128 ! xingmux ! id3v2mux ! filesink location="$song"

cpu_seconds() {  # runs the command, prints its user+system CPU seconds
    local start end self=$BASHPID
    start=$(awk '{print $14+$15+$16+$17}' "/proc/$self/stat")
    "$@" >/dev/null 2>&1
    end=$(awk '{print $14+$15+$16+$17}' "/proc/$self/stat")
    awk -v a="$start" -v b="$end" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.3f", (b - a) / hz }' 
}
# Children's CPU is added to this shell's counters (cutime, cstime) when they are reaped.
tavi=$(TAVI_AUDIO_OUTPUT=null cpu_seconds "$build/bench/tavi_play_file" "$song")
reference=$(cpu_seconds gst-play-1.0 -q --no-interactive --audiosink="fakesink sync=true" "$song")
echo "BENCH play_cpu_tavi_s $tavi s"
echo "BENCH play_cpu_gst_play_s $reference s"
awk -v t="$tavi" -v r="$reference" 'BEGIN { printf "BENCH play_cpu_ratio %.3f x\n", t / r }' 
