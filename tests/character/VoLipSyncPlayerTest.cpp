#include "character/VoLipSyncPlayer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "CharacterTestSupport.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoLipSyncData.h"
#include "animation/VoLipSyncTrack.h"
#include "character/VoLipSyncNode.h"
#include "container/VoPropertyList.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/SceneTestSupport.h"
#include "support/ScopedEngine.h"
#include "system/VoIFileSystem.h"

namespace {

constexpr float kPi = 3.14159265f;
const std::string kAssert = "ASSERT FAILURE: ";

// Lip-sync data from the text of a ".dat" file.
VoLipSyncData* DataOf(const char16_t* apText) {
    VoPropertyList list;
    list.Parse(VoString(apText));
    auto* data = new VoLipSyncData();
    EXPECT_TRUE(data->Load(&list));
    return data;
}

// One channel, Phoneme_Eat, with the keys (0, 0), (0.2, 0.5), (0.4, 0).
constexpr const char16_t* kEatLine =
    u"phonemes\n\t0\n\t\tid=Phoneme_Eat\n\t\tnumkeys=2\n\t\ttimes=200|400\n\t\tvalues=50|0\n";

// The skinned model with a controller and the player on one timer; the
// Phoneme_Eat pose turns the jaw a quarter turn about x and puts it at
// (0, -2, -1).
class VoLipSyncPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fElement->SetAnimationCtrl(new VoAnimationCtrl(&fTimer));
        VoAnimation* pose = MadeAnimation(u"eat", 1, {u"Jaw"});
        pose->GetTrack(0)->GetRotationKeys()[0] = AboutX(kPi / 2);
        pose->GetTrack(0)->GetPositionKeys()[0] = VoVector3(0, -2, -1);
        ASSERT_TRUE(fPlayer.SetPose(VoLipSyncTrack::ChannelOf(VoString(u"Phoneme_Eat")), pose));
        ASSERT_TRUE(fPlayer.SetDrawElement(fElement.get()));
        fElement->SetLipSyncPlayer(&fPlayer);
    }
    void TearDown() override { fElement->SetLipSyncPlayer(nullptr); }

    // Advances the timer to aSeconds and updates the model.
    void At(double aSeconds) {
        fTimer.fNow = aSeconds;
        fElement->Update(nullptr);
    }
    VoFrame* Jaw() { return fElement->FindFrame(VoString(u"Jaw"), false); }

    SetTimer fTimer;
    std::unique_ptr<VoDrawElement> fElement{SkinnedModel()};
    VoLipSyncPlayer fPlayer{&fTimer};
};

}  // namespace

TEST_F(VoLipSyncPlayerTest, TheWeightBetweenTwoKeysTurnsTheFrameBeforeItIsPlaced) {
    ASSERT_TRUE(fPlayer.SetData(DataOf(kEatLine)));
    fPlayer.Play();
    // 0.1 s: a quarter of the way from 0 to 0.5, so w = 0.25 of the quarter turn.
    At(0.1);
    EXPECT_TRUE(MatrixNear(Jaw()->GetRelativeMatrix(), TurnedAboutX(kPi / 8, 0, -2, -1)));
    // The jaw is placed after the pose: under the head at (0, 15, 0).
    EXPECT_TRUE(MatrixNear(Jaw()->GetAbsoluteMatrix(), TurnedAboutX(kPi / 8, 0, 13, -1)));
    // 0.2 s: the key itself, w = 0.5.
    At(0.2);
    EXPECT_TRUE(MatrixNear(Jaw()->GetRelativeMatrix(), TurnedAboutX(kPi / 4, 0, -2, -1)));
    // Past the last key the channel no longer poses: the jaw keeps its file matrix.
    At(0.5);
    EXPECT_TRUE(MatrixNear(Jaw()->GetRelativeMatrix(), Translation(0, -1, -1)));
    EXPECT_TRUE(fPlayer.IsPlaying());
}

TEST_F(VoLipSyncPlayerTest, PauseHoldsTheClockAndStopStartsAgainFromTheFirstKey) {
    // Keys at 0, 0.5, 1.5 and 2.5 s.
    ASSERT_TRUE(
        fPlayer.SetData(DataOf(u"phonemes\n\t0\n\t\tid=Phoneme_Eat\n\t\tnumkeys=3\n"
                               u"\t\ttimes=500|1500|2500\n\t\tvalues=100|0|100\n")));
    fPlayer.Play();
    At(1.0);
    EXPECT_EQ(fPlayer.GetCursor(0), 1);
    EXPECT_TRUE(fPlayer.Pause());
    // Paused: nothing moves, however long the wall clock runs.
    At(3.0);
    EXPECT_EQ(fPlayer.GetCursor(0), 1);
    EXPECT_TRUE(MatrixNear(Jaw()->GetRelativeMatrix(), Translation(0, -1, -1)));
    // Play goes on from 1.0 s, not from the wall time.
    fPlayer.Play();
    At(3.0);
    EXPECT_EQ(fPlayer.GetCursor(0), 1);
    At(3.6);  // 1.6 s into the line
    EXPECT_EQ(fPlayer.GetCursor(0), 2);

    EXPECT_TRUE(fPlayer.Stop());
    EXPECT_FALSE(fPlayer.IsPlaying());
    EXPECT_EQ(fPlayer.GetCursor(0), 0);
    fTimer.fNow = 5.0;
    fPlayer.Play();
    At(5.1);
    EXPECT_EQ(fPlayer.GetCursor(0), 0);
    // 0.1 s of the ramp from 0 to 1 over 0.5 s: w = 0.2.
    EXPECT_TRUE(MatrixNear(Jaw()->GetRelativeMatrix(), TurnedAboutX(0.2f * kPi / 2, 0, -2, -1)));
}

TEST_F(VoLipSyncPlayerTest, TracksWithoutAPoseAreReportedOnceAndPoseNothing) {
    VoAnimation* elsewhere = MadeAnimation(u"ox", 1, {u"NoSuchFrame"});
    elsewhere->GetTrack(0)->GetRotationKeys()[0] = AboutX(kPi / 2);
    ASSERT_TRUE(fPlayer.SetPose(VoLipSyncTrack::ChannelOf(VoString(u"Phoneme_Ox")), elsewhere));
    ASSERT_TRUE(
        fPlayer.SetData(DataOf(u"phonemes\n"
                               u"\t0\n\t\tid=Phoneme_Ox\n\t\tnumkeys=1\n\t\ttimes=1000\n\t\tvalues=100\n"
                               u"\t1\n\t\tid=Phoneme_Bump\n\t\tnumkeys=1\n\t\ttimes=1000\n\t\tvalues=100\n"
                               u"\t2\n\t\tid=Phoneme_Xyz\n\t\tnumkeys=1\n\t\ttimes=1000\n\t\tvalues=100\n")));
    LogCapture log;
    fPlayer.Play();
    for (double t : {0.1, 0.2, 0.3}) {
        At(t);
        // A pose whose tracks name no frame of the model leaves it alone.
        EXPECT_TRUE(MatrixNear(Jaw()->GetRelativeMatrix(), Translation(0, -1, -1), 0.0f));
    }
    // Phoneme_Bump (no pose loaded) and Phoneme_Xyz (no channel), once each.
    int reports = 0;
    for (const std::string& line : log.Lines()) {
        reports += IsLogLine(line, kAssert, VoLipSyncPlayer::kNoPose) ? 1 : 0;
    }
    EXPECT_EQ(reports, 2);
}

TEST_F(VoLipSyncPlayerTest, RefusedCallsLogAndChangeNothing) {
    LogCapture log;
    VoLipSyncPlayer player(&fTimer);
    player.Play();
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_TRUE(log.Logged(kAssert, VoLipSyncPlayer::kNoData));
    EXPECT_FALSE(player.SetData(nullptr));
    EXPECT_FALSE(player.SetDrawElement(nullptr));
    EXPECT_EQ(log.Count(VoLipSyncPlayer::kNullArg), 2);
    EXPECT_FALSE(player.SetPose(27, nullptr));
    EXPECT_FALSE(player.SetPose(-1, nullptr));
    EXPECT_TRUE(player.Update());
}

TEST(VoLipSyncPlayer, LoadsTheDataAndTheTwentySevenPosesFromTheirFolders) {
    ScopedEngine engine;
    PlatformTestFolder folder;
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    ASSERT_TRUE(files->Mount(VoString(u"//phonemes"), PlatformTestFolder::Wide(folder.Files())));
    ASSERT_TRUE(files->Mount(VoString(u"//dataroot"), VoString(VO_SOURCE_DIR "/data")));
    for (std::int32_t channel = 0; channel < VoLipSyncTrack::kChannelCount; ++channel) {
        folder.Write("ma/" + Narrow(VoString(VoLipSyncTrack::GetChannelName(channel))) + ".lia",
                     AsText(RawTwoTracks()));
    }

    VoLipSyncPlayer player;
    ASSERT_TRUE(player.LoadData(false, VoString(u"//dataroot/lipsync/sample_greeting.dat"), true));
    ASSERT_NE(player.GetData(), nullptr);
    EXPECT_GT(player.GetData()->GetTrackCount(), 10);
    EXPECT_EQ(player.GetCursor(0), 0);
    ASSERT_TRUE(player.LoadAnimations(VoString(u"//phonemes/ma"), true));
    EXPECT_EQ(TextOf(player.GetPose(26)->GetName()), u"//phonemes/ma/Viseme_Tightlipped.lia");

    // A missing pose file stops the loading there; the poses before it stay.
    std::remove(folder.Path("ma/Phoneme_Ox.lia").c_str());
    LogCapture log;
    EXPECT_FALSE(player.LoadAnimations(VoString(u"//phonemes/ma"), true));
    EXPECT_TRUE(log.Logged(kAssert, VoLipSyncPlayer::kAnimationNotFound));
    EXPECT_NE(player.GetPose(8), nullptr);
    EXPECT_EQ(player.GetPose(9), nullptr);
    EXPECT_EQ(player.GetPose(10), nullptr);

    // Data that does not load leaves the player without any.
    EXPECT_FALSE(player.LoadData(false, VoString(u"//dataroot/lipsync/missing.dat"), true));
    EXPECT_EQ(player.GetData(), nullptr);
    EXPECT_EQ(player.GetCursor(0), -1);
}

TEST(VoLipSyncNode, UpdatesAndSkinsEveryElement) {
    VoLipSyncNode node;
    VoDrawElement* first = SkinnedModel();
    VoDrawElement* second = SkinnedModel();
    ASSERT_TRUE(node.AddElement(first));
    ASSERT_TRUE(node.AddElement(second));
    const VoMatrix parent = Translation(100, 0, 0);
    ASSERT_TRUE(node.Update(&parent));
    ASSERT_TRUE(node.UpdateSkin());
    for (VoDrawElement* element : {first, second}) {
        EXPECT_TRUE(MatrixNear(element->FindFrame(VoString(u"Biped"), false)->GetAbsoluteMatrix(),
                               Translation(100, 10, 0)));
        // The cube's corner (-1, 1, -1) went with its bone: 100 along x.
        EXPECT_TRUE(PositionOf(element->GetMesh(0), 0) == VoVector3(99, 1, -1));
    }
}
