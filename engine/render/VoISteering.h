#pragma once
// What moves a walker over the ground: it follows a navigation (the walk's
// position, target and next point) and keeps a facing. Ground points are
// (x, y, 0) with y the world z; the engine character reads the position and
// facing every frame and swaps their second and third components to place
// its model. VoSteeringTDO is the implementation that turns and advances.
#include "geometry/VoVector3.h"

class VoINavigation;
class VoVector2;

class VoISteering {
public:
    static constexpr const char* kSetNavigationNullArg = "SetNavigation failure. NULL arg.";
    static constexpr float kDirectionTolerance = 0.0001f;

    // No navigation, speed 0, facing (0, 1, 0), inactive.
    VoISteering();
    // Leaves the navigation alone: its maker deletes it.
    virtual ~VoISteering();
    VoISteering(const VoISteering&) = delete;
    VoISteering& operator=(const VoISteering&) = delete;

    // The facing on the ground, (x, y, 0) of unit length.
    virtual VoVector3& GetDirection();
    // Copies the navigation's position; false without a navigation.
    virtual bool GetPosition(VoVector3* apOut);
    // The facing becomes (x, y, 0) at unit length; a vanishing one (0, 1, 0). True.
    virtual bool SetDirection(const VoVector2& aDirection);
    // Stores the flag; true.
    virtual bool SetActive(bool aActive);
    // Deletes the navigation held so far (unless it is the one given) and
    // keeps apNavigation; null: kSetNavigationNullArg asserted, false.
    virtual bool SetNavigation(VoINavigation* apNavigation);
    virtual bool Update() = 0;

    VoINavigation* GetNavigation() const { return fpNavigation; }
    float GetSpeed() const { return fSpeed; }
    bool IsActive() const { return fActive; }

protected:
    VoINavigation* fpNavigation = nullptr;  // owned until replaced; not deleted by the destructor
    float fSpeed = 0.0f;                    // ground units per second
    VoVector3 fDirection;
    bool fActive = false;
};
