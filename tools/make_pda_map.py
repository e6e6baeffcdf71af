#!/usr/bin/env python3
"""Writes the PDA's map and case log of the sample case into the data tree:

    textures/pda/map_layout.txt      the map panel: the town map, the
                                     "show_all" button and the tags of
                                     cases 1 to 4
    textures/pda/map_town.tga        248 x 409  the town map
    textures/pda/map_tags.tga        256 x 256  the tags' labels (at rest,
                                     under the pointer) and "show_all"
    textures/pda/logdata.txt         the case log's notes of cases 1 to 4
    movies/office_arrival.mkv        2 s, 160 x 120 VP8: the cut scene of a
                                     first trip to the office by the map
    movies/cutscenes.txt,            its entry and subtitle, in a block of
    movies/cutscenes_subtitles.txt   their own at the end of each file

The tags of case 1: "hotel" (always shown) goes to case01/lobby;
"frontdesk" (shown once the clerk's interview has been left) to the
lobby's desk; "office" (shown once the lobby was visited) to the office,
the first time through the cut scene; "backstairs" (shown once the office
was visited) has two targets, the office once the clerk has talked about
the guest, else the lobby's entrance; "riverbank" (shown once the
riverbank was visited) goes back to case01/riverbank, where the case
begins; "precinct1" (always shown) to the squad room, where the crime lab's
booth is. Cases 2 to 4 have a hotel, a precinct and the case's first scene.

Needs ffmpeg (the Debian package of that name) for the movie; the build
never runs this, the outputs are committed.

    tools/make_pda_map.py [data]
"""
import os
import subprocess
import sys

from pda_art import Canvas, text_width

PAPER = (232, 224, 198)
BLOCK = (206, 194, 160)
PARK = (170, 200, 140)
WATER = (120, 160, 196)
STREET = (250, 246, 232)
INK = (70, 60, 48)
PIN = (196, 52, 40)
LABEL = (252, 248, 236)
LABEL_OVER = (255, 214, 120)

MAP_WIDTH = 248
MAP_HEIGHT = 409
TAG_HEIGHT = 16

# Per case: (id, label, (x, y) on the map, show script, targets as
# (condition, logic)). Ids are unique over the cases: each names a state and
# an event of its own.
TAGS = {
    1: [
        ("hotel", "HOTEL", (24, 40), "script[true]", [("script[true]", "gotoscene|case01/lobby")]),
        ("frontdesk", "FRONT DESK", (24, 64), "script[e[evt_117_talked]]",
         [("script[true]", "gotoviewpoint|case01/lobby|vp_desk")]),
        ("office", "OFFICE", (132, 52), "script[e[evt_lobby_visited]]",
         [("script[true]", "gotoviewpoint|case01/office|vp_office")]),
        ("backstairs", "BACK STAIRS", (132, 236), "script[e[evt_office_visited]]",
         [("script[e[evt_117_guest_done]]", "gotoviewpoint|case01/office|vp_office"),
          ("script[true]", "gotoviewpoint|case01/lobby|vp_entrance")]),
        ("riverbank", "RIVERBANK", (24, 322), "script[e[evt_riverbank_visited]]",
         [("script[true]", "gotoscene|case01/riverbank")]),
        ("precinct1", "PRECINCT", (132, 300), "script[true]", [("script[true]", "gotoscene|precinct")]),
    ],
}
# Cases 2 to 4: the hotel, the precinct, and the case's first scene.
FIRST_SCENES = {2: ("hotelroom2", "HOTEL ROOM", "case02/hotel_room"),
                3: ("brownstone3", "BROWNSTONE", "case03/brownstone"),
                4: ("victimshotel4", "MERIDIAN", "case04/victimshotel")}
for case in (2, 3, 4):
    ident, label, scene = FIRST_SCENES[case]
    TAGS[case] = [
        ("hotel%d" % case, "HOTEL", (24, 40), "script[true]", [("script[true]", "gotoscene|case01/lobby")]),
        ("precinct%d" % case, "PRECINCT", (132, 300), "script[true]", [("script[true]", "gotoscene|precinct")]),
        (ident, label, (24, 120), "script[true]", [("script[true]", "gotoscene|" + scene)]),
    ]

CHEAT_PLACE = (204, 390)

# The notes of the case log per case: (key, text, events script).
NOTES = {
    1: [
        ("opened", "Case one: a guest missing from the Marlowe Hotel.", "script[s[sta_selectedcase]==1]"),
        ("arrived", "Called to the Marlowe Hotel on Harbour Street. The night clerk found the guest of "
                    "room 12 gone and the door open.", "script[e[evt_lobby_visited]]"),
        ("briefing", "Rain since Tuesday. Somebody at the Marlowe had called it in.",
         "script[e[evt_case01_intro_played]]"),
        ("clerk", "Mara Velde, the desk clerk, talked. She keeps the keys and the register.",
         "script[e[evt_117_talked]]"),
        ("guestleft", "The guest of room 12 left before midnight, says the clerk.", "script[e[evt_117_night_done]]"),
        ("office", "The manager's office behind the lobby: papers on the desk, a cold lamp.",
         "script[e[evt_office_visited]]"),
        ("letter", "A letter to the manager turned up. Someone wanted the clerk to keep quiet.",
         "script[e[evt_letter_collected]|e[evt_1kr01_letter_taken]]"),
        ("bands", "The cigar band pieced together: a brand sold in one shop in town.",
         "script[e[evt_cigarbands_solved]]"),
        ("profile", "The offender profile holds up. Time to look at the suspects.",
         "script[e[evt_profiler_case01_strong]|e[evt_profiler_case01_verystrong]]"),
    ],
    2: [
        ("opened", "Case two is open on the desk.", "script[s[sta_selectedcase]==2]"),
        ("porter", "The night porter remembers a matchbook from the Blue Lantern.", "script[e[evt_case02_started]]"),
    ],
    3: [
        ("opened", "Case three is open on the desk.", "script[s[sta_selectedcase]==3]"),
    ],
    4: [
        ("opened", "Case four is open on the desk.", "script[s[sta_selectedcase]==4]"),
    ],
}

# Where each picture lies in the tag atlas: name -> (x, y, width, height).
CELLS = {}

CUTSCENE_BEGIN = "// -- The PDA map's location cut scenes (tools/make_pda_map.py)."
CUTSCENE_END = "// -- End of the PDA map's location cut scenes."
CUTSCENES = """office_arrival
	triggertype=maptag
	triggerlocation=case01/office
	movie=office_arrival.mkv
	doneevents=evt_office_arrival_played
	targetscene=case01/office
	targetvp=vp_office
	dependencies=script[!e[evt_office_arrival_played]]
"""
SUBTITLES = """office_arrival
	movie=office_arrival.mkv
	fonts
		main=TW_CEN_MT16
	subtitles
		line1
			time=0.2
			subtitle=The manager's office. Someone left in a hurry.
			font=main
"""


def coords(cell):
    x, y, w, h = cell
    return "%d|%d|%d|%d" % (x, y, x + w - 1, y + h - 1)


def tag_width(label):
    return text_width(label) + 22


def make_town():
    canvas = Canvas(MAP_WIDTH, MAP_HEIGHT, PAPER)
    # Blocks between the streets, a park and the harbour at the bottom.
    streets_x = [0, 70, 124, 190, 248]
    streets_y = [0, 90, 170, 250, 330]
    for i in range(len(streets_x) - 1):
        for j in range(len(streets_y) - 1):
            x0, x1 = streets_x[i] + 7, streets_x[i + 1] - 7
            y0, y1 = streets_y[j] + 7, streets_y[j + 1] - 7
            colour = PARK if (i, j) == (2, 2) else BLOCK
            canvas.rounded(x0, y0, x1, y1, 4, colour)
    canvas.rect(0, 346, MAP_WIDTH, MAP_HEIGHT, WATER)
    for x in range(10, MAP_WIDTH, 22):
        canvas.line(x, 372, x + 10, 372, 1.5, (160, 196, 226))
        canvas.line(x + 8, 392, x + 18, 392, 1.5, (160, 196, 226))
    canvas.rect(150, 330, 170, 380, STREET)
    canvas.text(10, 356, "HARBOUR", INK)
    canvas.text(78, 172, "MARKET ST", INK)
    canvas.text(8, 6, "PORT KESTREL", INK)
    return canvas


def make_tags():
    canvas = Canvas(256, 256)
    labels = sorted({label for tags in TAGS.values() for _, label, _, _, _ in tags})
    y = 0
    for label in labels:
        width = tag_width(label)
        for column, face in enumerate((LABEL, LABEL_OVER)):
            x = column * 120
            canvas.rounded(x, y, x + width, y + TAG_HEIGHT, 4, INK)
            canvas.rounded(x + 1, y + 1, x + width - 1, y + TAG_HEIGHT - 1, 3, face)
            canvas.disc(x + 8, y + 8, 4, PIN)
            canvas.text(x + 16, y + 5, label, INK)
            CELLS["%s_%s" % (label, "no"[column])] = (x, y, width, TAG_HEIGHT)
        y += TAG_HEIGHT + 2
    for column, face in enumerate((PAPER, LABEL_OVER)):
        x = column * 60
        canvas.rounded(x, y, x + 40, y + 14, 3, INK)
        canvas.rounded(x + 1, y + 1, x + 39, y + 13, 2, face)
        canvas.centred_text(x, y, x + 40, y + 14, "ALL", INK)
        CELLS["all_" + "no"[column]] = (x, y, 40, 14)
    return canvas


def button_lines(indent, ident, position, cells, extra=()):
    pad = "\t" * indent
    lines = [pad + "id=" + ident, pad + "position=%d|%d" % position]
    lines += [pad + line for line in extra]
    lines.append(pad + "states")
    for state, cell in cells:
        lines += [
            pad + "\t" + state,
            pad + "\t\tid=%s_%s" % (ident, state),
            pad + "\t\tstatetype=" + state,
            pad + "\t\tobjecttype=sprite",
            pad + "\t\ttexture=map_tags.tga",
            pad + "\t\ttexturecoords=" + coords(cell),
        ]
    return lines


def map_layout():
    lines = [
        "// The PDA's map panel (MGMapPanel): the town map, the button that shows",
        "// every tag, and per case its tags (MGMapTag); pictures under",
        "// //textures/pda. Made by tools/make_pda_map.py.",
        "groups",
        "\tbackground",
        "\t\tid=background",
        "\t\tsprites",
        "\t\t\ttown",
        "\t\t\t\tid=town",
        "\t\t\t\ttexture=map_town.tga",
        "\tcheat",
    ]
    lines += button_lines(2, "show_all", CHEAT_PLACE, [(s, CELLS["all_" + s]) for s in "no"], ["relativez=5"])
    lines += ["\tmaptags", "\t\tgroups"]
    for case, tags in TAGS.items():
        lines += ["\t\t\tcase%d" % case, "\t\t\t\tbuttons"]
        for ident, label, place, show, targets in tags:
            lines.append("\t\t\t\t\t" + ident)
            lines += button_lines(6, ident, place, [(s, CELLS["%s_%s" % (label, s)]) for s in "no"],
                                  ["relativez=10", "show=" + show])
            lines.append("\t\t\t\t\t\ttargets")
            for number, (condition, logic) in enumerate(targets, 1):
                lines += [
                    "\t\t\t\t\t\t\tt%d" % number,
                    "\t\t\t\t\t\t\t\tcondition=" + condition,
                    "\t\t\t\t\t\t\t\tlogic=" + logic,
                ]
    return "\n".join(lines) + "\n"


def log_data():
    lines = [
        "// The case log (MGLogPanel): per case its notes, each shown while its",
        "// events script holds and dated by the latest of its e[...] events. Made",
        "// by tools/make_pda_map.py.",
    ]
    for case, notes in NOTES.items():
        lines.append("case0%d" % case)
        for key, text, events in notes:
            lines += ["\t" + key, "\t\ttext=" + text, "\t\tevents=" + events]
    return "\n".join(lines) + "\n"


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb" if isinstance(data, bytes) else "w") as out:
        out.write(data)


def replace_block(path, block, begin=CUTSCENE_BEGIN, end=CUTSCENE_END):
    """Puts the block between the markers at the end of the file, in place of
    the one written before."""
    kept = []
    inside = False
    if os.path.exists(path):
        with open(path) as source:
            for line in source.read().splitlines():
                if line == begin:
                    inside = True
                elif line == end:
                    inside = False
                elif not inside:
                    kept.append(line)
    write(path, "\n".join(kept + [begin] + block.rstrip("\n").split("\n") + [end]) + "\n")


def office_movie(path):
    subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                    "color=c=0x283848:s=160x120:d=2:r=12", "-vf", "fade=in:0:12", "-c:v", "libvpx", "-b:v",
                    "60k", "-g", "12", "-fflags", "+bitexact", "-flags", "+bitexact", path], check=True)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    pda = os.path.join(data, "textures", "pda")
    movies = os.path.join(data, "movies")
    write(os.path.join(pda, "map_town.tga"), make_town().tga())
    write(os.path.join(pda, "map_tags.tga"), make_tags().tga())
    write(os.path.join(pda, "map_layout.txt"), map_layout())
    write(os.path.join(pda, "logdata.txt"), log_data())
    replace_block(os.path.join(movies, "cutscenes.txt"), CUTSCENES)
    replace_block(os.path.join(movies, "cutscenes_subtitles.txt"), SUBTITLES)
    office_movie(os.path.join(movies, "office_arrival.mkv"))


if __name__ == "__main__":
    main()
