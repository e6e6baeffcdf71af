#!/usr/bin/env python3
"""Writes the kept inputs of the font image scan's fuzz target, each named for
what it holds. An input is the row height (i32), the width minus one (modulo
64), the format (0 BGRA, 1 BGRX, 2 BGR, 3 alpha only), a flag byte (1: one
byte per pixel through the palette) and the pixels. Palette bytes: 0 white,
1 black, 2 transparent black, 3 another opaque colour.

    tools/make_fontscan_corpus.py [fuzz/corpus]
"""
import os
import struct
import sys

W, K, T, O = 0, 1, 2, 3


def palette(row_height, width, fmt, pixels):
    return struct.pack("<iBBB", row_height, width - 1, fmt, 1) + bytes(pixels)


def raw(row_height, width, fmt, data):
    return struct.pack("<iBBB", row_height, width - 1, fmt, 0) + bytes(data)


def corpus():
    # Row height 5, "AB": K W W W K T W W T T T T, then four glyph lines.
    crafted = [K, W, W, W, K, T, W, W, T, T, T, T] + [T] * 48
    # Two rows of three cells each, the last cell of the first row touching the edge.
    two_rows = ([W, W, K, T, K, O, W, T, W, W, W, W] + [O] * 24) * 2
    return {
        "crafted-ab": palette(5, 12, 0, crafted),
        "two-rows-edge-cells": palette(3, 12, 1, two_rows),
        "all-white-bgr": palette(2, 16, 2, [W] * 64),
        "alpha-only-black": palette(4, 8, 3, [K, T] * 32),
        "row-height-one": palette(1, 12, 0, crafted),
        "row-height-negative": palette(-7, 12, 0, crafted),
        "row-height-huge": palette(0x7FFFFFFF, 12, 0, crafted),
        "raw-bgra-white-run": raw(3, 4, 0, [255] * 16 + [0, 0, 0, 255] * 4 + [9] * 16),
    }


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "fuzz", "corpus")
    folder = os.path.join(root, "fontscan")
    os.makedirs(folder, exist_ok=True)
    for name, data in corpus().items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
