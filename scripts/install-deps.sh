#!/usr/bin/env bash
# Installs the Debian packages Tavi needs to build, test and run. Quiet and quick when
# everything is present; runs apt-get update only when something is missing.
set -euo pipefail

PACKAGES=(
    # build
    g++ cmake ninja-build ccache pkg-config
    # tests and benchmarks
    libgtest-dev libgmock-dev libbenchmark-dev
    # profiles of the benchmarks (perf record)
    linux-perf
    # Qt
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
    # Qt's own texts (standard buttons, file dialogs) in the display languages
    qt6-translations-l10n
    # sound: the ALSA mixer, and a sound server for tests that need a real mixer
    libasound2-dev libasound2-plugins pulseaudio
    # the output's own stream on the sound server (PulseAudio, or PipeWire's server for it)
    libpulse-dev
    # the wave device of the media-control layer: decoding and rate conversion
    libsndfile1-dev libsamplerate0-dev
    # the sequencer device: FluidSynth, JACK2's headers named so JACK1's never replace
    # JACK2's library, and a General MIDI SoundFont so MIDI sounds out of the box
    libfluidsynth-dev libjack-jackd2-dev timgm6mb-soundfont
    # the cdaudio device: the drive, its table of contents and digital audio read with paranoia;
    # udev tells when a disc arrives or leaves
    libcdio-dev libcdio-paranoia-dev libudev-dev
    # the module-music library: libopenmpt decodes, zlib unpacks zip-compressed modules;
    # openmpt123 is the module benchmark's reference player
    libopenmpt-dev zlib1g-dev openmpt123
    # media pipelines and the plug-ins that decode, encode (test media) and play
    libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev gstreamer1.0-plugins-base libtag1-dev
    gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly
    gstreamer1.0-libav gstreamer1.0-tools gstreamer1.0-plugins-base-apps gstreamer1.0-x gstreamer1.0-alsa gstreamer1.0-pulseaudio
    # gapless MP3 test files for the gap benchmark
    lame
    # script macros: JavaScript and Lua engines
    qt6-declarative-dev liblua5.4-dev
    # compression of in-memory snapshots
    libzstd-dev
    # headless runs and screenshots, and checks of the desktop files
    xvfb xauth dbus imagemagick desktop-file-utils appstream
    # the file-manager extension's Nautilus module
    libnautilus-extension-dev
    # keys sent to the real window in end-to-end checks
    xdotool
    # the media-key protocol checked with a desktop tool
    playerctl
)
if [[ "${TAVI_FUZZ_DEPS:-0}" == 1 ]]; then
    PACKAGES+=(clang libclang-rt-14-dev)
fi

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=()
if [[ $(id -u) -ne 0 ]]; then
    SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
