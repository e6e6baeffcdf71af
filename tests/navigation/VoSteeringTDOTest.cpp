#include "navigation/VoSteeringTDO.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "NavigationTestSupport.h"
#include "animation/VoAnimation.h"
#include "animation/VoAnimationCtrl.h"
#include "geometry/VoVector2.h"
#include "navigation/VoISteeredCharacter.h"
#include "stdlib/VoFrameManager.h"
#include "support/LogCapture.h"
#include "support/ScopedEngine.h"

namespace {

const std::string kAssert = "ASSERT FAILURE: ";
const float kPi = VoSteeringTDO::kPi;

// A character with a walk and a run: move speeds 5 and 10 in its file's units.
class FakeCharacter : public VoISteeredCharacter {
public:
    VoAnimationCtrl* GetAnimationCtrl() override { return &controller; }
    VoAnimation* GetIdleAnimation() override { return &idle; }
    VoAnimation* GetMoveAnimation(int aIndex) override {
        return aIndex == 1 ? &walk : aIndex == 2 ? &run : nullptr;
    }
    float GetMoveSpeed(int aIndex) override { return aIndex == 1 ? 5.0f : 10.0f; }

    StepTimer timer;
    VoAnimationCtrl controller{&timer};
    VoAnimation idle;
    VoAnimation walk;
    VoAnimation run;
};

// A walker in a room (0, 0) .. (100, 100) with its own clock, listened to as
// the scene navigation listens.
class Walker {
public:
    Walker(const VoVector3& aPosition, const VoVector3& aTarget)
        : rig(Room(0, 0, 100, 100), WayPoint("middle", 50, 50, "")), steering(&timer) {
        steering.SetDefaults();
        steering.SetNavigation(&rig.navigation);
        rig.navigation.SetListener(&listener);
        rig.navigation.SetPosition(aPosition);
        rig.navigation.SetTarget(aTarget);
    }
    // As a click does it: the navigation steps, the steering walks.
    void Start(int aSpeedIndex = 1) {
        rig.navigation.SetActive(true);
        steering.SetMoving(true, aSpeedIndex);
    }
    VoVector2 Position() const {
        const VoVector3& position = rig.navigation.GetPosition();
        return VoVector2(position.x, position.y);
    }
    // The facing's angle from +x, counter-clockwise.
    float Heading() {
        const VoVector3& facing = steering.GetDirection();
        return std::atan2(facing.y, facing.x);
    }

    NavigationRig rig;
    StepTimer timer;
    VoSteeringTDO steering;
    CountingListener listener;
};

// One frame of aSeconds on the walker's clock.
void Frame(Walker& aWalker, double aSeconds) {
    aWalker.timer.fNow += aSeconds;
    VoFrameManager::GetInstance()->Update();
}

}  // namespace

TEST(VoSteeringTDO, AWalkerTenUnitsFromItsTargetWalksThereAndStopsOnce) {
    ScopedEngine engine;
    VoFrameManager* frames = VoFrameManager::GetInstance();
    Walker walker(VoVector3(50.0f, 40.0f, 0.0f), VoVector3(50.0f, 50.0f, 0.0f));
    ASSERT_TRUE(walker.rig.ready);
    LogCapture log;
    walker.Start();
    EXPECT_EQ(frames->GetListenerCount(), 2);
    EXPECT_TRUE(walker.steering.IsTurningOnSpot());
    EXPECT_FLOAT_EQ(walker.steering.GetSpeed(), 48.0f);

    // The first step only starts the clock: nothing moves.
    Frame(walker, 0.05);
    EXPECT_EQ(walker.Position(), VoVector2(50.0f, 40.0f));
    // Facing the target already: it advances 48 x 0.05 a frame, straight on.
    std::vector<float> ys;
    for (int i = 0; i < 20 && walker.steering.IsActive(); ++i) {
        Frame(walker, 0.05);
        ys.push_back(walker.Position().y);
        EXPECT_FLOAT_EQ(walker.Position().x, 50.0f);
    }
    ASSERT_GE(ys.size(), 3u);
    EXPECT_NEAR(ys[0], 42.4f, 1e-4f);
    EXPECT_NEAR(ys[1], 44.8f, 1e-4f);
    EXPECT_NEAR(ys[2], 47.2f, 1e-4f);
    // Within 4.0 of the target the next step stops the walk instead.
    EXPECT_EQ(ys.size(), 4u);
    EXPECT_FLOAT_EQ(ys.back(), ys[2]);

    EXPECT_FALSE(walker.steering.IsActive());
    EXPECT_EQ(walker.listener.stops, 1);
    EXPECT_FALSE(walker.rig.navigation.IsRunning());
    EXPECT_EQ(frames->GetListenerCount(), 0);
    EXPECT_EQ(walker.steering.GetSpeedIndex(), 0);
    EXPECT_FLOAT_EQ(walker.steering.GetSpeed(), 0.0f);
    EXPECT_TRUE(walker.steering.GetStopWatch().IsPaused());
    for (int i = 0; i < 5; ++i) {
        Frame(walker, 0.05);
    }
    EXPECT_EQ(walker.listener.stops, 1);
    EXPECT_TRUE(log.Lines().empty()) << log.Contents();
}

TEST(VoSteeringTDO, ATargetBehindIsFacedOnTheSpotBeforeTheWalkerAdvances) {
    ScopedEngine engine;
    // Far enough that turning at the plain rate walks no further than the way there.
    Walker walker(VoVector3(50.0f, 95.0f, 0.0f), VoVector3(50.0f, 5.0f, 0.0f));
    ASSERT_TRUE(walker.rig.ready);
    walker.Start();
    Frame(walker, 0.1);

    // 0.7 pi radians a second at speed index 1, without moving.
    int turning = 0;
    float heading = walker.Heading();
    while (walker.Position() == VoVector2(50.0f, 95.0f) && turning < 40) {
        Frame(walker, 0.1);
        const float now = walker.Heading();
        if (walker.Position() == VoVector2(50.0f, 95.0f)) {
            float turned = std::fabs(now - heading);
            if (turned > kPi) {
                turned = 2.0f * kPi - turned;
            }
            if (turned > 1e-3f && turned < 0.2f) {
                // The last, partial turn: what was left of the half circle.
                EXPECT_NEAR(turning * 0.07f * kPi + turned, kPi, 1e-3f);
            } else if (turned > 1e-3f) {
                EXPECT_NEAR(turned, 0.07f * kPi, 1e-4f) << "step " << turning;
            }
            ++turning;
        }
        heading = now;
    }
    // 14 whole steps and a partial one; the next step finds it facing.
    EXPECT_EQ(turning, 15);
    EXPECT_FLOAT_EQ(walker.steering.GetTurnBoost(), 1.0f);
    EXPECT_FALSE(walker.steering.IsTurningOnSpot());
    EXPECT_NEAR(walker.Heading(), -kPi / 2.0f, 1e-3f);
    // The step that found it facing the target moved it straight there.
    EXPECT_NEAR(walker.Position().x, 50.0f, 1e-2f);
    EXPECT_NEAR(walker.Position().y, 95.0f - 4.8f, 1e-3f);
}

TEST(VoSteeringTDO, ASharpBendBoostsTheTurnWithoutSwingingPastThePoint) {
    ScopedEngine engine;
    // 20 behind: the plain turn would walk 68 units, so the turn is boosted.
    Walker walker(VoVector3(50.0f, 50.0f, 0.0f), VoVector3(50.0f, 30.0f, 0.0f));
    ASSERT_TRUE(walker.rig.ready);
    walker.Start();
    Frame(walker, 0.1);
    std::vector<float> boosts;
    std::vector<float> headings;
    for (int i = 0; i < 12; ++i) {
        Frame(walker, 0.1);
        boosts.push_back(walker.steering.GetTurnBoost());
        headings.push_back(walker.Heading());
    }
    EXPECT_NEAR(boosts[0], 1.2f, 1e-5f);
    EXPECT_NEAR(boosts[1], 1.44f, 1e-5f);
    EXPECT_NEAR(boosts[2], 1.728f, 1e-4f);
    // Turning from +y counter-clockwise towards -y: the heading only ever
    // grows towards 3/2 pi (atan2's -pi/2) and never passes it.
    for (float& heading : headings) {
        if (heading < 0.0f) {
            heading += 2.0f * kPi;
        }
    }
    for (size_t i = 1; i < headings.size(); ++i) {
        EXPECT_GE(headings[i], headings[i - 1] - 1e-4f) << i;
        EXPECT_LE(headings[i], 1.5f * kPi + 1e-3f) << i;
    }
    EXPECT_NEAR(headings.back(), 1.5f * kPi, 1e-3f);
    EXPECT_LT(walker.Position().y, 50.0f);
}

TEST(VoSteeringTDO, TwoWalkersKeepTheirOwnTime) {
    ScopedEngine engine;
    Walker first(VoVector3(20.0f, 10.0f, 0.0f), VoVector3(20.0f, 90.0f, 0.0f));
    Walker second(VoVector3(70.0f, 10.0f, 0.0f), VoVector3(70.0f, 90.0f, 0.0f));
    ASSERT_TRUE(first.rig.ready && second.rig.ready);
    first.timer.fNow = 10.0;
    second.timer.fNow = 300.0;

    first.Start();
    Frame(first, 0.1);
    Frame(first, 0.1);
    EXPECT_NEAR(first.Position().y, 10.0f + 4.8f, 1e-4f);

    // The second starts late, on a clock far ahead: its first step is still
    // only the start of its time.
    second.Start();
    first.timer.fNow += 0.1;
    second.timer.fNow += 0.05;
    VoFrameManager::GetInstance()->Update();
    EXPECT_NEAR(first.Position().y, 10.0f + 9.6f, 1e-3f);
    EXPECT_EQ(second.Position(), VoVector2(70.0f, 10.0f));
    for (int i = 0; i < 3; ++i) {
        first.timer.fNow += 0.1;
        second.timer.fNow += 0.05;
        VoFrameManager::GetInstance()->Update();
    }
    EXPECT_NEAR(first.Position().y, 10.0f + 5.0f * 4.8f, 1e-3f);
    EXPECT_NEAR(second.Position().y, 10.0f + 3.0f * 2.4f, 1e-3f);
}

TEST(VoSteeringTDO, AStepLandsOnTheNextPointAndKeepsOffTheEdges) {
    ScopedEngine engine;
    struct Case {
        const char* name;
        VoVector3 next;
        VoVector2 landing;
    };
    const Case cases[] = {
        {"inside", VoVector3(50.0f, 95.0f, 0.0f), VoVector2(50.0f, 95.0f)},
        {"on the edge", VoVector3(50.0f, 99.98f, 0.0f), VoVector2(50.0f, 99.93f)},
    };
    for (const Case& c : cases) {
        // The navigation does not step: its next point stays where the test puts it.
        Walker walker(VoVector3(50.0f, 90.0f, 0.0f), VoVector3(10.0f, 10.0f, 0.0f));
        ASSERT_TRUE(walker.rig.ready);
        walker.rig.navigation.SetNextPoint(c.next);
        walker.steering.SetMoving(true, 1);
        Frame(walker, 0.5);
        Frame(walker, 0.5);
        EXPECT_NEAR(walker.Position().x, c.landing.x, 1e-4f) << c.name;
        EXPECT_NEAR(walker.Position().y, c.landing.y, 1e-4f) << c.name;
        walker.steering.SetMoving(false, 0);
    }
}

TEST(VoSteeringTDO, TheCharacterWalksRunsAndIdles) {
    ScopedEngine engine;
    Walker walker(VoVector3(50.0f, 10.0f, 0.0f), VoVector3(50.0f, 90.0f, 0.0f));
    ASSERT_TRUE(walker.rig.ready);
    FakeCharacter character;
    ASSERT_TRUE(walker.steering.SetCharacter(&character));
    VoAnimationSlot* primary = character.controller.GetSlot(0);

    walker.Start(1);
    EXPECT_EQ(primary->fpAnimation, &character.walk);
    EXPECT_FLOAT_EQ(primary->fWeight, 1.0f);
    EXPECT_FLOAT_EQ(primary->fRate, 2.0f);
    EXPECT_EQ(primary->fFlags, 12u);
    EXPECT_FLOAT_EQ(primary->fSpeed, 1.0f);
    EXPECT_FLOAT_EQ(walker.steering.GetSpeed(), 60.0f);
    Frame(walker, 0.1);
    Frame(walker, 0.1);
    EXPECT_FALSE(walker.steering.IsTurningOnSpot());
    EXPECT_NEAR(walker.Position().y, 16.0f, 1e-4f);

    // A run during the walk: the new animation and speed, no turn on the spot.
    walker.steering.SetMoving(true, 2);
    EXPECT_EQ(primary->fpAnimation, &character.run);
    EXPECT_FALSE(walker.steering.IsTurningOnSpot());
    EXPECT_FLOAT_EQ(walker.steering.GetSpeed(), 120.0f);
    Frame(walker, 0.1);
    EXPECT_NEAR(walker.Position().y, 28.0f, 1e-4f);

    // A speed index past the character's moves keeps the run playing, at the table's speed.
    LogCapture log;
    walker.steering.SetMoving(true, 3);
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoSteeringTDO::kNoMoveAnimation) + "3"));
    EXPECT_EQ(primary->fpAnimation, &character.run);
    EXPECT_FLOAT_EQ(walker.steering.GetSpeed(), 36.0f);

    walker.steering.SetMoving(false, 0);
    EXPECT_EQ(primary->fpAnimation, &character.idle);
    EXPECT_FLOAT_EQ(primary->fWeight, 0.0f);
    EXPECT_FLOAT_EQ(primary->fRate, -8.0f);
    EXPECT_EQ(primary->fFlags, 12u);
    EXPECT_EQ(walker.listener.stops, 1);
}

TEST(VoSteeringTDO, ALongPauseBetweenWalksIsNotWalked) {
    ScopedEngine engine;
    Walker walker(VoVector3(50.0f, 10.0f, 0.0f), VoVector3(50.0f, 90.0f, 0.0f));
    ASSERT_TRUE(walker.rig.ready);
    walker.Start();
    Frame(walker, 0.1);
    Frame(walker, 0.1);
    const float walked = walker.Position().y;
    walker.timer.fNow += 0.1;
    // Stopped, and stopped again much later: the clock stands still throughout.
    walker.steering.SetMoving(false, 0);
    walker.timer.fNow += 1000.0;
    walker.steering.SetMoving(false, 0);
    walker.timer.fNow += 1000.0;
    EXPECT_EQ(walker.listener.stops, 1);

    walker.Start();
    Frame(walker, 0.1);
    // One frame before the stop and one after the start, not a leap to the target.
    EXPECT_NEAR(walker.Position().y, walked + 48.0f * 0.2f, 1e-3f);
}

TEST(VoSteeringTDO, BadArgumentsAreRefused) {
    ScopedEngine engine;
    LogCapture log;
    StepTimer timer;
    VoSteeringTDO steering(&timer);
    // No values until SetDefaults.
    EXPECT_FLOAT_EQ(steering.GetDefaultSpeed(1), 0.0f);
    steering.SetDefaults();
    steering.SetSpeed(5, 1.0f);
    steering.SetTurnRate(-1, 1.0f);
    EXPECT_EQ(log.Count(VoSteeringTDO::kInvalidTableIndex), 2);

    // A walk at a speed the tables do not hold is refused; a stop never is.
    EXPECT_FALSE(steering.SetMoving(true, 5));
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoSteeringTDO::kInvalidSpeedIndex) + "5"));
    EXPECT_FALSE(steering.IsActive());
    EXPECT_EQ(VoFrameManager::GetInstance()->GetListenerCount(), 0);
    EXPECT_TRUE(steering.SetMoving(true, 2));
    EXPECT_TRUE(steering.SetMoving(false, 9));
    EXPECT_FLOAT_EQ(steering.GetSpeed(), 0.0f);

    EXPECT_FALSE(steering.SetCharacter(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoSteeringTDO::kSetCharacterFailure));
    EXPECT_FALSE(steering.SetNavigation(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoISteering::kSetNavigationNullArg));
    EXPECT_FALSE(steering.Update());
    EXPECT_TRUE(log.Logged(kAssert, VoSteeringTDO::kNYI));
    VoVector3 position(1.0f, 2.0f, 3.0f);
    EXPECT_FALSE(steering.GetPosition(&position));
    EXPECT_EQ(position, VoVector3(1.0f, 2.0f, 3.0f));

    EXPECT_EQ(steering.GetDirection(), VoVector3(0.0f, 1.0f, 0.0f));
    EXPECT_TRUE(steering.SetDirection(VoVector2(3.0f, 4.0f)));
    EXPECT_TRUE(steering.GetDirection().Equals(VoVector3(0.6f, 0.8f, 0.0f), 1e-6f));
    steering.SetDirection(VoVector2(0.0f, 0.0f));
    EXPECT_EQ(steering.GetDirection(), VoVector3(0.0f, 1.0f, 0.0f));

    // The navigation it is handed is its to replace, never to delete on its own death.
    auto* replaced = new VoNavigationTDO();
    VoNavigationTDO kept;
    EXPECT_TRUE(steering.SetNavigation(replaced));
    EXPECT_TRUE(steering.SetNavigation(replaced));
    EXPECT_TRUE(steering.SetNavigation(&kept));
    kept.SetPosition(VoVector3(4.0f, 5.0f, 0.0f));
    EXPECT_TRUE(steering.GetPosition(&position));
    EXPECT_EQ(position, VoVector3(4.0f, 5.0f, 0.0f));
}
