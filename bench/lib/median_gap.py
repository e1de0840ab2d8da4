# median_gap.py FILE FORMAT: the median silence between tones, in ms. FORMAT s16 (a WAV
# file) or f32 (raw float stereo at 44.1 kHz). Run by the gap benchmarks.
import array, statistics, sys, wave
path, kind = sys.argv[1], sys.argv[2]
if kind == "s16":
    w = wave.open(path)
    rate, scale = w.getframerate(), 32768.0
    data = array.array("h", w.readframes(w.getnframes()))
    left = data[0::w.getnchannels()]
else:
    rate, scale = 44100, 1.0
    left = array.array("f", open(path, "rb").read())[0::2]
# Windows of 0.5 ms: any such stretch of a 440 Hz tone rises well above -40 dBFS, so a quiet
# window is silence (or encoder padding), never a zero crossing.
width = rate // 2000
quiet = [max(map(abs, left[i:i + width])) / scale < 0.01 for i in range(0, len(left) - width, width)]
loud = [i for i, q in enumerate(quiet) if not q]
if not loud:
    print("nan"); sys.exit()
gaps, run = [], 0
for q in quiet[loud[0]:loud[-1] + 1]:
    if q:
        run += 1
    elif run:
        gaps.append(run * width * 1000.0 / rate)
        run = 0
gaps += [0.0] * max(0, 9 - len(gaps))  # a seamless change leaves no quiet window at all
print(f"silences {len(gaps)}: {' '.join(f'{g:.1f}' for g in gaps)} ms; heard "
      f"{(loud[-1] - loud[0]) * width / rate:.2f} s", file=sys.stderr)
print(f"{statistics.median(gaps):.2f}")
