#include "gdi/VoToolTip.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FontProbe.h"
#include "WidgetProbes.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoSRectangle.h"
#include "gdi/VoTextArea.h"
#include "gdi/VoToolTipManager.h"
#include "geometry/VoRectangle.h"
#include "stdlib/VoFrameManager.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::IsEmpty;

// A tooltip "tip" in the root, in a font of 10 x 12 characters, on a timer
// the test sets.
class VoToolTipTest : public ::testing::Test {
protected:
    VoToolTipTest() {
        fTip->SetId(VoString(u"tip"));
        EXPECT_TRUE(fTip->Create(&fFont));
        EXPECT_TRUE(VoDisplayManager::GetInstance()->AddMember(fTip));
    }

    // One frame at aTime.
    void FrameAt(double aTime) {
        fTimer.fNow = aTime;
        fFrames->Update();
    }

    RecordingEngine fEngine;
    VoFrameManager* fFrames = VoFrameManager::GetInstance();
    SetTimer fTimer;
    FixedFont fFont{10.0f, 12.0f};
    VoToolTip* fTip = new VoToolTip(&fTimer);  // owned by the root
};

}  // namespace

TEST_F(VoToolTipTest, CreateBuildsTheGroupAndOneLineOfTextInTheFont) {
    VoDisplayGroup* group = fTip->GetInnerGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(fTip->GetMember(VoString(u"tooltipgroup")), group);
    VoTextArea* text = fTip->GetTextArea();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(fTip->GetMember(VoString(u"tooltipgroup.tooltiptext")), text);
    EXPECT_FALSE(text->GetMultiLine());
    EXPECT_FLOAT_EQ(text->GetLineHeight(), 28.0f);

    LogCapture log;
    EXPECT_FALSE(fTip->Create(&fFont));
    EXPECT_TRUE(log.Logged("ERROR: ", VoToolTip::kCreateTwice));
    EXPECT_EQ(fTip->GetInnerGroup(), group);
}

TEST_F(VoToolTipTest, TheBackgroundFitsTheTextAndFollowsIt) {
    ASSERT_TRUE(fTip->SetText(VoString(u"abc")));
    EXPECT_EQ(Narrow(fTip->GetTextArea()->GetText()), "abc");
    EXPECT_EQ(fTip->GetBackground(), nullptr);

    const VoColor fill(1.0f, 0.2f, 0.2f, 0.2f);
    ASSERT_TRUE(fTip->SetBackgroundColor(fill));
    VoSRectangle* background = fTip->GetBackground();
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(fTip->GetMember(VoString(u"tooltipgroup.tooltip_bg")), background);
    EXPECT_FLOAT_EQ(background->GetRelativeZ(), -10.0f);
    EXPECT_EQ(*background->GetShapeRectangle(), VoRectangle(0.0f, 0.0f, 34.0f, 16.0f));
    EXPECT_TRUE(background->GetFilled());
    EXPECT_EQ(background->GetFillColor(), fill);
    // Behind the text.
    EXPECT_EQ(fTip->GetInnerGroup()->GetMemberAt(0), background);

    ASSERT_TRUE(fTip->SetText(VoString(u"hello")));
    EXPECT_EQ(*background->GetShapeRectangle(), VoRectangle(0.0f, 0.0f, 54.0f, 16.0f));

    const VoColor border(1.0f, 0.9f, 0.9f, 0.0f);
    ASSERT_TRUE(fTip->SetBorderColor(border));
    EXPECT_EQ(fTip->GetBackground(), background);
    EXPECT_TRUE(background->GetStroked());
    EXPECT_EQ(background->GetStrokeColor(), border);

    // Both buffers are built at the next draw.
    VoDisplayManager::GetInstance()->Render();
    EXPECT_EQ(background->GetFillTriangleCount(), 2);
    EXPECT_EQ(background->GetStrokeSegmentCount(), 4);
}

// Fade length 0.25: the fade-out that turns a fade-in round at 0.1 goes back
// down from 0.4 and reaches 0 after 0.1 s more.
TEST_F(VoToolTipTest, AFadeInTurnedRoundGoesBackWithoutAJump) {
    fTip->SetBlend(1.0f);
    ASSERT_TRUE(fTip->FadeIn());
    EXPECT_TRUE(fTip->GetVisible());
    EXPECT_FLOAT_EQ(fTip->GetBlend(), 0.0f);
    FrameAt(0.05);
    EXPECT_FLOAT_EQ(fTip->GetBlend(), 0.2f);

    fTimer.fNow = 0.1;
    ASSERT_TRUE(fTip->FadeOut());
    EXPECT_FALSE(fTip->IsFadingIn());
    FrameAt(0.1);
    EXPECT_NEAR(fTip->GetBlend(), 0.4f, 1e-6f);
    FrameAt(0.15);
    EXPECT_NEAR(fTip->GetBlend(), 0.2f, 1e-6f);
    EXPECT_TRUE(fTip->GetVisible());
    FrameAt(0.2);
    EXPECT_FLOAT_EQ(fTip->GetBlend(), 0.0f);
    EXPECT_FALSE(fTip->GetVisible());
    EXPECT_FALSE(fTip->IsFadingOut());
    EXPECT_EQ(fFrames->GetListenerCount(), 0);
}

TEST_F(VoToolTipTest, AFadeOutTurnedRoundComesBackUp) {
    ASSERT_TRUE(fTip->FadeIn());
    FrameAt(0.3);
    EXPECT_FLOAT_EQ(fTip->GetBlend(), 1.0f);
    EXPECT_FALSE(fTip->IsFadingIn());

    fTimer.fNow = 1.0;
    ASSERT_TRUE(fTip->FadeOut());
    FrameAt(1.1);
    EXPECT_NEAR(fTip->GetBlend(), 0.6f, 1e-6f);
    ASSERT_TRUE(fTip->FadeIn());
    FrameAt(1.1);
    EXPECT_NEAR(fTip->GetBlend(), 0.6f, 1e-6f);
    FrameAt(1.15);
    EXPECT_NEAR(fTip->GetBlend(), 0.8f, 1e-6f);
    FrameAt(1.21);
    EXPECT_FLOAT_EQ(fTip->GetBlend(), 1.0f);
    EXPECT_FALSE(fTip->IsFadingIn());
    EXPECT_TRUE(fTip->GetVisible());
    EXPECT_EQ(fFrames->GetListenerCount(), 0);
}

TEST_F(VoToolTipTest, RepeatedFadesAreRefusedAndAnInvisibleTooltipIgnoresFadeOut) {
    fTip->SetVisible(false);
    LogCapture log;
    EXPECT_TRUE(fTip->FadeOut());
    EXPECT_FALSE(fTip->IsFadingOut());
    EXPECT_EQ(fFrames->GetListenerCount(), 0);

    ASSERT_TRUE(fTip->FadeIn());
    FrameAt(0.1);
    EXPECT_FALSE(fTip->FadeIn());
    EXPECT_TRUE(log.Logged("ERROR: ", VoToolTip::kFadeInTwice));
    FrameAt(0.125);
    EXPECT_FLOAT_EQ(fTip->GetBlend(), 0.5f);

    ASSERT_TRUE(fTip->FadeOut());
    EXPECT_FALSE(fTip->FadeOut());
    EXPECT_TRUE(log.Logged("ERROR: ", VoToolTip::kFadeOutTwice));
}

TEST_F(VoToolTipTest, TheFadeLengthCannotChangeDuringAFade) {
    ASSERT_TRUE(fTip->FadeIn());
    LogCapture log;
    EXPECT_FALSE(fTip->SetFadeLength(1.0f));
    EXPECT_TRUE(log.Logged("ERROR: ", VoToolTip::kSetFadeLengthFading));
    FrameAt(0.25);
    EXPECT_FLOAT_EQ(fTip->GetBlend(), 1.0f);

    ASSERT_TRUE(fTip->SetFadeLength(1.0f));
    fTimer.fNow = 1.0;
    ASSERT_TRUE(fTip->FadeOut());
    FrameAt(1.25);
    EXPECT_FLOAT_EQ(fTip->GetBlend(), 0.75f);
}

TEST_F(VoToolTipTest, HideEndsTheFadeAtOnceAndKeepsTheBlend) {
    ASSERT_TRUE(fTip->FadeIn());
    FrameAt(0.1);
    fTip->Hide();
    EXPECT_FALSE(fTip->GetVisible());
    EXPECT_FALSE(fTip->IsFadingIn());
    EXPECT_NEAR(fTip->GetBlend(), 0.4f, 1e-6f);
    EXPECT_EQ(fFrames->GetListenerCount(), 0);
    // A new fade starts from 0.
    ASSERT_TRUE(fTip->FadeIn());
    EXPECT_FLOAT_EQ(fTip->GetBlend(), 0.0f);
}

TEST_F(VoToolTipTest, DrawsTheTextAtItsInsetWithTheFadedBlend) {
    fTip->SetPosition(100.0f, 50.0f);
    fTip->SetText(VoString(u"hint"));
    ASSERT_TRUE(fTip->FadeIn());
    FrameAt(0.125);
    VoDisplayManager::GetInstance()->Render();
    ASSERT_EQ(fFont.fDrawn.size(), 1u);
    EXPECT_EQ(fFont.fDrawn[0].text, "hint");
    EXPECT_THAT(fFont.fDrawn[0].position, IsNear2D(102.0f, 52.0f));
    EXPECT_FLOAT_EQ(fFont.fDrawn[0].blend, 0.5f);
}

// Only a tooltip that is registered leaves the frame manager.
TEST_F(VoToolTipTest, DestructionLeavesTheFrameManagerOnlyWhenRegistered) {
    LogCapture log;
    {
        VoToolTip idle(&fTimer);
        idle.SetId(VoString(u"idle"));
        idle.Create(&fFont);
    }
    ASSERT_TRUE(fTip->FadeIn());
    EXPECT_EQ(fFrames->GetListenerCount(), 1);
    delete fTip;
    EXPECT_EQ(fFrames->GetListenerCount(), 0);
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"tip")), nullptr);
    FrameAt(1.0);
    EXPECT_THAT(log.Lines(), IsEmpty());
}
