// Feeds arbitrary bytes to the lip-sync text reader: a property list (the
// text up to the first zero byte, as a file is read) handed to
// VoLipSyncData::Load. Every entry must become a track that samples safely
// and survives a round trip through the serialised form.
#include <cstddef>
#include <cstdint>

#include "container/VoPropertyList.h"
#include "support/LipSyncFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    VoPropertyList list;
    if (!ParseFuzzPropertyList(apData, aSize, 0x100000, &list)) {
        return 0;
    }
    VoLipSyncData data;
    RequireLipSync(data.Load(&list));
    VoPropertyList* phonemes = list.GetList(VoString(VoLipSyncData::kPhonemesKey));
    RequireLipSync(data.GetTrackCount() == (phonemes != nullptr ? phonemes->GetCount() : 0));
    for (std::int32_t t = 0; t < data.GetTrackCount(); ++t) {
        const VoLipSyncTrack* track = data.GetTrack(t);
        // The leading key is always (0, 0).
        if (track->GetKeyCount() > 0) {
            RequireLipSync(track->GetTimes()[0] == 0.0f && track->GetValues()[0] == 0.0f);
        }
    }
    SampleEveryTrack(data);
    RequireSerialisedRoundTrip(data);
    return 0;
}
