#pragma once
// What the lip-sync fuzz targets share: the checks every lip-sync data a
// reader accepted must pass.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "FuzzSupport.h"
#include "animation/VoLipSyncData.h"
#include "animation/VoLipSyncTrack.h"
#include "stdlib/VoMemoryStream.h"

inline void RequireLipSync(bool aCondition) {
    if (!aCondition) {
        std::abort();
    }
}

// Every track keeps a channel that indexes the poses, and sampling it at
// times around its keys, with the cursor a player keeps, never leaves the
// keys nor gives a weight that is not finite.
inline void SampleEveryTrack(const VoLipSyncData& aData) {
    RequireLipSync(aData.GetTrackCount() >= 0);
    RequireLipSync(aData.GetTrack(aData.GetTrackCount()) == nullptr);
    const float times[] = {-1.0f, 0.0f, 0.05f, 0.5f, 1.0f, 2.5f, 1.0e9f};
    for (std::int32_t t = 0; t < aData.GetTrackCount() && t < 64; ++t) {
        const VoLipSyncTrack* track = aData.GetTrack(t);
        RequireLipSync(track != nullptr);
        RequireLipSync(track->GetChannel() >= VoLipSyncTrack::kNoChannel &&
                       track->GetChannel() < VoLipSyncTrack::kChannelCount);
        RequireLipSync(track->GetKeyCount() >= 0);
        RequireLipSync((track->GetKeyCount() == 0) == (track->GetTimes() == nullptr));
        std::int32_t cursor = 0;
        for (float now : times) {
            float weight = 0.0f;
            if (track->Sample(now, &cursor, &weight)) {
                RequireLipSync(std::isfinite(weight));
                RequireLipSync(cursor >= 0 && cursor < track->GetKeyCount() - 1);
            }
        }
    }
}

// The serialised form written, read back and written again gives the same
// bytes.
inline void RequireSerialisedRoundTrip(VoLipSyncData& aData) {
    VoMemoryStream first(4, VoMemoryStream::kGrowDouble);
    RequireLipSync(aData.Write(&first));
    VoMemoryStream back(4, VoMemoryStream::kGrowDouble);
    RequireLipSync(back.CreateFromBuffer(static_cast<std::int32_t>(first.GetPosition()), first.GetBuffer()));
    VoLipSyncData copy;
    RequireLipSync(copy.Read(&back));
    VoMemoryStream second(4, VoMemoryStream::kGrowDouble);
    RequireLipSync(copy.Write(&second));
    RequireLipSync(first.GetPosition() == second.GetPosition() &&
                   std::memcmp(first.GetBuffer(), second.GetBuffer(), first.GetPosition()) == 0);
}
