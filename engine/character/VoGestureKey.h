#pragma once
// One key of a gesture file: at its time after Play it starts its animation
// on one character as a blending layer, and its control points (x seconds
// since the key started, y the position in the animation from 0 to 1) make
// the curve that drives the layer's time from then on.
#include <cstdint>

#include "container/VoString.h"

class VoAnimation;
class VoVector2;

class VoGestureKey {
public:
    VoGestureKey() = default;
    // Deletes the control points.
    ~VoGestureKey();
    VoGestureKey(const VoGestureKey&) = delete;
    VoGestureKey& operator=(const VoGestureKey&) = delete;

    // Replaces the control points by copies of aCount points (none for 0 or
    // null). False, with none, when memory runs out.
    bool SetControlPoints(std::int32_t aCount, const VoVector2* apPoints);
    std::int32_t GetControlPointCount() const { return fControlPointCount; }
    // Null without control points.
    const VoVector2* GetControlPoints() const { return fpControlPoints; }

    float fTime = 0.0f;                  // seconds after Play
    VoString fAnimationPath;             // the animation cache's id of the animation
    VoAnimation* fpAnimation = nullptr;  // owned by the animation cache; null when not loaded
    float fLength = 0.0f;                // the animation's length in seconds
    VoString fCharacterId;               // lower case

private:
    VoVector2* fpControlPoints = nullptr;  // owned
    std::int32_t fControlPointCount = 0;
};
