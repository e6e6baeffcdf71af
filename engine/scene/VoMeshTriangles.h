#pragma once
// Walks the triangles a mesh draws, in model space: every subset in order,
// each with its own triangles exactly as its draw call takes them. An
// indexed mesh (VoMesh::kIndexed) reads the subset's own index buffer from
// its start index on, adding the base vertex index; otherwise the vertices
// follow one another from the start index. Triangle lists take three new
// indices per triangle, strips (VoMesh::kStrips) one. The position of a
// vertex is the first three floats of its slot.
//
// What the draw would not find is skipped: a triangle whose indices run past
// the subset's buffer ends the subset, one naming a vertex past the vertex
// buffer is passed over. Picking and the mesh octree and quadtree see the
// very triangles that are drawn.
//
//     VoMeshTriangles triangles(mesh);
//     VoVector3 a, b, c;
//     while (triangles.Next(&a, &b, &c)) { ... }
#include <cstdint>

#include "geometry/VoVector3.h"

class VoMesh;

class VoMeshTriangles {
public:
    // apMesh: not owned, outlives the walk; null walks nothing.
    explicit VoMeshTriangles(const VoMesh* apMesh);

    // The next drawn triangle's corners; false once every subset is done.
    bool Next(VoVector3* apA, VoVector3* apB, VoVector3* apC);

private:
    // The position of the triangle's corner aCorner; false past the data.
    bool Corner(std::uint32_t aCorner, VoVector3* apOut, bool* apEnded) const;

    const VoMesh* fpMesh;  // not owned
    std::int32_t fSubset = 0;
    std::uint32_t fTriangle = 0;
};
