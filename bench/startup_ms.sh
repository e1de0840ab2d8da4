#!/usr/bin/env bash
# From process start to the main window shown, with a 10,000-entry recent playlist reopened
# (offscreen); the median of 11 starts.
set -euo pipefail
build=${1:?usage: startup_ms.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
album="$work/big.alb"
{
    printf '\xef\xbb\xbf'
    for i in $(seq 1 10000); do printf '/music/library/artist-%05d/album/track-%05d-title.mp3\r\n' "$i" "$i"; done
} > "$album"
mkdir -p "$work/config/Kestrova/Tavi"
cat > "$work/config/Kestrova/Tavi/user.reg" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Kestrova\\Tavi\\Recent File List]
"File1"="$album"

[HKEY_CURRENT_USER\\Software\\Kestrova\\Tavi\\Settings]
"CurSel"=dword:00001388
REG
times=()
for run in $(seq 1 11); do
    start=$(date +%s%N)
    shown=$(XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen TAVI_AUDIO_OUTPUT=null \
        TAVI_STARTUP_PROBE=1 "$build/src/app/tavi" 2>/dev/null | awk '/^shown-at/ {print $2}')
    times+=($(( (shown - start) / 1000000 )))
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 6p)
echo "BENCH startup_ms $median ms"
