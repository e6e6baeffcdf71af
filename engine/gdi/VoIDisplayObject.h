#pragma once
// The base of everything the 2D interface draws: groups, sprites, shapes,
// text areas, buttons and the game's panels and screens.
//
// Coordinates come in screen orientation (pixels of the 800 x 600 screen, x
// right, y down, origin top-left). The matrices work in a frame whose y axis
// points up: every y is negated on its way into a matrix and again on its
// way out; the renderer maps that frame onto the screen.
//
// Six properties are both owned and inherited from the containing group:
// active, visible, enabled, blend, rotation and scale. The inherited
// ("effective") values and the derived geometry are cached: a setter stores
// its value and calls a virtual Invalidate operation that marks the cache
// dirty (groups pass it on to their members); a getter recomputes through a
// virtual Recompute operation while the mark is set; Validate and Render
// recompute everything dirty.
//
// The local transform is, for row vectors (a point multiplied from the left),
//     T(-centre.x, +centre.y) * S(scale.x, scale.y, 1) * Rz(rotation) * T(position.x, -position.y)
// with the object's own scale and rotation, and world = local * the group's
// world. A positive rotation (degrees) turns the object counter-clockwise on
// the screen.
//
// Ownership: an object belongs to at most one group, which deletes it with
// itself; the object leaves its group when it is deleted first.
#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "container/VoString.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoVector2.h"

class VoDisplayGroup;
class VoIRegion;
class VoPolygon;
class VoRectangle;
class VoRenderer;

class VoIDisplayObject : public VoBase, public VoISerializable {
public:
    static constexpr const char* kSetGroupNull = "Set group failure. apGroup == NULL.";
    static constexpr const char* kSetGroupAssigned = "Set group failure. Group already assigned.";
    static constexpr const char* kSetGroupCycle = "Set group failure. The group is a member of this object.";
    static constexpr const char* kSetBoundaryFailure = "SetBoundary failure. Invalid arg.";
    static constexpr const char* kReadNYI = "Read NYI.";
    static constexpr const char* kWriteNYI = "Write NYI.";
    static constexpr const char* kTrackActive = "TRACK ACTIVE.";
    static constexpr const char* kTrackBlend = "TRACK BLEND.";
    static constexpr const char* kTrackEnabled = "TRACK ENABLED.";
    static constexpr const char* kTrackRotation = "TRACK ROTATION.";
    static constexpr const char* kTrackScale = "TRACK SCALE.";
    static constexpr const char* kTrackVisible = "TRACK VISIBLE.";
    static constexpr const char* kTrackDestroy = "Tracking destroy.";

    // The screen that world rectangles are clipped to.
    static constexpr float kScreenWidth = 800.0f;
    static constexpr float kScreenHeight = 600.0f;
    // Degrees to radians as the transform uses it.
    static constexpr float kDegreesToRadians = 0.017453292f;
    // How far (in pixels) a point may lie from the hit boundary's outline and
    // still count as on it: the outline belongs to the boundary, and a point
    // computed on a rotated edge misses it by rounding.
    static constexpr float kEdgeTolerance = 1.0e-3f;

    VoIDisplayObject(const VoIDisplayObject&) = delete;
    VoIDisplayObject& operator=(const VoIDisplayObject&) = delete;
    // Leaves the group (which no longer holds it), then frees the boundaries
    // and rectangles.
    ~VoIDisplayObject() override;

    // Whether the screen point lies on or inside the world boundary; false
    // while not effectively active or not effectively enabled (visibility is
    // not consulted) and without a boundary.
    virtual bool HitTest(const VoVector2& aScreenPoint);
    virtual bool Render(VoRenderer* apRenderer) = 0;
    // True at once when unchanged.
    virtual bool SetActive(bool aActive);
    virtual void InvalidateActive();
    // Clamped to 0..1; NaN gives 0.
    virtual bool SetBlend(float aBlend);
    virtual void InvalidateBlend();
    // A rectangle region becomes the polygon of its four corners; any other
    // region is copied. In the object's own frame, screen orientation.
    virtual bool SetBoundary(const VoIRegion& aRegion);
    virtual void InvalidateBoundary();
    virtual bool SetCenter(const VoVector2& aCenter);
    virtual bool SetCenter(float aX, float aY);
    // The clip rectangle, in the object's own frame: only the world position
    // moves it (not rotation or scale), and the screen's edges clip it.
    virtual bool SetRectangle(const VoRectangle& aRectangle);
    virtual void InvalidateRectangle();
    // True at once when unchanged.
    virtual bool SetEnabled(bool aEnabled);
    virtual void InvalidateEnabled();
    virtual bool SetPosition(const VoVector2& aPosition);
    virtual bool SetPosition(float aX, float aY);
    // Stores the value; this base form leaves the object's place in its group
    // alone (groups and sprites re-sort themselves).
    virtual bool SetRelativeZ(float aZ);
    virtual bool SetRotation(float aDegrees);
    virtual void InvalidateRotation();
    virtual bool SetScale(const VoVector2& aScale);
    virtual bool SetScale(float aX, float aY);
    virtual bool SetScale(float aUniform);
    virtual void InvalidateScale();
    // The local transform changed.
    virtual void InvalidateTransform();
    // The group's world transform changed.
    virtual void InvalidateWorldTransform();
    // Stores and invalidates, also when unchanged.
    virtual bool SetVisible(bool aVisible);
    virtual void InvalidateVisible();
    // Recomputes every dirty cached value: active, enabled, visible, blend,
    // rotation, scale, transform, rectangle, boundary.
    virtual void Validate();
    virtual void RecomputeActive();
    virtual void RecomputeBlend();
    virtual void RecomputeBoundary();
    virtual void RecomputeRectangle();
    virtual void RecomputeEnabled();
    virtual void RecomputeRotation();
    virtual void RecomputeScale();
    virtual void RecomputeTransform();
    virtual void RecomputeVisible();
    // Called by VoDisplayGroup::AddMember. Refuses null, a second group and a
    // group that lies inside this object.
    virtual bool SetGroup(VoDisplayGroup* apGroup);

    // The key in the group; an empty id is refused. Inside a group the entry
    // is re-keyed in place; an id that another member of the group has is
    // refused.
    bool SetId(const VoString& aId);
    const VoString& GetId() const { return fId; }
    float GetRelativeZ() const { return fRelativeZ; }
    VoDisplayGroup* GetGroup() const { return fpGroup; }

    bool GetActive() const { return fActive; }
    bool GetVisible() const { return fVisible; }
    bool GetEnabled() const { return fEnabled; }
    float GetBlend() const { return fBlend; }
    float GetRotation() const { return fRotation; }
    void GetScale(VoVector2& aOut) const { aOut = fScale; }
    const VoVector2& GetPosition() const { return fPosition; }
    const VoVector2& GetCenter() const { return fCenter; }
    // The local boundary and clip rectangle (owned by the object); null when unset.
    VoPolygon* GetBoundary() const { return fpBoundary; }
    VoRectangle* GetRectangle() const { return fpRectangle; }

    bool GetEffectiveActive();
    bool GetEffectiveVisible();
    bool GetEffectiveEnabled();
    float GetEffectiveBlend();
    float GetEffectiveRotation();
    void GetEffectiveScale(VoVector2& aOut);

    // Owned by the object; valid until its next recompute.
    VoMatrix* GetWorldTransform();
    // The screen position of the object's own origin.
    VoVector2& GetWorldPosition(VoVector2& aOut);
    // The same within the group's frame.
    VoVector2& GetPositionInGroup(VoVector2& aOut);
    // Screen orientation. False, aOut untouched, when there is none.
    bool GetWorldBoundary(VoPolygon& aOut);
    bool GetWorldRectangle(VoRectangle& aOut);

    // Debug aids, all off at construction: invalidations log "TRACK ...",
    // the destructor logs kTrackDestroy, sprites log each draw.
    void SetTrackInvalidation(bool aOn) { fTrackInvalidation = aOn; }
    void SetTrackDestroy(bool aOn) { fTrackDestroy = aOn; }
    void SetTrackRender(bool aOn) { fTrackRender = aOn; }
    bool GetTrackRender() const { return fTrackRender; }

    // Drawing hints for sprites, off at construction.
    void SetUnscaled(bool aOn) { fUnscaled = aOn; }
    void SetPixelSnap(bool aOn) { fPixelSnap = aOn; }
    bool GetUnscaled() const { return fUnscaled; }
    bool GetPixelSnap() const { return fPixelSnap; }

    // Display objects are never saved: both log and return false.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

protected:
    VoIDisplayObject();

    // Whether the transform needs recomputing.
    bool IsTransformDirty() const { return fWorldTransformDirty || fLocalTransformDirty; }
    // The world rectangle (owned) for the renderer's clip; null when there is
    // none. Recomputes first.
    VoRectangle* PeekWorldRectangle();
    // Stores the value without touching the group's order.
    void StoreRelativeZ(float aZ) { fRelativeZ = aZ; }

private:
    friend class VoDisplayGroup;
    // A tiled sprite links its tile group to its own group without making it
    // a member there, and takes the link back itself.
    friend class VoSprite;

    // Clears the group link (the group has let go of the object) and marks
    // everything inherited dirty.
    void LeaveGroup();
    // Marks every inherited value and the transform dirty.
    void InvalidateInherited();
    // Whether the point lies within kEdgeTolerance of the world boundary's outline.
    bool IsOnWorldOutline(const VoVector2& aPoint) const;

    VoString fId;
    float fRelativeZ = 0.0f;
    bool fActive = true;
    bool fEffectiveActive = true;
    bool fActiveDirty = true;
    bool fVisible = true;
    bool fEffectiveVisible = true;
    bool fVisibleDirty = true;
    bool fEnabled = true;
    bool fEffectiveEnabled = true;
    bool fEnabledDirty = true;
    float fEffectiveBlend = 1.0f;
    float fBlend = 1.0f;
    bool fBlendDirty = true;
    float fRotation = 0.0f;
    float fEffectiveRotation = 0.0f;
    bool fRotationDirty = true;
    VoVector2 fScale{1.0f, 1.0f};
    VoVector2 fEffectiveScale{1.0f, 1.0f};
    bool fScaleDirty = true;
    VoVector2 fPosition;
    VoMatrix fWorldTransform;
    VoMatrix fLocalTransform;
    bool fWorldTransformDirty = true;
    bool fLocalTransformDirty = true;
    VoVector2 fCenter;
    VoDisplayGroup* fpGroup = nullptr;     // not owned: the group owns this object
    VoPolygon* fpBoundary = nullptr;       // owned
    VoPolygon* fpWorldBoundary = nullptr;  // owned, y up
    bool fBoundaryDirty = true;
    VoRectangle* fpRectangle = nullptr;       // owned
    VoRectangle* fpWorldRectangle = nullptr;  // owned
    bool fRectangleDirty = true;
    bool fTrackInvalidation = false;
    bool fTrackDestroy = false;
    bool fTrackRender = false;
    bool fUnscaled = false;
    bool fPixelSnap = false;
};
