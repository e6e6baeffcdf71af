#!/usr/bin/env python3
"""Writes the puzzles' sounds into data/sounds/ (mounted as "//sounds" and
also reached as "//dataroot/sounds"):

    <line>.ogg   each voice line of tools/make_puzzles.py, spoken by espeak-ng
                 and encoded as mono Vorbis by ffmpeg
    slide.wav    0.3 s  a bar sliding: filtered noise that rises and falls
    buzz.mp2     0.5 s  a wrong code: a low, rough buzz (MPEG layer II)
    entry.mp2    0.9 s  the door unlocking: two rising notes (MPEG layer II)

The keypad's click, "//dataroot/sounds/blip.wav", is the camera's shutter
sound that tools/make_case_sounds.py writes. Needs espeak-ng and ffmpeg (Debian packages of those names); the build never
runs it, the outputs are committed.

    tools/make_puzzle_sounds.py [data/sounds]
"""
import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import wave

from make_puzzles import LINES

RATE = 22050


def write_wav(path, samples):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", max(-32767, min(32767, round(s * 32767)))) for s in samples))


def envelope(i, count, attack=0.01, release=0.05):
    t = i / RATE
    end = (count - i) / RATE
    return min(1.0, t / attack, end / release)


def slide():
    count = int(0.3 * RATE)
    noise = random.Random(7)
    level = 0.0
    out = []
    for i in range(count):
        # A one-pole low-pass over noise, louder in the middle of the slide.
        level += 0.12 * (noise.uniform(-1, 1) - level)
        out.append(0.8 * level * math.sin(math.pi * i / count))
    return out


def buzz():
    count = int(0.5 * RATE)
    return [0.45 * envelope(i, count) * (1 if math.sin(2 * math.pi * 110 * i / RATE) >= 0 else -1) for i in range(count)]


def entry():
    out = []
    for frequency, seconds in ((660, 0.35), (990, 0.55)):
        count = int(seconds * RATE)
        out += [0.5 * envelope(i, count, 0.005, 0.25) * math.sin(2 * math.pi * frequency * i / RATE)
                for i in range(count)]
    return out


def ffmpeg(source, target, codec_options):
    subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-i", source, "-ac", "1"] + codec_options +
                   [target], check=True)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                                "data", "sounds")
    os.makedirs(folder, exist_ok=True)
    write_wav(os.path.join(folder, "slide.wav"), slide())
    with tempfile.TemporaryDirectory() as work:
        for name, samples in (("buzz", buzz()), ("entry", entry())):
            source = os.path.join(work, name + ".wav")
            write_wav(source, samples)
            ffmpeg(source, os.path.join(folder, name + ".mp2"), ["-ar", "22050", "-c:a", "mp2", "-b:a", "64k"])
        for name, text in LINES.items():
            source = os.path.join(work, name + ".wav")
            subprocess.run(["espeak-ng", "-v", "en-us", "-s", "160", "-w", source, text], check=True)
            ffmpeg(source, os.path.join(folder, name + ".ogg"),
                   ["-ar", "16000", "-c:a", "libvorbis", "-q:a", "0", "-map_metadata", "-1"])


if __name__ == "__main__":
    main()
