#include "scene/VoMeshTriangles.h"

#include <cstring>

#include "render/VoIndexBuffer.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshSubset.h"

VoMeshTriangles::VoMeshTriangles(const VoMesh* apMesh) : fpMesh(apMesh) {}

bool VoMeshTriangles::Corner(std::uint32_t aCorner, VoVector3* apOut, bool* apEnded) const {
    const VoMeshSubset* subset = fpMesh->GetSubset(fSubset);
    const std::uint32_t flags = fpMesh->GetFlags();
    const std::uint64_t step = (flags & VoMesh::kStrips) != 0 ? 1 : 3;
    const std::uint64_t position = subset->GetStartIndex() + step * fTriangle + aCorner;
    std::uint64_t vertex = position;
    VoVertexBuffer* vertices = fpMesh->GetVertexBuffer();
    if ((flags & VoMesh::kIndexed) != 0) {
        const VoIndexBuffer* indices = subset->GetIndexBuffer();
        if (indices == nullptr || position >= static_cast<std::uint64_t>(indices->GetCount())) {
            *apEnded = true;
            return false;
        }
        vertex = static_cast<std::uint64_t>(indices->GetIndex(static_cast<std::int32_t>(position))) +
                 subset->GetBaseVertexIndex();
    } else if (position >= static_cast<std::uint64_t>(vertices->GetVertexCount())) {
        *apEnded = true;
        return false;
    }
    if (vertex >= static_cast<std::uint64_t>(vertices->GetVertexCount())) {
        return false;
    }
    const void* slot = vertices->GetVertex(static_cast<std::int32_t>(vertex));
    if (slot == nullptr) {
        return false;
    }
    float xyz[3];
    std::memcpy(xyz, slot, sizeof xyz);
    apOut->Set(xyz[0], xyz[1], xyz[2]);
    return true;
}

bool VoMeshTriangles::Next(VoVector3* apA, VoVector3* apB, VoVector3* apC) {
    if (fpMesh == nullptr || fpMesh->GetVertexBuffer() == nullptr ||
        fpMesh->GetVertexBuffer()->GetStride() < 12) {
        return false;
    }
    while (fSubset < fpMesh->GetSubsetCount()) {
        const VoMeshSubset* subset = fpMesh->GetSubset(fSubset);
        while (subset != nullptr && fTriangle < subset->GetTriangleCount()) {
            bool ended = false;
            const bool a = Corner(0, apA, &ended);
            const bool b = Corner(1, apB, &ended);
            const bool c = Corner(2, apC, &ended);
            ++fTriangle;
            if (ended) {
                break;
            }
            if (a && b && c) {
                return true;
            }
        }
        ++fSubset;
        fTriangle = 0;
    }
    return false;
}
