#!/usr/bin/env python3
"""Writes the kept inputs of the image fuzz targets: small valid pictures and
truncated or hostile ones, each named for what it holds.

    tools/make_image_corpus.py [fuzz/corpus]
"""
import os
import struct
import sys


def tga(image_type, width, height, bits, descriptor, data, id_field=b"", color_map_type=0):
    header = struct.pack("<BBB5s4sHHBB", len(id_field), color_map_type, image_type, bytes(5), bytes(4),
                         width, height, bits, descriptor)
    return header + id_field + bytes(data)


def bmp(width, height, rows, bits=24, offset=54):
    file_header = b"BM" + struct.pack("<IHHI", 0, 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, 0, 0, 0, 0, 0)
    return file_header + info + bytes(offset - 54) + b"".join(rows)


def raw(width, height, pitch, fmt, size, pixels):
    return struct.pack("<5I", width, height, pitch, fmt, size) + bytes(pixels)


def corpus():
    bgr = [1, 2, 3]
    padded_rows = [bytes(range(10, 19)) + bytes(3), bytes(range(20, 29)) + bytes(3)]
    return {
        "tga": {
            "rle-24-top-down": tga(10, 4, 1, 24, 0x20, [0x83] + bgr),
            "plain-24-bottom-up": tga(2, 2, 2, 24, 0, list(range(12))),
            "plain-32-with-id": tga(2, 1, 2, 32, 0x28, list(range(8)), id_field=b"id"),
            "rle-32-mixed-packets": tga(10, 3, 2, 32, 0, [0x81, 9, 9, 9, 9, 0x03] + list(range(16))),
            "rle-packet-past-row-and-end": tga(10, 2, 2, 24, 0, [0x02] + list(range(9)) + [0xFF] + bgr),
            "bit-depth-16": tga(2, 1, 1, 16, 0, [0, 0]),
            "color-mapped": tga(1, 1, 1, 8, 0, [0], color_map_type=1),
            "truncated-header": tga(2, 1, 1, 24, 0, bgr)[:10],
            "claims-64x64-with-10-bytes": tga(2, 64, 64, 24, 0, bytes(10)),
            "rle-truncated-packet": tga(10, 4, 1, 24, 0x20, [0x03, 1, 2, 3, 4]),
        },
        "bmp": {
            "3x2-padded": bmp(3, 2, padded_rows),
            "3x2-top-down": bmp(3, -2, padded_rows),
            "1x1-data-after-gap": bmp(1, 1, [bytes([1, 2, 3, 0])], offset=60),
            "8-bit": bmp(1, 1, [bytes(4)], bits=8),
            "truncated-info-header": bmp(3, 2, padded_rows)[:40],
            "claims-64x64-with-10-bytes": bmp(64, 64, [bytes(10)]),
            "offset-past-end": bmp(1, 1, [bytes(4)])[:10] + struct.pack("<I", 0xFFFFFFF0)
            + bmp(1, 1, [bytes(4)])[14:],
        },
        "rawimage": {
            "2x2-format-1": raw(2, 2, 8, 1, 16, range(16)),
            "3x1-format-3-wide-pitch": raw(3, 1, 12, 3, 12, range(12)),
            "1x2-format-4": raw(1, 2, 1, 4, 2, [7, 8]),
            "format-5": raw(1, 1, 4, 5, 4, bytes(4)),
            "size-mismatch": raw(2, 2, 8, 1, 15, bytes(15)),
            "claims-64x64-with-10-bytes": raw(64, 64, 256, 1, 16384, bytes(10)),
            "truncated-header": raw(2, 2, 8, 1, 16, b"")[:12],
        },
    }


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "fuzz", "corpus")
    for target, files in corpus().items():
        folder = os.path.join(root, target)
        os.makedirs(folder, exist_ok=True)
        for name, data in files.items():
            with open(os.path.join(folder, name), "wb") as out:
                out.write(data)


if __name__ == "__main__":
    main()
