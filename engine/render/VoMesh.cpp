#include "render/VoMesh.h"

#include <cstring>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "geometry/VoMatrix.h"
#include "memory/VoNew.h"
#include "render/VoFrame.h"
#include "render/VoIRasterizer.h"
#include "render/VoIndexBuffer.h"
#include "render/VoMaterial.h"
#include "render/VoMeshSubset.h"
#include "render/VoVertexBuffer.h"

namespace {

// The position of vertex aIndex: the first three floats of its slot.
VoVector3 PositionOf(VoVertexBuffer* apBuffer, std::int32_t aIndex) {
    float xyz[3];
    std::memcpy(xyz, apBuffer->GetVertex(aIndex), sizeof xyz);
    return VoVector3(xyz[0], xyz[1], xyz[2]);
}

// Calls aVisit with every vertex position of the mesh, placed in the world
// when asked and the owner frame is known.
template <typename Visit>
void ForEachPosition(VoVertexBuffer* apBuffer, const VoFrame* apFrame, bool aWorld, Visit aVisit) {
    if (apBuffer == nullptr || apBuffer->GetStride() < 12) {
        return;
    }
    const VoMatrix* world = aWorld && apFrame != nullptr ? &apFrame->GetAbsoluteMatrix() : nullptr;
    const std::int32_t count = apBuffer->GetVertexCount();
    for (std::int32_t i = 0; i < count; ++i) {
        VoVector3 position = PositionOf(apBuffer, i);
        if (world != nullptr) {
            TransformCoord(&position, world, &position);
        }
        aVisit(position);
    }
}

}  // namespace

VoMesh::VoMesh() = default;

VoMesh::VoMesh(std::int32_t aMeshType) : fMeshType(aMeshType) {}

VoMesh::~VoMesh() {
    for (std::int32_t i = 0; i < fSubsetCount; ++i) {
        delete fppSubsets[i];
    }
    delete[] fppSubsets;
    delete[] fpMaterials;
    delete[] fpCorners;
    delete[] fpVertexMap;
    delete fpVertexBuffer;
    delete fpLitVertexBuffer;
    delete fpIndexBuffer;
    fpOwnerFrame = nullptr;
}

VoString VoMesh::ToString() const {
    return VoDebugString("VoMesh", this);
}

bool VoMesh::Render() {
    if ((fFlags & kDrawn) == 0) {
        return true;
    }
    VoIRasterizer* rasterizer = VoIRasterizer::Get();
    if (rasterizer == nullptr) {
        VO_ASSERT_FAILURE(kNoRasterizer);
        return false;
    }
    bool drawn = rasterizer->SetFillMode((fFlags & kWireframe) != 0 ? VoIRasterizer::kFillWireframe
                                                                    : VoIRasterizer::kFillSolid);
    // Without vertices of its own the subsets would draw the last mesh's.
    if (fpVertexBuffer == nullptr) {
        VO_ASSERT_FAILURE(kVertexBufferUndefined);
        return false;
    }
    drawn = rasterizer->SetVertexBuffer(fpVertexBuffer) && drawn;
    for (std::int32_t i = 0; i < fSubsetCount; ++i) {
        fppSubsets[i]->Render(rasterizer, fFlags);
    }
    return drawn;
}

bool VoMesh::SetBoneFrame(std::uint32_t, const VoString&, const VoMatrix*) {
    return true;
}

bool VoMesh::AddSubset(VoMeshSubset* apSubset) {
    if (apSubset == nullptr) {
        VO_ERROR(kAddSubsetNull);
        return false;
    }
    VoMeshSubset** subsets = VO_NEW VoMeshSubset * [static_cast<std::size_t>(fSubsetCount) + 1];
    if (subsets == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    for (std::int32_t i = 0; i < fSubsetCount; ++i) {
        subsets[i] = fppSubsets[i];
    }
    subsets[fSubsetCount] = apSubset;
    delete[] fppSubsets;
    fppSubsets = subsets;
    ++fSubsetCount;
    apSubset->SetOwner(this);
    return true;
}

bool VoMesh::AddMaterial(const VoMaterial& aMaterial) {
    VoMaterial* materials = VO_NEW VoMaterial[static_cast<std::size_t>(fMaterialCount) + 1];
    if (materials == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    for (std::int32_t i = 0; i < fMaterialCount; ++i) {
        materials[i] = fpMaterials[i];
    }
    materials[fMaterialCount] = aMaterial;
    delete[] fpMaterials;
    fpMaterials = materials;
    ++fMaterialCount;
    return true;
}

bool VoMesh::CopyMaterial(std::int32_t aIndex, VoMaterial* apOut) const {
    if (apOut == nullptr) {
        return false;
    }
    if (aIndex < 0 || aIndex >= fMaterialCount) {
        VO_ASSERT_FAILURE(kMaterialOutOfRange, aIndex);
        *apOut = VoMaterial();
        return false;
    }
    *apOut = fpMaterials[aIndex];
    return true;
}

VoMeshSubset* VoMesh::GetSubset(int aIndex) const {
    return aIndex >= 0 && aIndex < fSubsetCount ? fppSubsets[aIndex] : nullptr;
}

const VoMaterial* VoMesh::GetMaterial(int aIndex) const {
    return aIndex >= 0 && aIndex < fMaterialCount ? &fpMaterials[aIndex] : nullptr;
}

bool VoMesh::SetVertexBuffer(VoVertexBuffer* apBuffer) {
    if (apBuffer == nullptr) {
        VO_ERROR(kSetVertexBufferNull);
        return false;
    }
    if (apBuffer != fpVertexBuffer) {
        delete fpVertexBuffer;
        fpVertexBuffer = apBuffer;
        VertexBufferChanged();
    }
    return true;
}

bool VoMesh::SetIndexBuffer(VoIndexBuffer* apBuffer) {
    if (apBuffer == nullptr) {
        VO_ERROR(kSetIndexBufferNull);
        return false;
    }
    if (apBuffer != fpIndexBuffer) {
        delete fpIndexBuffer;
        fpIndexBuffer = apBuffer;
    }
    return true;
}

bool VoMesh::SetVertexMap(const std::int32_t* apMap, std::int32_t aCount) {
    delete[] fpVertexMap;
    fpVertexMap = nullptr;
    fVertexMapCount = 0;
    if (apMap == nullptr || aCount < 1) {
        return true;
    }
    fpVertexMap = VO_NEW std::int32_t[static_cast<std::size_t>(aCount)];
    if (fpVertexMap == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    std::memcpy(fpVertexMap, apMap, static_cast<std::size_t>(aCount) * sizeof(std::int32_t));
    fVertexMapCount = aCount;
    return true;
}

VoBox3 VoMesh::GetBoundingBox(bool aWorld) const {
    VoBox3 box;
    box.SetEmpty();
    ForEachPosition(fpVertexBuffer, fpOwnerFrame, aWorld, [&box](const VoVector3& aPosition) {
        box.min.x = aPosition.x < box.min.x ? aPosition.x : box.min.x;
        box.min.y = aPosition.y < box.min.y ? aPosition.y : box.min.y;
        box.min.z = aPosition.z < box.min.z ? aPosition.z : box.min.z;
        box.max.x = aPosition.x > box.max.x ? aPosition.x : box.max.x;
        box.max.y = aPosition.y > box.max.y ? aPosition.y : box.max.y;
        box.max.z = aPosition.z > box.max.z ? aPosition.z : box.max.z;
    });
    return box;
}

VoBox2 VoMesh::GetBoundingBoxXZ(bool aWorld) const {
    VoBox2 box;
    box.SetEmpty();
    ForEachPosition(fpVertexBuffer, fpOwnerFrame, aWorld, [&box](const VoVector3& aPosition) {
        box.min.x = aPosition.x < box.min.x ? aPosition.x : box.min.x;
        box.min.y = aPosition.z < box.min.y ? aPosition.z : box.min.y;
        box.max.x = aPosition.x > box.max.x ? aPosition.x : box.max.x;
        box.max.y = aPosition.z > box.max.y ? aPosition.z : box.max.y;
    });
    return box;
}

bool VoMesh::SetCustomLighting(bool aOn) {
    if (aOn == ((fFlags & kCustomLighting) != 0)) {
        return true;
    }
    if (fpVertexBuffer == nullptr) {
        VO_ASSERT_FAILURE(kVertexBufferUndefined);
        return false;
    }
    if (fpVertexBuffer->GetFormat() != kLitSourceFormat) {
        VO_ASSERT_FAILURE(kLightingFormat);
        return false;
    }
    if (!aOn) {
        ClearFlags(kCustomLighting);
        delete fpLitVertexBuffer;
        fpLitVertexBuffer = nullptr;
        return true;
    }
    const std::int32_t count = fpVertexBuffer->GetVertexCount();
    VoVertexBuffer* lit = VO_NEW VoVertexBuffer();
    if (lit == nullptr || !lit->Allocate(kLitFormat, count)) {
        delete lit;
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        // Source: position 3, normal 3, uv 2; lit: position 3, colour A R G B, normal 3, uv 2.
        float source[8];
        std::memcpy(source, fpVertexBuffer->GetVertex(i), sizeof source);
        const float vertex[12] = {source[0], source[1], source[2], 1.0f,      0.0f,      0.0f,
                                  0.0f,      source[3], source[4], source[5], source[6], source[7]};
        std::memcpy(lit->GetVertex(i), vertex, sizeof vertex);
    }
    SetFlags(kCustomLighting);
    delete fpLitVertexBuffer;
    fpLitVertexBuffer = lit;
    return true;
}
