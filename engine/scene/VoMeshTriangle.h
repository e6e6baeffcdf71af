#pragma once
// One triangle of a mesh tree (VoMeshOctree, VoMeshQuadTree), in world
// space, with the position of its mesh's id in the tree's id list: a plain
// record of 40 bytes that the tree owns. The mesh index is one byte, so a
// tree holds the triangles of at most kMaxMeshes meshes.
#include <cstdint>

#include "container/VoVector.h"
#include "geometry/VoVector3.h"

class VoMatrix;

struct VoMeshTriangle {
    static constexpr int kMaxMeshes = 256;

    // Index 0, every corner (0, 0, 0).
    VoMeshTriangle() = default;
    // The corners placed by aWorld (a point through the full matrix, divided
    // by w); null places nothing.
    VoMeshTriangle(std::uint8_t aMeshIndex, const VoVector3& aA, const VoVector3& aB, const VoVector3& aC,
                   const VoMatrix* apWorld);

    std::uint8_t meshIndex = 0;
    VoVector3 a;
    VoVector3 b;
    VoVector3 c;
};

// Deletes the triangles that the cells listed in aNodes hold (a mesh tree's
// GetAllNodes; Node is the tree's cell type).
template <typename Node>
void DeleteCellTriangles(const VoVector& aNodes) {
    for (int n = 0; n < aNodes.GetCount(); ++n) {
        const VoVector& objects = static_cast<Node*>(aNodes.GetAt(n))->objects;
        for (int i = 0; i < objects.GetCount(); ++i) {
            delete static_cast<VoMeshTriangle*>(objects.GetAt(i));
        }
    }
}
