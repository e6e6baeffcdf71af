#pragma once
// Meshes that the shadow tests cast from, built by hand: the cube from -1 to
// 1 with four vertices per side (as its texture needs) and the vertex map
// that welds the copies of each corner; a single triangle; and a model of
// frames holding them.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "geometry/VoVector3.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshSubset.h"
#include "scene/VoSkinMesh.h"
#include "support/SceneTestSupport.h"

struct CubeSide {
    VoVector3 normal, right, up;
};

// Each side's outward normal and its right and up directions seen from outside.
inline const CubeSide* CubeSides() {
    static const CubeSide kSides[6] = {
        {{0, 0, -1}, {1, 0, 0}, {0, 1, 0}}, {{0, 0, 1}, {-1, 0, 0}, {0, 1, 0}},
        {{1, 0, 0}, {0, 0, 1}, {0, 1, 0}},  {{-1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}},
    };
    return kSides;
}

// The cube's 24 vertices (format 5; top left, top right, bottom left,
// bottom right of each side), scaled and moved, and its 36 indices: two
// triangles per side, clockwise seen from outside.
inline void CubeGeometry(std::vector<MeshVertex>* apVertices, std::vector<std::uint16_t>* apIndices,
                         float aHalfSize = 1.0f, const VoVector3& aCentre = VoVector3(0, 0, 0)) {
    for (int s = 0; s < 6; ++s) {
        const CubeSide& side = CubeSides()[s];
        const std::uint16_t base = static_cast<std::uint16_t>(apVertices->size());
        const float corners[4][4] = {{-1, 1, 0, 0}, {1, 1, 1, 0}, {-1, -1, 0, 1}, {1, -1, 1, 1}};
        for (const auto& c : corners) {
            const VoVector3 p = (side.normal + side.right * c[0] + side.up * c[1]) * aHalfSize + aCentre;
            apVertices->push_back({p.x, p.y, p.z, side.normal.x, side.normal.y, side.normal.z, c[2], c[3]});
        }
        for (int i : {0, 1, 2, 2, 1, 3}) {
            apIndices->push_back(static_cast<std::uint16_t>(base + i));
        }
    }
}

// For each vertex the first vertex at the same position.
inline std::vector<std::int32_t> VertexMapOf(const std::vector<MeshVertex>& aVertices) {
    std::vector<std::int32_t> map;
    for (std::size_t i = 0; i < aVertices.size(); ++i) {
        std::int32_t first = static_cast<std::int32_t>(i);
        for (std::size_t j = 0; j < i; ++j) {
            if (aVertices[j].x == aVertices[i].x && aVertices[j].y == aVertices[i].y &&
                aVertices[j].z == aVertices[i].z) {
                first = static_cast<std::int32_t>(j);
                break;
            }
        }
        map.push_back(first);
    }
    return map;
}

// Fills the mesh: the vertices, the indices both mesh-wide and as one
// indexed subset's own, and (when asked) the vertex map.
inline void FillMesh(VoMesh* apMesh, const std::vector<MeshVertex>& aVertices,
                     const std::vector<std::uint16_t>& aIndices, bool aWithMap = true) {
    apMesh->SetVertexBuffer(MeshVertices(aVertices));
    apMesh->SetIndexBuffer(MeshIndices(aIndices));
    auto* subset = new VoMeshSubset();
    subset->SetTriangleCount(static_cast<std::uint32_t>(aIndices.size() / 3));
    subset->SetVertexCount(static_cast<std::uint32_t>(aVertices.size()));
    subset->SetIndexBuffer(MeshIndices(aIndices));
    apMesh->AddSubset(subset);
    apMesh->SetFlags(VoMesh::kIndexed);
    if (aWithMap) {
        const std::vector<std::int32_t> map = VertexMapOf(aVertices);
        apMesh->SetVertexMap(static_cast<std::int32_t>(map.size()), map.data());
    }
}

// The welded cube as a static mesh (or into the mesh given).
inline VoMesh* CubeMesh(VoMesh* apMesh = nullptr, float aHalfSize = 1.0f,
                        const VoVector3& aCentre = VoVector3(0, 0, 0)) {
    VoMesh* mesh = apMesh != nullptr ? apMesh : new VoMesh();
    std::vector<MeshVertex> vertices;
    std::vector<std::uint16_t> indices;
    CubeGeometry(&vertices, &indices, aHalfSize, aCentre);
    FillMesh(mesh, vertices, indices);
    return mesh;
}

inline MeshVertex At(float aX, float aY, float aZ) {
    return {aX, aY, aZ, 0, 0, -1, 0, 0};
}

// One triangle in the plane z = 0.
inline VoMesh* TriangleMesh() {
    auto* mesh = new VoMesh();
    FillMesh(mesh, {At(-1, 1, 0), At(1, 1, 0), At(-1, -1, 0)}, {0, 1, 2});
    return mesh;
}

// A model of the named frames, the first the root and the others its
// children, each carrying its mesh (null for none).
inline VoDrawElement* ModelOf(const std::vector<std::pair<const char16_t*, VoMesh*>>& aFrames) {
    VoFrame* root = nullptr;
    for (const auto& entry : aFrames) {
        auto* frame = new VoFrame();
        frame->SetName(VoString(entry.first));
        if (entry.second != nullptr) {
            frame->SetMesh(entry.second);
        }
        if (root == nullptr) {
            root = frame;
        } else {
            root->AddChild(frame);
        }
    }
    auto* element = new VoDrawElement();
    element->SetRootFrame(root);
    element->Update(nullptr);
    return element;
}

// The position a face or edge index names in the mesh's vertex buffer.
inline VoVector3 PositionOf(VoMesh* apMesh, std::int32_t aIndex) {
    const auto* vertex = static_cast<const float*>(apMesh->GetVertexBuffer()->GetVertex(aIndex));
    return VoVector3(vertex[0], vertex[1], vertex[2]);
}
