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
