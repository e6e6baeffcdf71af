#!/usr/bin/env python3
"""Writes the kept inputs of the puzzles fuzz target (fuzz/puzzles_fuzz.cpp):
the first byte picks the puzzle, the rest is its layout. Each puzzle's sample
layout is kept with every picture renamed to the target's own texture
"b.tga" (the sample pictures are not there when it runs), and beside it a
few layouts that lack what the puzzle needs.

    tools/make_puzzle_corpus.py [fuzz/corpus]
"""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
# In the order of the target's table.
PUZZLES = [
    ("cigar_bands", "puzzle_cigarband_layout.txt"),
    ("keypad", "keypad_layout.txt"),
    ("sliderbox", "lockbox_puzzle_layout.txt"),
    ("floorsafe", "floorsafe_puzzle_layout.txt"),
    ("pobox", "POBox_layout.txt"),
    ("dravobox", "dravo_layout.txt"),
    ("roomservice_receipt", "receipt_layout.txt"),
    ("baseball_bat", "bat_puzzle_layout.txt"),
    ("harppuzzle", "layout.txt"),
    ("velmire", "layout.txt"),
    ("surveillance_tapes", "layout.txt"),
]

BROKEN = {
    "cigar_no_solution": (0, "groups\n\tbg\n\t\tid=bg\n\tback\n\t\tid=back_btn\n\tp1\n\t\tid=piece1\n\t\tx=10\n"
                             "\t\ty=10\n\t\tsprite\n\t\t\tid=s\n\t\t\ttexture=b.tga\n"),
    "cigar_odd_polygon": (0, "groups\n\tbg\n\t\tid=bg\n\tback\n\t\tid=back_btn\n\tp1\n\t\tid=piece1\n"
                             "\t\tpolygon=1|2|3\n\t\tsprite\n\t\t\tid=s\n\t\t\ttexture=b.tga\n\tp2\n\t\tid=piece2\n"
                             "\t\tx=100\n\t\tsprite\n\t\t\tid=s\n\t\t\ttexture=a.tga\nsolution\n\tpiece1=0|0\n"
                             "\tpiece2=60\n"),
    "keypad_bad_keys": (1, "groups\n\tg03-buttons\n\t\tbuttons\n\t\t\tk\n\t\t\t\tid=enter\n\t\t\t\tposition=1\n"
                           "\t\t\t\tactivearea=0|0|9\n\t\t\tl\n\t\t\t\tid=5\n\t\t\t\tposition=0|0\n"
                           "\t\t\t\tactivearea=0|0|800|0|800|600|0|600\n\t\t\t\tsprite\n\t\t\t\t\tid=p\n"
                           "\t\t\t\t\ttexture=b.tga\n\tg04-display\n\t\tsprites\n\t\t\td\n\t\t\t\tid=dsp_01_5\n"
                           "\t\t\t\ttexture=a.tga\n"),
    "slide_bad_pieces": (2, "groups\n\tg03-pieces\n\t\ta\n\t\t\tid=a\n\t\t\ttype=vertical\n\t\t\tposition=1\n"
                            "\t\t\tsolved=9\n\t\tb\n\t\t\tid=b\n\t\t\ttype=x\n\t\t\tposition=56|1\n\t\t\tbuttons\n"
                            "\t\t\t\tl\n\t\t\t\t\tid=left\n\t\t\t\t\tstates\n\t\t\t\t\t\tn\n\t\t\t\t\t\t\tid=n\n"
                            "\t\t\t\t\t\t\tstatetype=n\n\t\t\t\t\t\t\tobjecttype=sprite\n"
                            "\t\t\t\t\t\t\ttexture=b.tga\n"),
    "floorsafe_two_cubes": (3, "groups\n\tg03-cubes\n\t\tc\n\t\t\tid=cube2\n\t\t\tbuttons\n\t\t\t\tu\n"
                               "\t\t\t\t\tid=up\n\t\t\t\t\tstates\n\t\t\t\t\t\tn\n\t\t\t\t\t\t\tid=n\n"
                               "\t\t\t\t\t\t\tstatetype=n\n\t\t\t\t\t\t\tobjecttype=sprite\n"
                               "\t\t\t\t\t\t\ttexture=b.tga\n\t\td\n\t\t\tx=1\n"),
    "pobox_three_dials": (4, "g02-dials\n\ta\n\t\tid=a\n\t\tbutton\n\t\t\tid=t\n\t\t\tstates\n\t\t\t\tn\n"
                             "\t\t\t\t\tid=n\n\t\t\t\t\tstatetype=n\n\t\t\t\t\tobjecttype=sprite\n"
                             "\t\t\t\t\ttexture=b.tga\n\tb\n\t\tid=b\n\tc\n\t\tid=c\n\t\tposition=5\n"),
}

# The puzzles of tiles, free pieces and strings, and the two over other
# screens; the Dravo box's stored board follows its layout's zero byte.
DRAVO_BOARD = "999|999|999|-1|999|999|999|" + "999|" + "".join("%d|" % n for n in range(5)) + "999|"
DRAVO_TILES = "groups\n\tg04-easypieces\n" + "".join(
    "\t\tt%d\n\t\t\tid=t%d\n\t\t\ttexture=b.tga\n\t\t\ttexturecoords=0|0|59|63\n" % (n, n) for n in range(25))
# The picture with tile 22 in the notch below its cell: one move from whole.
DRAVO_WHOLE = ("999|999|999|-1|999|999|999|" +
               "".join("999|" + "".join("%d|" % (r * 5 + c) if (r, c) != (4, 2) else "-1|" for c in range(5)) +
                       "999|" for r in range(5)) + "999|999|999|22|999|999|999|")
BROKEN.update({
    "dravo_24_tiles": (5, "groups\n\tg04-easypieces\n" + "".join(
        "\t\tt%d\n\t\t\tid=t%d\n\t\t\ttexture=b.tga\n\t\t\ttexturecoords=0|0|9|9\n" % (n, n)
        for n in range(24)) + "\tg05-gridcoords\n\t\tcolumns=1|2|3\n"),
    "dravo_short_board": (5, DRAVO_TILES + "\x00" + DRAVO_BOARD),
    "dravo_whole_board": (5, DRAVO_TILES + "\tg05-gridcoords\n\t\tcolumns=0|60|120|180|240|300|360\n"
                             "\t\trows=0|64|128|192|256|320|384\n\x00" + DRAVO_WHOLE),
    "roomservice_bare_fragments": (6, "groups\n\tbg\n\t\tid=bg\n\tback\n\t\tid=back_btn\n\tp\n\t\tid=p\n"
                                      "\tq\n\t\tid=q\n\t\tpolygon=1|2|3\n\t\tsolved=1e30|1e30\n"
                                      "\t\tsprite\n\t\t\tid=s\n\t\t\ttexture=b.tga\n"),
    "bat_three_rotations": (7, "groups\n\tg03-pieces\n\t\tp\n\t\t\tid=piece1\n\t\t\trotations\n"
                               "\t\t\t\tr\n\t\t\t\t\tid=r\n\t\t\t\t\tpolygon=0|0|60|0|60|60\n"
                               "\t\t\t\t\toverpiece=-7\n\t\t\t\ts\n\t\t\t\t\tid=s\n"),
    "harp_odd_strings": (8, "groups\n\tg06-polygons\n\t\ta\n\t\t\tid=a\n\t\t\tbuttonid=harpXY\n"
                            "\t\t\ttype=polygon\n\t\t\tcoords=0|0|800|0|800|600\n\t\tb\n\t\t\tid=b\n"
                            "\t\t\tbuttonid=start\n\t\t\ttype=rectangle\n\t\t\tcoords=0|0|800|600\n"
                            "\tg03-yellow_strings\n\t\ty\n\t\t\tid=y\n"),
    "velmire_few_fields": (9, "fields\n\tf\n\t\tid=c\n\t\ttexture=a.tga\n\t\tposition=400\n"
                              "button\n\tid=field\n\tstates\n\t\tn\n\t\t\tid=n\n\t\t\tstatetype=n\n"
                              "\t\t\tobjecttype=sprite\n\t\t\ttexture=b.tga\n"),
    "tapes_two_panels": (10, "framecontrols\n\ta\n\t\tid=a\n\tb\n\t\tid=b\n\t\tposition=9\n"
                             "framecontrolbtns\n\ts\n\t\ton\n\t\t\tid=on\n\t\t\ttexture=a.tga\n"
                             "layers\n\tt\n\t\tl\n\t\t\tid=l\n\t\t\ttexture=b.tga\n"),
})


def main():
    folder = os.path.join(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "fuzz", "corpus"), "puzzles")
    os.makedirs(folder, exist_ok=True)
    for index, (name, layout) in enumerate(PUZZLES):
        with open(os.path.join(ROOT, "data", "textures", "puzzles", name, layout)) as source:
            text = re.sub(r"texture=[^\n]*", "texture=b.tga", source.read())
        with open(os.path.join(folder, "sample_" + name), "wb") as out:
            out.write(bytes([index]) + text.encode())
    for name, (index, text) in BROKEN.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(bytes([index]) + text.encode())


if __name__ == "__main__":
    main()
