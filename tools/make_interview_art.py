#!/usr/bin/env python3
"""Writes the interview window's shared layout and its pictures into
data/textures/interview/ (32-bit run-length TGA files, top row first):

    interview_layout.txt   the layout the interview manager and the topic
                           list read (see below)
    iv_panel.tga           372 x 268  the window: dark wood panels in a brass rim
    iv_title_<s>.tga       340 x 22   the title bar the window is dragged by
    iv_exit_<s>.tga         22 x 20   the close button, a cross
    iv_mode_<k>_<s>.tga     40 x 34   a mode button: its letter on a plate
                                      (k: conf, decp, flat, stra, empa)
    iv_meter_bg.tga         72 x 72   the gauge's dark disc (drawn 3 px off,
                                      as its shadow)
    iv_meter_top.tga        72 x 72   the gauge's rim, open in the middle
    iv_meter_red.tga        80 x 80   the red glow of a full bad side
    iv_meter_green.tga      80 x 80   the green glow of a full good side
    meter_good.tga           8 x 8    the good segments' colour
    meter_bad.tga            8 x 8    the bad segments' colour
    iv_sb_track.tga         14 x 212  the scroll bar's track
    iv_sb_<part>_<s>.tga    14 x 14   up and down arrows, 14 x 22 the bar
    iv_topic_<part>_<a>.tga           a topic button's left cap (8 x 24),
                                      middle (11 x 24, scaled by 12) and
                                      right cap (8 x 24) for the looks
                                      n (rest), o (over), h (hilighted and
                                      pressed), x (answered)
    iv_checkmark.tga        16 x 16   a tick (expert interviews)
    iv_hourglass.tga        16 x 16   an hourglass (expert interviews)

<s> is n (rest), o (under the pointer), x (disabled), d (pressed).

The layout's nodes: groups.interface.sprites (the panel), groups.interface.
buttons (btn_drag, btn_exit), groups.modes (the five mode_<k> buttons in a
column on the left), groups.meter.sprites (bg, top, redglow, greenglow,
each centred on its position), groups.scrollbar.sprites and .buttons
(btnarrowup, btnarrowdn, btnbar at x 345; the topic list scrolls beside
them from (172, 45)), misc.topicbutton<n|o|h|x> (left_cap, middle,
right_cap) and misc.checkmark, misc.hourglass. Positions are relative to
the window's corner; the meter's centre stands at (117, 150).

    tools/make_interview_art.py [data/textures/interview]
"""
import math
import os
import sys

from make_layout_sample import tga

MODES = ["conf", "decp", "flat", "stra", "empa"]
LETTERS = {"conf": "C", "decp": "D", "flat": "F", "stra": "S", "empa": "E"}

GLYPHS = {
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
}

CLEAR = (0, 0, 0, 0)
BRASS = (60, 150, 200, 255)  # B, G, R, A
BRASS_DARK = (20, 70, 110, 255)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(4))


def panel(width, height):
    def pixel(x, y):
        if x < 2 or y < 2 or x >= width - 2 or y >= height - 2:
            return BRASS
        if x < 4 or y < 4 or x >= width - 4 or y >= height - 4:
            return BRASS_DARK
        # Broad bands of darker wood, so each row packs into a few runs.
        shade = 40 - y // 24 + (4 if (x // 62) % 2 else 0)
        return (shade, shade + 10, shade + 24, 235)
    return pixel


def title(width, height, light):
    def pixel(x, y):
        if y == height - 1:
            return BRASS_DARK
        base = 70 if light else 48
        shade = base + (height - y) * 2
        return (shade // 2, shade, shade + 30, 255)
    return pixel


def cross(size_x, size_y, face, ink):
    def pixel(x, y):
        if x == 0 or y == 0 or x == size_x - 1 or y == size_y - 1:
            return BRASS_DARK
        cx, cy = x - (size_x - 1) / 2.0, y - (size_y - 1) / 2.0
        if abs(abs(cx) - abs(cy)) < 1.2 and abs(cx) < 5.5:
            return ink
        return face
    return pixel


def letter_plate(letter, face, rim, ink, width=40, height=34, scale=3):
    glyph = GLYPHS[letter]
    left = (width - 5 * scale) // 2
    top = (height - 7 * scale) // 2

    def pixel(x, y):
        if x < 2 or y < 2 or x >= width - 2 or y >= height - 2:
            return rim
        gx, gy = x - left, y - top
        if 0 <= gx < 5 * scale and 0 <= gy < 7 * scale and glyph[gy // scale][gx // scale] == "1":
            return ink
        return face
    return pixel


def disc(size, radius, inner, colour_at):
    """A disc (inner = 0) or ring of the size's square, soft at its edges."""
    def pixel(x, y):
        cx, cy = x + 0.5 - size / 2.0, y + 0.5 - size / 2.0
        d = math.hypot(cx, cy)
        cover = max(0.0, min(1.0, radius - d + 0.5))
        if inner > 0:
            cover = min(cover, max(0.0, min(1.0, d - inner + 0.5)))
        if cover <= 0:
            return CLEAR
        b, g, r, a = colour_at(d)
        return (b, g, r, int(a * cover))
    return pixel


def solid(colour):
    return lambda x, y: colour


def arrow(up, face, ink):
    def pixel(x, y):
        if x == 0 or y == 0 or x == 13 or y == 13:
            return BRASS_DARK
        row = y - 4 if up else 9 - y
        if 0 <= row <= 5 and abs(x - 6.5) <= row * 0.9 + 0.5:
            return ink
        return face
    return pixel


def bar(face):
    def pixel(x, y):
        if x == 0 or y == 0 or x == 13 or y == 21:
            return BRASS_DARK
        if y in (8, 11, 14) and 3 <= x <= 10:
            return BRASS
        return face
    return pixel


def track(x, y):
    if x == 0 or x == 13:
        return BRASS_DARK
    return (26, 30, 36, 220)


TOPIC_LOOKS = {
    "n": ((60, 46, 30, 255), (110, 90, 60, 255)),
    "o": ((80, 66, 44, 255), (90, 190, 240, 255)),
    "h": ((96, 78, 50, 255), (80, 160, 210, 255)),
    "x": ((44, 44, 44, 255), (90, 90, 90, 255)),
}


def topic_part(part, look):
    face, rim = TOPIC_LOOKS[look]

    def pixel(x, y):
        width = 11 if part == "middle" else 8
        if y == 0 or y == 23:
            return rim
        if part == "left" and x == 0:
            return rim
        if part == "right" and x == width - 1:
            return rim
        shade = face if y > 3 else mix(face, (255, 255, 255, 255), 0.15)
        return shade
    return pixel


def checkmark(x, y):
    cx, cy = x + 0.5, y + 0.5
    on_short = abs((cx - 3) - (cy - 8)) < 1.6 and 3 <= cx <= 7
    on_long = abs((cx - 7) + (cy - 12)) < 1.6 and 7 <= cx <= 14
    return (40, 200, 60, 255) if on_short or on_long else CLEAR


def hourglass(x, y):
    if y in (1, 14) and 3 <= x <= 12:
        return BRASS
    half = abs(y - 7.5)
    if 2 <= y <= 13 and abs(x - 7.5) <= half * 0.7 + 0.5:
        return (120, 200, 230, 255) if y > 7 else (60, 120, 160, 255)
    return CLEAR


def pictures():
    files = {
        "iv_panel.tga": tga(372, 268, panel(372, 268)),
        "iv_title_n.tga": tga(340, 22, title(340, 22, False)),
        "iv_title_o.tga": tga(340, 22, title(340, 22, True)),
        "iv_exit_n.tga": tga(22, 20, cross(22, 20, (40, 40, 70, 255), (200, 200, 220, 255))),
        "iv_exit_o.tga": tga(22, 20, cross(22, 20, (40, 40, 150, 255), (255, 255, 255, 255))),
        "iv_meter_bg.tga": tga(72, 72, disc(72, 35, 0, lambda d: (20, 20, 24, 230))),
        "iv_meter_top.tga": tga(72, 72, disc(72, 35, 31.5, lambda d: BRASS)),
        "iv_meter_red.tga": tga(80, 80, disc(80, 39, 30, lambda d: (40, 40, 255, int(200 * (1 - abs(d - 34.5) / 5))))),
        "iv_meter_green.tga": tga(80, 80, disc(80, 39, 30,
                                               lambda d: (60, 255, 60, int(200 * (1 - abs(d - 34.5) / 5))))),
        "meter_good.tga": tga(8, 8, solid((60, 200, 70, 255))),
        "meter_bad.tga": tga(8, 8, solid((50, 50, 210, 255))),
        "iv_sb_track.tga": tga(14, 212, track),
        "iv_sb_up_n.tga": tga(14, 14, arrow(True, (60, 46, 30, 255), (200, 200, 200, 255))),
        "iv_sb_up_o.tga": tga(14, 14, arrow(True, (80, 66, 44, 255), (90, 190, 240, 255))),
        "iv_sb_up_x.tga": tga(14, 14, arrow(True, (40, 40, 40, 255), (90, 90, 90, 255))),
        "iv_sb_dn_n.tga": tga(14, 14, arrow(False, (60, 46, 30, 255), (200, 200, 200, 255))),
        "iv_sb_dn_o.tga": tga(14, 14, arrow(False, (80, 66, 44, 255), (90, 190, 240, 255))),
        "iv_sb_dn_x.tga": tga(14, 14, arrow(False, (40, 40, 40, 255), (90, 90, 90, 255))),
        "iv_sb_bar_n.tga": tga(14, 22, bar((70, 56, 38, 255))),
        "iv_sb_bar_o.tga": tga(14, 22, bar((96, 80, 56, 255))),
        "iv_sb_bar_x.tga": tga(14, 22, bar((44, 44, 44, 255))),
        "iv_checkmark.tga": tga(16, 16, checkmark),
        "iv_hourglass.tga": tga(16, 16, hourglass),
    }
    for mode in MODES:
        letter = LETTERS[mode]
        files["iv_mode_%s_n.tga" % mode] = tga(40, 34, letter_plate(letter, (60, 46, 30, 255), BRASS,
                                                                     (220, 230, 240, 255)))
        files["iv_mode_%s_o.tga" % mode] = tga(40, 34, letter_plate(letter, (90, 70, 44, 255), (90, 200, 255, 255),
                                                                     (120, 220, 255, 255)))
        files["iv_mode_%s_d.tga" % mode] = tga(40, 34, letter_plate(letter, (120, 96, 60, 255), (90, 200, 255, 255),
                                                                     (255, 255, 255, 255)))
        files["iv_mode_%s_x.tga" % mode] = tga(40, 34, letter_plate(letter, (40, 40, 40, 255), (80, 80, 80, 255),
                                                                     (100, 100, 100, 255)))
    for look in TOPIC_LOOKS:
        files["iv_topic_left_%s.tga" % look] = tga(8, 24, topic_part("left", look))
        files["iv_topic_middle_%s.tga" % look] = tga(11, 24, topic_part("middle", look))
        files["iv_topic_right_%s.tga" % look] = tga(8, 24, topic_part("right", look))
    return files


def button(lines, depth, name, position, looks, z=2):
    """A button of sprite states: looks maps a state letter to a texture."""
    pad = "\t" * depth
    lines += [pad + name, pad + "\tid=" + name, pad + "\trelativez=%d" % z,
              pad + "\tposition=%d|%d" % position, pad + "\tstates"]
    for state, texture in looks:
        lines += [pad + "\t\t" + state, pad + "\t\t\tid=%s_%s" % (name, state), pad + "\t\t\tstatetype=" + state,
                  pad + "\t\t\tobjecttype=sprite", pad + "\t\t\ttexture=" + texture]


def sprite(lines, depth, name, texture, position, z=0, center=None, extra=()):
    pad = "\t" * depth
    lines += [pad + name, pad + "\tid=" + name, pad + "\ttexture=" + texture, pad + "\trelativez=%d" % z,
              pad + "\tposition=%d|%d" % position]
    if center is not None:
        lines.append(pad + "\tcenter=%d|%d" % center)
    lines += [pad + "\t" + line for line in extra]


def layout():
    lines = [
        "// The interview window every regular interview shares (made by",
        "// tools/make_interview_art.py). Positions are relative to the window's",
        "// corner; the meter's centre is at (117, 150) and the topic list scrolls",
        "// from (172, 45). Textures are under //textures/interview.",
        "groups",
        "\tinterface",
        "\t\tsprites",
    ]
    sprite(lines, 3, "panel", "iv_panel.tga", (0, 0))
    lines.append("\t\tbuttons")
    button(lines, 3, "btn_drag", (4, 4), [("n", "iv_title_n.tga"), ("o", "iv_title_o.tga")])
    button(lines, 3, "btn_exit", (346, 5), [("n", "iv_exit_n.tga"), ("o", "iv_exit_o.tga")])
    lines += ["\tmodes", "\t\tid=modes", "\t\trelativez=3", "\t\tbuttons"]
    for index, mode in enumerate(MODES):
        button(lines, 3, "mode_" + mode, (14, 40 + 44 * index),
               [("n", "iv_mode_%s_n.tga" % mode), ("o", "iv_mode_%s_o.tga" % mode),
                ("d", "iv_mode_%s_d.tga" % mode), ("x", "iv_mode_%s_x.tga" % mode)])
    lines += ["\tmeter", "\t\tsprites"]
    sprite(lines, 3, "bg", "iv_meter_bg.tga", (0, 0), center=(36, 36))
    sprite(lines, 3, "top", "iv_meter_top.tga", (0, 0), center=(36, 36))
    sprite(lines, 3, "redglow", "iv_meter_red.tga", (0, 0), center=(40, 40))
    sprite(lines, 3, "greenglow", "iv_meter_green.tga", (0, 0), center=(40, 40))
    lines += ["\tscrollbar", "\t\tsprites"]
    sprite(lines, 3, "track", "iv_sb_track.tga", (345, 40))
    lines.append("\t\tbuttons")
    button(lines, 3, "btnarrowup", (345, 40), [("n", "iv_sb_up_n.tga"), ("o", "iv_sb_up_o.tga"),
                                               ("x", "iv_sb_up_x.tga")], z=3)
    button(lines, 3, "btnbar", (345, 56), [("n", "iv_sb_bar_n.tga"), ("o", "iv_sb_bar_o.tga"),
                                           ("x", "iv_sb_bar_x.tga")], z=3)
    button(lines, 3, "btnarrowdn", (345, 238), [("n", "iv_sb_dn_n.tga"), ("o", "iv_sb_dn_o.tga"),
                                                ("x", "iv_sb_dn_x.tga")], z=3)
    lines.append("misc")
    for look in TOPIC_LOOKS:
        lines += ["\ttopicbutton" + look, "\t\tid=topicbutton" + look, "\t\tsprites"]
        sprite(lines, 3, "left_cap", "iv_topic_left_%s.tga" % look, (0, 0))
        sprite(lines, 3, "middle", "iv_topic_middle_%s.tga" % look, (8, 0))
        sprite(lines, 3, "right_cap", "iv_topic_right_%s.tga" % look, (5, 0))
    sprite(lines, 1, "checkmark", "iv_checkmark.tga", (0, 0))
    sprite(lines, 1, "hourglass", "iv_hourglass.tga", (0, 0))
    return "\n".join(lines) + "\n"


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                                "data", "textures", "interview")
    os.makedirs(folder, exist_ok=True)
    for name, data in pictures().items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
    with open(os.path.join(folder, "interview_layout.txt"), "w", newline="\n") as out:
        out.write(layout())


if __name__ == "__main__":
    main()
