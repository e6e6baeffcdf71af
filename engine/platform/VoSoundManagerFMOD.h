#pragma once
// The sound manager on our mixer: 44,100 Hz stereo output over 32 channels,
// opened when the manager is made and closed when it is deleted.
#include <cstdint>

#include "platform/VoISoundManager.h"

class VoISoundSystem;

class VoSoundManagerFMOD : public VoISoundManager {
public:
    static constexpr char kCreateSampleFailure[] = "CreateSample failure: ";
    static constexpr char kCreateStreamFailure[] = "CreateStream failure: ";
    static constexpr std::int32_t kOutputRate = 44100;
    static constexpr std::int32_t kChannels = 32;

    // On the process-wide mixer.
    VoSoundManagerFMOD();
    // On apSystem (not owned, outlives the manager and every player it makes).
    explicit VoSoundManagerFMOD(VoISoundSystem* apSystem);
    ~VoSoundManagerFMOD() override;

    // "[VoSoundManagerFMOD <address>]".
    VoString ToString() const override;

    VoISoundPlayer* CreateSample(const VoString& aName, const VoString& aPath) override;
    VoISoundPlayer* CreateStream(const VoString& aName, const VoString& aPath) override;

    VoISoundSystem* GetSoundSystem() const { return fpSystem; }

private:
    VoISoundSystem* fpSystem;  // not owned
};
