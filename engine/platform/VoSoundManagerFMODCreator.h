#pragma once
// Makes the sound manager under the id "soundmanager", initialised once here
// and again by the object manager.
#include "object/VoServiceCreator.h"
#include "platform/VoSoundManagerFMOD.h"

class VoSoundManagerFMODCreator
    : public VoServiceCreator<VoSoundManagerFMOD, VoServiceInit::kInitializeWithZero> {
public:
    static constexpr const char16_t* kId = u"soundmanager";

    VoSoundManagerFMODCreator() : VoServiceCreator(kId, "VoSoundManagerFMODCreator") {}
};
