#pragma once
// The drawable geometry attached to a frame: one vertex buffer, one
// mesh-wide index buffer and a list of subsets, each with its own index
// buffer and material. Drawing binds the vertex buffer and lets each subset
// bind its indices and material and issue one draw call. The skinned mesh
// (VoSkinMesh) derives from it.
//
// Flag bits: kIndexed (subsets draw indexed from their own index buffers),
// kStrips (triangle strips, otherwise lists), kWireframe, kDrawn (clear:
// Render draws nothing) and kCustomLighting. A new mesh has kDrawn only.
//
// The fields keep the mesh file's order of the mesh record (version, name,
// type, flags, vertex buffer, index buffer, subsets, vertex map, corners).
#include <cstdint>

#include "container/VoStreamObject.h"
#include "container/VoString.h"
#include "geometry/VoBox2.h"
#include "geometry/VoBox3.h"

class VoFrame;
class VoIndexBuffer;
class VoMaterial;
class VoMatrix;
class VoMeshSubset;
class VoVertexBuffer;

class VoMesh : public VoStreamObject {
public:
    static constexpr std::uint32_t kIndexed = 1;
    static constexpr std::uint32_t kStrips = 2;
    static constexpr std::uint32_t kWireframe = 4;
    static constexpr std::uint32_t kDrawn = 16;
    static constexpr std::uint32_t kCustomLighting = 32;

    static constexpr std::int32_t kStaticMesh = 0;
    static constexpr std::int32_t kSkinnedMesh = 1;

    // The vertex format custom lighting takes (position, normal, texture
    // coordinates) and the one it builds (position, colour, normal, texture
    // coordinates).
    static constexpr std::int32_t kLitSourceFormat = 5;
    static constexpr std::int32_t kLitFormat = 6;

    static constexpr const char* kNoRasterizer = "Could not get rasterizer.";
    static constexpr const char* kSetVertexBufferNull = "SetVertexBuffer failure. Null arg.";
    static constexpr const char* kSetIndexBufferNull = "SetIndexBuffer failure. Null arg.";
    static constexpr const char* kAddSubsetNull = "AddSubset failure. Null arg.";
    static constexpr const char* kVertexBufferUndefined = "Vertex buffer not yet defined.";
    static constexpr const char* kLightingFormat = "Vertex format not supported for custom lighting.";
    static constexpr const char* kMaterialOutOfRange = "Material index out of range: ";
    static constexpr const char* kCouldNotAllocate = "Could not allocate.";

    VoMesh();
    // Deletes the subsets, materials, corner array, vertex map and the three buffers.
    ~VoMesh() override;
    VoMesh(const VoMesh&) = delete;
    VoMesh& operator=(const VoMesh&) = delete;

    // "[VoMesh <address>]".
    VoString ToString() const override;

    // Draws the mesh: nothing (true) without kDrawn; otherwise the fill mode
    // (wireframe or solid), the vertex buffer, then every subset in order.
    // Answers the AND of the fill mode and vertex buffer calls; a subset's
    // result does not count. Without a rasterizer (logged) and without a
    // vertex buffer nothing is drawn and the answer is false.
    virtual bool Render();
    // Bone binding by frame number; a static mesh has no bones.
    virtual bool SetBoneFrame(std::uint32_t aFrameNumber, const VoString& aName, const VoMatrix* apMatrix);

    // Appends the subset (owned from then on) and makes this mesh its owner;
    // false, logged, for null.
    bool AddSubset(VoMeshSubset* apSubset);
    // Appends a copy of the material.
    bool AddMaterial(const VoMaterial& aMaterial);
    // Material aIndex copied to aOut. An index outside the material list
    // gives a new (default) material and an assertion: a subset never reads
    // past the list.
    bool CopyMaterial(std::int32_t aIndex, VoMaterial* apOut) const;

    // Null outside 0..count - 1.
    VoMeshSubset* GetSubset(int aIndex) const;
    std::int32_t GetSubsetCount() const { return fSubsetCount; }
    const VoMaterial* GetMaterial(int aIndex) const;
    std::int32_t GetMaterialCount() const { return fMaterialCount; }
    VoVertexBuffer* GetVertexBuffer() const { return fpVertexBuffer; }
    VoVertexBuffer* GetLitVertexBuffer() const { return fpLitVertexBuffer; }
    VoIndexBuffer* GetIndexBuffer() const { return fpIndexBuffer; }
    std::int32_t GetMeshType() const { return fMeshType; }

    // Takes the buffer (owned from then on) in place of the old one, which
    // is deleted; false, logged, for null.
    bool SetVertexBuffer(VoVertexBuffer* apBuffer);
    bool SetIndexBuffer(VoIndexBuffer* apBuffer);

    // ORs the mask into the flags; clears the bits of the mask.
    void SetFlags(std::uint32_t aMask) { fFlags |= aMask; }
    void ClearFlags(std::uint32_t aMask) { fFlags &= ~aMask; }
    std::uint32_t GetFlags() const { return fFlags; }

    // The box of every vertex position (the first three floats of each
    // vertex), placed by the owner frame's absolute matrix when aWorld is
    // set (as they stand without an owner frame); the empty box without
    // vertices.
    VoBox3 GetBoundingBox(bool aWorld) const;
    // The same over x and z.
    VoBox2 GetBoundingBoxXZ(bool aWorld) const;

    // On: builds the lit vertex buffer (format 6: each vertex's position,
    // colour A 1 and R, G, B 0, normal and texture coordinates) and sets
    // kCustomLighting; off: deletes it and clears the flag. True when the
    // flag already says so. Needs a vertex buffer of format 5 (asserted).
    bool SetCustomLighting(bool aOn);

    // The vertex map, the mesh's duplicate table: for each vertex, the index
    // of the vertex whose position it shares (its own index when it is the
    // first there). Copies aCount entries in place of the old map; null or a
    // count below 1 leaves the mesh without one. False, logged, when memory
    // runs out (the old map is then gone as well).
    bool SetVertexMap(const std::int32_t* apMap, std::int32_t aCount);
    // Null when the mesh has none.
    const std::int32_t* GetVertexMap() const { return fpVertexMap; }
    std::int32_t GetVertexMapCount() const { return fVertexMapCount; }

    const VoString& GetName() const { return fName; }
    void SetName(const VoString& aName) { fName = aName; }
    VoFrame* GetOwnerFrame() const { return fpOwnerFrame; }
    void SetOwnerFrame(VoFrame* apFrame) { fpOwnerFrame = apFrame; }
    float GetVersion() const { return fVersion; }
    void SetVersion(float aVersion) { fVersion = aVersion; }

protected:
    // Called after the vertex buffer was replaced: what points into the old
    // one must let go.
    virtual void VertexBufferChanged() {}
    // For the skinned mesh: a mesh of that type.
    explicit VoMesh(std::int32_t aMeshType);

private:
    std::uint32_t fFlags = kDrawn;
    std::int32_t fSubsetCount = 0;
    VoMeshSubset** fppSubsets = nullptr;  // owned, with the subsets
    std::int32_t fMaterialCount = 0;
    VoMaterial* fpMaterials = nullptr;   // owned
    std::uint32_t* fpCorners = nullptr;  // owned: 3 per triangle in subset order; null when none
    VoString fName;
    VoFrame* fpOwnerFrame = nullptr;      // not owned: the frame that carries the mesh
    std::int32_t* fpVertexMap = nullptr;  // owned: one per vertex; null when none
    std::int32_t fVertexMapCount = 0;
    float fVersion = 0.0f;
    std::int32_t fMeshType = kStaticMesh;
    VoVertexBuffer* fpVertexBuffer = nullptr;     // owned
    VoVertexBuffer* fpLitVertexBuffer = nullptr;  // owned: built by custom lighting
    VoIndexBuffer* fpIndexBuffer = nullptr;       // owned: the mesh-wide indices
};
