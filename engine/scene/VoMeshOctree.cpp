#include "scene/VoMeshOctree.h"

#include <initializer_list>

#include "container/VoLog.h"
#include "container/VoVector.h"
#include "container/VoVectorInt.h"
#include "geometry/VoLine3.h"
#include "geometry/VoPolygon.h"
#include "memory/VoNew.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshTriangle.h"
#include "scene/VoMeshTriangles.h"

VoMeshOctree::~VoMeshOctree() {
    if (GetRoot() == nullptr) {
        return;
    }
    VoVector nodes(64, 64);
    if (!GetAllNodes(nodes)) {
        VO_ASSERT_FAILURE("");
    }
    DeleteCellTriangles<VoOctreeLooseNode>(nodes);
    fMeshIds.Clear();
}

bool VoMeshOctree::AddMesh(const VoString& aId, const VoMesh* apMesh, const VoMatrix* apWorld) {
    if (apMesh == nullptr) {
        VO_ASSERT_FAILURE(kNullMesh);
        return false;
    }
    if (apMesh->GetVertexBuffer() == nullptr || apMesh->GetIndexBuffer() == nullptr) {
        return false;
    }
    if (fMeshIds.GetCount() >= VoMeshTriangle::kMaxMeshes) {
        VO_ASSERT_FAILURE(kTooManyMeshes, aId);
        return false;
    }
    fMeshIds.Add(aId);
    const std::uint8_t index = static_cast<std::uint8_t>(fMeshIds.GetCount() - 1);
    bool added = true;
    VoMeshTriangles triangles(apMesh);
    VoVector3 a;
    VoVector3 b;
    VoVector3 c;
    while (triangles.Next(&a, &b, &c)) {
        VoMeshTriangle* triangle = VO_NEW VoMeshTriangle(index, a, b, c, apWorld);
        if (triangle == nullptr) {
            VO_ASSERT_FAILURE("");
            added = false;
            continue;
        }
        VoBox3 bounds;
        bounds.SetEmpty();
        for (const VoVector3* corner : {&triangle->a, &triangle->b, &triangle->c}) {
            bounds.min.x = corner->x < bounds.min.x ? corner->x : bounds.min.x;
            bounds.min.y = corner->y < bounds.min.y ? corner->y : bounds.min.y;
            bounds.min.z = corner->z < bounds.min.z ? corner->z : bounds.min.z;
            bounds.max.x = corner->x > bounds.max.x ? corner->x : bounds.max.x;
            bounds.max.y = corner->y > bounds.max.y ? corner->y : bounds.max.y;
            bounds.max.z = corner->z > bounds.max.z ? corner->z : bounds.max.z;
        }
        if (!InsertObject(triangle, bounds)) {
            delete triangle;
            VO_ASSERT_FAILURE("");
            added = false;
        }
    }
    return added;
}

bool VoMeshOctree::GetObjectsIntersectingRay(const VoVector3& aOrigin, const VoVector3& aRay,
                                             VoVectorInt& aMeshIndices, VoVector& aHits) const {
    if (GetRoot() == nullptr) {
        VO_ASSERT_FAILURE(kRootUndefined);
        return false;
    }
    VoVector nodes(16, 16);
    if (!GetNodesIntersectingRay(aOrigin, aRay, nodes, true)) {
        VO_ASSERT_FAILURE(kNodesRayFailure);
        return false;
    }
    VoLine3 segment;
    segment.Set(aOrigin, aOrigin + aRay, VoLine3::kSegment);
    for (int n = 0; n < nodes.GetCount(); ++n) {
        const VoVector& objects = static_cast<VoOctreeLooseNode*>(nodes.GetAt(n))->objects;
        for (int i = 0; i < objects.GetCount(); ++i) {
            const VoMeshTriangle* triangle = static_cast<const VoMeshTriangle*>(objects.GetAt(i));
            VoVector3 crossing;
            if (!IntersectLineTriangle(segment, triangle->a, triangle->b, triangle->c, crossing)) {
                continue;
            }
            VoVector3* hit = VO_NEW VoVector3(crossing);
            if (hit == nullptr || !aHits.Add(hit)) {
                delete hit;
                continue;
            }
            aMeshIndices.Add(triangle->meshIndex);
        }
    }
    return true;
}

bool VoMeshOctree::Pick(const VoVector3& aOrigin, const VoVector3& aDirection, VoVector3& aHit,
                        float aLength) const {
    VoVectorInt indices;
    VoVector hits(16, 16);
    if (!GetObjectsIntersectingRay(aOrigin, aDirection * aLength, indices, hits)) {
        VO_ASSERT_FAILURE(kPickFailure);
        return false;
    }
    const VoVector3* nearest = nullptr;
    float best = 0.0f;
    for (int i = 0; i < hits.GetCount(); ++i) {
        const VoVector3* hit = static_cast<const VoVector3*>(hits.GetAt(i));
        const VoVector3 offset = *hit - aOrigin;
        const float distance = VoVector3::Dot(offset, offset);
        if (nearest == nullptr || distance < best) {
            nearest = hit;
            best = distance;
        }
    }
    if (nearest != nullptr) {
        aHit = *nearest;
    }
    for (int i = 0; i < hits.GetCount(); ++i) {
        delete static_cast<VoVector3*>(hits.GetAt(i));
    }
    return nearest != nullptr;
}
