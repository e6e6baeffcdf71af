#pragma once
// What the scene-graph tests share: matrices compared within a tolerance,
// and meshes of vertex format 5 (position, normal, texture coordinates)
// built from plain vertex lists.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "geometry/VoMatrix.h"
#include "render/VoIndexBuffer.h"
#include "render/VoVertexBuffer.h"

struct MeshVertex {
    float x, y, z, nx, ny, nz, u, v;
};

inline VoMatrix Identity() {
    VoMatrix identity;
    MatrixIdentity(&identity);
    return identity;
}

inline VoMatrix Translation(float aX, float aY, float aZ) {
    VoMatrix matrix;
    MatrixTranslation(&matrix, aX, aY, aZ);
    return matrix;
}

inline std::string MatrixText(const VoMatrix& aMatrix) {
    std::string text;
    for (int r = 0; r < 4; ++r) {
        text += r > 0 ? " | " : "";
        for (int c = 0; c < 4; ++c) {
            text += (c > 0 ? " " : "") + std::to_string(aMatrix.m[r][c]);
        }
    }
    return text;
}

inline ::testing::AssertionResult MatrixNear(const VoMatrix& aActual, const VoMatrix& aExpected,
                                             float aTolerance = 1e-5f) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            if (!(std::fabs(aActual.m[r][c] - aExpected.m[r][c]) <= aTolerance)) {
                return ::testing::AssertionFailure()
                       << "\n  actual   " << MatrixText(aActual) << "\n  expected " << MatrixText(aExpected);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// A new vertex buffer of format 5 holding the vertices.
inline VoVertexBuffer* MeshVertices(const std::vector<MeshVertex>& aVertices) {
    auto* buffer = new VoVertexBuffer();
    EXPECT_TRUE(buffer->Create(5, aVertices.data(), static_cast<std::int32_t>(aVertices.size())));
    return buffer;
}

// A new 16-bit index buffer holding the indices.
inline VoIndexBuffer* MeshIndices(const std::vector<std::uint16_t>& aIndices) {
    auto* buffer = new VoIndexBuffer();
    EXPECT_TRUE(buffer->Create(VoIndexBuffer::kFormat16, aIndices.data(),
                               static_cast<std::int32_t>(aIndices.size())));
    return buffer;
}
