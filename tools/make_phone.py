#!/usr/bin/env python3
"""Writes the PDA phone's sample data into the data tree:

    textures/pda/phone_layout.txt            the phone panel: its menu, the
                                             directory (overlay, ruled lines,
                                             call button), the call in
                                             progress, the voice-mail prompt
                                             and the directory of each case
    textures/pda/phone_ui.tga      512 x 512 the phone's pictures
    textures/pda/phone_messages.txt          the voice mails: regular ones
                                             and the experts' generic ones
    textures/pda/phone_messages_subtitles.txt  the prompt and the voice
                                             mails' texts (tools/
                                             make_expert_voices.py speaks them)
    textures/pda/internal_ring2.ogg          1.6 s  two rings of a phone

Positions are in the PDA window's coordinates (the screen area lies at
(171, 85), 248 x 137), the directory's rows in the scroll area's: names at
x 10, numbers at 140, call buttons at 220, one row every 20 from y 18.

Needs ffmpeg (the Debian package of that name) for the ring; the build never
runs this, the outputs are committed.

    tools/make_phone.py [data]
"""
import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

from make_pda import AMBER, BODY, SCREEN, SCREEN_RIM, TEAL, TEXT, button, button_lines, sprite_lines
from pda_art import Canvas

UI = {}

# The directory of each case: entry id -> (name, number, interview, enabled).
DIRECTORY = {
    1: [
        ("manager", "Mr. Ardley", "555-0142", "119", "script[true]"),
        ("manager_home", "Ardley, home", "555-0187", "119", "script[e[evt_117_night_done]]"),
    ],
    2: [("desk", "Front desk", "555-0100", "100", "script[true]")],
    3: [("desk", "Front desk", "555-0100", "100", "script[true]")],
    4: [("desk", "Front desk", "555-0100", "100", "script[true]")],
}

# Voice mails: key -> (trigger, played event, expert, audio, subtitle key).
REGULAR = [
    ("vm_117", "script[e[evt_interview117_started]]", "evt_vm_117_played", None, "vm_m_117"),
    ("vm_cl_brasskey", "script[e[brasskey_cl_r]]", "evt_vm_cl_brasskey_played", "CL", "vm_e_brasskey"),
]
GENERIC = {
    "CL": ["vm_e_1", "vm_e_2"],
    "RE": ["vm_r_1", "vm_r_2"],
    "SU": ["vm_u_1", "vm_u_2"],
}
TEXTS = {
    "listen_prompt": "Listen to them now?",
    "vm_m_117": "Detective, this is Ardley, the manager of the Marlowe. The clerk says you have been asking "
                "about last night. Call me at the office.",
    "vm_e_brasskey": "Crime lab here. We lifted two clean prints off that brass key. Come and see me.",
    "vm_e_1": "Crime lab. Your results are ready whenever you are.",
    "vm_e_2": "This is the lab. I have something for you on that sample.",
    "vm_r_1": "Research here. The records you asked for came back.",
    "vm_r_2": "Research. I found what you wanted, drop by.",
    "vm_u_1": "Surveillance. The report on your subject is done.",
    "vm_u_2": "Surveillance here. We have pictures for you.",
}


def make_ui():
    canvas = Canvas(512, 512)
    for column, state in enumerate(("n", "o", "x")):
        for row, (name, label) in enumerate((("directory", "DIRECTORY"), ("messages", "MESSAGES"))):
            cell = (column * 124, row * 26, 120, 24)
            button(canvas, cell[0], cell[1], cell[2], cell[3], label, state)
            UI["menu_%s_%s" % (name, state)] = cell
        for row, (name, label) in enumerate((("yes", "YES"), ("no", "NO"))):
            cell = (column * 54, 56 + row * 22, 50, 20)
            button(canvas, cell[0], cell[1], cell[2], cell[3], label, state)
            UI["listen_%s_%s" % (name, state)] = cell
    # The call button: a receiver on a key.
    for column, state in enumerate(("n", "o")):
        cell = (170 + column * 30, 56, 26, 14)
        face = (40, 110, 70) if state == "n" else (70, 170, 100)
        canvas.rounded(cell[0], cell[1], cell[0] + 26, cell[1] + 14, 3, face)
        canvas.line(cell[0] + 8, cell[1] + 5, cell[0] + 18, cell[1] + 5, 3, TEXT)
        canvas.rect(cell[0] + 7, cell[1] + 5, cell[0] + 10, cell[1] + 10, TEXT)
        canvas.rect(cell[0] + 16, cell[1] + 5, cell[0] + 19, cell[1] + 10, TEXT)
        UI["call_" + state] = cell
    # The directory's header over the list.
    cell = (0, 104, 248, 16)
    canvas.rect(0, 104, 248, 120, SCREEN_RIM)
    canvas.text(10, 109, "NAME", BODY)
    canvas.text(140, 109, "NUMBER", BODY)
    UI["overlay"] = cell
    # The rows' ground, dark as the voice mail's panel so the white names and
    # numbers read on it, with a ruled line under each row.
    cell = (0, 124, 248, 136)
    canvas.rect(0, 124, 248, 260, SCREEN)
    for y in range(33, 136, 20):
        canvas.rect(4, 124 + y, 244, 124 + y + 1, (40, 90, 88))
    UI["lines"] = cell
    # The call in progress: a handset on the left, "connecting" on the right.
    cell = (256, 104, 248, 137)
    canvas.rect(256, 104, 504, 241, SCREEN)
    canvas.line(290, 130, 290, 200, 10, TEAL)
    canvas.disc(290, 130, 10, TEAL)
    canvas.disc(290, 200, 10, TEAL)
    UI["call_panel"] = cell
    cell = (256, 250, 140, 12)
    canvas.text(258, 252, "CONNECTING...", AMBER)
    UI["connecting"] = cell
    # The voice mail's panel: an envelope on the left.
    cell = (0, 264, 248, 137)
    canvas.rect(0, 264, 248, 401, SCREEN)
    canvas.frame(14, 300, 46, 322, TEAL, 2)
    canvas.line(15, 301, 30, 312, 2, TEAL)
    canvas.line(30, 312, 45, 301, 2, TEAL)
    UI["messages_panel"] = cell
    return canvas


def phone_layout():
    lines = [
        "// The PDA's phone panel (MGPhonePanel); its pictures are under",
        "// //textures/pda. Made by tools/make_phone.py.",
        "groups",
        "\tg01-menu",
        "\t\tid=phonemenu",
        "\t\trelativez=10",
        "\t\tbuttons",
    ]
    for name, x in (("directory", 171), ("messages", 297)):
        lines += button_lines(3, name, (x, 56), [(s, UI["menu_%s_%s" % (name, s)]) for s in ("n", "o", "x")],
                              "phone_ui.tga")
    lines += ["\tg02-directory", "\t\toverlay"]
    lines += sprite_lines(3, "dir_overlay", "phone_ui.tga", UI["overlay"], ["position=171|85", "relativez=40"])
    lines += ["\t\tlines"]
    lines += sprite_lines(3, "dir_lines", "phone_ui.tga", UI["lines"], ["position=0|0", "relativez=1"])
    lines += button_lines(2, "call_button", (0, 0), [(s, UI["call_" + s]) for s in ("n", "o")], "phone_ui.tga", 20)
    lines += ["\tg03-call_progress", "\t\tid=call_progress", "\t\trelativez=10", "\t\tsprites", "\t\t\tpanel"]
    lines += sprite_lines(4, "call_panel", "phone_ui.tga", UI["call_panel"], ["position=171|85", "relativez=0"])
    lines += ["\t\t\tconnecting"]
    lines += sprite_lines(4, "connecting", "phone_ui.tga", UI["connecting"], ["position=268|165", "relativez=5"])
    lines += ["\tg05-messages_prompt", "\t\tid=messages_prompt", "\t\trelativez=10", "\t\tsprites", "\t\t\tpanel"]
    lines += sprite_lines(4, "messages_panel", "phone_ui.tga", UI["messages_panel"],
                          ["position=171|85", "relativez=0"])
    lines += ["\t\tbuttons"]
    for name, x in (("yes", 233), ("no", 293)):
        lines += button_lines(3, "listen_" + name, (x, 175), [(s, UI["listen_%s_%s" % (name, s)]) for s in ("n", "o")],
                              "phone_ui.tga", 12)
    lines += ["\tg07-directory_content"]
    for case, entries in sorted(DIRECTORY.items()):
        lines.append("\t\tcase%d" % case)
        for ident, name, number, interview, enabled in entries:
            lines += ["\t\t\t" + ident, "\t\t\t\tid=" + ident, "\t\t\t\tname=" + name, "\t\t\t\tnumber=" + number,
                      "\t\t\t\tinterview=" + interview, "\t\t\t\tenabled=" + enabled]
    return "\n".join(lines) + "\n"


def messages_file():
    lines = [
        "// The phone's voice mails (MGPhone), made by tools/make_phone.py. A regular",
        "// message is queued while its trigger holds and its played event has not",
        "// happened; an expert's report event queues one of the expert's generic",
        "// messages unless a regular one written for that expert is due. Sounds",
        "// under //dataroot/sounds, texts in phone_messages_subtitles.txt.",
        "regular",
    ]
    for key, trigger, played, expert, subtitle in REGULAR:
        lines += ["\t" + key, "\t\ttrigger=" + trigger, "\t\tplayedevent=" + played]
        if expert:
            lines.append("\t\texpert=" + expert)
        lines += ["\t\taudio=%s.ogg" % subtitle, "\t\tsubtitle=" + subtitle]
    lines.append("expert")
    for kind, keys in GENERIC.items():
        lines.append("\t" + kind)
        for index, key in enumerate(keys):
            lines += ["\t\t%d" % index, "\t\t\taudio=%s.ogg" % key, "\t\t\tsubtitle=" + key]
    return "\n".join(lines) + "\n"


def subtitles_file():
    lines = ["// The phone's texts (tools/make_phone.py): the voice mail's prompt and the",
             "// subtitles of the voice mails."]
    lines += ["%s=%s" % (key, text) for key, text in TEXTS.items()]
    return "\n".join(lines) + "\n"


def ring(path):
    rate = 22050
    samples = []
    for start in (0.0, 0.8):
        samples += [0.0] * (int(start * rate) - len(samples))
        count = int(0.5 * rate)
        for i in range(count):
            t = i / rate
            level = 0.3 * min(1.0, t / 0.01, (count - i) / (0.02 * rate))
            # Two tones warbled twenty times a second, as an old bell does.
            mix = 0.5 + 0.5 * math.copysign(1.0, math.sin(2.0 * math.pi * 20.0 * t))
            samples.append(level * (mix * math.sin(2 * math.pi * 440 * t) + (1 - mix) * math.sin(2 * math.pi * 480 * t)))
    samples += [0.0] * (int(1.6 * rate) - len(samples))
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "ring.wav")
        with wave.open(source, "wb") as out:
            out.setnchannels(1)
            out.setsampwidth(2)
            out.setframerate(rate)
            out.writeframes(b"".join(struct.pack("<h", round(s * 32767)) for s in samples))
        subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-i", source, "-ac", "1", "-ar",
                        str(rate), "-c:a", "libvorbis", "-q:a", "0", "-map_metadata", "-1", "-fflags", "+bitexact",
                        "-flags:a", "+bitexact", path], check=True)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if isinstance(data, bytes):
        with open(path, "wb") as out:
            out.write(data)
    else:
        with open(path, "w", newline="\n") as out:
            out.write(data)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    pda = os.path.join(data, "textures", "pda")
    write(os.path.join(pda, "phone_ui.tga"), make_ui().tga())
    write(os.path.join(pda, "phone_layout.txt"), phone_layout())
    write(os.path.join(pda, "phone_messages.txt"), messages_file())
    write(os.path.join(pda, "phone_messages_subtitles.txt"), subtitles_file())
    ring(os.path.join(pda, "internal_ring2.ogg"))


if __name__ == "__main__":
    main()
