#pragma once
// Moves one display object with the pointer. Its owner calls BeginDrag when
// the drag starts (a press on the object, say), UpdateDrag on every pointer
// move and EndDrag at the release. Each move is reported to the drag manager
// (VoDragManager), which asks every drop target (VoIDragTarget) whether the
// pointer entered or left it; the release drops the object on the targets
// under the pointer. When none of them accepts it, the object goes back to
// where it was when the drag began.
//
// The object keeps its grip point under the pointer: the pointer's offset
// from the object's position (in the frame of the object's group) is taken
// at BeginDrag and kept. A drag begins at the first move after BeginDrag,
// and only while the draggable is enabled.
#include "container/VoString.h"
#include "geometry/VoVector2.h"

class VoIDisplayObject;

class VoDraggable {
public:
    static constexpr const char* kSetObjectNull = "SetDisplayObject failure. NULL arg.";

    // Disabled, without an object.
    VoDraggable() = default;
    VoDraggable(const VoDraggable&) = delete;
    VoDraggable& operator=(const VoDraggable&) = delete;
    virtual ~VoDraggable() = default;

    // The object that moves (not owned); null is refused.
    bool SetDisplayObject(VoIDisplayObject* apObject);
    VoIDisplayObject* GetDisplayObject() const { return fpObject; }
    // True.
    bool SetEnabled(bool aEnabled);
    bool IsEnabled() const { return fEnabled; }
    void SetId(const VoString& aId) { fId = aId; }
    const VoString& GetId() const { return fId; }

    // Holds the object: notes where it is in its group and the pointer's
    // offset from there. False, nothing done, without an object.
    bool BeginDrag();
    // Moves the object with the pointer and reports the move, once the drag
    // has begun. True while disabled or not dragging; false without an
    // object.
    bool UpdateDrag();
    // Drops the object on the targets under the pointer; sends it home
    // unless one accepted it. True when no drag was under way; false
    // without an object.
    bool EndDrag();

    void GetLastMousePosition(VoVector2& aOut) const { aOut = fLastPointer; }
    bool IsHeld() const { return fHeld; }
    bool IsMoving() const { return fMoving; }
    // Set by a target's drop handler after it has placed the object where it
    // wants it; EndDrag clears it.
    void SetDropAccepted(bool aAccepted) { fDropAccepted = aAccepted; }
    bool IsDropAccepted() const { return fDropAccepted; }
    // The object's position in its group when the drag began.
    const VoVector2& GetHomePosition() const { return fHome; }

private:
    // The world position of the object's group; (0, 0) without a group.
    VoVector2 GroupOrigin() const;
    static VoVector2 PointerPosition();

    VoString fId;
    bool fHeld = false;
    VoVector2 fLastPointer;
    bool fEnabled = false;
    bool fMoving = false;
    VoIDisplayObject* fpObject = nullptr;  // not owned
    VoVector2 fOffset;
    bool fDropAccepted = false;
    VoVector2 fHome;
};
