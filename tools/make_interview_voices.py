#!/usr/bin/env python3
"""Writes the voice lines of the sample interviews and what goes with them:

    data/sounds/<line>.ogg        every voice line of the interviews'
                                  subtitle files (data/interviews/
                                  *_subtitles.txt), spoken by espeak-ng and
                                  encoded as mono Vorbis by ffmpeg
    data/lipsync/<line>.dat       its lip-sync, made from the line's loudness
    data/gestures/<line>.gk       the gestures of every line: those of GESTURES,
                                  else a nod of the speaker
    data/sounds/temp.ogg          the stand-in for a voice line that is
                                  missing: a short tone
    data/interviews/durations.txt each line's length in seconds, for timing
                                  the subtitles and camera cuts of the
                                  interview files (which are written by hand)

A line's key is its sound's name: i<interview>_<speaker>_<label>, the speaker
"k" the detective (a low male voice) or "c" the clerk (a female voice).

Lip-sync from loudness: the speech is cut into 40 ms windows; the loudness
(RMS) of each opens the jaw (Phoneme_Ox, up to 90 percent of the loudest
window's level), and windows rich in hiss (many zero crossings) show the
teeth instead (Phoneme_Size); the eyes blink once in the middle of every
line longer than a second. Times in milliseconds, weights in percent, as the
lip-sync reader expects them.

Needs espeak-ng and ffmpeg (Debian packages of those names); the build never
runs it, the outputs are committed.

    tools/make_interview_voices.py [data]
"""
import math
import os
import re
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 16000
WINDOW_MS = 40
VOICES = {
    "k": ["-v", "en-us+m3", "-p", "35", "-s", "160"],
    "c": ["-v", "en-us+f3", "-p", "60", "-s", "165"],
}
LINE_KEY = re.compile(r"^i\d+_([kc])_\w+$")

# Gestures per line: (time in ms, binding, animation); a line not named here
# nods once, 300 ms in. The heads' gestures are taken in the speaker's
# gender; the detective's pocket lines take the badge or the photo out (the
# animations the pocket-object table names, which show the prop from their
# frame 28).
GESTURES = {
    "i117_c_night_stra": [(200, "primary", "sa_nod.lia1")],
    "i117_c_guest_empa": [(900, "primary", "sa_point.lia1")],
    "i117_c_key_decp": [(300, "primary", "sa_shrug.lia1")],
    "i117_k_night_stra": [(0, "primary", "//animations/Show-Badge_M.lia1")],
    "i117_k_guest_empa": [(0, "primary", "//animations/Show-Photo_M.lia1")],
}


def read_lines(folder):
    """Every voice line of the subtitle files: key -> text."""
    lines = {}
    for name in sorted(os.listdir(folder)):
        if not name.endswith("_subtitles.txt"):
            continue
        with open(os.path.join(folder, name)) as source:
            for raw in source:
                raw = raw.rstrip("\r\n")
                if raw.startswith("//") or "=" not in raw:
                    continue
                key, text = raw.split("=", 1)
                if LINE_KEY.match(key):
                    if key in lines and lines[key] != text:
                        raise SystemExit("%s: two texts for one line" % key)
                    lines[key] = text
    return lines


def read_wav(path):
    with wave.open(path, "rb") as source:
        rate = source.getframerate()
        channels = source.getnchannels()
        frames = source.readframes(source.getnframes())
    samples = struct.unpack("<%dh" % (len(frames) // 2), frames)
    return rate, [samples[i] / 32768.0 for i in range(0, len(samples), channels)]


def lipsync(key, rate, samples):
    size = rate * WINDOW_MS // 1000
    windows = [samples[i:i + size] for i in range(0, len(samples), size)]
    loudness = [math.sqrt(sum(s * s for s in w) / len(w)) if w else 0.0 for w in windows]
    crossings = [sum(1 for a, b in zip(w, w[1:]) if (a < 0) != (b < 0)) / max(1, len(w)) for w in windows]
    top = max(loudness) if loudness else 1.0
    jaw, teeth = [], []
    for index, (level, hiss) in enumerate(zip(loudness, crossings)):
        open_ = 0 if top <= 0 else min(90, int(round(90 * level / top)))
        if open_ < 8:
            open_ = 0
        sibilant = hiss > 0.25 and open_ > 0
        jaw.append(0 if sibilant else open_)
        teeth.append(min(70, open_) if sibilant else 0)
    length_ms = len(windows) * WINDOW_MS
    channels = [("Phoneme_Ox", jaw), ("Phoneme_Size", teeth)]
    lines = [
        "// Lip-sync of the voice line %s, from its loudness" % key,
        "// (tools/make_interview_voices.py): times in milliseconds, weights in",
        "// percent.",
        "sound=%s.ogg" % key,
        "phonemes",
    ]
    index = 0
    for name, values in channels:
        times = [i * WINDOW_MS for i in range(len(values))] + [length_ms]
        weights = values + [0]
        lines += ["\t%d" % index, "\t\tid=" + name, "\t\tnumkeys=%d" % len(times),
                  "\t\ttimes=" + "|".join(str(t) for t in times),
                  "\t\tvalues=" + "|".join(str(v) for v in weights)]
        index += 1
    if length_ms > 1000:
        middle = length_ms // 2
        lines += ["\t%d" % index, "\t\tid=Viseme_Blink", "\t\tnumkeys=3",
                  "\t\ttimes=%d|%d|%d" % (middle - 60, middle, middle + 60), "\t\tvalues=0|100|0"]
    return "\n".join(lines) + "\n"


def gestures(key):
    lines = [
        "// Gestures of the voice line %s (tools/make_interview_voices.py):" % key,
        "// times in milliseconds after the line starts; each key plays its",
        "// animation once forward and back (the default curve).",
        "keys",
    ]
    for index, (time, binding, animation) in enumerate(GESTURES.get(key, [(300, "primary", "sa_nod.lia1")])):
        lines += ["\tg%d" % index, "\t\ttime=%d" % time, "\t\tcharacter=" + binding, "\t\ttype=" + animation,
                  "\t\tcurve=0"]
    return "\n".join(lines) + "\n"


def write_wav(path, samples):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", max(-32767, min(32767, round(s * 32767)))) for s in samples))


def tone():
    count = int(0.5 * RATE)
    return [0.4 * min(1.0, i / 160.0, (count - i) / 800.0) * math.sin(2 * math.pi * 660 * i / RATE)
            for i in range(count)]


def to_ogg(source, target):
    subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-i", source, "-ac", "1", "-ar", str(RATE),
                    "-c:a", "libvorbis", "-q:a", "0", "-map_metadata", "-1", "-fflags", "+bitexact",
                    "-flags:a", "+bitexact", target], check=True)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    for folder in ("sounds", "lipsync", "gestures"):
        os.makedirs(os.path.join(data, folder), exist_ok=True)
    lines = read_lines(os.path.join(data, "interviews"))
    durations = []
    with tempfile.TemporaryDirectory() as work:
        temp = os.path.join(work, "temp.wav")
        write_wav(temp, tone())
        to_ogg(temp, os.path.join(data, "sounds", "temp.ogg"))
        for key, text in sorted(lines.items()):
            speaker = LINE_KEY.match(key).group(1)
            spoken = os.path.join(work, key + ".wav")
            subprocess.run(["espeak-ng"] + VOICES[speaker] + ["-w", spoken, text], check=True)
            rate, samples = read_wav(spoken)
            durations.append("%s=%.2f" % (key, len(samples) / float(rate)))
            to_ogg(spoken, os.path.join(data, "sounds", key + ".ogg"))
            with open(os.path.join(data, "lipsync", key + ".dat"), "w", newline="\n") as out:
                out.write(lipsync(key, rate, samples))
            with open(os.path.join(data, "gestures", key + ".gk"), "w", newline="\n") as out:
                out.write(gestures(key))
    with open(os.path.join(data, "interviews", "durations.txt"), "w", newline="\n") as out:
        out.write("// The length of every interview voice line in seconds (tools/make_interview_voices.py).\n")
        out.write("\n".join(durations) + "\n")


if __name__ == "__main__":
    main()
