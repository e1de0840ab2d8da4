#!/usr/bin/env bash
# The sequencer device (FluidSynth, TimGM6mb):
#   midi_first_open_ms   the first open to its first sound queued, loading TimGM6mb
#   midi_open_ms         open to first sound queued with the SoundFont loaded, median of 20
#   midi_cpu_ratio       CPU seconds playing a 60-s MIDI file on a private PulseAudio null
#                        sink, divided by fluidsynth's command-line player's for the same
#                        file, font and sink, in the same run
set -euo pipefail
build=${1:?usage: midi_ms.sh BUILD_DIR}
source "$(dirname "$0")/lib/measure.sh"
make_bench_workspace  # $work, $runtime; the private sound server is stopped at exit
need_package fluidsynth
player="$build/bench/tavi_midi_play"
font=/usr/share/sounds/sf2/TimGM6mb.sf2

python3 "$(dirname "$0")/lib/make_midi.py" "$work/short.mid" 2
python3 "$(dirname "$0")/lib/make_midi.py" "$work/song.mid" 60
read -r first median < <(TAVI_AUDIO_OUTPUT=null "$player" --open "$work/short.mid")
echo "BENCH midi_first_open_ms $first ms"
echo "BENCH midi_open_ms $median ms"

start_private_pulse "$runtime"

tavi=$(TAVI_AUDIO_OUTPUT=auto cpu_seconds "$player" "$work/song.mid")
reference=$(cpu_seconds fluidsynth -n -i -q -a pulseaudio -r 44100 "$font" "$work/song.mid")
echo "BENCH midi_cpu_tavi_s $tavi s"
echo "BENCH midi_cpu_fluidsynth_s $reference s"
awk -v t="$tavi" -v r="$reference" 'BEGIN { printf "BENCH midi_cpu_ratio %.3f x\n", t / r }'
