#include "scene/VoMeshSubset.h"

#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "render/VoIRasterizer.h"
#include "render/VoIndexBuffer.h"
#include "scene/VoMesh.h"
#include "stdlib/VoIStream.h"

namespace {

// A private copy of the buffer; null for null.
VoIndexBuffer* CopyOf(const VoIndexBuffer* apBuffer) {
    return apBuffer != nullptr ? VO_NEW VoIndexBuffer(*apBuffer) : nullptr;
}

}  // namespace

VoMeshSubset::VoMeshSubset()
    : fTriangleCount(0),
      fVertexCount(0),
      fpIndexBuffer(nullptr),
      fStartIndex(0),
      fBaseVertexIndex(0),
      fpOwner(nullptr) {}

VoMeshSubset::VoMeshSubset(const VoMeshSubset& aOther)
    : fTriangleCount(aOther.fTriangleCount),
      fVertexCount(aOther.fVertexCount),
      fpIndexBuffer(CopyOf(aOther.fpIndexBuffer)),
      fStartIndex(aOther.fStartIndex),
      fBaseVertexIndex(aOther.fBaseVertexIndex),
      fMaterial(aOther.fMaterial),
      fpOwner(aOther.fpOwner) {}

VoMeshSubset& VoMeshSubset::operator=(const VoMeshSubset& aOther) {
    if (this != &aOther) {
        delete fpIndexBuffer;
        fpIndexBuffer = CopyOf(aOther.fpIndexBuffer);
        fTriangleCount = aOther.fTriangleCount;
        fVertexCount = aOther.fVertexCount;
        fStartIndex = aOther.fStartIndex;
        fBaseVertexIndex = aOther.fBaseVertexIndex;
        fMaterial = aOther.fMaterial;
    }
    return *this;
}

VoMeshSubset::~VoMeshSubset() {
    delete fpIndexBuffer;
    fpOwner = nullptr;
}

void VoMeshSubset::SetIndexBuffer(VoIndexBuffer* apBuffer) {
    if (apBuffer != fpIndexBuffer) {
        delete fpIndexBuffer;
        fpIndexBuffer = apBuffer;
    }
}

bool VoMeshSubset::Render(VoIRasterizer* apRasterizer, std::uint32_t aMeshFlags) {
    if (apRasterizer == nullptr) {
        return false;
    }
    if (fTriangleCount == 0) {
        return true;
    }
    const bool indexed = (aMeshFlags & VoMesh::kIndexed) != 0;
    bool drawn = true;
    if (indexed) {
        if (fpIndexBuffer == nullptr) {
            VO_ASSERT_FAILURE(kNoIndexBuffer);
            return false;
        }
        drawn = apRasterizer->SetIndexBuffer(fpIndexBuffer);
    }
    drawn = apRasterizer->SetMaterial(&fMaterial) && drawn;
    // The rasterizer leaves the bound texture alone for a material without
    // one; this subset must not be drawn with the last subset's texture.
    if (fMaterial.GetTextureHandle() == 0) {
        drawn = apRasterizer->ResetTexture() && drawn;
    }
    const VoIRasterizer::PrimitiveType type =
        (aMeshFlags & VoMesh::kStrips) != 0 ? VoIRasterizer::kTriangleStrip : VoIRasterizer::kTriangleList;
    if (indexed) {
        drawn = apRasterizer->DrawIndexed(type, fTriangleCount, fVertexCount, fStartIndex,
                                          static_cast<std::int32_t>(fBaseVertexIndex)) &&
                drawn;
    } else {
        drawn = apRasterizer->Draw(type, fStartIndex, fTriangleCount) && drawn;
    }
    return drawn;
}

bool VoMeshSubset::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    std::uint32_t triangles = 0;
    std::uint32_t vertices = 0;
    if (!apStream->ReadUInt(&triangles) || !apStream->ReadUInt(&vertices)) {
        return false;
    }
    VoIndexBuffer* buffer = VO_NEW VoIndexBuffer();
    VoMaterial material;
    if (buffer == nullptr || !buffer->Read(apStream) || !material.Read(apStream)) {
        delete buffer;
        return false;
    }
    SetIndexBuffer(buffer);
    fTriangleCount = triangles;
    fVertexCount = vertices;
    fStartIndex = 0;
    fBaseVertexIndex = 0;
    fMaterial = material;
    return true;
}

bool VoMeshSubset::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool written = apStream->WriteUInt(fTriangleCount);
    written = apStream->WriteUInt(fVertexCount) && written;
    if (fpIndexBuffer != nullptr) {
        written = fpIndexBuffer->Write(apStream) && written;
    } else {
        VO_ERROR(kWriteNoIndexBuffer);
        VoIndexBuffer empty;
        empty.Write(apStream);
        written = false;
    }
    written = fMaterial.Write(apStream) && written;
    return written;
}
