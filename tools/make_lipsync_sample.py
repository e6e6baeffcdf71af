#!/usr/bin/env python3
"""Writes the sample lip-sync file of the data tree: the line "Good evening,
detective. Have a seat." (about two seconds) as a ".dat" property list, one
entry per face channel, from a hand-timed list of mouth shapes.

Each shape opens its channel from 0 to its peak and closes it again over its
span; the eyes blink once and the brows lift over "detective", under a faint
smile for the whole line. Times are written in milliseconds, weights in
percent, as the lip-sync reader expects them.

    tools/make_lipsync_sample.py [data/lipsync/sample_greeting.dat]
"""
import os
import sys

SOUND = "sample_greeting.ogg"

# (channel, start ms, end ms, peak percent), in spoken order.
SHAPES = [
    # good
    ("Phoneme_Cage", 80, 160, 55),
    ("Phoneme_Wet", 140, 260, 80),
    ("Phoneme_Told", 240, 320, 50),
    # evening
    ("Phoneme_Eat", 330, 470, 85),
    ("Phoneme_Fave", 450, 530, 70),
    ("Phoneme_If", 520, 600, 60),
    ("Phoneme_New", 590, 700, 55),
    # detective
    ("Phoneme_Told", 820, 890, 60),
    ("Phoneme_If", 880, 960, 55),
    ("Phoneme_Told", 950, 1020, 55),
    ("Phoneme_Ox", 1010, 1110, 75),
    ("Phoneme_Cage", 1100, 1170, 50),
    ("Phoneme_Told", 1160, 1220, 50),
    ("Phoneme_If", 1210, 1290, 55),
    ("Phoneme_Fave", 1280, 1360, 75),
    # have a seat
    ("Phoneme_Ox", 1480, 1600, 90),
    ("Phoneme_Fave", 1590, 1670, 70),
    ("Phoneme_Earth", 1660, 1740, 45),
    ("Phoneme_Size", 1730, 1830, 65),
    ("Phoneme_Eat", 1820, 1960, 80),
    ("Phoneme_Told", 1950, 2030, 55),
    # the face around the words
    ("Viseme_EB_Up", 780, 1400, 40),
    ("Viseme_Blink", 1380, 1500, 100),
    ("Viseme_Smile", 0, 2200, 25),
]


def channel_keys():
    """The keys of every channel in order of first use: (times, values)."""
    channels = {}
    for name, start, end, peak in SHAPES:
        times, values = channels.setdefault(name, ([], []))
        if times and start < times[-1]:
            raise SystemExit("%s: shapes overlap at %d ms" % (name, start))
        # Long shapes hold their peak; short ones touch it once.
        if end - start > 300:
            times += [start, start + 120, end - 120, end]
            values += [0, peak, peak, 0]
        else:
            times += [start, (start + end) // 2, end]
            values += [0, peak, 0]
    return channels


def text():
    lines = [
        '// Lip-sync of the sample line "Good evening, detective. Have a seat."',
        "// Written by tools/make_lipsync_sample.py: times in milliseconds,",
        "// weights in percent.",
        "sound=" + SOUND,
        "phonemes",
    ]
    for index, (name, (times, values)) in enumerate(channel_keys().items()):
        lines += [
            "\t%d" % index,
            "\t\tid=" + name,
            "\t\tnumkeys=%d" % len(times),
            "\t\ttimes=" + "|".join(str(t) for t in times),
            "\t\tvalues=" + "|".join(str(v) for v in values),
        ]
    return "\n".join(lines) + "\n"


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join("data", "lipsync", "sample_greeting.dat")
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with open(path, "w", newline="\n") as out:
        out.write(text())


if __name__ == "__main__":
    main()
