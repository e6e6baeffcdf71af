#!/usr/bin/env python3
"""Writes the expert interview and the phone calls of the sample case, with
their voice lines, and speaks the phone's voice mails:

    data/interviews/1CL01.txt, 1CL01_subtitles.txt   the crime lab's expert
                                  (case 1): the brass key's prints and the
                                  riverbank's cufflink (evidence cards,
                                  result items brasskey_CL and 1rb01_CL) and
                                  the guest's photograph (a profile card)
    data/interviews/119.txt, 119_subtitles.txt       a call to the hotel's
                                  manager, Mr. Ardley (case 1)
    data/interviews/100.txt, 100_subtitles.txt       a call to the precinct's
                                  front desk (the directories of cases 2-4)
    data/interviews/interviews.txt                   their catalogue entries,
                                  in a block of their own after the others
    data/sounds/<line>.ogg        every voice line, spoken by espeak-ng and
                                  encoded as mono Vorbis by ffmpeg
    data/lipsync/<line>.dat, data/gestures/<line>.gk the detective's lines
                                  (he is the one in the scene during a call)
    data/sounds/<voice mail>.ogg  the voice mails of data/textures/pda/
                                  phone_messages_subtitles.txt (written by
                                  tools/make_phone.py)

A line's key is i<interview>_<speaker>_<label> (the interview id lower-cased),
a voice mail's vm_<speaker>_<label>: "k" the detective, "e" the crime lab's
expert, "r" research, "u" surveillance, "m" the manager, "d" the desk
sergeant. Subtitles and sounds of a sequence follow each other: each line's
subtitle shows when its sound starts, timed from the spoken lengths.

Needs espeak-ng and ffmpeg (Debian packages of those names); the build never
runs it, the outputs are committed.

    tools/make_expert_voices.py [data]
"""
import os
import re
import subprocess
import sys
import tempfile

from make_interview_voices import gestures, lipsync, read_wav, to_ogg

VOICES = {
    "k": ["-v", "en-us+m3", "-p", "35", "-s", "160"],
    "e": ["-v", "en-us+f4", "-p", "55", "-s", "160"],
    "r": ["-v", "en-gb+m2", "-p", "45", "-s", "165"],
    "u": ["-v", "en-us+m4", "-p", "30", "-s", "155"],
    "m": ["-v", "en-gb+m5", "-p", "40", "-s", "150"],
    "d": ["-v", "en-us+m7", "-p", "25", "-s", "170"],
}
BLOCK = "// Expert and phone interviews (tools/make_expert_voices.py)."

# Per interview: subtitle texts (voice lines and other keys). A topic's name
# stands on the notepad's button left of the hourglass or tick it may show
# (at most 107 pixels in the topic font, Friz_Quad_TT_8).
TEXTS = {
    "1CL01": {
        "topic_brasskey": "Brass key, room 12",
        "topic_1cs03": "The guest's photo",
        "card_brasskey_name": "Brass key, room 12",
        "card_brasskey_collected": "Marlowe Hotel, lobby",
        "card_guest_name": "Nathan Reyes",
        "card_guest_age": "41",
        "card_guest_occupation": "Ship's purser",
        "topic_1rb01": "Riverbank cufflink",
        "card_1rb01_name": "Gold cufflink, engraved N.R.",
        "card_1rb01_collected": "Riverbank, below the pier",
        "i1cl01_e_intro_ready": "Detective. Your results are on the screen.",
        "i1cl01_e_intro_back": "Back again? Pull up a chair and look at this.",
        "i1cl01_e_pending": "Give me a little more time, I am still working on it.",
        "i1cl01_e_noinfo_idle": "Nothing on my bench from you, detective.",
        "i1cl01_e_noinfo_bring": "Bring me something to look at first.",
        "i1cl01_k_brasskey_stra": "What did the key tell you?",
        "i1cl01_e_brasskey_stra": "Two clean prints on the bow. I have put them on file for you.",
        "i1cl01_e_1cs03_stra": "The man in the photograph is Nathan Reyes, a ship's purser.",
        "i1cl01_k_1rb01_stra": "What about the cufflink?",
        "i1cl01_e_1rb01_stra": "Eighteen carat gold, engraved N R. A thread of navy wool was caught in the hinge.",
        "i1cl01_k_exit": "Thanks, doc.",
    },
    "119": {
        "topic_guest": "The guest in room 12",
        "i119_m_intro": "Ardley speaking. You got my message, detective.",
        "i119_k_guest_stra": "Who had room twelve last night?",
        "i119_m_guest_stra": "A Mister Reyes. He paid cash and left before dawn.",
        "i119_m_noinfo": "I have told you all I know, detective.",
        "i119_k_exit": "I will be in touch.",
    },
    "100": {
        "topic_news": "Anything new?",
        "i100_d_intro": "Front desk, sergeant Doyle.",
        "i100_k_news_stra": "Anything new for me, sergeant?",
        "i100_d_news_stra": "Quiet night. Nothing for you yet.",
        "i100_d_noinfo": "Still nothing, detective.",
        "i100_k_exit": "Call me if that changes.",
    },
}
LINE_KEY = re.compile(r"^(?:i\w+?|vm)_([kerumd])_\w+$")


def speak(work, key, text, speaker):
    path = os.path.join(work, key + ".wav")
    subprocess.run(["espeak-ng"] + VOICES[speaker] + ["-w", path, text], check=True)
    return path


def sequence(indent, lines, durations, fonts, characters=None, done=None):
    """A sequence node: the lines one after the other, each subtitle when its
    sound starts."""
    pad = "\t" * indent
    out = []
    if done:
        out.append(pad + "doneevent=" + done)
    out.append(pad + "sounds=" + "|".join(lines))
    out.append(pad + "soundtimes=" + "|".join("0" for _ in lines))
    if characters:
        out.append(pad + "characters=" + "|".join(characters(line) for line in lines))
    out.append(pad + "subtitles")
    start, times = 0.0, []
    for index, line in enumerate(lines):
        out += [pad + "\t%d" % index, pad + "\t\tfont=" + fonts(line), pad + "\t\tsubtitle=" + line,
                pad + "\t\ttype=replace"]
        times.append("%.2f" % start)
        start += durations[line]
    out.append(pad + "subtitletimes=" + "|".join(times))
    return out


def speaker_of(line):
    return LINE_KEY.match(line).group(1)


def font_of(line):
    return "blue" if speaker_of(line) == "k" else "main"


def header(comment, kind):
    return comment + ["type=" + kind, "fonts", "\tmain=TW_CEN_MT16", "\tblue=TW_CEN_MT16_BLUE"]


def expert_file(d):
    out = header([
        "// Interview 1CL01: the crime lab's expert (case 1). A topic is listed once its",
        "// item was handed over for analysis (submittedevent) and selectable once the",
        "// result is ready (readyevent); its card shows on the expert computer. Made by",
        "// tools/make_expert_voices.py.",
    ], "expert")
    out.append("topics")
    topics = [
        ("brasskey", "brasskey", ["i1cl01_k_brasskey_stra", "i1cl01_e_brasskey_stra"],
         ["type=evidence", "name=card_brasskey_name", "collected=card_brasskey_collected", "image=brasskey_prints",
          "item=brasskey_CL"]),
        ("1cs03", "1cs03", ["i1cl01_e_1cs03_stra"],
         ["type=profile", "name=card_guest_name", "age=card_guest_age", "occupation=card_guest_occupation",
          "image=portrait_guest"]),
        ("1rb01", "1rb01", ["i1cl01_k_1rb01_stra", "i1cl01_e_1rb01_stra"],
         ["type=evidence", "name=card_1rb01_name", "collected=card_1rb01_collected", "image=1rb01_engraving",
          "item=1rb01_CL"]),
    ]
    for key, item, lines, info in topics:
        out += ["\t" + key, "\t\tname=topic_" + key, "\t\tlevel=1",
                "\t\tsubmittedevent=script[e[%s_cl_s]]" % item, "\t\treadyevent=script[e[%s_cl_r]]" % item,
                "\t\tviewedevent=evt_1cl01_%s_viewed" % key, "\t\tinfo"]
        out += ["\t\t\t" + entry for entry in info]
        out += ["\t\tmodes", "\t\t\tstra", "\t\t\t\ttype=good"]
        out += sequence(4, lines, d, font_of)
    for node, lines in (("intros", ["i1cl01_e_intro_ready", "i1cl01_e_intro_back"]),
                        ("pending", ["i1cl01_e_pending"]),
                        ("noinfos", ["i1cl01_e_noinfo_idle", "i1cl01_e_noinfo_bring"])):
        out.append(node)
        for index, line in enumerate(lines):
            out.append("\t%d" % index)
            out += sequence(2, [line], d, font_of)
    out.append("exit")
    out += sequence(1, ["i1cl01_k_exit"], d, font_of)
    return "\n".join(out) + "\n"


def call_file(ident, other, comment, d):
    prefix = "i%s_" % ident.lower()
    topic = [k[len("topic_"):] for k in TEXTS[ident] if k.startswith("topic_")][0]
    characters = lambda line: "k" if speaker_of(line) == "k" else ""
    out = header(comment, "regular")
    out += ["characters", "\tk=kestrin", "intros", "\thello", "\t\tdependencies=script[true]"]
    # Every intro entry names its done event: the interview asserts on it.
    out += sequence(2, [prefix + other + "_intro"], d, font_of, characters, "evt_%s_greeted" % ident)
    out += ["topics", "\t" + topic, "\t\tname=topic_" + topic, "\t\tlevel=1", "\t\tdependencies=script[true]",
            "\t\tdoneevent=evt_%s_%s_done" % (ident, topic), "\t\tmodes", "\t\t\tstra", "\t\t\t\ttype=good"]
    out += sequence(4, [prefix + "k_%s_stra" % topic, prefix + other + "_%s_stra" % topic], d, font_of, characters)
    out += ["noinfos", "\t0"]
    out += sequence(2, [prefix + other + "_noinfo"], d, font_of, characters)
    out.append("exit")
    out += sequence(1, [prefix + "k_exit"], d, font_of, characters, "evt_%s_called" % ident)
    return "\n".join(out) + "\n"


def subtitles_file(ident, texts):
    out = ["// Interview %s: topic names, cards and voice lines (tools/make_expert_voices.py)." % ident]
    out += ["%s=%s" % (key, text) for key, text in texts.items()]
    return "\n".join(out) + "\n"


def catalogue(path):
    with open(path) as source:
        text = source.read()
    if BLOCK in text:
        text = text[:text.index(BLOCK)]
    text = text.rstrip("\n") + "\n" + BLOCK + "\n"
    entries = [("1CL01", "none"), ("119", "none"), ("100", "none")]
    for ident, witness in entries:
        text += "%s\n\tdata=%s.txt\n\tsubtitles=%s_subtitles.txt\n\twitness=%s\n" % (ident, ident, ident, witness)
    return text


def read_voice_mails(path):
    mails = {}
    with open(path) as source:
        for raw in source:
            raw = raw.rstrip("\r\n")
            if raw.startswith("//") or "=" not in raw:
                continue
            key, text = raw.split("=", 1)
            if key.startswith("vm_"):
                mails[key] = text
    return mails


def write(path, text):
    with open(path, "w", newline="\n") as out:
        out.write(text)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    interviews = os.path.join(data, "interviews")
    lines = {}
    for texts in TEXTS.values():
        lines.update({key: text for key, text in texts.items() if LINE_KEY.match(key)})
    lines.update(read_voice_mails(os.path.join(data, "textures", "pda", "phone_messages_subtitles.txt")))
    durations = {}
    with tempfile.TemporaryDirectory() as work:
        for key, text in sorted(lines.items()):
            speaker = speaker_of(key)
            spoken = speak(work, key, text, speaker)
            rate, samples = read_wav(spoken)
            durations[key] = len(samples) / float(rate)
            to_ogg(spoken, os.path.join(data, "sounds", key + ".ogg"))
            if speaker == "k" and not key.startswith("vm_"):
                write(os.path.join(data, "lipsync", key + ".dat"), lipsync(key, rate, samples))
                write(os.path.join(data, "gestures", key + ".gk"), gestures(key))
    write(os.path.join(interviews, "1CL01.txt"), expert_file(durations))
    write(os.path.join(interviews, "119.txt"), call_file("119", "m", [
        "// Interview 119: a call to the Marlowe's manager, Mr. Ardley (case 1), from",
        "// the PDA's directory. Made by tools/make_expert_voices.py.",
    ], durations))
    write(os.path.join(interviews, "100.txt"), call_file("100", "d", [
        "// Interview 100: a call to the precinct's front desk (the directories of",
        "// cases 2 to 4). Made by tools/make_expert_voices.py.",
    ], durations))
    for ident, texts in TEXTS.items():
        write(os.path.join(interviews, "%s_subtitles.txt" % ident), subtitles_file(ident, texts))
    write(os.path.join(interviews, "interviews.txt"), catalogue(os.path.join(interviews, "interviews.txt")))


if __name__ == "__main__":
    main()
