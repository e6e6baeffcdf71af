#!/usr/bin/env python3
"""Writes the sounds of the puzzles of tools/make_more_puzzles.py into
data/sounds/ (mounted as "//sounds"), as tools/make_puzzle_sounds.py does
for the others:

    <line>.ogg      each voice line of tools/make_more_puzzles.py, spoken by
                    espeak-ng, mono Vorbis
    pw_wrong.ogg    0.6 s  a wrong password: two falling low beeps
    pw_correct.ogg  0.7 s  the right password: three rising notes

Needs espeak-ng and ffmpeg; the build never runs it, the outputs are
committed.

    tools/make_more_puzzle_sounds.py [data/sounds]
"""
import math
import os
import subprocess
import sys
import tempfile

from make_more_puzzles import LINES
from make_puzzle_sounds import RATE, envelope, ffmpeg, write_wav


def notes(steps):
    """Sine notes one after another: (frequency, seconds) each."""
    out = []
    for frequency, seconds in steps:
        count = int(seconds * RATE)
        out += [0.45 * envelope(i, count, 0.005, 0.04) * math.sin(2 * math.pi * frequency * i / RATE)
                for i in range(count)]
    return out


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                                "data", "sounds")
    os.makedirs(folder, exist_ok=True)
    vorbis = ["-ar", "16000", "-c:a", "libvorbis", "-q:a", "0", "-map_metadata", "-1"]
    with tempfile.TemporaryDirectory() as work:
        for name, samples in (("pw_wrong", notes([(330, 0.25), (0, 0.1), (247, 0.25)])),
                              ("pw_correct", notes([(523, 0.2), (659, 0.2), (784, 0.3)]))):
            source = os.path.join(work, name + ".wav")
            write_wav(source, samples)
            ffmpeg(source, os.path.join(folder, name + ".ogg"), vorbis)
        for name, text in LINES.items():
            source = os.path.join(work, name + ".wav")
            subprocess.run(["espeak-ng", "-v", "en-us", "-s", "160", "-w", source, text], check=True)
            ffmpeg(source, os.path.join(folder, name + ".ogg"), vorbis)


if __name__ == "__main__":
    main()
