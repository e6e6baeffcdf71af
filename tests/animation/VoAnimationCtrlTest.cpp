#include "animation/VoAnimationCtrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "animation/VoAnimation.h"
#include "support/LogCapture.h"
#include "support/SetTimer.h"

namespace {

constexpr std::uint32_t kFadeIn = VoAnimationSlot::kFadeIn;
constexpr std::uint32_t kFadeOut = VoAnimationSlot::kFadeOut;
constexpr std::uint32_t kLoop = VoAnimationSlot::kLoop;
constexpr std::uint32_t kHold = VoAnimationSlot::kHoldTime;
constexpr std::uint32_t kClamp = VoAnimationSlot::kClamp;

// Flags, weight, rate, speed, time, previous time and ended flag of a slot.
using State = std::tuple<std::uint32_t, float, float, float, float, float, int>;

State StateOf(const VoAnimationSlot* apSlot) {
    return State(apSlot->fFlags, apSlot->fWeight, apSlot->fRate, apSlot->fSpeed, apSlot->fTime,
                 apSlot->fPrevTime, apSlot->fEnded);
}

class VoAnimationCtrlTest : public ::testing::Test {
protected:
    // A trackless animation of aFrames frames; the controller needs no more.
    VoAnimation* Animation(int aFrames = 30) {
        fAnimations.push_back(std::make_unique<VoAnimation>());
        EXPECT_TRUE(fAnimations.back()->Create(VoString(u"anim"), 0, aFrames));
        return fAnimations.back().get();
    }
    // The animations in slots 0..6, null for empty slots.
    std::vector<VoAnimation*> Slots() {
        std::vector<VoAnimation*> slots;
        for (int i = 0; i < VoAnimationCtrl::kSlotCount; ++i) {
            slots.push_back(fCtrl.GetSlot(i)->fpAnimation);
        }
        return slots;
    }

    SetTimer fTimer{50.0};
    VoAnimationCtrl fCtrl{&fTimer};
    std::vector<std::unique_ptr<VoAnimation>> fAnimations;
};

using Anims = std::vector<VoAnimation*>;

}  // namespace

TEST_F(VoAnimationCtrlTest, SettingThePlayingPrimaryAgainKeepsItRunning) {
    VoAnimation* walk = Animation();
    fCtrl.SetAnimation(walk, false, 0.0f, 1.0f, kFadeIn, 1.0f);
    fCtrl.Update(0.5f);
    EXPECT_TRUE(fCtrl.SetAnimation(walk, false, 1.0f, 0.0f, kLoop, 2.0f));
    EXPECT_EQ(StateOf(fCtrl.GetSlot(0)), State(kFadeIn, 0.5f, 1.0f, 1.0f, 0.5f, 0.0f, 0));
    EXPECT_EQ(Slots(), Anims({walk, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}));
}

TEST_F(VoAnimationCtrlTest, ReplacedPrimaryFadesOutInTheLowestFreeLayer) {
    VoAnimation* idle = Animation();
    VoAnimation* walk = Animation();
    VoAnimation* gesture = Animation();
    fCtrl.SetAnimation(idle, false, 0.0f, 4.0f, 12, 2.0f);
    fCtrl.SetSlot(gesture, 2, 1.0f, 0.0f, kHold);
    fCtrl.Update(0.25f);
    fCtrl.GetSlot(0)->fEnded = 1;

    fCtrl.SetAnimation(walk, false, 0.5f, 4.0f, kFadeIn, 1.5f);
    EXPECT_EQ(Slots(), Anims({walk, idle, gesture, nullptr, nullptr, nullptr, nullptr}));
    EXPECT_EQ(StateOf(fCtrl.GetSlot(1)), State(12 | kFadeOut, 1.0f, -4.0f, 1.0f, 0.25f, 0.0f, 1));
    EXPECT_EQ(StateOf(fCtrl.GetSlot(0)), State(kFadeIn, 0.5f, 4.0f, 1.5f, 0.0f, 0.0f, 0));
}

TEST_F(VoAnimationCtrlTest, ReplacedPrimaryIsDroppedWhenNoLayerIsFree) {
    VoAnimation* idle = Animation();
    VoAnimation* walk = Animation();
    fCtrl.SetAnimation(idle, false, 1.0f, 0.0f, 12, 1.0f);
    Anims expected = {walk};
    for (int i = 1; i < VoAnimationCtrl::kSlotCount; ++i) {
        expected.push_back(Animation());
        fCtrl.SetAnimation(expected.back(), true, 1.0f, 0.0f, 0, 1.0f);
    }
    EXPECT_EQ(fCtrl.GetFreeSlot(), nullptr);
    fCtrl.SetAnimation(walk, false, 1.0f, 0.0f, 12, 1.0f);
    EXPECT_EQ(Slots(), expected);
}

TEST_F(VoAnimationCtrlTest, LayersTakeTheLowestFreeSlotOnce) {
    VoAnimation* a = Animation();
    VoAnimation* b = Animation();
    VoAnimation* c = Animation();
    fCtrl.SetSlot(a, 2, 1.0f, 0.0f, 0);
    fCtrl.SetAnimation(b, true, 0.0f, 4.0f, 49, 1.0f);
    fCtrl.SetAnimation(a, true, 0.0f, 4.0f, 0, 1.0f);
    fCtrl.SetAnimation(c, true, 0.0f, 4.0f, 0, 1.0f);
    EXPECT_EQ(Slots(), Anims({nullptr, b, a, c, nullptr, nullptr, nullptr}));
    EXPECT_EQ(fCtrl.GetSlot(2)->fRate, 0.0f);
    EXPECT_TRUE(fCtrl.IsLayerPlaying(a));
    EXPECT_EQ(fCtrl.FindSlot(nullptr), nullptr);
}

TEST_F(VoAnimationCtrlTest, UpdateFadesAdvancesAndHolds) {
    fCtrl.SetSlot(Animation(), 0, 0.5f, 4.0f, kFadeIn);
    fCtrl.SetSlot(Animation(), 1, 0.25f, 4.0f, kHold);
    fCtrl.SetSlot(Animation(), 2, 3.0f, -4.0f, 0, 2.0f);
    fCtrl.Update(0.25f);
    EXPECT_EQ(StateOf(fCtrl.GetSlot(0)), State(0, 1.0f, 4.0f, 1.0f, 0.25f, 0.0f, 0));
    // Neither fading in nor out: the weight stays, but within 0..1.
    EXPECT_EQ(StateOf(fCtrl.GetSlot(1)), State(kHold, 0.25f, 4.0f, 1.0f, 0.0f, 0.0f, 0));
    EXPECT_EQ(StateOf(fCtrl.GetSlot(2)), State(0, 1.0f, -4.0f, 2.0f, 0.25f, 0.0f, 0));
    EXPECT_EQ(fCtrl.GetSlotAnimTime(2), 0.5f);
}

TEST_F(VoAnimationCtrlTest, FadedOutLayerLeavesAndLaterLayersMoveDown) {
    VoAnimation* second = Animation();
    VoAnimation* third = Animation();
    fCtrl.SetSlot(Animation(), 1, 0.5f, -4.0f, kFadeOut);
    fCtrl.SetSlot(second, 2, 1.0f, 0.0f, 0);
    fCtrl.SetSlot(third, 3, 1.0f, 0.0f, 0);
    fCtrl.Update(0.125f);
    EXPECT_EQ(Slots(), Anims({nullptr, second, third, nullptr, nullptr, nullptr, nullptr}));
    // The layer that moved into the emptied slot waits for the next Update.
    EXPECT_EQ(fCtrl.GetSlot(1)->fTime, 0.0f);
    EXPECT_EQ(fCtrl.GetSlot(2)->fTime, 0.125f);
}

// A 31-frame animation without kLoop or kClamp in a layer of weight 1: key
// 30 at t = 1.0 s ends it; the next Update fades it out over 0.25 s with its
// time held, and then the layers behind it move down.
TEST_F(VoAnimationCtrlTest, LayerThatReachesItsEndFadesOutOverAQuarterSecond) {
    VoAnimation* gesture = Animation(31);
    VoAnimation* behind = Animation(31);
    fCtrl.SetAnimation(gesture, true, 1.0f, 0.0f, 0, 1.0f);
    fCtrl.SetAnimation(behind, true, 1.0f, 0.0f, kLoop, 1.0f);
    VoAnimationSlot* slot = fCtrl.GetSlot(1);
    fCtrl.Update(0.5f);
    EXPECT_EQ(slot->SampleKeyIndex(), 15);
    fCtrl.Update(1.0f);
    EXPECT_EQ(slot->SampleKeyIndex(), 30);
    EXPECT_EQ(StateOf(slot), State(kHold, 1.0f, 0.0f, 1.0f, 0.5f, 0.5f, 1));

    fCtrl.Update(1.125f);
    EXPECT_EQ(StateOf(slot), State(kFadeOut | kHold, 0.5f, -4.0f, 1.0f, 0.5f, 0.5f, 1));
    fCtrl.Update(1.25f);
    EXPECT_EQ(Slots(), Anims({nullptr, behind, nullptr, nullptr, nullptr, nullptr, nullptr}));

    // In slot 0 the same empties the primary slot.
    fCtrl.SetAnimation(gesture, false, 1.0f, 0.0f, 0, 1.0f);
    fCtrl.Update(2.25f);
    EXPECT_EQ(fCtrl.GetSlot(0)->SampleKeyIndex(), 30);
    fCtrl.Update(2.5f);
    EXPECT_TRUE(fCtrl.GetSlot(0)->IsEmpty());
}

TEST_F(VoAnimationCtrlTest, EndRuleByFlags) {
    struct Case {
        std::uint32_t flags;
        float time;
        std::int32_t key;
        int ended;
        float timeAfter;
        std::uint32_t flagsAfter;
    };
    const Case cases[] = {
        {0, 0.5f, 15, 0, 0.5f, 0},            // before the end
        {kClamp, 1.0f, 30, 0, 1.0f, kClamp},  // clamped: the last key, never ended
        {kClamp, 9.0f, 30, 0, 9.0f, kClamp},  //
        {kLoop, 1.0f, 30, 1, 0.0f, kLoop},    // looping: restarts
        {kLoop, 1.5f, 14, 1, 0.0f, kLoop},    // k = 45 modulo 31
        {0, 1.5f, 14, 1, 0.25f, kHold},       // back to the previous time, held
        {0, -2.0f, 0, 0, -2.0f, 0},           // before the start: the first key
        {0, 1.0e30f, 30, 1, 0.25f, kHold},    // far past the end
    };
    VoAnimation* animation = Animation(31);
    for (const Case& c : cases) {
        VoAnimationSlot slot;
        slot.fpAnimation = animation;
        slot.fFlags = c.flags;
        slot.fEnded = 1;
        slot.fTime = c.time;
        slot.fPrevTime = 0.25f;
        const std::int32_t key = slot.SampleKeyIndex();
        if (c.time < 1.0e9f) {
            EXPECT_EQ(key, c.key) << c.flags << " " << c.time;
        }
        EXPECT_TRUE(key >= 0 && key <= 30);
        EXPECT_EQ(std::make_tuple(slot.fEnded, slot.fTime, slot.fFlags),
                  std::make_tuple(c.ended, c.timeAfter, c.flagsAfter))
            << c.flags << " " << c.time;
    }
}

// An animation of no frames has no key: its slot is skipped, untouched.
TEST_F(VoAnimationCtrlTest, AnimationOfNoFramesIsNeverSampled) {
    fCtrl.SetAnimation(Animation(0), false, 1.0f, 0.0f, 0, 1.0f);
    fCtrl.Update(2.0f);
    VoAnimationSlot* slot = fCtrl.GetSlot(0);
    slot->fEnded = 1;
    EXPECT_EQ(slot->SampleKeyIndex(), -1);
    EXPECT_EQ(StateOf(slot), State(0, 1.0f, 0.0f, 1.0f, 2.0f, 0.0f, 1));
}

TEST_F(VoAnimationCtrlTest, FadeOutAllEmptiesOrFadesEverySlot) {
    VoAnimation* b = Animation();
    fCtrl.SetSlot(Animation(), 0, 0.25f, 4.0f, kFadeIn | kLoop);
    fCtrl.SetSlot(b, 3, 1.0f, -2.0f, 0);
    fCtrl.FadeOutAll(0.5f);
    // A rising rate would never take the slot away: it falls at -4.0.
    EXPECT_EQ(StateOf(fCtrl.GetSlot(0)), State(kFadeOut | kLoop, 0.5f, -4.0f, 1.0f, 0.0f, 0.0f, 0));
    EXPECT_EQ(fCtrl.GetSlot(3)->fRate, -2.0f);
    fCtrl.Update(0.125f);
    EXPECT_EQ(Slots(), Anims({nullptr, b, nullptr, nullptr, nullptr, nullptr, nullptr}));
    fCtrl.FadeOutAll(0.0f);
    EXPECT_EQ(Slots(), Anims(7, nullptr));
}

TEST_F(VoAnimationCtrlTest, SlotOperations) {
    VoAnimation* a = Animation();
    VoAnimation* b = Animation();
    VoAnimation* c = Animation();
    fCtrl.SetSlot(a, 0, 1.0f, 0.0f, 0);
    fCtrl.SetSlot(b, 2, 1.0f, 0.0f, 0);
    fCtrl.SetSlot(c, 5, 1.0f, 0.0f, 0);
    fCtrl.CompactLayers();
    EXPECT_EQ(Slots(), Anims({a, b, c, nullptr, nullptr, nullptr, nullptr}));

    const float params[4] = {49.0f, 0.5f, -1.0f, 2.0f};
    EXPECT_TRUE(fCtrl.SetSlotParams(c, params));
    EXPECT_EQ(StateOf(fCtrl.GetSlot(2)), State(49, 0.5f, -1.0f, 2.0f, 0.0f, 0.0f, 0));
    const float badFlags[4] = {-1.0f, 0.5f, -1.0f, 2.0f};
    EXPECT_TRUE(fCtrl.SetSlotParams(c, badFlags));
    EXPECT_EQ(fCtrl.GetSlot(2)->fFlags, 0u);

    EXPECT_EQ(fCtrl.GetSlotAnimTime(4), -1.0f);
    EXPECT_TRUE(fCtrl.RemoveAnimation(b));
    EXPECT_FALSE(fCtrl.RemoveAnimation(b));
    fCtrl.ClearLayers();
    EXPECT_EQ(Slots(), Anims({a, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}));

    LogCapture log;
    EXPECT_EQ(fCtrl.GetSlot(7), nullptr);
    EXPECT_FALSE(fCtrl.SetSlot(a, -1, 1.0f, 0.0f, 0));
    EXPECT_EQ(log.Count(VoAnimationCtrl::kInvalidSlot), 2);
}
