#!/usr/bin/env bash
# What playing costs the whole program, against Audacious playing the same file on the same
# sound server. A private PulseAudio with a null sink; a 60-s 192 kbit/s MP3; Tavi (window
# offscreen) and `audacious -H` each play it to its end three times, alternately; medians.
#   play_cpu_tavi_app_s          CPU seconds of the whole tavi process
#   play_cpu_audacious_s         the same for Audacious
#   play_cpu_vs_audacious_ratio  the two divided
#   play_server_cpu_ratio        the sound server's CPU while Tavi plays / while Audacious plays
#   idle_wakeups_per_s           Tavi stopped: context switches of all its threads over 10 s
#   play_rss_mib                 Tavi's resident memory 30 s into the file
set -euo pipefail
# shellcheck source=private-sound.bash
source "$(dirname "$0")/private-sound.bash"
build=${1:?usage: play_cost.sh BUILD_DIR}
runs=${TAVI_COST_RUNS:-3}

# The comparison program comes from Debian; only this benchmark needs it.
if ! dpkg-query -W -f='${Status}' audacious 2>/dev/null | grep -q "install ok installed"; then
    SUDO=()
    [[ $(id -u) -ne 0 ]] && SUDO=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${SUDO[@]}" apt-get update -qq
    "${SUDO[@]}" apt-get install -y -qq --no-install-recommends audacious >/dev/null
fi

work=$(mktemp -d)
runtime="$work/run"
mkdir -m 700 "$runtime"
pulse_pid=
bus_pid=
player_pid=
cleanup() {
    [[ -n "$player_pid" ]] && kill -KILL "$player_pid" 2>/dev/null || true
    [[ -n "$pulse_pid" ]] && kill "$pulse_pid" 2>/dev/null || true
    [[ -n "$bus_pid" ]] && kill "$bus_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

song="$work/song.mp3"
song_seconds=60  # 2584 buffers of 1024 frames at 44.1 kHz
gst-launch-1.0 -q audiotestsrc num-buffers=2584 ! audio/x-raw,rate=44100,channels=2 ! audioconvert \
    ! lamemp3enc target=bitrate cbr=true bitrate=192 ! xingmux ! id3v2mux ! filesink location="$song"

# Everything private: home, settings, the session bus and the sound server.
export HOME="$work/home" XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$work/home/.config"
export XDG_STATE_HOME="$work/home/.state" XDG_CACHE_HOME="$work/home/.cache"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_CACHE_HOME"
export QT_QPA_PLATFORM=offscreen TAVI_AUDIO_OUTPUT=auto
start_null_sound_server cost_null
start_session_bus

cpu_ticks() { awk '{print $14+$15}' "/proc/$1/stat"; }
seconds() { awk -v t="$1" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.3f", t / hz }'; }
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ {s += $2} END {print s}'; }
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# One Tavi run: started with the file (it plays at once) and watched until it stops. Asking
# it (a `tavictl status` costs it about 2 ms: a new client, its objects, the answers) would
# add to what is measured, so the state changes it announces anyway (MPRIS PlaybackStatus)
# are read off the bus by a monitor; then 10 s of stopped idling are counted before it ends.
tavi_cpu=() tavi_server=() tavi_idle=() tavi_rss=()
run_tavi() {
    local server_before started monitor_pid rss=0 monitor_log="$work/announced"
    server_before=$(cpu_ticks "$pulse_pid")
    dbus-monitor --session "type='signal',path='/org/mpris/MediaPlayer2',member='PropertiesChanged'" \
        >"$monitor_log" 2>/dev/null &
    monitor_pid=$!
    sleep 0.5  # the monitor is listening before the player starts
    "$build/src/app/tavi" "$song" >/dev/null 2>&1 &
    player_pid=$!
    started=$SECONDS
    # The statuses announced so far, in order.
    announced() { grep -A1 '"PlaybackStatus"' "$monitor_log" | grep -o 'Playing\|Stopped' | paste -s -d ' '; }
    while ((SECONDS - started < 90)); do
        sleep 1
        ((SECONDS - started >= 30 && rss == 0)) && rss=$(rss_kib "$player_pid")
        [[ "$(announced)" =~ Playing.*Stopped ]] && break
        ((SECONDS - started < 10)) || [[ "$(announced)" == *Playing* ]] ||
            { echo "tavi is not playing" >&2; exit 1; }
    done
    kill "$monitor_pid" 2>/dev/null || true
    wait "$monitor_pid" 2>/dev/null || true
    [[ "$(announced)" =~ Playing.*Stopped ]] || { echo "tavi did not finish playing" >&2; exit 1; }
    tavi_cpu+=("$(seconds "$(cpu_ticks "$player_pid")")")
    tavi_server+=($(($(cpu_ticks "$pulse_pid") - server_before)))
    tavi_rss+=("$rss")
    sleep 2
    local before after
    before=$(wakeups "$player_pid")
    sleep 10
    after=$(wakeups "$player_pid")
    tavi_idle+=("$(awk -v a="$before" -v b="$after" 'BEGIN { printf "%.1f", (b - a) / 10 }')")
    kill -TERM "$player_pid"
    wait "$player_pid" 2>/dev/null || true
    player_pid=
}

# One Audacious run: headless, quitting when the file has played.
audacious_cpu=() audacious_server=()
run_audacious() {
    local server_before start end self=$BASHPID
    server_before=$(cpu_ticks "$pulse_pid")
    # A reaped child's CPU is added to this shell's counters (cutime, cstime).
    start=$(awk '{print $16+$17}' "/proc/$self/stat")
    timeout 90 audacious -H -q "$song" >/dev/null 2>&1
    end=$(awk '{print $16+$17}' "/proc/$self/stat")
    audacious_cpu+=("$(seconds $((end - start)))")
    audacious_server+=($(($(cpu_ticks "$pulse_pid") - server_before)))
}

for _ in $(seq "$runs"); do
    run_tavi
    run_audacious
done
echo "per run: tavi ${tavi_cpu[*]} s, audacious ${audacious_cpu[*]} s; server ticks" \
    "${tavi_server[*]} / ${audacious_server[*]}; idle ${tavi_idle[*]}/s; rss ${tavi_rss[*]} KiB" >&2
tavi=$(median "${tavi_cpu[@]}")
audacious=$(median "${audacious_cpu[@]}")
echo "BENCH play_cpu_tavi_app_s $tavi s"
echo "BENCH play_cpu_audacious_s $audacious s"
awk -v t="$tavi" -v a="$audacious" 'BEGIN { printf "BENCH play_cpu_vs_audacious_ratio %.3f x\n", t / a }'
awk -v t="$(median "${tavi_server[@]}")" -v a="$(median "${audacious_server[@]}")" \
    'BEGIN { printf "BENCH play_server_cpu_ratio %.3f x\n", t / (a > 0 ? a : 1) }'
echo "BENCH idle_wakeups_per_s $(median "${tavi_idle[@]}") /s"
awk -v k="$(median "${tavi_rss[@]}")" 'BEGIN { printf "BENCH play_rss_mib %.1f MiB\n", k / 1024 }'
