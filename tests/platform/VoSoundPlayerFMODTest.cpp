#include "platform/VoSoundPlayerFMOD.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "SoundTestSupport.h"

namespace {

// Players on a mixer of their own, in pull mode.
class VoSoundPlayerFMODTest : public SoundTest {
protected:
    VoSoundPlayerFMODTest() : SoundTest(fOwnMixer) {}

    std::unique_ptr<VoSoundPlayerFMOD> Stream(int aFrames, const char* apName = "voice") {
        auto player = std::make_unique<VoSoundPlayerFMOD>(VoString(apName), &fMixer);
        EXPECT_TRUE(player->OpenStream(MakeSine("stream.wav", aFrames)));
        return player;
    }
    std::unique_ptr<VoSoundPlayerFMOD> Sample(int aFrames) {
        auto player = std::make_unique<VoSoundPlayerFMOD>(VoString("effect"), &fMixer);
        EXPECT_TRUE(player->LoadSample(MakeSine("sample.wav", aFrames)));
        return player;
    }

    VoSoundMixer fOwnMixer;
};

}  // namespace

TEST_F(VoSoundPlayerFMODTest, SetVolumeClampsTheScaleAndTruncatesIt) {
    auto player = Sample(44100);
    player->Play();
    ASSERT_GE(player->GetChannel(), 0);
    const struct {
        float fScale;
        int fVolume;
    } cases[] = {{1.5f, 255}, {-1.0f, 0},         {0.5f, 127},  {1.0f, 255},
                 {0.0f, 0},   {std::nanf(""), 0}, {0.999f, 254}};
    for (const auto& c : cases) {
        player->SetVolume(c.fScale);
        EXPECT_EQ(player->GetVolume(), c.fVolume) << c.fScale;
        EXPECT_EQ(fMixer.GetChannelVolume(player->GetChannel()), c.fVolume) << c.fScale;
    }
    // Kept for the next play.
    player->SetVolume(0.5f);
    player->Play();
    EXPECT_EQ(fMixer.GetChannelVolume(player->GetChannel()), 127);
}

TEST_F(VoSoundPlayerFMODTest, AStreamAtItsEndTellsItsListenerOnceInTheNextFrameAndEndsThatFrame) {
    auto player = Stream(1000);
    EndProbe ends;
    FrameProbe later;
    player->SetListener(&ends);
    ASSERT_TRUE(VoFrameManager::GetInstance()->AddListener(&later, 1.0f));
    player->Play();
    EXPECT_TRUE(player->IsRegistered());
    Frame();
    EXPECT_EQ(later.fCalls, 1);
    EXPECT_TRUE(ends.fNames.empty());

    Pull(1000);
    EXPECT_TRUE(ends.fNames.empty());
    Frame();
    EXPECT_EQ(ends.fNames, std::vector<std::string>{"voice"});
    EXPECT_EQ(later.fCalls, 1);
    EXPECT_FALSE(player->IsRegistered());
    Frame();
    Frame();
    EXPECT_EQ(ends.fNames.size(), 1u);
    EXPECT_EQ(later.fCalls, 3);
    EXPECT_TRUE(player->IsFinished());
    EXPECT_FLOAT_EQ(player->GetPosition(), player->GetLength());
    VoFrameManager::GetInstance()->RemoveListener(&later);
    EXPECT_TRUE(fFolder.LogEmpty());
}

TEST_F(VoSoundPlayerFMODTest, WithoutAListenerTheEndLeavesTheFrameGoingOn) {
    auto player = Stream(100);
    FrameProbe later;
    VoFrameManager::GetInstance()->AddListener(&later, 1.0f);
    player->Play();
    Pull(100);
    Frame();
    EXPECT_EQ(later.fCalls, 1);
    EXPECT_FALSE(player->IsRegistered());
    VoFrameManager::GetInstance()->RemoveListener(&later);
}

TEST_F(VoSoundPlayerFMODTest, ALoopingStreamSendsNoEndUntilItStopsLooping) {
    auto player = Stream(1000);
    EndProbe ends;
    player->SetListener(&ends);
    player->SetLoopCount(true);
    player->Play();
    for (int i = 0; i < 10; ++i) {
        Pull(1024);
        Frame();
    }
    EXPECT_TRUE(ends.fNames.empty());
    EXPECT_TRUE(player->IsRegistered());
    player->SetLoopCount(false);
    Pull(1000);
    Frame();
    EXPECT_EQ(ends.fNames.size(), 1u);
}

TEST_F(VoSoundPlayerFMODTest, PauseKeepsTheTimeAndStopGoesBackToTheStart) {
    auto player = Stream(44100);
    player->Play();
    Pull(4410);
    EXPECT_FLOAT_EQ(player->GetPosition(), 0.1f);
    player->Pause();
    EXPECT_FALSE(player->IsRegistered());
    EXPECT_FLOAT_EQ(player->GetPosition(), 0.1f);
    EXPECT_EQ(Pull(100), std::vector<float>(200, 0.0f));
    player->Play();
    EXPECT_TRUE(player->IsRegistered());
    EXPECT_FLOAT_EQ(Pull(1)[0], fSource[4410]);

    player->Stop();
    EXPECT_FALSE(player->IsRegistered());
    EXPECT_FLOAT_EQ(player->GetPosition(), 0.0f);
    EXPECT_FALSE(player->IsFinished());
    player->Play();
    EXPECT_FLOAT_EQ(Pull(2)[2], fSource[1]);
}

TEST_F(VoSoundPlayerFMODTest, AStreamThatRanToItsEndPlaysAgainFromItsStart) {
    auto player = Stream(1000);
    player->Play();
    Pull(500);
    player->Pause();
    player->Play();
    Pull(1000);
    Frame();
    EXPECT_TRUE(player->IsFinished());
    player->Play();
    EXPECT_FLOAT_EQ(Pull(2)[2], fSource[1]);
    EXPECT_FALSE(player->IsFinished());
}

TEST_F(VoSoundPlayerFMODTest, SeekMovesAPausedStreamAndIsClamped) {
    auto player = Stream(44100);
    player->Play();
    Pull(100);
    player->Pause();
    player->Seek(0.5f);
    EXPECT_FLOAT_EQ(player->GetPosition(), 0.5f);
    player->Play();
    EXPECT_FLOAT_EQ(Pull(1)[0], fSource[22050]);

    const struct {
        float fSeconds;
        float fPosition;
    } cases[] = {{-3.0f, 0.0f}, {std::nanf(""), 0.0f}, {1e12f, 1.0f}, {0.25f, 0.25f}};
    for (const auto& c : cases) {
        player->Seek(c.fSeconds);
        EXPECT_FLOAT_EQ(player->GetPosition(), c.fPosition) << c.fSeconds;
    }
}

TEST_F(VoSoundPlayerFMODTest, ASamplePlayedAgainRestartsOnOneChannel) {
    auto player = Sample(22050);
    EXPECT_FLOAT_EQ(player->GetLength(), 0.5f);
    player->Play();
    const std::int32_t first = player->GetChannel();
    Pull(11025);
    EXPECT_FLOAT_EQ(player->GetPosition(), 0.25f);
    EXPECT_NEAR(player->GetLevels(), 0.8f, 1e-3f);
    EXPECT_FALSE(player->IsFinished());
    EXPECT_FALSE(player->IsRegistered());

    player->Play();
    EXPECT_FALSE(fMixer.IsPlaying(first));
    EXPECT_EQ(fMixer.GetPlayingCount(), 1);
    EXPECT_FLOAT_EQ(Pull(2)[2], fSource[1]);

    Pull(22050);
    EXPECT_TRUE(player->IsFinished());
    EXPECT_FLOAT_EQ(player->GetLevels(), 0.0f);
    // A sample has no pause, and Stop silences it.
    player->Play();
    player->Pause();
    EXPECT_EQ(fMixer.GetPlayingCount(), 1);
    player->Stop();
    EXPECT_EQ(fMixer.GetPlayingCount(), 0);
    EXPECT_EQ(player->GetChannel(), -1);
}

TEST_F(VoSoundPlayerFMODTest, AnEmptyPlayerDoesNothingAndGivesZero) {
    VoSoundPlayerFMOD player(VoString("empty"), &fMixer);
    EndProbe ends;
    player.SetListener(&ends);
    player.Play();
    player.Pause();
    player.Seek(1.0f);
    player.SetLoopCount(true);
    player.SetVolume(0.5f);
    player.Reserved(7);
    player.Stop();
    player.Release();
    EXPECT_FLOAT_EQ(player.GetLength(), 0.0f);
    EXPECT_FLOAT_EQ(player.GetPosition(), 0.0f);
    EXPECT_FLOAT_EQ(player.GetLevels(), 0.0f);
    EXPECT_FALSE(player.IsFinished());
    EXPECT_FALSE(player.IsRegistered());
    EXPECT_EQ(Narrow(player.GetName()), "empty");
    EXPECT_EQ(Narrow(player.ToString()), "[VoSoundPlayerFMOD <" + HexAddress(&player) + ">]");
    EXPECT_TRUE(fFolder.LogEmpty());
}

TEST_F(VoSoundPlayerFMODTest, JoiningAndLeavingTheFramesTwiceLogsNothing) {
    auto player = Stream(44100);
    player->Play();
    player->Play();
    EXPECT_EQ(FrameListeners(), 1);
    player->Pause();
    player->Pause();
    player->Stop();
    EXPECT_EQ(FrameListeners(), 0);
    player->Play();
    player->Release();
    player->Release();
    EXPECT_EQ(FrameListeners(), 0);
    player->Play();
    EXPECT_EQ(FrameListeners(), 0);
    EXPECT_TRUE(fFolder.LogEmpty());
}

TEST_F(VoSoundPlayerFMODTest, APlayerDeletedWhilePlayingLeavesTheFramesAndFallsSilent) {
    auto player = Stream(44100);
    player->Play();
    EXPECT_EQ(FrameListeners(), 1);
    player.reset();
    EXPECT_EQ(FrameListeners(), 0);
    EXPECT_EQ(Pull(64), std::vector<float>(128, 0.0f));
    Frame();
    EXPECT_TRUE(fFolder.LogEmpty());
}

TEST_F(VoSoundPlayerFMODTest, AListenerMayDeleteThePlayerWhenItIsTold) {
    VoSoundPlayerFMOD* player = new VoSoundPlayerFMOD(VoString("doomed"), &fMixer);
    ASSERT_TRUE(player->OpenStream(MakeSine("doomed.wav", 500)));
    EndProbe ends;
    ends.fAction = [&player] {
        delete player;
        player = nullptr;
    };
    FrameProbe later;
    VoFrameManager::GetInstance()->AddListener(&later, 2.0f);
    player->SetListener(&ends);
    player->Play();
    Pull(500);
    Frame();
    EXPECT_EQ(player, nullptr);
    EXPECT_EQ(ends.fNames, std::vector<std::string>{"doomed"});
    EXPECT_EQ(later.fCalls, 0);
    EXPECT_EQ(FrameListeners(), 1);
    VoFrameManager::GetInstance()->RemoveListener(&later);
    EXPECT_TRUE(fFolder.LogEmpty());
}

TEST_F(VoSoundPlayerFMODTest, FilesThatCannotBeOpenedLeaveThePlayerEmpty) {
    fFolder.Write("noise.wav", "RIFF and then nothing that a decoder would take");
    VoSoundPlayerFMOD player(VoString("bad"), &fMixer);
    EXPECT_FALSE(player.OpenStream(VoString("//sounds/missing.ogg")));
    EXPECT_FALSE(player.LoadSample(VoString("//sounds/noise.wav")));
    EXPECT_FALSE(player.OpenStream(VoString("//sounds/noise.wav")));
    player.Play();
    EXPECT_FLOAT_EQ(player.GetLength(), 0.0f);
    EXPECT_FALSE(player.IsRegistered());
    // An engine path that names no mount says so, and still fails quietly otherwise.
    EXPECT_FALSE(player.LoadSample(VoString("//nowhere/x.wav")));
    EXPECT_TRUE(fFolder.LoggedError(std::string(VoIFileSystem::kMountUndefined) + "//nowhere"));
}

TEST_F(VoSoundPlayerFMODTest, OpeningAnotherStreamReplacesTheFirst) {
    auto player = Stream(1000);
    player->Play();
    ASSERT_TRUE(player->OpenStream(MakeSine("other.wav", 44100)));
    EXPECT_FALSE(player->IsRegistered());
    EXPECT_EQ(fMixer.GetPlayingCount(), 0);
    EXPECT_FLOAT_EQ(player->GetLength(), 1.0f);
}
