#!/usr/bin/env python3
"""Writes the sample case's close-up: the key rack behind the lobby's desk
(close-up "1kr01", viewpoint vp_desk of case01/lobby). Room twelve's key is
not on its hook but lies in its pigeonhole.

    data/scenes/case01/lobby/closeups_desk.txt    the close-up entry: its
        display group (picture, key, a movie), trigger state
        sta_cu_1kr01_visible, opened event evt_1kr01_opened, voice-overs
        by skill level, and the key's hotspot (look with a voice-over,
        collect gives the inventory item "brasskey")
    data/scenes/case01/lobby/keyrack_closeup.tga  800 x 600: the board of
        eighteen pigeonholes, room twelve's hook empty
    data/scenes/case01/lobby/keyrack_key.tga      the key in pigeonhole
        twelve (hidden once taken)
    data/scenes/vo_subtitles.txt                  the lines' texts (other
        keys of that file are kept)
    data/sounds/<line>.ogg                        the lines, spoken by
        espeak-ng and encoded by ffmpeg (Debian packages of those names)

The close-up's movie is the lobby's neon sign (data/movies/lobby_sign.mkv,
made by tools/make_sample_movies), on the wall above the board's right end
beside the painted title, found under "//dataroot/movies/" since the scene's
folder has none. The scene's own hotspot that opens the close-up
(its look sets the trigger state) stands in the desk's hotspot file.

    tools/make_closeups.py [data folder] [--no-sounds]
"""
import os
import subprocess
import sys
import tempfile

from make_puzzle_sounds import ffmpeg
from make_puzzles import emit, update_subtitles
from puzzle_art import Canvas, Font, bgra

CLOSEUP = "1kr01"
LINES = {
    "1kr01_rg": "The key rack. The hook for room twelve is empty, but something lies in its pigeonhole.",
    "hi40_rg": "Hint: click the key to look at it or to take it.",
    "1kr01a_rg": "The brass key to room twelve. Somebody dropped it in there instead of hanging it up.",
}

TITLE = Font("frizquadrata24", 30)
TEXT = Font("TW_CEN_MT16", 20)

WALL = bgra(138, 124, 86)
BOARD = bgra(92, 52, 30)
BOARD_EDGE = bgra(60, 32, 18)
HOLE = bgra(36, 20, 12)
BRASS = bgra(196, 160, 70)
BRASS_DARK = bgra(120, 92, 34)
INK = bgra(40, 34, 30)

# The board and its grid of 6 x 3 cells, numbered row by row from 1.
BOARD_BOX = (100, 70, 700, 490)
COLUMNS, ROWS = 6, 3
CELL_W = (BOARD_BOX[2] - BOARD_BOX[0]) // COLUMNS
CELL_H = (BOARD_BOX[3] - BOARD_BOX[1]) // ROWS
EMPTY_ROOM = 12
KEY_SIZE = (64, 24)


def cell(number):
    row, column = divmod(number - 1, COLUMNS)
    return BOARD_BOX[0] + column * CELL_W, BOARD_BOX[1] + row * CELL_H


def hole_box(number):
    x, y = cell(number)
    return x + 12, y + 12, x + CELL_W - 12, y + 70


def key_position():
    x0, y0, x1, y1 = hole_box(EMPTY_ROOM)
    return (x0 + x1 - KEY_SIZE[0]) // 2, y1 - KEY_SIZE[1] - 6


def key(canvas, cx, top):
    canvas.ring(cx, top + 8, 4, 8, BRASS)
    canvas.fill(cx - 2, top + 15, cx + 2, top + 44, BRASS)
    canvas.fill(cx + 2, top + 34, cx + 8, top + 38, BRASS)
    canvas.fill(cx + 2, top + 40, cx + 6, top + 44, BRASS)


def rack():
    canvas = Canvas(800, 600, WALL)
    canvas.fill(0, 520, 800, 600, bgra(70, 40, 24))
    x0, y0, x1, y1 = BOARD_BOX
    canvas.fill(x0 - 14, y0 - 14, x1 + 14, y1 + 14, BOARD_EDGE)
    canvas.fill(x0, y0, x1, y1, BOARD)
    for number in range(1, COLUMNS * ROWS + 1):
        x, y = cell(number)
        hx0, hy0, hx1, hy1 = hole_box(number)
        canvas.fill(hx0, hy0, hx1, hy1, HOLE)
        canvas.frame(hx0 - 2, hy0 - 2, hx1 + 2, hy1 + 2, BOARD_EDGE, 2)
        # The brass plate with the room number, then the hook.
        canvas.fill(x + 30, y + 78, x + CELL_W - 30, y + 98, BRASS)
        canvas.frame(x + 30, y + 78, x + CELL_W - 30, y + 98, BRASS_DARK)
        canvas.centred_text(x + CELL_W // 2, y + 88, str(number), TEXT, INK)
        hook_x = x + CELL_W // 2
        canvas.fill(hook_x - 3, y + 102, hook_x + 3, y + 110, BRASS_DARK)
        if number != EMPTY_ROOM:
            key(canvas, hook_x, y + 108)
    canvas.centred_text(400, 40, "THE MARLOWE HOTEL", TITLE, BRASS)
    return canvas


def lying_key():
    """The key on its side, its tag with the room number at the bow."""
    w, h = KEY_SIZE
    canvas = Canvas(w, h)
    canvas.fill(0, 2, 22, h - 2, BRASS)
    canvas.frame(0, 2, 22, h - 2, BRASS_DARK)
    canvas.centred_text(11, h // 2, "12", TEXT, INK)
    canvas.ring(28, h // 2, 3, 7, BRASS)
    canvas.fill(34, h // 2 - 2, w - 2, h // 2 + 2, BRASS)
    canvas.fill(w - 12, h // 2 + 2, w - 8, h // 2 + 8, BRASS)
    canvas.fill(w - 6, h // 2 + 2, w - 2, h // 2 + 6, BRASS)
    return canvas


def entry():
    ex, ey = key_position()
    ew, eh = KEY_SIZE
    taken = "evt_%s_key_taken" % CLOSEUP
    return [(CLOSEUP, [
        ("id", CLOSEUP),
        ("displaygroup", [
            ("id", CLOSEUP),
            ("sprites", [
                ("bg", [("id", "bg"), ("texture", "keyrack_closeup.tga")]),
                ("key", [("id", "key"), ("texture", "keyrack_key.tga"), ("position", "%d|%d" % (ex, ey)),
                         ("relativez", "10")]),
            ]),
            ("anims", [
                ("glow", [("id", "glow"), ("movie", "lobby_sign.mkv"), ("position", "614|27")]),
            ]),
        ]),
        ("triggerstate", "sta_cu_%s_visible" % CLOSEUP),
        ("openedevent", "evt_%s_opened" % CLOSEUP),
        ("voiceovers", [
            ("hint", "1kr01_rg|hi40_rg"),
            ("default", "1kr01_rg"),
        ]),
        ("hotspots", [
            ("key", [
                ("id", "key12"),
                ("type", "general"),
                ("enabled", "script[!event[%s]]" % taken),
                ("closeup", "true"),
                ("display", [("memberid", "key"), ("visible", "script[!event[%s]]" % taken)]),
                ("boundary", [("type", "rectangle"), ("coords", "0|0|%d|%d" % (ew, eh)),
                              ("position", "%d|%d" % (ex, ey))]),
                ("data", [
                    ("multicursor", [
                        ("position", "%d|%d" % (ex - 150, ey + eh)),
                        ("operatingid", "brasskey"),
                        ("look", [("enabled", "script[true]")]),
                        ("collect", [("enabled", "script[true]"), ("doneevents", taken)]),
                        ("use", [("enabled", "false")]),
                        ("analyze", [("enabled", "false")]),
                    ]),
                    ("voiceovers", [("look", "1kr01a_rg")]),
                ]),
            ]),
        ]),
    ])]


def speak(folder):
    os.makedirs(folder, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name, text in LINES.items():
            source = os.path.join(work, name + ".wav")
            subprocess.run(["espeak-ng", "-v", "en-us", "-s", "160", "-w", source, text], check=True)
            ffmpeg(source, os.path.join(folder, name + ".ogg"),
                   ["-ar", "16000", "-c:a", "libvorbis", "-q:a", "0", "-map_metadata", "-1"])


def main():
    arguments = [a for a in sys.argv[1:] if not a.startswith("--")]
    data = arguments[0] if arguments else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    lobby = os.path.join(data, "scenes", "case01", "lobby")
    os.makedirs(lobby, exist_ok=True)
    rack().write(os.path.join(lobby, "keyrack_closeup.tga"))
    lying_key().write(os.path.join(lobby, "keyrack_key.tga"))
    with open(os.path.join(lobby, "closeups_desk.txt"), "w", newline="\n") as out:
        out.write("// The close-ups of the lobby's desk viewpoint (vp_desk); written by\n"
                  "// tools/make_closeups.py. Positions are screen pixels.\n")
        out.write("\n".join(emit(entry())) + "\n")
    update_subtitles(os.path.join(data, "scenes", "vo_subtitles.txt"), LINES)
    if "--no-sounds" not in sys.argv:
        speak(os.path.join(data, "sounds"))


if __name__ == "__main__":
    main()
