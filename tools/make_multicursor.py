#!/usr/bin/env python3
"""Writes the five-action menu's picture, data/textures/multicursor.tga: a
256 x 256 32-bit run-length TGA, top row first, cut by the menu into 51 x 51
cells:

    rows (y 0, 51, 102, 153, 204)   look (an eye), use (a hand), collect (a
                                    box), analyze (a magnifier), talk (a
                                    speech bubble)
    columns (x 0, 51, 102)          disabled (grey), normal (blue and gold),
                                    under the pointer (bright, amber icon)
    x 153..202, y 0..189            the background strip of layout 0, a band
                                    bowing right behind the buttons
    x 204..254, y 0..189            the strip of layout 1, bowing left

Shapes come from distance fields with 4 x 4 samples per pixel, so their edges
are smooth.

    tools/make_multicursor.py [data/textures]
"""
import math
import os
import sys

from make_layout_sample import tga

SIZE = 256
CELL = 51
SAMPLES = 4

# Per column: disc face, rim, icon.
STYLES = [
    ((92, 92, 96), (150, 150, 150), (60, 60, 64)),
    ((44, 62, 112), (214, 176, 84), (245, 245, 240)),
    ((70, 108, 190), (255, 214, 110), (255, 200, 60)),
]


def segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def eye(x, y):
    lid = abs(math.hypot(x / 14.0, y / 8.0) - 1.0) * 8.0
    pupil = math.hypot(x, y) - 4.0
    return min(lid - 1.3, pupil)


def hand(x, y):
    palm = max(abs(x) - 8.0, abs(y - 5.0) - 6.0)
    fingers = min(segment(x, y, fx, -1.0, fx, -12.0 + abs(fx + 1.0) * 0.4) - 1.6 for fx in (-6.5, -2.5, 1.5, 5.5))
    thumb = segment(x, y, 8.0, 5.0, 13.0, -2.0) - 1.8
    return min(palm, fingers, thumb)


def box(x, y):
    body = abs(max(abs(x) - 11.0, abs(y - 4.0) - 8.0)) - 1.2
    lid = segment(x, y, -12.0, -4.0, 12.0, -4.0) - 1.2
    handle = abs(math.hypot(x, y + 6.0) - 5.0) - 1.2 if y < -6.0 else 99.0
    return min(body, lid, handle)


def magnifier(x, y):
    glass = abs(math.hypot(x + 3.0, y + 3.0) - 8.0) - 1.4
    handle = segment(x, y, 3.0, 3.0, 11.0, 11.0) - 2.2
    return min(glass, handle)


def bubble(x, y):
    body = (math.hypot(x / 13.0, (y + 2.0) / 9.0) - 1.0) * 9.0
    tail = max(segment(x, y, -6.0, 4.0, -10.0, 12.0) - 2.0, 0.0 if y > 2.0 else 99.0)
    return min(body, tail)


ICONS = [eye, hand, box, magnifier, bubble]


def button_pixel(row, column, cx, cy):
    face, rim, icon = STYLES[column]
    colour = [0.0, 0.0, 0.0]
    alpha = 0.0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = cx + (sx + 0.5) / SAMPLES - 25.5
            y = cy + (sy + 0.5) / SAMPLES - 25.5
            radius = math.hypot(x, y)
            if radius > 23.5:
                continue
            if ICONS[row](x, y) <= 0.0:
                sample = icon
            elif radius > 21.0:
                sample = rim
            else:
                shade = 1.0 - 0.25 * (y + 21.0) / 42.0
                sample = tuple(c * shade for c in face)
            colour = [colour[i] + sample[i] for i in range(3)]
            alpha += 1.0
    if alpha == 0.0:
        return (0, 0, 0, 0)
    colour = [c / alpha for c in colour]
    a = alpha / (SAMPLES * SAMPLES)
    return (round(colour[2]), round(colour[1]), round(colour[0]), round(255 * a))


def strip_pixel(x, y, width, mirrored):
    """A band 16 pixels wide that bows 26 pixels sideways over 190 lines."""
    if y >= 190:
        return (0, 0, 0, 0)
    t = y / 189.0
    middle = 10.0 + 24.0 * math.sin(math.pi * t)
    if mirrored:
        middle = width - 1 - middle
    distance = abs(x - middle)
    if distance > 9.0:
        return (0, 0, 0, 0)
    if distance > 7.5:
        return (84, 176, 214, 230)
    return (52, 36, 24, 190)


def pixel(x, y):
    if x < 3 * CELL and y < 5 * CELL:
        row, cy = divmod(y, CELL)
        column, cx = divmod(x, CELL)
        return button_pixel(row, column, cx, cy)
    if 153 <= x < 203:
        return strip_pixel(x - 153, y, 50, False)
    if 204 <= x < 255:
        return strip_pixel(x - 204, y, 51, True)
    return (0, 0, 0, 0)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data",
                                                                "textures")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "multicursor.tga"), "wb") as out:
        out.write(tga(SIZE, SIZE, pixel))


if __name__ == "__main__":
    main()
