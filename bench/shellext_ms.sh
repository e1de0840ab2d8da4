#!/usr/bin/env bash
# The file-manager hand-off: 100 files played with taviext while Tavi does not run, from the
# command until the player has started the first one (cold, bus activation included), and
# 100 files added with taviext to the running player (warm); the median of 5 each.
set -euo pipefail
build=${1:?usage: shellext_ms.sh BUILD_DIR}
build=$(cd "$build" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/media" "$work/share/dbus-1/services"
gst-launch-1.0 -q audiotestsrc num-buffers=430 ! audioconvert ! wavenc \
    ! filesink location="$work/media/track-000.wav" >/dev/null
for i in $(seq 1 99); do cp "$work/media/track-000.wav" "$(printf '%s/media/track-%03d.wav' "$work" "$i")"; done
printf '[D-BUS Service]\nName=org.kestrova.Tavi\nExec=%s/src/app/tavi -Automation\n' "$build" \
    > "$work/share/dbus-1/services/org.kestrova.Tavi.service"

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
# One private bus: a cold play, then warm adds; prints "cold MS" and "warm MS" lines.
set -euo pipefail
build=$1 work=$2
now() { date +%s%N; }
files=("$work"/media/*.wav)
start=$(now)
"$build/src/app/taviext" --play "${files[@]}"
until [[ $("$build/src/automation/tavictl" status) == PLAY ]]; do sleep 0.005; done
echo "cold $(( ($(now) - start) / 1000000 ))"
"$build/src/automation/tavictl" stop >/dev/null
for run in 1 2 3 4 5; do
    start=$(now)
    "$build/src/app/taviext" --add "${files[@]}"
    echo "warm $(( ($(now) - start) / 1000000 ))"
done
pid=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.kestrova.Tavi | awk '/uint32/ {print $2}')
kill "$pid" 2>/dev/null || true
SESSION
chmod +x "$work/session.sh"

cold=() warm=()
for run in 1 2 3 4 5; do
    rm -rf "$work/config" "$work/state" "$work/data"
    output=$(XDG_DATA_DIRS="$work/share:/usr/share" XDG_CONFIG_HOME="$work/config" \
        XDG_STATE_HOME="$work/state" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work" \
        QT_QPA_PLATFORM=offscreen TAVI_AUDIO_OUTPUT=null \
        dbus-run-session -- "$work/session.sh" "$build" "$work" 2>/dev/null)
    cold+=($(awk '/^cold/ {print $2}' <<<"$output"))
    warm+=($(awk '/^warm/ {print $2}' <<<"$output"))
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "BENCH shellext_play_cold_ms $(median "${cold[@]}") ms"
echo "BENCH shellext_add_warm_ms $(median "${warm[@]}") ms"
