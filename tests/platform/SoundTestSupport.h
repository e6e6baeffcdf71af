#pragma once
// What the sound manager and player tests share: an engine with "//sounds"
// mounted on a scratch folder, a mixer in pull mode that the test steps by
// hand, sine files made on the spot, and listeners that note what they hear.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/VoISoundListener.h"
#include "platform/port/VoSoundMixer.h"
#include "stdlib/VoFrameManager.h"
#include "stdlib/VoIFrameListener.h"
#include "support/PlatformTestFolder.h"
#include "support/ScopedEngine.h"
#include "support/SoundFiles.h"
#include "support/TestText.h"
#include "system/VoIFileSystem.h"

// Notes the name of every player whose sound ended, then runs its action.
class EndProbe : public VoISoundListener {
public:
    void OnSoundEnd(const VoString& aName) override {
        fNames.push_back(Narrow(aName));
        if (fAction) {
            fAction();
        }
    }
    std::vector<std::string> fNames;
    std::function<void()> fAction;
};

// Counts the frames it is called in.
class FrameProbe : public VoIFrameListener {
public:
    void OnUpdate() override { ++fCalls; }
    int fCalls = 0;
};

class SoundTest : public ::testing::Test {
protected:
    static constexpr int kRate = 44100;

    // aMixer: the mixer the sounds play on, put in pull mode and initialised.
    explicit SoundTest(VoSoundMixer& aMixer) : fMixer(aMixer) {}

    void SetUp() override {
        fMixer.SetUseDevice(false);
        ASSERT_TRUE(fMixer.Init(kRate, VoSoundMixer::kMaxChannels));
        VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
        ASSERT_NE(fileSystem, nullptr);
        ASSERT_TRUE(fileSystem->Mount(VoString("//sounds"), PlatformTestFolder::Wide(fFolder.Files())));
    }
    void TearDown() override { fMixer.Close(); }

    // A mono sine of 440 Hz and amplitude 0.8 under "//sounds"; its frames
    // are kept in fSource.
    VoString MakeSine(const std::string& aName, int aFrames, SoundFormat aFormat = SoundFormat::kWavFloat) {
        fSource = Sine(kRate, 1, aFrames, 440.0, 0.8);
        EXPECT_TRUE(WriteSoundFile(fFolder.Path(aName), aFormat, kRate, 1, fSource));
        return VoString(("//sounds/" + aName).c_str());
    }
    std::vector<float> Pull(int aFrames) {
        std::vector<float> out(static_cast<std::size_t>(aFrames) * 2);
        fMixer.Mix(out.data(), aFrames);
        return out;
    }
    void Frame() { ASSERT_TRUE(VoFrameManager::GetInstance()->Update()); }
    int FrameListeners() { return VoFrameManager::GetInstance()->GetListenerCount(); }

    ScopedEngine fEngine;
    PlatformTestFolder fFolder;
    VoSoundMixer& fMixer;
    std::vector<float> fSource;
};
