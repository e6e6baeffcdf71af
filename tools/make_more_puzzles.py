#!/usr/bin/env python3
"""Writes the sample data of seven more puzzles under data/textures/puzzles/,
in the style of tools/make_puzzles.py (whose helpers it uses): layout and
table files, pictures (32-bit run-length TGA) and the puzzles' voice-over
texts in data/scenes/vo_subtitles.txt (other keys of that file are kept).

    painting/          a painting with twelve holes in its frame
                       (hole1 to hole12) and the handle that turns in them
    map_puzzle/        a map with the four clue groups, each shown by its
                       clue event, and the spot where their lines cross
    crossword/         a 15 x 15 crossword of 181 letter cells, its grid and
                       word tables: the words are the letter runs of a
                       generated grid, "standard" and "novice" on some of
                       them, and the across answers listed beside it
    receipt/           the three parts of a torn receipt, two pictures each
    pc_desktop/        a desktop with a body chart of seven parts, seven
                       boxes, the folder and the staff roster
    chasephotopuzzle/  seven holiday photos dated on their fronts
    hotel_window/      the view from a window and a polaroid of part of it

    tools/make_more_puzzles.py [data folder]

tools/make_more_puzzle_sounds.py speaks the lines into data/sounds/.
"""
import os
import random
import sys

from make_puzzles import (INK, SMALL, TEXT, WHITE, back_button, backdrop, button, emit, plate, sprite, title,
                          update_subtitles, xy)
from puzzle_art import Canvas, Font, bgra

LINES = {
    "hi05_rg": "Hint: the handle fits every hole, but only two of them work the lock. Mind the marks on the frame.",
    "2ls02_rg": "Somebody drilled holes into the frame of this painting. Something must fit in there.",
    "4cw01_rg": "Done. And somebody circled four of the letters.",
    "hi15_rg": "Hint: the rest of this receipt is somewhere. Use the pieces on the lamp, or bring them here.",
    "3tc08_rg": "All three pieces. Under the lamp it reads: room two fourteen, paid in cash.",
    "hi09_rg": "Hint: each part of the body on the chart stands for one letter. Seven of them spell the password.",
    "2ls08a_rg": "I'm in. The staff roster for the night of the murder.",
    "hi18_rg": "Hint: the dates on the photos tell their order, from the start of the year.",
    "hi17_rg": "Hint: hold the polaroid up to the window where it lines up with the view.",
    "3pm17a_rg": "Right here. The picture was taken from this very window.",
}

BLACK_TEXT = Font("tahoma10black", 15)
PAPER = bgra(244, 240, 226)
RED = bgra(200, 30, 30)


def write_layout(path, comment, items):
    lines = ["// " + line for line in comment.strip().splitlines()]
    lines += ["// Written by tools/make_more_puzzles.py."] + emit(items)
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def states_button(id_, position, pictures, letters, extra=()):
    """A button with a picture per state letter: pictures % letter names it
    ("n" at rest, "o" under the pointer, "h" hilighted, "x" disabled)."""
    names = {"n": "rest", "o": "over", "h": "hilighted", "x": "disabled"}
    return [("id", id_), ("position", xy(*position))] + list(extra) + [("states", [
        (names[letter], [("id", "%s_%s" % (id_, letter)), ("statetype", letter), ("objecttype", "sprite"),
                         ("texture", pictures % letter)]) for letter in letters])]


def write(canvas, folder, name):
    canvas.write(os.path.join(folder, name))


# --- painting ---------------------------------------------------------------

# The painting stands in a frame from (160, 90) to (640, 470); the holes sit
# in the frame, hole6 and hole11 among them.
HOLES = [(230, 96), (330, 96), (440, 96), (550, 96), (626, 200), (626, 340), (550, 452), (440, 452),
         (330, 452), (230, 452), (166, 340), (166, 200)]


def painting(folder):
    def wall(c):
        c.fill(40, 22, 160, 118, bgra(120, 84, 40))
        c.fill(44, 26, 156, 114, bgra(150, 110, 60))
        # The painting: a harbour at dusk.
        c.fill(48, 30, 152, 110, bgra(230, 170, 110))
        c.fill(48, 70, 152, 110, bgra(40, 70, 110))
        c.fill(60, 58, 90, 70, bgra(60, 50, 50))
        c.fill(110, 50, 124, 70, bgra(70, 60, 60))
        c.disc(130, 46, 6, bgra(250, 220, 150))
    backdrop(200, 150, bgra(90, 80, 70), bgra(50, 44, 40), wall).write(os.path.join(folder, "painting_bg.tga"))
    title("Set the handle into a hole and turn it").write(os.path.join(folder, "painting_title.tga"))
    hole = Canvas(14, 22)
    hole.disc(7, 11, 6, bgra(20, 14, 10))
    write(hole, folder, "painting_hole_n.tga")
    lit = Canvas(14, 22)
    lit.disc(7, 11, 7, bgra(250, 200, 90))
    lit.disc(7, 11, 5, bgra(20, 14, 10))
    write(lit, folder, "painting_hole_o.tga")
    # Small marks beside the two holes that work: a bar for "left", a bar for "right".
    mark = Canvas(24, 8)
    mark.fill(0, 2, 24, 6, bgra(230, 220, 190))
    write(mark, folder, "painting_mark.tga")

    # The handle turns about its socket at (101, 29); unturned, it points left.
    handle = Canvas(120, 58)
    handle.fill(16, 25, 101, 33, bgra(90, 90, 96))
    handle.fill(16, 26, 101, 28, bgra(170, 170, 176))
    handle.fill(6, 12, 24, 46, bgra(110, 60, 30))
    handle.frame(6, 12, 24, 46, bgra(60, 30, 10), 2)
    handle.disc(101, 29, 12, bgra(70, 70, 76))
    handle.disc(101, 29, 5, bgra(200, 200, 206))
    write(handle, folder, "painting_handle.tga")

    holes = [("hole%d" % (i + 1), button("hole%d" % (i + 1), at, "painting_hole_n.tga", "painting_hole_o.tga"))
             for i, at in enumerate(HOLES)]
    marks = [("mark6", sprite("mark6", "painting_mark.tga", (HOLES[5][0] - 30, HOLES[5][1] + 7), [("relativez", 2)])),
             ("mark11", sprite("mark11", "painting_mark.tga", (HOLES[10][0] + 20, HOLES[10][1] + 7),
                               [("relativez", 2)]))]
    write_layout(os.path.join(folder, "puzzle_painting_layout.txt"), """
The painting: "puzzle.layout" holds the groups built into the screen, the
holes among them (the group "painting_buttons"); "puzzle.handle" is the
handle, which turns about (101, 29); "puzzle.backbutton" the way out.""", [
        ("puzzle", [
            ("layout", [
                ("g01-background", [("id", "painting_background"), ("sprites", [
                    ("background", sprite("background", "painting_bg.tga", extra=[("scale", "4|4")])),
                    ("title", sprite("title", "painting_title.tga", (120, 20), [("relativez", 1)])),
                ] + marks)]),
                ("g02-buttons", [("id", "painting_buttons"), ("relativez", 5), ("buttons", holes)]),
            ]),
            ("handle", sprite("handle", "painting_handle.tga", (700, 530), [("relativez", 20)])),
            ("backbutton", back_button()),
        ]),
    ])


# --- map --------------------------------------------------------------------

CLUES = [
    ("sandcastle", "evt_mappuzzle_sandcastle", "Sandcastle", (180, 420)),
    ("gate", "evt_mappuzzle_gate", "Old gate", (600, 170)),
    ("tombstone", "evt_mappuzzle_tombstone", "Tombstone", (200, 150)),
    ("zambrio", "evt_mappuzzle_zambrio", "Zambrio's", (620, 440)),
]


def map_puzzle(folder):
    def land(c):
        c.fill(0, 0, 200, 150, bgra(70, 120, 170))
        c.disc(100, 70, 62, bgra(214, 196, 150))
        c.disc(70, 90, 40, bgra(200, 182, 136))
        c.fill(30, 98, 170, 100, bgra(150, 120, 80))
        c.fill(98, 20, 100, 130, bgra(150, 120, 80))
    backdrop(200, 150, bgra(70, 120, 170), bgra(50, 90, 140), land).write(os.path.join(folder, "map_bg.tga"))
    title("The island").write(os.path.join(folder, "map_title.tga"))
    for id_, _, label, _ in CLUES:
        marker = Canvas(150, 40)
        marker.triangle([(4, 4), (24, 4), (14, 22)], RED)
        marker.text(30, 6, label, TEXT, INK)
        write(marker, folder, "map_clue_%s.tga" % id_)
    spot = Canvas(40, 40)
    spot.ring(20, 20, 14, 18, RED)
    spot.fill(18, 4, 22, 36, RED)
    spot.fill(4, 18, 36, 22, RED)
    write(spot, folder, "map_spot.tga")

    clues = [(id_, [("id", "clue_" + id_), ("show", "script[e[%s]]" % event), ("relativez", 5), ("sprites", [
        ("marker", sprite("marker", "map_clue_%s.tga" % id_, at)),
    ])]) for id_, event, _, at in CLUES]
    every = "&".join("e[%s]" % event for _, event, _, _ in CLUES)
    clues.append(("spot", [("id", "clue_spot"), ("show", "script[%s]" % every), ("relativez", 6), ("sprites", [
        ("spot", sprite("spot", "map_spot.tga", (380, 290))),
    ])]))
    write_layout(os.path.join(folder, "map_puzzle.txt"), """
The map: the background, then one group per clue, each shown by its "show"
script; the spot appears once all four clues are known.""", [
        ("groups", [
            ("g01-background", [("id", "map_background"), ("sprites", [
                ("background", sprite("background", "map_bg.tga", extra=[("scale", "4|4")])),
                ("title", sprite("title", "map_title.tga", (120, 16), [("relativez", 1)])),
            ])]),
        ]),
        ("clues", clues),
    ])


# --- crossword --------------------------------------------------------------

SIZE = 15
BLACKS = 44
CELL_W, CELL_H = 26, 25
GRID_X, GRID_Y = 187, 28
# Circled cells (row, column from 0) with their letters, circle 1 to 4.
CIRCLED = [((2, 4), "P"), ((6, 10), "I"), ((9, 2), "E"), ((12, 8), "R")]

# A 3 x 5 pixel figure for the cell numbers.
DIGITS = ["111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
          "111100111001111", "111100111101111", "111001001010010", "111101111101111", "111101111001111"]


def runs(white, horizontal):
    """Every run of white cells in rows (or columns) as lists of cells."""
    out = []
    for a in range(SIZE):
        run = []
        for b in range(SIZE + 1):
            cell = (a, b) if horizontal else (b, a)
            if b < SIZE and cell in white:
                run.append(cell)
            else:
                if run:
                    out.append(run)
                run = []
    return out


def pattern_ok(black):
    white = {(r, c) for r in range(SIZE) for c in range(SIZE)} - black
    if any(len(run) < 3 for run in runs(white, True) + runs(white, False)):
        return False
    start = next(iter(white))
    seen, todo = {start}, [start]
    while todo:
        r, c = todo.pop()
        for cell in ((r + 1, c), (r - 1, c), (r, c + 1), (r, c - 1)):
            if cell in white and cell not in seen:
                seen.add(cell)
                todo.append(cell)
    return len(seen) == len(white)


def crossword_pattern():
    """44 black cells, symmetric about the centre, every word at least three
    letters long and the white cells in one piece."""
    for seed in range(1000):
        rnd = random.Random(seed)
        pairs = [(r, c) for r in range(SIZE) for c in range(SIZE) if (r, c) < (SIZE - 1 - r, SIZE - 1 - c)]
        rnd.shuffle(pairs)
        black = set()
        for r, c in pairs:
            trial = black | {(r, c), (SIZE - 1 - r, SIZE - 1 - c)}
            if len(trial) <= BLACKS and pattern_ok(trial):
                black = trial
            if len(black) == BLACKS:
                return black
    raise RuntimeError("no crossword pattern found")


def crossword_words():
    """The grid's words: (number, direction, cells, answer), numbered as
    crosswords are, and the letter of every white cell."""
    black = crossword_pattern()
    white = {(r, c) for r in range(SIZE) for c in range(SIZE)} - black
    rnd = random.Random(1956)
    letters = {}
    for run in runs(white, True):
        for i, cell in enumerate(run):
            letters[cell] = rnd.choice("BCDFGHKLMNPRSTVZ" if i % 2 == 0 else "AEIOU")
    for cell, letter in CIRCLED:
        letters[cell] = letter
    starts = {}
    number = 0
    for r in range(SIZE):
        for c in range(SIZE):
            if (r, c) not in white:
                continue
            across = (c == 0 or (r, c - 1) not in white)
            down = (r == 0 or (r - 1, c) not in white)
            if across or down:
                number += 1
                starts[(r, c)] = number
    words = []
    for direction, horizontal in (("across", True), ("down", False)):
        for run in runs(white, horizontal):
            words.append((starts[run[0]], direction, run, "".join(letters[cell] for cell in run)))
    words.sort(key=lambda w: (w[1] != "across", w[0]))
    return white, starts, words


def level_of(direction, index):
    """Most across words are given on easy and medium, a few on easy only and
    a few never; down words fill themselves in from the across words."""
    if direction == "down":
        return None
    if index % 9 == 4:
        return None
    return "novice" if index % 9 in (1, 7) else "standard"


def crossword(folder):
    white, starts, words = crossword_words()
    assert len(white) == 181

    grid = Canvas(SIZE * CELL_W + 1, SIZE * CELL_H + 1, bgra(20, 20, 20))
    for r, c in white:
        x, y = c * CELL_W, r * CELL_H
        grid.fill(x + 1, y + 1, x + CELL_W, y + CELL_H, PAPER)
    for (r, c), number in starts.items():
        pen = c * CELL_W + 2
        for digit in str(number):
            figure = DIGITS[int(digit)]
            for i, bit in enumerate(figure):
                if bit == "1":
                    grid.put(pen + i % 3, r * CELL_H + 2 + i // 3, bgra(60, 60, 60))
            pen += 4
    write(grid, folder, "crossword_grid.tga")

    across = [w for w in words if w[1] == "across"]
    clues = Canvas(200, 14 * (len(across) + 1) + 6, PAPER)
    clues.text(6, 2, "ACROSS", BLACK_TEXT, INK)
    for i, (number, _, _, answer) in enumerate(across):
        clues.text(6, 17 + 14 * i, "%d  %s" % (number, answer.lower()), BLACK_TEXT, INK)
    write(clues, folder, "crossword_clues.tga")

    backdrop(200, 150, bgra(110, 80, 50), bgra(80, 56, 34)).write(os.path.join(folder, "crossword_bg.tga"))
    highlight = Canvas(CELL_W, CELL_H, bgra(250, 220, 60))
    write(highlight, folder, "crossword_highlight.tga")
    circle = Canvas(CELL_W + 8, CELL_H + 8)
    circle.ring((CELL_W + 8) / 2, (CELL_H + 8) / 2, 12, 15, RED)
    write(circle, folder, "crossword_circle.tga")
    fold = Canvas(180, 120, PAPER)
    fold.triangle([(0, 0), (180, 0), (180, 120)], bgra(214, 208, 190))
    fold.text(14, 70, "pier 9 - midnight", TEXT, RED)
    write(fold, folder, "crossword_fold.tga")

    layout = [
        ("g01-background", [("id", "crossword"), ("sprites", [
            ("background", sprite("background", "crossword_bg.tga", extra=[("scale", "4|4")])),
            ("grid", sprite("grid", "crossword_grid.tga", (GRID_X, GRID_Y), [("relativez", 1)])),
            ("clues", sprite("clues", "crossword_clues.tga", (590, 28), [("relativez", 1)])),
        ])]),
        ("g02-backbutton", back_button()),
        ("g03-selection", sprite("selection", "crossword_highlight.tga", (GRID_X, GRID_Y))),
        ("g04-coords", [("x", "|".join(str(GRID_X + CELL_W * c) for c in range(SIZE))),
                        ("y", "|".join(str(GRID_Y + CELL_H * r) for r in range(SIZE)))]),
    ]
    for n, ((r, c), _) in enumerate(CIRCLED, start=1):
        layout.append(("g%02d-circle%d" % (4 + n, n),
                       sprite("circle%d" % n, "crossword_circle.tga", (GRID_X + CELL_W * c - 4, GRID_Y + CELL_H * r - 4))))
    layout.append(("g09-fold", [("id", "fold"), ("relativez", 20), ("sprites", [
        ("fold", sprite("fold", "crossword_fold.tga", (397, 288))),
    ])]))
    write_layout(os.path.join(folder, "crossword_layout.txt"), """
The crossword: the grid's picture at (187, 28), 26 x 25 pixels a cell; the
highlight (one cell, stretched over the selected word), the four circles,
the fold shown at the end and the cells' coordinates.""", [("groups", layout)])

    numbers = {}
    for number, direction, cells, _ in words:
        for cell in cells:
            numbers.setdefault(cell, [0, 0])[0 if direction == "across" else 1] = number
    with open(os.path.join(folder, "crossword_puzzle_grid.txt"), "w", newline="\n") as out:
        out.write("// The crossword's letter cells, row_column (from 1) = across|down word numbers.\n")
        out.write("// Written by tools/make_more_puzzles.py.\n")
        for r, c in sorted(numbers):
            out.write("%d_%d=%d|%d\n" % (r + 1, c + 1, numbers[(r, c)][0], numbers[(r, c)][1]))

    sections = []
    for direction in ("across", "down"):
        entries = []
        for index, (number, _, cells, answer) in enumerate(w for w in words if w[1] == direction):
            (r, c) = cells[0]
            entry = [("answer", answer), ("column", c + 1), ("row", r + 1),
                     ("width", len(cells) if direction == "across" else 1),
                     ("height", 1 if direction == "across" else len(cells)),
                     ("x", GRID_X + CELL_W * c), ("y", GRID_Y + CELL_H * r)]
            level = level_of(direction, index)
            if level:
                entry.append(("level", level))
            entries.append((str(number), entry))
        sections.append((direction, entries))
    write_layout(os.path.join(folder, "crossword_puzzle_entries.txt"), """
The crossword's words by direction and number: the answer, its first cell
(from 1), its size in cells, the highlight's place and, for some, the level
that prints it from the start.""", sections)


# --- receipt ----------------------------------------------------------------

RECEIPT_TEXT = [["MARLOWE HOTEL", "1120 HARBOUR ST"], ["ROOM 214", "2 NIGHTS"], ["PAID CASH", "THANK YOU"]]


def receipt(folder):
    def desk(c):
        c.fill(0, 100, 200, 150, bgra(90, 60, 36))
        c.disc(170, 30, 26, bgra(255, 240, 180, 90))
    backdrop(200, 150, bgra(40, 36, 34), bgra(24, 20, 18), desk).write(os.path.join(folder, "receipt_bg.tga"))
    title("Piece the receipt together under the lamp").write(os.path.join(folder, "receipt_title.tga"))
    sprites = [("title", sprite("title", "receipt_title.tga", (120, 20), [("relativez", 1)]))]
    for part in range(3):
        paper = Canvas(220, 110)
        paper.fill(0, 0, 220, 104, PAPER)
        for x in range(0, 220, 10):
            # The first two parts are torn along their lower edge.
            paper.fill(x, 104, x + 10, 110 if part == 2 else 104 + (x // 10) % 2 * 4, PAPER)
        write(paper, folder, "receipt_part%da.tga" % (part + 1))
        writing = Canvas(220, 110)
        for line, text in enumerate(RECEIPT_TEXT[part]):
            writing.centred_text(110, 34 + 34 * line, text, TEXT, bgra(40, 40, 120))
        write(writing, folder, "receipt_part%db.tga" % (part + 1))
        event = "evt_receiptpuzzle_piece%d_added" % (part + 1)
        for kind, z in (("a", 5), ("b", 6)):
            id_ = "%d%s" % (part + 1, kind)
            sprites.append((id_, sprite(id_, "receipt_part%d%s.tga" % (part + 1, kind), (290, 130 + 108 * part),
                                        [("relativez", z), ("visible", "script[e[%s]]" % event)])))
    write_layout(os.path.join(folder, "receipt_layout.txt"), """
The receipt: the background, then the pictures of the three parts ("1a" the
paper, "1b" the writing on it, and so on), shown once the part is there.""", [
        ("puzzle", [
            ("background", sprite("background", "receipt_bg.tga", extra=[("scale", "4|4")])),
            ("sprites", sprites),
        ]),
        ("backbutton", back_button()),
    ])


# --- PC desktop -------------------------------------------------------------

# The body parts on the chart (its figure stands at x 60 to 300), their
# labels, and the folder on the desktop.
BODY_PARTS = [("rshoulder", (110, 200), "right shoulder"), ("lshoulder", (230, 200), "left shoulder"),
              ("head", (170, 130), "head"), ("upper_arm", (250, 250), "upper arm"),
              ("thumb", (70, 330), "thumb"), ("index_finger", (280, 350), "index finger"),
              ("abdomen", (170, 290), "abdomen")]


def pc_desktop(folder):
    def screen(c):
        c.fill(4, 4, 196, 146, bgra(20, 60, 90))
        c.frame(4, 4, 196, 146, bgra(10, 10, 12), 2)
    backdrop(200, 150, bgra(30, 30, 34), bgra(20, 20, 22), screen).write(os.path.join(folder, "pc_bg.tga"))
    chart = Canvas(260, 400, bgra(236, 236, 230))
    chart.disc(130, 60, 34, bgra(190, 170, 150))
    chart.fill(80, 100, 180, 280, bgra(190, 170, 150))
    chart.fill(40, 110, 80, 300, bgra(190, 170, 150))
    chart.fill(180, 110, 220, 300, bgra(190, 170, 150))
    chart.fill(90, 280, 125, 396, bgra(190, 170, 150))
    chart.fill(135, 280, 170, 396, bgra(190, 170, 150))
    write(chart, folder, "pc_chart.tga")
    note = Canvas(190, 120, bgra(250, 240, 120))
    for i, text in enumerate(["head, abdomen,", "right shoulder, thumb,", "left shoulder,", "index finger,",
                              "upper arm"]):
        note.text(8, 8 + 20 * i, text, BLACK_TEXT, INK)
    write(note, folder, "pc_note.tga")
    prompt = Canvas(300, 30)
    prompt.text(0, 4, "PASSWORD:", TEXT, WHITE)
    write(prompt, folder, "pc_prompt.tga")
    box = plate(30, 30, bgra(10, 30, 50), bgra(160, 200, 230))
    write(box, folder, "pc_box.tga")
    dot = Canvas(24, 24)
    dot.disc(12, 12, 10, bgra(200, 40, 40))
    write(dot, folder, "pc_part_n.tga")
    over = Canvas(24, 24)
    over.disc(12, 12, 11, bgra(250, 200, 90))
    write(over, folder, "pc_part_o.tga")
    used = Canvas(24, 24)
    used.disc(12, 12, 10, bgra(90, 200, 90))
    write(used, folder, "pc_part_h.tga")
    dim = Canvas(24, 24)
    dim.disc(12, 12, 10, bgra(110, 110, 110))
    write(dim, folder, "pc_part_x.tga")
    folder_icon = plate(70, 56, bgra(230, 190, 80), bgra(150, 110, 30), "Staff", SMALL, INK)
    write(folder_icon, folder, "pc_folder_n.tga")
    write(plate(70, 56, bgra(250, 220, 120), bgra(150, 110, 30), "Staff", SMALL, INK), folder, "pc_folder_o.tga")
    write(plate(70, 56, bgra(150, 150, 150), bgra(90, 90, 90), "Staff", SMALL, INK), folder, "pc_folder_x.tga")
    roster = plate(360, 260, bgra(240, 240, 240), bgra(40, 40, 40))
    roster.fill(2, 2, 358, 28, bgra(40, 70, 130))
    roster.text(10, 6, "Staff roster - night of the 14th", TEXT, WHITE)
    for i, text in enumerate(["Front desk   J. Okafor   22:00 - 06:00", "Porter       D. Vance    22:00 - 02:00",
                              "Night audit  M. Lindqvist  23:00 - 07:00", "Room service (none)",
                              "Security     R. Castillo  20:00 - 04:00"]):
        roster.text(14, 44 + 30 * i, text, BLACK_TEXT, INK)
    write(roster, folder, "pc_roster.tga")

    buttons = [(id_, states_button(id_, at, "pc_part_%s.tga", "nohx", [("relativez", 5)])) for id_, at, _ in BODY_PARTS]
    buttons.append(("folder", states_button("folder", (680, 60), "pc_folder_%s.tga", "nox", [("relativez", 5)])))
    labels = []
    for id_, (x, y), label in BODY_PARTS:
        picture = Canvas(120, 18)
        picture.text(0, 1, label, BLACK_TEXT, INK)
        write(picture, folder, "pc_label_%s.tga" % id_)
        labels.append(("label_" + id_, sprite("label_" + id_, "pc_label_%s.tga" % id_, (x + 26, y + 4),
                                             [("relativez", 4)])))
    boxes = [("box%d" % i, [("coords", "%d|%d|30|30" % (438 + 40 * i, 418))]) for i in range(7)]
    box_sprites = [("box%d" % i, sprite("box%d" % i, "pc_box.tga", (430 + 40 * i, 414), [("relativez", 2)]))
                   for i in range(7)]
    write_layout(os.path.join(folder, "layout.txt"), """
The PC desktop: the screen with the body chart and its labels, the seven
boxes' places, the buttons (the body parts in their fixed order, then the
folder) and the roster shown after the right password.""", [
        ("groups", [
            ("g01-backbutton", back_button()),
            ("g04-puzzle", [("id", "desktop"), ("sprites", [
                ("background", sprite("background", "pc_bg.tga", extra=[("scale", "4|4")])),
                ("chart", sprite("chart", "pc_chart.tga", (40, 90), [("relativez", 1)])),
                ("note", sprite("note", "pc_note.tga", (560, 140), [("relativez", 1)])),
                ("prompt", sprite("prompt", "pc_prompt.tga", (430, 380), [("relativez", 1)])),
            ] + box_sprites + labels)]),
            ("g05-puzzle_textareas", boxes),
            ("g06-puzzle_buttons", buttons),
            ("g08-roster", [("id", "roster"), ("relativez", 30), ("sprites", [
                ("roster", sprite("roster", "pc_roster.tga", (400, 110))),
            ])]),
        ]),
    ])


# --- chase photos -----------------------------------------------------------

PHOTOS = [("birthday", "Birthday", "05/03", (90, 90, 160)), ("christmas", "Christmas", "12/25", (40, 110, 60)),
          ("easter", "Easter", "04/09", (200, 170, 220)), ("halloween", "Halloween", "10/31", (220, 110, 30)),
          ("july4th", "July 4th", "07/04", (50, 70, 160)), ("thanksgiving", "Thanksgiving", "11/23", (150, 90, 40)),
          ("valentine", "Valentine's", "02/14", (210, 60, 90))]


def chase_photos(folder):
    def drawer(c):
        c.fill(10, 20, 190, 140, bgra(120, 90, 60))
        c.frame(10, 20, 190, 140, bgra(70, 50, 30), 2)
    backdrop(200, 150, bgra(60, 50, 44), bgra(34, 28, 24), drawer).write(os.path.join(folder, "chase_bg.tga"))
    buttons = []
    for i, (id_, label, date, colour) in enumerate(PHOTOS):
        for kind, tint in (("n", 255), ("o", 255), ("x", 120)):
            photo = Canvas(150, 110, bgra(250, 250, 246))
            face = tuple(round(v * tint / 255) for v in colour)
            photo.fill(6, 6, 144, 84, bgra(*face))
            photo.text(10, 86, label, BLACK_TEXT, INK)
            photo.text(100, 86, date, BLACK_TEXT, RED)
            if kind == "o":
                photo.frame(0, 0, 150, 110, bgra(250, 200, 90), 3)
            write(photo, folder, "chase_%s_%s.tga" % (id_, kind))
        at = (60 + 175 * (i % 4), 120 + 170 * (i // 4))
        buttons.append((id_, states_button(id_, at, "chase_" + id_ + "_%s.tga", "nox")))
    write_layout(os.path.join(folder, "JCPuzzle_layout.txt"), """
The chase photos: the drawer, the seven photos as buttons and the back
button.""", [
        ("g01-background", sprite("background", "chase_bg.tga", extra=[("scale", "4|4")])),
        ("g02-backbutton", back_button()),
        ("g03-Buttons", buttons),
    ])


# --- hotel window -----------------------------------------------------------

# The polaroid's top left corner at the pointer: placed with the pointer at
# (297, 353), its photo (at 10, 10 in it) covers the view from (307, 363).
TARGET = (297, 353)
PHOTO_SIZE = 140


def hotel_view():
    def skyline(c):
        c.fill(0, 96, 200, 150, bgra(50, 60, 70))
        for i, (x, w, h) in enumerate([(6, 24, 50), (34, 18, 70), (56, 30, 40), (92, 22, 84), (118, 26, 56),
                                       (150, 20, 66), (174, 22, 44)]):
            c.fill(x, 120 - h, x + w, 120, bgra(70 + 12 * i, 70 + 6 * i, 90))
            for wy in range(124 - h, 116, 8):
                for wx in range(x + 3, x + w - 3, 6):
                    c.fill(wx, wy, wx + 3, wy + 4, bgra(250, 220, 120))
        c.disc(160, 24, 10, bgra(250, 250, 230))
        # The window frame, and a small polaroid in the bottom right corner.
        c.frame(0, 0, 200, 150, bgra(110, 80, 50), 6)
        c.fill(97, 0, 103, 150, bgra(110, 80, 50))
        c.fill(193, 143, 200, 150, bgra(248, 248, 240))
        c.fill(194, 144, 199, 148, bgra(90, 80, 110))
    return backdrop(200, 150, bgra(20, 30, 70), bgra(90, 60, 90), skyline)


def hotel_window(folder):
    view = hotel_view()
    view.write(os.path.join(folder, "hotel_view.tga"))
    polaroid = Canvas(PHOTO_SIZE + 20, PHOTO_SIZE + 44, bgra(248, 248, 240))
    for y in range(PHOTO_SIZE):
        for x in range(PHOTO_SIZE):
            sx, sy = (TARGET[0] + 10 + x) // 4, (TARGET[1] + 10 + y) // 4
            polaroid.pixels[10 + y][10 + x] = view.pixels[sy][sx]
    polaroid.text(14, PHOTO_SIZE + 18, "room 214", BLACK_TEXT, INK)
    write(polaroid, folder, "hotel_polaroid.tga")
    write_layout(os.path.join(folder, "layout.txt"), """
The hotel window: the view (with a small polaroid in the bottom right
corner, where a click also picks it up), the polaroid that follows the
pointer, and the back button.""", [
        ("background", sprite("background", "hotel_view.tga", extra=[("scale", "4|4")])),
        ("polaroid", sprite("polaroid", "hotel_polaroid.tga", extra=[("relativez", 20)])),
        ("backbutton", back_button()),
    ])


PUZZLES = [("painting", painting), ("map_puzzle", map_puzzle), ("crossword", crossword), ("receipt", receipt),
           ("pc_desktop", pc_desktop), ("chasephotopuzzle", chase_photos), ("hotel_window", hotel_window)]


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                              "data")
    puzzles = os.path.join(data, "textures", "puzzles")
    for name, make in PUZZLES:
        folder = os.path.join(puzzles, name)
        os.makedirs(folder, exist_ok=True)
        make(folder)
    os.makedirs(os.path.join(data, "scenes"), exist_ok=True)
    update_subtitles(os.path.join(data, "scenes", "vo_subtitles.txt"), LINES)


if __name__ == "__main__":
    main()
