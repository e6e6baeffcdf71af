#!/usr/bin/env python3
"""Writes the sample data of six more puzzles under data/textures/puzzles/
(and the record search's monitor under data/textures/expertcomputer/), in
the style of tools/make_puzzles.py, whose layout and drawing helpers it
uses, and adds their voice-over texts to data/scenes/vo_subtitles.txt
(other keys of that file are kept):

    dravobox/             a picture cut into 25 tiles, twice: the hard
                          picture and, for easy and medium, the same with
                          the tiles' numbers; the board's grid places
    roomservice_receipt/  a room service receipt torn into six fragments,
                          each with its outline, centre and offset from the
                          first
    baseball_bat/         a bat broken into seven fragments, each drawn in
                          four rotations with its outline and offset from
                          piece1; piece4's splinter lies over piece3
    harppuzzle/           the harp with its twenty strings, the highlights
                          of every string in three colours, the strings'
                          outlines, the start button and its lamp (the notes
                          come from tools/make_more_puzzle_sounds.py)
    velmire/              the record search form (easy and hard), its field
                          carets and field button
    surveillance_tapes/   the tape viewer: six tapes of three layers, the
                          switch pictures, arrows, indicator and dialog

Texture ids are global (a texture is filed under its name), so every picture
has a name of its own: dravo_, rs_, bat_, harp_, velmire_ and tape_.

    tools/make_more_puzzles.py [data folder]
"""
import math
import os
import random
import sys

from make_puzzles import (INK, SMALL, TEXT, TITLE, WHITE, arrow, back_button, backdrop, button, emit, plate,
                          sprite, title, update_subtitles, xy)
from puzzle_art import Canvas, bgra

LINES = {
    "2ls16_rg": "A wooden box with a sliding picture on its lid. The tiles are all mixed up.",
    "hi10_rg": "Hint: slide the numbered tiles into order, one to twenty-five, through the free notches.",
    "hi13_rg": "Hint: match the torn edges. Each piece has one place where it fits.",
    "2st07_rg": "A room service receipt, torn to pieces. Let's see what was ordered.",
    "3wh02_rg": "The bat, whole again. There is blood on the barrel.",
    "2sh01_rg": "A harp. Press start, listen, and play the notes back.",
    "hi12_rg": "Hint: play the strings in the order they light up.",
    "2re22_le": "The records office search. Type the surname into the fields.",
    "2re22c_le": "Eight letters. Think of the name on the roster.",
    "hi11_rg": "Hint: click a field first, then type a letter.",
    "2re22a_le": "Quentaro. Here is the file. I will put it on your PDA.",
    "4re31_le": "That's him on tape six. Good tracking, detective.",
}

SEED = 57


def write_layout(path, comment, items):
    lines = ["// " + line for line in comment.strip().splitlines()]
    lines += ["// Written by tools/make_more_puzzles.py."] + emit(items)
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def numbers(values):
    return "|".join("%g" % v for v in values)


def points(pairs):
    return numbers([c for pair in pairs for c in pair])


def inside(polygon, x, y):
    """Even-odd test of the point against the closed polygon."""
    result = False
    count = len(polygon)
    for i in range(count):
        ax, ay = polygon[i - 1]
        bx, by = polygon[i]
        if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
            result = not result
    return result


def cut_out(source, polygon, extra=None):
    """The pixels of source inside the polygon (or the extra polygon), on a
    canvas of their bounding box; (canvas, left, top)."""
    shapes = [polygon] + ([extra] if extra else [])
    xs = [p[0] for s in shapes for p in s]
    ys = [p[1] for s in shapes for p in s]
    left, top = max(0, math.floor(min(xs))), max(0, math.floor(min(ys)))
    right, bottom = min(source.width, math.ceil(max(xs))), min(source.height, math.ceil(max(ys)))
    piece = Canvas(right - left, bottom - top)
    for y in range(top, bottom):
        for x in range(left, right):
            colour = source.pixels[y][x]
            if colour[3] and any(inside(s, x + 0.5, y + 0.5) for s in shapes):
                piece.pixels[y - top][x - left] = colour
    return piece, left, top


# --- the Dravo box ---------------------------------------------------------

TILE = 64
BOARD_X, BOARD_Y = 176, 50


def dravo_picture(with_numbers):
    """A compass rose on a tiled ground, 320 x 320; with the tiles' numbers."""
    size = 5 * TILE
    canvas = Canvas(size, size, bgra(40, 58, 92))
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - size / 2 + 0.5, y - size / 2 + 0.5)
            band = int(d / 18)
            if band % 2 and d < 150:
                canvas.pixels[y][x] = bgra(58, 82, 124)
    canvas.ring(160, 160, 128, 136, bgra(214, 170, 60))
    canvas.ring(160, 160, 60, 64, bgra(214, 170, 60))
    for angle in range(0, 360, 45):
        length = 120 if angle % 90 == 0 else 80
        a = math.radians(angle)
        tip = (160 + length * math.sin(a), 160 - length * math.cos(a))
        left = (160 + 16 * math.sin(a - math.pi / 2), 160 - 16 * math.cos(a - math.pi / 2))
        right = (160 + 16 * math.sin(a + math.pi / 2), 160 - 16 * math.cos(a + math.pi / 2))
        canvas.triangle([tip, left, (160, 160)], bgra(236, 226, 200))
        canvas.triangle([tip, right, (160, 160)], bgra(150, 40, 40))
    canvas.disc(160, 160, 12, bgra(214, 170, 60))
    for letter, (x, y) in zip("NESW", [(160, 14), (306, 160), (160, 306), (14, 160)]):
        canvas.centred_text(x, y, letter, TITLE, bgra(240, 226, 190))
    canvas.centred_text(248, 40, "DRAVO", TEXT, bgra(240, 226, 190))
    for n in range(25):
        x0, y0 = (n % 5) * TILE, (n // 5) * TILE
        canvas.frame(x0, y0, x0 + TILE, y0 + TILE, bgra(20, 20, 24, 160), 1)
        if with_numbers:
            canvas.fill(x0 + 4, y0 + 4, x0 + 28, y0 + 24, bgra(250, 240, 210, 220))
            canvas.centred_text(x0 + 16, y0 + 14, str(n + 1), SMALL, INK)
    return canvas


def dravobox(folder):
    def lid(c):
        # The board in quarter pixels: the ring of blocked cells in wood,
        # the four notches and the middle sunk in.
        left, top, cell = BOARD_X // 4, BOARD_Y // 4, TILE // 4
        c.fill(left - 4, top - 4, left + 7 * cell + 4, top + 7 * cell + 4, bgra(70, 40, 20))
        c.fill(left, top, left + 7 * cell, top + 7 * cell, bgra(140, 92, 50))
        for r in range(7):
            for col in range(7):
                c.frame(left + col * cell, top + r * cell, left + (col + 1) * cell, top + (r + 1) * cell,
                        bgra(110, 70, 36), 1)
        c.fill(left + cell, top + cell, left + 6 * cell, top + 6 * cell, bgra(30, 20, 14))
        for r, col in [(0, 3), (3, 0), (3, 6), (6, 3)]:
            c.fill(left + col * cell + 1, top + r * cell + 1, left + (col + 1) * cell - 1,
                   top + (r + 1) * cell - 1, bgra(30, 20, 14))
    backdrop(200, 150, bgra(60, 44, 36), bgra(30, 22, 18), lid).write(os.path.join(folder, "dravo_bg.tga"))
    title("Slide the tiles back into the picture").write(os.path.join(folder, "dravo_title.tga"))
    dravo_picture(False).write(os.path.join(folder, "dravo_picture.tga"))
    dravo_picture(True).write(os.path.join(folder, "dravo_numbers.tga"))

    def tiles(picture):
        out = []
        for n in range(25):
            x0, y0 = (n % 5) * TILE, (n // 5) * TILE
            out.append(("tile%02d" % (n + 1), [
                ("id", "tile%02d" % (n + 1)), ("texture", picture),
                ("texturecoords", numbers([x0, y0, x0 + TILE - 1, y0 + TILE - 1])),
            ]))
        return out

    write_layout(os.path.join(folder, "dravo_layout.txt"), """
The Dravo box: a 7 x 7 board whose columns and rows stand at the places of
"g05-gridcoords"; the 25 tiles of "g03-pieces" (hard) or "g04-easypieces"
fill its middle in picture order, tile 1 at column 1, row 1.""", [
        ("groups", [
            ("g01-background", [("id", "background"), ("sprites", [
                ("background", sprite("background", "dravo_bg.tga", extra=[("scale", "4|4")])),
                ("title", sprite("title", "dravo_title.tga", (120, 8), [("relativez", 1)])),
            ])]),
            ("g02-backbutton", back_button()),
            ("g03-pieces", tiles("dravo_picture.tga")),
            ("g04-easypieces", tiles("dravo_numbers.tga")),
            ("g05-gridcoords", [
                ("columns", numbers([BOARD_X + TILE * c for c in range(7)])),
                ("rows", numbers([BOARD_Y + TILE * r for r in range(7)])),
            ]),
        ]),
    ])


# --- the room service receipt ----------------------------------------------

RECEIPT_W, RECEIPT_H = 240, 360


def receipt_picture():
    paper = Canvas(RECEIPT_W, RECEIPT_H, bgra(246, 242, 228))
    paper.frame(0, 0, RECEIPT_W, RECEIPT_H, bgra(200, 196, 180), 2)
    lines = [("HOTEL MARLOWE", TEXT, 20), ("ROOM SERVICE", TEXT, 46), ("Room 412   11/03  23:40", SMALL, 84)]
    for text, font, y in lines:
        paper.centred_text(RECEIPT_W / 2, y, text, font, INK)
    items = [("Club sandwich", "14.50"), ("Coffee, pot", "6.00"), ("Champagne", "58.00"), ("Two glasses", "0.00")]
    for i, (item, price) in enumerate(items):
        y = 126 + i * 34
        paper.text(16, y, item, TEXT, INK)
        paper.text(RECEIPT_W - 16 - int(TEXT.width(price)), y, price, TEXT, INK)
    paper.fill(16, 268, RECEIPT_W - 16, 270, INK)
    paper.text(16, 278, "TOTAL", TEXT, INK)
    paper.text(RECEIPT_W - 16 - int(TEXT.width("78.50")), 278, "78.50", TEXT, INK)
    paper.text(16, 318, "Signed: L. Varga", SMALL, bgra(30, 40, 140))
    return paper


def receipt_cuts(rng):
    """The torn lines: two across, one down, meeting at shared corners."""
    xs = [0, 40, 80, 120, 160, 200, 240]
    across = []
    for base in (120, 240):
        across.append([(x, base + (0 if x in (0, 240) else rng.randint(-9, 9))) for x in xs])
    middle = [across[0][3][1], across[1][3][1]]
    down = [(120, 0), (120 + rng.randint(-9, 9), 60), (120, middle[0]),
            (120 + rng.randint(-9, 9), (middle[0] + middle[1]) // 2), (120, middle[1]),
            (120 + rng.randint(-9, 9), 300), (120, RECEIPT_H)]
    return across, down


def receipt_fragments(across, down):
    """The outline of each fragment, row by row, the left one first. Every
    line across has a corner at x 120, where the line down meets it."""
    bands = [[(0, 0), (120, 0), (240, 0)], across[0], across[1],
             [(0, RECEIPT_H), (120, RECEIPT_H), (240, RECEIPT_H)]]
    joins = [down.index(band[len(band) // 2]) for band in bands]
    fragments = []
    for row in range(3):
        upper, lower = bands[row], bands[row + 1]
        middle = len(upper) // 2, len(lower) // 2
        split = down[joins[row] + 1:joins[row + 1]]
        fragments.append(upper[:middle[0] + 1] + split + list(reversed(lower[:middle[1] + 1])))
        fragments.append(upper[middle[0]:] + list(reversed(lower[middle[1]:])) + list(reversed(split)))
    return fragments


def roomservice(folder):
    backdrop(200, 150, bgra(88, 70, 60), bgra(48, 38, 32)).write(os.path.join(folder, "rs_bg.tga"))
    title("Piece the receipt together").write(os.path.join(folder, "rs_title.tga"))
    paper = receipt_picture()
    across, down = receipt_cuts(random.Random(SEED))
    groups = [
        ("g01-background", [("id", "background"), ("sprites", [
            ("background", sprite("background", "rs_bg.tga", extra=[("scale", "4|4")])),
            ("title", sprite("title", "rs_title.tga", (120, 14), [("relativez", 1)])),
        ])]),
        ("g02-backbutton", back_button()),
    ]
    reference = None
    for n, outline in enumerate(receipt_fragments(across, down), start=1):
        piece, left, top = cut_out(paper, outline)
        for y in range(piece.height):
            for x in range(piece.width):
                if piece.pixels[y][x][3] and not all(
                        inside(outline, left + x + dx + 0.5, top + y + dy + 0.5) for dx, dy in
                        ((-1, 0), (1, 0), (0, -1), (0, 1))):
                    piece.pixels[y][x] = bgra(170, 160, 140)
        piece.write(os.path.join(folder, "rs_piece%d.tga" % n))
        centre = (piece.width // 2, piece.height // 2)
        middle = (left + centre[0], top + centre[1])
        reference = reference or middle
        groups.append(("piece%d" % n, [
            ("id", "piece%d" % n), ("center", xy(*centre)),
            ("solved", xy(middle[0] - reference[0], middle[1] - reference[1])),
            ("polygon", points([(x - left, y - top) for x, y in outline])),
            ("sprite", sprite("fragment", "rs_piece%d.tga" % n)),
        ]))
    write_layout(os.path.join(folder, "receipt_layout.txt"), """
The room service receipt: after the background and the back button, every
entry of "groups" is a fragment: its outline, its centre (the middle of its
picture) and "solved", the offset of its centre from the first fragment's in
the whole receipt.""", [("groups", groups)])


# --- the baseball bat ------------------------------------------------------

BAT_W, BAT_H = 560, 72
BAT_CUTS = [80, 160, 240, 320, 400, 480]
# piece4's splinter runs over the end of piece3.
SPLINTER = [(240, 26), (222, 34), (240, 44)]


def bat_picture():
    bat = Canvas(BAT_W, BAT_H)
    for x in range(BAT_W):
        t = min(1.0, max(0.0, (x - 170) / 300.0))
        half = 9 + 25 * (3 * t * t - 2 * t * t * t)
        if x < 14:
            half = 15
        top, bottom = BAT_H / 2 - half, BAT_H / 2 + half
        for y in range(BAT_H):
            if top <= y + 0.5 <= bottom:
                grain = 12 if (y + x // 40) % 7 == 0 else 0
                bat.pixels[y][x] = bgra(196 - grain, 150 - grain, 96 - grain)
    for x in range(180, 230):
        bat.put(x, 40, bgra(90, 60, 30))
    for x, y in ((430, 30), (440, 34), (452, 28), (470, 36)):
        bat.disc(x, y, 4, bgra(110, 20, 20))
    return bat


def bat_outlines(rng):
    cuts = [[(0, 0), (0, BAT_H)]]
    for x in BAT_CUTS:
        cuts.append([(x + (rng.randint(-6, 6) if 0 < y < BAT_H else 0), y) for y in range(0, BAT_H + 1, 12)])
    cuts.append([(BAT_W, 0), (BAT_W, BAT_H)])
    return [cuts[i] + list(reversed(cuts[i + 1])) for i in range(7)]


def turned(point, k, width=BAT_W, height=BAT_H):
    """The point turned k quarter turns clockwise on the screen, the bat kept at the origin."""
    x, y = point
    for _ in range(k):
        x, y = height - y, x
        width, height = height, width
    return x, y


def turn_canvas(canvas, k):
    out = canvas
    for _ in range(k):
        turned_canvas = Canvas(out.height, out.width)
        for y in range(out.height):
            for x in range(out.width):
                turned_canvas.pixels[x][out.height - 1 - y] = out.pixels[y][x]
        out = turned_canvas
    return out


def baseball_bat(folder):
    backdrop(200, 150, bgra(52, 60, 50), bgra(26, 30, 24)).write(os.path.join(folder, "bat_bg.tga"))
    title("Fit the pieces of the bat together").write(os.path.join(folder, "bat_title.tga"))
    bat = bat_picture()
    outlines = bat_outlines(random.Random(SEED + 1))
    groups = []
    corners = {}
    pieces = {}
    for n, outline in enumerate(outlines, start=1):
        extra = SPLINTER if n == 4 else None
        piece, left, top = cut_out(bat, outline, extra)
        if extra:
            # Darker where it reaches over its neighbour, so the stacking shows.
            for y in range(piece.height):
                for x in range(piece.width):
                    colour = piece.pixels[y][x]
                    if colour[3] and not inside(outline, left + x + 0.5, top + y + 0.5):
                        piece.pixels[y][x] = tuple(c - 50 for c in colour[:3]) + (255,)
        pieces[n] = (piece, left, top, outline, extra)
    for k in range(4):
        for n, (piece, left, top, outline, extra) in pieces.items():
            # The piece's box turned with the whole bat: its new corner.
            box = [turned(p, k) for p in ((left, top), (left + piece.width, top + piece.height))]
            corners[(n, k)] = (min(p[0] for p in box), min(p[1] for p in box))
    for n, (piece, left, top, outline, extra) in pieces.items():
        rotations = []
        for k in range(4):
            turn_canvas(piece, k).write(os.path.join(folder, "bat_piece%d_r%d.tga" % (n, k)))
            corner = corners[(n, k)]
            shape = outline if extra is None else outline[:len(outline) // 2 + 1] + extra + \
                outline[len(outline) // 2 + 1:]
            polygon = [(px - corner[0], py - corner[1]) for px, py in (turned(p, k) for p in shape)]
            entry = [("id", "rot%d" % k), ("polygon", points(polygon)),
                     ("solvedpos", xy(corner[0] - corners[(1, k)][0], corner[1] - corners[(1, k)][1]))]
            if n == 4:
                entry.append(("overpiece", 3))
            entry.append(("sprites", [("picture", sprite("picture", "bat_piece%d_r%d.tga" % (n, k)))]))
            rotations.append(("rot%d" % k, entry))
        groups.append(("piece%d" % n, [("id", "piece%d" % n), ("width", piece.width), ("height", piece.height),
                                       ("rotations", rotations)]))
    write_layout(os.path.join(folder, "bat_puzzle_layout.txt"), """
The baseball bat: seven fragments, each with four rotations (its picture,
outline, "solvedpos" offset from piece1 and, for piece4, "overpiece": it
lies over piece3).""", [
        ("groups", [
            ("g01-background", [("id", "background"), ("sprites", [
                ("background", sprite("background", "bat_bg.tga", extra=[("scale", "4|4")])),
                ("title", sprite("title", "bat_title.tga", (120, 14), [("relativez", 1)])),
            ])]),
            ("g02-backbutton", back_button()),
            ("g03-pieces", groups),
        ]),
    ])


# --- the harp --------------------------------------------------------------

STRING_X = [210 + 19 * i for i in range(20)]


def string_top(i):
    return 118 + 5 * i


def string_bottom(i):
    return 496 - 13 * i


def harppuzzle(folder):
    room = Canvas(800, 600, bgra(40, 26, 30))
    for y in range(600):
        shade = bgra(40 + y // 30, 26 + y // 40, 30 + y // 40)
        for x in range(800):
            room.pixels[y][x] = shade
    gold, dark = bgra(204, 160, 70), bgra(120, 84, 30)
    room.fill(170, 90, 192, 530, gold)
    room.frame(170, 90, 192, 530, dark, 2)
    for i in range(60):
        x = 180 + i * 7
        y = 96 + 5 * (x - 180) / 19 - 20 * math.sin(i / 59 * math.pi)
        room.disc(x, y, 10, gold)
    for i, x in enumerate(STRING_X):
        room.disc(x, string_bottom(i) + 8, 7, dark)
    for i in range(40):
        x = 196 + i * 10
        y = 512 - 13 * (x - 205) / 19
        room.disc(x, y, 9, gold)
    for i, x in enumerate(STRING_X):
        colour = bgra(200, 40, 40) if i % 7 == 0 else bgra(230, 226, 210)
        room.fill(x - 1, string_top(i), x + 1, string_bottom(i), colour)
    room.fill(620, 420, 740, 460, bgra(70, 72, 78))
    room.frame(620, 420, 740, 460, bgra(20, 20, 22), 2)
    room.centred_text(680, 440, "START", TEXT, WHITE)
    room.centred_text(400, 40, "Listen, then play it back", TITLE, bgra(240, 226, 190))
    room.write(os.path.join(folder, "harp_bg.tga"))
    for name, colour in (("yellow", bgra(255, 230, 60, 200)), ("green", bgra(60, 230, 90, 200)),
                         ("red", bgra(240, 50, 50, 200))):
        glow = Canvas(8, 64)
        for y in range(64):
            for x in range(8):
                glow.pixels[y][x] = colour[:3] + (colour[3] if 2 <= x <= 5 else colour[3] // 3,)
        glow.write(os.path.join(folder, "harp_%s.tga" % name))
    lamp = Canvas(24, 24)
    lamp.disc(12, 12, 11, bgra(30, 20, 10))
    lamp.disc(12, 12, 8, bgra(255, 210, 80))
    lamp.write(os.path.join(folder, "harp_lamp.tga"))

    def highlights(name):
        out = []
        for i, x in enumerate(STRING_X):
            length = string_bottom(i) - string_top(i)
            out.append(("s%02d" % (i + 1), [("id", "%s%02d" % (name, i + 1)), ("sprites", [
                ("glow", sprite("glow", "harp_%s.tga" % name, (x - 4, string_top(i)),
                                [("scale", "1|%g" % (length / 64.0))])),
            ])]))
        return out

    polygons = []
    for i, x in enumerate(STRING_X):
        quad = [(x - 9, string_top(i)), (x + 9, string_top(i)), (x + 9, string_bottom(i)), (x - 9, string_bottom(i))]
        polygons.append(("harp%02d" % (i + 1), [("id", "string%02d" % (i + 1)), ("buttonid", "harp%02d" % (i + 1)),
                                                ("type", "polygon"), ("coords", points(quad)),
                                                ("stroked", "false")]))
    polygons.append(("start", [("id", "startarea"), ("buttonid", "start"), ("type", "polygon"),
                               ("coords", points([(620, 420), (740, 420), (740, 460), (620, 460)])),
                               ("stroked", "false")]))
    write_layout(os.path.join(folder, "layout.txt"), """
The harp: the strings' highlights in three colours (string 1 first), the
21 string and start outlines with their button ids, and the lamp that shows
while a game runs. The notes are 1.ogg to 20.ogg (the harp's) and 01.ogg to
20.ogg (the player's) in this folder.""", [
        ("groups", [
            ("g01-background", [("id", "background"), ("sprites", [
                ("background", sprite("background", "harp_bg.tga")),
            ])]),
            ("g02-backbutton", back_button()),
            ("g03-yellow_strings", highlights("yellow")),
            ("g04-green_strings", highlights("green")),
            ("g05-red_strings", highlights("red")),
            ("g06-polygons", polygons),
            ("startbutton", sprite("startlamp", "harp_lamp.tga", (590, 428), [("relativez", 5)])),
        ]),
    ])


# --- the record search -----------------------------------------------------

FIELD_X, FIELD_Y, FIELD_STEP = 232, 300, 42


def velmire(folder, computer):
    def monitor(c):
        c.fill(14, 8, 186, 132, bgra(60, 64, 70))
        c.fill(20, 14, 180, 126, bgra(12, 30, 40))
        c.frame(14, 8, 186, 132, bgra(30, 32, 36), 2)
    backdrop(200, 150, bgra(50, 54, 60), bgra(24, 26, 30), monitor).write(
        os.path.join(computer, "velmire_ec_background.tga"))
    for level, hint in (("easy", "Known: Q _ E _ T _ R _"), ("hard", None)):
        form = Canvas(440, 220, bgra(20, 60, 80, 235))
        form.frame(0, 0, 440, 220, bgra(120, 200, 230), 2)
        form.centred_text(220, 24, "RECORDS OFFICE - SEARCH", TEXT, bgra(180, 230, 250))
        form.text(24, 70, "SURNAME", SMALL, bgra(180, 230, 250))
        for i in range(8):
            x = FIELD_X - 180 + i * FIELD_STEP
            form.frame(x, 100, x + 34, 134, bgra(120, 200, 230), 1)
        if hint:
            form.centred_text(220, 176, hint, TEXT, bgra(250, 220, 120))
        form.write(os.path.join(folder, "velmire_form_%s.tga" % level))
    caret = Canvas(34, 34)
    caret.frame(0, 0, 34, 34, bgra(250, 220, 120), 2)
    caret.write(os.path.join(folder, "velmire_caret.tga"))
    Canvas(34, 34, bgra(0, 0, 0, 1)).write(os.path.join(folder, "velmire_field_n.tga"))
    over = Canvas(34, 34, bgra(120, 200, 230, 40))
    over.write(os.path.join(folder, "velmire_field_o.tga"))
    fields = [("field%d" % i, sprite("caret%d" % i, "velmire_caret.tga", (FIELD_X + i * FIELD_STEP, FIELD_Y),
                                     [("relativez", 20)])) for i in range(8)]
    write_layout(os.path.join(folder, "layout.txt"), """
The record search: "background" is a picture of //textures/expertcomputer,
the rest of this folder. Each entry of "fields" is the caret of a field and
gives the field's place; "button" is built once per field.""", [
        ("background", sprite("background", "velmire_ec_background.tga", extra=[("scale", "4|4")])),
        ("puzzlebg", [
            ("easy", sprite("form", "velmire_form_easy.tga", (180, 200), [("relativez", 10)])),
            ("hard", sprite("form", "velmire_form_hard.tga", (180, 200), [("relativez", 10)])),
        ]),
        ("fields", fields),
        ("button", button("field", (0, 0), "velmire_field_n.tga", "velmire_field_o.tga", z=25)),
        ("backbutton", back_button()),
    ])


# --- the surveillance tapes ------------------------------------------------

LAYER_W, LAYER_H = 320, 240
INDICATOR_X = [279, 373, 467, 559, 650, 752]


def tape_layers(tape):
    """Three see-through layers of one camera's picture: the room, the
    people and the time stamp, each in a colour of its own."""
    rng = random.Random(SEED + tape)
    room = Canvas(LAYER_W, LAYER_H)
    ink = bgra(255, 90, 90, 150)
    room.frame(10, 10, 310, 230, ink, 2)
    horizon = 80 + rng.randint(0, 40)
    room.fill(10, horizon, 310, horizon + 2, ink)
    door = rng.randint(30, 220)
    room.frame(door, horizon - 50, door + 50, horizon + 70, ink, 2)
    people = Canvas(LAYER_W, LAYER_H)
    ink = bgra(90, 255, 120, 150)
    for _ in range(1 if tape < 5 else 2):
        x = rng.randint(60, 260)
        people.disc(x, horizon + 10, 12, ink)
        people.fill(x - 12, horizon + 24, x + 12, horizon + 90, ink)
    stamp = Canvas(LAYER_W, LAYER_H)
    ink = bgra(120, 160, 255, 200)
    stamp.text(20, 200, "CAM %d   23:%02d:%02d" % (tape + 1, 10 + 7 * tape, rng.randint(0, 59)), TEXT, ink)
    stamp.frame(250, 20, 300, 50, ink, 2)
    return room, people, stamp


def surveillance_tapes(folder):
    def console(c):
        c.fill(31, 11, 198, 118, bgra(8, 14, 10))
        c.frame(30, 10, 199, 119, bgra(70, 74, 80), 2)
        for x in INDICATOR_X:
            c.fill(x // 4 - 1, 124, x // 4 + 2, 127, bgra(150, 150, 150))
    backdrop(200, 150, bgra(46, 48, 54), bgra(22, 24, 28), console).write(os.path.join(folder, "tape_bg.tga"))
    overlay = Canvas(665, 425)
    for y in range(0, 425, 3):
        for x in range(665):
            overlay.pixels[y][x] = bgra(0, 0, 0, 70)
    overlay.write(os.path.join(folder, "tape_overlay.tga"))
    plate(240, 36, bgra(20, 90, 40), bgra(200, 255, 200), "TRACKING OK", TEXT).write(
        os.path.join(folder, "tape_tracking.tga"))
    marker = Canvas(16, 12)
    marker.triangle([(0, 12), (16, 12), (8, 0)], bgra(250, 220, 120))
    marker.write(os.path.join(folder, "tape_indicator.tga"))
    for direction in ("left", "right"):
        arrow(24, direction, bgra(70, 72, 78), bgra(230, 230, 230)).write(
            os.path.join(folder, "tape_%s_n.tga" % direction))
        arrow(24, direction, bgra(250, 200, 90), INK).write(os.path.join(folder, "tape_%s_o.tga" % direction))
    switches = []
    for k, name in enumerate(("ROOM", "PEOPLE", "TIME")):
        for state, face in (("on", bgra(250, 200, 90)), ("off", bgra(60, 62, 68))):
            plate(199, 19, face, bgra(20, 20, 22), "LAYER %d  %s" % (k + 1, name), SMALL,
                  INK if state == "on" else WHITE).write(os.path.join(folder, "tape_sw%d_%s.tga" % (k + 1, state)))
        switches.append(("sw%d" % (k + 1), [
            ("on", sprite("on%d" % (k + 1), "tape_sw%d_on.tga" % (k + 1), (0, 24 * k))),
            ("off", sprite("off%d" % (k + 1), "tape_sw%d_off.tga" % (k + 1), (0, 24 * k))),
        ]))
    layers = []
    for tape in range(6):
        pictures = []
        for k, layer in enumerate(tape_layers(tape)):
            layer.write(os.path.join(folder, "tape%d_layer%d.tga" % (tape + 1, k + 1)))
            pictures.append(("l%d" % (k + 1), sprite("tape%d_layer%d" % (tape + 1, k + 1),
                                                     "tape%d_layer%d.tga" % (tape + 1, k + 1))))
        layers.append(("tape%d" % (tape + 1), pictures))
    write_layout(os.path.join(folder, "layout.txt"), """
The tape viewer: six tapes of three layers each ("layers"), one switch
panel per tape ("framecontrols", all with the three switches of
"framecontrolbtns"), the arrows, the indicator under the tapes' row and the
tracking dialog.""", [
        ("background", sprite("background", "tape_bg.tga", extra=[("scale", "4|4")])),
        ("overlay", sprite("overlay", "tape_overlay.tga", (124, 45), [("relativez", 100)])),
        ("arrows", [
            ("a01", button("select_left", (236, 492), "tape_left_n.tga", "tape_left_o.tga")),
            ("a02", button("select_right", (772, 492), "tape_right_n.tga", "tape_right_o.tga")),
        ]),
        ("trackingdialog", sprite("trackingdialog", "tape_tracking.tga", (336, 60), [("relativez", 120)])),
        ("indicator", sprite("indicator", "tape_indicator.tga", (INDICATOR_X[0], 477), [("relativez", 120)])),
        ("framecontrolbtns", switches),
        ("framecontrols", [("panel%d" % (t + 1), [("id", "panel%d" % (t + 1)), ("position", "20|480")])
                           for t in range(6)]),
        ("layers", layers),
        ("backbutton", back_button((680, 556))),
    ])


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                              "data")
    puzzles = os.path.join(data, "textures", "puzzles")
    computer = os.path.join(data, "textures", "expertcomputer")
    os.makedirs(computer, exist_ok=True)
    for name, make in [("dravobox", dravobox), ("roomservice_receipt", roomservice), ("baseball_bat", baseball_bat),
                       ("harppuzzle", harppuzzle), ("surveillance_tapes", surveillance_tapes)]:
        folder = os.path.join(puzzles, name)
        os.makedirs(folder, exist_ok=True)
        make(folder)
    os.makedirs(os.path.join(puzzles, "velmire"), exist_ok=True)
    velmire(os.path.join(puzzles, "velmire"), computer)
    os.makedirs(os.path.join(data, "scenes"), exist_ok=True)
    update_subtitles(os.path.join(data, "scenes", "vo_subtitles.txt"), LINES)


if __name__ == "__main__":
    main()
