#!/usr/bin/env python3
"""Writes the sample data of five puzzles under data/textures/puzzles/: each
puzzle's layout file and its pictures (32-bit run-length TGA, text set in
the game's own fonts), the shared back button, the subtitle box's
background data/textures/subtitleBG.tga, and the puzzles' voice-over texts
in data/scenes/vo_subtitles.txt (other keys of that file are kept).

    cigar_bands/  a cigar band torn into five pieces (piece1 to piece5, the
                  reference first) among seven loose bands (piece6 to
                  piece12); "solution" places pieces 2 to 5 in a row
    keypad/       keys 0 to 9, A, B, clear and enter, and a seven-digit
                  display with a sprite per position and key
    sliderbox/    two horizontal bars and one vertical bar
    floorsafe/    five cubes with every face, roll picture and indicator
    pobox/        four dials

Texture ids are global (a texture is filed under its name), so every picture
has a name of its own. The back button is built once the texture root is
back on "//textures", so its pictures are named from there.

    tools/make_puzzles.py [data folder]

tools/make_puzzle_sounds.py speaks the lines into data/sounds/.
"""
import math
import os
import sys

from puzzle_art import Canvas, Font, bgra

LINES = {
    "hi02_rg": "Hint: drag the torn pieces of the band together. The lettering shows how they line up.",
    "1cn05_rg": "A cigar band, torn to pieces. Put back together, it may tell me where it came from.",
    "1cn05a_rg": "There. The band reads Castillo Reserva. That one goes in my notes.",
    "hi04_rg": "Hint: seven digits open the door. Press enter when they are in, and clear to start again.",
    "2ls08_rg": "A keypad lock with seven digits. Somebody must have written them down.",
    "hi07_rg": "Hint: every bar has one stop where it belongs. The box opens when all of them are there.",
    "2st14_rg": "A lock box held shut by sliding bars.",
    "hi03_rg": "Hint: each arrow rolls its cube, and some of the neighbours roll with it.",
    "1ca11_rg": "A safe in the floor, locked by five number cubes.",
}

TITLE = Font("frizquadrata24", 30)
TEXT = Font("TW_CEN_MT16", 20)
SMALL = Font("cenmt12white", 15)

WHITE = bgra(255, 255, 255)
INK = bgra(30, 24, 20)


# --- layout files ----------------------------------------------------------

def emit(items, depth=0):
    out = []
    for key, value in items:
        if isinstance(value, list):
            out.append("\t" * depth + key)
            out.extend(emit(value, depth + 1))
        else:
            out.append("\t" * depth + "%s=%s" % (key, value))
    return out


def write_layout(path, comment, items):
    lines = ["// " + line for line in comment.strip().splitlines()]
    lines += ["// Written by tools/make_puzzles.py."] + emit(items)
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def xy(x, y):
    return "%g|%g" % (x, y)


def sprite(id_, texture, position=None, extra=()):
    items = [("id", id_), ("texture", texture)]
    if position is not None:
        items.append(("position", xy(*position)))
    items.extend(extra)
    return items


def button(id_, position, normal, over, z=None):
    items = [("id", id_), ("position", xy(*position))]
    if z is not None:
        items.append(("relativez", z))
    items.append(("states", [
        ("rest", [("id", id_ + "_n"), ("statetype", "n"), ("objecttype", "sprite"), ("texture", normal)]),
        ("over", [("id", id_ + "_o"), ("statetype", "o"), ("objecttype", "sprite"), ("texture", over)]),
    ]))
    return items


BACK_N = "puzzles/back_n.tga"
BACK_O = "puzzles/back_o.tga"


def back_button(position=(20, 548)):
    return button("back_btn", position, BACK_N, BACK_O, z=50)


# --- pictures --------------------------------------------------------------

def plate(width, height, face, rim, label=None, font=TEXT, ink=WHITE, scale=1):
    canvas = Canvas(width, height, face)
    canvas.frame(0, 0, width, height, rim, 2)
    if label:
        canvas.centred_text(width / 2, height / 2, label, font, ink, scale)
    return canvas


def arrow(size, direction, face, tip):
    canvas = plate(size, size, face, bgra(20, 20, 20))
    m, c = size * 0.2, size / 2
    points = {
        "up": [(c, m), (size - m, size - m), (m, size - m)],
        "down": [(m, m), (size - m, m), (c, size - m)],
        "left": [(m, c), (size - m, m), (size - m, size - m)],
        "right": [(m, m), (size - m, c), (m, size - m)],
    }[direction]
    canvas.triangle(points, tip)
    return canvas


def backdrop(width, height, top, bottom, paint=None):
    """A vertical gradient, drawn by paint(canvas) on top; shown at four times its size."""
    canvas = Canvas(width, height)
    for y in range(height):
        t = y / (height - 1)
        canvas.fill(0, y, width, y + 1, tuple(round(top[i] + (bottom[i] - top[i]) * t) for i in range(3)) + (255,))
    if paint:
        paint(canvas)
    return canvas


def title(text, width=560):
    canvas = Canvas(width, 34)
    canvas.centred_text(width / 2, 17, text, TITLE, bgra(240, 226, 190))
    return canvas


# --- the puzzles -----------------------------------------------------------

def cigar_bands(folder):
    def felt(c):
        c.frame(0, 0, 200, 150, bgra(70, 44, 24), 6)
        c.frame(6, 6, 194, 144, bgra(16, 60, 36), 1)
    backdrop(200, 150, bgra(28, 96, 58), bgra(14, 62, 36), felt).write(os.path.join(folder, "cigar_bg.tga"))
    title("Put the cigar band back together").write(os.path.join(folder, "cigar_title.tga"))

    # The band: 300 x 64, gold with red rims and the maker's name, cut into five.
    band = Canvas(300, 64, bgra(214, 170, 60))
    band.fill(0, 0, 300, 7, bgra(150, 30, 30))
    band.fill(0, 57, 300, 64, bgra(150, 30, 30))
    band.fill(0, 9, 300, 11, bgra(120, 80, 20))
    band.fill(0, 53, 300, 55, bgra(120, 80, 20))
    # The letters spread over the whole band, so every piece carries some.
    for i, letter in enumerate("CASTILLO"):
        band.centred_text(19 + i * 37.5, 27, letter, TITLE, bgra(120, 20, 20))
    for i, letter in enumerate("RESERVA HABANA"):
        band.centred_text(12 + i * 21.2, 45, letter, SMALL, bgra(60, 30, 10))
    for i in range(5):
        piece = Canvas(60, 64)
        for y in range(64):
            piece.pixels[y] = band.pixels[y][i * 60:(i + 1) * 60]
        piece.frame(0, 0, 60, 64, bgra(100, 70, 20, 160), 1)
        piece.write(os.path.join(folder, "cigar_piece%d.tga" % (i + 1)))
    # Loose bands of other cigars.
    loose = [
        ((40, 70, 140), (200, 200, 220), "LA"),
        ((90, 50, 30), (230, 200, 150), "ROY"),
        ((230, 230, 220), (40, 40, 120), "AL"),
        ((40, 70, 140), (200, 200, 220), "ZA"),
        ((120, 20, 40), (240, 210, 120), "DON"),
        ((90, 50, 30), (230, 200, 150), "EL"),
        ((230, 230, 220), (40, 40, 120), "X"),
    ]
    for n, (face, ink, text) in enumerate(loose, start=6):
        canvas = plate(60, 64, bgra(*face), bgra(*ink))
        canvas.fill(0, 10, 60, 12, bgra(*ink))
        canvas.fill(0, 52, 60, 54, bgra(*ink))
        canvas.centred_text(30, 32, text, TEXT, bgra(*ink))
        canvas.write(os.path.join(folder, "cigar_piece%d.tga" % n))

    positions = [(90, 120), (520, 380), (250, 420), (600, 140), (380, 250),
                 (160, 300), (450, 110), (660, 300), (300, 140), (100, 430), (560, 470), (420, 450)]
    # Pieces 2 and 4 take clicks on a torn outline instead of their whole picture.
    polygons = {2: "2|0|58|3|60|60|30|64|0|61", 4: "0|2|60|0|57|64|3|62"}
    groups = [
        ("g01-background", [("id", "cigarband_puzzle"), ("sprites", [
            ("background", sprite("background", "cigar_bg.tga", extra=[("scale", "4|4")])),
            ("title", sprite("title", "cigar_title.tga", (120, 18), [("relativez", 1)])),
        ])]),
        ("g02-backbutton", back_button()),
    ]
    for n, (x, y) in enumerate(positions, start=1):
        entry = [("id", "piece%d" % n), ("x", x), ("y", y), ("z", 500 - 5 * (n - 1))]
        if n in polygons:
            entry.append(("polygon", polygons[n]))
        entry.append(("sprite", sprite("band", "cigar_piece%d.tga" % n)))
        groups.append(("piece%d" % n, entry))
    write_layout(os.path.join(folder, "puzzle_cigarband_layout.txt"), """
The cigar band puzzle: "groups" holds the background, the back button and
the pieces (on easy only the first five pieces are built). "solution" gives
each piece's offset from piece1, the reference.""", [
        ("groups", groups),
        ("solution", [("piece1", "0|0"), ("piece2", "60|0"), ("piece3", "120|0"), ("piece4", "180|0"),
                      ("piece5", "240|0")]),
    ])


KEY_IDS = ["1", "2", "3", "A", "4", "5", "6", "B", "7", "8", "9", "0"]
DISPLAY_KEYS = [str(d) for d in range(10)] + ["A", "B"]


def keypad(folder):
    def wall(c):
        c.fill(62, 22, 142, 120, bgra(120, 124, 130))
        c.frame(62, 22, 142, 120, bgra(60, 62, 66), 2)
    backdrop(200, 150, bgra(70, 60, 52), bgra(40, 34, 30), wall).write(os.path.join(folder, "keypad_bg.tga"))
    title("Enter the seven-digit code").write(os.path.join(folder, "keypad_title.tga"))
    window = Canvas(280, 60, bgra(10, 24, 12))
    window.frame(0, 0, 280, 60, bgra(30, 30, 34), 3)
    window.write(os.path.join(folder, "keypad_window.tga"))

    x0, y0, step = 260, 184, 72
    keys = []
    for i, key in enumerate(KEY_IDS):
        keys.append((key, x0 + (i % 4) * step, y0 + (i // 4) * step, 64))
    keys.append(("clear", x0, y0 + 3 * step, 136))
    keys.append(("enter", x0 + 2 * step, y0 + 3 * step, 136))
    labels = {"clear": "CLEAR", "enter": "ENTER"}
    background = [
        ("background", sprite("background", "keypad_bg.tga", extra=[("scale", "4|4")])),
        ("title", sprite("title", "keypad_title.tga", (120, 40), [("relativez", 1)])),
        ("window", sprite("window", "keypad_window.tga", (272, 106), [("relativez", 1)])),
    ]
    entries = []
    for key, x, y, width in keys:
        label = labels.get(key, key)
        face = {"clear": bgra(150, 60, 50), "enter": bgra(50, 120, 60)}.get(key, bgra(70, 72, 78))
        plate(width, 64, face, bgra(30, 30, 34), label, TEXT if len(label) > 1 else TITLE).write(
            os.path.join(folder, "keypad_key_%s.tga" % key))
        plate(width, 64, bgra(250, 200, 90), bgra(30, 30, 34), label, TEXT if len(label) > 1 else TITLE,
              INK).write(os.path.join(folder, "keypad_pressed_%s.tga" % key))
        background.append(("key_" + key, sprite("key_" + key, "keypad_key_%s.tga" % key, (x, y),
                                                [("relativez", 2)])))
        area = "|".join("%d|%d" % p for p in [(x, y), (x + width - 1, y), (x + width - 1, y + 63), (x, y + 63)])
        entries.append(("key_" + key, [
            ("id", key), ("position", xy(x, y)), ("activearea", area),
            ("sprite", sprite("pressed", "keypad_pressed_%s.tga" % key)),
        ]))
    for key in DISPLAY_KEYS:
        digit = Canvas(32, 44)
        digit.centred_text(16, 22, key, TITLE, bgra(90, 255, 120))
        digit.write(os.path.join(folder, "keypad_dsp_%s.tga" % key))
    display = []
    for position in range(1, 8):
        for key in DISPLAY_KEYS:
            id_ = "dsp_0%d_%s" % (position, key)
            display.append((id_, sprite(id_, "keypad_dsp_%s.tga" % key, (280 + (position - 1) * 38, 114))))
    write_layout(os.path.join(folder, "keypad_layout.txt"), """
The combination lock: the keys' faces in the background group, each key's
pressed look, press area (screen coordinates) and id in "g03-buttons", and
one display sprite per position (1 to 7) and key in "g04-display".""", [
        ("groups", [
            ("g01-background", [("id", "background"), ("sprites", background)]),
            ("g02-backbutton", back_button()),
            ("g03-buttons", [("buttons", entries)]),
            ("g04-display", [("sprites", display)]),
        ]),
    ])


def sliderbox(folder):
    def box(c):
        # The box body over the top left of the screen, the bars' grooves in it.
        c.fill(0, 10, 100, 92, bgra(110, 70, 36))
        c.frame(0, 10, 100, 92, bgra(60, 36, 16), 2)
        c.fill(3, 26, 63, 36, bgra(50, 30, 14))
        c.fill(3, 56, 63, 66, bgra(50, 30, 14))
        c.fill(73, 22, 81, 82, bgra(50, 30, 14))
    backdrop(200, 150, bgra(40, 46, 60), bgra(20, 22, 30), box).write(os.path.join(folder, "slide_bg.tga"))
    title("Slide every bar to its place", 360).write(os.path.join(folder, "slide_title.tga"))
    plate(120, 24, bgra(200, 180, 120), bgra(90, 70, 30), "BAR", SMALL, INK).write(
        os.path.join(folder, "slide_hbar.tga"))
    plate(24, 120, bgra(200, 180, 120), bgra(90, 70, 30)).write(os.path.join(folder, "slide_vbar.tga"))
    for direction in ("up", "down", "left", "right"):
        arrow(24, direction, bgra(70, 72, 78), bgra(230, 230, 230)).write(
            os.path.join(folder, "slide_%s_n.tga" % direction))
        arrow(24, direction, bgra(250, 200, 90), INK).write(os.path.join(folder, "slide_%s_o.tga" % direction))

    def bar(id_, kind, position, solved):
        if kind == "horizontal":
            picture, arrows = "slide_hbar.tga", [("left", (-30, 0)), ("right", (126, 0))]
        else:
            picture, arrows = "slide_vbar.tga", [("up", (0, -30)), ("down", (0, 126))]
        return (id_, [
            ("id", id_), ("type", kind), ("position", xy(*position)), ("solved", solved),
            ("sprites", [("bar", sprite("bar", picture))]),
            ("buttons", [(name, button(name, at, "slide_%s_n.tga" % name, "slide_%s_o.tga" % name))
                         for name, at in arrows]),
        ])

    write_layout(os.path.join(folder, "lockbox_puzzle_layout.txt"), """
The slide box: the bars start at stop 1 (x 56 for a horizontal bar, y 139
for a vertical one); "solved" is the stop each must reach.""", [
        ("groups", [
            ("g01-background", [("id", "background"), ("sprites", [
                ("background", sprite("background", "slide_bg.tga", extra=[("scale", "4|4")])),
                ("title", sprite("title", "slide_title.tga", (420, 60), [("relativez", 1)])),
            ])]),
            ("g02-backbutton", back_button()),
            ("g03-pieces", [
                bar("bar1", "horizontal", (56, 110), 0),
                bar("bar2", "horizontal", (56, 230), 2),
                bar("bar3", "Vertical", (300, 139), 0),
            ]),
        ]),
    ])


FACES = range(1, 7)
OPPOSITE = {1: 3, 3: 1, 2: 4, 4: 2, 5: 6, 6: 5}


def floorsafe(folder):
    def floor(c):
        c.fill(20, 40, 180, 110, bgra(90, 94, 100))
        c.frame(20, 40, 180, 110, bgra(40, 42, 46), 2)
    backdrop(200, 150, bgra(92, 88, 80), bgra(58, 56, 52), floor).write(os.path.join(folder, "safe_bg.tga"))
    title("Roll the cubes to open the safe").write(os.path.join(folder, "safe_title.tga"))
    face_colour, rim = bgra(236, 232, 220), bgra(40, 40, 44)
    for n in FACES:
        plate(80, 80, face_colour, rim, str(n), TITLE, INK, 2).write(os.path.join(folder, "safe_face_%d.tga" % n))
        tile = plate(16, 16, bgra(250, 220, 120), bgra(60, 50, 20))
        tile.centred_text(8, 8, str(n), SMALL, INK)
        tile.write(os.path.join(folder, "safe_ind_%d.tga" % n))
    pairs = [(a, b) for a in FACES for b in FACES if a != b and OPPOSITE[a] != b]
    for a, b in pairs:
        # Half a cube turned: the leaving number and the coming one.
        vertical = plate(80, 80, face_colour, rim)
        vertical.fill(2, 39, 78, 41, rim)
        vertical.centred_text(40, 20, str(a), TITLE, INK)
        vertical.centred_text(40, 60, str(b), TITLE, INK)
        vertical.write(os.path.join(folder, "safe_roll_%d_%d_v.tga" % (a, b)))
        horizontal = plate(80, 80, face_colour, rim)
        horizontal.fill(39, 2, 41, 78, rim)
        horizontal.centred_text(20, 40, str(a), TITLE, INK)
        horizontal.centred_text(60, 40, str(b), TITLE, INK)
        horizontal.write(os.path.join(folder, "safe_roll_%d_%d_h.tga" % (a, b)))
    for direction in ("up", "down", "left", "right"):
        arrow(24, direction, bgra(60, 64, 70), bgra(230, 230, 230)).write(
            os.path.join(folder, "safe_%s_n.tga" % direction))
        arrow(24, direction, bgra(250, 200, 90), INK).write(os.path.join(folder, "safe_%s_o.tga" % direction))

    cubes = []
    for i in range(5):
        x, y = 70 + 140 * i, 240
        states = [(str(n), sprite(str(n), "safe_face_%d.tga" % n, (x, y), [("visible", "false")])) for n in FACES]
        for a, b in pairs:
            for kind in ("v", "h"):
                id_ = "%d_%d_%s" % (a, b, kind)
                states.append((id_, sprite(id_, "safe_roll_%s.tga" % id_, (x, y), [("visible", "false")])))
        sides = {"north": (x + 32, y - 20), "east": (x + 84, y + 32), "south": (x + 32, y + 84),
                 "west": (x - 20, y + 32)}
        indicators = [(side, [("id", side), ("position", xy(*at)), ("sprites", [
            ("ind_%d" % n, sprite("ind_%d" % n, "safe_ind_%d.tga" % n, extra=[("visible", "false")]))
            for n in FACES])]) for side, at in sides.items()]
        # Up above the face; left, down and right in a row below it.
        arrows = {"up": (x + 28, y - 50), "down": (x + 28, y + 106), "left": (x - 4, y + 106),
                  "right": (x + 60, y + 106)}
        cubes.append(("cube%d" % (i + 1), [
            ("id", "cube%d" % (i + 1)),
            ("buttons", [(name, button(name, at, "safe_%s_n.tga" % name, "safe_%s_o.tga" % name))
                         for name, at in arrows.items()]),
            ("states", states),
            ("indicators", indicators),
        ]))
    write_layout(os.path.join(folder, "floorsafe_puzzle_layout.txt"), """
The floor safe: five cubes, each with its four arrows, a sprite per face
("1" to "6") and per roll picture ("a_b_v", "a_b_h"), and the indicator
groups around the top face. Every cube stands where its sprites are placed.""", [
        ("groups", [
            ("g01-background", [("id", "background"), ("sprites", [
                ("background", sprite("background", "safe_bg.tga", extra=[("scale", "4|4")])),
                ("title", sprite("title", "safe_title.tga", (120, 60), [("relativez", 1)])),
            ])]),
            ("g02-backbutton", back_button()),
            ("g03-cubes", cubes),
        ]),
    ])


def pobox(folder):
    dial_x = [190 + 110 * i for i in range(4)]

    def door(c):
        c.fill(36, 40, 164, 110, bgra(176, 140, 70))
        c.frame(36, 40, 164, 110, bgra(110, 80, 30), 2)
        for x in dial_x:
            cx = (x + 48) / 4
            c.triangle([(cx - 3, 53), (cx + 3, 53), (cx, 58)], bgra(120, 20, 20))
    backdrop(200, 150, bgra(60, 52, 44), bgra(30, 26, 22), door).write(os.path.join(folder, "pobox_bg.tga"))
    face = Canvas(96, 96)
    face.disc(48, 48, 47, bgra(60, 50, 40))
    face.disc(48, 48, 44, bgra(210, 200, 170))
    face.disc(48, 48, 10, bgra(120, 100, 60))
    for digit in range(10):
        angle = math.radians(36 * digit)
        face.centred_text(48 - 32 * math.sin(angle), 48 - 32 * math.cos(angle), str(digit), TEXT, INK)
    face.write(os.path.join(folder, "pobox_dial.tga"))
    plate(48, 24, bgra(70, 72, 78), bgra(30, 30, 34), "TURN", SMALL).write(os.path.join(folder, "pobox_turn_n.tga"))
    plate(48, 24, bgra(250, 200, 90), bgra(30, 30, 34), "TURN", SMALL, INK).write(
        os.path.join(folder, "pobox_turn_o.tga"))
    dials = [("dial%d" % (i + 1), [
        ("id", "dial%d" % (i + 1)), ("position", xy(x, 240)),
        ("sprite", sprite("face", "pobox_dial.tga", (48, 48), [("center", "48|48")])),
        ("button", button("turn", (24, 104), "pobox_turn_n.tga", "pobox_turn_o.tga")),
    ]) for i, x in enumerate(dial_x)]
    write_layout(os.path.join(folder, "POBox_layout.txt"), """
The PO box lock: four dials, each face turned so that its digit stands under
the pointer, and a button below it that turns it.""", [
        ("g01-background", sprite("background", "pobox_bg.tga", extra=[("scale", "4|4")])),
        ("g02-dials", dials),
        ("backbutton", back_button()),
    ])


def subtitle_background(path):
    Canvas(16, 16, bgra(0, 0, 0)).write(path)


def update_subtitles(path, texts=None):
    """Sets the keys of texts (this tool's lines unless given) in the
    voice-over subtitle file, keeping the rest."""
    texts = LINES if texts is None else texts
    lines = []
    if os.path.exists(path):
        with open(path) as source:
            lines = source.read().splitlines()
    else:
        lines = ["// The voice-over subtitles: voice line name = its text."]
    seen = set()
    for i, line in enumerate(lines):
        key = line.split("=", 1)[0]
        if "=" in line and key in texts:
            lines[i] = "%s=%s" % (key, texts[key])
            seen.add(key)
    lines += ["%s=%s" % (key, text) for key, text in texts.items() if key not in seen]
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                              "data")
    puzzles = os.path.join(data, "textures", "puzzles")
    os.makedirs(puzzles, exist_ok=True)
    plate(100, 36, bgra(60, 60, 66), bgra(20, 20, 22), "BACK", TEXT).write(os.path.join(puzzles, "back_n.tga"))
    plate(100, 36, bgra(250, 200, 90), bgra(20, 20, 22), "BACK", TEXT, INK).write(os.path.join(puzzles, "back_o.tga"))
    for name, make in [("cigar_bands", cigar_bands), ("keypad", keypad), ("sliderbox", sliderbox),
                       ("floorsafe", floorsafe), ("pobox", pobox)]:
        folder = os.path.join(puzzles, name)
        os.makedirs(folder, exist_ok=True)
        make(folder)
    subtitle_background(os.path.join(data, "textures", "subtitleBG.tga"))
    os.makedirs(os.path.join(data, "scenes"), exist_ok=True)
    update_subtitles(os.path.join(data, "scenes", "vo_subtitles.txt"))


if __name__ == "__main__":
    main()
