#include "character/VoGesturePlayer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CharacterTestSupport.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoGestureAnimManager.h"
#include "character/VoCharacter.h"
#include "character/VoGestureCurve.h"
#include "character/VoGestureKey.h"
#include "character/VoIGestureListener.h"
#include "container/VoPropertyList.h"
#include "stdlib/VoFrameManager.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/ScopedEngine.h"
#include "system/VoIFileSystem.h"

namespace {

const std::string kAssert = "ASSERT FAILURE: ";

// One entry of "keys"; a null value leaves its line out.
std::string Key(const std::string& aName, const char* apTime, const char* apCharacter, const char* apType,
                const char* apCurve) {
    std::string text = "\t" + aName + "\n";
    const std::pair<const char*, const char*> values[] = {
        {"time", apTime}, {"character", apCharacter}, {"type", apType}, {"curve", apCurve}};
    for (const auto& value : values) {
        if (value.second != nullptr) {
            text += std::string("\t\t") + value.first + "=" + value.second + "\n";
        }
    }
    return text;
}

class CountingListener : public VoIGestureListener {
public:
    void OnGestureEnd() override { ++fEnds; }
    int fEnds = 0;
};

// An engine with "//animations" on a scratch folder holding ma_point for
// both genders (2 s male, 1 s female) and sa_wave for men only (2 s), and
// characters with the skinned model on the test's timer.
class VoGesturePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        VoIFileSystem* files = VoIFileSystem::GetInstance();
        ASSERT_TRUE(files != nullptr &&
                    files->Mount(VoString(u"//animations"), PlatformTestFolder::Wide(fFolder.Files())));
        fFolder.Write("ma_M/ma_point.lia1", AsText(SerialisedAnimationFile(u"point male", 60)));
        fFolder.Write("ma_F/ma_point.lia1", AsText(SerialisedAnimationFile(u"point female", 30)));
        fFolder.Write("sa_M/sa_wave.lia1", AsText(SerialisedAnimationFile(u"wave male", 60)));
    }

    VoCharacter* NewCharacter(bool aFemale) {
        fCharacters.push_back(std::make_unique<VoCharacter>());
        VoCharacter* character = fCharacters.back().get();
        VoDrawElement* element = SkinnedModel();
        element->SetAnimationCtrl(new VoAnimationCtrl(&fTimer));
        EXPECT_TRUE(character->AddElement(element));
        character->SetFemale(aFemale);
        return character;
    }

    static bool Load(VoGesturePlayer& aPlayer, const std::string& aKeys) {
        VoPropertyList list;
        list.Parse(VoString(("keys\n" + aKeys).c_str()));
        return aPlayer.Load(&list);
    }

    // One frame at aSeconds: the frame manager's listeners, then every
    // character's model.
    void Frame(double aSeconds) {
        fTimer.fNow = aSeconds;
        VoFrameManager::GetInstance()->Update();
        for (auto& character : fCharacters) {
            character->Update(nullptr);
        }
    }

    static std::u16string PathOf(const VoGesturePlayer& aPlayer, int aKey) {
        return TextOf(aPlayer.GetKey(aKey)->fAnimationPath);
    }
    static std::u16string NameOf(const VoGesturePlayer& aPlayer, int aKey) {
        const VoAnimation* animation = aPlayer.GetKey(aKey)->fpAnimation;
        return animation != nullptr ? TextOf(animation->GetName()) : u"(none)";
    }

    ScopedEngine fEngine;
    PlatformTestFolder fFolder;
    SetTimer fTimer;
    std::vector<std::unique_ptr<VoCharacter>> fCharacters;
};

}  // namespace

TEST(VoGesturePlayer, TypesBecomeCachePathsUnderTheHeadAndGender) {
    struct Case {
        const char16_t* type;
        bool female;
        const char16_t* path;
    };
    const Case cases[] = {
        {u"ma_point.lia1", false, u"/ma_M/ma_point.lia1"},
        {u"ma_point.lia1", true, u"/ma_F/ma_point.lia1"},
        {u"/ma_M/ma_point.lia1", true, u"/ma_F/ma_point.lia1"},
        {u"/sa_F/ma_point.lia1", false, u"/ma_M/ma_point.lia1"},
        {u"//animations/ma_M/ma_point.lia1", true, u"//animations/ma_M/ma_point.lia1"},
    };
    for (const Case& c : cases) {
        VoString path;
        EXPECT_TRUE(VoGesturePlayer::AnimationPathOf(VoString(c.type), c.female, path));
        EXPECT_EQ(TextOf(path), c.path) << Narrow(VoString(c.type));
    }
    // A "/" type too short to hold its folder names no animation.
    VoString path(u"stale");
    EXPECT_FALSE(VoGesturePlayer::AnimationPathOf(VoString(u"/ma_M"), false, path));
    EXPECT_EQ(path.GetLength(), 0);
}

TEST_F(VoGesturePlayerTest, KeysTakeTheGenderOfTheirCharacter) {
    VoGesturePlayer player(&fTimer);
    ASSERT_TRUE(player.SetCharacter(VoString(u"Ann"), NewCharacter(true)));
    ASSERT_TRUE(player.SetCharacter(VoString(u"bob"), NewCharacter(false)));
    LogCapture log;
    ASSERT_TRUE(Load(player, Key("a", "0", "ANN", "ma_point.lia1", "0|0|1|1|2|1|3|0") +
                                 Key("b", "0", "Bob", "ma_point.lia1", "0|0|1|1|2|1|3|0") +
                                 Key("c", "0", "Tom", "ma_point.lia1", "0|0|1|1|2|1|3|0") +
                                 Key("d", "0", "Ann", "//animations/ma_M/ma_point.lia1", "0|0|1|1|2|1|3|0") +
                                 Key("e", "0", "Zed", "/sa_M/sa_wave.lia1", "0|0|1|1|2|1|3|0") +
                                 Key("f", "0", "Ann", "/ma_M", "0|0|1|1|2|1|3|0")));
    ASSERT_EQ(player.GetKeyCount(), 6);
    EXPECT_EQ(PathOf(player, 0), u"/ma_F/ma_point.lia1");  // bound female before the load
    EXPECT_EQ(NameOf(player, 0), u"point female");
    EXPECT_EQ(player.GetKey(0)->fLength, 1.0f);
    EXPECT_EQ(PathOf(player, 1), u"/ma_M/ma_point.lia1");
    EXPECT_EQ(PathOf(player, 2), u"/ma_M/ma_point.lia1");  // unbound
    EXPECT_EQ(PathOf(player, 3), u"//animations/ma_M/ma_point.lia1");
    EXPECT_EQ(NameOf(player, 3), u"point male");
    EXPECT_EQ(PathOf(player, 4), u"/sa_M/sa_wave.lia1");
    EXPECT_EQ(PathOf(player, 5), u"");
    EXPECT_EQ(NameOf(player, 5), u"(none)");
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoGesturePlayer::kTypeTooShort) + "/ma_M"));
    EXPECT_TRUE(player.IsLoaded());

    // Bound after the load: the keys take the character's gender where that
    // file is there, and keep what they had where it is not.
    EXPECT_TRUE(player.SetCharacter(VoString(u"tom"), NewCharacter(true)));
    EXPECT_EQ(PathOf(player, 2), u"/ma_F/ma_point.lia1");
    EXPECT_EQ(NameOf(player, 2), u"point female");
    EXPECT_TRUE(player.SetCharacter(VoString(u"Zed"), NewCharacter(true)));
    EXPECT_EQ(PathOf(player, 4), u"/sa_M/sa_wave.lia1");
    EXPECT_EQ(NameOf(player, 4), u"wave male");
    // Engine paths are never rewritten.
    EXPECT_EQ(PathOf(player, 3), u"//animations/ma_M/ma_point.lia1");

    EXPECT_FALSE(player.SetCharacter(VoString(u"ANN"), NewCharacter(false)));
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoGesturePlayer::kDuplicateId) + "ANN"));
}

TEST_F(VoGesturePlayerTest, EveryBoundIdIsFoundWhateverTheOrderOfTheirHashes) {
    // Bound in both orders: an id whose hash sorts below an earlier one's
    // must be found as well.
    const std::vector<std::vector<const char16_t*>> orders = {
        {u"alice", u"bob", u"carol", u"dave", u"Eve"},
        {u"Eve", u"dave", u"carol", u"bob", u"alice"},
        {u"carol", u"alice", u"Eve", u"bob", u"dave"},
    };
    for (const auto& order : orders) {
        VoGesturePlayer player(&fTimer);
        std::vector<VoCharacter*> bound;
        for (const char16_t* id : order) {
            bound.push_back(NewCharacter(false));
            EXPECT_TRUE(player.SetCharacter(VoString(id), bound.back())) << Narrow(VoString(id));
        }
        for (std::size_t i = 0; i < order.size(); ++i) {
            EXPECT_EQ(player.GetCharacter(VoString(order[i])), bound[i]) << Narrow(VoString(order[i]));
        }
        LogCapture log;
        EXPECT_FALSE(player.SetCharacter(VoString(order.front()), NewCharacter(false)));
        EXPECT_TRUE(log.Logged(kAssert,
                               std::string(VoGesturePlayer::kDuplicateId) + Narrow(VoString(order.front()))));
    }
}

TEST_F(VoGesturePlayerTest, TheDefaultCurveRunsATwoSecondAnimationForwardAndBack) {
    VoCharacter* ann = NewCharacter(false);
    VoGesturePlayer player(&fTimer);
    ASSERT_TRUE(player.SetCharacter(VoString(u"ann"), ann));
    CountingListener listener;
    ASSERT_TRUE(player.SetListener(&listener));
    EXPECT_FALSE(player.SetListener(&listener));
    ASSERT_TRUE(Load(player, Key("0", "0", "ann", "ma_point.lia1", nullptr)));
    // (0, 0), (0, 0), (2, 1), (2, 1), (2.5, 1), (2.5, 0), (3, 0): two segments.
    ASSERT_EQ(player.GetKey(0)->GetControlPointCount(), 7);
    EXPECT_EQ(player.GetCurve(0)->GetSampleCount(), 202);
    // The question of the length did not keep the animation in the cache
    // under another load: the key holds the one LoadAnims made.
    EXPECT_EQ(VoGestureAnimManager::GetInstance()->GetAnimation(VoString(u"/ma_M/ma_point.lia1")),
              player.GetKey(0)->fpAnimation);

    VoAnimation* point = player.GetKey(0)->fpAnimation;
    const int frameListeners = VoFrameManager::GetInstance()->GetListenerCount();
    player.Play();
    EXPECT_EQ(VoFrameManager::GetInstance()->GetListenerCount(), frameListeners + 1);
    struct Step {
        double at;
        float layerTime;
    };
    // Up over 2 s, back down within the next second.
    const Step steps[] = {{0.0, 0.0f}, {1.0, 1.0f}, {2.0, 2.0f}, {2.5, 1.0f}, {2.99, 0.0f}};
    for (const Step& step : steps) {
        Frame(step.at);
        VoAnimationSlot* slot = ann->GetAnimationCtrl()->FindSlot(point);
        ASSERT_NE(slot, nullptr) << step.at;
        EXPECT_EQ(ann->GetAnimationCtrl()->FindSlotIndex(point), 1);
        EXPECT_EQ(slot->fFlags & VoCharacter::kGestureFlags & ~VoAnimationSlot::kFadeIn,
                  VoCharacter::kGestureFlags & ~VoAnimationSlot::kFadeIn);
        EXPECT_NEAR(slot->GetTime(), step.layerTime, 0.05f) << step.at;
    }
    EXPECT_EQ(listener.fEnds, 0);
    // The curve has ended: the layer is finished, fades out, and the player ends.
    Frame(3.05);
    EXPECT_EQ(player.GetActiveKeyCount(), 0);
    EXPECT_EQ(listener.fEnds, 1);
    EXPECT_EQ(VoFrameManager::GetInstance()->GetListenerCount(), frameListeners);
    EXPECT_NE(ann->GetAnimationCtrl()->FindSlot(point)->fFlags & VoAnimationSlot::kFadeOut, 0u);
    Frame(3.4);
    EXPECT_EQ(ann->GetAnimationCtrl()->FindSlot(point), nullptr);
    EXPECT_EQ(listener.fEnds, 1);
    EXPECT_TRUE(player.RemoveListener(&listener));
    EXPECT_FALSE(player.RemoveListener(&listener));
}

TEST_F(VoGesturePlayerTest, KeysStartAtTheirTimeAndFollowTheirCurve) {
    VoCharacter* ann = NewCharacter(false);
    VoGesturePlayer player(&fTimer);
    ASSERT_TRUE(player.SetCharacter(VoString(u"ann"), ann));
    // Four points, one segment: forward and back within 3 s.
    ASSERT_TRUE(Load(player, Key("late", "1500", "ann", "ma_point.lia1", "0|0|1|1|2|1|3|0") +
                                 Key("nobody", "1600", "ghost", "ma_point.lia1", "0|0|1|1|2|1|3|0")));
    EXPECT_EQ(player.GetCurve(0)->GetSampleCount(), 101);
    VoAnimation* point = player.GetKey(0)->fpAnimation;
    fTimer.fNow = 10.0;
    player.Play();
    Frame(11.49);
    EXPECT_EQ(player.GetActiveKeyCount(), 0);
    EXPECT_EQ(ann->GetAnimationCtrl()->FindSlot(point), nullptr);
    Frame(11.5);
    EXPECT_EQ(player.GetActiveKeyCount(), 1);
    EXPECT_NEAR(ann->GetAnimationCtrl()->FindSlot(point)->GetTime(), 0.0f, 0.05f);
    // Halfway along x the curve stands at 3/4 of the way: 1.5 s of 2.
    Frame(13.0);
    EXPECT_NEAR(ann->GetAnimationCtrl()->FindSlot(point)->GetTime(), 1.5f, 0.05f);
    // The key of an unbound id is passed over.
    EXPECT_EQ(player.GetNextKey(), 2);
    EXPECT_EQ(player.GetActiveKeyCount(), 1);
    Frame(14.6);
    EXPECT_EQ(player.GetActiveKeyCount(), 0);
}

TEST_F(VoGesturePlayerTest, ACurveOfFivePointsStartsAndEndsInOneFrame) {
    VoCharacter* ann = NewCharacter(false);
    VoGesturePlayer player(&fTimer);
    ASSERT_TRUE(player.SetCharacter(VoString(u"ann"), ann));
    CountingListener listener;
    player.SetListener(&listener);
    ASSERT_TRUE(Load(player, Key("0", "0", "ann", "ma_point.lia1", "0|0|1|1|2|1|3|0|4|0")));
    EXPECT_EQ(player.GetKey(0)->GetControlPointCount(), 5);
    EXPECT_EQ(player.GetCurve(0)->GetSampleCount(), 0);
    player.Play();
    fTimer.fNow = 0.0;
    VoFrameManager::GetInstance()->Update();
    EXPECT_EQ(player.GetActiveKeyCount(), 0);
    EXPECT_EQ(listener.fEnds, 1);
    // Started and finished at once: the layer is marked ended for the controller to fade out.
    EXPECT_EQ(ann->GetAnimationCtrl()->FindSlotIndex(player.GetKey(0)->fpAnimation), 1);
    EXPECT_EQ(ann->GetAnimationCtrl()->GetSlot(1)->fEnded, 1);
}

TEST_F(VoGesturePlayerTest, PauseHoldsTheClockPlayRestartsItAndStopRewinds) {
    VoCharacter* ann = NewCharacter(false);
    VoGesturePlayer player(&fTimer);
    ASSERT_TRUE(player.SetCharacter(VoString(u"ann"), ann));
    LogCapture log;
    player.Play();
    EXPECT_TRUE(log.Logged(kAssert, VoGesturePlayer::kNotLoaded));
    EXPECT_FALSE(player.IsPlaying());
    ASSERT_TRUE(Load(player, Key("0", "0", "ann", "ma_point.lia1", "0|0|10|0.5|20|0.5|30|0") +
                                 Key("1", "5000", "ann", "sa_wave.lia1", "0|0|1|1|2|1|3|0")));
    VoAnimation* point = player.GetKey(0)->fpAnimation;
    player.Play();
    Frame(1.0);
    const float before = ann->GetAnimationCtrl()->FindSlot(point)->GetTime();
    EXPECT_GT(before, 0.0f);
    player.Pause();
    Frame(4.0);  // paused: not even in the frame manager
    EXPECT_EQ(ann->GetAnimationCtrl()->FindSlot(point)->GetTime(), before);
    player.Play();  // on from 1.0 s
    Frame(4.0);
    EXPECT_EQ(ann->GetAnimationCtrl()->FindSlot(point)->GetTime(), before);
    Frame(4.5);
    EXPECT_GT(ann->GetAnimationCtrl()->FindSlot(point)->GetTime(), before);
    // Play without Pause: the clock starts from 0 again (at 4.5 s of wall
    // time); started keys stay started and the second key waits its 5 s.
    player.Play();
    Frame(9.0);
    EXPECT_EQ(player.GetNextKey(), 1);
    Frame(9.6);
    EXPECT_EQ(player.GetNextKey(), 2);
    EXPECT_EQ(player.GetActiveKeyCount(), 2);

    player.Stop();
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_EQ(player.GetNextKey(), 0);
    EXPECT_EQ(player.GetActiveKeyCount(), 0);
    EXPECT_EQ(ann->GetAnimationCtrl()->GetFreeSlot(), ann->GetAnimationCtrl()->GetSlot(1));
    EXPECT_EQ(ann->GetAnimationCtrl()->GetSlot(2)->fpAnimation, nullptr);
    EXPECT_EQ(player.GetCurve(0)->GetCursor(), 0);
    // A new Play starts the keys again, once each.
    player.Play();
    Frame(10.0);
    EXPECT_EQ(player.GetActiveKeyCount(), 1);
    Frame(15.0);
    EXPECT_EQ(player.GetActiveKeyCount(), 2);
}

TEST_F(VoGesturePlayerTest, MissingValuesAreReportedAndTakeTheirDefaults) {
    VoGesturePlayer player(&fTimer);
    LogCapture log;
    ASSERT_TRUE(Load(player, "\tvalue=1\n" + Key("bare", nullptr, nullptr, nullptr, nullptr)));
    for (const char* text :
         {VoGesturePlayer::kTimeNotFound, VoGesturePlayer::kCharacterNotFound, VoGesturePlayer::kTypeNotFound,
          VoGesturePlayer::kCurveNotFound, VoGesturePlayer::kSetupCurveFailure}) {
        EXPECT_TRUE(log.Logged(kAssert, text)) << text;
    }
    ASSERT_EQ(player.GetKeyCount(), 2);
    EXPECT_EQ(player.GetKey(0)->fTime, 0.0f);
    EXPECT_EQ(player.GetKey(0)->fpAnimation, nullptr);
    EXPECT_EQ(player.GetKey(1)->GetControlPointCount(), 0);

    log.Clear();
    VoPropertyList empty;
    EXPECT_TRUE(player.Load(&empty));
    EXPECT_TRUE(log.Logged(kAssert, VoGesturePlayer::kKeysNotFound));
    EXPECT_TRUE(log.Logged(kAssert, VoGesturePlayer::kKeysUndefined));
    EXPECT_EQ(player.GetKeyCount(), 0);
    EXPECT_FALSE(player.Load(VoString(u"//animations/missing.gk")));
}

TEST_F(VoGesturePlayerTest, TheSampleGestureFileLoads) {
    ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//gestures"),
                                                    VoString(VO_SOURCE_DIR "/data/gestures")));
    ASSERT_TRUE(VoIFileSystem::GetInstance()->Unmount(VoString(u"//animations")));
    ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//animations"),
                                                    VoString(VO_SOURCE_DIR "/data/animations")));
    VoGesturePlayer player(&fTimer);
    ASSERT_TRUE(player.SetCharacter(VoString(u"sample"), NewCharacter(false)));
    LogCapture log;
    ASSERT_TRUE(player.Load(VoString(u"//gestures/sample_greeting.gk")));
    EXPECT_TRUE(log.Lines().empty()) << log.Contents();
    ASSERT_GT(player.GetKeyCount(), 1);
    for (int i = 0; i < player.GetKeyCount(); ++i) {
        EXPECT_NE(player.GetKey(i)->fpAnimation, nullptr) << i;
        EXPECT_GT(player.GetCurve(i)->GetSampleCount(), 0) << i;
    }
}
