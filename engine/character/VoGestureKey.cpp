#include "character/VoGestureKey.h"

#include "geometry/VoVector2.h"
#include "memory/VoNew.h"

VoGestureKey::~VoGestureKey() {
    delete[] fpControlPoints;
    fpControlPoints = nullptr;
    fpAnimation = nullptr;
}

bool VoGestureKey::SetControlPoints(std::int32_t aCount, const VoVector2* apPoints) {
    delete[] fpControlPoints;
    fpControlPoints = nullptr;
    fControlPointCount = 0;
    if (aCount <= 0 || apPoints == nullptr) {
        return true;
    }
    fpControlPoints = VO_NEW VoVector2[static_cast<std::size_t>(aCount)];
    if (fpControlPoints == nullptr) {
        return false;
    }
    for (std::int32_t i = 0; i < aCount; ++i) {
        fpControlPoints[i] = apPoints[i];
    }
    fControlPointCount = aCount;
    return true;
}
