#!/usr/bin/env python3
"""Writes the sample lobby's music and ambient sounds into data/sounds/ as
small mono 16-bit WAV files at 11,025 Hz (data/scenes/case01/lobby/audio.txt
plays them):

    lobby_music.wav     2.0 s  a slow four-note phrase that loops
    lobby_hum.wav       1.0 s  the lobby's air-conditioning hum, loops
    lobby_door.wav      0.6 s  a door closing: a falling thump
    lobby_bell.wav      0.8 s  the desk bell, high
    lobby_bell_low.wav  0.8 s  the desk bell, lower

    tools/make_lobby_sounds.py [data/sounds]
"""
import math
import os
import struct
import sys
import wave

RATE = 11025


def write(path, samples):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", max(-32767, min(32767, round(s * 32767)))) for s in samples))


def tone(seconds, frequency, amplitude, decay=0.0, start=0.0):
    """A sine that fades by exp(-decay * t), with a 5 ms fade in and out so loops do not click."""
    count = int(seconds * RATE)
    fade = int(0.005 * RATE)
    out = []
    for i in range(count):
        t = i / RATE
        edge = min(1.0, i / fade, (count - 1 - i) / fade)
        out.append(amplitude * edge * math.exp(-decay * t) * math.sin(2 * math.pi * frequency * t + start))
    return out


def mix(*parts):
    length = max(len(p) for p in parts)
    return [sum(p[i] for p in parts if i < len(p)) for i in range(length)]


def music():
    notes = [220.0, 277.18, 329.63, 277.18]
    phrase = []
    for note in notes:
        phrase += mix(tone(0.5, note, 0.25, decay=2.0), tone(0.5, note * 2, 0.08, decay=4.0))
    return phrase


def hum():
    # Whole periods of 60 Hz and its harmonics in one second: the loop is seamless.
    return mix(tone(1.0, 60.0, 0.18), tone(1.0, 120.0, 0.08), tone(1.0, 180.0, 0.04))


def door():
    return mix(tone(0.6, 70.0, 0.6, decay=9.0), tone(0.6, 140.0, 0.25, decay=14.0))


def bell(frequency):
    return mix(tone(0.8, frequency, 0.4, decay=5.0), tone(0.8, frequency * 2.76, 0.12, decay=9.0))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data", "sounds")
    os.makedirs(folder, exist_ok=True)
    sounds = {
        "lobby_music.wav": music(),
        "lobby_hum.wav": hum(),
        "lobby_door.wav": door(),
        "lobby_bell.wav": bell(1318.5),
        "lobby_bell_low.wav": bell(987.77),
    }
    for name, samples in sounds.items():
        write(os.path.join(folder, name), samples)


if __name__ == "__main__":
    main()
