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

The lip-sync is made from the line's loudness as the interviews' voice
lines are (tools/make_interview_voices.py).

Needs espeak-ng and ffmpeg (Debian packages of those names); the build never
runs it, the outputs are committed.

    tools/make_hotspot_media.py [data]
"""
import os
import subprocess
import sys
import tempfile

from make_interview_voices import VOICES, lipsync, read_wav, to_ogg
from puzzle_art import Canvas, bgra

# The detective's voice, as in the interviews.
VOICE = VOICES["k"]

# Voice-over line -> (text, gesture animation of the speaker).
LINES = {
    "lobby_letter_look": ("A letter on the bench, addressed to the manager. Somebody left it in a hurry.",
                          "sa_point.lia1"),
    "lobby_keys_look": ("The board of room keys. The hook for room twelve is empty.", "sa_nod.lia1"),
    "lobby_keys_returned": ("The brass key goes back on hook twelve.", "sa_nod.lia1"),
    "lobby_keys_wrong": ("That does not belong on the key board.", "sa_shrug.lia1"),
}
SUBTITLE_HEADER = "// The lobby's hotspots (tools/make_hotspot_media.py)."


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
