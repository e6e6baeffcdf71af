#!/usr/bin/env python3
"""Writes the pictures of the sample layout (data/textures/sample/
sample_layout.txt): 32-bit run-length TGA files, top row first.

    test_bg.tga         256 x 128  the panel's background: a dusk gradient
                                   with a one-pixel light frame
    test_atlas.tga       64 x 32   two 32 x 32 cells: a red badge on the
                                   left, a green diamond on the right
    test_button_n.tga    64 x 32   the button at rest: grey with a dark rim
    test_button_o.tga    64 x 32   the button under the pointer: amber

Texture ids are global (the id is the name under "//textures"), so every
picture of the data tree has a file name of its own.

    tools/make_layout_sample.py [data/textures/sample]
"""
import os
import struct
import sys

TGA_RLE_TRUE_COLOR = 10
# 8 alpha bits, origin top-left.
DESCRIPTOR = 0x28


def encode_row(row):
    """Run-length packets of one row: runs of two or more equal pixels as run
    packets, everything else in raw packets, at most 128 pixels each."""
    out = bytearray()
    i = 0
    while i < len(row):
        run = 1
        while i + run < len(row) and run < 128 and row[i + run] == row[i]:
            run += 1
        if run >= 2:
            out.append(0x80 | (run - 1))
            out += bytes(row[i])
            i += run
            continue
        start = i
        while i < len(row) and i - start < 128 and (i + 1 >= len(row) or row[i + 1] != row[i]):
            i += 1
        if i == start:
            i += 1
        out.append(i - start - 1)
        for pixel in row[start:i]:
            out += bytes(pixel)
    return bytes(out)


def tga(width, height, pixel):
    """pixel(x, y) -> (b, g, r, a)."""
    header = struct.pack("<BBB5s4sHHBB", 0, 0, TGA_RLE_TRUE_COLOR, bytes(5), bytes(4), width, height, 32,
                         DESCRIPTOR)
    rows = [encode_row([pixel(x, y) for x in range(width)]) for y in range(height)]
    return header + b"".join(rows)


def background(x, y):
    if x == 0 or y == 0 or x == 255 or y == 127:
        return (220, 220, 230, 255)
    return (96 + y // 2, 40 + y // 4, 24 + y // 8, 255)


def atlas(x, y):
    cell, cx = divmod(x, 32)
    if cell == 0:
        # A red square badge with a transparent margin of four pixels.
        inside = 4 <= cx < 28 and 4 <= y < 28
        return (32, 32, 200, 255) if inside else (0, 0, 0, 0)
    inside = abs(cx - 15.5) + abs(y - 15.5) <= 14
    return (40, 190, 60, 255) if inside else (0, 0, 0, 0)


def button(face, rim):
    def pixel(x, y):
        return rim if x < 2 or y < 2 or x >= 62 or y >= 30 else face
    return pixel


def pictures():
    return {
        "test_bg.tga": tga(256, 128, background),
        "test_atlas.tga": tga(64, 32, atlas),
        "test_button_n.tga": tga(64, 32, button((150, 150, 150, 255), (60, 60, 60, 255))),
        "test_button_o.tga": tga(64, 32, button((40, 180, 240, 255), (20, 90, 140, 255))),
    }


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data",
                                                                "textures", "sample")
    os.makedirs(folder, exist_ok=True)
    for name, data in pictures().items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
