#pragma once
// The ground meshes of a scene in a loose quadtree over the ground plane (x
// and z of the world), one entry per drawn triangle in world space,
// answering the height query: where the vertical line through a ground
// point meets the ground (what puts a walking character on its feet).
// Built once per viewpoint: Create (the loose tree's, over x and z), AddMesh
// for each ground mesh, then queries.
//
// AddMesh (id, mesh, world) as the octree's, except that an id already
// present is refused (asserted, nothing added) and refused insertions are
// passed over silently. Ground points are VoVector2 (x, z). A point on a
// triangle's edge or corner lies on that triangle, whichever way the edge
// runs.
#include "container/VoVectorString.h"
#include "geometry/VoQuadTreeLoose.h"

class VoMatrix;
class VoMesh;
class VoVector;
class VoVector3;

class VoMeshQuadTree : public VoQuadTreeLoose {
public:
    static constexpr const char* kDuplicateId = "AddMesh failure. Duplicate id:";
    static constexpr const char* kHeightNoRoot = "IntersectsVertLineThruPt failure. NULL root.";
    static constexpr const char* kContainingNoRoot = "GetObjectsContainingPt failure. NULL root.";
    static constexpr const char* kTooManyMeshes = "AddMesh failure. Too many meshes: ";
    static constexpr const char* kNullMesh = "AddMesh failure. NULL arg.";

    VoMeshQuadTree() = default;
    // Deletes every triangle, then the ids and the cells.
    ~VoMeshQuadTree() override;
    VoMeshQuadTree(const VoMeshQuadTree&) = delete;
    VoMeshQuadTree& operator=(const VoMeshQuadTree&) = delete;

    // See above; apWorld null places nothing.
    bool AddMesh(const VoString& aId, const VoMesh* apMesh, const VoMatrix* apWorld);
    // The ground under aPoint (x, z): the first triangle, in cell and list
    // order, whose (x, z) outline holds the point (edges included) and whose
    // plane the vertical line through it meets; that point is written to
    // aHit. False when none does (a standing triangle never does); false,
    // asserted, without a tree.
    bool IntersectsVertLineThruPt(const VoVector2& aPoint, VoVector3& aHit) const;
    // From the root towards aPoint, at most one cell per level, stopping at a
    // leaf: the first triangle (VoMeshTriangle*) of every cell on the way
    // that holds any, into aOut (cleared first). True when aOut is not empty;
    // false, asserted, without a tree.
    bool GetObjectsContainingPt(const VoVector2& aPoint, VoVector& aOut) const;

    const VoVectorString& GetMeshIds() const { return fMeshIds; }

private:
    VoVectorString fMeshIds{16, 16};  // the ids added, in order
};
