#include "platform/VoSoundManagerFMOD.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "SoundTestSupport.h"
#include "platform/VoISoundPlayer.h"
#include "platform/VoSoundManagerFMODCreator.h"
#include "platform/VoSoundPlayerFMOD.h"
#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoCleaner.h"
#include "support/LogCapture.h"

namespace {

// The engine's own manager, on the process-wide mixer in pull mode.
class VoSoundManagerFMODTest : public SoundTest {
protected:
    VoSoundManagerFMODTest() : SoundTest(VoSoundMixer::Get()) {}
};

}  // namespace

TEST_F(VoSoundManagerFMODTest, GetInstanceKeepsOneManagerUntilTheCleanerDeletesIt) {
    VoISoundManager* manager = VoISoundManager::GetInstance();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(VoISoundManager::GetInstance(), manager);
    EXPECT_EQ(Narrow(manager->ToString()), "[VoSoundManagerFMOD <" + HexAddress(manager) + ">]");
    EXPECT_TRUE(manager->Initialize(0));
    fEngine.ShutDown();
    EXPECT_EQ(VoISoundManager::GetInstance(), nullptr);
    // The fixture's own Init still holds the mixer open.
    EXPECT_TRUE(fMixer.IsInitialized());
}

TEST_F(VoSoundManagerFMODTest, TheCreatorMakesANewInitialisedManagerEachTime) {
    VoSoundManagerFMODCreator creator;
    EXPECT_EQ(Narrow(creator.GetId()), "soundmanager");
    EXPECT_EQ(Narrow(creator.ToString()), "[VoSoundManagerFMODCreator <" + HexAddress(&creator) + ">]");
    VoBase* first = creator.Create();
    VoBase* second = creator.Create();
    EXPECT_NE(dynamic_cast<VoSoundManagerFMOD*>(first), nullptr);
    EXPECT_NE(first, second);
    delete first;
    delete second;
    // Each manager opened the mixer and closed it again; the fixture's hold stays.
    EXPECT_TRUE(fMixer.IsInitialized());
}

TEST_F(VoSoundManagerFMODTest, CreateStreamAndCreateSampleGiveNamedPlayers) {
    VoISoundManager* manager = VoISoundManager::GetInstance();
    ASSERT_NE(manager, nullptr);
    std::unique_ptr<VoISoundPlayer> stream(
        manager->CreateStream(VoString("music"), MakeSine("music.ogg", 22050, SoundFormat::kOggVorbis)));
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(Narrow(stream->GetName()), "music");
    EXPECT_FLOAT_EQ(stream->GetLength(), 0.5f);
    std::unique_ptr<VoISoundPlayer> sample(
        manager->CreateSample(VoString("click"), MakeSine("click.wav", 441)));
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(Narrow(sample->GetName()), "click");
    EXPECT_FLOAT_EQ(sample->GetLength(), 0.01f);

    EndProbe ends;
    stream->SetListener(&ends);
    stream->Play();
    sample->Play();
    Pull(22050);
    Frame();
    EXPECT_EQ(ends.fNames, std::vector<std::string>{"music"});
    EXPECT_TRUE(sample->IsFinished());
    EXPECT_TRUE(fFolder.LogEmpty());
}

TEST_F(VoSoundManagerFMODTest, FilesThatCannotBeLoadedAreLoggedAndGiveNull) {
    VoISoundManager* manager = VoISoundManager::GetInstance();
    ASSERT_NE(manager, nullptr);
    fFolder.Write("broken.ogg", std::string("OggS") + std::string(200, '\x7f'));
    const char* const paths[] = {"//sounds/missing.wav", "//sounds/broken.ogg"};
    for (const char* path : paths) {
        EXPECT_EQ(manager->CreateSample(VoString("a"), VoString(path)), nullptr) << path;
        EXPECT_TRUE(fFolder.LoggedError(std::string(VoSoundManagerFMOD::kCreateSampleFailure) + path))
            << path;
        EXPECT_EQ(manager->CreateStream(VoString("b"), VoString(path)), nullptr) << path;
        EXPECT_TRUE(fFolder.LoggedError(std::string(VoSoundManagerFMOD::kCreateStreamFailure) + path))
            << path;
    }
}

TEST(VoISoundManager, WithoutItsCreatorThereIsNoManager) {
    // An engine started anew, whatever ran before in this process, but
    // without the start-up creators.
    VoCleaner::ResetEngineForTests();
    ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    LogCapture log;
    EXPECT_EQ(VoISoundManager::GetInstance(), nullptr);
    EXPECT_TRUE(log.Contains(std::string(VoObjectManager::kNoCreatorIndex) + "soundmanager"));
    EXPECT_TRUE(log.Contains(VoISoundManager::kCreationFailure));
    delete VoCleaner::PeekInstance();
}
