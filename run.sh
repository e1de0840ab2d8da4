#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tavi with the given files.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    export QT_QPA_PLATFORM=offscreen
    export TAVI_AUDIO_OUTPUT=null
    echo "No display found: Tavi runs offscreen with the null audio output."
fi
exec "$root/build/src/app/tavi" "$@"
