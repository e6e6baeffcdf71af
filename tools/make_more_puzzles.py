#!/usr/bin/env python3
"""Writes the sample data of thirteen more puzzles under
data/textures/puzzles/ (and the record search's monitor under
data/textures/expertcomputer/), in the style of tools/make_puzzles.py, whose
layout and drawing helpers it uses: layout and table files, pictures
(32-bit run-length TGA) and the puzzles' voice-over texts in
data/scenes/vo_subtitles.txt (other keys of that file are kept).

    painting/             a painting with twelve holes in its frame
                          (hole1 to hole12) and the handle that turns in them
    map_puzzle/           a map with the four clue groups, each shown by its
                          clue event, and the spot where their lines cross
    crossword/            a 15 x 15 crossword of 181 letter cells, its grid
                          and word tables: the words are the letter runs of a
                          generated grid, "standard" and "novice" on some of
                          them, and the across answers listed beside it
    receipt/              the three parts of a torn receipt, two pictures each
    pc_desktop/           a desktop with a body chart of seven parts, seven
                          boxes, the folder and the staff roster
    chasephotopuzzle/     seven holiday photos dated on their fronts
    hotel_window/         the view from a window and a polaroid of part of it
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
has a name of its own: painting_, map_, crossword_, receipt_, pc_, chase_,
hotel_, dravo_, rs_, bat_, harp_, velmire_ and tape_.

    tools/make_more_puzzles.py [data folder]

tools/make_more_puzzle_sounds.py speaks the lines into data/sounds/.
"""
import math
import os
import random
import sys

from make_puzzles import (INK, SMALL, TEXT, TITLE, WHITE, arrow, back_button, backdrop, button, emit, plate,
                          sprite, title, update_subtitles, xy)
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
    # The numbers in the cells' lower left corners: the letters the player
    # writes and the printed ones stand in the upper part of the cell.
    for (r, c), number in starts.items():
        pen = c * CELL_W + 2
        for digit in str(number):
            figure = DIGITS[int(digit)]
            for i, bit in enumerate(figure):
                if bit == "1":
                    grid.put(pen + i % 3, r * CELL_H + CELL_H - 7 + i // 3, bgra(60, 60, 60))
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
        write(paper, folder, "receipt_piece%da.tga" % (part + 1))
        writing = Canvas(220, 110)
        for line, text in enumerate(RECEIPT_TEXT[part]):
            writing.centred_text(110, 34 + 34 * line, text, TEXT, bgra(40, 40, 120))
        write(writing, folder, "receipt_piece%db.tga" % (part + 1))
        event = "evt_receiptpuzzle_piece%d_added" % (part + 1)
        for kind, z in (("a", 5), ("b", 6)):
            id_ = "%d%s" % (part + 1, kind)
            sprites.append((id_, sprite(id_, "receipt_piece%d%s.tga" % (part + 1, kind), (290, 130 + 108 * part),
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


# --- shapes cut out of pictures ---------------------------------------------

# The seed of the room service cuts, the bat outlines and the tape layers.
SEED = 57


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


PUZZLES = [("painting", painting), ("map_puzzle", map_puzzle), ("crossword", crossword), ("receipt", receipt),
           ("pc_desktop", pc_desktop), ("chasephotopuzzle", chase_photos), ("hotel_window", hotel_window),
           ("dravobox", dravobox), ("roomservice_receipt", roomservice), ("baseball_bat", baseball_bat),
           ("harppuzzle", harppuzzle), ("surveillance_tapes", surveillance_tapes)]


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                              "data")
    puzzles = os.path.join(data, "textures", "puzzles")
    for name, make in PUZZLES:
        folder = os.path.join(puzzles, name)
        os.makedirs(folder, exist_ok=True)
        make(folder)
    computer = os.path.join(data, "textures", "expertcomputer")
    os.makedirs(computer, exist_ok=True)
    os.makedirs(os.path.join(puzzles, "velmire"), exist_ok=True)
    velmire(os.path.join(puzzles, "velmire"), computer)
    os.makedirs(os.path.join(data, "scenes"), exist_ok=True)
    update_subtitles(os.path.join(data, "scenes", "vo_subtitles.txt"), LINES)


if __name__ == "__main__":
    main()
