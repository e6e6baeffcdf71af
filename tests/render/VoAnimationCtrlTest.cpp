#include "render/VoAnimationCtrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/VoITimer.h"
#include "render/VoAnimation.h"
#include "stdlib/VoStopWatch.h"
#include "support/LogCapture.h"

namespace {

// A timer that reads whatever the test sets.
class SetTimer : public VoITimer {
public:
    bool Initialize(std::uintptr_t) override { return true; }
    double GetTime() override { return fNow; }
    bool Reset() override { return true; }

    double fNow = 50.0;
};

constexpr std::uint32_t kFadeIn = VoAnimationSlot::kFadeIn;
constexpr std::uint32_t kFadeOut = VoAnimationSlot::kFadeOut;
constexpr std::uint32_t kLoop = VoAnimationSlot::kLoop;
constexpr std::uint32_t kHold = VoAnimationSlot::kHoldTime;
constexpr std::uint32_t kClamp = VoAnimationSlot::kClamp;

class VoAnimationCtrlTest : public ::testing::Test {
protected:
    // A trackless animation of aFrames frames; the controller needs no more.
    VoAnimation* Animation(const char16_t* apName, int aFrames) {
        fAnimations.push_back(std::make_unique<VoAnimation>());
        EXPECT_TRUE(fAnimations.back()->Create(VoString(apName), 0, aFrames));
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

    SetTimer fTimer;
    VoAnimationCtrl fCtrl{&fTimer};
    std::vector<std::unique_ptr<VoAnimation>> fAnimations;
};

}  // namespace

TEST_F(VoAnimationCtrlTest, SettingThePlayingPrimaryAgainKeepsItRunning) {
    VoAnimation* walk = Animation(u"walk", 30);
    fCtrl.SetAnimation(walk, false, 0.0f, 1.0f, kFadeIn, 1.0f);
    fCtrl.Update(0.5f);
    EXPECT_TRUE(fCtrl.SetAnimation(walk, false, 1.0f, 0.0f, kLoop, 2.0f));
    EXPECT_FLOAT_EQ(fCtrl.GetSlotAnimTime(0), 0.5f);
    EXPECT_EQ(fCtrl.GetSlot(0)->fFlags, kFadeIn);
    EXPECT_EQ(Slots(),
              std::vector<VoAnimation*>({walk, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}));
}

TEST_F(VoAnimationCtrlTest, ReplacedPrimaryFadesOutInTheLowestFreeLayer) {
    VoAnimation* idle = Animation(u"idle", 30);
    VoAnimation* walk = Animation(u"walk", 30);
    VoAnimation* gesture = Animation(u"wave", 30);
    fCtrl.SetAnimation(idle, false, 0.0f, 4.0f, 12, 2.0f);
    fCtrl.SetSlot(gesture, 2, 1.0f, 0.0f, kHold);
    fCtrl.Update(0.25f);
    fCtrl.GetSlot(0)->fEnded = 1;

    fCtrl.SetAnimation(walk, false, 0.5f, 4.0f, kFadeIn, 1.5f);
    EXPECT_EQ(Slots(), std::vector<VoAnimation*>({walk, idle, gesture, nullptr, nullptr, nullptr, nullptr}));
    const VoAnimationSlot* old = fCtrl.GetSlot(1);
    EXPECT_EQ(old->fFlags, 12u | kFadeOut);
    EXPECT_EQ(old->fWeight, 1.0f);
    EXPECT_EQ(old->fRate, VoAnimationCtrl::kFadeOutRate);
    EXPECT_EQ(old->fSpeed, 1.0f);
    EXPECT_EQ(old->fTime, 0.25f);
    EXPECT_EQ(old->fEnded, 1);
    const VoAnimationSlot* primary = fCtrl.GetSlot(0);
    EXPECT_EQ(primary->fFlags, kFadeIn);
    EXPECT_EQ(primary->fWeight, 0.5f);
    EXPECT_EQ(primary->fRate, 4.0f);
    EXPECT_EQ(primary->fSpeed, 1.5f);
    EXPECT_EQ(primary->fTime, 0.0f);
    EXPECT_EQ(primary->fPrevTime, 0.0f);
    EXPECT_EQ(primary->fEnded, 0);
}

TEST_F(VoAnimationCtrlTest, ReplacedPrimaryIsDroppedWhenNoLayerIsFree) {
    VoAnimation* idle = Animation(u"idle", 30);
    VoAnimation* walk = Animation(u"walk", 30);
    fCtrl.SetAnimation(idle, false, 1.0f, 0.0f, 12, 1.0f);
    std::vector<VoAnimation*> expected = {walk};
    for (int i = 1; i < VoAnimationCtrl::kSlotCount; ++i) {
        VoAnimation* layer = Animation(u"layer", 30);
        fCtrl.SetAnimation(layer, true, 1.0f, 0.0f, 0, 1.0f);
        expected.push_back(layer);
    }
    EXPECT_EQ(fCtrl.GetFreeSlot(), nullptr);
    fCtrl.SetAnimation(walk, false, 1.0f, 0.0f, 12, 1.0f);
    EXPECT_EQ(Slots(), expected);
    EXPECT_EQ(fCtrl.FindSlot(idle), nullptr);
}

TEST_F(VoAnimationCtrlTest, LayersTakeTheLowestFreeSlotOnce) {
    VoAnimation* a = Animation(u"a", 30);
    VoAnimation* b = Animation(u"b", 30);
    VoAnimation* c = Animation(u"c", 30);
    fCtrl.SetSlot(a, 2, 1.0f, 0.0f, 0);
    fCtrl.SetAnimation(b, true, 0.0f, 4.0f, 49, 1.0f);
    fCtrl.SetAnimation(a, true, 0.0f, 4.0f, 0, 1.0f);
    fCtrl.SetAnimation(c, true, 0.0f, 4.0f, 0, 1.0f);
    EXPECT_EQ(Slots(), std::vector<VoAnimation*>({nullptr, b, a, c, nullptr, nullptr, nullptr}));
    EXPECT_EQ(fCtrl.GetSlot(1)->fFlags, 49u);
    EXPECT_EQ(fCtrl.GetSlot(2)->fRate, 0.0f);
    EXPECT_TRUE(fCtrl.IsLayerPlaying(a));
    EXPECT_EQ(fCtrl.FindSlotIndex(c), 3);
    EXPECT_EQ(fCtrl.FindSlot(nullptr), nullptr);
    EXPECT_FALSE(fCtrl.IsLayerPlaying(nullptr));
}

TEST_F(VoAnimationCtrlTest, UpdateFadesAdvancesAndHolds) {
    VoAnimation* rising = Animation(u"rising", 30);
    VoAnimation* held = Animation(u"held", 30);
    VoAnimation* plain = Animation(u"plain", 30);
    fCtrl.SetSlot(rising, 0, 0.5f, 4.0f, kFadeIn);
    fCtrl.SetSlot(held, 1, 0.25f, 4.0f, kHold);
    fCtrl.SetSlot(plain, 2, 3.0f, -4.0f, 0, 2.0f);
    fCtrl.Update(0.25f);
    const VoAnimationSlot* slot = fCtrl.GetSlot(0);
    EXPECT_EQ(slot->fWeight, 1.0f);
    EXPECT_EQ(slot->fFlags, 0u);
    EXPECT_EQ(slot->fTime, 0.25f);
    EXPECT_EQ(slot->fPrevTime, 0.0f);
    slot = fCtrl.GetSlot(1);
    EXPECT_EQ(slot->fTime, 0.0f);
    EXPECT_EQ(slot->fWeight, 0.25f);  // neither fading in nor out
    slot = fCtrl.GetSlot(2);
    EXPECT_EQ(slot->fWeight, 1.0f);  // clamped, not faded: no fade flag
    EXPECT_EQ(fCtrl.GetSlotAnimTime(2), 0.5f);
}

TEST_F(VoAnimationCtrlTest, FadedOutLayerLeavesAndLaterLayersMoveDown) {
    VoAnimation* first = Animation(u"first", 30);
    VoAnimation* second = Animation(u"second", 30);
    VoAnimation* third = Animation(u"third", 30);
    fCtrl.SetSlot(first, 1, 0.5f, -4.0f, kFadeOut);
    fCtrl.SetSlot(second, 2, 1.0f, 0.0f, 0);
    fCtrl.SetSlot(third, 3, 1.0f, 0.0f, 0);
    fCtrl.Update(0.125f);
    EXPECT_EQ(Slots(),
              std::vector<VoAnimation*>({nullptr, second, third, nullptr, nullptr, nullptr, nullptr}));
    // The layer that moved into the emptied slot waits for the next Update.
    EXPECT_EQ(fCtrl.GetSlot(1)->fTime, 0.0f);
    EXPECT_EQ(fCtrl.GetSlot(2)->fTime, 0.125f);
}

// A 31-frame animation without kLoop or kClamp in a layer of weight 1: key
// 30 at t = 1.0 s ends it; the next Update fades it out over 0.25 s with its
// time held, and then the layers behind it move down.
TEST_F(VoAnimationCtrlTest, LayerThatReachesItsEndFadesOutOverAQuarterSecond) {
    VoAnimation* gesture = Animation(u"gesture", 31);
    VoAnimation* behind = Animation(u"behind", 31);
    fCtrl.SetAnimation(gesture, true, 1.0f, 0.0f, 0, 1.0f);
    fCtrl.SetAnimation(behind, true, 1.0f, 0.0f, kLoop, 1.0f);
    VoAnimationSlot* slot = fCtrl.GetSlot(1);
    fCtrl.Update(0.5f);
    EXPECT_EQ(slot->SampleKeyIndex(), 15);
    EXPECT_EQ(slot->fEnded, 0);
    fCtrl.Update(1.0f);
    EXPECT_EQ(slot->SampleKeyIndex(), 30);
    EXPECT_EQ(slot->fEnded, 1);
    EXPECT_EQ(slot->fTime, 0.5f);
    EXPECT_EQ(slot->fFlags, kHold);

    fCtrl.Update(1.125f);
    EXPECT_EQ(slot->fFlags, kFadeOut | kHold);
    EXPECT_EQ(slot->fRate, -4.0f);
    EXPECT_EQ(slot->fWeight, 0.5f);
    EXPECT_EQ(slot->fTime, 0.5f);
    EXPECT_EQ(fCtrl.GetSlot(1)->fpAnimation, gesture);
    fCtrl.Update(1.25f);
    EXPECT_EQ(Slots(),
              std::vector<VoAnimation*>({nullptr, behind, nullptr, nullptr, nullptr, nullptr, nullptr}));
}

TEST_F(VoAnimationCtrlTest, PrimaryThatReachesItsEndEmptiesItsSlot) {
    VoAnimation* action = Animation(u"action", 31);
    fCtrl.SetAnimation(action, false, 1.0f, 0.0f, kFadeIn, 1.0f);
    fCtrl.Update(1.0f);
    EXPECT_EQ(fCtrl.GetSlot(0)->SampleKeyIndex(), 30);
    fCtrl.Update(1.25f);
    EXPECT_TRUE(fCtrl.GetSlot(0)->IsEmpty());
    EXPECT_EQ(fCtrl.GetSlot(0)->SampleKeyIndex(), -1);
}

TEST_F(VoAnimationCtrlTest, EndRuleByFlags) {
    struct Case {
        std::uint32_t flags;
        float time;
        std::int32_t key;
        std::uint8_t ended;
        float timeAfter;
        std::uint32_t flagsAfter;
    };
    const Case cases[] = {
        {0, 0.5f, 15, 0, 0.5f, 0},            // before the end
        {kClamp, 1.0f, 30, 0, 1.0f, kClamp},  // clamped: last key, never ended
        {kClamp, 9.0f, 30, 0, 9.0f, kClamp}, {kLoop, 1.0f, 30, 1, 0.0f, kLoop},  // looping: restarts
        {kLoop, 1.5f, 14, 1, 0.0f, kLoop},                                       // k = 45 modulo 31
        {0, 1.5f, 14, 1, 0.25f, kHold},                                          // back to the previous time
        {0, -2.0f, 0, 0, -2.0f, 0},  // before the start: the first key
    };
    VoAnimation* animation = Animation(u"a", 31);
    for (const Case& c : cases) {
        VoAnimationSlot slot;
        slot.fpAnimation = animation;
        slot.fFlags = c.flags;
        slot.fEnded = 1;
        slot.fTime = c.time;
        slot.fPrevTime = 0.25f;
        EXPECT_EQ(slot.SampleKeyIndex(), c.key) << c.flags << " " << c.time;
        EXPECT_EQ(slot.fEnded, c.ended) << c.flags << " " << c.time;
        EXPECT_EQ(slot.fTime, c.timeAfter) << c.flags << " " << c.time;
        EXPECT_EQ(slot.fFlags, c.flagsAfter) << c.flags << " " << c.time;
    }
}

TEST_F(VoAnimationCtrlTest, AnimationOfNoFramesIsNeverSampled) {
    VoAnimation* empty = Animation(u"empty", 0);
    fCtrl.SetAnimation(empty, false, 1.0f, 0.0f, 0, 1.0f);
    fCtrl.Update(2.0f);
    VoAnimationSlot* slot = fCtrl.GetSlot(0);
    slot->fEnded = 1;
    EXPECT_EQ(slot->SampleKeyIndex(), -1);
    EXPECT_EQ(slot->fEnded, 1);
    EXPECT_EQ(slot->fTime, 2.0f);
}

TEST_F(VoAnimationCtrlTest, FadeOutAllEmptiesOrFadesEverySlot) {
    VoAnimation* a = Animation(u"a", 30);
    VoAnimation* b = Animation(u"b", 30);
    fCtrl.SetSlot(a, 0, 0.25f, 4.0f, kFadeIn | kLoop);
    fCtrl.SetSlot(b, 3, 1.0f, -2.0f, 0);
    fCtrl.FadeOutAll(0.5f);
    EXPECT_EQ(fCtrl.GetSlot(0)->fFlags, kFadeOut | kLoop);
    EXPECT_EQ(fCtrl.GetSlot(0)->fWeight, 0.5f);
    // A rising rate would never take the slot away.
    EXPECT_EQ(fCtrl.GetSlot(0)->fRate, VoAnimationCtrl::kFadeOutRate);
    EXPECT_EQ(fCtrl.GetSlot(3)->fRate, -2.0f);
    fCtrl.Update(0.125f);
    EXPECT_EQ(Slots(), std::vector<VoAnimation*>({nullptr, b, nullptr, nullptr, nullptr, nullptr, nullptr}));

    fCtrl.FadeOutAll(0.0f);
    EXPECT_EQ(Slots(), std::vector<VoAnimation*>(7, nullptr));
}

TEST_F(VoAnimationCtrlTest, SlotOperations) {
    VoAnimation* a = Animation(u"a", 30);
    VoAnimation* b = Animation(u"b", 30);
    VoAnimation* c = Animation(u"c", 30);
    fCtrl.SetSlot(a, 0, 1.0f, 0.0f, 0);
    fCtrl.SetSlot(b, 2, 1.0f, 0.0f, 0);
    fCtrl.SetSlot(c, 5, 1.0f, 0.0f, 0);
    fCtrl.CompactLayers();
    EXPECT_EQ(Slots(), std::vector<VoAnimation*>({a, b, c, nullptr, nullptr, nullptr, nullptr}));

    EXPECT_TRUE(fCtrl.HoldAnimation(b));
    EXPECT_EQ(fCtrl.GetSlot(1)->fFlags, kHold);
    const float params[4] = {49.0f, 0.5f, -1.0f, 2.0f};
    EXPECT_TRUE(fCtrl.SetSlotParams(c, params));
    const VoAnimationSlot* slot = fCtrl.GetSlot(2);
    EXPECT_EQ(slot->fFlags, 49u);
    EXPECT_EQ(slot->fWeight, 0.5f);
    EXPECT_EQ(slot->fRate, -1.0f);
    EXPECT_EQ(slot->fSpeed, 2.0f);
    const float badFlags[4] = {-1.0f, 0.5f, -1.0f, 2.0f};
    EXPECT_TRUE(fCtrl.SetSlotParams(c, badFlags));
    EXPECT_EQ(slot->fFlags, 0u);

    EXPECT_EQ(TextOf(*fCtrl.GetSlotAnimationName(1)), u"b");
    EXPECT_EQ(fCtrl.GetSlotAnimationName(4), nullptr);
    EXPECT_EQ(fCtrl.GetSlotAnimTime(4), -1.0f);
    EXPECT_TRUE(fCtrl.RemoveAnimation(b));
    EXPECT_FALSE(fCtrl.RemoveAnimation(b));
    EXPECT_FALSE(fCtrl.HoldAnimation(b));
    EXPECT_FALSE(fCtrl.SetSlotParams(b, params));
    fCtrl.ClearLayers();
    EXPECT_EQ(Slots(), std::vector<VoAnimation*>({a, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}));

    LogCapture log;
    EXPECT_EQ(fCtrl.GetSlot(7), nullptr);
    EXPECT_FALSE(fCtrl.SetSlot(a, -1, 1.0f, 0.0f, 0));
    EXPECT_EQ(log.Count(VoAnimationCtrl::kInvalidSlot), 2);
}

TEST_F(VoAnimationCtrlTest, SetSlotKeepsThePreviousTime) {
    VoAnimation* a = Animation(u"a", 30);
    fCtrl.SetSlot(a, 1, 1.0f, 0.0f, 0);
    fCtrl.Update(0.5f);
    fCtrl.Update(0.75f);
    fCtrl.GetSlot(1)->fEnded = 1;
    fCtrl.SetSlot(a, 1, 0.0f, 4.0f, kFadeIn, 2.0f);
    const VoAnimationSlot* slot = fCtrl.GetSlot(1);
    EXPECT_EQ(slot->fTime, 0.0f);
    EXPECT_EQ(slot->fPrevTime, 0.5f);
    EXPECT_EQ(slot->fEnded, 0);
    EXPECT_EQ(slot->fSpeed, 2.0f);
}

TEST_F(VoAnimationCtrlTest, PausingStopsTheClock) {
    VoStopWatch* clock = fCtrl.GetStopWatch();
    ASSERT_NE(clock, nullptr);
    fTimer.fNow += 1.0;
    EXPECT_FLOAT_EQ(clock->GetElapsed(), 1.0f);
    fCtrl.SetPaused(true);
    fTimer.fNow += 5.0;
    EXPECT_TRUE(fCtrl.IsPaused());
    EXPECT_FLOAT_EQ(clock->GetElapsed(), 1.0f);
    fCtrl.SetPaused(false);
    fTimer.fNow += 1.0;
    EXPECT_FLOAT_EQ(clock->GetElapsed(), 2.0f);
}
