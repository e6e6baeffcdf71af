#include "gdi/VoFader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "WidgetProbes.h"
#include "gdi/VoIFaderListener.h"
#include "stdlib/VoFrameManager.h"
#include "support/LogCapture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Events = std::vector<std::string>;

// Writes "<id> <code>" for every event, then runs its action, if any.
class FadeRecorder : public VoIFaderListener {
public:
    void OnFadeEvent(const VoString& aFaderId, int aCode) override {
        fEvents.push_back(Narrow(aFaderId) + " " + std::to_string(aCode));
        if (fAction) {
            fAction(aCode);
        }
    }
    // The events since the last call.
    Events Take() {
        Events events;
        events.swap(fEvents);
        return events;
    }

    Events fEvents;
    std::function<void(int)> fAction;
};

// A fader "f" of the object "obj" on a timer the test sets, told to the recorder.
class VoFaderTest : public ::testing::Test {
protected:
    VoFaderTest() {
        VoFader::ResetEndToggleForTests();
        fObject.SetBlend(0.5f);
        EXPECT_TRUE(fFader.SetGroup(&fObject));
        EXPECT_TRUE(fFader.SetListener(VoString(u"f"), &fEvents));
    }
    ~VoFaderTest() override { EXPECT_FALSE(VoFader::IsEndTogglePending()); }

    // One frame at aTime.
    void FrameAt(double aTime) {
        fTimer.fNow = aTime;
        fFrames->Update();
    }

    ScopedEngine fEngine;
    VoFrameManager* fFrames = VoFrameManager::GetInstance();
    SetTimer fTimer;
    ProbeObject2D fObject{"obj"};
    FadeRecorder fEvents;
    VoFader fFader{&fTimer};
};

}  // namespace

TEST_F(VoFaderTest, RisesAlongTheLawAndFinishesOnTheSecondUpdateAtTheEnd) {
    ASSERT_TRUE(fFader.StartFade());
    EXPECT_THAT(fEvents.Take(), ElementsAre("f 0"));
    EXPECT_FLOAT_EQ(fObject.GetBlend(), 0.0f);
    EXPECT_EQ(fFrames->GetListenerCount(), 1);

    FrameAt(0.25);
    EXPECT_FLOAT_EQ(fObject.GetBlend(), 0.25f);
    FrameAt(1.0);
    EXPECT_FLOAT_EQ(fObject.GetBlend(), 1.0f);
    EXPECT_THAT(fEvents.Take(), IsEmpty());
    EXPECT_TRUE(fFader.IsFading());

    FrameAt(1.02);
    EXPECT_THAT(fEvents.Take(), ElementsAre("f 2"));
    EXPECT_FALSE(fFader.IsFading());
    EXPECT_EQ(fFrames->GetListenerCount(), 0);
}

// start + |target - start| x t x direction, clamped by the object; the target at the end.
TEST_F(VoFaderTest, TheDirectionAloneGivesTheSignOfTheMovement) {
    struct Case {
        float start, target;
        int direction;
        float fadeTime;
        double at;
        float expected;
    };
    const Case cases[] = {
        {0.2f, 0.8f, -1, 1.0f, 0.5, 0.0f},                                       // 0.2 - 0.3 ... runs below 0
        {0.2f, 0.8f, -1, 1.0f, 0.1, 0.14f},                                      // still inside 0..1
        {1.0f, 0.0f, -1, 1.0f, 0.25, 0.75f}, {1.0f, 0.0f, 1, 1.0f, 0.25, 1.0f},  // rises past 1 when told to
        {0.3f, 0.9f, 0, 1.0f, 0.9, 0.3f},                                        // stays at the start
        {0.0f, 1.0f, 1, 2.0f, 0.5, 0.25f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.start << " -> " << c.target << " dir " << c.direction << " at " << c.at);
        VoFader fader(&fTimer);
        ASSERT_TRUE(fader.SetGroup(&fObject));
        fObject.SetActive(false);
        ASSERT_TRUE(fader.SetValue(c.start));
        EXPECT_TRUE(fObject.GetActive());
        ASSERT_TRUE(fader.SetTargetValue(c.target));
        ASSERT_TRUE(fader.SetDirection(c.direction));
        ASSERT_TRUE(fader.SetFadeTime(c.fadeTime));
        fTimer.fNow = 10.0;
        ASSERT_TRUE(fader.StartFade());
        EXPECT_NEAR(fObject.GetBlend(), std::fmin(std::fmax(c.start, 0.0f), 1.0f), 1e-6f);
        FrameAt(10.0 + c.at);
        EXPECT_NEAR(fObject.GetBlend(), c.expected, 1e-5f);
        FrameAt(10.0 + c.fadeTime);
        EXPECT_FLOAT_EQ(fObject.GetBlend(), c.target);
        FrameAt(10.0 + c.fadeTime);
        EXPECT_FALSE(fader.IsFading());
    }
}

TEST_F(VoFaderTest, AFadeTimeOfZeroSetsTheTargetAtOnceAndFinishesNextUpdate) {
    ASSERT_TRUE(fFader.SetFadeTime(0.0f));
    ASSERT_TRUE(fFader.SetTargetValue(0.6f));
    ASSERT_TRUE(fFader.StartFade());
    EXPECT_THAT(fEvents.Take(), ElementsAre("f 0"));
    EXPECT_FLOAT_EQ(fObject.GetBlend(), 0.6f);
    FrameAt(0.0);
    EXPECT_THAT(fEvents.Take(), ElementsAre("f 2"));
    EXPECT_FLOAT_EQ(fObject.GetBlend(), 0.6f);
}

TEST_F(VoFaderTest, TwoFadersEndingInOneFrameFinishTwoFramesApart) {
    FadeRecorder other;
    VoFader second(&fTimer);
    ASSERT_TRUE(second.SetListener(VoString(u"g"), &other));
    ASSERT_TRUE(fFader.StartFade());
    ASSERT_TRUE(second.StartFade());
    fEvents.Take();
    other.Take();

    FrameAt(1.0);  // the first sets the toggle, the second finds it and finishes
    EXPECT_THAT(fEvents.Take(), IsEmpty());
    EXPECT_THAT(other.Take(), ElementsAre("g 2"));
    FrameAt(1.1);
    EXPECT_THAT(fEvents.Take(), IsEmpty());
    FrameAt(1.2);
    EXPECT_THAT(fEvents.Take(), ElementsAre("f 2"));
}

TEST_F(VoFaderTest, ASecondStartIsRefusedAndTheRunningFadeGoesOn) {
    ASSERT_TRUE(fFader.StartFade());
    FrameAt(0.5);
    LogCapture log;
    EXPECT_FALSE(fFader.StartFade());
    EXPECT_TRUE(log.Logged("ERROR: ", VoFader::kAlreadyStarted));
    FrameAt(0.75);
    EXPECT_FLOAT_EQ(fObject.GetBlend(), 0.75f);
    EXPECT_THAT(fEvents.Take(), ElementsAre("f 0"));
    EXPECT_EQ(fFrames->GetListenerCount(), 1);
}

TEST_F(VoFaderTest, StopSendsOneKeepsTheBlendAndTheFaderStartsAgain) {
    EXPECT_TRUE(fFader.StopFade());
    EXPECT_THAT(fEvents.Take(), IsEmpty());

    ASSERT_TRUE(fFader.StartFade());
    FrameAt(0.4);
    EXPECT_TRUE(fFader.StopFade());
    EXPECT_THAT(fEvents.Take(), ElementsAre("f 0", "f 1"));
    EXPECT_EQ(fFrames->GetListenerCount(), 0);
    FrameAt(0.8);
    EXPECT_FLOAT_EQ(fObject.GetBlend(), 0.4f);

    ASSERT_TRUE(fFader.StartFade());
    FrameAt(1.3);
    EXPECT_FLOAT_EQ(fObject.GetBlend(), 0.5f);
}

TEST_F(VoFaderTest, TheListenerMayStartTheFaderAgainWhenItFinishes) {
    int starts = 0;
    fEvents.fAction = [&](int aCode) {
        if (aCode == VoIFaderListener::kFinished && starts++ == 0) {
            EXPECT_TRUE(fFader.StartFade());
        }
    };
    ASSERT_TRUE(fFader.SetFadeTime(0.0f));
    ASSERT_TRUE(fFader.StartFade());
    FrameAt(0.0);
    EXPECT_THAT(fEvents.Take(), ElementsAre("f 0", "f 2", "f 0"));
    EXPECT_TRUE(fFader.IsFading());
    FrameAt(0.0);
    EXPECT_THAT(fEvents.Take(), ElementsAre("f 2"));
}

TEST_F(VoFaderTest, WithoutObjectOrListenerItCountsTimeSilently) {
    VoFader bare(&fTimer);
    ASSERT_TRUE(bare.SetListener(VoString(u"bare"), &fEvents));
    ASSERT_TRUE(bare.StartFade());
    FrameAt(1.0);
    FrameAt(1.0);
    EXPECT_THAT(fEvents.Take(), ElementsAre("bare 0", "bare 2"));
    EXPECT_FLOAT_EQ(fObject.GetBlend(), 0.5f);

    fFader.ClearListener();
    ASSERT_TRUE(fFader.StartFade());
    FrameAt(2.0);
    FrameAt(2.0);
    EXPECT_FALSE(fFader.IsFading());
    EXPECT_THAT(fEvents.Take(), IsEmpty());
    EXPECT_FLOAT_EQ(fObject.GetBlend(), 1.0f);
}

TEST_F(VoFaderTest, BadSettingsAreRefusedAndChangeNothing) {
    struct Case {
        std::function<bool()> call;
        std::string message;
    };
    const Case cases[] = {
        {[&] { return fFader.SetDirection(2); }, "SetDirection failure. Invalid arg:2"},
        {[&] { return fFader.SetFadeTime(-0.5f); }, "SetFadeTime failure. Value out of range: -0.500000"},
        {[&] { return fFader.SetFadeTime(std::nanf("")); }, "SetFadeTime failure. Value out of range: "},
        {[&] { return fFader.SetTargetValue(1.5f); }, "SetTargetValue failure. Value out of range:1.500000"},
        {[&] { return fFader.SetValue(-0.1f); }, "SetValue failure. Value out of range:-0.100000"},
        {[&] { return fFader.SetGroup(nullptr); }, VoFader::kSetGroupNull},
        {[&] { return fFader.SetListener(VoString(u"g"), nullptr); }, VoFader::kSetListenerNull},
        {[&] { return fFader.SetListener(VoString(u""), &fEvents); }, VoFader::kSetListenerInvalidId},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        LogCapture log;
        EXPECT_FALSE(c.call());
        ASSERT_EQ(log.Lines().size(), 1u);
        EXPECT_NE(log.Lines()[0].find("ERROR: "), std::string::npos);
        EXPECT_NE(log.Lines()[0].find(c.message), std::string::npos);
    }
    EXPECT_EQ(fFader.GetDirection(), 1);
    EXPECT_FLOAT_EQ(fFader.GetFadeTime(), 1.0f);
    EXPECT_FLOAT_EQ(fFader.GetTargetValue(), 1.0f);
    EXPECT_FLOAT_EQ(fFader.GetValue(), 0.0f);
    EXPECT_EQ(Narrow(fFader.GetId()), "f");
    ASSERT_TRUE(fFader.StartFade());
    EXPECT_THAT(fEvents.Take(), ElementsAre("f 0"));
    EXPECT_FLOAT_EQ(fObject.GetBlend(), 0.0f);
    fFader.StopFade();
}

// Only a fader that is registered leaves the frame manager.
TEST_F(VoFaderTest, DestructionLeavesTheFrameManagerOnlyWhenRegistered) {
    LogCapture log;
    { VoFader idle(&fTimer); }
    {
        VoFader running(&fTimer);
        ASSERT_TRUE(running.StartFade());
        EXPECT_EQ(fFrames->GetListenerCount(), 1);
    }
    {
        VoFader stopped(&fTimer);
        ASSERT_TRUE(stopped.StartFade());
        ASSERT_TRUE(stopped.StopFade());
    }
    EXPECT_EQ(fFrames->GetListenerCount(), 0);
    FrameAt(5.0);
    EXPECT_THAT(log.Lines(), IsEmpty());
}
