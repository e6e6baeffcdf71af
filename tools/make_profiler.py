#!/usr/bin/env python3
"""Writes the profiling computer's sample data into the data tree:

    textures/profiler/profiler_layout.txt  the screen: background, back
                                           button, five strength pictures,
                                           the analyze button, twelve rows
                                           with their heading and entry
                                           places, three status phrases
    textures/profiler/prof_bg.tga          800 x 600  the screen's picture
    textures/profiler/prof_ui.tga          512 x 256  rows, strength bars,
                                           phrases and buttons
    textures/profiler/profile_data.txt     the offender profile of case 1,
                                           keyed by the sample items
    textures/profiler/profile_match.txt    how case 1's suspects ("clerk",
                                           "manager") fit the profile
    sounds/analyze.mp2                     1.6 s  the analysis: a warbling scan
    sounds/match.mp2                       0.6 s  a new entry: two rising tones

The back button's pictures are named under //textures (the screen builds it
after putting the texture root back), the rest under //textures/profiler.
Needs ffmpeg (the Debian package of that name) for the sounds; the build
never runs this, the outputs are committed.

    tools/make_profiler.py [data]
"""
import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

from pda_art import Canvas

SLATE = (24, 30, 38)
PANEL = (34, 44, 56)
RIM = (82, 104, 122)
TEXT = (214, 226, 236)
AMBER = (255, 196, 84)
GREEN = (96, 200, 120)
RED = (214, 80, 64)
FACE = (58, 72, 88)
FACE_OVER = (88, 108, 130)

COLUMNS = [12, 277, 542]
ROW_TOP = 146
ROW_STEP = 102
ROW_SIZE = (90, 81)
PARTS = ["characteristics", "personality", "motive"]
SLOT = (273, 40, 92, 76)
STRENGTH_PLACE = (520, 44)
STATUS_PLACE = (380, 92)
ANALYZE_PLACE = (380, 48)
BACK_PLACE = (20, 560)

# Where each picture lies in prof_ui.tga: name -> (x, y, width, height).
CELLS = {}

# Case 1's profile: part -> (item key, heading, text).
PROFILE = {
    "characteristics": [
        ("brasskey", "Knows the building", "Had a key to room 12, or knew where the keys hang."),
        ("register", "Keeps the books", "Could read the guest register without being seen."),
    ],
    "personality": [
        ("letter", "Threatens on paper", "Writes to frighten rather than to strike."),
        ("1cn05", "Expensive habits", "Smokes a cigar sold in one shop in town."),
    ],
    "motive": [
        ("1cs03", "Something to hide", "The photograph behind the painting was worth hiding."),
        ("report1", "Struck at midnight", "Chose the hour when the lobby stands empty."),
    ],
}

# Case 1's suspects: id -> [(depend, viability, done event or None)].
MATCHES = {
    "clerk": [
        ("evt_117_key_done", 40, None),
        ("script[e[evt_profiler_case01_verystrong]]", 15, "evt_profiler_clerk_cleared"),
        ("script[true]", 25, None),
    ],
    "manager": [
        ("script[e[evt_letter_read]&e[evt_profiler_case01_verystrong]]", 92, "evt_profiler_manager_matched"),
        ("script[true]", 70, "evt_profiler_manager_suspected"),
    ],
}


def coords(cell):
    x, y, w, h = cell
    return "%d|%d|%d|%d" % (x, y, x + w - 1, y + h - 1)


def row_place(row):
    part, index = divmod(row, 4)
    return COLUMNS[part], ROW_TOP + ROW_STEP * index


def make_background():
    canvas = Canvas(800, 600, SLATE)
    canvas.rect(0, 0, 800, 124, PANEL)
    canvas.rect(0, 124, 800, 126, RIM)
    canvas.text(20, 20, "OFFENDER PROFILER", AMBER, 2)
    canvas.text(20, 44, "DROP AN ITEM ON THE SLOT,", TEXT)
    canvas.text(20, 56, "THEN ANALYZE", TEXT)
    x, y, w, h = SLOT
    canvas.rounded(x - 3, y - 3, x + w + 3, y + h + 3, 6, RIM)
    canvas.rounded(x, y, x + w, y + h, 4, SLATE)
    canvas.centred_text(x, y, x + w, y + 16, "ITEM", RIM)
    canvas.text(STRENGTH_PLACE[0], STRENGTH_PLACE[1] - 14, "PROFILE STRENGTH", TEXT)
    canvas.text(620, 90, "FIT", TEXT)
    canvas.rounded(656, 82, 716, 104, 4, SLATE)
    for part, name in enumerate(PARTS):
        canvas.text(COLUMNS[part], 132, name.upper(), AMBER)
    for row in range(12):
        x, y = row_place(row)
        canvas.rect(x + 96, y + 20, x + 246, y + 21, PANEL)
    return canvas


def make_ui():
    canvas = Canvas(512, 256)
    # The row picture: a frame the item's icon sits in at (17, 17).
    cell = (0, 0) + ROW_SIZE
    canvas.rounded(0, 0, ROW_SIZE[0], ROW_SIZE[1], 6, RIM)
    canvas.rounded(2, 2, ROW_SIZE[0] - 2, ROW_SIZE[1] - 2, 5, PANEL)
    canvas.rect(15, 15, 75, 66, SLATE)
    CELLS["row"] = cell
    # The five strength levels: bars lit up to the level.
    for level in range(5):
        x, y = 100, level * 26
        canvas.rounded(x, y, x + 160, y + 24, 4, RIM)
        canvas.rounded(x + 1, y + 1, x + 159, y + 23, 3, SLATE)
        for bar in range(4):
            colour = (RED if level == 1 else AMBER if level == 2 else GREEN) if bar < level else PANEL
            canvas.rect(x + 6 + bar * 18, y + 6, x + 20 + bar * 18, y + 18, colour)
        word = ["NONE", "WEAK", "MODERATE", "STRONG", "VERY STRONG"][level]
        canvas.centred_text(x + 80, y, x + 156, y + 24, word, TEXT)
        CELLS["strength_%d" % level] = (x, y, 160, 24)
    # The status phrases.
    for i, (name, phrase, colour) in enumerate([("analyzing", "ANALYZING...", AMBER),
                                                ("nonew", "NO NEW INFORMATION", TEXT),
                                                ("tooweak", "PROFILE TOO WEAK", RED)]):
        x, y = 260, i * 22
        canvas.centred_text(x, y, x + 220, y + 18, phrase, colour, 1)
        CELLS["status_" + name] = (x, y, 220, 18)
    # The analyze and back buttons, at rest and under the pointer.
    for column, (face, ink) in enumerate([(FACE, TEXT), (FACE_OVER, AMBER)]):
        state = "no"[column]
        x, y = column * 120, 140
        canvas.rounded(x, y, x + 110, y + 30, 5, RIM)
        canvas.rounded(x + 1, y + 1, x + 109, y + 29, 4, face)
        canvas.centred_text(x, y, x + 110, y + 30, "ANALYZE", ink)
        CELLS["analyze_" + state] = (x, y, 110, 30)
        x, y = 240 + column * 90, 140
        canvas.rounded(x, y, x + 80, y + 26, 5, RIM)
        canvas.rounded(x + 1, y + 1, x + 79, y + 25, 4, face)
        canvas.centred_text(x, y, x + 80, y + 26, "BACK", ink)
        CELLS["back_" + state] = (x, y, 80, 26)
    return canvas


def sprite_lines(indent, ident, cell, place, texture="prof_ui.tga"):
    pad = "\t" * indent
    return [pad + "id=" + ident, pad + "texture=" + texture, pad + "texturecoords=" + coords(cell),
            pad + "position=%d|%d" % place]


def button_lines(indent, ident, place, name, texture):
    pad = "\t" * indent
    lines = [pad + "id=" + ident, pad + "position=%d|%d" % place, pad + "states"]
    for state in "no":
        lines += [pad + "\t" + state, pad + "\t\tid=%s_%s" % (ident, state), pad + "\t\tstatetype=" + state,
                  pad + "\t\tobjecttype=sprite", pad + "\t\ttexture=" + texture,
                  pad + "\t\ttexturecoords=" + coords(CELLS["%s_%s" % (name, state)])]
    return lines


def layout():
    lines = [
        "// The profiling computer (MGProfilingComputer); pictures under",
        "// //textures/profiler but for the back button's, under //textures. Made",
        "// by tools/make_profiler.py.",
        "groups",
        "\tg01-background",
        "\t\tid=background",
        "\t\tsprites",
        "\t\t\tscreen",
        "\t\t\t\tid=screen",
        "\t\t\t\ttexture=prof_bg.tga",
        "\tg02-backbutton",
    ]
    lines += button_lines(2, "back_btn", BACK_PLACE, "back", "profiler/prof_ui.tga")
    lines.append("\tg03-profile_strength")
    for level in range(5):
        lines.append("\t\tlevel%d" % level)
        lines += sprite_lines(3, "strength%d" % level, CELLS["strength_%d" % level], STRENGTH_PLACE)
    lines += ["\tg04-buttons", "\t\tbuttons", "\t\t\tanalyze"]
    lines += button_lines(4, "analyze", ANALYZE_PLACE, "analyze", "prof_ui.tga")
    lines.append("\tg05-item_slots")
    for row in range(12):
        lines.append("\t\trow%02d" % row)
        lines += sprite_lines(3, "row%02d" % row, CELLS["row"], row_place(row))
    for group, kind, dy in (("g06-headers", "heading", 2), ("g07-entries", "entry", 24)):
        lines.append("\t" + group)
        for row in range(12):
            x, y = row_place(row)
            lines += ["\t\t%s%02d" % (kind, row), "\t\t\tid=%s%02d" % (kind, row),
                      "\t\t\tposition=%d|%d" % (x + 96, y + dy)]
    lines += ["\tg08-status_phrases"]
    for key, name in (("s01", "nonew"), ("s02", "analyzing"), ("s04", "tooweak")):
        lines.append("\t\t" + key)
        lines += sprite_lines(3, "status_" + name, CELLS["status_" + name], STATUS_PLACE)
    return "\n".join(lines) + "\n"


def profile_data():
    lines = ["// The offender profile per case: three parts of up to four entries, each",
             "// keyed by the item whose analysis explains it. Made by tools/make_profiler.py.",
             "case01"]
    for part in PARTS:
        lines.append("\t" + part)
        for key, heading, text in PROFILE[part]:
            lines += ["\t\t" + key, "\t\t\theading=" + heading, "\t\t\ttext=" + text]
    return "\n".join(lines) + "\n"


def profile_match():
    lines = ["// How each suspect fits the profile: the first entry whose depend holds",
             "// (a script, or an event id) gives the fit in percent. Made by",
             "// tools/make_profiler.py.",
             "case01"]
    for suspect, entries in MATCHES.items():
        lines.append("\t" + suspect)
        for number, (depend, viability, done) in enumerate(entries, 1):
            lines += ["\t\te%d" % number, "\t\t\tdepend=" + depend, "\t\t\tviability=%d" % viability]
            if done:
                lines.append("\t\t\tdoneevent=" + done)
    return "\n".join(lines) + "\n"


def mp2(path, samples, rate=22050):
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "sound.wav")
        with wave.open(source, "wb") as out:
            out.setnchannels(1)
            out.setsampwidth(2)
            out.setframerate(rate)
            out.writeframes(b"".join(struct.pack("<h", round(max(-1.0, min(1.0, s)) * 32767)) for s in samples))
        subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-i", source, "-ac", "1", "-ar",
                        str(rate), "-c:a", "mp2", "-b:a", "64k", "-fflags", "+bitexact", path], check=True)


def analyze_sound(rate=22050):
    samples = []
    for i in range(int(1.6 * rate)):
        t = i / rate
        frequency = 700.0 + 250.0 * math.sin(2.0 * math.pi * 6.0 * t)
        envelope = min(1.0, t / 0.05) * min(1.0, (1.6 - t) / 0.1)
        samples.append(0.25 * envelope * math.sin(2.0 * math.pi * frequency * t))
    return samples


def match_sound(rate=22050):
    samples = [0.0] * int(0.6 * rate)
    for start, frequency in ((0.0, 880.0), (0.2, 1318.5)):
        first = int(start * rate)
        for i in range(int(0.35 * rate)):
            t = i / rate
            level = 0.3 * min(1.0, t / 0.005) * math.exp(-8.0 * t)
            samples[first + i] += level * math.sin(2.0 * math.pi * frequency * t)
    return samples


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb" if isinstance(data, bytes) else "w") as out:
        out.write(data)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    profiler = os.path.join(data, "textures", "profiler")
    write(os.path.join(profiler, "prof_bg.tga"), make_background().tga())
    write(os.path.join(profiler, "prof_ui.tga"), make_ui().tga())
    write(os.path.join(profiler, "profiler_layout.txt"), layout())
    write(os.path.join(profiler, "profile_data.txt"), profile_data())
    write(os.path.join(profiler, "profile_match.txt"), profile_match())
    mp2(os.path.join(data, "sounds", "analyze.mp2"), analyze_sound())
    mp2(os.path.join(data, "sounds", "match.mp2"), match_sound())


if __name__ == "__main__":
    main()
