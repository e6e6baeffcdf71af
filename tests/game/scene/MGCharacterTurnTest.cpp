// Turning, turn-walks and footsteps of the game character.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "animation/VoAnimation.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoAnimationSlot.h"
#include "game/support/WalkRig.h"
#include "navigation/VoNavigationTDO.h"
#include "navigation/VoSteeringTDO.h"
#include "scene/MGCharacter.h"
#include "support/LogCapture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using walkrig::Folders;
using walkrig::HotspotProbe;
using walkrig::Lines;
using walkrig::LiveSounds;
using walkrig::NameOf;
using walkrig::Plays;
using walkrig::WalkGame;

const std::string kAssert = "ASSERT FAILURE: ";

float Radians(float aDegrees) {
    return aDegrees / MGCharacter::kDegreesPerRadian;
}

// A point at aDistance from (x, z) = (0, 0) along the facing (0, 1) turned
// by aRadians (positive: counter-clockwise seen from above, towards -x).
VoVector3 PointAt(float aRadians, float aDistance = 100.0f) {
    VoVector2 along(0.0f, 1.0f);
    along.Rotate(aRadians);
    return VoVector3(along.x * aDistance, 0.0f, along.y * aDistance);
}

class MGCharacterTurnTest : public ::testing::Test {
protected:
    // The walk scene with the player standing at (100, 100), facing +y.
    MGCharacter* WalkingPlayer(int aMoves = 3) {
        bool set = false;
        // One scene at a time, as the scene manager has them.
        fScene.reset();
        fScene =
            walkrig::WalkScene(fFolders, walkrig::Room(), walkrig::WayPoint("a", 100, 100, ""), &set, aMoves);
        EXPECT_TRUE(set);
        fScene->UpdatePlayer();
        return fScene->GetPlayer();
    }
    static VoSteeringTDO* Steering() { return MGNavigation::GetInstance()->GetSteering(); }
    static VoVector2 NavigationPosition() {
        const VoVector3& at = MGNavigation::GetInstance()->GetNavigation()->GetPosition();
        return VoVector2(at.x, at.y);
    }

    WalkGame fGame;
    Folders fFolders;
    std::unique_ptr<walkrig::RigScene> fScene;
};

}  // namespace

TEST(MGCharacterTurnNames, TheAngleChoosesTheAnimation) {
    struct Case {
        float degrees;
        bool female;
        const char* turn;
        const char* turnWalk;
    };
    const Case cases[] = {
        {20.0f, false, "Turn-45-CCW_M.lia1", "Turn-Walk_45-CCW_M.lia1"},
        {-20.0f, false, "Turn-45-CW_M.lia1", "Turn-Walk_45-CW_M.lia1"},
        {59.9f, false, "Turn-45-CCW_M.lia1", "Turn-Walk_45-CCW_M.lia1"},
        {60.0f, false, "Turn-90-CCW_M.lia1", "Turn-Walk_90-CCW_M.lia1"},
        {-109.9f, true, "Turn-90-CW_F.lia1", "Turn-Walk_90-CW_F.lia1"},
        {110.0f, false, "Turn-90-CCW_M.lia1", "Turn-Walk_135-CCW_M.lia1"},
        {139.9f, true, "Turn-90-CCW_F.lia1", "Turn-Walk_135-CCW_F.lia1"},
        {140.0f, false, "Turn-180-CCW_M.lia1", "Turn-Walk_135-CCW_M.lia1"},
        {-179.0f, false, "Turn-180-CW_M.lia1", "Turn-Walk_135-CW_M.lia1"},
        // No angle at all still names the counter-clockwise side.
        {0.0f, false, "Turn-45-CCW_M.lia1", "Turn-Walk_45-CCW_M.lia1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        // The degrees as the character counts them.
        const float angle = Radians(c.degrees) * 1.0001f;
        EXPECT_EQ(Narrow(MGCharacter::TurnAnimationName(angle, c.female)), c.turn);
        EXPECT_EQ(Narrow(MGCharacter::TurnWalkAnimationName(angle, c.female)), c.turnWalk);
    }
}

TEST_F(MGCharacterTurnTest, GetAngleToIsSignedByTheSide) {
    std::unique_ptr<MGCharacter> character(Folders::Character("x"));
    character->SetPosition(VoVector3(10.0f, 0.0f, 10.0f));
    const float angles[] = {0.3f, -0.3f, 2.5f, -2.5f, 1.2f};
    for (float angle : angles) {
        const VoVector3 offset = PointAt(angle);
        const VoVector3 point(offset.x + 10.0f, 5.0f, offset.z + 10.0f);
        EXPECT_NEAR(character->GetAngleTo(point), angle, 1e-4f);
    }
    // A direction of its own for a character off the navigation.
    character->SetDirection(VoVector3(1.0f, 0.0f, 0.0f));
    EXPECT_NEAR(character->GetAngleTo(VoVector3(11.0f, 0.0f, 20.0f)), std::atan2(10.0f, 1.0f), 1e-4f);
}

TEST_F(MGCharacterTurnTest, TurnsBelowTwentyDegreesNeedNoAnimation) {
    for (const char* name :
         {"Turn-45-CW_M", "Turn-45-CCW_M", "Turn-90-CCW_M", "Turn-180-CW_M", "Turn-45-CCW_F"}) {
        fFolders.Animation(name, 40);
    }
    struct Case {
        float degrees;
        const char* gender;
        const char* animation;  // null: no turn
    };
    const Case cases[] = {
        {19.0f, "m", nullptr},         {-19.9f, "m", nullptr},        {20.0f, "m", "Turn-45-CCW_M"},
        {-20.0f, "m", "Turn-45-CW_M"}, {60.0f, "m", "Turn-90-CCW_M"}, {-140.0f, "m", "Turn-180-CW_M"},
        {20.0f, "f", "Turn-45-CCW_F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        std::unique_ptr<MGCharacter> character(Folders::Character("x", "", 3, c.gender));
        HotspotProbe probe;
        const bool turned = character->TurnTo(PointAt(Radians(c.degrees) * 1.0001f), &probe);
        EXPECT_EQ(turned, c.animation != nullptr);
        EXPECT_EQ(character->IsTurning(), c.animation != nullptr);
        // The listener is kept either way.
        EXPECT_EQ(character->GetListener(), &probe);
        if (c.animation != nullptr) {
            EXPECT_EQ(NameOf(character->GetTurnAnimation()), c.animation);
            // The turn plays as a layer over the idle.
            EXPECT_GE(character->GetAnimationCtrl()->FindSlotIndex(character->GetTurnAnimation()), 1);
        }
    }
}

TEST_F(MGCharacterTurnTest, ATurnRotatesTheFacingWithItsFramesAndCallsTheListenerBack) {
    fFolders.Animation("Turn-90-CCW_M", 40);
    std::unique_ptr<MGCharacter> character(Folders::Character("x"));
    HotspotProbe probe;
    const float angle = Radians(80.0f);
    ASSERT_TRUE(character->TurnTo(PointAt(angle), &probe));
    VoAnimation* turn = character->GetTurnAnimation();
    // Steps half-way through each frame of the animation.
    double now = -0.5 / 30.0;
    float lastApplied = 0.0f;
    while (character->IsTurning() && now < 3.0) {
        now += 1.0 / 30.0;
        WalkGame::SetTime(now);
        character->UpdateTransform();
        // The facing follows what has been applied so far.
        const VoVector3& direction = character->GetDirection();
        VoVector2 expected(0.0f, 1.0f);
        expected.Rotate(character->GetTurnedSoFar());
        EXPECT_NEAR(direction.x, expected.x, 1e-4f);
        EXPECT_NEAR(direction.z, expected.y, 1e-4f);
        EXPECT_GE(character->GetTurnedSoFar(), lastApplied);
        lastApplied = character->GetTurnedSoFar();
    }
    EXPECT_FALSE(character->IsTurning());
    EXPECT_EQ(probe.Take(), (Lines{"execute"}));
    EXPECT_EQ(character->GetListener(), nullptr);
    // The last frames are not applied: the turn stops short of its end.
    EXPECT_NEAR(character->GetTurnedSoFar(), angle * 37.0f / 39.0f, 1e-4f);
    EXPECT_EQ(character->GetAnimationCtrl()->FindSlot(turn), nullptr);
    EXPECT_EQ(NameOf(character->GetAnimationSlot(0)->fpAnimation), "idle");
}

TEST_F(MGCharacterTurnTest, ATurnWhoseAnimationIsMissingEndsAtOnce) {
    std::unique_ptr<MGCharacter> character(Folders::Character("x"));
    HotspotProbe probe;
    ASSERT_TRUE(character->TurnTo(PointAt(Radians(100.0f)), &probe));
    EXPECT_EQ(character->GetTurnAnimation(), nullptr);
    WalkGame::SetTime(0.1);
    character->UpdateTransform();
    EXPECT_FALSE(character->IsTurning());
    EXPECT_EQ(probe.Take(), (Lines{"execute"}));

    // StopTurn ends one without telling anybody.
    fFolders.Animation("Turn-90-CCW_M", 40);
    ASSERT_TRUE(character->TurnTo(PointAt(Radians(100.0f)), &probe));
    VoAnimation* turn = character->GetTurnAnimation();
    character->StopTurn();
    EXPECT_FALSE(character->IsTurning());
    EXPECT_EQ(character->GetAnimationCtrl()->FindSlot(turn), nullptr);
    character->UpdateTransform();
    EXPECT_THAT(probe.Take(), IsEmpty());
}

TEST_F(MGCharacterTurnTest, ThePlayerTurnsTheSteeringAndEndsFacingTheTarget) {
    fFolders.Animation("Turn-90-CW_M", 40);
    MGCharacter* player = WalkingPlayer();
    HotspotProbe probe;
    const float angle = Radians(-75.0f);
    const VoVector3 offset = PointAt(angle);
    ASSERT_TRUE(player->TurnTo(VoVector3(100.0f + offset.x, 0.0f, 100.0f + offset.z), &probe));
    double now = 0.0;
    while (player->IsTurning() && now < 3.0) {
        now += 1.0 / 30.0;
        WalkGame::SetTime(now);
        fScene->UpdatePlayer();
    }
    const VoVector3& facing = Steering()->GetDirection();
    EXPECT_NEAR(facing.x, offset.x / 100.0f, 1e-4f);
    EXPECT_NEAR(facing.y, offset.z / 100.0f, 1e-4f);
    EXPECT_EQ(probe.Take(), (Lines{"execute"}));
}

TEST_F(MGCharacterTurnTest, TurnAndWalkTurnsOnlyPastFortyFiveDegrees) {
    for (const char* name : {"Turn-Walk_45-CW_M", "Turn-Walk_45-CCW_M", "Turn-Walk_135-CCW_M"}) {
        fFolders.Animation(name, 60);
    }
    struct Case {
        float radians;
        const char* animation;  // null: no turn-walk
    };
    const Case cases[] = {
        {0.784f, nullptr},
        {-0.784f, nullptr},
        {0.79f, "Turn-Walk_45-CCW_M"},
        {-0.79f, "Turn-Walk_45-CW_M"},
        {Radians(110.0f) * 1.0001f, "Turn-Walk_135-CCW_M"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radians);
        MGCharacter* player = WalkingPlayer();
        const VoVector3 offset = PointAt(c.radians);
        const bool turned = player->TurnAndWalk(VoVector2(100.0f + offset.x, 100.0f + offset.z), 2);
        EXPECT_EQ(turned, c.animation != nullptr);
        EXPECT_EQ(player->IsTurning(), c.animation != nullptr);
        EXPECT_EQ(player->GetSpeedIndex(), 2);
        if (c.animation != nullptr) {
            EXPECT_TRUE(player->IsTurnWalk());
            EXPECT_EQ(NameOf(player->GetTurnAnimation()), c.animation);
            // It plays as the primary animation.
            EXPECT_EQ(player->GetAnimationSlot(0)->fpAnimation, player->GetTurnAnimation());
            const bool clockwise = c.radians < 0.0f;
            EXPECT_EQ(player->GetWalkStartFrame(), clockwise ? 5 : 24);
            EXPECT_EQ(player->IsNextFootFirst(), clockwise);
        }
    }
}

TEST_F(MGCharacterTurnTest, TurnAndWalkWaitsForAnActionButNotForCrossedArms) {
    fFolders.Animation("Turn-Walk_135-CCW_M", 60);
    fFolders.Animation("Pick_ground_M", 40);
    fFolders.Animation("Idle_M_SS_CrossArms", 40);
    MGCharacter* player = WalkingPlayer();
    const VoVector3 behind = PointAt(Radians(150.0f));
    const VoVector2 target(100.0f + behind.x, 100.0f + behind.z);
    HotspotProbe probe;
    player->PlayAction(MGCharacter::kActionPickGround, &probe);
    EXPECT_TRUE(player->TurnAndWalk(target, 1));
    EXPECT_FALSE(player->IsTurning());
    EXPECT_EQ(player->GetListener(), &probe);

    player = WalkingPlayer();
    player->PlayAction(MGCharacter::kActionCrossArms, nullptr);
    EXPECT_TRUE(player->TurnAndWalk(target, 1));
    EXPECT_TRUE(player->IsTurning());
    EXPECT_FALSE(player->IsBusy());
    EXPECT_EQ(player->GetGesturePlayer(), nullptr);
}

TEST_F(MGCharacterTurnTest, ATurnWalkMovesFromTwoFifthsAndWalksOnTheMatchingFoot) {
    struct Case {
        float degrees;
        const char* animation;
        int walkStart;
    };
    const Case cases[] = {{-100.0f, "Turn-Walk_90-CW_M", 5}, {100.0f, "Turn-Walk_90-CCW_M", 24}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.animation);
        fFolders.Animation(c.animation, 60);
        MGCharacter* player = WalkingPlayer();
        const float angle = Radians(c.degrees);
        const VoVector3 offset = PointAt(angle);
        ASSERT_TRUE(player->TurnAndWalk(VoVector2(100.0f + offset.x, 100.0f + offset.z), 1));
        VoAnimationSlot* slot = player->GetAnimationCtrl()->FindSlot(player->GetTurnAnimation());
        ASSERT_NE(slot, nullptr);
        VoVector2 position = NavigationPosition();
        float lastSpeed = 0.0f;
        int walkFrame = -1;
        for (int frame = 0; frame < 60 && walkFrame < 0; ++frame) {
            slot->SetTime((static_cast<float>(frame) + 0.5f) / 30.0f, true);
            player->UpdateTurn();
            if (!player->IsTurning()) {
                walkFrame = frame;
                break;
            }
            EXPECT_EQ(player->IsMovingInTurn(), frame >= 24) << frame;
            // Forward, faster each frame, never past the limit.
            const VoVector2 now = NavigationPosition();
            if (frame > 24) {
                EXPECT_GT(now.Distance(position), 0.0f) << frame;
                EXPECT_GT(player->GetTurnSpeed(), lastSpeed) << frame;
                EXPECT_NEAR(player->GetTurnSpeed(),
                            (static_cast<float>(frame) - 24.0f) / 30.0f / 0.6f * MGCharacter::kMaxTurnSpeed,
                            1e-3f);
            } else {
                EXPECT_EQ(now, position) << frame;
            }
            EXPECT_LE(player->GetTurnSpeed(), MGCharacter::kMaxTurnSpeed);
            lastSpeed = player->GetTurnSpeed();
            position = now;
        }
        EXPECT_EQ(walkFrame, 42);
        // The walk takes over on the matching foot of its cycle.
        VoAnimationSlot* primary = player->GetAnimationSlot(0);
        EXPECT_EQ(NameOf(primary->fpAnimation), "walk");
        EXPECT_NEAR(primary->GetTime(), static_cast<float>(c.walkStart) / 30.0f, 1e-5f);
        EXPECT_TRUE(MGNavigation::GetInstance()->GetNavigation()->IsRunning());
        EXPECT_EQ(Steering()->GetSpeedIndex(), 1);
        EXPECT_EQ(MGNavigation::GetInstance()->GetTarget(), VoVector2(100.0f + offset.x, 100.0f + offset.z));
        // The facing has come round most of the way.
        const VoVector3& facing = Steering()->GetDirection();
        VoVector2 expected(0.0f, 1.0f);
        expected.Rotate(angle * 41.0f / 59.0f);
        EXPECT_NEAR(facing.x, expected.x, 1e-3f);
        EXPECT_NEAR(facing.y, expected.y, 1e-3f);
    }
}

TEST_F(MGCharacterTurnTest, AStairTurnWalkLooksForNoStairs) {
    fFolders.Animation("Turn-Walk_135-CCW_M", 30);
    MGCharacter* player = WalkingPlayer();
    const VoVector3 behind = PointAt(Radians(150.0f));
    ASSERT_TRUE(player->TurnAndWalk(VoVector2(100.0f + behind.x, 100.0f + behind.z), 3));
    // Its animation leaves early: the walk starts on the stair speed.
    player->GetAnimationCtrl()->RemoveAnimation(player->GetTurnAnimation());
    player->UpdateTurn();
    EXPECT_FALSE(player->IsTurning());
    EXPECT_EQ(Steering()->GetSpeedIndex(), 3);
    EXPECT_EQ(NameOf(player->GetAnimationSlot(0)->fpAnimation), "stairs_up");
}

namespace {

const char* const kFootstepFile = "carpet=carpet.wav\ntiles=tiles.ogg\nwood=wood.wav\n";

// Regions: tiles on the square (90..110, 90..110), then wood over the
// room's left half, which also holds the tiles.
const char* const kSounds =
    "defaultsound=carpet\n"
    "sounds\n"
    "\t0\n\t\tsoundid=tiles\n\t\tgroundmesh=floor\n\t\tpolygon\n\t\t\tcoords=90|90|110|90|110|110|90|110\n"
    "\t1\n\t\tsoundid=wood\n\t\tpolygon\n\t\t\tcoords=0|0|200|0|200|400|0|400\n\t\t\tclosed=true\n";

}  // namespace

TEST_F(MGCharacterTurnTest, LoadFootstepsMakesOnePlayerPerSound) {
    fFolders.Write("sounds/footsteps.txt", kFootstepFile);
    std::unique_ptr<MGCharacter> character(Folders::Character("x"));
    auto sounds = walkrig::ListOf(kSounds);
    LogCapture log;
    ASSERT_TRUE(character->LoadFootsteps(sounds.get()));
    EXPECT_EQ(log.Count(kAssert), 0) << log.Contents();
    EXPECT_EQ(LiveSounds(),
              (Lines{"tiles //sounds/tiles.ogg", "wood //sounds/wood.wav", "leftfoot //sounds/carpet.wav"}));
    EXPECT_EQ(character->GetFootstepCount(), 2);
    ASSERT_NE(character->GetDefaultFootstep(), nullptr);
    EXPECT_EQ(static_cast<stubs::SoundPlayer*>(character->GetDefaultFootstep())->fVolume, 1.0f);
    EXPECT_NE(character->GetFootstepSound(VoString(u"tiles")), nullptr);

    // Loading again replaces the players; a file without a default sound
    // says so.
    auto without = walkrig::ListOf("sounds\n\t0\n\t\tsoundid=tiles\n\t\tpolygon\n\t\t\tcoords=0|0|1|0|1|1\n");
    ASSERT_TRUE(character->LoadFootsteps(without.get()));
    EXPECT_TRUE(log.Logged(kAssert, MGCharacter::kNoDefaultFootstep));
    EXPECT_EQ(character->GetDefaultFootstep(), nullptr);
    EXPECT_EQ(character->GetFootstepCount(), 1);
    EXPECT_EQ(LiveSounds(), (Lines{"tiles //sounds/tiles.ogg"}));

    // A sound that the footstep list does not name has no player.
    auto unknown = walkrig::ListOf(
        "defaultsound=carpet\nsounds\n\t0\n\t\tsoundid=gravel\n\t\tpolygon\n\t\t\tcoords=0|0|1|0|1|1\n");
    log.Clear();
    ASSERT_TRUE(character->LoadFootsteps(unknown.get()));
    EXPECT_EQ(log.Count(kAssert), 1);
    EXPECT_EQ(character->GetFootstepSound(VoString(u"gravel")), nullptr);
    EXPECT_EQ(LiveSounds(), (Lines{"leftfoot //sounds/carpet.wav"}));
    EXPECT_FALSE(character->LoadFootsteps(nullptr));
}

TEST_F(MGCharacterTurnTest, FeetLandOnTheirFramesOfTheWalkAndRunCycles) {
    fFolders.Write("sounds/footsteps.txt", kFootstepFile);
    MGCharacter* player = WalkingPlayer();
    auto sounds = walkrig::ListOf("defaultsound=carpet\n");
    player->LoadFootsteps(sounds.get());
    struct Case {
        int speed;
        int frames;
        std::vector<int> steps;
    };
    const Case cases[] = {
        {1, 74, {14, 32, 51, 69}},
        {2, 46, {1, 12, 24, 35}},
        // The stairs walk to the walk cycle.
        {3, 37, {14, 32}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speed);
        ASSERT_TRUE(Steering()->SetMoving(true, c.speed));
        VoAnimationSlot* primary = player->GetAnimationSlot(0);
        ASSERT_EQ(static_cast<int>(primary->fpAnimation->GetFrameCount()), c.frames);
        std::vector<int> steps;
        for (int frame = 0; frame < c.frames; ++frame) {
            const int before = Plays("leftfoot");
            primary->SetTime((static_cast<float>(frame) + 0.5f) / 30.0f, true);
            player->UpdateFootsteps();
            // Twice on the same frame: still one step.
            player->UpdateFootsteps();
            for (int play = before; play < Plays("leftfoot"); ++play) {
                steps.push_back(frame);
            }
        }
        EXPECT_EQ(steps, c.steps);
        ASSERT_TRUE(Steering()->SetMoving(false, 0));
    }
    // Standing, or not the player: no steps.
    const int before = Plays("leftfoot");
    VoAnimationSlot* primary = player->GetAnimationSlot(0);
    for (int frame = 0; frame < 40; ++frame) {
        primary->SetTime((static_cast<float>(frame) + 0.5f) / 30.0f, true);
        player->UpdateFootsteps();
    }
    ASSERT_TRUE(Steering()->SetMoving(true, 1));
    player->SetPlayer(false);
    for (int frame = 0; frame < 74; ++frame) {
        player->GetAnimationSlot(0)->SetTime((static_cast<float>(frame) + 0.5f) / 30.0f, true);
        player->UpdateFootsteps();
    }
    EXPECT_EQ(Plays("leftfoot"), before);
}

TEST_F(MGCharacterTurnTest, TheFirstRegionHoldingThePlayerGivesTheSound) {
    fFolders.Write("sounds/footsteps.txt", kFootstepFile);
    MGCharacter* player = WalkingPlayer();
    auto sounds = walkrig::ListOf(kSounds);
    player->LoadFootsteps(sounds.get());
    ASSERT_TRUE(Steering()->SetMoving(true, 1));
    struct Case {
        VoVector2 at;
        const char* sound;
    };
    const Case cases[] = {
        {{100, 100}, "tiles"},
        // The edge belongs to the region.
        {{100, 90}, "tiles"},
        {{150, 300}, "wood"},
        {{300, 300}, "leftfoot"},
    };
    VoNavigationTDO* navigation = MGNavigation::GetInstance()->GetNavigation();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sound);
        navigation->SetPosition(VoVector3(c.at.x, c.at.y, 0.0f));
        const int before[] = {Plays("tiles"), Plays("wood"), Plays("leftfoot")};
        VoAnimationSlot* primary = player->GetAnimationSlot(0);
        for (int frame = 0; frame < 37; ++frame) {
            primary->SetTime((static_cast<float>(frame) + 0.5f) / 30.0f, true);
            player->UpdateFootsteps();
        }
        const char* names[] = {"tiles", "wood", "leftfoot"};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(Plays(names[i]) - before[i], std::string(names[i]) == c.sound ? 2 : 0) << names[i];
        }
    }
}
