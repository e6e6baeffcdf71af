#!/usr/bin/env python3
"""Writes the blob shadow's picture, data/textures/shadow_circle.tga: a black
64 x 64 disc whose alpha falls from opaque in the middle to clear at a
radius of 30 pixels (1 - (d / 30)^2), clear beyond, as a 32-bit run-length
TGA (the writer of tools/make_layout_sample.py).

    tools/make_shadow_circle.py [data/textures]
"""
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_layout_sample import tga  # noqa: E402

SIZE = 64
RADIUS = 30.0


def shadow(x, y):
    centre = (SIZE - 1) / 2.0
    d2 = ((x - centre) ** 2 + (y - centre) ** 2) / (RADIUS * RADIUS)
    alpha = max(0, round(255 * (1.0 - d2)))
    return (0, 0, 0, alpha)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data",
                                                                "textures")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "shadow_circle.tga"), "wb") as out:
        out.write(tga(SIZE, SIZE, shadow))


if __name__ == "__main__":
    main()
