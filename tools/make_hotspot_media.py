#!/usr/bin/env python3
"""Writes what the sample case's hotspots play and show:

    data/sounds/<line>.ogg            each voice-over line of LINES, spoken by
                                      espeak-ng (the detective's voice) and
                                      encoded as mono Vorbis by ffmpeg
    data/lipsync/<line>.dat           its lip-sync, made from the line's loudness
    data/gestures/<line>.gk           its gesture, bound as "primary" (the speaker)
    data/scenes/vo_subtitles.txt      the lines' texts, in a block of their own at
                                      the end (the file's other keys are kept)
    data/scenes/case01/lobby/letter.tga   the letter lying on the lobby's bench
                                      (the lobby's display member of the letter)

Lip-sync from loudness: the speech is cut into 40 ms windows; the loudness
(RMS) of each opens the jaw (Phoneme_Ox, up to 90 percent at the loudest
window), and windows rich in hiss (many zero crossings) show the teeth
instead (Phoneme_Size); a line longer than a second blinks once in its
middle. Times in milliseconds, weights in percent, as the lip-sync reader
expects them.

Needs espeak-ng and ffmpeg (Debian packages of those names); the build never
runs it, the outputs are committed.

    tools/make_hotspot_media.py [data]
"""
import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

from puzzle_art import Canvas, bgra

RATE = 16000
WINDOW_MS = 40
VOICE = ["-v", "en-us+m3", "-p", "35", "-s", "160"]

# Voice-over line -> (text, gesture animation of the speaker).
LINES = {
    "lobby_letter_look": ("A letter on the bench, addressed to the manager. Somebody left it in a hurry.",
                          "sa_point.lia1"),
    "lobby_keys_look": ("The board of room keys. The hook for room twelve is empty.", "sa_nod.lia1"),
    "lobby_keys_returned": ("The brass key goes back on hook twelve.", "sa_nod.lia1"),
    "lobby_keys_wrong": ("That does not belong on the key board.", "sa_shrug.lia1"),
}
SUBTITLE_HEADER = "// The lobby's hotspots (tools/make_hotspot_media.py)."


def read_wav(path):
    with wave.open(path, "rb") as source:
        rate = source.getframerate()
        channels = source.getnchannels()
        frames = source.readframes(source.getnframes())
    samples = struct.unpack("<%dh" % (len(frames) // 2), frames)
    return rate, [samples[i] / 32768.0 for i in range(0, len(samples), channels)]


def lipsync(key, rate, samples):
    size = rate * WINDOW_MS // 1000
    windows = [samples[i:i + size] for i in range(0, len(samples), size)]
    loudness = [math.sqrt(sum(s * s for s in w) / len(w)) if w else 0.0 for w in windows]
    crossings = [sum(1 for a, b in zip(w, w[1:]) if (a < 0) != (b < 0)) / max(1, len(w)) for w in windows]
    top = max(loudness) if loudness else 1.0
    jaw, teeth = [], []
    for level, hiss in zip(loudness, crossings):
        opening = 0 if top <= 0 else min(90, int(round(90 * level / top)))
        if opening < 8:
            opening = 0
        sibilant = hiss > 0.25 and opening > 0
        jaw.append(0 if sibilant else opening)
        teeth.append(min(70, opening) if sibilant else 0)
    length_ms = len(windows) * WINDOW_MS
    lines = [
        "// Lip-sync of the voice line %s, from its loudness" % key,
        "// (tools/make_hotspot_media.py): times in milliseconds, weights in percent.",
        "sound=%s.ogg" % key,
        "phonemes",
    ]
    channels = [("Phoneme_Ox", jaw), ("Phoneme_Size", teeth)]
    for index, (name, values) in enumerate(channels):
        times = [i * WINDOW_MS for i in range(len(values))] + [length_ms]
        weights = values + [0]
        lines += ["\t%d" % index, "\t\tid=" + name, "\t\tnumkeys=%d" % len(times),
                  "\t\ttimes=" + "|".join(str(t) for t in times),
                  "\t\tvalues=" + "|".join(str(v) for v in weights)]
    if length_ms > 1000:
        middle = length_ms // 2
        lines += ["\t%d" % len(channels), "\t\tid=Viseme_Blink", "\t\tnumkeys=3",
                  "\t\ttimes=%d|%d|%d" % (middle - 60, middle, middle + 60), "\t\tvalues=0|100|0"]
    return "\n".join(lines) + "\n"


def gestures(key, animation):
    return "\n".join([
        "// The gesture of the voice line %s (tools/make_hotspot_media.py): the" % key,
        "// speaker, bound as \"primary\", plays it once, 300 ms into the line.",
        "keys",
        "\tg0",
        "\t\ttime=300",
        "\t\tcharacter=primary",
        "\t\ttype=" + animation,
        "\t\tcurve=0",
    ]) + "\n"


def to_ogg(source, target):
    subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-i", source, "-ac", "1", "-ar", str(RATE),
                    "-c:a", "libvorbis", "-q:a", "0", "-map_metadata", "-1", "-fflags", "+bitexact",
                    "-flags:a", "+bitexact", target], check=True)


def update_subtitles(path):
    """Puts this tool's lines in a block at the end of the file, keeping the rest."""
    lines = []
    if os.path.exists(path):
        with open(path) as source:
            lines = source.read().splitlines()
    else:
        lines = ["// The voice-over subtitles: voice line name = its text."]
    kept = [line for line in lines if line != SUBTITLE_HEADER and line.split("=", 1)[0] not in LINES]
    while kept and not kept[-1].strip():
        kept.pop()
    kept += [SUBTITLE_HEADER] + ["%s=%s" % (key, text) for key, (text, _) in LINES.items()]
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(kept) + "\n")


def letter(path):
    """A folded letter seen from above, 28 x 16: cream paper, lines of ink, a stamp."""
    paper = bgra(236, 228, 204)
    shade = bgra(196, 186, 160)
    ink = bgra(60, 60, 84)
    stamp = bgra(170, 40, 36)
    canvas = Canvas(28, 16, paper)
    canvas.frame(0, 0, 28, 16, shade)
    canvas.fill(21, 2, 25, 6, stamp)
    for y, end in ((6, 15), (9, 20), (12, 17)):
        canvas.fill(4, y, end, y + 1, ink)
    canvas.write(path)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    for folder in ("sounds", "lipsync", "gestures"):
        os.makedirs(os.path.join(data, folder), exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for key, (text, animation) in LINES.items():
            spoken = os.path.join(work, key + ".wav")
            subprocess.run(["espeak-ng"] + VOICE + ["-w", spoken, text], check=True)
            rate, samples = read_wav(spoken)
            to_ogg(spoken, os.path.join(data, "sounds", key + ".ogg"))
            with open(os.path.join(data, "lipsync", key + ".dat"), "w", newline="\n") as out:
                out.write(lipsync(key, rate, samples))
            with open(os.path.join(data, "gestures", key + ".gk"), "w", newline="\n") as out:
                out.write(gestures(key, animation))
    update_subtitles(os.path.join(data, "scenes", "vo_subtitles.txt"))
    letter(os.path.join(data, "scenes", "case01", "lobby", "letter.tga"))


if __name__ == "__main__":
    main()
