#!/usr/bin/env bash
# Live-input entries, on a private PulseAudio whose only input is a pipe source and whose
# output is a null sink:
#   record_latency_ms     a tone burst written into the input to the same burst heard on the
#                         null sink's monitor, median of 5 (includes the monitor's own 5 ms)
#   record_end_error_ms   |time from Play to the end report - 2 s| for a "2.record" entry,
#                         the largest of 3
set -euo pipefail
build=${1:?usage: record_ms.sh BUILD_DIR}
source "$(dirname "$0")/lib/measure.sh"
make_bench_workspace  # $work, $runtime; the private sound server is stopped at exit
tool="$build/bench/tavi_record"

start_private_pulse "$runtime" \
    "module-pipe-source source_name=tavi_in file=$work/input format=s16le rate=44100 channels=2"
export TAVI_AUDIO_OUTPUT=auto
latency=$("$tool" --latency "$work/input" tavi_null.monitor)
echo "BENCH record_latency_ms $latency ms"
end=$("$tool" --end)
echo "BENCH record_end_error_ms $end ms"
