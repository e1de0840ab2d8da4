# Sourced by the playing benchmarks (not executable, so bench.sh does not run it): a private
# PulseAudio with a null sink and a private session bus, under $XDG_RUNTIME_DIR.

# start_null_sound_server SINK_NAME: sets pulse_pid and PULSE_SERVER; SINK_NAME is the default.
start_null_sound_server() {
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-level=error \
        -L "module-null-sink sink_name=$1" -L "module-native-protocol-unix" &
    pulse_pid=$!
    for _ in $(seq 100); do [[ -S "$XDG_RUNTIME_DIR/pulse/native" ]] && break; sleep 0.05; done
    pactl set-default-sink "$1"
}

# start_session_bus: sets bus_pid and DBUS_SESSION_BUS_ADDRESS.
start_session_bus() {
    local address
    read -r address bus_pid < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -s -d ' ')
    export DBUS_SESSION_BUS_ADDRESS="$address"
}
