#pragma once
// Mesh files of the raw form written field by field in the tests: the
// header, frame records and the parts of a mesh body.
#include <cstdint>
#include <string>
#include <vector>

#include "geometry/VoMatrix.h"
#include "support/AnimationFiles.h"
#include "support/SceneTestSupport.h"

struct RawFields {
    Field field;

    explicit RawFields(Bytes& aBytes) : field(aBytes) {}

    RawFields& Header(std::int32_t aFrames) {
        field.Chars("RAWMESH!", 8).U32(static_cast<std::uint32_t>(aFrames)).U32(0xABCD);
        return *this;
    }
    RawFields& Matrix(const VoMatrix& aMatrix) {
        for (const auto& row : aMatrix.m) {
            for (float value : row) {
                field.F32(value);
            }
        }
        return *this;
    }
    // A frame record up to its name (the mesh body follows when the flags say so).
    RawFields& Frame(std::uint32_t aNumber, const VoMatrix& aFile, const VoMatrix& aAbsolute,
                     std::uint32_t aSibling, std::uint32_t aChild, std::uint32_t aFlags,
                     const std::string& aName) {
        field.U32(aNumber);
        Matrix(aFile).Matrix(aAbsolute);
        field.U32(0xDEAD).U32(aSibling).U32(aChild).U32(aFlags).RawName(aName);
        return *this;
    }
    // A material record without texture of diffuse (aRed, 0, 0).
    RawFields& Material(float aRed) {
        field.Floats({0, 0, 0, 1, aRed, 0, 0, 1, 0, 0, 0, 1}).F32(4).Floats({0, 0, 0, 1}).Text(u"");
        return *this;
    }
    // Vertices of format 1 at (i, 0, 0).
    RawFields& Positions(int aCount) {
        field.U32s({1, 12, static_cast<std::uint32_t>(aCount), static_cast<std::uint32_t>(12 * aCount)});
        for (int i = 0; i < aCount; ++i) {
            field.Floats({static_cast<float>(i), 0, 0});
        }
        return *this;
    }
    // Vertices of format 5 at (i, 0, 0) with the normal (0, 1, 0).
    RawFields& LitVertices(int aCount) {
        field.U32s({5, 32, static_cast<std::uint32_t>(aCount), static_cast<std::uint32_t>(32 * aCount)});
        for (int i = 0; i < aCount; ++i) {
            field.Floats({static_cast<float>(i), 0, 0, 0, 1, 0, 0, 0});
        }
        return *this;
    }
    // Vertices of format 5, as they are.
    RawFields& Vertices(const std::vector<MeshVertex>& aVertices) {
        const auto count = static_cast<std::uint32_t>(aVertices.size());
        field.U32s({5, 32, count, 32 * count});
        for (const MeshVertex& vertex : aVertices) {
            field.Floats({vertex.x, vertex.y, vertex.z, vertex.nx, vertex.ny, vertex.nz, vertex.u, vertex.v});
        }
        return *this;
    }
    RawFields& Indices16(const std::vector<std::uint16_t>& aIndices) {
        const auto count = static_cast<std::uint32_t>(aIndices.size());
        field.U32s({1, 2, count, 2 * count});
        for (std::uint16_t index : aIndices) {
            field.Byte(static_cast<unsigned char>(index)).Byte(static_cast<unsigned char>(index >> 8));
        }
        return *this;
    }
    RawFields& Indices32(const std::vector<std::uint32_t>& aIndices) {
        const auto count = static_cast<std::uint32_t>(aIndices.size());
        field.U32s({2, 4, count, 4 * count});
        for (std::uint32_t index : aIndices) {
            field.U32(index);
        }
        return *this;
    }
};
