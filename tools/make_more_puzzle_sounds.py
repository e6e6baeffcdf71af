#!/usr/bin/env python3
"""Writes the sounds of the puzzles of tools/make_more_puzzles.py, as
tools/make_puzzle_sounds.py does for the others:

    data/sounds/<line>.ogg     each of its voice lines, spoken by espeak-ng
                               and encoded as mono Vorbis by ffmpeg
    data/sounds/pw_wrong.ogg   0.6 s  a wrong password: two falling low beeps
    data/sounds/pw_correct.ogg 0.7 s  the right password: three rising notes
    data/textures/puzzles/harppuzzle/<n>.ogg and <nn>.ogg
                               the harp's twenty notes, plucked tones of
                               rising pitch (string 1 lowest), 0.7 s each,
                               once named by the string's number ("7.ogg",
                               what the harp plays) and once by its two
                               digits ("07.ogg", what the player plucks);
                               from 10 on the two names are one file

Needs espeak-ng and ffmpeg (Debian packages of those names); the build never
runs it, the outputs are committed.

    tools/make_more_puzzle_sounds.py [data folder]
"""
import math
import os
import subprocess
import sys
import tempfile

from make_more_puzzles import LINES
from make_puzzle_sounds import RATE, envelope, ffmpeg, write_wav

VORBIS = ["-ar", "16000", "-c:a", "libvorbis", "-q:a", "0", "-map_metadata", "-1"]


def notes(steps):
    """Sine notes one after another: (frequency, seconds) each."""
    out = []
    for frequency, seconds in steps:
        count = int(seconds * RATE)
        out += [0.45 * envelope(i, count, 0.005, 0.04) * math.sin(2 * math.pi * frequency * i / RATE)
                for i in range(count)]
    return out


def note(string):
    """A plucked string: a few harmonics of the string's pitch dying away."""
    frequency = 196.0 * 2 ** ((string - 1) / 12.0)
    count = int(0.7 * RATE)
    out = []
    for i in range(count):
        t = i / RATE
        level = min(1.0, t / 0.004) * math.exp(-5.0 * t)
        tone = sum(math.sin(2 * math.pi * frequency * h * t) / h ** 1.5 for h in (1, 2, 3))
        out.append(0.4 * level * tone)
    return out


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                              "data")
    sounds = os.path.join(data, "sounds")
    harp = os.path.join(data, "textures", "puzzles", "harppuzzle")
    os.makedirs(sounds, exist_ok=True)
    os.makedirs(harp, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name, samples in (("pw_wrong", notes([(330, 0.25), (0, 0.1), (247, 0.25)])),
                              ("pw_correct", notes([(523, 0.2), (659, 0.2), (784, 0.3)]))):
            source = os.path.join(work, name + ".wav")
            write_wav(source, samples)
            ffmpeg(source, os.path.join(sounds, name + ".ogg"), VORBIS)
        for string in range(1, 21):
            source = os.path.join(work, "note%d.wav" % string)
            write_wav(source, note(string))
            for name in sorted({"%d" % string, "%02d" % string}):
                ffmpeg(source, os.path.join(harp, name + ".ogg"), VORBIS)
        for name, text in LINES.items():
            source = os.path.join(work, name + ".wav")
            subprocess.run(["espeak-ng", "-v", "en-us", "-s", "160", "-w", source, text], check=True)
            ffmpeg(source, os.path.join(sounds, name + ".ogg"), VORBIS)


if __name__ == "__main__":
    main()
