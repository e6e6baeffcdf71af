#!/usr/bin/env python3
"""Writes the game cursor's looks: one 32 x 32 picture per look under
data/textures/cursors/ (32-bit run-length TGA files), and the three cursor
files under data/textures/ that name them, with each look's hot spot as its
"center":

    cursors.txt       section "cursors": default, hand, rollover, crosshair,
                      target, empty
    cursors_dir.txt   section "cursors": go_left, go_right, go_top, go_bottom,
                      go_topleft, go_topright, go_bottomleft, go_bottomright
    icon_cursors.txt  section "hilight": the 64 x 64 glow shown around a held
                      item

Shapes are white or amber with a dark outline, drawn from distance fields
with 4 x 4 samples per pixel so their edges are smooth.

    tools/make_cursors.py [data/textures]
"""
import math
import os
import sys

from make_layout_sample import tga

SIZE = 32
OUTLINE = 1.4
SAMPLES = 4

WHITE = (255, 255, 255)
AMBER = (255, 196, 64)
RED = (230, 40, 40)
BRASS = (200, 160, 70)
GLASS = (190, 225, 255)
BLACK = (16, 16, 16)


def segment(px, py, ax, ay, bx, by):
    """Distance from the point to the segment a-b."""
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def polygon(points):
    """Signed distance to a closed polygon: negative inside."""
    def field(x, y):
        inside = False
        nearest = float("inf")
        for i, (ax, ay) in enumerate(points):
            bx, by = points[(i + 1) % len(points)]
            nearest = min(nearest, segment(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -nearest if inside else nearest
    return field


def capsule(ax, ay, bx, by, radius):
    return lambda x, y: segment(x, y, ax, ay, bx, by) - radius


def circle(cx, cy, radius):
    return lambda x, y: math.hypot(x - cx, y - cy) - radius


def ring(cx, cy, radius, half_width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - radius) - half_width


def union(*fields):
    return lambda x, y: min(f(x, y) for f in fields)


def rotated(points, degrees, cx=16.0, cy=16.0):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in points]


def layers(*parts):
    """A picture of layers (field, colour, outlined), the first on top:
    pixel(x, y) -> (b, g, r, a)."""
    def pixel(x, y):
        total = [0.0, 0.0, 0.0, 0.0]
        for sy in range(SAMPLES):
            for sx in range(SAMPLES):
                px = x + (sx + 0.5) / SAMPLES
                py = y + (sy + 0.5) / SAMPLES
                for field, colour, alpha, outlined in parts:
                    d = field(px, py)
                    if d < 0:
                        sample = colour + (alpha,)
                    elif outlined and d < OUTLINE:
                        sample = BLACK + (255,)
                    else:
                        continue
                    weight = sample[3] / 255.0
                    for i in range(3):
                        total[i] += sample[i] * weight
                    total[3] += sample[3]
                    break
        count = SAMPLES * SAMPLES
        alpha = total[3] / count
        if alpha == 0:
            return (0, 0, 0, 0)
        # Colours are averaged by coverage, so edges keep their colour and fade.
        r, g, b = (min(255, round(total[i] / (total[3] / 255.0))) for i in range(3))
        return (b, g, r, min(255, round(alpha)))
    return pixel


ARROW = [(1, 1), (1, 23), (6.5, 18), (10.5, 27), (14, 25.5), (10, 16.5), (17, 16.5)]
# An arrow pointing right, its tip at (28, 16); turned for the other directions.
DIRECTION = [(4, 12), (16, 12), (16, 5), (28, 16), (16, 27), (16, 20), (4, 20)]
DIRECTIONS = {
    "go_right": 0, "go_bottomright": 45, "go_bottom": 90, "go_bottomleft": 135,
    "go_left": 180, "go_topleft": 225, "go_top": 270, "go_topright": 315,
}


def hand():
    finger = capsule(11, 4, 11, 17, 2.8)
    fingers = union(capsule(15.5, 13, 15.5, 19, 2.6), capsule(20, 14, 20, 20, 2.6), capsule(24, 15.5, 24, 21, 2.4))
    thumb = capsule(5, 17, 8.5, 22, 2.4)
    palm = polygon([(8.2, 16), (26.4, 17), (25.5, 26), (20, 30), (11, 30), (7, 23)])
    return union(finger, fingers, thumb, palm)


def looks():
    """name -> (width, height, pixel function, hot spot)."""
    result = {
        "default": (SIZE, SIZE, layers((polygon(ARROW), WHITE, 255, True)), (1, 1)),
        "hand": (SIZE, SIZE, layers((hand(), WHITE, 255, True)), (11, 2)),
        "rollover": (SIZE, SIZE, layers((ring(12, 12, 7.5, 1.6), BRASS, 255, True),
                                         (capsule(18.5, 18.5, 27.5, 27.5, 2.4), BRASS, 255, True),
                                         (circle(12, 12, 6), GLASS, 110, False)), (12, 12)),
        "crosshair": (SIZE, SIZE, layers((union(capsule(16, 3, 16, 12, 0.8), capsule(16, 20, 16, 29, 0.8),
                                                capsule(3, 16, 12, 16, 0.8), capsule(20, 16, 29, 16, 0.8),
                                                circle(16, 16, 1.0)), WHITE, 255, True)), (16, 16)),
        "target": (SIZE, SIZE, layers((union(ring(16, 16, 10, 1.3), capsule(16, 2, 16, 9, 1.0),
                                             capsule(16, 23, 16, 30, 1.0), capsule(2, 16, 9, 16, 1.0),
                                             capsule(23, 16, 30, 16, 1.0), circle(16, 16, 1.5)),
                                       RED, 255, True)), (16, 16)),
        "empty": (SIZE, SIZE, lambda x, y: (0, 0, 0, 0), (0, 0)),
    }
    for name, degrees in DIRECTIONS.items():
        result[name] = (SIZE, SIZE, layers((polygon(rotated(DIRECTION, degrees)), AMBER, 255, True)), (16, 16))
    return result


def highlight(x, y):
    """A soft yellow glow ring around a held item."""
    d = abs(math.hypot(x + 0.5 - 32, y + 0.5 - 32) - 24)
    alpha = max(0.0, 1.0 - d / 6.0) ** 2 * 200
    return (90, 230, 255, round(alpha))


POINTER_LOOKS = ["default", "hand", "rollover", "crosshair", "target", "empty"]
DIRECTION_LOOKS = ["go_left", "go_right", "go_top", "go_bottom", "go_topleft", "go_topright", "go_bottomleft",
                   "go_bottomright"]


def sprite_entry(name, hot_spot, indent):
    tab = "\t" * indent
    x, y = hot_spot
    return (f"{tab}{name}\n{tab}\tid={name}\n{tab}\ttexture=cursors/cursor_{name}.tga\n"
            f"{tab}\tcenter={x}|{y}\n")


def cursor_file(names, table, what):
    text = (f"// The game cursor's {what}: made by tools/make_cursors.py. Each entry is\n"
            "// a sprite; its id names the look, its centre is the hot spot.\n"
            "cursors\n")
    for name in names:
        text += sprite_entry(name, table[name][3], 1)
    return text


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data", "textures")
    folder = os.path.join(root, "cursors")
    os.makedirs(folder, exist_ok=True)
    table = looks()
    for name, (width, height, pixel, _) in table.items():
        with open(os.path.join(folder, f"cursor_{name}.tga"), "wb") as out:
            out.write(tga(width, height, pixel))
    with open(os.path.join(folder, "cursor_hilight.tga"), "wb") as out:
        out.write(tga(64, 64, highlight))
    files = {
        "cursors.txt": cursor_file(POINTER_LOOKS, table, "pointer looks"),
        "cursors_dir.txt": cursor_file(DIRECTION_LOOKS, table, "direction looks"),
        "icon_cursors.txt": ("// The glow around a held item, centred on the pointer: made by\n"
                             "// tools/make_cursors.py.\n"
                             "hilight\n\tid=hilight\n\ttexture=cursors/cursor_hilight.tga\n\tcenter=32|32\n"),
    }
    for name, text in files.items():
        with open(os.path.join(root, name), "w", newline="\n") as out:
            out.write(text)


if __name__ == "__main__":
    main()
