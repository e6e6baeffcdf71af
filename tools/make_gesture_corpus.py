#!/usr/bin/env python3
"""Writes the kept inputs of the gesture fuzz target: gesture files (".gk")
for the characters it binds ("a" a man, "b" and "c" women), each named for
what it holds. The animations the target files are /ma_M/ma_point.lia1,
/ma_F/ma_point.lia1 and //animations/still.lia1.

    tools/make_gesture_corpus.py [fuzz/corpus]
"""
import os
import sys


def key(name, time=None, character=None, kind=None, curve=None):
    lines = ["\t" + name]
    for field, value in (("time", time), ("character", character), ("type", kind), ("curve", curve)):
        if value is not None:
            lines.append("\t\t%s=%s" % (field, value))
    return "\n".join(lines) + "\n"


INPUTS = {
    "three-characters": "keys\n"
    + key("0", "0", "a", "ma_point.lia1", "0|0|1|1|2|1|3|0")
    + key("1", "500", "B", "ma_point.lia1", "0")
    + key("2", "1000", "c", "/ma_M/ma_point.lia1", "0|0|0.5|1|1|1|1.5|1|2|1|2.5|0|3|0"),
    "default-curves": "keys\n" + key("0", "0", "a", "ma_point.lia1") + key("1", "10", "b", "//animations/still.lia1", "1"),
    "five-points-and-odd-count": "keys\n"
    + key("0", "0", "a", "ma_point.lia1", "0|0|1|1|2|1|3|0|4|0")
    + key("1", "0", "a", "ma_point.lia1", "0|0|1|1|2|1|3|0|9"),
    "missing-and-values": "keys\n\tloose=1\n" + key("bare") + key("x", "abc", "", "", "||||"),
    "short-types": "keys\n" + key("0", "0", "a", "/", "0") + key("1", "0", "b", "/ma_F", "0") + key("2", "0", "c", "x", "0"),
    "huge-and-undefined": "keys\n"
    + key("0", "1e38", "a", "ma_point.lia1", "0|0|1e38|1|-1e38|nan|inf|0")
    + key("1", "-5000", "b", "ma_point.lia1", "nan|nan|nan|nan")
    + key("2", "nan", "a", "ma_point.lia1", "0|0|1|1|2|1|3|0"),
    "no-keys": "time=0\ncharacter=a\n",
    "same-animation-twice": "keys\n"
    + key("0", "0", "a", "ma_point.lia1", "0|0|1|1|2|1|3|0")
    + key("1", "100", "A", "ma_point.lia1", "0|0|1|1|2|1|3|0"),
}


def main():
    root = os.path.join(sys.argv[1] if len(sys.argv) > 1 else "fuzz/corpus", "gesture")
    os.makedirs(root, exist_ok=True)
    for name, text in INPUTS.items():
        with open(os.path.join(root, name), "w", newline="") as out:
            out.write(text)


if __name__ == "__main__":
    main()
