#include "scene/MGCharacter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "animation/VoAnimation.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoAnimationSlot.h"
#include "character/VoGesturePlayer.h"
#include "game/support/WalkRig.h"
#include "navigation/VoSteeringTDO.h"
#include "support/LogCapture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using walkrig::Folders;
using walkrig::HotspotProbe;
using walkrig::NameOf;
using walkrig::WalkGame;

const std::string kAssert = "ASSERT FAILURE: ";

// The ambient section: the intervals and one gesture per weight (a null
// weight leaves the key out).
std::string Ambient(const std::string& aMin, const std::string& aMax,
                    const std::vector<const char*>& aWeights) {
    std::string text =
        "\tambient\n\t\tmininterval=" + aMin + "\n\t\tmaxinterval=" + aMax + "\n\t\tgestures\n";
    for (std::size_t i = 0; i < aWeights.size(); ++i) {
        text += "\t\t\t" + std::to_string(i) + "\n\t\t\t\tgesture=gesture" + std::to_string(i) + ".lia1\n";
        if (aWeights[i] != nullptr) {
            text += std::string("\t\t\t\tweight=") + aWeights[i] + "\n";
        }
    }
    return text;
}

class MGCharacterTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 3; ++i) {
            fFolders.Animation("gesture" + std::to_string(i), 20);
        }
        fFolders.Animation("Idle_Interview_M", 30);
        fFolders.Animation("Chair-idle_M", 30);
        fFolders.Animation("Idle_M_SS_CrossArms", 40);
        fFolders.Animation("Turn-90-CW_M", 40);
    }

    // The character's frame step at the time given.
    static void StepAt(MGCharacter& aCharacter, double aSeconds) {
        WalkGame::SetTime(aSeconds);
        aCharacter.UpdateTransform();
    }
    static VoAnimation* Primary(MGCharacter& aCharacter) {
        return aCharacter.GetAnimationSlot(0)->fpAnimation;
    }

    WalkGame fGame;
    Folders fFolders;
};

}  // namespace

TEST_F(MGCharacterTest, CreateReadsTheGameKeysBeforeTheEngineKeys) {
    const std::string interview =
        "interview\n\tidleanim=Idle_Interview_M.lia1\n\tlookat=1|2|3\n\tdonelookat=-4|5|-6\n";
    const std::string animations =
        Ambient("2.5", "7", {"1", "3"}) + "\tseated\n\t\tanim01\n\t\t\tfile=Chair-idle_M.lia1\n";
    LogCapture log;
    std::unique_ptr<MGCharacter> character(Folders::Character("Kestrin", interview, 3, "m", animations));
    EXPECT_EQ(log.Count(kAssert), 0) << log.Contents();
    EXPECT_EQ(TextOf(character->GetName()), u"Kestrin");
    EXPECT_EQ(NameOf(character->GetInterviewIdle()), "Idle_Interview_M");
    EXPECT_EQ(NameOf(character->GetSeatedIdle()), "Chair-idle_M");
    EXPECT_EQ(NameOf(character->GetPhoneIdle()), "Cell-Phone_idle_M");
    ASSERT_TRUE(character->HasLookAt());
    EXPECT_EQ(character->GetLookAt(), VoVector3(1.0f, 2.0f, 3.0f));
    ASSERT_TRUE(character->HasDoneLookAt());
    EXPECT_EQ(character->GetDoneLookAt(), VoVector3(-4.0f, 5.0f, -6.0f));
    EXPECT_EQ(character->GetMinInterval(), 2.5f);
    EXPECT_EQ(character->GetMaxInterval(), 7.0f);
    ASSERT_EQ(character->GetGestureCount(), 2);
    EXPECT_EQ(TextOf(character->GetGesture(1)), u"gesture1.lia1");
    EXPECT_EQ(character->GetWeightSum(), 4);
    EXPECT_GE(character->GetNextAmbientTime(), 2.5);
    EXPECT_LE(character->GetNextAmbientTime(), 7.0);
    EXPECT_EQ(character->GetBoredomTime(), MGCharacter::kBoredomDelay);
    // The engine keys follow.
    EXPECT_EQ(character->GetMoveCount(), 3);
    EXPECT_FALSE(character->IsScenePlayer());
    EXPECT_EQ(character->GetSpeedIndex(), 1);
    EXPECT_TRUE(character->IsNextFootFirst());
}

TEST_F(MGCharacterTest, MissingGameKeysAreReportedAndLeftOut) {
    struct Case {
        const char* name;
        std::string extra;
        std::string animations;
        int asserts;
    };
    const Case cases[] = {
        {"no name", "", "", 1},
        // A point of two numbers is no point.
        {"short look-at", "name=x\ninterview\n\tlookat=1|2\n", "", 1},
        // The stream's own report, then the character's.
        {"interview idle not there", "name=x\ninterview\n\tidleanim=nothere.lia1\n", "", 2},
        {"ambient without gestures", "name=x\n", "\tambient\n\t\tmininterval=1\n\t\tmaxinterval=2\n", 1},
        {"ambient without intervals or weight", "name=x\n",
         "\tambient\n\t\tgestures\n\t\t\t0\n\t\t\t\tgesture=g.lia1\n", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogCapture log;
        std::unique_ptr<MGCharacter> character(Folders::Character("", c.extra, 3, "m", c.animations));
        EXPECT_EQ(log.Count(kAssert), c.asserts) << log.Contents();
        EXPECT_FALSE(character->HasLookAt());
    }
    LogCapture log;
    std::unique_ptr<MGCharacter> nameless(Folders::Character(""));
    EXPECT_TRUE(log.Logged(kAssert, MGCharacter::kNameNotFound));
    EXPECT_EQ(nameless->GetName().GetLength(), 0);
}

TEST_F(MGCharacterTest, GesturesAreChosenByWeight) {
    struct Case {
        const char* name;
        std::vector<const char*> weights;
        std::vector<int> chosen;  // for random numbers 0, 1, 2, ...
    };
    const Case cases[] = {
        // Each gesture takes as many numbers as its weight, in file order.
        {"one and three", {"1", "3"}, {0, 1, 1, 1, 0, 1, 1, 1}},
        {"three and one", {"3", "1"}, {0, 0, 0, 1, 0}},
        // Gestures without a weight above 0 are never chosen.
        {"zero first", {"0", "1", "3"}, {1, 2, 2, 2}},
        {"negative between", {"2", "-5", "2"}, {0, 0, 2, 2, 0}},
        {"missing weight", {nullptr, "2"}, {1, 1, 1}},
        {"no weight at all", {"0", "-1", nullptr}, {-1, -1}},
        // One gesture needs no number.
        {"one gesture", {"5"}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<MGCharacter> character(
            Folders::Character("x", "", 3, "m", Ambient("1", "1", c.weights)));
        for (std::size_t r = 0; r < c.chosen.size(); ++r) {
            EXPECT_EQ(character->ChooseAmbientGesture(static_cast<int>(r)), c.chosen[r]) << "r " << r;
        }
    }
    std::unique_ptr<MGCharacter> one(Folders::Character("x", "", 3, "m", Ambient("1", "1", {"5"})));
    EXPECT_EQ(one->ChooseAmbientGesture(32767), 0);
}

TEST_F(MGCharacterTest, AnAmbientGesturePlaysOnItsTimeAndTheIdleComesBack) {
    std::unique_ptr<MGCharacter> character(Folders::Character("x", "", 3, "m", Ambient("2", "2", {"1"})));
    EXPECT_DOUBLE_EQ(character->GetNextAmbientTime(), 2.0);
    StepAt(*character, 1.9);
    EXPECT_FALSE(character->IsBusy());
    EXPECT_EQ(NameOf(Primary(*character)), "idle");

    StepAt(*character, 2.05);
    EXPECT_TRUE(character->IsBusy());
    EXPECT_EQ(NameOf(character->GetAmbientAnimation()), "gesture0");
    EXPECT_EQ(NameOf(Primary(*character)), "gesture0");
    EXPECT_EQ(character->GetBoredomTime(), 2.05 + MGCharacter::kBoredomDelay);

    // The 20-frame gesture ends, fades out under the idle and leaves.
    double now = 2.05;
    bool idleBack = false;
    while (now < 4.0 && character->IsBusy()) {
        now += 1.0 / 30.0;
        StepAt(*character, now);
        idleBack = idleBack || NameOf(Primary(*character)) == "idle";
    }
    EXPECT_TRUE(idleBack);
    EXPECT_FALSE(character->IsBusy());
    EXPECT_EQ(character->GetAmbientAnimation(), nullptr);
    EXPECT_NEAR(character->GetNextAmbientTime(), now + 2.0, 1e-9);
    EXPECT_EQ(NameOf(Primary(*character)), "idle");
}

TEST_F(MGCharacterTest, WithoutWeightsOrAmbientSectionNoGesturePlays) {
    std::unique_ptr<MGCharacter> plain(Folders::Character("x"));
    std::unique_ptr<MGCharacter> weightless(
        Folders::Character("y", "", 3, "m", Ambient("1", "1", {"0", "-3"})));
    LogCapture log;
    for (double now = 0.5; now < 10.0; now += 0.5) {
        StepAt(*plain, now);
        StepAt(*weightless, now);
        EXPECT_FALSE(plain->IsBusy());
        EXPECT_FALSE(weightless->IsBusy());
    }
    EXPECT_EQ(log.Count(MGCharacter::kNoWeights), 1);
    EXPECT_EQ(NameOf(Primary(*weightless)), "idle");
}

TEST_F(MGCharacterTest, OnlyTheStandingPlayerGetsBored) {
    std::unique_ptr<MGCharacter> player(Folders::Character("kestrin"));
    player->SetPlayer(true);
    std::unique_ptr<MGCharacter> other(Folders::Character("clerk"));
    std::unique_ptr<MGCharacter> waiting(Folders::Character("waiting"));
    waiting->SetPlayer(true);
    waiting->SetAmbientSuspended(true);

    StepAt(*player, 9.9);
    EXPECT_EQ(player->GetActionCode(), 0);
    for (MGCharacter* character : {player.get(), other.get(), waiting.get()}) {
        StepAt(*character, 10.05);
    }
    EXPECT_EQ(player->GetActionCode(), MGCharacter::kActionCrossArms);
    EXPECT_TRUE(player->IsBusy());
    EXPECT_EQ(NameOf(Primary(*player)), "Idle_M_SS_CrossArms");
    EXPECT_NE(player->GetGesturePlayer(), nullptr);
    EXPECT_EQ(player->GetBoredomTime(), 10.05 + MGCharacter::kBoredomDelay);
    EXPECT_EQ(other->GetActionCode(), 0);
    EXPECT_EQ(waiting->GetActionCode(), 0);
    // Waiting in an interview pushes the boredom on.
    EXPECT_EQ(waiting->GetBoredomTime(), 10.05 + MGCharacter::kBoredomDelay);

    // The crossed arms end by themselves, telling nobody.
    HotspotProbe probe;
    double now = 10.05;
    while (now < 13.0 && player->IsBusy()) {
        now += 1.0 / 30.0;
        StepAt(*player, now);
    }
    EXPECT_FALSE(player->IsBusy());
    EXPECT_EQ(player->GetActionCode(), 0);
    EXPECT_EQ(NameOf(Primary(*player)), "idle");
}

TEST_F(MGCharacterTest, AWalkingPlayerIsNeverBored) {
    bool set = false;
    std::unique_ptr<walkrig::RigScene> scene =
        walkrig::WalkScene(fFolders, walkrig::Room(), walkrig::WayPoint("a", 100, 100, ""), &set);
    ASSERT_TRUE(set);
    MGCharacter* player = scene->GetPlayer();
    ASSERT_TRUE(MGNavigation::GetInstance()->GetSteering()->SetMoving(true, 1));
    StepAt(*player, 10.05);
    EXPECT_EQ(player->GetActionCode(), 0);
    EXPECT_EQ(player->GetBoredomTime(), 10.05 + MGCharacter::kBoredomDelay);
}

TEST_F(MGCharacterTest, TheInterviewPose) {
    HotspotProbe probe;
    // Without an interview idle: only the turn towards "lookat".
    std::unique_ptr<MGCharacter> plain(Folders::Character("x", "interview\n\tlookat=10|0|-1\n"));
    EXPECT_TRUE(plain->SetInterviewPose(true, &probe));
    EXPECT_FALSE(plain->IsAmbientSuspended());
    EXPECT_TRUE(plain->IsTurning());
    EXPECT_EQ(NameOf(plain->GetTurnAnimation()), "Turn-90-CW_M");
    EXPECT_EQ(plain->GetListener(), &probe);
    std::unique_ptr<MGCharacter> bare(Folders::Character("y"));
    EXPECT_FALSE(bare->SetInterviewPose(true, &probe));

    // With one: entering suspends and shows it, then turns.
    std::unique_ptr<MGCharacter> posed(Folders::Character(
        "z", "interview\n\tidleanim=Idle_Interview_M.lia1\n\tlookat=0|0|10\n\tdonelookat=10|0|-1\n"));
    StepAt(*posed, 0.1);
    EXPECT_FALSE(posed->SetInterviewPose(true, &probe));  // straight ahead: no turn needed
    EXPECT_TRUE(posed->IsAmbientSuspended());
    EXPECT_EQ(NameOf(Primary(*posed)), "Idle_Interview_M");
    // Leaving: the engine idle and the turn towards "donelookat", without a listener.
    EXPECT_TRUE(posed->SetInterviewPose(false, &probe));
    EXPECT_EQ(NameOf(Primary(*posed)), "idle");
    EXPECT_TRUE(posed->IsTurning());
    EXPECT_EQ(posed->GetListener(), nullptr);
    // The scene lifts the suspension itself.
    EXPECT_TRUE(posed->IsAmbientSuspended());
}

TEST_F(MGCharacterTest, SuspendingStopsTheGesturesAndShowsTheRightIdle) {
    std::unique_ptr<MGCharacter> character(Folders::Character(
        "x", "interview\n\tidleanim=Idle_Interview_M.lia1\n", 3, "m",
        Ambient("1", "1", {"1"}) + "\tseated\n\t\tanim01\n\t\t\tfile=Chair-idle_M.lia1\n"));
    auto* gestures = new VoGesturePlayer();
    character->SetGesturePlayer(gestures);
    StepAt(*character, 1.5);
    EXPECT_TRUE(character->IsBusy());
    character->SetAmbientSuspended(true);
    EXPECT_EQ(character->GetGesturePlayer(), nullptr);
    EXPECT_FALSE(character->IsBusy());
    EXPECT_EQ(NameOf(Primary(*character)), "Idle_Interview_M");
    StepAt(*character, 5.0);
    EXPECT_FALSE(character->IsBusy());

    WalkGame::SetTime(6.0);
    character->SetAmbientSuspended(false);
    EXPECT_DOUBLE_EQ(character->GetNextAmbientTime(), 7.0);

    // Whatever ends the primary animation, the idle comes back: seated when
    // seated, else the interview idle while suspended, else the engine idle.
    struct Case {
        bool seated;
        bool suspended;
        const char* idle;
    };
    const Case cases[] = {
        {false, false, "idle"}, {false, true, "Idle_Interview_M"}, {true, true, "Chair-idle_M"}};
    for (const Case& c : cases) {
        std::unique_ptr<MGCharacter> sitter(
            Folders::Character("s", "interview\n\tidleanim=Idle_Interview_M.lia1\n", 3, "m",
                               "\tseated\n\t\tanim01\n\t\t\tfile=Chair-idle_M.lia1\n"));
        if (c.seated) {
            sitter->PlayAction(MGCharacter::kActionSit, nullptr);
        }
        sitter->SetAmbientSuspended(c.suspended);
        sitter->GetAnimationCtrl()->FadeOutAll(0.0f);
        StepAt(*sitter, 6.0);
        EXPECT_EQ(NameOf(Primary(*sitter)), c.idle);
    }
}

TEST_F(MGCharacterTest, StopAmbientAndResetAmbientTimer) {
    std::unique_ptr<MGCharacter> character(Folders::Character("x", "", 3, "m", Ambient("1", "1", {"1"})));
    StepAt(*character, 1.5);
    ASSERT_TRUE(character->IsBusy());
    VoAnimation* gesture = character->GetAmbientAnimation();
    EXPECT_TRUE(character->StopAmbient());
    EXPECT_FALSE(character->IsBusy());
    EXPECT_EQ(character->GetAmbientAnimation(), nullptr);
    EXPECT_EQ(character->GetAnimationCtrl()->FindSlot(gesture), nullptr);

    WalkGame::SetTime(3.0);
    character->ResetAmbientTimer();
    EXPECT_DOUBLE_EQ(character->GetNextAmbientTime(), 4.0);
    EXPECT_DOUBLE_EQ(character->GetBoredomTime(), 13.0);
}

TEST_F(MGCharacterTest, AGesturePlayerHandedOverIsDeletedAtItsEnd) {
    std::unique_ptr<MGCharacter> character(Folders::Character("x", "", 3, "m", Ambient("1", "1", {"1"})));
    auto* gestures = new VoGesturePlayer();
    character->SetGesturePlayer(gestures);
    WalkGame::SetTime(5.0);
    character->OnGestureEnd();
    EXPECT_EQ(character->GetGesturePlayer(), nullptr);
    EXPECT_FALSE(character->IsBusy());
    EXPECT_DOUBLE_EQ(character->GetNextAmbientTime(), 6.0);
}
