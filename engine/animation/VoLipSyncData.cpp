#include "animation/VoLipSyncData.h"

#include "animation/VoAnimationTrack.h"
#include "animation/VoLipSyncTrack.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "memory/VoNew.h"
#include "stdlib/VoMemoryStream.h"

namespace {

constexpr double kMillisecondsPerSecond = 1000.0;
constexpr double kPercent = 100.0;

// The number of pieces of a times or values list, checked against the key
// count: a list of a different length is asserted, a shorter one also cuts
// the count and, for a file that names its sound, gets the two plain lines.
void CheckListLength(std::int32_t aLength, const char* apAssertion, const char* apLine, bool aHasSound,
                     const VoString& aSound, std::int32_t aEntry, std::int32_t* apCount) {
    if (aLength == *apCount) {
        return;
    }
    VO_ASSERT_FAILURE(apAssertion);
    if (aLength < *apCount) {
        *apCount = aLength;
        if (aHasSound) {
            VoLog::Report(VoString(VoLipSyncData::kDataErrorLine));
            VoLog::Report(VoLipSyncData::ShortListLine(apLine, aSound, aEntry));
        }
    }
}

}  // namespace

VoLipSyncData::VoLipSyncData() : fTrackCount(0), fpTracks(nullptr) {}

VoLipSyncData::~VoLipSyncData() {
    delete[] fpTracks;
}

void VoLipSyncData::AdoptTracks(VoLipSyncTrack* apTracks, std::int32_t aCount) {
    delete[] fpTracks;
    fpTracks = apTracks;
    fTrackCount = apTracks != nullptr ? aCount : 0;
}

const VoLipSyncTrack* VoLipSyncData::GetTrack(std::int32_t aIndex) const {
    if (fpTracks == nullptr || aIndex < 0 || aIndex >= fTrackCount) {
        return nullptr;
    }
    return &fpTracks[aIndex];
}

VoString VoLipSyncData::ShortListLine(const char* apText, const VoString& aSound, std::int32_t aEntry) {
    VoString line(apText);
    // A name of four units or fewer is all ending: only ".dat" is left.
    const std::int32_t kept = aSound.GetLength() - 4;
    if (kept > 0) {
        line.Append(aSound.SubString(0, kept));
    }
    line.Append(kDatEnding);
    line.Append(kKeyNumber);
    line.Append(static_cast<std::int64_t>(aEntry) + 1);
    return line;
}

bool VoLipSyncData::LoadFile(bool aSerialised, const VoString& aPath, bool aMapToNative) {
    if (aSerialised) {
        VoMemoryStream stream(kLoadCapacity, VoMemoryStream::kGrowDouble);
        if (!stream.CreateFromFile(aPath, aMapToNative)) {
            VO_ASSERT_FAILURE(kCouldNotOpen, aPath);
            return false;
        }
        return Read(&stream);
    }
    VoPropertyList list;
    if (!list.Load(aPath, aMapToNative)) {
        VO_ASSERT_FAILURE(kCouldNotOpen, aPath);
        return false;
    }
    return Load(&list);
}

bool VoLipSyncData::Load(VoPropertyList* apList) {
    if (apList == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    bool hasSound = false;
    const VoString sound = apList->GetString(VoString(kSoundKey), &hasSound);
    VoPropertyList* phonemes = apList->GetList(VoString(kPhonemesKey));
    if (phonemes == nullptr) {
        VO_ASSERT_FAILURE(kPhonemesNotFound);
    }
    const std::int32_t count = phonemes != nullptr ? phonemes->GetCount() : 0;
    if (count < 1) {
        VO_ASSERT_FAILURE(kNoEntries);
        AdoptTracks(nullptr, 0);
        return true;
    }
    VoLipSyncTrack* tracks = VO_NEW VoLipSyncTrack[static_cast<std::size_t>(count)];
    if (tracks == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        AdoptTracks(nullptr, 0);
        return true;
    }
    AdoptTracks(tracks, count);
    for (std::int32_t i = 0; i < count; ++i) {
        LoadEntry(phonemes->GetListAt(i), i, hasSound, sound, &fpTracks[i]);
    }
    return true;
}

void VoLipSyncData::LoadEntry(VoPropertyList* apEntry, std::int32_t aIndex, bool aHasSound,
                              const VoString& aSound, VoLipSyncTrack* apTrack) {
    VoPropertyList none;
    VoPropertyList* entry = apEntry != nullptr ? apEntry : &none;
    bool found = false;
    apTrack->SetId(entry->GetString(VoString(kIdKey), &found));
    if (!found) {
        VO_ASSERT_FAILURE(kIdNotFound);
    }
    if (apTrack->GetChannel() == VoLipSyncTrack::kNoChannel) {
        VO_ASSERT_FAILURE(kInvalidType);
    }
    std::int32_t count = entry->GetInt(VoString(kNumKeysKey), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNumKeysNotFound);
    }
    if (count <= 0) {
        return;
    }
    const VoVectorFloat times = entry->GetVectorFloat(VoString(kTimesKey), &found);
    CheckListLength(times.GetCount(), kInvalidTimes, kTimesLine, aHasSound, aSound, aIndex, &count);
    const VoVectorFloat values = entry->GetVectorFloat(VoString(kValuesKey), &found);
    CheckListLength(values.GetCount(), kInvalidValues, kValuesLine, aHasSound, aSound, aIndex, &count);

    // The count is now no more than either list holds, so the arrays are
    // bounded by the file, whatever "numkeys" said.
    const std::int32_t keys = count + 1;
    float* keyTimes = VO_NEW float[static_cast<std::size_t>(keys)];
    float* keyValues = VO_NEW float[static_cast<std::size_t>(keys)];
    if (keyTimes != nullptr && keyValues != nullptr) {
        keyTimes[0] = 0.0f;
        keyValues[0] = 0.0f;
        for (std::int32_t k = 0; k < count; ++k) {
            float time = 0.0f;
            float value = 0.0f;
            times.GetAt(k, &time);
            values.GetAt(k, &value);
            keyTimes[k + 1] = static_cast<float>(time / kMillisecondsPerSecond);
            keyValues[k + 1] = static_cast<float>(value / kPercent);
        }
        apTrack->SetKeys(keys, keyTimes, keyValues);
    } else {
        VO_ERROR(VoLipSyncTrack::kCouldNotAllocate);
    }
    delete[] keyTimes;
    delete[] keyValues;
}

bool VoLipSyncData::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    std::int32_t count = 0;
    if (!apStream->ReadInt(&count)) {
        VO_ERROR(kTruncated);
        return false;
    }
    if (count < 1) {
        return true;
    }
    if (!VoAnimationTrack::Fits(apStream,
                                static_cast<std::uint64_t>(count) * VoLipSyncTrack::kMinTrackBytes)) {
        VO_ERROR(kTracksRefused, count);
        return false;
    }
    VoLipSyncTrack* tracks = VO_NEW VoLipSyncTrack[static_cast<std::size_t>(count)];
    if (tracks == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        if (!tracks[i].Read(apStream)) {
            delete[] tracks;
            VO_ERROR(kTruncated);
            return false;
        }
    }
    AdoptTracks(tracks, count);
    return true;
}

bool VoLipSyncData::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool ok = apStream->WriteInt(fTrackCount);
    for (std::int32_t i = 0; i < fTrackCount; ++i) {
        ok = fpTracks[i].Write(apStream) && ok;
    }
    return ok;
}
