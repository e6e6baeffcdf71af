#!/usr/bin/env python3
"""Writes the picture of the interim intro screen
(data/textures/menu/intro_layout.txt): a 200 x 150 backdrop, drawn at four
times its size, as a 32-bit run-length TGA, top row first.

    intro_bg.tga   a dark study at night: a blue wall darkening towards the
                   floor, a tall window with a warm glow on the left, and
                   floor boards below the skirting

    tools/make_intro.py [data/textures/menu]
"""
import os
import sys

from make_layout_sample import tga

WIDTH = 200
HEIGHT = 150
HORIZON = 112


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def backdrop(x, y):
    if y >= HORIZON:
        # Floor boards: dark wood with a seam every sixth line.
        wood = mix((46, 30, 20), (22, 14, 10), (y - HORIZON) / (HEIGHT - HORIZON))
        if (y - HORIZON) % 6 == 5:
            wood = mix(wood, (0, 0, 0), 0.5)
        return wood[::-1] + (255,)
    if y >= HORIZON - 3:
        return (20, 26, 34, 255)  # the skirting board
    wall = mix((38, 48, 72), (14, 18, 30), y / HORIZON)
    # The window: a warm pane with a dark cross bar, framed.
    if 24 <= x < 64 and 16 <= y < 84:
        if x in (24, 25, 62, 63) or y in (16, 17, 82, 83) or x in (43, 44) or y in (49, 50):
            wall = (26, 22, 20)
        else:
            wall = mix((150, 118, 70), (96, 70, 44), (y - 16) / 68)
    return wall[::-1] + (255,)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data",
                                                                "textures", "menu")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "intro_bg.tga"), "wb") as out:
        out.write(tga(WIDTH, HEIGHT, backdrop))


if __name__ == "__main__":
    main()
