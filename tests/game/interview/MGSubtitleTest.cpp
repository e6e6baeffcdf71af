#include "interview/MGSubtitle.h"

#include <gtest/gtest.h>

#include "game/support/RecordingGame.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "render/VoTextureManager.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "util/MGCleaner.h"
#include "util/MGOptions.h"

namespace {

class MGSubtitleTest : public ::testing::Test {
protected:
    MGSubtitleTest() {
        RecordingGame::MountSampleTree();
        MGOptions::GetInstance()->SetOption(MGSubtitle::kSubtitlesOffOption, 0);
        RecordingGame::FrameAt(fNow);
    }

    // Moves the clock on and runs one frame.
    void Frame(double aSeconds) {
        fNow += aSeconds;
        RecordingGame::FrameAt(fNow);
    }

    static VoDisplayGroup* Member(const char16_t* apPath) {
        return dynamic_cast<VoDisplayGroup*>(MGSubtitle::GetInstance()->GetMember(VoString(apPath)));
    }

    RecordingGame fGame;
    double fNow = 1.0;
};

}  // namespace

TEST_F(MGSubtitleTest, TheBoxIsMadeOnceHiddenInTheDisplayRootWithItsParts) {
    // The background is taken under "//textures" whatever root a caller has set.
    VoTextureManager::GetInstance()->SetRoot(VoString(u"//textures/fonts"));
    MGSubtitle* box = MGSubtitle::GetInstance();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MGSubtitle::GetInstance(), box);
    EXPECT_EQ(TextOf(box->GetId()), u"subtitle");
    EXPECT_EQ(box->GetGroup(), VoDisplayManager::GetInstance()->GetRootGroup());
    EXPECT_FALSE(box->GetVisible());
    EXPECT_FALSE(box->IsVisible());
    EXPECT_EQ(box->GetRelativeZ(), 1000.0f);

    auto* background = dynamic_cast<VoSprite*>(box->GetMember(VoString(u"bkgGroup.bgSprite")));
    ASSERT_NE(background, nullptr);
    EXPECT_NE(background->GetTexture(), 0u);
    VoVector2 scale;
    background->GetScale(scale);
    EXPECT_EQ(scale, VoVector2(50.0f, 6.25f));
    ASSERT_NE(Member(u"textGroup"), nullptr);
    EXPECT_EQ(Member(u"textGroup")->GetPosition(), VoVector2(20.0f, 10.0f));
}

TEST_F(MGSubtitleTest, SetTextReplacesBothLinesAndAppendTextOnlyTheSecond) {
    MGSubtitle* box = MGSubtitle::GetInstance();
    box->SetText(VoString(u"First line."), nullptr);
    VoTextArea* text = box->GetMainText();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(TextOf(text->GetId()), u"subtitle");
    EXPECT_EQ(TextOf(text->GetText()), u"First line.");
    EXPECT_EQ(text->GetWidth(), 760.0f);
    EXPECT_TRUE(text->GetWordWrap());
    EXPECT_EQ(text->GetLineHeight(), 20.0f);
    EXPECT_EQ(text->GetPosition(), VoVector2(0.0f, 0.0f));

    box->AppendText(VoString(u"Second line."), nullptr);
    box->AppendText(VoString(u"Another second line."), nullptr);
    ASSERT_NE(box->GetAppendedText(), nullptr);
    EXPECT_EQ(TextOf(box->GetAppendedText()->GetId()), u"subtitle_appended");
    EXPECT_EQ(TextOf(box->GetAppendedText()->GetText()), u"Another second line.");
    EXPECT_EQ(box->GetAppendedText()->GetPosition(), VoVector2(0.0f, 40.0f));
    EXPECT_EQ(box->GetMainText(), text);
    EXPECT_EQ(Member(u"textGroup")->GetMemberCount(), 2);

    box->SetText(VoString(u"New line."), nullptr);
    EXPECT_EQ(box->GetAppendedText(), nullptr);
    EXPECT_EQ(Member(u"textGroup")->GetMemberCount(), 1);
    EXPECT_EQ(TextOf(box->GetMainText()->GetText()), u"New line.");
}

TEST_F(MGSubtitleTest, IsVisibleOnlyOnceTheFadeInHasEnded) {
    MGSubtitle* box = MGSubtitle::GetInstance();
    EXPECT_TRUE(box->Show());
    EXPECT_TRUE(box->GetVisible());
    EXPECT_EQ(box->GetRelativeZ(), 1100.0f);
    Frame(0.1);
    EXPECT_FALSE(box->IsVisible());
    Frame(0.15);
    EXPECT_FALSE(box->IsVisible());
    Frame(0.1);
    Frame(0.02);
    EXPECT_TRUE(box->IsVisible());
    EXPECT_FLOAT_EQ(Member(u"bkgGroup")->GetBlend(), 0.4f);
    EXPECT_FLOAT_EQ(Member(u"textGroup")->GetBlend(), 1.0f);

    box->Hide();
    EXPECT_TRUE(box->IsVisible());
    for (int i = 0; i < 20; ++i) {
        Frame(0.05);
    }
    EXPECT_FALSE(box->IsVisible());
    EXPECT_FALSE(box->GetVisible());
}

TEST_F(MGSubtitleTest, WithSubtitlesOffShowLeavesTheBoxHiddenEveryTime) {
    MGOptions::GetInstance()->SetOption(MGSubtitle::kSubtitlesOffOption, 1);
    MGSubtitle* box = MGSubtitle::GetInstance();
    for (int line = 0; line < 2; ++line) {
        box->SetText(VoString(u"Unheard."), nullptr);
        EXPECT_FALSE(box->Show());
        Frame(0.5);
        EXPECT_FALSE(box->IsVisible());
        EXPECT_FALSE(box->GetVisible());
    }
    MGOptions::GetInstance()->SetOption(MGSubtitle::kSubtitlesOffOption, 0);
    EXPECT_TRUE(box->Show());
}

TEST_F(MGSubtitleTest, SkipNextHideIgnoresOneHideOnly) {
    MGSubtitle* box = MGSubtitle::GetInstance();
    box->Show();
    Frame(0.5);
    Frame(0.02);
    ASSERT_TRUE(box->IsVisible());
    box->SkipNextHide();
    box->Hide();
    Frame(0.5);
    Frame(0.02);
    EXPECT_TRUE(box->IsVisible());
    EXPECT_TRUE(box->IsShown());
    box->Hide();
    Frame(0.5);
    Frame(0.02);
    EXPECT_FALSE(box->IsVisible());
}

TEST_F(MGSubtitleTest, AHideDuringTheFadeInTurnsItRoundWithoutARestart) {
    MGSubtitle* box = MGSubtitle::GetInstance();
    box->Show();
    Frame(0.1);
    LogCapture log;
    box->Hide();
    EXPECT_FALSE(log.Contains("Fade already started"));
    EXPECT_TRUE(box->GetVisible());
    Frame(0.25);
    Frame(0.02);
    EXPECT_FALSE(box->IsVisible());
    EXPECT_FALSE(box->GetVisible());
}

TEST_F(MGSubtitleTest, HideImmediatelyTakesTheBoxAwayAtOnce) {
    MGSubtitle* box = MGSubtitle::GetInstance();
    box->Show();
    Frame(0.5);
    Frame(0.02);
    box->HideImmediately();
    EXPECT_FALSE(box->IsVisible());
    EXPECT_FALSE(box->GetVisible());
}

TEST_F(MGSubtitleTest, TheCleanerTakesTheBoxOutOfTheDisplayRootBeforeDeletingIt) {
    ASSERT_NE(MGSubtitle::GetInstance(), nullptr);
    VoDisplayGroup* root = VoDisplayManager::GetInstance()->GetRootGroup();
    ASSERT_NE(root->GetMember(VoString(u"subtitle")), nullptr);
    delete MGCleaner::PeekInstance();
    EXPECT_EQ(MGSubtitle::PeekInstance(), nullptr);
    EXPECT_EQ(root->GetMember(VoString(u"subtitle")), nullptr);
}
