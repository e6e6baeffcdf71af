// Actions, hand props and head tracking of the game character.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "animation/VoAnimation.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoAnimationSlot.h"
#include "animation/VoGestureAnimManager.h"
#include "game/support/WalkRig.h"
#include "scene/MGCharacter.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "support/LogCapture.h"
#include "support/SceneTestSupport.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using walkrig::Folders;
using walkrig::HotspotProbe;
using walkrig::Lines;
using walkrig::NameOf;
using walkrig::WalkGame;

const std::string kAssert = "ASSERT FAILURE: ";
constexpr float kPi = 3.14159265f;

// What one frame of an action showed.
struct ActionFrame {
    bool propVisible;
    Lines calls;   // of the hotspot
    int shutters;  // plays of the shutter sound so far
};

class MGCharacterActionTest : public ::testing::Test {
protected:
    void SetUp() override {
        const struct {
            const char* name;
            int frames;
        } animations[] = {
            {"camera_out-up_M", 100},    {"camera_out-middle_M", 100}, {"camera_out-down_M", 100},
            {"Pick_ground_M", 40},       {"Pick_table_M", 40},         {"Chair-sitting_M", 30},
            {"Chair-rising_M", 30},      {"Cell-Phone_out_M", 30},     {"Cell-Phone_in_M", 30},
            {"Idle_M_SS_CrossArms", 40}, {"Chair-idle_M", 30},         {"Show-Badge_M", 60},
        };
        for (const auto& animation : animations) {
            fFolders.Animation(animation.name, animation.frames);
        }
        fCharacter.reset(Folders::Character("kestrin", "", 3, "m",
                                            "\tseated\n\t\tanim01\n\t\t\tfile=Chair-idle_M.lia1\n"));
        WalkGame::SetTime(0.0);
        fCharacter->UpdateTransform();
    }

    VoAnimationSlot* ActionSlot() {
        return fCharacter->GetAnimationCtrl()->FindSlot(fCharacter->GetActionAnimation());
    }
    VoAnimation* Primary() { return fCharacter->GetAnimationSlot(0)->fpAnimation; }

    // The running action half-way through each of its frames in turn, each
    // followed by the action step, up to aLastFrame.
    std::vector<ActionFrame> StepFrames(int aLastFrame) {
        std::vector<ActionFrame> frames;
        VoAnimationSlot* slot = ActionSlot();
        for (int frame = 0; frame <= aLastFrame && slot != nullptr && fCharacter->IsBusy(); ++frame) {
            slot->SetTime((static_cast<float>(frame) + 0.5f) / 30.0f, true);
            fCharacter->UpdateAction();
            frames.push_back({fCharacter->IsActionPropVisible(), fProbe.Take(), walkrig::Plays("camera")});
        }
        return frames;
    }
    // The animation leaves the controller; one action step.
    void AnimationLeaves() {
        fCharacter->GetAnimationCtrl()->RemoveAnimation(fCharacter->GetActionAnimation());
        fCharacter->UpdateAction();
    }

    WalkGame fGame;
    Folders fFolders;
    std::unique_ptr<MGCharacter> fCharacter;
    HotspotProbe fProbe;
};

}  // namespace

TEST_F(MGCharacterActionTest, UnknownCodesStartNothing) {
    for (int code : {0, 11, -1}) {
        fCharacter->PlayAction(code, &fProbe);
        EXPECT_EQ(fCharacter->GetRequestedAction(), code);
        EXPECT_EQ(fCharacter->GetActionCode(), 0);
        EXPECT_FALSE(fCharacter->IsBusy());
        EXPECT_EQ(fCharacter->GetListener(), nullptr);
    }
}

TEST_F(MGCharacterActionTest, EachCodePlaysItsAnimation) {
    const char* const names[] = {
        "Idle_M_SS_CrossArms", "Pick_ground_M",   "Pick_table_M",   "camera_out-up_M",  "camera_out-middle_M",
        "camera_out-down_M",   "Chair-sitting_M", "Chair-rising_M", "Cell-Phone_out_M", "Cell-Phone_in_M"};
    for (int code = 1; code <= 10; ++code) {
        SCOPED_TRACE(code);
        fCharacter->PlayAction(code, &fProbe);
        EXPECT_EQ(fCharacter->GetActionCode(), code);
        EXPECT_TRUE(fCharacter->IsBusy());
        EXPECT_EQ(NameOf(fCharacter->GetActionAnimation()), names[code - 1]);
        EXPECT_EQ(Primary(), fCharacter->GetActionAnimation());
        // The crossed arms are boredom's: nobody hears of them.
        EXPECT_EQ(fCharacter->GetListener(), code == 1 ? nullptr : &fProbe);
        const bool prop = code >= 4 && code <= 6;
        if (prop || code == 9) {
            ASSERT_NE(fCharacter->GetActionProp(), nullptr);
            EXPECT_FALSE(fCharacter->IsActionPropVisible());
        }
    }
}

TEST_F(MGCharacterActionTest, APhotographShowsTheCameraAndTakesTheObjectOnce) {
    for (int code : {4, 5, 6}) {
        SCOPED_TRACE(code);
        fCharacter->PlayAction(code, &fProbe);
        ASSERT_NE(fCharacter->GetActionProp(), nullptr);
        const std::vector<ActionFrame> frames = StepFrames(99);
        ASSERT_EQ(frames.size(), 100u);
        for (int frame = 0; frame < 100; ++frame) {
            SCOPED_TRACE(frame);
            const ActionFrame& shown = frames[static_cast<std::size_t>(frame)];
            EXPECT_EQ(shown.propVisible, frame >= 26 && frame <= 94);
            EXPECT_EQ(shown.calls, frame == 61 ? Lines{"deactivate"} : Lines{});
            EXPECT_EQ(shown.shutters, frame >= 61 ? 1 : 0);
        }
        // The camera follows the hand.
        const VoFrame* hand = fCharacter->GetDrawElement()->FindFrame(VoString(u"Biped_R_Hand"), true);
        VoMatrix turnY, turnZ, offset, a, b, placed;
        MatrixRotationY(&turnY, -1.57f);
        MatrixRotationZ(&turnZ, -0.785f);
        MatrixTranslation(&offset, 1.5f, 0.5f, 4.0f);
        MatrixMultiply(&a, &turnY, &turnZ);
        MatrixMultiply(&b, &a, &offset);
        MatrixMultiply(&placed, &b, &hand->GetAbsoluteMatrix());
        VoMatrix expected;
        const VoFrame* propRoot = fCharacter->GetActionProp()->GetRootFrame();
        ASSERT_NE(propRoot, nullptr);
        MatrixMultiply(&expected, &propRoot->GetRelativeMatrix(), &placed);
        EXPECT_TRUE(MatrixNear(propRoot->GetAbsoluteMatrix(), expected, 1e-4f));

        EXPECT_EQ(walkrig::LiveSounds(), (Lines{"camera //sounds/blip.wav"}));
        AnimationLeaves();
        EXPECT_EQ(fProbe.Take(), (Lines{"done " + std::to_string(code)}));
        EXPECT_THAT(walkrig::LiveSounds(), IsEmpty());
        EXPECT_EQ(fCharacter->GetActionProp(), nullptr);
        EXPECT_EQ(fCharacter->GetShutterSound(), nullptr);
        EXPECT_FALSE(fCharacter->IsBusy());
        EXPECT_EQ(fCharacter->GetActionCode(), 0);
        EXPECT_EQ(fCharacter->GetListener(), nullptr);
    }
}

TEST_F(MGCharacterActionTest, APickUpTakesTheObjectOnceFromHalfWay) {
    for (int code : {2, 3}) {
        SCOPED_TRACE(code);
        fCharacter->PlayAction(code, &fProbe);
        const std::vector<ActionFrame> frames = StepFrames(39);
        std::vector<int> taken;
        for (std::size_t frame = 0; frame < frames.size(); ++frame) {
            if (!frames[frame].calls.empty()) {
                EXPECT_EQ(frames[frame].calls, (Lines{"deactivate"}));
                taken.push_back(static_cast<int>(frame));
            }
        }
        EXPECT_THAT(taken, ElementsAre(20));
        AnimationLeaves();
        EXPECT_EQ(fProbe.Take(), (Lines{"done " + std::to_string(code)}));
        EXPECT_FALSE(fCharacter->IsBusy());
    }
}

TEST_F(MGCharacterActionTest, AnActionEndsWithTheIdleAfterItFadesOut) {
    // Played on the clock: the pick-up ends, fades out under the idle and
    // leaves the controller, and then the hotspot hears of it.
    fCharacter->PlayAction(MGCharacter::kActionPickGround, &fProbe);
    double now = 0.0;
    bool idleBack = false;
    while (fCharacter->IsBusy() && now < 4.0) {
        now += 1.0 / 30.0;
        WalkGame::SetTime(now);
        fCharacter->UpdateTransform();
        idleBack = idleBack || NameOf(Primary()) == "idle";
    }
    EXPECT_TRUE(idleBack);
    EXPECT_EQ(fProbe.Take(), (Lines{"deactivate", "done 2"}));
    EXPECT_EQ(NameOf(Primary()), "idle");
}

TEST_F(MGCharacterActionTest, AChairSeatsTheCharacterUntilItRises) {
    fCharacter->PlayAction(MGCharacter::kActionSit, &fProbe);
    EXPECT_TRUE(fCharacter->IsSeated());
    const std::vector<ActionFrame> frames = StepFrames(29);
    // Past nine tenths of the animation (frame 27) the seated idle takes over.
    EXPECT_EQ(frames.size(), 28u);
    EXPECT_EQ(frames.back().calls, (Lines{"done 7"}));
    EXPECT_EQ(NameOf(Primary()), "Chair-idle_M");
    // Whatever empties the primary slot, the seated idle comes back.
    fCharacter->GetAnimationCtrl()->FadeOutAll(0.0f);
    fCharacter->UpdateTransform();
    EXPECT_EQ(NameOf(Primary()), "Chair-idle_M");

    fCharacter->PlayAction(MGCharacter::kActionRise, &fProbe);
    EXPECT_FALSE(fCharacter->IsSeated());
    AnimationLeaves();
    EXPECT_EQ(fProbe.Take(), (Lines{"done 8"}));
    EXPECT_EQ(NameOf(Primary()), "idle");
    fCharacter->GetAnimationCtrl()->FadeOutAll(0.0f);
    fCharacter->UpdateTransform();
    EXPECT_EQ(NameOf(Primary()), "idle");
}

TEST_F(MGCharacterActionTest, ThePhoneComesOutAndGoesAway) {
    fCharacter->PlayAction(MGCharacter::kActionPhoneOut, &fProbe);
    const VoDrawElement* phone = fCharacter->GetActionProp();
    ASSERT_NE(phone, nullptr);
    std::vector<ActionFrame> frames = StepFrames(29);
    ASSERT_EQ(frames.size(), 28u);
    for (std::size_t frame = 0; frame < frames.size(); ++frame) {
        // Shown once past a third of the animation (10.2 frames).
        EXPECT_EQ(frames[frame].propVisible, frame >= 10) << frame;
    }
    EXPECT_EQ(frames.back().calls, (Lines{"done 9"}));
    EXPECT_EQ(NameOf(Primary()), "Cell-Phone_idle_M");
    // The phone stays in the hand for putting it away.
    EXPECT_EQ(fCharacter->GetActionProp(), phone);

    fCharacter->PlayAction(MGCharacter::kActionPhoneIn, &fProbe);
    EXPECT_EQ(fCharacter->GetActionProp(), phone);
    frames = StepFrames(29);
    ASSERT_EQ(frames.size(), 28u);
    EXPECT_EQ(frames.back().calls, (Lines{"done 10"}));
    EXPECT_EQ(fCharacter->GetActionProp(), nullptr);
    EXPECT_EQ(NameOf(Primary()), "idle");
}

TEST_F(MGCharacterActionTest, ThePhoneGoesAwayHalfWay) {
    fCharacter->PlayAction(MGCharacter::kActionPhoneOut, nullptr);
    AnimationLeaves();
    ASSERT_NE(fCharacter->GetActionProp(), nullptr);
    fCharacter->PlayAction(MGCharacter::kActionPhoneIn, &fProbe);
    VoAnimationSlot* slot = ActionSlot();
    slot->SetTime(14.5f / 30.0f, true);
    fCharacter->UpdateAction();
    EXPECT_NE(fCharacter->GetActionProp(), nullptr);
    slot->SetTime(15.5f / 30.0f, true);
    fCharacter->UpdateAction();
    EXPECT_EQ(fCharacter->GetActionProp(), nullptr);
    EXPECT_THAT(fProbe.Take(), IsEmpty());
}

TEST_F(MGCharacterActionTest, TheBadgeShowsFromFrameTwentyEightOfItsAnimation) {
    fCharacter->ShowHandProp(VoString(u"show-badge_m"), MGCharacter::kBadge);
    EXPECT_TRUE(fCharacter->IsHandPropArmed());
    // Until the animation plays, nothing shows.
    fCharacter->UpdateHandProp();
    EXPECT_EQ(fCharacter->GetHandProp(), nullptr);
    EXPECT_TRUE(fCharacter->IsHandPropArmed());

    VoAnimation* badge = nullptr;
    {
        VoGestureAnimManager* cache = VoGestureAnimManager::GetInstance();
        ASSERT_TRUE(cache->SetRoot(VoString(u"//animations")));
        badge = cache->GetAnimation(cache->CreateAnimation(VoString(u"Show-Badge_M.lia1")));
    }
    ASSERT_NE(badge, nullptr);
    ASSERT_TRUE(fCharacter->GetAnimationCtrl()->SetAnimation(badge, true, 1.0f, 4.0f, 12, 1.0f));
    VoAnimationSlot* slot = fCharacter->GetAnimationCtrl()->FindSlot(badge);
    for (int frame = 0; frame < 60; ++frame) {
        slot->SetTime((static_cast<float>(frame) + 0.5f) / 30.0f, true);
        fCharacter->UpdateHandProp();
        EXPECT_EQ(fCharacter->GetHandProp() != nullptr, frame >= 28) << frame;
    }
    EXPECT_EQ(fCharacter->GetHandPropKind(), MGCharacter::kBadge);
    fCharacter->GetAnimationCtrl()->RemoveAnimation(badge);
    fCharacter->UpdateHandProp();
    EXPECT_EQ(fCharacter->GetHandProp(), nullptr);
    EXPECT_FALSE(fCharacter->IsHandPropArmed());
}

TEST_F(MGCharacterActionTest, PropsAreDrawnWithTheCharacter) {
    RecordingRasterizer* raster = RecordingRasterizer::Engine();
    ASSERT_NE(raster, nullptr);
    fCharacter->PlayAction(MGCharacter::kActionCameraUp, &fProbe);
    raster->ClearCalls();
    fCharacter->Render();
    const std::size_t hidden = raster->Texts().size();
    StepFrames(30);
    ASSERT_TRUE(fCharacter->IsActionPropVisible());
    raster->ClearCalls();
    fCharacter->Render();
    EXPECT_GT(raster->Texts().size(), hidden);
    // A hidden character hides its props too.
    fCharacter->SetVisible(false);
    raster->ClearCalls();
    fCharacter->Render();
    EXPECT_TRUE(raster->Texts().empty());
}

namespace {

// Two characters of the skeleton, "kestrin" looking at "clerk".
class MGCharacterHeadTest : public ::testing::Test {
protected:
    void SetUp() override {
        fLooker.reset(Folders::Character("kestrin"));
        fTarget.reset(Folders::Character("clerk"));
    }
    // The looker at the origin facing aFacing (x, z); the target at aTarget,
    // both placed.
    bool Look(const VoVector2& aFacing, const VoVector3& aTarget) {
        fLooker->SetPosition(VoVector3(0.0f, 0.0f, 0.0f));
        fLooker->SetDirection(VoVector3(aFacing.x, 0.0f, aFacing.y));
        fTarget->SetPosition(aTarget);
        fLooker->UpdateTransform();
        fTarget->UpdateTransform();
        return fLooker->SetLookAtTarget(fTarget.get());
    }
    // The two again, with eyes that are the heads themselves: a target
    // ahead is then straight ahead. The eyes list is read again once no
    // character is left.
    void HeadsAsEyes() {
        fLooker.reset();
        fTarget.reset();
        fFolders.Write("characters/eyes.txt",
                       "kestrin\n\tright=BN_Head\n\tleft=BN_Head\nclerk\n\tright=BN_Head\n\tleft=BN_Head\n");
        fLooker.reset(Folders::Character("kestrin"));
        fTarget.reset(Folders::Character("clerk"));
    }

    WalkGame fGame;
    Folders fFolders;
    std::unique_ptr<MGCharacter> fLooker;
    std::unique_ptr<MGCharacter> fTarget;
};

}  // namespace

TEST_F(MGCharacterHeadTest, YawAndPitchTowardsTheOthersEye) {
    HeadsAsEyes();
    struct Case {
        const char* name;
        VoVector3 target;
        float yaw;
        float pitch;
    };
    const float quarter = kPi / 2;
    const Case cases[] = {
        {"ahead", {0, 0, 20}, 0, 0},
        {"to the left", {-20, 0, 0}, 0.9f * quarter, 0},
        {"to the right", {20, 0, 0}, -0.9f * quarter, 0},
        {"behind", {0, 0, -20}, 0.9f * kPi, 0},
        {"above", {0, 20, 20}, 0, -0.4f * kPi / 4},
        {"below", {0, -20, 20}, 0, 0.4f * kPi / 4},
        {"overhead", {0, 1000, 1}, 0, -0.4f * quarter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Look(VoVector2(0.0f, 1.0f), c.target));
        EXPECT_NEAR(std::fabs(fLooker->GetYaw()), std::fabs(c.yaw), 1e-3f);
        EXPECT_NEAR(fLooker->GetPitch(), c.pitch, 1e-3f);
    }
    // Left and right turn the head opposite ways.
    ASSERT_TRUE(Look(VoVector2(0.0f, 1.0f), VoVector3(-20, 0, 0)));
    const float left = fLooker->GetYaw();
    ASSERT_TRUE(Look(VoVector2(0.0f, 1.0f), VoVector3(20, 0, 0)));
    EXPECT_LT(left * fLooker->GetYaw(), 0.0f);
}

TEST_F(MGCharacterHeadTest, ATargetStraightAheadGivesNoAngleWhicheverWayTheCharacterFaces) {
    HeadsAsEyes();
    // Rounding carries some of these dot products just past 1.
    for (int degrees = 0; degrees < 360; degrees += 3) {
        SCOPED_TRACE(degrees);
        const float angle = static_cast<float>(degrees) * kPi / 180.0f;
        const VoVector2 facing(std::sin(angle), std::cos(angle));
        ASSERT_TRUE(Look(facing, VoVector3(facing.x * 37.0f, 0.0f, facing.y * 37.0f)));
        EXPECT_FALSE(std::isnan(fLooker->GetYaw()));
        EXPECT_FALSE(std::isnan(fLooker->GetPitch()));
        EXPECT_NEAR(fLooker->GetYaw(), 0.0f, 1e-3f);
        EXPECT_NEAR(fLooker->GetPitch(), 0.0f, 1e-3f);
    }
}

TEST_F(MGCharacterHeadTest, MissingEyesAreReported) {
    LogCapture log;
    EXPECT_FALSE(fLooker->SetLookAtTarget(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, MGCharacter::kNullArg));
    std::unique_ptr<MGCharacter> stranger(Folders::Character("stranger"));
    EXPECT_TRUE(fLooker->SetLookAtTarget(stranger.get()));
    EXPECT_TRUE(log.Logged(kAssert, MGCharacter::kLeftEyeNotFound));
    EXPECT_TRUE(log.Logged(kAssert, std::string(MGCharacter::kTargetEyeNotFound)));
    EXPECT_TRUE(stranger->SetLookAtTarget(fLooker.get()));
    EXPECT_TRUE(log.Logged(kAssert, MGCharacter::kRightEyeNotFound));
}

TEST_F(MGCharacterHeadTest, TheTrackingBlendsInAndOutOverAThirdOfASecond) {
    ASSERT_TRUE(Look(VoVector2(0.0f, 1.0f), VoVector3(20, 10, 20)));
    const float yaw = fLooker->GetYaw();
    ASSERT_NE(yaw, 0.0f);
    WalkGame::SetTime(1.0);
    fLooker->SetHeadTracking(true);
    EXPECT_TRUE(fLooker->IsTrackingActive());
    struct Step {
        double at;
        float blend;
        bool active;
    };
    const Step in[] = {{1.0 + 1.0 / 12, 0.25f, true}, {1.0 + 1.0 / 6, 0.5f, true}};
    for (const Step& step : in) {
        WalkGame::SetTime(step.at);
        fLooker->UpdateTransform();
        EXPECT_NEAR(fLooker->GetBlend(), step.blend, 1e-4f);
    }
    // The neck turns by the blended yaw on top of its pose.
    const VoFrame* neck = fLooker->GetDrawElement()->FindFrame(VoString(u"BN_Neck"), false);
    VoMatrix turn;
    VoMatrix expected;
    MatrixRotationX(&turn, yaw * 0.5f);
    MatrixMultiply(&expected, &turn, &neck->GetFileMatrix());
    EXPECT_TRUE(MatrixNear(neck->GetRelativeMatrix(), expected, 1e-4f));

    // Off at half the blend: down to nothing in a sixth of a second.
    fLooker->SetHeadTracking(false);
    const Step out[] = {{1.0 + 1.0 / 6 + 1.0 / 12, 0.25f, true}, {1.0 + 1.0 / 3 + 0.001, 0.0f, false}};
    for (const Step& step : out) {
        WalkGame::SetTime(step.at);
        fLooker->UpdateTransform();
        EXPECT_NEAR(fLooker->GetBlend(), step.blend, 1e-3f);
        EXPECT_EQ(fLooker->IsTrackingActive(), step.active);
    }
    // Without tracking the neck keeps its pose.
    fLooker->UpdateTransform();
    EXPECT_TRUE(MatrixNear(neck->GetRelativeMatrix(), neck->GetFileMatrix(), 1e-6f));

    // Full in after a third of a second, and it stays there.
    fLooker->SetHeadTracking(true);
    WalkGame::SetTime(3.0);
    fLooker->UpdateTransform();
    EXPECT_EQ(fLooker->GetBlend(), 1.0f);
    EXPECT_TRUE(fLooker->IsTrackingActive());
    // Switching off with nothing blended in ends it at once.
    std::unique_ptr<MGCharacter> idle(Folders::Character("clerk"));
    idle->SetHeadTracking(false);
    EXPECT_FALSE(idle->IsTrackingActive());
}

TEST_F(MGCharacterActionTest, AnActionStartedDuringAnAmbientGestureRunsToItsEnd) {
    fFolders.Animation("Idle_M_CheckWatch", 20);
    fCharacter.reset(
        Folders::Character("kestrin", "", 3, "m",
                           "\tambient\n\t\tmininterval=1\n\t\tmaxinterval=1\n\t\tgestures\n\t\t\t0\n"
                           "\t\t\t\tgesture=Idle_M_CheckWatch.lia1\n\t\t\t\tweight=1\n"));
    WalkGame::SetTime(5.0);
    fCharacter->UpdateTransform();
    VoAnimation* gesture = fCharacter->GetAmbientAnimation();
    ASSERT_NE(gesture, nullptr);
    fCharacter->PlayAction(MGCharacter::kActionPickGround, &fProbe);
    EXPECT_EQ(fCharacter->GetAmbientAnimation(), nullptr);
    // The gesture's slot goes; the pick-up goes on and ends as it should.
    fCharacter->GetAnimationCtrl()->RemoveAnimation(gesture);
    fCharacter->UpdateTransform();
    EXPECT_TRUE(fCharacter->IsBusy());
    EXPECT_EQ(fCharacter->GetActionCode(), MGCharacter::kActionPickGround);
    AnimationLeaves();
    EXPECT_EQ(fCharacter->GetActionCode(), 0);
    EXPECT_THAT(fProbe.Take(), ElementsAre("done 2"));
}
