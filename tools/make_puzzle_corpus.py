#!/usr/bin/env python3
"""Writes the kept inputs of the puzzles fuzz target (fuzz/puzzles_fuzz.cpp):
the first byte picks the puzzle, the rest is its layout (or its files, a
zero byte between two). Each puzzle's sample layout is kept with every
picture renamed to the target's own texture "b.tga" (the sample pictures
are not there when it runs), and beside it a few layouts that lack what the
puzzle needs.

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
    ("painting", "puzzle_painting_layout.txt"),
    ("map_puzzle", "map_puzzle.txt"),
    ("crossword", "crossword_layout.txt|crossword_puzzle_grid.txt|crossword_puzzle_entries.txt"),
    ("receipt", "receipt_layout.txt"),
    ("pc_desktop", "layout.txt"),
    ("chasephotopuzzle", "JCPuzzle_layout.txt"),
    ("hotel_window", "layout.txt"),
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
    "painting_no_holes": (5, "puzzle\n\tlayout\n\t\tg\n\t\t\tid=other\n\t\tg02-buttons\n\t\t\tbuttons\n"
                             "\t\t\t\th\n\t\t\t\t\tid=hole6\n\thandle\n\t\tid=handle\n"),
    "map_bad_scripts": (6, "clues\n\ta\n\t\tid=a\n\t\tshow=script[e[\n\tb\n\t\tid=b\n\t\tshow=((((((((x\n"
                           "\tc\n\t\tshow=true\n\ta\n\t\tid=a\n"),
    # The layout, the grid and the words, a zero byte after each.
    "crossword_outside": (7, "groups\n\tg01-background\n\t\tid=bg\n\tg03-selection\n\t\tid=sel\n"
                             "\t\ttexture=a.tga\n\tg04-coords\n\t\tx=1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17\n"
                             "\t\ty=1|2\n\0"
                             "1_1=1|1\n1_2=1|0\n2_1=0|1\n16_16=1|1\n0_0=2|2\n99_1=1|0\n3_x=1|1\n1_15=3|3\n\0"
                             "across\n\t1\n\t\tanswer=AB\n\t\tcolumn=1\n\t\trow=1\n\t\twidth=99999\n"
                             "\t3\n\t\tanswer=A\n\t\tcolumn=15\n\t\trow=1\n\t\twidth=2\n"
                             "\t2\n\t\tcolumn=-4\n\t\trow=2\n\t\twidth=1\n"
                             "down\n\t1\n\t\tanswer=ABCDEFG\n\t\tcolumn=1\n\t\trow=1\n\t\theight=2\n"
                             "\t3\n\t\tanswer=Q\n\t\tcolumn=15\n\t\trow=1\n\t\theight=3\n\0"),
    "crossword_no_coords": (7, "groups\n\tg02-backbutton\n\t\tid=back_btn\n\0" "1_1=1|1\n\0"
                               "across\n\t1\n\t\tanswer=A\n\t\tcolumn=1\n\t\trow=1\n\t\twidth=1\n"),
    "pc_desktop_many": (9, "groups\n\tg04-puzzle\n\t\tid=p\n\tg06-puzzle_buttons\n"
                           + "".join("\t\tb%d\n\t\t\tid=%s\n\t\t\tstates\n\t\t\t\tn\n\t\t\t\t\tid=n\n"
                                     "\t\t\t\t\tstatetype=n\n\t\t\t\t\tobjecttype=sprite\n"
                                     "\t\t\t\t\ttexture=b.tga\n" % (i, name) for i, name in enumerate(
                                         ["head", "folder", "thumb", "head", "abdomen", "rshoulder", "lshoulder",
                                          "upper_arm", "index_finger", "x", "folder", "y"]))
                           + "\tg05-puzzle_textareas\n"
                           + "".join("\t\tt%d\n\t\t\tcoords=%d\n" % (i, i) for i in range(10))
                           + "\tg08-roster\n\t\tid=roster\n"),
    "chase_duplicates": (10, "g03-Buttons\n"
                             + "".join("\t%s\n\t\tid=%s\n\t\tstates\n\t\t\tn\n\t\t\t\tid=n\n"
                                       "\t\t\t\tstatetype=n\n\t\t\t\tobjecttype=sprite\n"
                                       "\t\t\t\ttexture=b.tga\n" % (name + str(i), name) for i, name in enumerate(
                                           ["valentine", "valentine", "easter", "birthday", "july4th", "halloween",
                                            "thanksgiving", "christmas", "back_btn"]))),
    "hotel_no_polaroid": (11, "background\n\tid=bg\n\ttexture=b.tga\nbackbutton\n\tid=backbutton\n"),
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
    "dravo_24_tiles": (12, "groups\n\tg04-easypieces\n" + "".join(
        "\t\tt%d\n\t\t\tid=t%d\n\t\t\ttexture=b.tga\n\t\t\ttexturecoords=0|0|9|9\n" % (n, n)
        for n in range(24)) + "\tg05-gridcoords\n\t\tcolumns=1|2|3\n"),
    "dravo_short_board": (12, DRAVO_TILES + "\x00" + DRAVO_BOARD),
    "dravo_whole_board": (12, DRAVO_TILES + "\tg05-gridcoords\n\t\tcolumns=0|60|120|180|240|300|360\n"
                             "\t\trows=0|64|128|192|256|320|384\n\x00" + DRAVO_WHOLE),
    "roomservice_bare_fragments": (13, "groups\n\tbg\n\t\tid=bg\n\tback\n\t\tid=back_btn\n\tp\n\t\tid=p\n"
                                      "\tq\n\t\tid=q\n\t\tpolygon=1|2|3\n\t\tsolved=1e30|1e30\n"
                                      "\t\tsprite\n\t\t\tid=s\n\t\t\ttexture=b.tga\n"),
    "bat_three_rotations": (14, "groups\n\tg03-pieces\n\t\tp\n\t\t\tid=piece1\n\t\t\trotations\n"
                               "\t\t\t\tr\n\t\t\t\t\tid=r\n\t\t\t\t\tpolygon=0|0|60|0|60|60\n"
                               "\t\t\t\t\toverpiece=-7\n\t\t\t\ts\n\t\t\t\t\tid=s\n"),
    "harp_odd_strings": (15, "groups\n\tg06-polygons\n\t\ta\n\t\t\tid=a\n\t\t\tbuttonid=harpXY\n"
                            "\t\t\ttype=polygon\n\t\t\tcoords=0|0|800|0|800|600\n\t\tb\n\t\t\tid=b\n"
                            "\t\t\tbuttonid=start\n\t\t\ttype=rectangle\n\t\t\tcoords=0|0|800|600\n"
                            "\tg03-yellow_strings\n\t\ty\n\t\t\tid=y\n"),
    "velmire_few_fields": (16, "fields\n\tf\n\t\tid=c\n\t\ttexture=a.tga\n\t\tposition=400\n"
                              "button\n\tid=field\n\tstates\n\t\tn\n\t\t\tid=n\n\t\t\tstatetype=n\n"
                              "\t\t\tobjecttype=sprite\n\t\t\ttexture=b.tga\n"),
    "tapes_two_panels": (17, "framecontrols\n\ta\n\t\tid=a\n\tb\n\t\tid=b\n\t\tposition=9\n"
                             "framecontrolbtns\n\ts\n\t\ton\n\t\t\tid=on\n\t\t\ttexture=a.tga\n"
                             "layers\n\tt\n\t\tl\n\t\t\tid=l\n\t\t\ttexture=b.tga\n"),
})


def main():
    folder = os.path.join(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "fuzz", "corpus"), "puzzles")
    os.makedirs(folder, exist_ok=True)
    for index, (name, layouts) in enumerate(PUZZLES):
        texts = []
        for layout in layouts.split("|"):
            with open(os.path.join(ROOT, "data", "textures", "puzzles", name, layout)) as source:
                texts.append(re.sub(r"texture=[^\n]*", "texture=b.tga", source.read()))
        with open(os.path.join(folder, "sample_" + name), "wb") as out:
            out.write(bytes([index]) + "\0".join(texts).encode())
    for name, (index, text) in BROKEN.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(bytes([index]) + text.encode())


if __name__ == "__main__":
    main()
