#pragma once
// The three transforms the rasterizer needs for 3D drawing (world, view,
// projection) and the look-at and perspective parameters they are built
// from. Scenes make one per viewpoint; the pick ray and the navigation read
// its view and projection matrices.
//
// Usable at once: from (0, 0, -10) towards the origin, up (0, 1, 0), a
// vertical field of view of 0.785 radians at 4:3, depth 0.05..10000. Every
// setter rebuilds its matrix at once (left-handed look-at and perspective).
#include "container/VoBase.h"
#include "container/VoString.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoVector3.h"

class VoIRasterizer;

class VoCamera : public VoBase {
public:
    static constexpr float kDefaultAspect = 4.0f / 3.0f;
    static constexpr float kDefaultFovY = 0.785f;
    static constexpr float kDefaultNear = 0.05f;
    static constexpr float kDefaultFar = 10000.0f;

    VoCamera();
    ~VoCamera() override;
    VoCamera(const VoCamera&) = delete;
    VoCamera& operator=(const VoCamera&) = delete;

    // "[VoCamera <address>]".
    VoString ToString() const override;

    // Hands the world (kind 0), projection (2) and view (1) matrices to the
    // rasterizer in that order, making all three calls; true only when all
    // three succeed (false without a rasterizer).
    virtual bool Apply();
    // Each stores its vector and rebuilds the view; true.
    virtual bool SetPosition(float aX, float aY, float aZ);
    virtual bool SetTarget(float aX, float aY, float aZ);
    bool SetUp(float aX, float aY, float aZ);
    // Stores the aspect and rebuilds the projection; true.
    bool SetAspect(float aAspect);
    // Stores the three values and rebuilds the projection with the stored aspect; true.
    bool SetProjection(float aFovY, float aZNear, float aZFar);
    // SetProjection with the vertical field of view of the horizontal one at
    // the stored aspect: fovY = 2 atan(tan(fovX / 2) / aspect).
    bool SetProjectionFovX(float aFovX, float aZNear, float aZFar);

    VoMatrix* GetViewMatrix() { return &fView; }
    VoMatrix* GetProjectionMatrix() { return &fProjection; }
    const VoMatrix& GetWorldMatrix() const { return fWorld; }
    const VoVector3& GetPosition() const { return fEye; }
    const VoVector3& GetTarget() const { return fTarget; }
    const VoVector3& GetUp() const { return fUp; }
    float GetAspect() const { return fAspect; }
    float GetFovY() const { return fFovY; }
    float GetNear() const { return fNear; }
    float GetFar() const { return fFar; }
    const VoString& GetName() const { return fName; }
    void SetName(const VoString& aName) { fName = aName; }

private:
    void BuildView();
    void BuildProjection();

    VoString fName;
    VoMatrix fView;
    VoMatrix fProjection;
    VoMatrix fWorld;
    VoVector3 fEye{0.0f, 0.0f, -10.0f};
    VoVector3 fTarget{0.0f, 0.0f, 0.0f};
    VoVector3 fUp{0.0f, 1.0f, 0.0f};
    float fAspect = kDefaultAspect;
    float fFovY = kDefaultFovY;
    float fNear = kDefaultNear;
    float fFar = kDefaultFar;
    VoIRasterizer* fpRasterizer;  // not owned: the engine's rasterizer as found at construction
};
