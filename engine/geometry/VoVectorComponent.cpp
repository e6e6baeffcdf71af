#include "geometry/VoVectorComponent.h"

#include <cstdint>

#include "container/VoLog.h"
#include "stdlib/VoIStream.h"

float VoComponentAt(const float* apComponents, int aCount, int aIndex) {
    if (aIndex < 0 || aIndex >= aCount) {
        VO_ERROR("Index out of bounds.");
        return 0.0f;
    }
    return apComponents[aIndex];
}

bool VoReadComponents(VoIStream* apStream, float* apOut, int aCount) {
    // One message for a missing stream, not one per component.
    if (apStream == nullptr) {
        VO_ERROR(VoIStream::kNullStream);
        return false;
    }
    if (aCount > 0 && apStream->ReadWordRun(apOut, static_cast<std::uint32_t>(aCount))) {
        return true;
    }
    bool all = true;
    for (int i = 0; i < aCount; ++i) {
        all = apStream->ReadFloat(&apOut[i]) && all;
    }
    return all;
}

bool VoWriteComponents(VoIStream* apStream, const float* apComponents, int aCount) {
    if (apStream == nullptr) {
        VO_ERROR(VoIStream::kNullStream);
        return false;
    }
    bool all = true;
    for (int i = 0; i < aCount; ++i) {
        all = apStream->WriteFloat(apComponents[i]) && all;
    }
    return all;
}
