#include "movie/VoMovieManagerBink.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "MovieTestSupport.h"
#include "movie/VoMovieManagerBinkCreator.h"
#include "object/VoObjectManager.h"
#include "stdlib/VoCleaner.h"
#include "support/LogCapture.h"

namespace {

class VoMovieManagerBinkTest : public MovieTest {};

}  // namespace

TEST_F(VoMovieManagerBinkTest, GetInstanceKeepsOneManagerUntilTheCleanerDeletesIt) {
    // The engine's manager plays through the process-wide mixer: keep it
    // away from the audio device.
    VoSoundMixer::Get().SetUseDevice(false);
    VoIMovieManager* manager = VoIMovieManager::GetInstance();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(VoIMovieManager::GetInstance(), manager);
    EXPECT_EQ(Narrow(manager->ToString()), "[VoMovieManagerBink <" + HexAddress(manager) + ">]");
    EXPECT_TRUE(manager->Initialize(0));
    EXPECT_TRUE(VoSoundMixer::Get().IsInitialized());
    fEngine.ShutDown();
    EXPECT_EQ(VoIMovieManager::GetInstance(), nullptr);
    EXPECT_FALSE(VoSoundMixer::Get().IsInitialized());
}

TEST_F(VoMovieManagerBinkTest, TheCreatorMakesANewManagerEachTimeAndEachHoldsTheMixerOpen) {
    VoMovieManagerBinkCreator creator;
    EXPECT_EQ(Narrow(creator.GetId()), "moviemanager");
    EXPECT_EQ(Narrow(creator.ToString()), "[VoMovieManagerBinkCreator <" + HexAddress(&creator) + ">]");
    {
        VoSoundMixer mixer;
        mixer.SetUseDevice(false);
        VoMoviePlayerBink::Ports ports;
        ports.fpMixer = &mixer;
        {
            VoMovieManagerBink first(ports);
            VoMovieManagerBink second(ports);
            EXPECT_TRUE(mixer.IsInitialized());
        }
        EXPECT_FALSE(mixer.IsInitialized());
    }
    VoBase* first = creator.Create();
    VoBase* second = creator.Create();
    EXPECT_NE(dynamic_cast<VoMovieManagerBink*>(first), nullptr);
    EXPECT_NE(first, second);
    delete first;
    delete second;
}

TEST_F(VoMovieManagerBinkTest, MakesOpenPlayersOfBothKindsWithTheirIds) {
    VoMovieManagerBink manager(Ports());
    Make("intro.mkv", MovieSpec());
    std::unique_ptr<VoIMoviePlayer> full(
        manager.CreateFullScreenMovie(VoString("intro"), EnginePath("intro.mkv")));
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(Narrow(full->GetId()), "intro");
    EXPECT_EQ(full->GetTexture(), nullptr);
    auto* bink = dynamic_cast<VoMoviePlayerBink*>(full.get());
    ASSERT_NE(bink, nullptr);
    EXPECT_TRUE(bink->IsOpen());
    EXPECT_TRUE(bink->IsFullScreen());
    EXPECT_EQ(Narrow(bink->GetPath()), fFolder.Path("intro.mkv"));
    EXPECT_EQ(Narrow(bink->ToString()), "[VoMoviePlayerBink <" + HexAddress(bink) + ">]");

    std::unique_ptr<VoIMoviePlayer> texture(
        manager.CreateTextureMovie(VoString("fire"), EnginePath("intro.mkv")));
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(Narrow(texture->GetId()), "fire");
    ASSERT_NE(texture->GetTexture(), nullptr);
    EXPECT_EQ(texture->GetTexture()->GetWidth(), 32u);
    EXPECT_FALSE(dynamic_cast<VoMoviePlayerBink*>(texture.get())->IsFullScreen());

    ASSERT_TRUE(full->Play());
    full->Render(nullptr);
    EXPECT_EQ(fBlitter.fCalls.size(), 1u);
    EXPECT_TRUE(fFolder.LogEmpty());
}

TEST_F(VoMovieManagerBinkTest, AMissingFileGivesNullWithoutAMessageOfItsOwn) {
    VoMovieManagerBink manager(Ports());
    LogCapture log;
    EXPECT_EQ(manager.CreateFullScreenMovie(VoString("none"), EnginePath("none.mkv")), nullptr);
    EXPECT_EQ(manager.CreateTextureMovie(VoString("none"), EnginePath("none.mkv")), nullptr);
    // The file system reports the missing file; the manager adds nothing.
    EXPECT_EQ(log.Count("FileExists failure."), 2);
    EXPECT_EQ(log.Lines().size(), 2u);
}

TEST_F(VoMovieManagerBinkTest, AFileThatCannotBeOpenedIsLoggedWithItsNativePath) {
    VoMovieManagerBink manager(Ports());
    fFolder.Write("broken.mkv", std::string("\x1a\x45\xdf\xa3") + std::string(300, '\x7f'));
    MovieSpec wide;
    wide.width = 300;
    wide.frames = 1;
    Make("wide.mkv", wide);
    sLimits.fMaxWidth = 256;
    const int textures = RecordingTexture::LiveCount();
    struct Case {
        const char* file;
        bool fullScreen;
        const char* failure;
    };
    const Case cases[] = {
        {"broken.mkv", true, VoMovieManagerBink::kCreateFullScreenFailure},
        {"broken.mkv", false, VoMovieManagerBink::kCreateTextureFailure},
        {"wide.mkv", false, VoMovieManagerBink::kCreateTextureFailure},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        LogCapture log;
        const VoString path = EnginePath(c.file);
        VoIMoviePlayer* player = c.fullScreen ? manager.CreateFullScreenMovie(VoString("x"), path)
                                              : manager.CreateTextureMovie(VoString("x"), path);
        EXPECT_EQ(player, nullptr);
        EXPECT_EQ(log.Lines().size(), 1u);
        EXPECT_TRUE(log.Logged("ERROR: ", c.failure + fFolder.Path(c.file)));
    }
    EXPECT_EQ(RecordingTexture::LiveCount(), textures);
    // Too wide for a texture, but not for the screen.
    std::unique_ptr<VoIMoviePlayer> full(
        manager.CreateFullScreenMovie(VoString("x"), EnginePath("wide.mkv")));
    EXPECT_NE(full, nullptr);
}

TEST(VoIMovieManager, WithoutItsCreatorThereIsNoManager) {
    VoCleaner::ResetEngineForTests();
    ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    LogCapture log;
    EXPECT_EQ(VoIMovieManager::GetInstance(), nullptr);
    EXPECT_TRUE(log.Contains(std::string(VoObjectManager::kNoCreatorIndex) + "moviemanager"));
    EXPECT_TRUE(log.Contains(VoIMovieManager::kCreationFailure));
    delete VoCleaner::PeekInstance();
}
