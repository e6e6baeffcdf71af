#!/usr/bin/env python3
"""Writes the short sounds of the sample case: 16-bit mono WAV files at
22050 Hz, synthesised here (no recordings), the same on every run.

    footstep_tile.wav     a heel on the lobby's tiles: a sharp click on a low thump
    footstep_wood.wav     a step on the office's boards: a hollow knock
    footstep_carpet.wav   a step on a rug: a soft, muffled brush
    blip.wav              the camera's shutter: two clicks and a short beep

The game names the footsteps by sound id in data/sounds/footsteps.txt; the
camera action plays "//sounds/blip.wav".

    tools/make_case_sounds.py [data/sounds]
"""
import math
import os
import random
import struct
import sys
import wave

RATE = 22050


def samples(seconds):
    return int(seconds * RATE)


def envelope(i, attack, decay):
    """Rises over attack samples, then falls by e every decay samples."""
    if i < attack:
        return i / attack
    return math.exp(-(i - attack) / decay)


def noise(rng, count, smooth):
    """White noise, averaged over smooth samples (1: none) to darken it."""
    raw = [rng.uniform(-1.0, 1.0) for _ in range(count + smooth)]
    out = []
    total = sum(raw[:smooth])
    for i in range(count):
        out.append(total / smooth)
        total += raw[i + smooth] - raw[i]
    return out


def tone(frequency, i):
    return math.sin(2.0 * math.pi * frequency * i / RATE)


def tile(rng):
    count = samples(0.18)
    hiss = noise(rng, count, 1)
    return [0.55 * hiss[i] * envelope(i, 20, 250) + 0.6 * tone(110, i) * envelope(i, 40, 900)
            for i in range(count)]


def wood(rng):
    count = samples(0.2)
    hiss = noise(rng, count, 3)
    return [0.3 * hiss[i] * envelope(i, 30, 300) +
            (0.5 * tone(190, i) + 0.25 * tone(380, i)) * envelope(i, 60, 1100) for i in range(count)]


def carpet(rng):
    count = samples(0.2)
    hiss = noise(rng, count, 24)
    return [1.4 * hiss[i] * envelope(i, 350, 1000) for i in range(count)]


def blip(rng):
    count = samples(0.22)
    click = noise(rng, count, 1)
    out = []
    for i in range(count):
        value = 0.6 * click[i] * envelope(i, 5, 120)
        second = i - samples(0.05)
        if second >= 0:
            value += 0.5 * click[i] * envelope(second, 5, 120)
        beep = i - samples(0.09)
        if 0 <= beep < samples(0.08):
            value += 0.35 * tone(1800, i) * min(1.0, beep / 40, (samples(0.08) - beep) / 40)
        out.append(value)
    return out


def write(path, values):
    peak = max(1e-6, max(abs(v) for v in values))
    scale = 0.8 * 32767 / peak
    frames = b"".join(struct.pack("<h", int(round(v * scale))) for v in values)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)
    print(f"{path}: {os.path.getsize(path)} bytes")


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "data/sounds"
    os.makedirs(folder, exist_ok=True)
    for name, make, seed in (("footstep_tile.wav", tile, 1), ("footstep_wood.wav", wood, 2),
                             ("footstep_carpet.wav", carpet, 3), ("blip.wav", blip, 4)):
        write(os.path.join(folder, name), make(random.Random(seed)))


if __name__ == "__main__":
    main()
