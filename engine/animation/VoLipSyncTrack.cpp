#include "animation/VoLipSyncTrack.h"

#include <cmath>
#include <cstring>

#include "animation/VoAnimationTrack.h"
#include "container/VoHashKeyList.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "stdlib/VoIStream.h"

namespace {

const char16_t* const kChannelNames[VoLipSyncTrack::kChannelCount] = {
    u"Phoneme_Bump",    u"Phoneme_Cage",       u"Phoneme_Church", u"Phoneme_Earth", u"Phoneme_Eat",
    u"Phoneme_Fave",    u"Phoneme_If",         u"Phoneme_New",    u"Phoneme_Oat",   u"Phoneme_Ox",
    u"Phoneme_Roar",    u"Phoneme_Size",       u"Phoneme_Though", u"Phoneme_Told",  u"Phoneme_Wet",
    u"Viseme_Blink",    u"Viseme_EB_Down",     u"Viseme_EB_Up",   u"Viseme_Anger",  u"Viseme_Disgust",
    u"Viseme_Frown",    u"Viseme_Happy",       u"Viseme_Sad",     u"Viseme_Smile",  u"Viseme_Squint",
    u"Viseme_Surprise", u"Viseme_Tightlipped",
};

// A copy of aCount floats (at least one slot, so a block always comes back).
float* CopyKeys(std::int32_t aCount, const float* apKeys) {
    float* keys = VO_NEW float[aCount > 0 ? static_cast<std::size_t>(aCount) : 1u];
    if (keys != nullptr && aCount > 0) {
        std::memcpy(keys, apKeys, static_cast<std::size_t>(aCount) * sizeof(float));
    }
    return keys;
}

bool ReadFloats(VoIStream* apStream, std::int32_t aCount, float* apOut) {
    for (std::int32_t i = 0; i < aCount; ++i) {
        if (!apStream->ReadFloat(&apOut[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

VoLipSyncTrack::~VoLipSyncTrack() {
    delete[] fpTimes;
    delete[] fpValues;
}

const char16_t* VoLipSyncTrack::GetChannelName(std::int32_t aChannel) {
    return aChannel >= 0 && aChannel < kChannelCount ? kChannelNames[aChannel] : nullptr;
}

std::int32_t VoLipSyncTrack::ChannelOf(const VoString& aName) {
    for (std::int32_t i = 0; i < kChannelCount; ++i) {
        if (aName.Equals(kChannelNames[i])) {
            return i;
        }
    }
    return kNoChannel;
}

void VoLipSyncTrack::SetId(const VoString& aId) {
    fId = aId;
    fHash = VoHashKeyList::Hash(aId, kHashShift, false);
    fChannel = ChannelOf(aId);
}

void VoLipSyncTrack::AdoptKeys(std::int32_t aCount, float* apTimes, float* apValues) {
    delete[] fpTimes;
    delete[] fpValues;
    fKeyCount = aCount;
    fpTimes = apTimes;
    fpValues = apValues;
}

bool VoLipSyncTrack::SetKeys(std::int32_t aCount, const float* apTimes, const float* apValues) {
    if (aCount < 0 || (aCount > 0 && (apTimes == nullptr || apValues == nullptr))) {
        VO_ERROR(kSetKeysFailure);
        return false;
    }
    if (aCount == 0) {
        AdoptKeys(0, nullptr, nullptr);
        return true;
    }
    float* times = CopyKeys(aCount, apTimes);
    float* values = CopyKeys(aCount, apValues);
    if (times == nullptr || values == nullptr) {
        delete[] times;
        delete[] values;
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    AdoptKeys(aCount, times, values);
    return true;
}

bool VoLipSyncTrack::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    VoString id;
    std::uint32_t hash = 0;
    std::int32_t channel = kNoChannel;
    std::int32_t keyCount = 0;
    if (!apStream->ReadString(&id) || !apStream->ReadUInt(&hash) || !apStream->ReadInt(&channel) ||
        !apStream->ReadInt(&keyCount)) {
        return false;
    }
    if (channel < kNoChannel || channel >= kChannelCount) {
        VO_ERROR(kInvalidChannel, channel);
        return false;
    }
    if (keyCount < 0) {
        VO_ERROR(kInvalidKeyCount, keyCount);
        return false;
    }
    if (!VoAnimationTrack::Fits(apStream, static_cast<std::uint64_t>(keyCount) * kKeyBytes)) {
        VO_ERROR(kKeysRefused);
        return false;
    }
    float* times = nullptr;
    float* values = nullptr;
    if (keyCount > 0) {
        times = VO_NEW float[static_cast<std::size_t>(keyCount)];
        values = VO_NEW float[static_cast<std::size_t>(keyCount)];
        if (times == nullptr || values == nullptr) {
            delete[] times;
            delete[] values;
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
        if (!ReadFloats(apStream, keyCount, times) || !ReadFloats(apStream, keyCount, values)) {
            delete[] times;
            delete[] values;
            return false;
        }
    }
    fId = id;
    fHash = hash;
    fChannel = channel;
    AdoptKeys(keyCount, times, values);
    return true;
}

bool VoLipSyncTrack::Write(VoIStream* apStream) const {
    if (apStream == nullptr) {
        return false;
    }
    bool ok = apStream->WriteString(fId);
    ok = apStream->WriteUInt(fHash) && ok;
    ok = apStream->WriteInt(fChannel) && ok;
    ok = apStream->WriteInt(fKeyCount) && ok;
    for (std::int32_t i = 0; i < fKeyCount; ++i) {
        ok = apStream->WriteFloat(fpTimes[i]) && ok;
    }
    for (std::int32_t i = 0; i < fKeyCount; ++i) {
        ok = apStream->WriteFloat(fpValues[i]) && ok;
    }
    return ok;
}

float VoLipSyncTrack::Interpolate(float aTime0, float aValue0, float aTime1, float aValue1, float aNow) {
    const double span = static_cast<double>(aTime1) - aTime0;
    double weight = aValue1;
    if (span > 0.0) {
        double fraction = (static_cast<double>(aNow) - aTime0) / span;
        // Written so that a fraction that is not a number becomes 0 too.
        if (!(fraction > 0.0)) {
            fraction = 0.0;
        } else if (fraction > 1.0) {
            fraction = 1.0;
        }
        weight = aValue0 + (static_cast<double>(aValue1) - aValue0) * fraction;
    }
    const float result = static_cast<float>(weight);
    return std::isfinite(result) ? result : 0.0f;
}

bool VoLipSyncTrack::Sample(float aNow, std::int32_t* apCursor, float* apWeight) const {
    if (apCursor == nullptr || apWeight == nullptr || fKeyCount <= 0) {
        return false;
    }
    const std::int32_t last = fKeyCount - 1;
    std::int32_t cursor = *apCursor;
    if (cursor < 0) {
        cursor = 0;
    } else if (cursor > last) {
        cursor = last;
    }
    while (cursor < last && aNow >= fpTimes[cursor + 1]) {
        ++cursor;
    }
    *apCursor = cursor;
    if (cursor == last) {
        return false;
    }
    *apWeight =
        Interpolate(fpTimes[cursor], fpValues[cursor], fpTimes[cursor + 1], fpValues[cursor + 1], aNow);
    return true;
}
