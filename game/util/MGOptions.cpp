#include "util/MGOptions.h"

#include <algorithm>
#include <cmath>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "stdlib/VoFileStream.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGOptions, MGCleanerHome> gInstance;

float ClampVolume(float aVolume) {
    return std::isnan(aVolume) ? MGOptions::kDefaultVolume : std::clamp(aVolume, 0.0f, 1.0f);
}

}  // namespace

MGOptions* MGOptions::GetInstance() {
    return gInstance.Get(
        [] {
            MGOptions* options = VO_NEW MGOptions();
            if (options != nullptr) {
                options->Load();
            }
            return options;
        },
        kCreationFailure);
}

MGOptions::MGOptions() : fSkillLevel(kDefaultSkillLevel), fOptions{}, fVolume(kDefaultVolume) {}

int MGOptions::GetOption(int aIndex) const {
    if (aIndex < 0 || aIndex >= kOptionCount) {
        VO_ERROR(kInvalidArg);
        return 0;
    }
    return fOptions[aIndex];
}

bool MGOptions::SetOption(int aIndex, int aValue) {
    if (aIndex < 0 || aIndex >= kOptionCount) {
        VO_ERROR(kInvalidArg);
        return false;
    }
    fOptions[aIndex] = aValue;
    return true;
}

void MGOptions::SetVolume(float aVolume) {
    fVolume = ClampVolume(aVolume);
}

bool MGOptions::Load() {
    VoFileStream stream(VoString(kPath), true);
    if (!stream.SetMode(VoFileStream::kModeRead) || !stream.Open()) {
        VO_ERROR(kLoadOpenFailure);
        return false;
    }
    const bool read = Read(&stream);
    stream.Close();
    if (!read) {
        VO_ERROR(kLoadReadFailure);
    }
    return read;
}

bool MGOptions::Save() {
    if (!VoFileStream::WriteFile(this, VoString(kPath), true)) {
        VO_ERROR(kSaveOpenFailure);
        return false;
    }
    return true;
}

bool MGOptions::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    std::int32_t skillLevel = 0;
    std::int32_t options[kOptionCount] = {};
    float volume = 0.0f;
    bool read = apStream->ReadInt(&skillLevel);
    for (int i = 0; read && i < kOptionCount; ++i) {
        read = apStream->ReadInt(&options[i]);
    }
    if (!read || !apStream->ReadFloat(&volume)) {
        return false;
    }
    fSkillLevel = std::clamp(skillLevel, 0, kMaxSkillLevel);
    std::copy(options, options + kOptionCount, fOptions);
    fVolume = ClampVolume(volume);
    return true;
}

bool MGOptions::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool written = apStream->WriteInt(fSkillLevel);
    for (int i = 0; written && i < kOptionCount; ++i) {
        written = apStream->WriteInt(fOptions[i]);
    }
    return written && apStream->WriteFloat(fVolume);
}

VoString MGOptions::ToString() const {
    return VoDebugString("MGOptions", this);
}
