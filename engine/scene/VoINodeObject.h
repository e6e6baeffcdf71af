#pragma once
// Anything the 3D scene draws once per frame: a node that owns loaded models
// (VoNode) or a group that gathers other nodes under one id (VoNodeGroup).
//
// Every node has a node id (the key groups and the node manager file it
// under; distinct from the API-object id), a relative and an absolute
// transform, an optional owning group (not owned), and an active and a
// visible state. Each state is the node's own value plus an effective value
// (own AND the group's effective value) that is recomputed lazily: only when
// read while its dirty flag is set. The transform is absolute = the group's
// absolute x relative, recomputed the same way.
//
// Setting a state marks it dirty only when the value changes; Invalidate*
// marks it dirty unconditionally. Only the transform propagates downwards
// (VoNodeGroup::InvalidateTransform); a member sees its group's new visible
// or active state once its own flag has been invalidated.
//
// The rotation, scale and translation setters overwrite the whole relative
// matrix and leave the transform clean: whoever changes the relative matrix
// calls InvalidateTransform afterwards.
#include <cstdint>

#include "container/VoString.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoVector3.h"
#include "stdlib/VoAPIObject.h"

class VoINodeObject : public VoAPIObject {
public:
    static constexpr const char* kSetGroupNull = "SetGroup failure. Null arg.";
    static constexpr const char* kSetGroupCycle = "SetGroup failure. The group belongs to this node.";
    static constexpr const char* kGetRotationAbsNYI = "GetRotationAbs NYI.";
    static constexpr const char* kGetScaleAbsNYI = "GetScaleAbs NYI.";
    static constexpr const char* kGetTranslationAbsNYI = "GetTranslationAbs NYI.";
    static constexpr const char* kGetRotationRelNYI = "GetRotationRel NYI.";
    static constexpr const char* kGetScaleRelNYI = "GetScaleRel NYI.";
    static constexpr const char* kGetTranslationRelNYI = "GetTranslationRel NYI.";
    // Degrees to radians as the degree setters use it: the float nearest
    // 0.01745329, a little below pi / 180.
    static constexpr float kDegreesToRadians = 0.01745329f;

    // Identity matrices, no group, own states true, all three states dirty.
    VoINodeObject();
    // Drops the group link.
    ~VoINodeObject() override;

    // "[VoINodeObject <address>]".
    VoString ToString() const override;
    // True.
    bool Initialize(std::uintptr_t aArgument) override;
    // Nodes are never restored from a save game: both answer false.
    bool OnLoad(VoIStream* apStream, float aVersion) override;
    bool Save(VoIStream* apStream) override;

    virtual bool Render() = 0;
    // Every operation from here on answers true.
    virtual bool SetVisible(bool aVisible);
    virtual bool InvalidateVisible();
    virtual bool SetNodeId(const VoString& aId);
    virtual bool InvalidateTransform();
    virtual bool SetActive(bool aActive);
    virtual bool InvalidateActive();
    virtual bool RecomputeVisible();
    virtual bool RecomputeTransform();
    virtual bool RecomputeActive();

    const VoString& GetNodeId() const { return fNodeId; }
    // The effective state, recomputed first when dirty.
    bool IsVisible();
    bool IsActive();
    // The own state.
    bool GetVisible() const { return fOwnVisible != 0; }
    bool GetActive() const { return fOwnActive != 0; }

    // The absolute matrix, recomputed first when dirty.
    VoMatrix GetAbsoluteMatrix();
    bool GetAbsoluteMatrix(VoMatrix& aOut);
    // The relative matrix as it stands.
    VoMatrix GetRelativeMatrix() const { return fRelative; }
    bool GetRelativeMatrix(VoMatrix& aOut) const;

    // Replace the relative matrix by a pure rotation, scaling or translation.
    bool SetRotationX(float aRadians);
    bool SetRotationY(float aRadians);
    bool SetRotationZ(float aRadians);
    bool SetRotationXDeg(float aDegrees);
    bool SetRotationYDeg(float aDegrees);
    bool SetRotationZDeg(float aDegrees);
    bool SetScale(float aX, float aY, float aZ);
    bool SetScale(const VoVector3& aScale);
    bool SetTranslation(float aX, float aY, float aZ);
    bool SetTranslation(const VoVector3& aTranslation);

    // Not implemented: each logs its "NYI." line and gives the zero vector
    // (the absolute forms recompute the transform first).
    VoVector3 GetRotationAbs();
    VoVector3 GetScaleAbs();
    VoVector3 GetTranslationAbs();
    VoVector3 GetRotationRel() const;
    VoVector3 GetScaleRel() const;
    VoVector3 GetTranslationRel() const;

    // False, logged, for null and for a group whose own chain of groups
    // leads back to this node; the group is not told (see
    // VoNodeGroup::AddMember).
    bool SetGroup(VoINodeObject* apGroup);
    VoINodeObject* GetGroup() const { return fpGroup; }

    bool IsTransformDirty() const { return fTransformDirty != 0; }
    bool IsVisibleDirty() const { return fVisibleDirty != 0; }
    bool IsActiveDirty() const { return fActiveDirty != 0; }

private:
    VoString fNodeId;
    VoMatrix fAbsolute;
    VoMatrix fRelative;
    std::uint32_t fTransformDirty = 1;
    VoINodeObject* fpGroup = nullptr;  // not owned: the owning group
    std::uint8_t fActive = 1;          // effective; recomputed before it is read
    std::uint8_t fOwnActive = 1;
    std::uint8_t fActiveDirty = 1;
    std::uint8_t fVisible = 1;  // effective; recomputed before it is read
    std::uint8_t fOwnVisible = 1;
    std::uint8_t fVisibleDirty = 1;
};
