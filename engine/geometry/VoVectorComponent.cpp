#include "geometry/VoVectorComponent.h"

#include "container/VoLog.h"

float VoComponentAt(const float* apComponents, int aCount, int aIndex) {
    if (aIndex < 0 || aIndex >= aCount) {
        VO_ERROR("Index out of bounds.");
        return 0.0f;
    }
    return apComponents[aIndex];
}
