#!/usr/bin/env python3
"""Writes the sample animations of the data tree for the sample character
(data/meshes/sample_character.lim1, whose skeleton is rooted at "Biped" at
hip height, facing -z with y up):

    data/animations/sample_idle.lia1      idle: breathing and a slow look round (2 s, loops)
    data/animations/sample_walk.lia1      walk cycle (1 s)
    data/animations/sample_run.lia1       run cycle (2/3 s)
    data/animations/ma_M/ma_nod.lia1      gesture: a nod (1 s)
    data/animations/ma_M/ma_point.lia1    gesture: pointing ahead with the right arm (1.5 s)
    data/animations/ma_F/ma_point.lia1    the same for a woman of head type "ma", lower (4/3 s)
    data/phonemes/ma/<channel>.lia        the 27 one-pose face animations of head type "ma"
                                          (raw form), one per lip-sync channel

    tools/make_sample_animations.py [data]

Body animations are in the serialised form; the face poses in the raw form
that the lip-sync player loads. Animations turn frames only, but for "Biped",
which also takes position keys (its rest place is (0, 38, 0)). A face pose
names only the frames it moves and gives each its rest place as position,
since a pose sets the translation of every frame it names. Angles are in
degrees about the frame's own axes: about x a positive angle turns -z
(forward) towards +y (up), about z a positive angle turns +x towards +y.
"""
import math
import os
import struct
import sys

RATE = 30  # keys per second

BIPED_REST = (0.0, 38.0, 0.0)

# The face frames and their places relative to their parent, as the sample
# character's skeleton has them.
FACE_REST = {
    "BN_Jaw": (0.0, 2.5, -1.0),
    "BN_Lip_Upper": (0.0, 2.6, -3.5),
    "BN_Mouth_L": (1.1, 2.2, -3.5),
    "BN_Mouth_R": (-1.1, 2.2, -3.5),
    "BN_Eye_L": (1.2, 5.5, -3.5),
    "BN_Eye_R": (-1.2, 5.5, -3.5),
    "BN_Brow_L": (1.2, 6.7, -3.5),
    "BN_Brow_R": (-1.2, 6.7, -3.5),
}

CHANNELS = [
    "Phoneme_Bump", "Phoneme_Cage", "Phoneme_Church", "Phoneme_Earth", "Phoneme_Eat",
    "Phoneme_Fave", "Phoneme_If", "Phoneme_New", "Phoneme_Oat", "Phoneme_Ox",
    "Phoneme_Roar", "Phoneme_Size", "Phoneme_Though", "Phoneme_Told", "Phoneme_Wet",
    "Viseme_Blink", "Viseme_EB_Down", "Viseme_EB_Up", "Viseme_Anger", "Viseme_Disgust",
    "Viseme_Frown", "Viseme_Happy", "Viseme_Sad", "Viseme_Smile", "Viseme_Squint",
    "Viseme_Surprise", "Viseme_Tightlipped",
]


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


def quaternion(axis, degrees):
    """The rotation about the frame's x, y or z axis as (x, y, z, w)."""
    half = math.radians(degrees) / 2.0
    q = [0.0, 0.0, 0.0, math.cos(half)]
    q["xyz".index(axis)] = math.sin(half)
    return tuple(q)


def product(a, b):
    """a then b, as the engine composes rotations of row vectors."""
    ax, ay, az, aw = b
    bx, by, bz, bw = a
    return (aw * bx + ax * bw + ay * bz - az * by,
            aw * by - ax * bz + ay * bw + az * bx,
            aw * bz + ax * by - ay * bx + az * bw,
            aw * bw - ax * bx - ay * by - az * bz)


def turn(*steps):
    """Turns about the frame's axes, applied in order: turn(("x", 10), ("y", 5))."""
    q = (0.0, 0.0, 0.0, 1.0)
    for axis, degrees in steps:
        q = product(q, quaternion(axis, degrees))
    return q


def serialised(name, frames, tracks):
    """tracks: [(frame name, [rotation per key], [position per key] or None)]."""
    data = text(name) + u32(len(tracks)) + u32(frames)
    for frame, rotations, positions in tracks:
        data += text(frame) + u32(name_hash(frame)) + u32(frames)
        data += bytes([0])  # no vector keys: frames keep their scale
        data += bytes([1]) + b"".join(floats(*q) for q in rotations)
        if positions is None:
            data += bytes([0])
        else:
            data += bytes([1]) + b"".join(floats(*p) for p in positions)
    return data


def raw_pose(tracks):
    """One key per track: [(frame name, rotation, position)]."""
    data = b"LIA\0\0\0\0\0" + u32(0) + u32(len(tracks)) + u32(1)
    for frame, rotation, position in tracks:
        name = frame.encode("ascii") + b"\0"
        data += u32(len(name)) + name + u32(0)
        data += floats(1.0, 1.0, 1.0, *rotation, *position)
    return data


def cycle(frames, function):
    """function(phase) for each key, the phase running 0 .. 2 pi over the cycle."""
    return [function(2.0 * math.pi * k / frames) for k in range(frames)]


def ease(frames, function):
    """function(s) for each key, s easing 0 .. 1 .. 0 over the animation."""
    return [function(0.5 - 0.5 * math.cos(2.0 * math.pi * k / (frames - 1))) for k in range(frames)]


def idle():
    frames = 60
    return serialised("sample_idle", frames, [
        ("Biped", cycle(frames, lambda p: turn(("y", 1.0 * math.sin(p)))),
         cycle(frames, lambda p: (0.0, BIPED_REST[1] + 0.1 * math.sin(2 * p), 0.0))),
        ("Biped_Spine1", cycle(frames, lambda p: turn(("x", 1.5 * math.sin(2 * p)))), None),
        ("BN_Head", cycle(frames, lambda p: turn(("y", 6.0 * math.sin(p + 1.0)))), None),
        ("Biped_L_UpperArm", cycle(frames, lambda p: turn(("z", 4.0))), None),
        ("Biped_R_UpperArm", cycle(frames, lambda p: turn(("z", -4.0))), None),
    ])


def stride(name, frames, leg, knee, arm, elbow, bob):
    """A walking or running cycle: legs swing about x in opposition, knees
    bend as a leg passes behind, arms swing against their legs."""
    def thigh(side):
        return lambda p: turn(("x", side * leg * math.sin(p)))

    def calf(side):
        return lambda p: turn(("x", -knee * (0.2 + max(0.0, -side * math.sin(p)))))

    def upper(side):
        return lambda p: turn(("x", -side * arm * math.sin(p)))

    def fore(side):
        return lambda p: turn(("x", elbow * (1.0 + 0.3 * side * math.sin(p))))

    return serialised(name, frames, [
        ("Biped", cycle(frames, lambda p: turn(("y", 2.0 * math.sin(p)))),
         cycle(frames, lambda p: (0.0, BIPED_REST[1] - bob * (0.5 - 0.5 * math.cos(2 * p)), 0.0))),
        ("Biped_L_Thigh", cycle(frames, thigh(1)), None),
        ("Biped_R_Thigh", cycle(frames, thigh(-1)), None),
        ("Biped_L_Calf", cycle(frames, calf(1)), None),
        ("Biped_R_Calf", cycle(frames, calf(-1)), None),
        ("Biped_L_UpperArm", cycle(frames, upper(1)), None),
        ("Biped_R_UpperArm", cycle(frames, upper(-1)), None),
        ("Biped_L_Forearm", cycle(frames, fore(1)), None),
        ("Biped_R_Forearm", cycle(frames, fore(-1)), None),
    ])


def nod():
    frames = 30
    return serialised("ma_nod", frames, [
        ("BN_Head", ease(frames, lambda s: turn(("x", -18.0 * s))), None),
        ("BN_Neck", ease(frames, lambda s: turn(("x", -6.0 * s))), None),
    ])


def point(name, frames, lift):
    """The right arm raised ahead and held, the head turned a little after it."""
    def held(s):
        return min(1.0, 1.6 * s)

    return serialised(name, frames, [
        ("Biped_R_Clavicle", ease(frames, lambda s: turn(("z", -8.0 * held(s)))), None),
        ("Biped_R_UpperArm", ease(frames, lambda s: turn(("x", lift * held(s)), ("y", 12.0 * held(s)))), None),
        ("Biped_R_Forearm", ease(frames, lambda s: turn(("x", 8.0 * held(s)))), None),
        ("BN_Head", ease(frames, lambda s: turn(("y", -10.0 * held(s)))), None),
    ])


# Each face pose: {frame: turn(...)}; frames not named are left alone.
def face_poses():
    def jaw(degrees):
        return {"BN_Jaw": turn(("x", -degrees))}

    def corners(out_degrees, up_degrees=0.0):
        # Out: the corners turn away from the middle about y; up: about z.
        return {"BN_Mouth_L": turn(("y", -out_degrees), ("z", up_degrees)),
                "BN_Mouth_R": turn(("y", out_degrees), ("z", -up_degrees))}

    def brows(inner_down, lift=0.0):
        return {"BN_Brow_L": turn(("z", inner_down), ("x", lift)),
                "BN_Brow_R": turn(("z", -inner_down), ("x", lift))}

    def eyes(degrees):
        return {"BN_Eye_L": turn(("x", degrees)), "BN_Eye_R": turn(("x", degrees))}

    def lip(degrees):
        return {"BN_Lip_Upper": turn(("x", degrees))}

    def merge(*parts):
        pose = {}
        for part in parts:
            pose.update(part)
        return pose

    return {
        "Phoneme_Bump": merge(jaw(0.5), lip(-3.0)),
        "Phoneme_Cage": merge(jaw(12.0), corners(6.0)),
        "Phoneme_Church": merge(jaw(8.0), corners(-10.0), lip(6.0)),
        "Phoneme_Earth": merge(jaw(10.0), corners(-4.0)),
        "Phoneme_Eat": merge(jaw(6.0), corners(12.0)),
        "Phoneme_Fave": merge(jaw(4.0), lip(-8.0)),
        "Phoneme_If": merge(jaw(9.0), corners(5.0)),
        "Phoneme_New": merge(jaw(7.0), corners(3.0)),
        "Phoneme_Oat": merge(jaw(10.0), corners(-14.0)),
        "Phoneme_Ox": merge(jaw(15.0), corners(-8.0)),
        "Phoneme_Roar": merge(jaw(8.0), corners(-10.0)),
        "Phoneme_Size": merge(jaw(5.0), corners(10.0)),
        "Phoneme_Though": merge(jaw(6.0), lip(4.0)),
        "Phoneme_Told": merge(jaw(7.0), lip(2.0)),
        "Phoneme_Wet": merge(jaw(5.0), corners(-16.0)),
        "Viseme_Blink": eyes(70.0),
        "Viseme_EB_Down": brows(-10.0, -6.0),
        "Viseme_EB_Up": brows(6.0, 10.0),
        "Viseme_Anger": merge(brows(-16.0, -8.0), corners(-4.0, -6.0)),
        "Viseme_Disgust": merge(lip(10.0), corners(0.0, -8.0), brows(-8.0)),
        "Viseme_Frown": merge(corners(0.0, -14.0), brows(-6.0)),
        "Viseme_Happy": merge(corners(6.0, 14.0), eyes(12.0)),
        "Viseme_Sad": merge(corners(0.0, -10.0), brows(10.0, 4.0)),
        "Viseme_Smile": corners(8.0, 18.0),
        "Viseme_Squint": eyes(35.0),
        "Viseme_Surprise": merge(brows(4.0, 16.0), jaw(8.0), eyes(-10.0)),
        "Viseme_Tightlipped": merge(lip(6.0), corners(-6.0, -4.0)),
    }


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "data"
    animations = os.path.join(root, "animations")
    write(os.path.join(animations, "sample_idle.lia1"), idle())
    write(os.path.join(animations, "sample_walk.lia1"),
          stride("sample_walk", RATE, 24.0, 30.0, 18.0, 12.0, 0.6))
    write(os.path.join(animations, "sample_run.lia1"),
          stride("sample_run", 20, 42.0, 70.0, 36.0, 70.0, 1.4))
    write(os.path.join(animations, "ma_M", "ma_nod.lia1"), nod())
    write(os.path.join(animations, "ma_M", "ma_point.lia1"), point("ma_point", 45, 80.0))
    write(os.path.join(animations, "ma_F", "ma_point.lia1"), point("ma_point", 40, 65.0))
    poses = face_poses()
    assert sorted(poses) == sorted(CHANNELS)
    for channel in CHANNELS:
        tracks = [(frame, rotation, FACE_REST[frame]) for frame, rotation in sorted(poses[channel].items())]
        write(os.path.join(root, "phonemes", "ma", channel + ".lia"), raw_pose(tracks))


if __name__ == "__main__":
    main()
