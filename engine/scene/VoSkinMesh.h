#pragma once
// A mesh whose vertices follow the frames of its model. Each bone names a
// frame, lists the vertices it moves with a weight each, and carries an
// offset matrix that brings a rest-pose vertex into the bone's space.
// Skinning runs on the processor: UpdateSkin computes every vertex's
// position and normal from the rest pose and writes them into the mesh's
// own vertex buffer, which is then drawn with the identity as world
// transform.
//
// For every bone, M = offset x the frame's absolute matrix and N = M's
// rotation rows each scaled to unit length; every influence (v, w) adds
// w x (rest position of v placed by M) to v's position and w x (rest normal
// of v turned by N) to its normal. Weights are used as stored and the
// summed normals are not renormalised; a vertex no bone names ends at the
// origin with a zero normal.
//
// The skin reads and writes the position at byte 0 and the normal at byte 12
// of each vertex: only vertex formats laid out that way (4, 5 and 7) can be
// skinned. Influences naming a vertex past the vertex buffer are dropped
// (asserted) when the skin is prepared or the bones are bound, so skinning
// never writes outside the buffer.
//
// The skinned-mesh record (Read, Write): the mesh record, u32 bone count,
// and per bone: string name (the driving frame's), u32 influence count c, c
// u32 vertex indices, c f32 weights, the offset matrix. A read skin is
// prepared at once and bound by name on its first UpdateSkin.
//
// The raw skinned body (Load): the raw mesh body, u32 bone count, an unused
// u32, and per bone: u32 name length n and n 8-bit characters, i32
// influence count c, c u32 indices, c f32 weights, u32 frame number of the
// driving frame, the offset matrix as 16 f32. A loaded skin is prepared and
// marked bound: the model's loader hands every bone its frame's matrix by
// frame number (SetBoneFrame).
#include <cstdint>

#include "geometry/VoMatrix.h"
#include "geometry/VoVector3.h"
#include "scene/VoMesh.h"

class VoBone;

class VoSkinMesh : public VoMesh {
public:
    static constexpr float kNormalTolerance = 0.0001f;

    static constexpr const char* kParentUndefined = "SetupBonePointers failure: Parent frame undefined.";
    static constexpr const char* kBoneFrameNotFound = "Bone frame not found.";
    static constexpr const char* kFormatNotSkinnable = "PrepareSkin failure. Vertex format not supported: ";
    static constexpr const char* kNoVertexBuffer = "PrepareSkin failure. No vertex buffer.";
    static constexpr const char* kInfluenceOutOfRange = "Bone influences past the vertex count dropped: ";
    static constexpr const char* kSkinNotPrepared = "UpdateSkin failure. Skin not prepared.";
    static constexpr const char* kBoneUnbound = "UpdateSkin failure. Bone without frame: ";
    static constexpr const char* kBonesRefused = "Read failure. Invalid bone record.";

    VoSkinMesh();
    // Frees the skinning arrays and the bones.
    ~VoSkinMesh() override;

    // Every bone whose frame number is aFrameNumber takes the matrix; the
    // name is not used. True.
    bool SetBoneFrame(std::uint32_t aFrameNumber, const VoString& aName, const VoMatrix* apMatrix) override;
    // The raw skinned body (see above); false, logged, on anything short or
    // refused.
    bool Load(VoIStream* apStream, std::uint32_t aFlags) override;
    // The skinned-mesh record; the mesh changes only when the whole record
    // was read, and then its skin is prepared.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

    // Replaces the bones by aCount empty records to be filled through
    // GetBone; false, with no bones, when memory runs out.
    bool CreateBones(std::uint32_t aCount);
    std::uint32_t GetBoneCount() const { return fBoneCount; }
    // Null outside 0..count - 1.
    VoBone* GetBone(std::uint32_t aIndex) const;

    // Binds every bone, in order, to the absolute matrix of the first frame
    // of the owner frame's tree (searched from its root) that carries the
    // bone's name, then marks the skin bound. False, asserted, without an
    // owner frame or when a bone's frame is missing (the bones bound so far
    // keep their matrices).
    bool SetupBonePointers();
    // Takes the rest pose from the vertex buffer: positions, and normals
    // scaled to unit length (a vanishing one becomes (0, 1, 0)). False,
    // asserted, leaving the mesh unskinned, without a vertex buffer or for a
    // vertex format without its normal at byte 12.
    bool PrepareSkin();
    // Skins the vertex buffer (see above). Binds by name first when not yet
    // bound. False, asserted, with the vertex buffer untouched, when the skin
    // is not prepared, binding fails or a bone has no frame matrix.
    bool UpdateSkin();

    bool IsBound() const { return fBound != 0; }
    // The raw mesh form binds its bones by frame number and marks them bound.
    void SetBound(bool aBound) { fBound = aBound ? 1 : 0; }
    bool IsSkinPrepared() const { return fpRest != nullptr; }
    std::int32_t GetSkinVertexCount() const { return fVertexCount; }

protected:
    // The rest pose pointed into the old vertex buffer: the skin must be prepared anew.
    void VertexBufferChanged() override;

private:
    // One vertex's rest pose, as the skin reads it.
    struct RestVertex {
        VoVector3 position;
        VoVector3 normal;  // unit length
    };
    // One influence on a vertex: a bone by its index, and its weight.
    struct Influence {
        std::uint32_t bone;
        float weight;
    };
    // One bone's transforms for the current pose: M and N (see above).
    struct BonePose {
        VoMatrix placing;
        VoVector3 turning[3];
        bool affine;
    };

    // Reads aCount bone records of either form into a new array of new bones.
    static bool ReadBones(VoIStream* apStream, std::uint32_t aCount, bool aRaw, VoBone*** apppBones);
    // Takes the bones in place of the old ones.
    void AdoptBones(VoBone** appBones, std::uint32_t aCount);
    void FreeSkin();
    void FreeBones();
    void FreeInfluenceTable();
    // Drops (asserted) the influences of every bone that name no vertex of the skin.
    void DropStrayInfluences();
    // Whether the influence table holds the bones' influences as they stand.
    bool IsInfluenceTableCurrent() const;
    // The bones' influences listed per vertex, each vertex's in the order
    // the bones (and within a bone, its list) give them; false when memory
    // runs out.
    bool BuildInfluenceTable();

    std::uint32_t fBoneCount = 0;
    VoBone** fppBones = nullptr;  // owned, with the bones
    std::int32_t fVertexCount = 0;
    std::int32_t fStride = 0;
    unsigned char* fpVertexData = nullptr;  // not owned: the vertex buffer's data
    RestVertex* fpRest = nullptr;           // owned, fVertexCount of them
    // The influence table: vertex v's influences are fpInfluences[fpFirstInfluence[v]]
    // up to fpFirstInfluence[v + 1]. Skinning walks the vertices in order
    // and touches each vertex's rest pose, influences and output once,
    // however large the mesh; the bones' own lists (by bone) stay the record.
    std::uint32_t* fpFirstInfluence = nullptr;  // owned, fVertexCount + 1; null until built
    Influence* fpInfluences = nullptr;          // owned
    std::uint32_t* fpBoneVersions = nullptr;    // owned: each bone's influence version when built
    BonePose* fpPoses = nullptr;                // owned, fBoneCount: scratch for UpdateSkin
    std::uint8_t fBound = 0;
};
