#!/usr/bin/env python3
"""Writes the message box's pictures into data/textures/menu/ (32-bit
run-length TGA files, top row first), which messagebox_layout.txt there
names:

    messagebox_bg.tga      256 x 200  a dark slate panel with a brass frame
    msgbox_<b>_n.tga        84 x 28   button <b> at rest: grey plate, dark label
    msgbox_<b>_o.tga        84 x 28   button <b> under the pointer: amber plate
                                      (<b>: ok, cancel, yes, no)

The labels are drawn in a 5 x 7 block letter at twice its size.

    tools/make_messagebox.py [data/textures/menu]
"""
import os
import sys

from make_layout_sample import tga

GLYPHS = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
}
SCALE = 2
ADVANCE = 6 * SCALE
BUTTON_W = 84
BUTTON_H = 28


def panel(x, y):
    if x < 3 or y < 3 or x >= 253 or y >= 197:
        return (60, 150, 200, 255)  # brass, as B, G, R
    if x < 5 or y < 5 or x >= 251 or y >= 195:
        return (20, 60, 90, 255)
    shade = 46 - y // 10
    return (shade + 18, shade + 6, shade, 240)


def button(label, face, rim, ink):
    width = len(label) * ADVANCE - SCALE
    left = (BUTTON_W - width) // 2
    top = (BUTTON_H - 7 * SCALE) // 2

    def pixel(x, y):
        if x < 2 or y < 2 or x >= BUTTON_W - 2 or y >= BUTTON_H - 2:
            return rim
        gx, gy = x - left, y - top
        if 0 <= gy < 7 * SCALE and 0 <= gx < width:
            index, column = divmod(gx, ADVANCE)
            if column < 5 * SCALE and GLYPHS[label[index]][gy // SCALE][column // SCALE] == "1":
                return ink
        return face
    return pixel


def pictures():
    files = {"messagebox_bg.tga": tga(256, 200, panel)}
    for name, label in (("ok", "OK"), ("cancel", "CANCEL"), ("yes", "YES"), ("no", "NO")):
        files["msgbox_%s_n.tga" % name] = tga(BUTTON_W, BUTTON_H, button(
            label, (150, 150, 150, 255), (60, 60, 60, 255), (30, 30, 30, 255)))
        files["msgbox_%s_o.tga" % name] = tga(BUTTON_W, BUTTON_H, button(
            label, (60, 190, 250, 255), (20, 90, 150, 255), (20, 20, 40, 255)))
    return files


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data",
                                                                "textures", "menu")
    os.makedirs(folder, exist_ok=True)
    for name, data in pictures().items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
