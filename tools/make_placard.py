#!/usr/bin/env python3
"""Writes the placard's card, data/textures/black.tga: a 32 x 32 opaque black
32-bit run-length TGA, which the placard scales to cover the screen.

    tools/make_placard.py [data/textures]
"""
import os
import sys

from make_layout_sample import tga


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data",
                                                                "textures")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "black.tga"), "wb") as out:
        out.write(tga(32, 32, lambda x, y: (0, 0, 0, 255)))


if __name__ == "__main__":
    main()
