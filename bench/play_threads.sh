#!/usr/bin/env bash
# Where a played second goes: the CPU and voluntary wake-ups of each of Tavi's threads over
# 20 s of a 60-s MP3 (from 10 s in), on a private PulseAudio null sink, window offscreen.
# A profiling aid for the cost benchmark (play_cost.sh); its one figure is the sum:
#   play_ms_per_played_s   CPU of all threads per second of steady play, start-up excluded
#   play_threads.sh BUILD_DIR
set -euo pipefail
# shellcheck source=private-sound.bash
source "$(dirname "$0")/private-sound.bash"
build=${1:?usage: play_threads.sh BUILD_DIR}
work=$(mktemp -d)
pulse_pid=
bus_pid=
player_pid=
cleanup() {
    [[ -n "$player_pid" ]] && kill "$player_pid" 2>/dev/null || true
    [[ -n "$pulse_pid" ]] && kill "$pulse_pid" 2>/dev/null || true
    [[ -n "$bus_pid" ]] && kill "$bus_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$XDG_CONFIG_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen
export TAVI_AUDIO_OUTPUT=auto
song="$work/song.mp3"
gst-launch-1.0 -q audiotestsrc num-buffers=2584 ! audio/x-raw,rate=44100,channels=2 ! audioconvert \
    ! lamemp3enc target=bitrate cbr=true bitrate=192 ! xingmux ! filesink location="$song"
start_null_sound_server threads_null
start_session_bus

"$build/src/app/tavi" "$song" >/dev/null 2>&1 &
player_pid=$!
sleep 10

# tid, name, CPU ns, voluntary switches
snapshot() {
    for task in /proc/"$player_pid"/task/*; do
        printf '%s %s %s %s\n' "$(basename "$task")" "$(tr ' ' _ <"$task/comm")" \
            "$(awk '{print $1}' "$task/schedstat")" \
            "$(awk '/^voluntary_ctxt_switches/ {print $2}' "$task/status")"
    done | sort
}
snapshot >"$work/before"
server_before=$(awk '{print $1}' "/proc/$pulse_pid/schedstat")
sleep 20
snapshot >"$work/after"
server_after=$(awk '{print $1}' "/proc/$pulse_pid/schedstat")
printf '%-8s %-18s %10s %10s\n' tid thread 'ms/s' 'wakes/s' >&2
join "$work/before" "$work/after" |
    awk '{printf "%-8s %-18s %10.2f %10.1f\n", $1, $2, ($6 - $3) / 20e6, ($7 - $4) / 20}' |
    sort -k3 -g -r | tee "$work/threads" >&2
awk -v a="$server_before" -v b="$server_after" \
    'BEGIN { printf "sound server (main thread) %.2f ms/s\n", (b - a) / 20e6 }' >&2
grep -E '^(VmRSS|RssAnon|RssFile)' "/proc/$player_pid/status" >&2
awk '{sum += $3} END {printf "BENCH play_ms_per_played_s %.2f ms\n", sum}' "$work/threads"
