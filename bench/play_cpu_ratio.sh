#!/usr/bin/env bash
# CPU seconds the player's engine uses to play a 60-s 128 kbit/s MP3 in real time with the
# null output, divided by what gst-play-1.0 uses for the same file in the same run.
set -euo pipefail
build=${1:?usage: play_cpu_ratio.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/lib/measure.sh"
song="$work/song.mp3"
make_song_mp3 "$song"

tavi=$(TAVI_AUDIO_OUTPUT=null cpu_seconds "$build/bench/tavi_play_file" "$song")
reference=$(cpu_seconds gst-play-1.0 -q --no-interactive --audiosink="fakesink sync=true" "$song")
echo "BENCH play_cpu_tavi_s $tavi s"
echo "BENCH play_cpu_gst_play_s $reference s"
awk -v t="$tavi" -v r="$reference" 'BEGIN { printf "BENCH play_cpu_ratio %.3f x\n", t / r }' 
