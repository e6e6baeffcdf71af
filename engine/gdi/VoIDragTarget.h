#pragma once
// A place that dragged display objects can be dropped on. A class that takes
// drops derives from it as an additional base, sets its boundary object (the
// display object whose hit boundary is the target's area) and registers with
// the drag manager (VoDragManager::AddDragTarget). While a VoDraggable is
// dragged, every move tells each target whether the pointer entered or left
// its boundary, and the release tells the targets under the pointer that the
// object was dropped on them.
#include "geometry/VoVector2.h"

class VoDraggable;
class VoIDisplayObject;

class VoIDragTarget {
public:
    static constexpr const char* kSetBoundaryNull = "SetBoundaryObject failure. NULL arg.";
    static constexpr const char* kBoundaryFailure = "SetDragged failure.";

    // The codes of OnDragEvent.
    static constexpr int kEntered = 0;
    static constexpr int kLeft = 1;
    static constexpr int kDropped = 2;

    VoIDragTarget(const VoIDragTarget&) = delete;
    VoIDragTarget& operator=(const VoIDragTarget&) = delete;

    // A target that takes the object places it and sets the draggable's
    // drop-accepted flag (VoDraggable::SetDropAccepted); otherwise the object
    // goes back where the drag began.
    virtual void OnDragEvent(int aCode, VoDraggable* apDragged) = 0;

    // Not owned; null is refused.
    bool SetBoundaryObject(VoIDisplayObject* apObject);
    VoIDisplayObject* GetBoundaryObject() const { return fpBoundaryObject; }
    // Whether the pointer was inside the boundary at the last move of a drag.
    bool IsPointerOver() const { return fPointerOver; }

    // The enter/leave test at the dragged object's last pointer position:
    // kLeft when the pointer went out of the boundary, kEntered when it came
    // in. False without a boundary object; true, the flag unchanged, while
    // the boundary object is not effectively active.
    bool SetDragged(VoDraggable* apDragged);
    // kDropped when the pointer is over the boundary; the flag stays. True.
    bool Drop(VoDraggable* apDragged);

protected:
    VoIDragTarget() = default;
    // Leaves the drag manager, so no drag reaches a deleted target.
    ~VoIDragTarget();

private:
    bool fPointerOver = false;
    VoIDisplayObject* fpBoundaryObject = nullptr;  // not owned
};
