#!/usr/bin/env bash
# Reliability under load and faults, as figures:
#   soak_rss_growth_mb, soak_fd_growth, soak_thread_growth   1,000 entries of every kind
#                          played headless with random Next/Previous/Pause/Seek over the bus
#                          every 100 ms; taken stopped after 100 entries and at the end
#   malformed_calls_crashes   10,000 bad automation calls, then calls racing a Quit
#   crash_safety_partial_files   1,000 kills of a writer of every kind of file Tavi saves
#   fuzz_targets           the libFuzzer targets (./fuzz.sh runs them)
set -euo pipefail
build=${1:?usage: reliability.sh BUILD_DIR}
root=$(cd "$(dirname "$0")/.." && pwd)
source "$(dirname "$0")/lib/measure.sh"
make_bench_workspace  # $work, $runtime
export QT_QPA_PLATFORM=offscreen TAVI_AUDIO_OUTPUT=null
tavi="$build/src/app/tavi"

gst-launch-1.0 -q audiotestsrc num-buffers=87 samplesperbuffer=1024 ! audioconvert ! \
    lamemp3enc target=bitrate bitrate=192 cbr=true ! filesink location="$work/two.mp3"
dbus-run-session -- "$build/bench/tavi_soak" "$tavi" "$work/two.mp3" "${TAVI_SOAK_ENTRIES:-1000}" | grep '^BENCH '
dbus-run-session -- "$build/bench/tavi_malformed_calls" "$tavi" 10000 | grep '^BENCH '
"$build/bench/tavi_kill_saves" 1000 | grep '^BENCH '
echo "BENCH fuzz_targets $(grep -c '^tavi_add_fuzzer(' "$root/fuzz/CMakeLists.txt") targets"
