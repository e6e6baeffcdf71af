#include "platform/VoSoundManagerFMOD.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "platform/VoSoundPlayerFMOD.h"
#include "platform/port/VoSoundMixer.h"

VoSoundManagerFMOD::VoSoundManagerFMOD() : VoSoundManagerFMOD(&VoSoundMixer::Get()) {}

VoSoundManagerFMOD::VoSoundManagerFMOD(VoISoundSystem* apSystem)
    : fpSystem(apSystem != nullptr ? apSystem : &VoSoundMixer::Get()) {
    // When not even the stand-in output opens, the mixer still holds and
    // steps sounds for whoever pulls them; nothing more can be done here.
    fpSystem->Init(kOutputRate, kChannels);
}

VoSoundManagerFMOD::~VoSoundManagerFMOD() {
    fpSystem->Close();
}

VoString VoSoundManagerFMOD::ToString() const {
    return VoDebugString("VoSoundManagerFMOD", this);
}

VoISoundPlayer* VoSoundManagerFMOD::CreateSample(const VoString& aName, const VoString& aPath) {
    VoSoundPlayerFMOD* player = VO_NEW VoSoundPlayerFMOD(aName, fpSystem);
    if (player == nullptr || !player->LoadSample(aPath)) {
        VO_ERROR(kCreateSampleFailure, aPath);
        delete player;
        return nullptr;
    }
    return player;
}

VoISoundPlayer* VoSoundManagerFMOD::CreateStream(const VoString& aName, const VoString& aPath) {
    VoSoundPlayerFMOD* player = VO_NEW VoSoundPlayerFMOD(aName, fpSystem);
    if (player == nullptr || !player->OpenStream(aPath)) {
        VO_ERROR(kCreateStreamFailure, aPath);
        delete player;
        return nullptr;
    }
    return player;
}
