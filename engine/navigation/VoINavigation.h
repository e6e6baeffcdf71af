#pragma once
// The ground navigation as the steering and the scene navigation see it: where
// the walker stands, where the walk goes and the point to walk towards this
// frame, all ground points held as (x, y, 0) with y the world z; the
// path-finding web it routes over; and the listener told when a walk ends.
// VoNavigationTDO is the one implementation.
#include "geometry/VoVector3.h"

class VoINavigationListener;
class VoIPathFinding;

class VoINavigation {
public:
    static constexpr const char* kSetPathFindingNullArg = "SetPathFinding failure. NULL arg.";
    static constexpr const char* kSetListenerNullArg = "SetListener failure. NULL arg.";

    VoINavigation() = default;
    // Leaves the path finding alone: its maker deletes it (see SetPathFinding).
    virtual ~VoINavigation() = default;
    VoINavigation(const VoINavigation&) = delete;
    VoINavigation& operator=(const VoINavigation&) = delete;

    virtual VoIPathFinding* GetPathFinding() { return fpPathFinding; }
    // Clears the listener only when it is apListener; true when it was.
    virtual bool RemoveListener(VoINavigationListener* apListener);
    // Stores the flag; always true.
    virtual bool SetActive(bool aActive);
    // Not owned; null is refused.
    virtual bool SetListener(VoINavigationListener* apListener);
    // Deletes the path finding held so far (unless it is the one given) and
    // keeps apPathFinding; null is refused and keeps the old one.
    virtual bool SetPathFinding(VoIPathFinding* apPathFinding);
    virtual bool SetPosition(const VoVector3& aPosition);
    virtual bool SetTarget(const VoVector3& aTarget);
    virtual void Update() = 0;

    const VoVector3& GetPosition() const { return fPosition; }
    const VoVector3& GetTarget() const { return fTarget; }
    const VoVector3& GetNextPoint() const { return fNextPoint; }
    bool IsActive() const { return fActive; }
    VoINavigationListener* GetListener() const { return fpListener; }

protected:
    VoVector3 fPosition;
    VoVector3 fTarget;
    VoVector3 fNextPoint;
    VoIPathFinding* fpPathFinding = nullptr;  // owned until replaced; not deleted by the destructor
    bool fActive = false;
    VoINavigationListener* fpListener = nullptr;  // not owned
};
