#pragma once
// One draw call of a mesh: its own index buffer (owned), its material and the
// range it draws. Copies are deep: the copy gets an index buffer of its own.
//
// Drawing (Render) with the owner mesh's flags: indexed meshes (kIndexed)
// bind the subset's index buffer first; then the material; a material
// without texture unbinds the texture, so the subset is never drawn with
// the texture of whatever was drawn before it; then one draw of triangle
// strips (kStrips) or lists, triangle count primitives from the start index.
//
// The mesh file's subset record: u32 triangle count, u32 vertex count, the
// subset's index-buffer record and its material record. The start index and
// base vertex index are not stored: a read subset draws from its buffer's
// first index with base 0.
#include <cstdint>

#include "render/VoMaterial.h"

class VoIndexBuffer;
class VoIRasterizer;
class VoIStream;
class VoMesh;

class VoMeshSubset {
public:
    static constexpr const char* kNoIndexBuffer = "Render failure. No index buffer.";
    static constexpr const char* kWriteNoIndexBuffer = "Write failure. Subset without index buffer.";

    // Counts and positions 0, no index buffer, a new material, no owner.
    VoMeshSubset();
    // Counts, a copy of the index buffer, the material and the owner.
    VoMeshSubset(const VoMeshSubset& aOther);
    // Counts, a copy of the index buffer (the old one deleted) and the
    // material; the owner stays.
    VoMeshSubset& operator=(const VoMeshSubset& aOther);
    // Deletes the index buffer.
    ~VoMeshSubset();

    // Draws with the mesh flags given; the AND of the rasterizer's results.
    // An indexed subset without an index buffer draws nothing and answers
    // false (logged): it would draw with whatever indices were bound last.
    // A subset of no triangles has nothing to draw and answers true.
    bool Render(VoIRasterizer* apRasterizer, std::uint32_t aMeshFlags);

    // The subset record. A read replaces the counts, buffer and material
    // only when the whole record was read; the start index and base vertex
    // index become 0. False when any part failed.
    bool Read(VoIStream* apStream);
    // False (logged, an empty buffer record written in its place) without
    // an index buffer: the record could not be read back.
    bool Write(VoIStream* apStream);

    std::uint32_t GetTriangleCount() const { return fTriangleCount; }
    std::uint32_t GetVertexCount() const { return fVertexCount; }
    std::uint32_t GetStartIndex() const { return fStartIndex; }
    std::uint32_t GetBaseVertexIndex() const { return fBaseVertexIndex; }
    VoIndexBuffer* GetIndexBuffer() const { return fpIndexBuffer; }
    VoMaterial& GetMaterial() { return fMaterial; }
    const VoMaterial& GetMaterial() const { return fMaterial; }
    VoMesh* GetOwner() const { return fpOwner; }

    void SetTriangleCount(std::uint32_t aCount) { fTriangleCount = aCount; }
    void SetVertexCount(std::uint32_t aCount) { fVertexCount = aCount; }
    void SetStartIndex(std::uint32_t aIndex) { fStartIndex = aIndex; }
    void SetBaseVertexIndex(std::uint32_t aIndex) { fBaseVertexIndex = aIndex; }
    // Takes the buffer (owned from then on) in place of the old one, which is deleted.
    void SetIndexBuffer(VoIndexBuffer* apBuffer);
    void SetMaterial(const VoMaterial& aMaterial) { fMaterial = aMaterial; }
    void SetOwner(VoMesh* apOwner) { fpOwner = apOwner; }

private:
    std::uint32_t fTriangleCount;
    std::uint32_t fVertexCount;
    VoIndexBuffer* fpIndexBuffer;  // owned
    std::uint32_t fStartIndex;
    std::uint32_t fBaseVertexIndex;
    VoMaterial fMaterial;
    VoMesh* fpOwner;  // not owned: the mesh that holds this subset
};
