#pragma once
// The steering as the character and the navigation debug display see it: the
// walker's facing on the ground, (x, y, 0) with y the world z, and its
// position, which the ground navigation holds. VoSteeringTDO is the one
// implementation; it turns and moves the walker towards the navigation's
// next point every frame.
#include "geometry/VoVector3.h"

class VoINavigation;
class VoVector2;

class VoISteering {
public:
    static constexpr const char* kSetNavigationNullArg = "SetNavigation failure. NULL arg.";
    // Facing vectors shorter than this (squared) become (0, 1, 0).
    static constexpr float kDirectionTolerance = 0.0001f;

    // Standing, facing (0, 1, 0), speed 0, no navigation.
    VoISteering() = default;
    // Leaves the navigation alone: its maker deletes it (see SetNavigation).
    virtual ~VoISteering() = default;
    VoISteering(const VoISteering&) = delete;
    VoISteering& operator=(const VoISteering&) = delete;

    // The unit facing (x, y, 0).
    virtual VoVector3& GetDirection() { return fDirection; }
    // The navigation's position; false, apOut untouched, without a navigation.
    virtual bool GetPosition(VoVector3* apOut);
    // (x, y, 0) made unit length; a near-zero vector faces (0, 1, 0). True.
    virtual bool SetDirection(const VoVector2& aDirection);
    // Stores the flag; always true.
    virtual bool SetActive(bool aActive);
    // Deletes the navigation held so far (unless it is the one given) and
    // keeps apNavigation; null is refused and keeps the old one.
    virtual bool SetNavigation(VoINavigation* apNavigation);
    virtual bool Update() = 0;

    VoINavigation* GetNavigation() const { return fpNavigation; }
    // Ground units per second.
    float GetSpeed() const { return fSpeed; }
    bool IsActive() const { return fActive; }

protected:
    VoINavigation* fpNavigation = nullptr;  // owned until replaced; not deleted by the destructor
    float fSpeed = 0.0f;
    VoVector3 fDirection{0.0f, 1.0f, 0.0f};
    bool fActive = false;
};
