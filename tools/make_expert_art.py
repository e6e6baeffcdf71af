#!/usr/bin/env python3
"""Writes the expert interviews' notepad and the expert computer into the
data tree (32-bit run-length TGA files, top row first):

    textures/interview/expert_interview_layout.txt   the notepad
    textures/interview/ex_notepad.tga      222 x 262  a yellow ruled pad
    textures/interview/ex_title_<s>.tga    190 x 22   the strip it is dragged by
    textures/expertcomputer/interface_layout.txt     the three consoles
    textures/expertcomputer/icons_results.txt        the result pictures
    textures/expertcomputer/ec_bg_<kind>.tga   800 x 600  a console per expert
                                           (crimelab, research, surveillance)
    textures/expertcomputer/ec_itemdisplay.tga 264 x 168  the card's screen
    textures/expertcomputer/ec_card_<c>.tga    264 x 168  the labels of an
                                           evidence card or a profile card
    textures/expertcomputer/ec_light.tga       12 x 12    a lamp that blinks
    textures/expertcomputer/ec_lines.tga      200 x 160   scan lines over a
                                           result picture
    textures/expertcomputer/ec_result_<r>.tga             result pictures
                                           (prints and cufflink 160 x 120,
                                           portrait 120 x 150)

<s> is n (rest) or o (under the pointer).

The notepad's layout gives its panel, the drag strip "btn_drag", the exit
button "btn_exit" (the witness window's cross, iv_exit_<s>.tga) and the
topic list's scroll bar (the witness window's parts) at x 345; the list
itself scrolls from (172, 45). The notepad group stands at (400, 150) for an
expert without a computer and at (-130, 0) over the computer, so its picture
lies between x 150 and 372, over the computer between x 20 and 242; the
console's title stands right of it, ending at x 780.

On the consoles the card fields stand where the game puts them: the item
(267, 199) and where it was found (267, 276); a person's name, age and
occupation at (267, 200), (267, 252), (267, 301), on the surveillance console
at x 254 and 4 lower. The result picture is centred in the box of 200 x 160
at (530, 175).

    tools/make_expert_art.py [data]
"""
import os
import sys

from pda_art import Canvas, text_width

KINDS = {
    # kind: (title, body, trim, screen)
    "crimelab": ("CRIME LAB", (52, 58, 66), (150, 160, 176), (10, 34, 26)),
    "research": ("RESEARCH", (60, 54, 46), (176, 160, 132), (12, 26, 40)),
    "surveillance": ("SURVEILLANCE", (40, 46, 40), (132, 156, 120), (8, 30, 12)),
}
PHOSPHOR = (120, 236, 160)
AMBER = (255, 196, 84)
PAPER = (250, 232, 140)
PAPER_LINE = (150, 180, 220)
PAPER_MARGIN = (220, 96, 96)
INK = (40, 44, 60)

# The five lamps: where they blink and their colour.
LIGHTS = [(600, 470, (255, 80, 60)), (624, 470, (255, 196, 84)), (648, 470, (100, 240, 120)),
          (672, 470, (90, 170, 255)), (696, 470, (255, 80, 60))]

RESULTS = {
    "prints": (160, 120),
    "portrait": (120, 150),
    "cufflink": (160, 120),
}


def notepad():
    canvas = Canvas(222, 262, (0, 0, 0, 0))
    canvas.rounded(0, 0, 222, 262, 6, (96, 70, 40))
    canvas.rect(6, 26, 216, 256, PAPER)
    for y in range(48, 256, 15):
        canvas.rect(6, y, 216, y + 1, PAPER_LINE)
    canvas.rect(20, 26, 21, 256, PAPER_MARGIN)
    for x in range(30, 200, 24):
        canvas.disc(x, 14, 4, (190, 190, 196))
    return canvas


def title(light):
    canvas = Canvas(190, 22, (120, 88, 52) if light else (96, 70, 40))
    canvas.centred_text(0, 0, 190, 22, "ANALYSIS", PAPER)
    return canvas


def console(kind):
    name, body, trim, screen = KINDS[kind]
    canvas = Canvas(800, 600, body)
    canvas.gradient(0, 0, 800, 40, trim, body)
    # The title ends at the right: the notepad covers x 20 to 242 on the left.
    title = "PORT KESTREL POLICE - " + name
    canvas.text(780 - text_width(title, 2), 14, title, (20, 20, 24), 2)
    # The monitor: the card on the left, the picture box on the right.
    canvas.rounded(230, 150, 760, 360, 10, (24, 26, 30))
    canvas.rect(240, 160, 750, 350, screen)
    canvas.frame(528, 173, 732, 337, PHOSPHOR)
    # The desk with its panel of lamps.
    canvas.rect(0, 430, 800, 600, tuple(max(0, c - 18) for c in body))
    canvas.rounded(580, 455, 720, 500, 6, (30, 32, 36))
    for x, y, _ in LIGHTS:
        canvas.disc(x + 6, y + 6, 6, (60, 60, 64))
    canvas.text(40, 470, name + " TERMINAL", trim, 2)
    return canvas


def item_display():
    canvas = Canvas(264, 168, (0, 0, 0, 0))
    canvas.frame(0, 0, 264, 168, PHOSPHOR)
    return canvas


def card(labels):
    canvas = Canvas(264, 168, (0, 0, 0, 0))
    for y, label in labels:
        canvas.text(22, y, label, AMBER)
    return canvas


def light(colour):
    canvas = Canvas(12, 12, (0, 0, 0, 0))
    canvas.disc(6, 6, 5.5, colour)
    canvas.disc(4.5, 4.5, 1.5, (255, 255, 255))
    return canvas


def lines():
    canvas = Canvas(200, 160, (0, 0, 0, 0))
    for y in range(0, 160, 3):
        canvas.rect(0, y, 200, y + 1, (0, 0, 0, 200))
    return canvas


def result(name):
    width, height = RESULTS[name]
    canvas = Canvas(width, height, (16, 40, 30))
    if name == "prints":
        # Two fingerprints on the key's bow.
        for cx in (50, 110):
            for r in range(6, 40, 5):
                canvas.shape(cx - r - 1, 60 - r - 1, cx + r + 2, 60 + r + 2,
                             lambda px, py, cx=cx, r=r: abs(((px - cx) ** 2 + ((py - 60) * 1.3) ** 2) ** 0.5 - r) - 0.8,
                             PHOSPHOR)
        canvas.text(6, 108, "MATCH 2 OF 2", AMBER)
    elif name == "cufflink":
        # The cufflink's face under the lens, its engraving and a thread.
        canvas.shape(40, 20, 120, 100, lambda px, py: abs(((px - 80) ** 2 + (py - 60) ** 2) ** 0.5 - 36) - 1.5,
                     PHOSPHOR)
        canvas.text(62, 54, "N.R.", PHOSPHOR)
        canvas.line(104, 88, 150, 70, 2, AMBER)
        canvas.text(6, 108, "GOLD 18 CT", AMBER)
    else:
        # A face in outline.
        canvas.shape(20, 20, 100, 110, lambda px, py: abs(((px - 60) ** 2 + ((py - 62) * 0.8) ** 2) ** 0.5 - 34) - 1.0,
                     PHOSPHOR)
        for cx in (46, 74):
            canvas.disc(cx, 56, 3, PHOSPHOR)
        canvas.line(50, 84, 70, 84, 2, PHOSPHOR)
        canvas.rect(20, 104, 100, 150, PHOSPHOR)
        canvas.text(8, 136, "ID FILE 117", (16, 40, 30))
    return canvas


def sprite(indent, key, texture, position, extra=()):
    lines_ = ["%s%s" % (indent, key), "%s\tid=%s" % (indent, key), "%s\ttexture=%s" % (indent, texture)]
    lines_ += ["%s\t%s" % (indent, e) for e in extra]
    lines_.append("%s\tposition=%d|%d" % (indent, position[0], position[1]))
    return lines_


def button(indent, key, textures, position, z=2):
    out = ["%s%s" % (indent, key), "%s\tid=%s" % (indent, key), "%s\trelativez=%d" % (indent, z),
           "%s\tposition=%d|%d" % (indent, position[0], position[1]), "%s\tstates" % indent]
    for state, texture in textures:
        out += ["%s\t\t%s" % (indent, state), "%s\t\t\tid=%s_%s" % (indent, key, state),
                "%s\t\t\tstatetype=%s" % (indent, state), "%s\t\t\tobjecttype=sprite" % indent,
                "%s\t\t\ttexture=%s" % (indent, texture)]
    return out


def notepad_layout():
    out = [
        "// The notepad of the expert interviews (made by tools/make_expert_art.py).",
        "// Positions are relative to the notepad group, which stands at (400, 150),",
        "// or at (-130, 0) over the expert computer; the topic list scrolls from",
        "// (172, 45). Textures are under //textures/interview.",
        "groups",
        "\tinterface",
        "\t\tsprites",
    ]
    out += sprite("\t\t\t", "panel", "ex_notepad.tga", (150, 10), ["relativez=0"])
    out.append("\t\tbuttons")
    out += button("\t\t\t", "btn_drag", [("n", "ex_title_n.tga"), ("o", "ex_title_o.tga")], (154, 12))
    out += button("\t\t\t", "btn_exit", [("n", "iv_exit_n.tga"), ("o", "iv_exit_o.tga")], (346, 13))
    out += ["\tscrollbar", "\t\tsprites"]
    out += sprite("\t\t\t", "track", "iv_sb_track.tga", (345, 45), ["relativez=0"])
    out.append("\t\tbuttons")
    for key, y in (("btnarrowup", 45), ("btnbar", 61), ("btnarrowdn", 243)):
        part = {"btnarrowup": "up", "btnbar": "bar", "btnarrowdn": "dn"}[key]
        out += button("\t\t\t", key, [(s, "iv_sb_%s_%s.tga" % (part, s)) for s in ("n", "o", "x")], (345, y), 3)
    return "\n".join(out) + "\n"


def computer_layout():
    out = [
        "// The expert computer's consoles (made by tools/make_expert_art.py):",
        "// per expert its background, the card's screen and the labels of the",
        "// two cards; the five lamps that blink; the scan lines over a result",
        "// picture. Textures are under //textures/expertcomputer.",
        "experts",
    ]
    for kind in KINDS:
        out.append("\t" + kind)
        out += sprite("\t\t", "background", "ec_bg_%s.tga" % kind, (0, 0), ["relativez=0"])
        out += sprite("\t\t", "itemdisplay", "ec_itemdisplay.tga", (245, 176), ["relativez=1"])
        out += sprite("\t\t", "profile", "ec_card_profile.tga", (245, 176), ["relativez=2"])
        out += sprite("\t\t", "evidence", "ec_card_evidence.tga", (245, 176), ["relativez=2"])
    out.append("animations")
    for index, (x, y, _) in enumerate(LIGHTS):
        out += sprite("\t", "light%d" % index, "ec_light%d.tga" % index, (x, y), ["relativez=5"])
    out += sprite("", "lines", "ec_lines.tga", (530, 175), ["relativez=12"])
    return "\n".join(out) + "\n"


def icons_layout():
    out = [
        "// The result pictures of the expert computer, by name (made by",
        "// tools/make_expert_art.py); texturecoords centre each in its box.",
    ]
    names = {"prints": "brasskey_prints", "portrait": "portrait_guest", "cufflink": "1rb01_engraving"}
    for name, (width, height) in RESULTS.items():
        out += sprite("", names[name], "ec_result_%s.tga" % name, (530, 175),
                      ["texturecoords=0|0|%d|%d" % (width, height)])
    return "\n".join(out) + "\n"


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    mode = "wb" if isinstance(data, bytes) else "w"
    with open(path, mode, **({} if mode == "wb" else {"newline": "\n"})) as out:
        out.write(data)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    interview = os.path.join(data, "textures", "interview")
    computer = os.path.join(data, "textures", "expertcomputer")
    write(os.path.join(interview, "expert_interview_layout.txt"), notepad_layout())
    write(os.path.join(interview, "ex_notepad.tga"), notepad().tga())
    for state, lit in (("n", False), ("o", True)):
        write(os.path.join(interview, "ex_title_%s.tga" % state), title(lit).tga())
    write(os.path.join(computer, "interface_layout.txt"), computer_layout())
    write(os.path.join(computer, "icons_results.txt"), icons_layout())
    for kind in KINDS:
        write(os.path.join(computer, "ec_bg_%s.tga" % kind), console(kind).tga())
    write(os.path.join(computer, "ec_itemdisplay.tga"), item_display().tga())
    write(os.path.join(computer, "ec_card_evidence.tga"), card([(12, "ITEM"), (89, "FOUND AT")]).tga())
    write(os.path.join(computer, "ec_card_profile.tga"), card([(13, "NAME"), (65, "AGE"), (114, "OCCUPATION")]).tga())
    for index, (_, _, colour) in enumerate(LIGHTS):
        write(os.path.join(computer, "ec_light%d.tga" % index), light(colour).tga())
    write(os.path.join(computer, "ec_lines.tga"), lines().tga())
    for name in RESULTS:
        write(os.path.join(computer, "ec_result_%s.tga" % name), result(name).tga())


if __name__ == "__main__":
    main()
