#!/usr/bin/env python3
"""Writes the kept inputs of the animation fuzz targets: small valid
animations in both forms and truncated or hostile ones, each named for what
it holds. The first byte of every input is 1 when the fuzz stream tells its
size, 0 when it does not.

    tools/make_animation_corpus.py [fuzz/corpus]
"""
import os
import struct
import sys


def u32(value):
    return struct.pack("<I", value & 0xFFFFFFFF)


def floats(*values):
    return struct.pack("<%df" % len(values), *values)


def text(value):
    return u32(len(value)) + value.encode("utf-16-le") + b"\0\0"


def name_hash(name):
    h = 0
    for unit in name.encode("utf-16-le")[::2]:
        h = (((h << 7) | (h >> 25)) + unit) & 0xFFFFFFFF
    return h


def track(name, keys, vectors=True, rotations=True, positions=True, key_count=None):
    count = len(keys) if key_count is None else key_count
    data = text(name) + u32(name_hash(name)) + u32(count)
    for present, width, first in ((vectors, 3, 0), (rotations, 4, 3), (positions, 3, 7)):
        data += bytes([1 if present else 0])
        if present:
            data += b"".join(floats(*key[first:first + width]) for key in keys)
    return data


def serialised(name, frames, tracks):
    return text(name) + u32(len(tracks)) + u32(frames) + b"".join(tracks)


def raw_track(name_field, word, keys):
    return u32(len(name_field)) + name_field + u32(word) + b"".join(floats(*key) for key in keys)


def raw(frames, tracks, track_count=None):
    count = len(tracks) if track_count is None else track_count
    return b"LIA\0\1\2\3\4" + u32(7) + u32(count) + u32(frames) + b"".join(tracks)


REST = (1, 1, 1, 0, 0, 0, 1, 0, 0, 0)
TURN = (1, 1, 1, 0, 0.5, 0, 0.75, 1.5, 2, -3)


def corpus():
    two = serialised("walk", 2, [track("Biped", [REST, TURN]), track("Head", [TURN, REST])])
    raw_two = raw(2, [raw_track(b"Biped\0", 0x11, [REST, TURN]), raw_track(b"Head\0", 0x22, [TURN, REST])])
    sized = b"\1"
    unsized = b"\0"
    return {
        "animation": {
            "two-tracks": sized + two,
            "two-tracks-unsized": unsized + two,
            "zero-tracks": sized + serialised("idle", 9, []),
            "absent-and-empty-arrays": sized + serialised("pose", 0, [
                track("Jaw", [], True, False, True), track("Lid", [REST], False, True, False)]),
            "few-keys-many-frames": sized + serialised("short", 40, [track("Biped", [REST, TURN])]),
            "track-count-beyond-data": sized + text("x") + u32(0x7FFFFFFF) + u32(1),
            "key-count-beyond-data": sized + serialised("x", 1, [track("t", [], key_count=0x10000000)])[:40],
            "negative-key-count": sized + serialised("x", 1, [track("t", [], False, False, False, -1)]),
            "truncated-in-keys": sized + two[:-5],
        },
        "animation_raw": {
            "two-tracks": sized + raw_two,
            "two-tracks-unsized": unsized + raw_two,
            "no-frames": sized + raw(0, [raw_track(b"Biped\0", 0, [])]),
            "name-with-padding": sized + raw(1, [raw_track(b"Biped\0xy\0", 0, [REST])]),
            "name-without-terminator": sized + raw(1, [raw_track(b"Head", 0, [TURN])]),
            "frame-count-beyond-data": sized + raw(0xFFFFFFFF, [raw_track(b"a\0", 0, [])]),
            "track-count-beyond-data": sized + raw(1, [raw_track(b"a\0", 0, [REST])], 0xFFFFFFFF),
            "name-length-beyond-data": sized + raw(0, [], 1) + u32(0xFFFFFFF0) + u32(0),
            "truncated-in-keys": sized + raw_two[:-3],
        },
    }


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "fuzz", "corpus")
    for target, inputs in corpus().items():
        folder = os.path.join(root, target)
        os.makedirs(folder, exist_ok=True)
        for name, data in inputs.items():
            with open(os.path.join(folder, name), "wb") as out:
                out.write(data)


if __name__ == "__main__":
    main()
