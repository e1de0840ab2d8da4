#!/usr/bin/env bash
# The silence between tracks: the player plays 10 generated 1-s tones in Normal mode, and the
# median length of the silences between the tones is reported.
#   gap_pulse_ms       WAV entries, recorded from a private PulseAudio null sink's monitor
#   gap_pulse_mp3_ms   the same with MP3 entries (their encoder padding included)
#   gap_null_ms        WAV entries on the null output, taken from the output's own tap
#   play_cpu_pulse_s   CPU seconds the engine uses playing a 60-s MP3 to the PulseAudio sink
set -euo pipefail
build=${1:?usage: gap_ms.sh BUILD_DIR}
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

tone() {  # tone FILE ENCODER: 1 s (43 buffers of 1024 samples) of a 440 Hz sine
    gst-launch-1.0 -q audiotestsrc num-buffers=43 freq=440 ! audio/x-raw,rate=44100,channels=2 \
        ! audioconvert ! $2 ! filesink location="$1"
}
wavs=() mp3s=()
for i in $(seq 10); do
    tone "$work/t$i.wav" wavenc
    # The lame encoder writes the encoder delay and padding into its tag, which GStreamer's
    # MP3 parser uses to trim them: the files are gapless as a user's ripped albums are.
    lame --quiet -b 128 "$work/t$i.wav" "$work/t$i.mp3"
    wavs+=("$work/t$i.wav") mp3s+=("$work/t$i.mp3")
done

start_private_pulse "$runtime"

# median_gap FILE FORMAT: FORMAT s16 (a WAV file) or f32 (raw float stereo)
median_gap() {
    python3 "$(dirname "$0")/lib/median_gap.py" "$1" "$2"
}

record_run() {  # record_run OUT FILE...: plays the files on PulseAudio, recording the monitor
    local out=$1
    shift
    gst-launch-1.0 -q -e pulsesrc device=tavi_null.monitor \
        ! audio/x-raw,rate=44100,channels=2,format=S16LE ! wavenc ! filesink location="$out" &
    recorder_pid=$!
    sleep 1
    # A new recording of the monitor starts only some way into the first stream it carries.
    gst-launch-1.0 -q audiotestsrc wave=silence num-buffers=20 ! pulsesink
    TAVI_AUDIO_OUTPUT=auto "$build/bench/tavi_gap_play" "$@"
    sleep 0.5
    kill -INT "$recorder_pid"
    wait "$recorder_pid" || true
    recorder_pid=
}

record_run "$work/wav.wav" "${wavs[@]}"
echo "BENCH gap_pulse_ms $(median_gap "$work/wav.wav" s16) ms"
record_run "$work/mp3.wav" "${mp3s[@]}"
echo "BENCH gap_pulse_mp3_ms $(median_gap "$work/mp3.wav" s16) ms"
# The quiet that one MP3 holds itself (encoder delay and padding), decoded on its own: the part
# of gap_pulse_mp3_ms that is in the files (lamemp3enc writes no tag saying how much to trim).
gst-launch-1.0 -q filesrc location="${mp3s[0]}" ! mpegaudioparse ! mpg123audiodec ! audioconvert \
    ! audio/x-raw,format=S16LE ! wavenc ! filesink location="$work/alone.wav"
python3 - "$work/alone.wav" <<'PY'
import array, sys, wave
w = wave.open(sys.argv[1])
left = array.array("h", w.readframes(w.getnframes()))[0::w.getnchannels()]
width = w.getframerate() // 2000
quiet = [max(map(abs, left[i:i + width])) < 328 for i in range(0, len(left) - width, width)]
lead = next(k for k, q in enumerate(quiet) if not q)
trail = next(k for k, q in enumerate(reversed(quiet)) if not q)
print(f"BENCH mp3_file_padding_ms {(lead + trail) * width * 1000.0 / w.getframerate():.2f} ms")
PY
TAVI_AUDIO_OUTPUT=null "$build/bench/tavi_gap_play" --tap "$work/null.f32" "${wavs[@]}"
echo "BENCH gap_null_ms $(median_gap "$work/null.f32" f32) ms"

song="$work/song.mp3"
make_song_mp3 "$song"
echo "BENCH play_cpu_pulse_s $(TAVI_AUDIO_OUTPUT=auto cpu_seconds "$build/bench/tavi_play_file" "$song") s"
