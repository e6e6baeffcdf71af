#pragma once
// The walk listener of scene navigation (MGNavigation): told once when the
// walk it asked for ends (OnArrived), or when the walker comes within the
// asked distance of the target (OnNear), then forgotten. Both are called
// with an empty string.
class VoString;

class MGIListener {
public:
    virtual ~MGIListener() = default;
    virtual void OnArrived(const VoString& aId) = 0;
    virtual void OnNear(const VoString& aId) { (void)aId; }
};
