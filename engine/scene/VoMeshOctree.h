#pragma once
// Every mesh of a scene in a loose octree, one entry per drawn triangle in
// world space, answering ray queries: the triangles a segment crosses, and
// the nearest crossing (the ground point under the mouse). Built once per
// viewpoint: Create (the loose tree's), AddMesh for each mesh, then queries.
//
// AddMesh (id, mesh, world) needs the mesh's vertex and index buffers (false
// without either, no message), appends the id (the same id twice indexes the
// mesh twice) and inserts every triangle the mesh's subsets draw
// (VoMeshTriangles), placed by world, with the bounds of its corners; each
// refused insertion is asserted (empty text) and the rest go on. A mesh
// beyond the 256th is refused (asserted): the triangle keeps its mesh's
// index in one byte.
#include "container/VoVectorString.h"
#include "geometry/VoOctreeLoose.h"

class VoMatrix;
class VoMesh;
class VoVector;
class VoVectorInt;

class VoMeshOctree : public VoOctreeLoose {
public:
    static constexpr const char* kRootUndefined = "GetObjectsIntersectingRay failure. Root undefined.";
    static constexpr const char* kNodesRayFailure = "GetNodesRay failure.";
    static constexpr const char* kPickFailure = "Pick failure.";
    static constexpr const char* kTooManyMeshes = "AddMesh failure. Too many meshes: ";
    static constexpr const char* kNullMesh = "AddMesh failure. NULL arg.";

    VoMeshOctree() = default;
    // Deletes every triangle, then the ids and the cells.
    ~VoMeshOctree() override;
    VoMeshOctree(const VoMeshOctree&) = delete;
    VoMeshOctree& operator=(const VoMeshOctree&) = delete;

    // See above; apWorld null places nothing. The AND of every insertion.
    bool AddMesh(const VoString& aId, const VoMesh* apMesh, const VoMatrix* apWorld);
    // For every triangle that the segment from aOrigin to aOrigin + aRay
    // crosses, in cell order and then list order: its mesh index appended to
    // aMeshIndices and a new VoVector3 (the caller's to delete) holding the
    // crossing to aHits. True also when nothing was crossed; false, asserted,
    // without a tree.
    bool GetObjectsIntersectingRay(const VoVector3& aOrigin, const VoVector3& aRay, VoVectorInt& aMeshIndices,
                                   VoVector& aHits) const;
    // The nearest crossing of the segment aOrigin .. aOrigin + aDirection x
    // aLength (an equal distance keeps the earlier), written to aHit; false
    // when nothing is crossed (no message), false (asserted) without a tree.
    bool Pick(const VoVector3& aOrigin, const VoVector3& aDirection, VoVector3& aHit, float aLength) const;

    const VoVectorString& GetMeshIds() const { return fMeshIds; }

private:
    VoVectorString fMeshIds{16, 16};  // the ids added, in order
};
