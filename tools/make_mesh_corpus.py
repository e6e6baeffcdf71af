#!/usr/bin/env python3
"""Writes the kept inputs of the mesh file fuzz targets: the sample meshes of
the data tree without textures (tools/make_sample_meshes.cpp writes them;
run it first) and small hand-made files, valid, truncated or hostile, each
named for what it holds. The first byte of every input is bit 0 set when
the fuzz stream tells its size, and for the raw target bit 1 set for render
mode 1.

    tools/make_mesh_corpus.py [fuzz/corpus] [data/meshes]
"""
import os
import struct
import sys

IDENTITY = (1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1)


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


def translation(x, y, z):
    return (1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1)


def material(red=1.0, texture=""):
    return floats(0, 0, 0, 1, red, 0, 0, 1, 0, 0, 0, 1, 8, 0, 0, 0, 1) + text(texture)


def vertices5(count):
    data = b"".join(floats(i, i % 2, 0, 0, 1, 0, 0, 0) for i in range(count))
    return u32(5) + u32(32) + u32(count) + u32(32 * count) + data


def indices16(values):
    return u32(1) + u32(2) + u32(len(values)) + u32(2 * len(values)) + struct.pack("<%dH" % len(values), *values)


# ---- the serialised form ------------------------------------------------------

def mesh_record(triangles, name="m", mesh_type=0, corners=None, vertex_map=None):
    flat = [i for t in triangles for i in t]
    count = max(flat) + 1
    data = floats(1.0) + text(name) + u32(mesh_type) + u32(17) + vertices5(count) + indices16(flat)
    data += u32(1) + u32(len(triangles)) + u32(count) + indices16(flat) + material()
    if vertex_map is None:
        data += b"\0"
    else:
        data += b"\1" + u32(len(vertex_map)) + b"".join(u32(v) for v in vertex_map)
    if corners is None:
        data += u32(0)
    else:
        data += u32(len(corners)) + b"".join(u32(c) for c in corners[::2])
    return data


def frame(name, mesh=None, mesh_type=0, child=None, sibling=None, frame_id=None):
    data = u32(name_hash(name) if frame_id is None else frame_id) + text(name)
    if mesh is None:
        data += b"\0"
    else:
        data += b"\1" + u32(mesh_type) + mesh
    data += floats(*IDENTITY) + floats(*translation(1, 2, 3))
    data += (b"\1" + child) if child is not None else b"\0"
    data += (b"\1" + sibling) if sibling is not None else b"\0"
    return data


def skin_record(triangles):
    bones = text("Root") + u32(3) + b"".join(u32(i) for i in range(3)) + floats(1, 1, 1) + floats(*IDENTITY)
    bones += text("Arm") + u32(1) + u32(2) + floats(0.5) + floats(*translation(0, -1, 0))
    return mesh_record(triangles, "skin", 1) + u32(2) + bones


def serialised_inputs():
    tri = [(0, 1, 2), (1, 2, 3)]
    chain = b""
    for _ in range(257):
        chain = frame("f", child=chain if chain else None)
    yield "root-alone", b"\1" + b"\1" + frame("a")
    yield "no-root", b"\1" + b"\0"
    yield "tree-with-meshes", b"\1" + b"\1" + frame(
        "Root", child=frame("Arm", mesh_record(tri, corners=list(range(6)), vertex_map=[0, 1, 0, 1]),
                            sibling=frame("Leg")), sibling=frame("Other"))
    yield "skinned", b"\1" + b"\1" + frame("Root", skin_record(tri), 1, child=frame("Arm"))
    yield "skinned-unsized", b"\0" + b"\1" + frame("Root", skin_record(tri), 1, child=frame("Arm"))
    record = mesh_record(tri)
    subsets = 4 + 8 + 8 + (16 + 4 * 32) + (16 + 12)
    yield "subset-count-beyond-data", b"\1" + b"\1" + frame(
        "a", record[:subsets] + u32(0x10000001) + record[subsets + 4:])
    yield "corner-count-mismatch", b"\1" + b"\1" + frame("a", mesh_record(tri, corners=[1, 2, 3, 4]))
    yield "record-type-mismatch", b"\1" + b"\1" + frame("a", mesh_record(tri, mesh_type=1), 0)
    yield "nested-too-deep", b"\1" + b"\1" + chain
    whole = b"\1" + b"\1" + frame("Root", skin_record(tri), 1, child=frame("Arm"))
    yield "truncated-in-bones", whole[:len(whole) - 100]


# ---- the raw form -------------------------------------------------------------

def raw_frame(number, sibling, child, flags, name, body=b"", file=IDENTITY, absolute=IDENTITY):
    data = u32(number) + floats(*file) + floats(*absolute) + u32(0) + u32(sibling) + u32(child)
    return data + u32(flags) + u32(len(name) + 1) + name.encode() + b"\0" + body


def raw_body(records, index_values, vertex_count=4, materials=1, corners=None):
    data = u32(materials) + b"".join(material(0.25 * (i + 1)) for i in range(materials))
    data += vertices5(vertex_count) + indices16(index_values) + u32(len(records))
    data += b"".join(b"".join(u32(v) for v in record) for record in records)
    if corners is not None:
        data += b"".join(u32(c) for c in corners)
    return data


def raw_bones(frame_number):
    bone = u32(4) + b"Bone" + u32(3) + b"".join(u32(i) for i in range(3)) + floats(1, 1, 1)
    return u32(1) + u32(0) + bone + u32(frame_number) + floats(*translation(0, -1, 0))


def raw(frames, count=None):
    return b"RAWMESH!" + u32(len(frames) if count is None else count) + u32(0) + b"".join(frames)


def raw_inputs():
    body = raw_body([(0, 0, 1, 0, 3), (0, 3, 1, 1, 3)], [0, 1, 2, 0, 1, 2])
    yield "two-subsets-with-base", b"\1" + raw([
        raw_frame(1, 0, 2, 0x0001, "Root", body, absolute=translation(10, 0, -5)),
        raw_frame(2, 0, 0, 0, "WG_floor")])
    yield "skinned-with-corners", b"\3" + raw([
        raw_frame(5, 0, 7, 0x8002, "Body", raw_body([(0, 0, 1, 0, 3)], [0, 1, 2], corners=[0, 1, 2]) + raw_bones(7)),
        raw_frame(7, 0, 0, 0, "Head", file=translation(0, 1, 0), absolute=translation(0, 1, 0))])
    yield "no-mesh-then-next", b"\3" + raw([raw_frame(1, 0, 2, 0x0003, "Root"), raw_frame(2, 0, 0, 0, "Next")])
    yield "child-loop", b"\3" + raw([raw_frame(1, 0, 2, 0, "A"), raw_frame(2, 0, 3, 0, "B"),
                                      raw_frame(3, 0, 2, 0, "C")])
    yield "second-way-in", b"\3" + raw([raw_frame(1, 0, 2, 0, "A"), raw_frame(2, 0, 0, 0, "B"),
                                         raw_frame(3, 0, 2, 0, "C")])
    yield "link-to-root", b"\3" + raw([raw_frame(1, 0, 2, 0, "A"), raw_frame(2, 1, 0, 0, "B")])
    yield "frame-count-beyond-data", b"\1" + raw([raw_frame(1, 0, 0, 0, "A")], count=1000)
    yield "subset-past-indices", b"\1" + raw([
        raw_frame(1, 0, 0, 0x0001, "Root", raw_body([(0, 4, 2, 0, 3)], [0, 1, 2, 1, 2, 3]))])
    yield "subset-without-material", b"\1" + raw([
        raw_frame(1, 0, 0, 0x0001, "Root", raw_body([(0, 0, 1, 0, 3), (0, 3, 1, 0, 3)], [0, 1, 2, 1, 2, 3]))])
    yield "subset-without-triangles", b"\1" + raw([
        raw_frame(1, 0, 0, 0x0001, "Root", raw_body([(0, 0, 0, 0, 0), (0, 0, 1, 0, 3)], [0, 1, 2]))])
    chain = [raw_frame(i, 0, i + 1 if i < 257 else 0, 0, "f") for i in range(1, 258)]
    yield "nested-too-deep", b"\1" + raw(chain)


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def main():
    corpus = sys.argv[1] if len(sys.argv) > 1 else "fuzz/corpus"
    meshes = sys.argv[2] if len(sys.argv) > 2 else "data/meshes"
    for name, data in serialised_inputs():
        write(os.path.join(corpus, "mesh"), name, data)
    for name, data in raw_inputs():
        write(os.path.join(corpus, "mesh_raw"), name, data)
    # The samples without textures (none can be made while fuzzing).
    for name, target, first in (("sample_cube.lim1", "mesh", 1), ("sample_character.lim1", "mesh", 1),
                                ("sample_scene_depth.lim", "mesh_raw", 1), ("sample_character.lim", "mesh_raw", 3)):
        with open(os.path.join(meshes, name), "rb") as sample:
            write(os.path.join(corpus, target), name, bytes([first]) + sample.read())


if __name__ == "__main__":
    main()
