// Feeds arbitrary bytes to VoShadowVolumeCache::Read as a ".lisv" file for a
// model whose "Body" frame holds a skinned cube. Whatever it accepts must be
// bound within the cube's vertices, find its silhouette and extrude it
// safely, and write itself in a form that reads back into the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "support/FuzzSupport.h"
#include "support/MeshRecordFuzz.h"

#include "render/VoIndexBuffer.h"
#include "render/VoLight.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMeshSubset.h"
#include "scene/VoShadowEdge.h"
#include "scene/VoShadowFace.h"
#include "scene/VoShadowVolume.h"
#include "scene/VoShadowVolumeCache.h"
#include "scene/VoSkinMesh.h"
#include "stdlib/VoMemoryStream.h"

namespace {

constexpr std::int32_t kCorners = 8;

// The cube from -1 to 1: eight corners (bit 0 x, bit 1 y, bit 2 z), twelve
// triangles.
VoDrawElement* CubeModel() {
    float corners[kCorners][3];
    for (int i = 0; i < kCorners; ++i) {
        corners[i][0] = (i & 1) != 0 ? 1.0f : -1.0f;
        corners[i][1] = (i & 2) != 0 ? 1.0f : -1.0f;
        corners[i][2] = (i & 4) != 0 ? 1.0f : -1.0f;
    }
    const std::uint16_t indices[36] = {0, 2, 1, 1, 2, 3, 4, 5, 6, 6, 5, 7, 0, 1, 4, 4, 1, 5,
                                       2, 6, 3, 3, 6, 7, 0, 4, 2, 2, 4, 6, 1, 3, 5, 5, 3, 7};
    auto* mesh = new VoSkinMesh();
    auto* vertices = new VoVertexBuffer();
    vertices->Create(1, corners, kCorners);
    mesh->SetVertexBuffer(vertices);
    auto* subset = new VoMeshSubset();
    auto* subsetIndices = new VoIndexBuffer();
    subsetIndices->Create(VoIndexBuffer::kFormat16, indices, 36);
    subset->SetIndexBuffer(subsetIndices);
    subset->SetTriangleCount(12);
    mesh->AddSubset(subset);
    mesh->SetFlags(VoMesh::kIndexed);
    auto* frame = new VoFrame();
    frame->SetName(VoString(u"Body"));
    frame->SetMesh(mesh);
    auto* model = new VoDrawElement();
    model->SetRootFrame(frame);
    return model;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize == 0) {
        return 0;
    }
    FuzzStream stream(apData + 1, aSize - 1, (apData[0] & 1) != 0);
    std::unique_ptr<VoDrawElement> model(CubeModel());
    VoShadowVolumeCache cache(model.get());
    if (!cache.Read(&stream)) {
        RequireRecord(cache.GetCount() == 0);
        return 0;
    }
    VoLight light;
    light.fPosition = VoVector3(3.0f, 4.0f, -5.0f);
    for (std::int32_t v = 0; v < cache.GetCount(); ++v) {
        VoShadowVolume* volume = cache.GetVolume(v);
        RequireRecord(volume->GetMesh() == model->GetFrame(0)->GetMesh());
        for (std::int32_t i = 0; i < volume->GetFaceCount(); ++i) {
            const VoShadowFace* face = volume->GetFace(i);
            RequireRecord(face->fA < kCorners && face->fB < kCorners && face->fC < kCorners);
        }
        for (std::int32_t i = 0; i < volume->GetEdgeCount(); ++i) {
            const VoShadowEdge* edge = volume->GetEdge(i);
            RequireRecord(edge->fA < kCorners && edge->fB < kCorners &&
                          edge->fFace0 < volume->GetFaceCount() && edge->fFace1 < volume->GetFaceCount());
        }
        RequireRecord(volume->Update(&light, true));
        RequireRecord(volume->GetSilhouetteCount() <= volume->GetEdgeCount());
    }
    VoMemoryStream written(64, VoMemoryStream::kGrowDouble);
    RequireRecord(cache.Write(&written));
    const std::uint32_t length = written.GetPosition();
    FuzzStream again(written.GetBuffer(), length, true);
    VoShadowVolumeCache copy(model.get());
    RequireRecord(copy.Read(&again));
    VoMemoryStream rewritten(64, VoMemoryStream::kGrowDouble);
    RequireRecord(copy.Write(&rewritten));
    RequireRecord(rewritten.GetPosition() == length);
    RequireRecord(std::memcmp(rewritten.GetBuffer(), written.GetBuffer(), length) == 0);
    return 0;
}
