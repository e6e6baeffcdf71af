#!/usr/bin/env python3
"""Writes the kept inputs of the phone fuzz target (fuzz/phone_fuzz.cpp).
Phone inputs (first byte even): the sample catalogue of voice mails, or a
catalogue that lacks a part, then steps that raise report events of each
expert, change states, take and reset. Computer inputs (first byte odd, its
half mod 3 the expert's kind): the sample layout and icon file with each
card of the crime lab's sample expert, and a few that lack what the
computer needs. Beside them, the interview target's (fuzz/interview_fuzz.cpp)
inputs of the crime lab's sample expert, padded so that the interview file's
size mod 4 gives the kind of the name the target files it under.

    tools/make_phone_corpus.py [fuzz/corpus]
"""
import os
import re
import struct
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def read(*parts):
    with open(os.path.join(ROOT, *parts), "rb") as source:
        return source.read()


def split(first, rest):
    return struct.pack("<H", len(first)) + first + rest


def step(kind, pick):
    return bytes([(pick << 3) | kind])


# Step kinds of the target: 0/1 event, 2 state, 3/4 take, 5 update, 6 pending
# test, 7 reset; the pick chooses among its ids.
REPORTS = step(0, 0) + step(0, 1) + step(1, 2) + step(0, 0) + step(0, 3) + step(0, 4)
PLAIN = step(0, 5) + step(2, 1) + step(5, 0) + step(6, 1) + step(6, 2)
TAKES = step(3, 0) + step(4, 0) + step(3, 0)
RESET = step(7, 0) + step(0, 0)


def card(expert, topic):
    """The "info" node of a topic of the sample expert, at the top level."""
    text = expert.decode()
    match = re.search(r"^\t%s\n(?:\t\t.*\n)*?\t\tinfo\n((?:\t\t\t.*\n)+)" % re.escape(topic), text, re.M)
    info = "".join(line[3:] + "\n" for line in match.group(1).splitlines())
    subtitles = read("data", "interviews", "1CL01_subtitles.txt").decode()
    # The card is its own subtitle file: its values name its other keys.
    return (info + subtitles).encode()


def main():
    corpus = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "fuzz", "corpus")
    out = os.path.join(corpus, "phone")
    os.makedirs(out, exist_ok=True)
    catalogue = read("data", "textures", "pda", "phone_messages.txt")
    without_experts = catalogue[:catalogue.index(b"\nexpert")] + b"\n"
    no_alternatives = without_experts + b"expert\n\tCL\n\tRE\n\t\t0\n\t\t\taudio=x.ogg\n"
    written = b"regular\n\tm\n\t\ttrigger=script[e[a_cl_r]]\n\t\texpert=cl\n\t\taudio=a.ogg\n" + \
              b"\tn\n\t\ttrigger=script[s[sta_a]]\n\t\tplayedevent=evt_a\nexpert\n\tCL\n\t\t0\n\t\t\taudio=b.ogg\n"
    inputs = {
        "sample_catalogue": b"\x00" + split(catalogue, REPORTS + PLAIN + TAKES + RESET),
        "sample_catalogue_kept_scripts": b"\x02" + split(catalogue, PLAIN + REPORTS + TAKES),
        "no_expert_section": b"\x00" + split(without_experts, REPORTS + TAKES),
        "expert_without_alternatives": b"\x02" + split(no_alternatives, REPORTS + TAKES + TAKES),
        "written_message_for_the_lab": b"\x00" + split(written, REPORTS + PLAIN + TAKES),
        "empty_catalogue": b"\x00" + split(b"", REPORTS),
    }
    layout = read("data", "textures", "expertcomputer", "interface_layout.txt")
    icons = read("data", "textures", "expertcomputer", "icons_results.txt")
    expert = read("data", "interviews", "1CL01.txt")
    for kind, name in ((0, "crimelab"), (1, "research"), (2, "surveillance")):
        for topic in ("brasskey", "1cs03", "1rb01"):
            inputs["%s_%s" % (name, topic)] = bytes([kind * 2 + 1]) + split(layout, split(icons, card(expert, topic)))
    broken_layout = b"experts\n\tcrimelab\n\t\tbackground\n\t\t\tid=background\nanimations\n\tone\n\t\tid=one\n"
    inputs["layout_without_cards_or_lines"] = b"\x01" + split(broken_layout, split(icons, card(expert, "brasskey")))
    inputs["empty_files"] = b"\x01" + split(b"", split(b"", b"type=EVIDENCE\nname=\nimage=nothing\nitem=\n"))
    for name, data in inputs.items():
        with open(os.path.join(out, name), "wb") as target:
            target.write(data)
    subtitles = read("data", "interviews", "1CL01_subtitles.txt")
    for kind, name in ((0, "crimelab"), (2, "surveillance"), (3, "without_computer")):
        padded = expert + b"\n" * ((kind - len(expert)) % 4)
        with open(os.path.join(corpus, "interview", "expert_1CL01_" + name), "wb") as target:
            target.write(split(b"", split(padded, subtitles)))


if __name__ == "__main__":
    main()
