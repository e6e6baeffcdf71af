#include "scene/VoPickRay.h"

#include "container/VoLog.h"
#include "geometry/VoLine3.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoPolygon.h"
#include "render/VoIRasterizer.h"
#include "scene/VoCamera.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshTriangles.h"

VoPickRay::VoPickRay(VoCamera* apCamera) : fpCamera(apCamera) {
    if (apCamera == nullptr) {
        VO_ERROR(kNullCamera);
    }
}

VoPickRay::VoPickRay(VoCamera* apCamera, int aX, int aY) : VoPickRay(apCamera) {
    CalculateRay(aX, aY);
}

bool VoPickRay::CalculateRay(int aX, int aY) {
    if (fpCamera == nullptr) {
        return false;
    }
    VoIRasterizer* rasterizer = VoIRasterizer::Get();
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    float minZ = 0.0f;
    float maxZ = 0.0f;
    const VoMatrix& projection = *fpCamera->GetProjectionMatrix();
    // An empty viewport or a projection without scale would divide by zero.
    if (rasterizer == nullptr || !rasterizer->GetViewport(&x, &y, &width, &height, &minZ, &maxZ) ||
        width == 0 || height == 0 || projection.m[0][0] == 0.0f || projection.m[1][1] == 0.0f) {
        VO_ERROR(kCalculateRayFailure);
        return false;
    }
    const float dx =
        ((2.0f * static_cast<float>(aX) / static_cast<float>(width)) - 1.0f) / projection.m[0][0];
    const float dy =
        (1.0f - (2.0f * static_cast<float>(aY) / static_cast<float>(height))) / projection.m[1][1];
    fOrigin.Set(0.0f, 0.0f, 0.0f);
    fDirection.Set(dx, dy, 1.0f);
    fSpace = kViewSpace;
    return true;
}

bool VoPickRay::GetWorldRay(VoPickRay& aOut) const {
    if (fpCamera == nullptr) {
        return false;
    }
    if (fSpace == kWorldSpace) {
        aOut = *this;
        return true;
    }
    VoMatrix inverse;
    if (MatrixInverse(&inverse, fpCamera->GetViewMatrix()) == nullptr) {
        VO_ERROR(kWorldRayFailure);
        return false;
    }
    VoVector3 origin;
    VoVector3 direction;
    TransformCoord(&origin, &inverse, &fOrigin);
    TransformNormal(&direction, &inverse, &fDirection);
    Vec3Normalize(&direction, &direction);
    aOut.fpCamera = fpCamera;
    aOut.fSpace = kWorldSpace;
    aOut.fOrigin = origin;
    aOut.fDirection = direction;
    return true;
}

bool VoPickRay::Pick(const VoDrawElement* apElement, VoVector3& aHit) const {
    if (apElement == nullptr) {
        VO_ASSERT_FAILURE(kPickNull);
        return false;
    }
    VoLine3 line;
    if (!line.SetFromDirection(fOrigin, fDirection, VoLine3::kRay)) {
        return false;
    }
    bool found = false;
    float best = 0.0f;
    VoVector3 nearest;
    VoMatrix identity;
    MatrixIdentity(&identity);
    for (std::int32_t f = 0; f < apElement->GetFrameCount(); ++f) {
        const VoFrame* frame = apElement->GetFrame(f);
        const VoMesh* mesh = frame->GetMesh();
        if (mesh == nullptr || mesh->GetVertexBuffer() == nullptr || mesh->GetIndexBuffer() == nullptr) {
            continue;
        }
        const VoMatrix& world =
            mesh->GetMeshType() == VoMesh::kSkinnedMesh ? identity : frame->GetAbsoluteMatrix();
        VoMeshTriangles triangles(mesh);
        VoVector3 corners[3];
        while (triangles.Next(&corners[0], &corners[1], &corners[2])) {
            for (VoVector3& corner : corners) {
                TransformCoord(&corner, &world, &corner);
            }
            VoVector3 hit;
            if (!IntersectLineTriangle(line, corners[0], corners[1], corners[2], hit)) {
                continue;
            }
            const VoVector3 offset = hit - fOrigin;
            const float distance = VoVector3::Dot(offset, offset);
            if (!found || distance < best) {
                found = true;
                best = distance;
                nearest = hit;
            }
        }
    }
    if (found) {
        aHit = nearest;
    }
    return found;
}
