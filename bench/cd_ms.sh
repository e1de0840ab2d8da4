#!/usr/bin/env bash
# The audio-CD engine on a generated disc image (a CUE sheet and its BIN of three 10-s
# tones), the image standing for the drive (TAVI_CD_DRIVE):
#   cd_track_open_ms   open of track 2 to its first sound written, median of 20 (null
#                      output; target 100 ms or less)
set -euo pipefail
build=${1:?usage: cd_ms.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work" <<'PY'
import math, struct, sys
folder = sys.argv[1]
sectors = [750, 750, 750]
cue = ['FILE "disc.bin" BINARY']
with open(folder + "/disc.bin", "wb") as data:
    start = 0
    for number, length in enumerate(sectors, 1):
        frames = length * 588
        tone = bytearray()
        for i in range(frames):
            sample = int(12000 * math.sin(2 * math.pi * 220 * number * i / 44100))
            tone += struct.pack("<hh", sample, sample)
        data.write(tone)
        cue.append("  TRACK %02d AUDIO" % number)
        cue.append("    INDEX 01 %02d:%02d:%02d" % (start // 75 // 60, start // 75 % 60, start % 75))
        start += length
with open(folder + "/disc.cue", "w") as sheet:
    sheet.write("\n".join(cue) + "\n")
PY
export TAVI_CD_DRIVE="$work/disc.cue" TAVI_AUDIO_OUTPUT=null
echo "BENCH cd_track_open_ms $("$build/bench/tavi_cd_play" --open "$work/disc.cue/Track02.cda") ms"
