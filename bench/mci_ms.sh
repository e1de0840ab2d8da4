#!/usr/bin/env bash
# The media-control engine's wave device:
#   mci_wav_open_ms     open of a WAV to its first sound queued, median of 20 (null output)
#   mci_wav_cpu_ratio   CPU seconds playing a 60-s WAV on a private PulseAudio null sink
#                       through the device's own ALSA output (GStreamer hidden), divided by
#                       gst-launch-1.0 filesrc ! wavparse ! audioconvert ! pulsesink
#   mci_gap_pulse_ms    median silence of WAV (media control) and MP3 (GStreamer) tones
#                       taking turns on the PulseAudio sink
set -euo pipefail
build=${1:?usage: mci_ms.sh BUILD_DIR}
work=$(mktemp -d)
runtime="$work/run"
mkdir -m 700 "$runtime"
pulse_pid=
recorder_pid=
cleanup() {
    [[ -n "$recorder_pid" ]] && kill "$recorder_pid" 2>/dev/null || true
    [[ -n "$pulse_pid" ]] && kill "$pulse_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "$0")/lib/measure.sh"
player="$build/bench/tavi_mci_play"

tone() {  # tone FILE ENCODER: 1 s (43 buffers of 1024 samples) of a 440 Hz sine
    gst-launch-1.0 -q audiotestsrc num-buffers=43 freq=440 ! audio/x-raw,rate=44100,channels=2 \
        ! audioconvert ! $2 ! filesink location="$1"
}
tones=()
for i in $(seq 10); do
    tone "$work/t$i.wav" wavenc
    if ((i % 2 == 0)); then
        lame --quiet -b 128 "$work/t$i.wav" "$work/t$i.mp3"
        tones+=("$work/t$i.mp3")
    else
        tones+=("$work/t$i.wav")
    fi
done
song="$work/song.wav"
gst-launch-1.0 -q audiotestsrc num-buffers=2584 ! audio/x-raw,rate=44100,channels=2 \
    ! audioconvert ! wavenc ! filesink location="$song"

echo "BENCH mci_wav_open_ms $(TAVI_AUDIO_OUTPUT=null "$player" --open "$work/t1.wav") ms"

start_private_pulse "$runtime"

tavi=$(GST_REGISTRY_1_0="$work/registry.bin" GST_PLUGIN_SYSTEM_PATH_1_0=/nonexistent \
    GST_PLUGIN_PATH_1_0=/nonexistent TAVI_AUDIO_OUTPUT=auto cpu_seconds "$player" "$song")
reference=$(cpu_seconds gst-launch-1.0 -q filesrc location="$song" ! wavparse ! audioconvert ! pulsesink)
echo "BENCH mci_wav_cpu_s $tavi s"
echo "BENCH mci_wav_cpu_gst_launch_s $reference s"
awk -v t="$tavi" -v r="$reference" 'BEGIN { printf "BENCH mci_wav_cpu_ratio %.3f x\n", t / r }'

gst-launch-1.0 -q -e pulsesrc device=tavi_null.monitor \
    ! audio/x-raw,rate=44100,channels=2,format=S16LE ! wavenc ! filesink location="$work/gap.wav" &
recorder_pid=$!
sleep 1
# A new recording of the monitor starts only some way into the first stream it carries.
gst-launch-1.0 -q audiotestsrc wave=silence num-buffers=20 ! pulsesink
TAVI_AUDIO_OUTPUT=auto "$player" "${tones[@]}"
sleep 0.5
kill -INT "$recorder_pid"
wait "$recorder_pid" || true
recorder_pid=
echo "BENCH mci_gap_pulse_ms $(python3 "$(dirname "$0")/lib/median_gap.py" "$work/gap.wav" s16) ms"
