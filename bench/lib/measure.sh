# Helpers the benchmark scripts source (not a benchmark itself).

# cpu_seconds COMMAND...: runs the command and prints its user+system CPU seconds. A
# child's CPU is added to this shell's counters (cutime, cstime) when it is reaped.
cpu_seconds() {
    local start end self=$BASHPID
    start=$(awk '{print $14+$15+$16+$17}' "/proc/$self/stat")
    "$@" >/dev/null 2>&1
    end=$(awk '{print $14+$15+$16+$17}' "/proc/$self/stat")
    awk -v a="$start" -v b="$end" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.3f", (b - a) / hz }'
}

# median VALUE...: the middle value (the lower middle of an even count).
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# make_song_mp3 FILE: a 60-s 128 kbit/s MP3 tone, the file the CPU figures play.
make_song_mp3() {
    gst-launch-1.0 -q audiotestsrc num-buffers=2584 ! audio/x-raw,rate=44100,channels=2 ! audioconvert \
        ! lamemp3enc target=bitrate cbr=true bitrate=128 ! xingmux ! id3v2mux ! filesink location="$1"
}

# need_package NAME: installs a reference program's Debian package when it is missing
# (benchmarks only; the build's own packages come from scripts/install-deps.sh).
need_package() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed" && return 0
    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "$1" >/dev/null
}

# start_private_pulse RUNTIME_DIR [MODULE_ARGS...]: starts a PulseAudio of this benchmark's
# own with a null sink "tavi_null" (the default) and the given modules ("-L" arguments),
# exports its address, and sets pulse_pid for the caller's cleanup.
start_private_pulse() {
    local runtime=$1 module
    shift
    local loads=(-L "module-null-sink sink_name=tavi_null" -L "module-native-protocol-unix")
    for module in "$@"; do
        loads+=(-L "$module")
    done
    export XDG_RUNTIME_DIR="$runtime" HOME="$runtime"
    export PULSE_SERVER="unix:$runtime/pulse/native"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-level=error "${loads[@]}" &
    pulse_pid=$!
    for _ in $(seq 100); do [[ -S "$runtime/pulse/native" ]] && break; sleep 0.05; done
    pactl set-default-sink tavi_null
}

# make_bench_workspace: a temporary $work with a private $runtime folder in it, removed at exit
# together with the sound server start_private_pulse started (pulse_pid).
make_bench_workspace() {
    work=$(mktemp -d)
    runtime="$work/run"
    mkdir -m 700 "$runtime"
    pulse_pid=
    trap bench_workspace_cleanup EXIT
}

bench_workspace_cleanup() {
    [[ -n "$pulse_pid" ]] && kill "$pulse_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
