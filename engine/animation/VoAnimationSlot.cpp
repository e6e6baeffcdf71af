#include "animation/VoAnimationSlot.h"

#include <cstdint>

#include "animation/VoAnimation.h"

namespace {

// Far beyond any frame count, and still exact in a double and an int64.
constexpr double kMaxKeyIndex = 4.0e18;

}  // namespace

void VoAnimationSlot::Clear() {
    fpAnimation = nullptr;
    fEnded = 0;
}

void VoAnimationSlot::SetTime(float aTime, bool aAlsoPrevious) {
    fTime = aTime;
    if (aAlsoPrevious) {
        fPrevTime = aTime;
    }
}

std::int32_t VoAnimationSlot::SampleKeyIndex() {
    if (fpAnimation == nullptr || !fpAnimation->HasFrames()) {
        return -1;
    }
    fEnded = 0;
    const double scaled = static_cast<double>(GetAnimTime()) * kKeysPerSecond;
    std::int64_t key = 0;
    if (scaled >= kMaxKeyIndex) {
        key = static_cast<std::int64_t>(kMaxKeyIndex);
    } else if (scaled > 0.0) {
        key = static_cast<std::int64_t>(scaled);
    }
    const std::int64_t frames = fpAnimation->GetFrameCount();
    if (key >= frames - 1) {
        if ((fFlags & kClamp) != 0) {
            key = frames - 1;
        } else {
            fEnded = 1;
            if ((fFlags & kLoop) != 0) {
                fTime = 0.0f;
            } else {
                fTime = fPrevTime;
                fFlags |= kHoldTime;
            }
            key %= frames;
        }
    }
    // Frame counts above 2^31 name keys no track can hold: the track's own
    // limit takes over from here.
    return key > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(key);
}
