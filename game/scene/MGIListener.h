#pragma once
// Told by the scene navigation how a walk it was asked for went: OnArrived
// when the walk has ended, OnNear when the walker came within the distance
// asked for (MGNavigation::SetNotifyDistance). A listener is told once and
// then forgotten; both calls carry an empty string.
class VoString;

class MGIListener {
public:
    virtual ~MGIListener() = default;
    virtual void OnArrived(const VoString& aId) = 0;
    // Nothing unless overridden.
    virtual void OnNear(const VoString& aId) { (void)aId; }
};
