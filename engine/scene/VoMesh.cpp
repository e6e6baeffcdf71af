#include "scene/VoMesh.h"

#include <cstring>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "geometry/VoMatrix.h"
#include "memory/VoNew.h"
#include "render/VoIRasterizer.h"
#include "render/VoIndexBuffer.h"
#include "render/VoMaterial.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoFrame.h"
#include "scene/VoMeshFile.h"
#include "scene/VoMeshSubset.h"
#include "stdlib/VoIStream.h"

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
    return CopyMaterialFrom(fpMaterials, fMaterialCount, aIndex, apOut);
}

bool VoMesh::CopyMaterialFrom(const VoMaterial* apMaterials, std::int32_t aCount, std::int32_t aIndex,
                              VoMaterial* apOut) {
    if (apOut == nullptr) {
        return false;
    }
    if (aIndex < 0 || aIndex >= aCount) {
        VO_ASSERT_FAILURE(kMaterialOutOfRange, aIndex);
        *apOut = VoMaterial();
        return false;
    }
    *apOut = apMaterials[aIndex];
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

bool VoMesh::SetVertexMap(std::int32_t aCount, const std::int32_t* apMap) {
    std::int32_t* map = nullptr;
    if (aCount > 0) {
        if (apMap == nullptr) {
            return false;
        }
        map = VO_NEW std::int32_t[static_cast<std::size_t>(aCount)];
        if (map == nullptr) {
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
        std::memcpy(map, apMap, static_cast<std::size_t>(aCount) * sizeof(std::int32_t));
    }
    delete[] fpVertexMap;
    fpVertexMap = map;
    fVertexMapCount = map != nullptr ? aCount : 0;
    return true;
}

bool VoMesh::SetCorners(std::int32_t aCount, const std::uint32_t* apCorners) {
    std::uint32_t* corners = nullptr;
    if (aCount > 0) {
        if (apCorners == nullptr) {
            return false;
        }
        corners = VO_NEW std::uint32_t[static_cast<std::size_t>(aCount)];
        if (corners == nullptr) {
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
        std::memcpy(corners, apCorners, static_cast<std::size_t>(aCount) * sizeof(std::uint32_t));
    }
    delete[] fpCorners;
    fpCorners = corners;
    fCornerCount = corners != nullptr ? aCount : 0;
    return true;
}

std::int64_t VoMesh::GetTotalTriangleCount() const {
    std::int64_t total = 0;
    for (std::int32_t i = 0; i < fSubsetCount; ++i) {
        total += fppSubsets[i]->GetTriangleCount();
    }
    return total;
}

VoMesh::Pending::~Pending() {
    delete vertexBuffer;
    delete indexBuffer;
    for (std::int32_t i = 0; i < subsetCount; ++i) {
        delete subsets[i];
    }
    delete[] subsets;
    delete[] materials;
    delete[] vertexMap;
    delete[] corners;
}

void VoMesh::Adopt(Pending& aPending) {
    fVersion = aPending.version;
    fName = aPending.name;
    fFlags = aPending.flags;
    if (aPending.vertexBuffer != nullptr) {
        SetVertexBuffer(aPending.vertexBuffer);
        aPending.vertexBuffer = nullptr;
    }
    if (aPending.indexBuffer != nullptr) {
        SetIndexBuffer(aPending.indexBuffer);
        aPending.indexBuffer = nullptr;
    }
    for (std::int32_t i = 0; i < fSubsetCount; ++i) {
        delete fppSubsets[i];
    }
    delete[] fppSubsets;
    fppSubsets = aPending.subsets;
    fSubsetCount = aPending.subsetCount;
    aPending.subsets = nullptr;
    aPending.subsetCount = 0;
    for (std::int32_t i = 0; i < fSubsetCount; ++i) {
        fppSubsets[i]->SetOwner(this);
    }
    if (aPending.hasMaterials) {
        delete[] fpMaterials;
        fpMaterials = aPending.materials;
        fMaterialCount = aPending.materialCount;
        aPending.materials = nullptr;
        aPending.materialCount = 0;
    }
    delete[] fpVertexMap;
    fpVertexMap = aPending.vertexMap;
    fVertexMapCount = aPending.vertexMapCount;
    aPending.vertexMap = nullptr;
    aPending.vertexMapCount = 0;
    delete[] fpCorners;
    fpCorners = aPending.corners;
    fCornerCount = aPending.cornerCount;
    aPending.corners = nullptr;
    aPending.cornerCount = 0;
}

namespace {

std::int64_t TrianglesOf(VoMeshSubset* const* apSubsets, std::int32_t aCount) {
    std::int64_t total = 0;
    for (std::int32_t i = 0; i < aCount; ++i) {
        total += apSubsets[i] != nullptr ? apSubsets[i]->GetTriangleCount() : 0;
    }
    return total;
}

}  // namespace

bool VoMesh::ReadRecord(VoIStream* apStream, Pending& aPending) {
    std::int32_t type = 0;
    std::int32_t flags = 0;
    if (!apStream->ReadFloat(&aPending.version) || !apStream->ReadString(&aPending.name) ||
        !apStream->ReadInt(&type) || !apStream->ReadInt(&flags)) {
        VO_ERROR(VoMeshFile::kTruncated);
        return false;
    }
    // The class decides how the mesh is drawn and skinned: a record of the
    // other kind would be drawn with the wrong transform.
    if (type != fMeshType) {
        VO_ERROR(kTypeMismatch, type);
        return false;
    }
    aPending.flags = static_cast<std::uint32_t>(flags);
    aPending.vertexBuffer = VO_NEW VoVertexBuffer();
    aPending.indexBuffer = VO_NEW VoIndexBuffer();
    if (aPending.vertexBuffer == nullptr || aPending.indexBuffer == nullptr ||
        !aPending.vertexBuffer->Read(apStream) || !aPending.indexBuffer->Read(apStream)) {
        return false;
    }
    std::int32_t subsetCount = 0;
    if (!apStream->ReadInt(&subsetCount)) {
        VO_ERROR(VoMeshFile::kTruncated);
        return false;
    }
    if (!VoMeshFile::CountFits(apStream, subsetCount, VoMeshFile::kMinSubsetBytes)) {
        return false;
    }
    if (subsetCount > 0) {
        aPending.subsets = VO_NEW VoMeshSubset* [static_cast<std::size_t>(subsetCount)]();
        if (aPending.subsets == nullptr) {
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
        aPending.subsetCount = subsetCount;
        for (std::int32_t i = 0; i < subsetCount; ++i) {
            aPending.subsets[i] = VO_NEW VoMeshSubset();
            if (aPending.subsets[i] == nullptr || !aPending.subsets[i]->Read(apStream)) {
                return false;
            }
        }
    }

    bool hasMap = false;
    if (!apStream->ReadBool(&hasMap)) {
        VO_ERROR(VoMeshFile::kTruncated);
        return false;
    }
    if (hasMap) {
        const std::int32_t vertices = aPending.vertexBuffer->GetVertexCount();
        std::int32_t count = 0;
        if (!apStream->ReadInt(&count)) {
            VO_ERROR(VoMeshFile::kTruncated);
            return false;
        }
        // One entry per vertex, each a vertex: the shadow volumes index the
        // vertex buffer with them.
        if (count != vertices || !VoMeshFile::ReadWords(apStream, count, &aPending.vertexMap)) {
            VO_ERROR(kVertexMapRefused);
            return false;
        }
        aPending.vertexMapCount = count;
        for (std::int32_t i = 0; i < count; ++i) {
            if (aPending.vertexMap[i] < 0 || aPending.vertexMap[i] >= vertices) {
                VO_ERROR(kVertexMapRefused);
                return false;
            }
        }
    }

    std::int32_t cornerCount = 0;
    if (!apStream->ReadInt(&cornerCount)) {
        VO_ERROR(VoMeshFile::kTruncated);
        return false;
    }
    if (cornerCount == 0) {
        return true;
    }
    if (cornerCount < 0 || cornerCount != 3 * TrianglesOf(aPending.subsets, aPending.subsetCount)) {
        VO_ERROR(kCornersRefused, cornerCount);
        return false;
    }
    const std::int64_t storedCount = (static_cast<std::int64_t>(cornerCount) + 1) / 2;
    if (!VoMeshFile::CountFits(apStream, storedCount, 4)) {
        return false;
    }
    std::uint32_t* corners = VO_NEW std::uint32_t[static_cast<std::size_t>(cornerCount)];
    if (corners == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    // The stored values go to the front of the corner array, then out to
    // the even positions from the back, which never overwrites one not yet moved.
    if (!VoMeshFile::ReadWordsInto(apStream, storedCount, corners)) {
        delete[] corners;
        return false;
    }
    for (std::int64_t k = storedCount - 1; k >= 0; --k) {
        const std::uint32_t value = corners[k];
        if (2 * k + 1 < cornerCount) {
            corners[2 * k + 1] = 0u;
        }
        corners[2 * k] = value;
    }
    aPending.corners = corners;
    aPending.cornerCount = cornerCount;
    return true;
}

bool VoMesh::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    Pending pending;
    if (!ReadRecord(apStream, pending)) {
        return false;
    }
    Adopt(pending);
    return true;
}

bool VoMesh::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    fVersion = 1.0f;
    bool written = apStream->WriteFloat(fVersion);
    written = apStream->WriteString(fName) && written;
    written = apStream->WriteInt(fMeshType) && written;
    written = apStream->WriteInt(static_cast<std::int32_t>(fFlags)) && written;
    if (fpVertexBuffer == nullptr || fpIndexBuffer == nullptr) {
        VO_ERROR(kWriteNoBuffer);
        written = false;
    }
    VoVertexBuffer noVertices;
    VoIndexBuffer noIndices;
    written = (fpVertexBuffer != nullptr ? fpVertexBuffer : &noVertices)->Write(apStream) && written;
    written = (fpIndexBuffer != nullptr ? fpIndexBuffer : &noIndices)->Write(apStream) && written;
    written = apStream->WriteInt(fSubsetCount) && written;
    for (std::int32_t i = 0; i < fSubsetCount; ++i) {
        written = fppSubsets[i]->Write(apStream) && written;
    }
    written = apStream->WriteBool(fpVertexMap != nullptr) && written;
    if (fpVertexMap != nullptr) {
        // One entry per vertex, as the reader wants them.
        const std::int32_t count = fpVertexBuffer != nullptr ? fpVertexBuffer->GetVertexCount() : 0;
        written = apStream->WriteInt(count) && written;
        for (std::int32_t i = 0; i < count; ++i) {
            written = apStream->WriteInt(i < fVertexMapCount ? fpVertexMap[i] : 0) && written;
        }
    }
    const std::int64_t corners = fpCorners != nullptr ? 3 * GetTotalTriangleCount() : 0;
    if (corners > 0x7FFFFFFF) {
        VO_ERROR(kWriteTooManyCorners);
        return false;
    }
    written = apStream->WriteInt(static_cast<std::int32_t>(corners)) && written;
    for (std::int64_t i = 0; i < corners; i += 2) {
        written = apStream->WriteUInt(i < fCornerCount ? fpCorners[i] : 0u) && written;
    }
    return written;
}

bool VoMesh::BuildRawSubsets(const std::uint32_t* apRecords, std::int32_t aCount, Pending& aPending) {
    if (aCount == 0) {
        return true;
    }
    // Every position read below lies within the buffer (checked first).
    const VoIndexBuffer* indices = aPending.indexBuffer;
    const std::int64_t available = indices->GetCount();
    auto indexAt = [indices](std::int64_t aPosition) { return indices->GetIndexInside(aPosition); };
    // Every subset's indices must lie within the mesh-wide buffer, and stay
    // indices once the base is added, before anything is made; together the
    // subsets draw no more indices than the buffer holds.
    std::int64_t total = 0;
    for (std::int32_t i = 0; i < aCount; ++i) {
        const std::uint32_t* record = apRecords + 5 * i;
        const std::int64_t start = record[1];
        const std::int64_t count = 3 * static_cast<std::int64_t>(record[2]);
        total += count;
        if (start + count > available || total > available) {
            VO_ERROR(kSubsetRangeRefused, i);
            return false;
        }
        for (std::int64_t p = 0; p < count; ++p) {
            if (static_cast<std::uint64_t>(indexAt(start + p)) + record[3] > 0xFFFFFFFFu) {
                VO_ERROR(kSubsetRangeRefused, i);
                return false;
            }
        }
    }
    aPending.subsets = VO_NEW VoMeshSubset* [static_cast<std::size_t>(aCount)]();
    if (aPending.subsets == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    aPending.subsetCount = aCount;
    for (std::int32_t i = 0; i < aCount; ++i) {
        const std::uint32_t* record = apRecords + 5 * i;
        VoMeshSubset* subset = VO_NEW VoMeshSubset();
        if (subset == nullptr) {
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
        aPending.subsets[i] = subset;
        subset->SetTriangleCount(record[2]);
        subset->SetVertexCount(record[4]);
        VoMaterial material;
        CopyMaterialFrom(aPending.materials, aPending.materialCount, i, &material);
        subset->SetMaterial(material);
        const std::int32_t count = static_cast<std::int32_t>(3 * static_cast<std::int64_t>(record[2]));
        if (count == 0) {
            continue;
        }
        // The subset's indices with the base added, in 16 bits when the
        // mesh-wide buffer has them and they all fit.
        const std::int64_t start = record[1];
        auto valueAt = [&indexAt, start, record](std::int32_t aPosition) {
            return indexAt(start + aPosition) + record[3];
        };
        bool fits16 = indices->GetFormat() == VoIndexBuffer::kFormat16;
        for (std::int32_t p = 0; fits16 && p < count; ++p) {
            fits16 = valueAt(p) <= 0xFFFFu;
        }
        VoIndexBuffer* buffer = VO_NEW VoIndexBuffer();
        bool made = buffer != nullptr;
        if (made && fits16) {
            std::uint16_t* narrow = VO_NEW std::uint16_t[static_cast<std::size_t>(count)];
            made = narrow != nullptr;
            for (std::int32_t p = 0; made && p < count; ++p) {
                narrow[p] = static_cast<std::uint16_t>(valueAt(p));
            }
            made = made && buffer->Create(VoIndexBuffer::kFormat16, narrow, count);
            delete[] narrow;
        } else if (made) {
            std::uint32_t* values = VO_NEW std::uint32_t[static_cast<std::size_t>(count)];
            made = values != nullptr;
            for (std::int32_t p = 0; made && p < count; ++p) {
                values[p] = valueAt(p);
            }
            made = made && buffer->Create(VoIndexBuffer::kFormat32, values, count);
            delete[] values;
        }
        if (!made) {
            delete buffer;
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
        subset->SetIndexBuffer(buffer);
    }
    return true;
}

bool VoMesh::LoadBody(VoIStream* apStream, std::uint32_t aFlags, Pending& aPending) {
    std::uint32_t materialCount = 0;
    if (!apStream->ReadUInt(&materialCount)) {
        VO_ERROR(VoMeshFile::kTruncated);
        return false;
    }
    if (!VoMeshFile::CountFits(apStream, materialCount, VoMeshFile::kMinMaterialBytes)) {
        return false;
    }
    aPending.hasMaterials = true;
    if (materialCount > 0) {
        aPending.materials = VO_NEW VoMaterial[materialCount];
        if (aPending.materials == nullptr) {
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
        aPending.materialCount = static_cast<std::int32_t>(materialCount);
        for (std::uint32_t i = 0; i < materialCount; ++i) {
            if (!aPending.materials[i].Read(apStream)) {
                return false;
            }
        }
    }
    aPending.vertexBuffer = VO_NEW VoVertexBuffer();
    aPending.indexBuffer = VO_NEW VoIndexBuffer();
    if (aPending.vertexBuffer == nullptr || aPending.indexBuffer == nullptr ||
        !aPending.vertexBuffer->Read(apStream) || !aPending.indexBuffer->Read(apStream)) {
        return false;
    }
    std::uint32_t subsetCount = 0;
    if (!apStream->ReadUInt(&subsetCount)) {
        VO_ERROR(VoMeshFile::kTruncated);
        return false;
    }
    std::uint32_t* records = nullptr;
    if (!VoMeshFile::CountFits(apStream, subsetCount, VoMeshFile::kRawSubsetBytes) ||
        !VoMeshFile::ReadWords(apStream, 5 * static_cast<std::int64_t>(subsetCount), &records)) {
        return false;
    }
    std::int64_t triangles = 0;
    for (std::uint32_t i = 0; i < subsetCount; ++i) {
        triangles += records[5 * i + 2];
    }
    const bool built = BuildRawSubsets(records, static_cast<std::int32_t>(subsetCount), aPending);
    delete[] records;
    if (!built) {
        return false;
    }
    if ((aFlags & kRawCorners) == 0) {
        return true;
    }
    std::uint32_t* corners = nullptr;
    if (3 * triangles > 0x7FFFFFFF || !VoMeshFile::ReadWords(apStream, 3 * triangles, &corners)) {
        VO_ERROR(kCornersRefused, static_cast<long long>(3 * triangles));
        return false;
    }
    aPending.corners = corners;
    aPending.cornerCount = static_cast<std::int32_t>(3 * triangles);
    return true;
}

bool VoMesh::Load(VoIStream* apStream, std::uint32_t aFlags) {
    if (apStream == nullptr) {
        return false;
    }
    SetFlags(kIndexed);
    Pending pending;
    pending.version = fVersion;
    pending.name = fName;
    pending.flags = fFlags;
    if (!LoadBody(apStream, aFlags, pending)) {
        return false;
    }
    Adopt(pending);
    return true;
}
