#include "scene/VoMeshQuadTree.h"

#include <initializer_list>

#include "container/VoLog.h"
#include "container/VoVector.h"
#include "geometry/VoLine3.h"
#include "geometry/VoVector4.h"
#include "memory/VoNew.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshTriangle.h"
#include "scene/VoMeshTriangles.h"

namespace {

// Whether the triangle's (x, z) outline holds the point, its edges and
// corners included whichever way they run. (VoPolygon's even-odd test counts
// an edge point in or out by the edge's direction.)
bool OutlineHolds(const VoMeshTriangle& aTriangle, const VoVector2& aPoint) {
    const float ax = aTriangle.a.x - aPoint.x;
    const float az = aTriangle.a.z - aPoint.y;
    const float bx = aTriangle.b.x - aPoint.x;
    const float bz = aTriangle.b.z - aPoint.y;
    const float cx = aTriangle.c.x - aPoint.x;
    const float cz = aTriangle.c.z - aPoint.y;
    const float ab = ax * bz - az * bx;
    const float bc = bx * cz - bz * cx;
    const float ca = cx * az - cz * ax;
    const bool negative = ab < 0.0f || bc < 0.0f || ca < 0.0f;
    const bool positive = ab > 0.0f || bc > 0.0f || ca > 0.0f;
    return !(negative && positive);
}

}  // namespace

VoMeshQuadTree::~VoMeshQuadTree() {
    if (GetRoot() == nullptr) {
        return;
    }
    VoVector nodes(64, 64);
    if (!GetAllNodes(nodes)) {
        VO_ASSERT_FAILURE("");
    }
    DeleteCellTriangles<VoQuadTreeLooseNode>(nodes);
    fMeshIds.Clear();
}

bool VoMeshQuadTree::AddMesh(const VoString& aId, const VoMesh* apMesh, const VoMatrix* apWorld) {
    if (apMesh == nullptr) {
        VO_ASSERT_FAILURE(kNullMesh);
        return false;
    }
    if (apMesh->GetVertexBuffer() == nullptr || apMesh->GetIndexBuffer() == nullptr) {
        return false;
    }
    if (fMeshIds.Contains(aId)) {
        VO_ASSERT_FAILURE(kDuplicateId, aId);
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
            added = false;
            continue;
        }
        VoBox2 bounds;
        bounds.SetEmpty();
        for (const VoVector3* corner : {&triangle->a, &triangle->b, &triangle->c}) {
            bounds.min.x = corner->x < bounds.min.x ? corner->x : bounds.min.x;
            bounds.min.y = corner->z < bounds.min.y ? corner->z : bounds.min.y;
            bounds.max.x = corner->x > bounds.max.x ? corner->x : bounds.max.x;
            bounds.max.y = corner->z > bounds.max.y ? corner->z : bounds.max.y;
        }
        if (!InsertObject(triangle, bounds)) {
            delete triangle;
            added = false;
        }
    }
    return added;
}

bool VoMeshQuadTree::IntersectsVertLineThruPt(const VoVector2& aPoint, VoVector3& aHit) const {
    if (GetRoot() == nullptr) {
        VO_ASSERT_FAILURE(kHeightNoRoot);
        return false;
    }
    VoVector nodes(16, 16);
    if (!GetNodesContainingPt(aPoint, nodes, true)) {
        return false;
    }
    VoLine3 vertical;
    vertical.Set(VoVector3(aPoint.x, 0.0f, aPoint.y), VoVector3(aPoint.x, 1.0f, aPoint.y), VoLine3::kLine);
    for (int n = 0; n < nodes.GetCount(); ++n) {
        const VoVector& objects = static_cast<VoQuadTreeLooseNode*>(nodes.GetAt(n))->objects;
        for (int i = 0; i < objects.GetCount(); ++i) {
            const VoMeshTriangle* triangle = static_cast<const VoMeshTriangle*>(objects.GetAt(i));
            if (!OutlineHolds(*triangle, aPoint)) {
                continue;
            }
            VoPlane plane;
            plane.SetPlaneFromPoints(triangle->a, triangle->b, triangle->c);
            VoVector3 ground;
            if (plane.IntersectLine(vertical, ground)) {
                aHit = ground;
                return true;
            }
        }
    }
    return false;
}

bool VoMeshQuadTree::GetObjectsContainingPt(const VoVector2& aPoint, VoVector& aOut) const {
    const VoQuadTreeLooseNode* node = GetRoot();
    if (node == nullptr) {
        VO_ASSERT_FAILURE(kContainingNoRoot);
        return false;
    }
    aOut.Clear();
    for (int level = 0; node != nullptr && level < GetLevels(); ++level) {
        if (node->objects.GetCount() > 0) {
            aOut.Add(node->objects.GetAt(0));
        }
        node = node->GetChild(aPoint.x >= node->centre.x ? 1 : 0, aPoint.y >= node->centre.y ? 1 : 0);
    }
    return aOut.GetCount() > 0;
}
