#pragma once
// What the animation fuzz targets share: the stream a run reads from and
// the checks every animation a reader accepted must pass.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "FuzzSupport.h"

#include "animation/VoAnimation.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoAnimationSlot.h"
#include "animation/VoAnimationTrack.h"
#include "stdlib/VoMemoryStream.h"

inline void RequireAnimation(bool aCondition) {
    if (!aCondition) {
        std::abort();
    }
}

// The bytes a writer put into aStream.
inline bool SameBytes(VoMemoryStream& aA, VoMemoryStream& aB) {
    return aA.GetPosition() == aB.GetPosition() &&
           (aA.GetPosition() == 0 || std::memcmp(aA.GetBuffer(), aB.GetBuffer(), aA.GetPosition()) == 0);
}

// Every key a sampler could ask for, at the times around the end of the
// animation, through a controller slot of each end rule.
inline void SampleEveryTrack(VoAnimation& aAnimation) {
    static const std::uint32_t kFlags[] = {0, VoAnimationSlot::kLoop, VoAnimationSlot::kClamp};
    const float times[] = {-1.0f, 0.0f, 0.5f, 1.0e9f, static_cast<float>(aAnimation.GetLength())};
    for (std::uint32_t flags : kFlags) {
        for (float time : times) {
            VoAnimationSlot slot;
            slot.fpAnimation = &aAnimation;
            slot.fFlags = flags;
            slot.fTime = time;
            const std::int32_t key = slot.SampleKeyIndex();
            RequireAnimation(aAnimation.HasFrames() ? key >= 0 : key == -1);
            for (std::uint32_t t = 0; t < aAnimation.GetTrackCount() && t < 64; ++t) {
                const VoAnimationTrack* track = aAnimation.GetTrack(t);
                const std::int32_t clamped = track->ClampKey(key);
                RequireAnimation(clamped < track->GetKeyCount());
                if (const VoQuaternion* rotation = track->GetRotationKey(clamped)) {
                    (void)rotation->w;
                }
                if (const VoVector3* position = track->GetPositionKey(clamped)) {
                    (void)position->z;
                }
            }
        }
    }
    RequireAnimation(aAnimation.GetTrack(aAnimation.GetTrackCount()) == nullptr);
}

// The serialised form written, read back and written again gives the same
// bytes.
inline void RequireSerialisedRoundTrip(VoAnimation& aAnimation) {
    VoMemoryStream first(4, VoMemoryStream::kGrowDouble);
    RequireAnimation(aAnimation.Write(&first));
    VoMemoryStream back(4, VoMemoryStream::kGrowDouble);
    RequireAnimation(
        first.GetPosition() == 0 ||
        back.CreateFromBuffer(static_cast<std::int32_t>(first.GetPosition()), first.GetBuffer()));
    VoAnimation copy;
    RequireAnimation(copy.Read(&back));
    VoMemoryStream second(4, VoMemoryStream::kGrowDouble);
    RequireAnimation(copy.Write(&second));
    RequireAnimation(SameBytes(first, second));
}
