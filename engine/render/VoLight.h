#pragma once
// A light as the rasterizer takes it (VoIRasterizer::SetLight). A plain
// record: the rasterizer copies it into the device's light on every call.
#include <cstdint>

#include "container/VoColor.h"
#include "geometry/VoVector3.h"

class VoLight {
public:
    // Light types, the values of fType.
    static constexpr std::int32_t kPoint = 0;
    static constexpr std::int32_t kSpot = 1;
    static constexpr std::int32_t kDirectional = 2;

    // Degrees to radians as SetTheta and SetPhi use it (a float constant, not pi / 180).
    static constexpr float kDegreesToRadians = 0.017453f;

    explicit VoLight(std::int32_t aType = kPoint) : fType(aType) {}

    // Store the cone angle given in degrees as radians.
    void SetTheta(float aDegrees) { fTheta = aDegrees * kDegreesToRadians; }
    void SetPhi(float aDegrees) { fPhi = aDegrees * kDegreesToRadians; }

    std::int32_t fType;
    VoColor fDiffuse{1.0f, 0.0f, 0.0f, 0.0f};
    VoColor fSpecular{1.0f, 0.0f, 0.0f, 0.0f};
    VoColor fAmbient{1.0f, 0.0f, 0.0f, 0.0f};
    VoVector3 fPosition{0.0f, 0.0f, 0.0f};
    VoVector3 fDirection{0.0f, -1.0f, 0.0f};
    float fStartRange = 0.0f;  // kept for the data files; the device never sees it
    float fRange = 1000.0f;
    float fFalloff = 1.0f;
    float fAttenuation0 = 1.0f;
    float fAttenuation1 = 0.0f;
    float fAttenuation2 = 0.0f;
    float fTheta = 0.52358997f;  // 30 degrees
    float fPhi = 0.78540027f;    // 45 degrees
};
