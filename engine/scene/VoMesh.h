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
//
// The mesh record (Read, Write): f32 version (the writer sets 1.0), string
// name, i32 mesh type (0 static, 1 skinned: it must be this class's), i32
// flags, the vertex-buffer record, the mesh-wide index-buffer record, i32
// subset count and the subset records, bool "has vertex map" and then i32
// count (the vertex count) and that many i32 vertex indices, i32 corner
// count n (3 x the subsets' triangles, or 0 without corners) and the values
// at the even positions 0, 2, 4, ... of the corners, ceil(n / 2) u32; the odd
// positions are not stored and read back as 0.
//
// The raw mesh body (Load): u32 material count and the material records,
// the vertex-buffer record, the mesh-wide index-buffer record, u32 subset
// count and five u32 per subset (material index, not used: subset i takes
// material i; start index; triangle count; base vertex index; vertex
// count), and with kRawCorners every corner value, 3 per triangle. Each raw
// subset gets its own index buffer: its 3 x triangle count indices from the
// start index on, each with the base vertex index added, so it draws from
// position 0 with base 0, as a serialised subset does.
//
// The vertex map gives, for every vertex, the first vertex of the same
// position (the welding that shadow volumes build their edges on); the
// corners hold 3 values per triangle in subset order.
#include <cstdint>

#include "container/VoStreamObject.h"
#include "container/VoString.h"
#include "geometry/VoBox2.h"
#include "geometry/VoBox3.h"

class VoFrame;
class VoIStream;
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

    // The raw frame's mesh-flag bit that says the body carries its corners.
    static constexpr std::uint32_t kRawCorners = 0x8000;

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
    static constexpr const char* kTypeMismatch = "Read failure. Mesh type does not match: ";
    static constexpr const char* kVertexMapRefused = "Read failure. Invalid vertex map.";
    static constexpr const char* kCornersRefused =
        "Read failure. Corner count does not match the triangles: ";
    static constexpr const char* kSubsetRangeRefused = "Load failure. Subset indices out of range: ";
    static constexpr const char* kWriteNoBuffer = "Write failure. Mesh without vertex or index buffer.";
    static constexpr const char* kWriteTooManyCorners = "Write failure. Too many corners.";

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
    // The raw mesh body (see above); aFlags holds kRawCorners when the
    // corners follow. Sets kIndexed first. False, logged, on anything short,
    // refused or out of range; a mesh whose load failed is to be discarded.
    virtual bool Load(VoIStream* apStream, std::uint32_t aFlags);

    // The mesh record (see above). Every count is checked against the data,
    // the vertex map must hold one vertex index per vertex and the corner
    // count must match the triangles; the mesh changes only when the whole
    // record was read.
    bool Read(VoIStream* apStream) override;
    // Sets the version to 1.0 and writes the record. False when a part could
    // not be written, and (logged) without a vertex or index buffer: an empty
    // index buffer could not be read back.
    bool Write(VoIStream* apStream) override;

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
    // first there). Copies aCount entries in place of the old map; aCount 0
    // removes it. False (the old map kept) without entries or memory.
    bool SetVertexMap(std::int32_t aCount, const std::int32_t* apMap);
    const std::int32_t* GetVertexMap() const { return fpVertexMap; }
    std::int32_t GetVertexMapCount() const { return fVertexMapCount; }
    // Copies aCount values in place of the old corners; aCount 0 removes them.
    bool SetCorners(std::int32_t aCount, const std::uint32_t* apCorners);
    const std::uint32_t* GetCorners() const { return fpCorners; }
    std::int32_t GetCornerCount() const { return fCornerCount; }
    // The sum of the subsets' triangle counts.
    std::int64_t GetTotalTriangleCount() const;

    const VoString& GetName() const { return fName; }
    void SetName(const VoString& aName) { fName = aName; }
    VoFrame* GetOwnerFrame() const { return fpOwnerFrame; }
    void SetOwnerFrame(VoFrame* apFrame) { fpOwnerFrame = apFrame; }
    float GetVersion() const { return fVersion; }
    void SetVersion(float aVersion) { fVersion = aVersion; }

protected:
    // What a mesh record or raw body read, before the mesh takes it: all of
    // it owned here until Adopt takes it, freed with the record otherwise.
    struct Pending {
        Pending() = default;
        ~Pending();
        Pending(const Pending&) = delete;
        Pending& operator=(const Pending&) = delete;

        float version = 0.0f;
        VoString name;
        std::uint32_t flags = 0;
        VoVertexBuffer* vertexBuffer = nullptr;
        VoIndexBuffer* indexBuffer = nullptr;
        std::int32_t subsetCount = 0;
        VoMeshSubset** subsets = nullptr;
        bool hasMaterials = false;  // the raw body replaces the materials
        std::int32_t materialCount = 0;
        VoMaterial* materials = nullptr;
        std::int32_t vertexMapCount = 0;
        std::int32_t* vertexMap = nullptr;
        std::int32_t cornerCount = 0;
        std::uint32_t* corners = nullptr;
    };
    // Read the mesh record or the raw body into aPending (which starts from
    // the mesh's version, name and flags); false, logged, on any failure.
    bool ReadRecord(VoIStream* apStream, Pending& aPending);
    bool LoadBody(VoIStream* apStream, std::uint32_t aFlags, Pending& aPending);
    // Takes everything pending in place of what the mesh held.
    void Adopt(Pending& aPending);

    // Called after the vertex buffer was replaced: what points into the old
    // one must let go.
    virtual void VertexBufferChanged() {}
    // For the skinned mesh: a mesh of that type.
    explicit VoMesh(std::int32_t aMeshType);

private:
    // CopyMaterial over a material list of its own.
    static bool CopyMaterialFrom(const VoMaterial* apMaterials, std::int32_t aCount, std::int32_t aIndex,
                                 VoMaterial* apOut);
    // The raw subsets of the body: their records checked against the
    // mesh-wide indices and their index buffers built.
    static bool BuildRawSubsets(const std::uint32_t* apRecords, std::int32_t aCount, Pending& aPending);

    std::uint32_t fFlags = kDrawn;
    std::int32_t fSubsetCount = 0;
    VoMeshSubset** fppSubsets = nullptr;  // owned, with the subsets
    std::int32_t fMaterialCount = 0;
    VoMaterial* fpMaterials = nullptr;   // owned
    std::uint32_t* fpCorners = nullptr;  // owned: 3 per triangle in subset order; null when none
    std::int32_t fCornerCount = 0;       // the entries of fpCorners
    VoString fName;
    VoFrame* fpOwnerFrame = nullptr;      // not owned: the frame that carries the mesh
    std::int32_t* fpVertexMap = nullptr;  // owned: one per vertex; null when none
    std::int32_t fVertexMapCount = 0;     // the entries of fpVertexMap
    float fVersion = 0.0f;
    std::int32_t fMeshType = kStaticMesh;
    VoVertexBuffer* fpVertexBuffer = nullptr;     // owned
    VoVertexBuffer* fpLitVertexBuffer = nullptr;  // owned: built by custom lighting
    VoIndexBuffer* fpIndexBuffer = nullptr;       // owned: the mesh-wide indices
};
