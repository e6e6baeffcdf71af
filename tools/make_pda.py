#!/usr/bin/env python3
"""Writes the PDA's sample data into the data tree:

    textures/pda/pda_layout.txt            the PDA window: background, drag
                                           button, main menu, case displays,
                                           scroll bar and its two sets of
                                           coordinates and descriptions
    textures/pda/pda_minimized_layout.txt  the minimized bar
    textures/pda/inventory_layout.txt      the inventory's category buttons,
                                           content area, glow and grid box
    textures/pda/pda_frame.tga             460 x 290  the device
    textures/pda/pda_ui.tga                512 x 512  buttons, case displays,
                                           drag strip, scroll-bar parts
    textures/pda/pdamin.tga                256 x 256  the bar, its buttons
                                           and blinkers
    textures/pda/inv_ui.tga                128 x 64   grid box and glow
    textures/pda/inventory/inventory_items.txt         the sample items
    textures/pda/inventory/inventory_descriptions.txt  what "look" shows
    textures/pda/inventory/icon_layout.txt the three experts' badges
    textures/pda/inventory/inv_badges.tga  128 x 32   the badges
    textures/pda/inventory/inv_<key>.tga   64 x 64    one icon per item
                                           (the picture in its top-left
                                           56 x 47, the grid box's size)
    sounds/message.mp2                     0.4 s  the bar's notification,
                                           two soft beeps (MPEG layer II)
    assets/tooltips.txt                    the items' tooltips are put after
                                           the file's other entries

Needs ffmpeg (the Debian package of that name) for the sound; the build never
runs this, the outputs are committed.

    tools/make_pda.py [data]
"""
import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

from pda_art import Canvas, text_width

# Colours.
BODY = (46, 50, 58)
BODY_RIM = (98, 106, 120)
BODY_DARK = (30, 33, 39)
SCREEN = (14, 40, 44)
# The device's screen: light, so that the case log's black text reads.
LCD = (206, 216, 196)
SCREEN_RIM = (70, 120, 118)
TEXT = (222, 228, 236)
AMBER = (255, 196, 84)
TEAL = (120, 236, 220)
STEEL = (70, 76, 88)
STEEL_LIGHT = (96, 104, 120)
PRESSED = (24, 64, 66)

MENU_BUTTONS = ["map", "inventory", "phone", "log", "menu", "exit"]
CATEGORIES = ["witnesses", "evidence", "documents", "reports"]
CATEGORY_COLOURS = {
    "witnesses": (176, 200, 236),
    "evidence": (236, 206, 150),
    "documents": (238, 232, 210),
    "reports": (180, 222, 176),
}

# Where each picture lies in its atlas: name -> (x, y, width, height).
UI = {}
MINI = {}


def coords(cell):
    x, y, w, h = cell
    return "%d|%d|%d|%d" % (x, y, x + w - 1, y + h - 1)


def state_style(state):
    """Face, rim and label colours of a button state: n at rest, o under the
    pointer, x disabled (for the panel buttons: the panel shown now)."""
    return {
        "n": (STEEL, STEEL_LIGHT, TEXT),
        "o": (STEEL_LIGHT, AMBER, AMBER),
        "x": (PRESSED, TEAL, TEAL),
    }[state]


def button(canvas, x, y, w, h, label, state, scale=1):
    face, rim, ink = state_style(state)
    canvas.rounded(x, y, x + w, y + h, 4, rim)
    canvas.rounded(x + 1, y + 1, x + w - 1, y + h - 1, 3, face)
    canvas.centred_text(x, y, x + w, y + h, label, ink, scale)


def make_ui():
    canvas = Canvas(512, 512)
    states = ["n", "o", "x"]
    for row, name in enumerate(MENU_BUTTONS):
        for column, state in enumerate(states):
            cell = (column * 140, row * 28, 136, 26)
            button(canvas, cell[0], cell[1], cell[2], cell[3], name.upper(), state)
            UI["menu_%s_%s" % (name, state)] = cell
    for row, name in enumerate(CATEGORIES):
        for column, state in enumerate(states):
            cell = (column * 62, 172 + row * 26, 60, 24)
            button(canvas, cell[0], cell[1], cell[2], cell[3], name.upper(), state)
            UI["cat_%s_%s" % (name, state)] = cell
    for i, label in enumerate(["CASE 1", "CASE 2", "CASE 3", "CASE 4", "NO CASE"]):
        cell = (200, 172 + i * 24, 136, 22)
        canvas.rounded(cell[0], cell[1], cell[0] + 136, cell[1] + 22, 3, SCREEN_RIM)
        canvas.rect(cell[0] + 2, cell[1] + 2, cell[0] + 134, cell[1] + 20, SCREEN)
        canvas.centred_text(cell[0], cell[1], cell[0] + 136, cell[1] + 22, label, TEAL)
        UI["case_%d" % (i + 1)] = cell
    for i, (state, colour) in enumerate([("n", BODY_RIM), ("o", AMBER)]):
        cell = (0, 300 + i * 20, 444, 18)
        canvas.rect(cell[0], cell[1], cell[0] + 444, cell[1] + 18, (0, 0, 0, 0))
        for gx in range(6, 438, 6):
            canvas.rect(gx, cell[1] + 7, gx + 3, cell[1] + 11, colour)
        label = "POCKET DATA ASSISTANT"
        lx = (444 - text_width(label)) // 2
        canvas.rect(lx - 6, cell[1] + 1, lx + text_width(label) + 6, cell[1] + 17, BODY)
        canvas.text(lx, cell[1] + 5, label, colour)
        UI["drag_" + state] = cell
    # Scroll bar: arrows, thumb and track.
    for column, state in enumerate(states):
        face, rim, ink = state_style(state)
        for kind, x0 in (("up", 0), ("down", 54)):
            cell = (x0 + column * 18, 344, 16, 16)
            canvas.rounded(cell[0], cell[1], cell[0] + 16, cell[1] + 16, 3, rim)
            canvas.rounded(cell[0] + 1, cell[1] + 1, cell[0] + 15, cell[1] + 15, 2, face)
            cx = cell[0] + 8
            if kind == "up":
                canvas.line(cx - 4, cell[1] + 10, cx, cell[1] + 5, 2, ink)
                canvas.line(cx, cell[1] + 5, cx + 4, cell[1] + 10, 2, ink)
            else:
                canvas.line(cx - 4, cell[1] + 6, cx, cell[1] + 11, 2, ink)
                canvas.line(cx, cell[1] + 11, cx + 4, cell[1] + 6, 2, ink)
            UI["%s_%s" % (kind, state)] = cell
        cell = (108 + column * 18, 344, 16, 24)
        canvas.rounded(cell[0], cell[1], cell[0] + 16, cell[1] + 24, 4, rim)
        canvas.rounded(cell[0] + 2, cell[1] + 2, cell[0] + 14, cell[1] + 22, 3, face)
        for gy in (8, 11, 14):
            canvas.rect(cell[0] + 5, cell[1] + gy, cell[0] + 11, cell[1] + gy + 1, ink)
        UI["bar_" + state] = cell
    cell = (170, 344, 16, 137)
    canvas.rect(cell[0] + 5, cell[1], cell[0] + 11, cell[1] + 137, BODY_DARK)
    canvas.rect(cell[0] + 7, cell[1], cell[0] + 9, cell[1] + 137, SCREEN_RIM)
    UI["track"] = cell
    return canvas


def make_frame():
    canvas = Canvas(460, 290)
    canvas.rounded(0, 0, 460, 290, 22, BODY_RIM)
    canvas.rounded(2, 2, 458, 288, 20, BODY)
    canvas.gradient(8, 30, 452, 36, (58, 63, 73), BODY)
    # The screen.
    canvas.rounded(158, 46, 450, 252, 8, SCREEN_RIM)
    canvas.rounded(161, 49, 447, 249, 6, LCD)
    # The menu's recess and the speaker grille.
    canvas.rounded(8, 34, 156, 232, 6, BODY_DARK)
    for gx in range(176, 430, 8):
        canvas.disc(gx, 268, 2.0, BODY_DARK)
    return canvas


def make_mini():
    canvas = Canvas(256, 256)
    cell = (0, 0, 170, 100)
    canvas.rounded(0, 0, 170, 100, 12, BODY_RIM)
    canvas.rounded(2, 2, 168, 98, 10, BODY)
    canvas.rounded(68, 22, 140, 96, 5, SCREEN_RIM)
    canvas.rect(70, 24, 138, 94, SCREEN)
    for i, label in enumerate(["MAP", "PHONE", "EVID"]):
        y = 26 + i * 24
        canvas.rounded(6, y, 60, y + 18, 3, BODY_DARK)
        canvas.centred_text(6, y, 60, y + 18, label, STEEL_LIGHT)
    MINI["bar"] = cell
    for i, (state, colour) in enumerate([("n", BODY_RIM), ("o", AMBER)]):
        cell = (0, 104 + i * 18, 170, 16)
        canvas.rounded(cell[0], cell[1], cell[0] + 170, cell[1] + 16, 6, BODY_DARK)
        canvas.centred_text(cell[0], cell[1], cell[0] + 170, cell[1] + 16, "PDA", colour)
        for gx in (12, 18, 24, 140, 146, 152):
            canvas.rect(cell[0] + gx, cell[1] + 5, cell[0] + gx + 3, cell[1] + 11, colour)
        MINI["move_" + state] = cell
    for i, state in enumerate(["n", "o"]):
        face, rim, ink = state_style(state)
        cell = (i * 24, 142, 22, 22)
        canvas.rounded(cell[0], cell[1], cell[0] + 22, cell[1] + 22, 4, rim)
        canvas.rounded(cell[0] + 1, cell[1] + 1, cell[0] + 21, cell[1] + 21, 3, face)
        canvas.text(cell[0] + 3, cell[1] + 4, "+", ink, 2)
        MINI["maximize_" + state] = cell
    for i, label in enumerate(["MAP", "PHONE", "EVID"]):
        cell = (50 + i * 56, 142, 54, 18)
        canvas.rounded(cell[0], cell[1], cell[0] + 54, cell[1] + 18, 3, AMBER)
        canvas.centred_text(cell[0], cell[1], cell[0] + 54, cell[1] + 18, label, BODY_DARK)
        MINI["blink_%d" % i] = cell
    return canvas


def make_inventory_ui():
    canvas = Canvas(128, 64)
    canvas.rounded(0, 0, 56, 47, 5, (40, 88, 90))
    canvas.rounded(1, 1, 55, 46, 4, (20, 52, 56))
    canvas.rounded(60, 0, 116, 47, 6, (255, 214, 120, 200))
    canvas.rounded(63, 3, 113, 44, 4, (255, 214, 120, 60))
    return canvas


BADGES = [("crimelab", "LAB", (214, 70, 60)), ("research", "RES", (70, 110, 214)),
          ("surveillance", "SURV", (90, 160, 70))]


def make_badges():
    canvas = Canvas(128, 32)
    for i, (_, label, colour) in enumerate(BADGES):
        x = i * 32
        canvas.rounded(x, 0, x + 30, 14, 3, (250, 250, 250))
        canvas.rounded(x + 1, 1, x + 29, 13, 2, colour)
        canvas.centred_text(x, 0, x + 30, 14, label, (255, 255, 255))
    return canvas


# Pictograms drawn inside the card, (x, y) its top-left, 52 x 30 of room.
def draw_person(c, x, y, ink):
    c.disc(x + 26, y + 9, 7, ink)
    c.rounded(x + 14, y + 18, x + 38, y + 34, 8, ink)


def draw_envelope(c, x, y, ink):
    c.rect(x + 10, y + 6, x + 42, y + 28, ink)
    c.rect(x + 12, y + 8, x + 40, y + 26, (250, 246, 232))
    c.line(x + 12, y + 8, x + 26, y + 19, 2, ink)
    c.line(x + 40, y + 8, x + 26, y + 19, 2, ink)


def draw_key(c, x, y, ink):
    c.disc(x + 15, y + 17, 8, ink)
    c.disc(x + 15, y + 17, 3.5, (250, 246, 232))
    c.line(x + 22, y + 17, x + 44, y + 17, 4, ink)
    c.rect(x + 36, y + 17, x + 39, y + 25, ink)
    c.rect(x + 41, y + 17, x + 44, y + 23, ink)


def draw_cufflink(c, x, y, ink):
    c.disc(x + 20, y + 16, 10, ink)
    c.disc(x + 20, y + 16, 8, (214, 178, 72))
    c.disc(x + 20, y + 16, 3, (250, 226, 140))
    c.line(x + 29, y + 18, x + 38, y + 22, 3, ink)
    c.rounded(x + 36, y + 17, x + 44, y + 27, 3, ink)


def draw_photo(c, x, y, ink):
    c.rect(x + 10, y + 5, x + 42, y + 31, ink)
    c.rect(x + 12, y + 7, x + 40, y + 25, (130, 160, 190))
    c.disc(x + 20, y + 13, 3, (250, 230, 150))
    c.line(x + 14, y + 24, x + 24, y + 16, 2, (60, 90, 60))
    c.line(x + 24, y + 16, x + 38, y + 24, 2, (60, 90, 60))


def draw_band(c, x, y, ink):
    c.rounded(x + 8, y + 10, x + 44, y + 24, 6, ink)
    c.rect(x + 20, y + 12, x + 32, y + 22, (250, 220, 120))
    c.disc(x + 26, y + 17, 3, ink)


def draw_paper(c, x, y, ink):
    c.rect(x + 14, y + 3, x + 38, y + 33, ink)
    c.rect(x + 15, y + 4, x + 37, y + 32, (252, 250, 244))
    for ly in range(9, 30, 5):
        c.rect(x + 18, y + ly, x + 34, y + ly + 1, ink)


def draw_report(c, x, y, ink):
    c.rect(x + 13, y + 5, x + 39, y + 33, ink)
    c.rect(x + 14, y + 6, x + 38, y + 32, (252, 250, 244))
    c.rect(x + 20, y + 2, x + 32, y + 8, (120, 120, 130))
    c.line(x + 17, y + 18, x + 21, y + 22, 2, (40, 140, 60))
    c.line(x + 21, y + 22, x + 28, y + 13, 2, (40, 140, 60))
    for ly in (25, 29):
        c.rect(x + 17, y + ly, x + 35, y + ly + 1, ink)


def draw_scrap(c, x, y, ink):
    c.rect(x + 14, y + 5, x + 38, y + 29, (252, 250, 244))
    for zx in range(14, 38, 4):
        c.line(x + zx, y + 29, x + zx + 2, y + 33, 1.5, (252, 250, 244))
    for ly in (9, 14, 19, 24):
        c.rect(x + 17, y + ly, x + 35, y + ly + 1, ink)


def draw_bat(c, x, y, ink):
    c.line(x + 10, y + 30, x + 42, y + 6, 4, ink)
    c.line(x + 24, y + 20, x + 42, y + 6, 7, ink)


def draw_matchbook(c, x, y, ink):
    c.rect(x + 12, y + 8, x + 40, y + 30, ink)
    c.rect(x + 14, y + 10, x + 38, y + 20, (220, 60, 50))
    c.disc(x + 26, y + 25, 2.5, (250, 220, 120))


def draw_glove(c, x, y, ink):
    c.rounded(x + 16, y + 14, x + 36, y + 33, 5, ink)
    for fx in (17, 22, 27, 32):
        c.rounded(x + fx, y + 4, x + fx + 4, y + 18, 2, ink)


def draw_ticket(c, x, y, ink):
    c.rect(x + 8, y + 10, x + 44, y + 26, ink)
    c.rect(x + 9, y + 11, x + 43, y + 25, (250, 238, 200))
    c.disc(x + 8, y + 18, 3, (0, 0, 0, 0))
    for ly in (14, 18, 22):
        c.rect(x + 14, y + ly, x + 38, y + ly + 1, ink)


# Per case: (key, type, label, pictogram, tooltip). Keys are the sprite ids.
ITEMS = {
    1: [
        ("clerk", "witnesses", "CLERK", draw_person, "Mara Velde, desk clerk"),
        ("manager", "witnesses", "MANAGER", draw_person, "Desmond Hale, hotel manager"),
        ("brasskey", "evidence", "KEY", draw_key, "Brass key to room 12"),
        ("1cn05", "evidence", "BAND", draw_band, "Cigar band"),
        ("1cs03", "evidence", "PHOTO", draw_photo, "Photograph from behind the painting"),
        ("1rb01", "evidence", "CUFFLINK", draw_cufflink, "Gold cufflink from the riverbank"),
        ("letter", "documents", "LETTER", draw_envelope, "Letter to the manager"),
        ("register", "documents", "REGISTER", draw_paper, "Page of the guest register"),
        ("report1", "reports", "REPORT", draw_report, "Coroner's report"),
    ],
    2: [
        ("porter", "witnesses", "PORTER", draw_person, "Ansel Brook, night porter"),
        ("matchbook", "evidence", "MATCHES", draw_matchbook, "Matchbook from the Blue Lantern"),
        ("2ls08", "documents", "ROSTER", draw_paper, "Staff roster"),
        ("report2", "reports", "REPORT", draw_report, "Fingerprint report"),
    ],
    3: [
        ("maid", "witnesses", "MAID", draw_person, "Ilse Marren, chambermaid"),
        ("3tc07", "evidence", "SCRAP 1", draw_scrap, "Receipt scrap"),
        ("3tc08", "evidence", "SCRAP 2", draw_scrap, "Receipt scrap"),
        ("3tc09", "evidence", "SCRAP 3", draw_scrap, "Receipt scrap"),
        ("3wh02", "evidence", "BAT", draw_bat, "Baseball bat"),
        ("3pm17", "documents", "POLAROID", draw_photo, "Polaroid of the harbour"),
        ("report3", "reports", "REPORT", draw_report, "Surveillance log"),
    ],
    4: [
        ("driver", "witnesses", "DRIVER", draw_person, "Otto Fenn, cab driver"),
        ("glove", "evidence", "GLOVE", draw_glove, "Leather glove"),
        ("ticket", "documents", "TICKET", draw_ticket, "Ferry ticket"),
        ("report4", "reports", "REPORT", draw_report, "Ballistics report"),
    ],
}

DESCRIPTIONS = """// What "look" shows of an item, by display id: the first entry without
// "active", or whose "active" script holds, gives its "text" ("|" between
// lines). Made by tools/make_pda.py.
letter
	read
		active=script[e[evt_letter_read]]
		text=The letter to the manager, read twice now.|Someone wanted the clerk to keep quiet.
	sealed
		text=A sealed letter addressed to the manager.|The postmark is from Port Kestrel.
brasskey
	plain
		text=A brass key on a red tag: room 12.
clerk
	plain
		text=Mara Velde has kept the front desk for nine years.
manager
	plain
		text=Desmond Hale has run the Marlowe for twenty years.|He was out the night of the break-in, he says.
1cn05
	plain
		text=A cigar band, pieced together.|The brand is sold in one shop in town.
1cs03
	plain
		text=A photograph hidden behind the painting.
1rb01
	plain
		text=A gold cufflink engraved N.R., found in the mud by the river.
report1
	plain
		text=The coroner puts the time of death near midnight.
"""


def item_icon(key, category, label, draw):
    canvas = Canvas(64, 64)
    card = CATEGORY_COLOURS[category]
    ink = (40, 44, 54)
    canvas.rounded(1, 1, 55, 46, 5, ink)
    canvas.rounded(2, 2, 54, 45, 4, card)
    draw(canvas, 2, 1, ink)
    canvas.centred_text(2, 35, 54, 45, label, ink)
    return canvas


def write(path, data, mode="w"):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, mode + ("b" if isinstance(data, bytes) else "")) as out:
        out.write(data)


def sprite_lines(indent, ident, texture, cell, extra=()):
    pad = "\t" * indent
    lines = [pad + "id=" + ident, pad + "texture=" + texture, pad + "texturecoords=" + coords(cell)]
    return lines + [pad + line for line in extra]


def button_lines(indent, ident, position, cells, texture, z=None):
    """A button entry: its states from the cells by state letter."""
    pad = "\t" * indent
    lines = [pad + ident, pad + "\tid=" + ident, pad + "\tposition=%d|%d" % position]
    if z is not None:
        lines.append(pad + "\trelativez=%d" % z)
    lines.append(pad + "\tstates")
    for state, cell in cells:
        lines.append(pad + "\t\t" + state)
        lines.append(pad + "\t\t\tid=%s_%s" % (ident, state))
        lines.append(pad + "\t\t\tstatetype=" + state)
        lines.append(pad + "\t\t\tobjecttype=sprite")
        lines += sprite_lines(indent + 3, "%s_%s" % (ident, state), texture, cell)[1:]
    return lines


def pda_layout():
    lines = [
        "// The PDA window (MGPDA); its pictures are under //textures/pda. Made by",
        "// tools/make_pda.py.",
        "groups",
        "\tg01-background",
        "\t\tid=background",
        "\t\tsprites",
        "\t\t\tframe",
        "\t\t\t\tid=frame",
        "\t\t\t\ttexture=pda_frame.tga",
        "\tg02-active_case",
    ]
    for n in range(1, 6):
        lines.append("\t\t" + ("case%d" % n if n < 5 else "nocase"))
        lines.append("\t\t\tdisplay=" + ("script[s[sta_selectedcase]==%d]" % n if n < 5 else "script[true]"))
        lines += sprite_lines(3, "case_display", "pda_ui.tga", UI["case_%d" % n],
                              ["position=14|252", "relativez=5"])
    lines += ["\tg03-mainmenu", "\t\tid=mainmenu", "\t\trelativez=20", "\t\tbuttons"]
    for i, name in enumerate(MENU_BUTTONS):
        lines += button_lines(3, name, (14, 40 + 32 * i),
                              [(s, UI["menu_%s_%s" % (name, s)]) for s in ("n", "o", "x")], "pda_ui.tga")
    lines += ["\tg03b-dragbutton", "\t\tbuttons"]
    lines += button_lines(3, "b01", (8, 6), [("n", UI["drag_n"]), ("o", UI["drag_o"])], "pda_ui.tga", 20)
    # The drag button's id is "dragbutton"; its entry is "b01".
    lines = [line.replace("id=b01", "id=dragbutton") for line in lines]
    lines += [
        "\tg04-scrollbar",
        "\t\tid=scrollbar",
        "\t\trelativez=25",
        "\t\tsprites",
        "\t\t\ttrack",
    ]
    lines += sprite_lines(4, "track", "pda_ui.tga", UI["track"], ["position=425|85"])
    lines += ["\t\tbuttons"]
    lines += button_lines(3, "uparrow", (425, 85), [(s, UI["up_" + s]) for s in ("n", "o", "x")], "pda_ui.tga", 2)
    lines += button_lines(3, "downarrow", (425, 206), [(s, UI["down_" + s]) for s in ("n", "o", "x")], "pda_ui.tga",
                          2)
    lines += button_lines(3, "bar", (425, 101), [(s, UI["bar_" + s]) for s in ("n", "o", "x")], "pda_ui.tga", 3)
    lines += [
        "\tg04b-scrollbarcoords_regular",
        "\t\ttrack=425|85|1|1",
        "\t\tuparrow=425|85",
        "\t\tbar=425|101",
        "\t\tdownarrow=425|206",
        "\tg04c-scrollbarcoords_map",
        "\t\ttrack=425|70|1|1.1095",
        "\t\tuparrow=425|70",
        "\t\tbar=425|86",
        "\t\tdownarrow=425|206",
        "misc",
    ]
    for name, area, height in (("scrollbarspecs", 105, 137), ("scrollbarspecs_map", 120, 152)):
        lines += [
            "\t" + name,
            "\t\tdownarrowid=downarrow",
            "\t\tuparrowid=uparrow",
            "\t\tbarid=bar",
            "\t\tbarheight=24",
            "\t\tbarareaheight=%d" % area,
            "\t\tcontentheight=%d" % height,
            "\t\tcontentstartpos=0|0",
            "\t\tscrollareaheight=%d" % height,
            "\t\tscrollincrement=49",
        ]
    return "\n".join(lines) + "\n"


def minimized_layout():
    lines = [
        "// The PDA's minimized bar (MGPDAMinimized); its pictures are under",
        "// //textures/pda. Made by tools/make_pda.py.",
        "groups",
        "\tlayout",
        "\t\tid=layout",
        "\t\tposition=610|480",
        "\t\tsprites",
        "\t\t\tbar",
    ]
    lines += sprite_lines(4, "bar", "pdamin.tga", MINI["bar"])
    lines += ["\t\tgroups", "\t\t\tblinkers", "\t\t\t\tid=blinkers", "\t\t\t\trelativez=5", "\t\t\t\tsprites"]
    for i, name in enumerate(["icon_map", "icon_phone", "icon_evidence"]):
        lines.append("\t\t\t\t\t" + name)
        lines += sprite_lines(6, name, "pdamin.tga", MINI["blink_%d" % i], ["position=6|%d" % (26 + 24 * i)])
    lines += ["\t\tbuttons"]
    lines += button_lines(3, "move", (0, 0), [(s, MINI["move_" + s]) for s in ("n", "o")], "pdamin.tga", 10)
    lines += button_lines(3, "maximize", (142, 40), [(s, MINI["maximize_" + s]) for s in ("n", "o")], "pdamin.tga",
                          10)
    return "\n".join(lines) + "\n"


def inventory_layout():
    lines = [
        "// The inventory panel (MGInventoryPanel): the category buttons (in",
        "// category order), the content area the grids go in, the glow and the",
        "// grid box; pictures under //textures/pda. Made by tools/make_pda.py.",
        "groups",
        "\tg01-inventorymenu",
        "\t\tid=inventorymenu",
        "\t\tbuttons",
    ]
    for i, name in enumerate(CATEGORIES):
        lines += button_lines(3, name, (171 + 62 * i, 56), [(s, UI["cat_%s_%s" % (name, s)]) for s in ("n", "o", "x")],
                              "pda_ui.tga")
    lines += [
        "\tg02-contentarea",
        "\t\tid=contentarea",
        "misc",
        "\tglow",
    ]
    lines += sprite_lines(2, "glow", "inv_ui.tga", (60, 0, 56, 47))
    lines += ["\tcontentareasprite"]
    lines += sprite_lines(2, "gridbox", "inv_ui.tga", (0, 0, 56, 47))
    return "\n".join(lines) + "\n"


def items_file():
    lines = [
        "// The inventory's items by case: type (witnesses, evidence, documents,",
        "// reports) and sprite (its id is the item's display id and tooltip key;",
        "// pictures under //textures/pda/inventory). Made by tools/make_pda.py.",
        "items",
    ]
    for case, items in ITEMS.items():
        lines.append("\tcase%d" % case)
        for key, category, _, _, _ in items:
            lines += ["\t\t" + key, "\t\t\ttype=" + category, "\t\t\tsprite"]
            lines += sprite_lines(4, key, "inv_%s.tga" % key, (0, 0, 56, 47))
    return "\n".join(lines) + "\n"


def icon_layout():
    lines = ["// The badges of the experts' results (MGInventoryItem). Made by tools/make_pda.py."]
    for i, (name, _, _) in enumerate(BADGES):
        lines.append(name)
        lines += sprite_lines(1, "badge_" + name, "inv_badges.tga", (i * 32, 0, 30, 14))
    return "\n".join(lines) + "\n"


TOOLTIP_HEADER = "// The inventory's items, by sprite id (tools/make_pda.py)."


def update_tooltips(path):
    keys = {key for items in ITEMS.values() for key, _, _, _, _ in items}
    kept = []
    if os.path.exists(path):
        with open(path) as source:
            for line in source.read().splitlines():
                if line == TOOLTIP_HEADER or line.split("=", 1)[0] in keys:
                    continue
                kept.append(line)
    kept.append(TOOLTIP_HEADER)
    for items in ITEMS.values():
        for key, _, _, _, tooltip in items:
            kept.append("%s=%s" % (key, tooltip))
    write(path, "\n".join(kept) + "\n")


def message_sound(path):
    rate = 22050
    samples = []
    for start, frequency in ((0.0, 1320.0), (0.16, 1760.0)):
        count = int(0.14 * rate)
        first = int(start * rate)
        samples += [0.0] * (first - len(samples))
        for i in range(count):
            t = i / rate
            level = 0.35 * min(1.0, t / 0.005) * math.exp(-18.0 * t)
            samples.append(level * math.sin(2.0 * math.pi * frequency * t))
    samples += [0.0] * (int(0.4 * rate) - len(samples))
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "message.wav")
        with wave.open(source, "wb") as out:
            out.setnchannels(1)
            out.setsampwidth(2)
            out.setframerate(rate)
            out.writeframes(b"".join(struct.pack("<h", round(s * 32767)) for s in samples))
        subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-i", source, "-ac", "1", "-ar",
                        "22050", "-c:a", "mp2", "-b:a", "64k", path], check=True)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    pda = os.path.join(data, "textures", "pda")
    inventory = os.path.join(pda, "inventory")
    write(os.path.join(pda, "pda_ui.tga"), make_ui().tga())
    write(os.path.join(pda, "pda_frame.tga"), make_frame().tga())
    write(os.path.join(pda, "pdamin.tga"), make_mini().tga())
    write(os.path.join(pda, "inv_ui.tga"), make_inventory_ui().tga())
    write(os.path.join(pda, "pda_layout.txt"), pda_layout())
    write(os.path.join(pda, "pda_minimized_layout.txt"), minimized_layout())
    write(os.path.join(pda, "inventory_layout.txt"), inventory_layout())
    write(os.path.join(inventory, "inv_badges.tga"), make_badges().tga())
    for items in ITEMS.values():
        for key, category, label, draw, _ in items:
            write(os.path.join(inventory, "inv_%s.tga" % key), item_icon(key, category, label, draw).tga())
    write(os.path.join(inventory, "inventory_items.txt"), items_file())
    write(os.path.join(inventory, "inventory_descriptions.txt"), DESCRIPTIONS)
    write(os.path.join(inventory, "icon_layout.txt"), icon_layout())
    update_tooltips(os.path.join(data, "assets", "tooltips.txt"))
    message_sound(os.path.join(data, "sounds", "message.mp2"))


if __name__ == "__main__":
    main()
