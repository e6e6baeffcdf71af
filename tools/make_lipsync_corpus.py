#!/usr/bin/env python3
"""Writes the kept inputs of the lip-sync fuzz targets: small valid files in
both forms and truncated or hostile ones, each named for what it holds.

lipsync/ (the serialised form): the first byte of every input is 1 when the
fuzz stream tells its size, 0 when it does not.
lipsync_text/ (the ".dat" text form): the text as a file holds it.

    tools/make_lipsync_corpus.py [fuzz/corpus]
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


def track(name, channel, times, values, key_count=None):
    count = len(times) if key_count is None else key_count
    return text(name) + u32(name_hash(name)) + u32(channel) + u32(count) + floats(*times) + floats(*values)


def data(tracks, track_count=None):
    count = len(tracks) if track_count is None else track_count
    return u32(count) + b"".join(tracks)


OAT = track("Phoneme_Oat", 8, (0, 0, 0.12, 0.3), (0, 0, 0.8, 0))
BLINK = track("Viseme_Blink", 15, (0, 1.5, 1.5625), (0, 1, 0.125))


def serialised():
    two = data([OAT, BLINK])
    return {
        "two-tracks": b"\1" + two,
        "two-tracks-unsized": b"\0" + two,
        "no-keys-no-channel": b"\1" + data([track("Jaw", -1, (), ())]),
        "zero-tracks": b"\1" + data([]),
        "negative-track-count": b"\1" + u32(0xFFFFFFFF) + OAT,
        "track-count-beyond-data": b"\1" + data([OAT], track_count=100000),
        "key-count-beyond-data": b"\1" + data([track("Phoneme_Oat", 8, (0, 0.1), (0, 1), key_count=1000)]),
        "negative-key-count": b"\1" + data([track("Phoneme_Oat", 8, (), (), key_count=-3)]),
        "channel-past-the-table": b"\1" + data([track("Phoneme_Oat", 27, (0,), (0,))]),
        "keys-out-of-order": b"\1" + data([track("Phoneme_Ox", 9, (0.5, 0.3, 0.3, 0.8), (1, 0.4, 0.9, 0))]),
        "not-a-number": b"\1" + data([track("Phoneme_Ox", 9, (0, float("nan"), float("inf")),
                                            (float("inf"), 0.5, float("nan")))]),
        "truncated-in-keys": b"\1" + two[:-6],
    }


def entry(key, fields):
    return "\t%s\n" % key + "".join("\t\t%s=%s\n" % field for field in fields)


def dat(sound, entries):
    head = "sound=%s\n" % sound if sound else ""
    return (head + "phonemes\n" + "".join(entries)).encode("ascii")


def text_form():
    good = entry("0", [("id", "Phoneme_Oat"), ("numkeys", "3"), ("times", "0|120|300"), ("values", "0|80|0")])
    return {
        "one-entry": dat("line01.ogg", [good]),
        "short-and-long-lists": dat("line01.ogg", [
            entry("a", [("id", "Phoneme_Cage"), ("numkeys", "3"), ("times", "0|120"), ("values", "0|80")]),
            entry("b", [("id", "Phoneme_Fave"), ("numkeys", "2"), ("times", "0|100|200"), ("values", "10")]),
        ]),
        "huge-numkeys": dat("", [entry("0", [("id", "Phoneme_If"), ("numkeys", "2147483647"),
                                             ("times", "1|2"), ("values", "3|4")])]),
        "bad-type-and-missing-keys": dat("x", [
            entry("0", [("id", "Phoneme_Xyz"), ("numkeys", "1"), ("times", "5"), ("values", "5")]),
            entry("1", [("times", "5")]),
        ]),
        "entry-is-a-value": b"sound=a.ogg\nphonemes\n\t0=Phoneme_Oat\n" + entry("1", [("numkeys", "1")]).encode(),
        "no-phonemes": b"sound=line.ogg\nphonemes=0|1\n",
        "huge-numbers": dat("line.ogg", [entry("0", [
            ("id", "Viseme_Smile"), ("numkeys", "3"),
            ("times", "9" * 60 + "|-" + "9" * 60 + "|1.2.3"), ("values", "1e5|-50|" + "9" * 50)])]),
        "crlf": dat("line01.ogg", [good]).replace(b"\n", b"\r\n"),
    }


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join("fuzz", "corpus")
    for folder, inputs in (("lipsync", serialised()), ("lipsync_text", text_form())):
        os.makedirs(os.path.join(root, folder), exist_ok=True)
        for name, content in inputs.items():
            with open(os.path.join(root, folder, name), "wb") as out:
                out.write(content)


if __name__ == "__main__":
    main()
