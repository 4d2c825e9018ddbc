#!/usr/bin/python3
"""Looks at the game's sounds the way an ear would be asked to: python3 levels.py DIR

For each WAV in DIR: its length, peak, loudness (RMS in dB below full scale), the seam of a loop
(the jump from its last sample to its first, against the largest jump inside it: above 1 it
clicks) and where its energy lies, in shares per band at its loudest moment. Then the worst
crowd the game lets happen: ten explosions and ten shockwaves begun at the ship in ten frames
running, each quieter by the game's crowd rule, over the engine and laser loops and a shot
every tenth of a second; its peak must stay below 1 (full scale)."""

import glob
import math
import os
import struct
import sys
import wave

BANDS = [30, 120, 250, 500, 1000, 2000, 4000, 8000, 11025]
CROWD_DAMPING = 0.75  # as in src/audio/audio.cpp


def load(path):
    with wave.open(path) as w:
        n = w.getnframes()
        data = struct.unpack("<%dh" % n, w.readframes(n))
        return [s / 32768 for s in data], w.getframerate()


def band_shares(x, rate, n=4096):
    n = min(n, len(x))
    start = max(range(0, len(x) - n + 1, max(1, n // 4)), key=lambda s: sum(v * v for v in x[s : s + n]))
    seg = x[start : start + n]
    energies = []
    for lo, hi in zip(BANDS, BANDS[1:]):
        step = max(1, int((hi - lo) * n / rate / 12))
        e = 0
        for k in range(int(lo * n / rate), int(hi * n / rate) + 1, step):
            c = 2 * math.cos(2 * math.pi * k / n)
            s1 = s2 = 0
            for v in seg:
                s1, s2 = v + c * s1 - s2, s1
            e += (s1 * s1 + s2 * s2 - c * s1 * s2) * step
        energies.append(e)
    total = sum(energies) or 1
    return " ".join("%3d" % round(100 * e / total) for e in energies)


def crowd_peak(d):
    rate = 22050
    ex, sw, th, la, sh = (load(os.path.join(d, f))[0] for f in
                          ("explosion.wav", "shockwave.wav", "thrust.wav", "laser.wav", "shot.wav"))
    out = [th[i % len(th)] + la[i % len(la)] for i in range(int(rate * 2.5))]

    def add(src, start, gain):
        for j, v in enumerate(src[: len(out) - start]):
            out[start + j] += v * gain

    for k in range(0, len(out), rate // 10):
        add(sh, k, 1)
    ends = []
    for frame in range(10):
        start = int(frame * 0.016 * rate)
        for src in (ex, sw):
            ends = [e for e in ends if e > start]
            add(src, start, (1 + len(ends)) ** -CROWD_DAMPING)
            ends.append(start + len(src))
    return max(abs(v) for v in out)


def main(d):
    print("%-14s %5s %5s %6s %5s  %% of energy per band %s Hz" % ("file", "secs", "peak", "rms dB", "seam",
                                                              "-".join(map(str, BANDS))))
    for path in sorted(glob.glob(os.path.join(d, "*.wav"))):
        x, rate = load(path)
        rms = math.sqrt(sum(v * v for v in x) / len(x))
        jumps = max(abs(x[i + 1] - x[i]) for i in range(len(x) - 1)) or 1
        print("%-14s %5.2f %5.2f %6.1f %5.2f  %s" % (os.path.basename(path), len(x) / rate,
                                                    max(abs(v) for v in x), 20 * math.log10(rms),
                                                    abs(x[0] - x[-1]) / jumps, band_shares(x, rate)))
    print("worst crowd: peak %.2f of full scale" % crowd_peak(d))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
