#include "puzzles/MGPuzzleFrame.h"

#include <gtest/gtest.h>

#include <string>

#include "event/VoEventManager.h"
#include "game/puzzles/PuzzleCases.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoTextArea.h"
#include "interview/MGSubtitle.h"
#include "object/VoRestoreManager.h"
#include "pda/MGPDAMinimized.h"
#include "puzzles/MGPuzzleVoice.h"
#include "stdlib/VoMemoryStream.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/TestText.h"
#include "system/VoIFileSystem.h"
#include "ui/MGCursor.h"

namespace {

// The creations of "hintAudio" streams so far.
int HintsCreated() {
    int count = 0;
    for (const std::string& created : PuzzleGame::SoundsAsked()) {
        count += created.rfind("hintAudio ", 0) == 0 ? 1 : 0;
    }
    return count;
}

std::string LinePath(const char16_t* apLine) {
    return Narrow(MGPuzzleVoice::LinePath(VoString(apLine)));
}

class MGPuzzleFrameTest : public ::testing::TestWithParam<PuzzleCase> {
protected:
    MGPuzzleFrameTest() { fPuzzle = GetParam().fScreen(); }

    bool IsOpen() const { return fGame.Screens()->FindScreen(fPuzzle) >= 0; }
    bool HasVoice() const { return GetParam().fHint.fpFirstViewEvent != nullptr; }

    // The back button clicked, then the fades settled.
    void Leave() {
        ASSERT_TRUE(PuzzleGame::ClickMember(GetParam().fRoot(), MGPuzzleFrame::kBackButtonId));
        fGame.Settle();
        ASSERT_FALSE(IsOpen());
    }

    PuzzleGame fGame;
    MGIScreen* fPuzzle = nullptr;
};

// The same for the puzzles with a first-view voice-over.
class MGPuzzleVoiceOverTest : public MGPuzzleFrameTest {};

std::string NameOf(const ::testing::TestParamInfo<PuzzleCase>& aInfo) {
    return aInfo.param.fName;
}

}  // namespace

TEST_P(MGPuzzleFrameTest, OnlyItsOwnActivationStateOpensIt) {
    for (const PuzzleCase& other : kPuzzleCases) {
        if (other.fActivation != GetParam().fActivation) {
            PuzzleGame::SetState(other.fActivation, true);
            fGame.Settle();
            EXPECT_FALSE(IsOpen()) << other.fName;
            PuzzleGame::SetState(other.fActivation, false);
            fGame.Settle();
        }
    }
    fGame.Open(GetParam().fActivation);
    EXPECT_EQ(PuzzleGame::Top(), fPuzzle);
    EXPECT_NE(GetParam().fRoot(), nullptr);
    EXPECT_EQ(fGame.fJournal, (ScreenJournal{"scene:begin", "scene:end"}));
}

TEST_P(MGPuzzleFrameTest, TrueWhileAFadeRunsPushesNothingAndIsNotRetried) {
    RecordingScreen menu("menu", &fGame.fJournal);
    ASSERT_TRUE(fGame.Screens()->PushFade(&menu));
    ASSERT_TRUE(fGame.Screens()->IsBusy());
    PuzzleGame::SetState(GetParam().fActivation, true);
    fGame.Settle();
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(PuzzleGame::Top(), &menu);
}

TEST_P(MGPuzzleFrameTest, TrueWhileOnTheStackPushesNothing) {
    fGame.Open(GetParam().fActivation);
    const int count = fGame.Screens()->GetScreenCount();
    PuzzleGame::SetState(GetParam().fActivation, true);
    fGame.Settle();
    EXPECT_EQ(fGame.Screens()->GetScreenCount(), count);

    // Also when another screen lies over it.
    RecordingScreen box("box", &fGame.fJournal);
    fGame.Screens()->PushScreen(&box);
    PuzzleGame::SetState(GetParam().fActivation, true);
    fGame.Settle();
    EXPECT_EQ(fGame.Screens()->GetScreenCount(), count + 1);
    EXPECT_EQ(fGame.Screens()->FindScreen(fPuzzle), count - 1);
    fGame.Screens()->RemoveScreen(&box);
}

TEST_P(MGPuzzleFrameTest, FalseClosesOnlyWhereThePuzzleSaysSoAndOnlyFromTheTop) {
    fGame.Open(GetParam().fActivation);
    RecordingScreen box("box", &fGame.fJournal);
    fGame.Screens()->PushScreen(&box);
    PuzzleGame::SetState(GetParam().fActivation, false);
    fGame.Settle();
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(PuzzleGame::Top(), &box);
    fGame.Screens()->RemoveScreen(&box);

    PuzzleGame::SetState(GetParam().fActivation, false);
    fGame.Settle();
    EXPECT_EQ(IsOpen(), !GetParam().fClosesOnFalse);
    if (GetParam().fClosesOnFalse) {
        EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
        EXPECT_EQ(GetParam().fRoot(), nullptr);
        EXPECT_EQ(fGame.fJournal.back(), "scene:enter");
    }
}

TEST_P(MGPuzzleFrameTest, TheHintPlaysOnTheFirstOpeningInAGameOnly) {
    if (!HasVoice()) {
        // A line of its own (on every entry, or on easy only) is no first-view hint.
        fGame.Open(GetParam().fActivation);
        EXPECT_EQ(HintsCreated(), 0);
        return;
    }
    const MGPuzzleHint& hint = GetParam().fHint;
    fGame.Open(GetParam().fActivation);
    ASSERT_EQ(HintsCreated(), 1);
    EXPECT_EQ(PuzzleGame::SoundsAsked().front(), "hintAudio " + LinePath(hint.fpComment));
    stubs::SoundPlayer* player = PuzzleGame::Sound("hintAudio");
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(player->fPlays > 0);
    EXPECT_EQ(player->fVolume, 1.0f);
    EXPECT_TRUE(PuzzleGame::HasEvent(hint.fpFirstViewEvent));

    Leave();
    fGame.Open(GetParam().fActivation);
    EXPECT_EQ(HintsCreated(), 1);
}

TEST_P(MGPuzzleVoiceOverTest, AGameSavedAfterTheFirstOpeningRemembersTheHint) {
    VoRestoreManager* restore = VoRestoreManager::GetInstance();
    ASSERT_TRUE(restore->AddEngineRestorables());
    VoMemoryStream before(256, VoMemoryStream::kGrowDouble);
    ASSERT_TRUE(restore->Save(&before));
    fGame.Open(GetParam().fActivation);
    Leave();
    VoMemoryStream after(256, VoMemoryStream::kGrowDouble);
    ASSERT_TRUE(restore->Save(&after));

    // Loaded after the first opening: no hint. Loaded from before it: again.
    VoEventManager* events = VoEventManager::GetInstance();
    events->ClearEvents();
    const auto afterSize = static_cast<std::int32_t>(after.GetPosition());
    after.SetPosition(0);
    ASSERT_TRUE(restore->Load(&after, afterSize));
    fGame.Open(GetParam().fActivation);
    EXPECT_EQ(HintsCreated(), 1);
    Leave();

    events->ClearEvents();
    const auto beforeSize = static_cast<std::int32_t>(before.GetPosition());
    before.SetPosition(0);
    ASSERT_TRUE(restore->Load(&before, beforeSize));
    fGame.Open(GetParam().fActivation);
    EXPECT_EQ(HintsCreated(), 2);
}

TEST_P(MGPuzzleVoiceOverTest, EasyPlaysTheHintAndTheOtherLevelsTheComment) {
    const MGPuzzleHint& hint = GetParam().fHint;
    const struct {
        int fSkill;
        const char16_t* fLine;
    } cases[] = {{0, hint.fpHint}, {1, hint.fpComment}, {2, hint.fpComment}};
    for (const auto& level : cases) {
        SCOPED_TRACE(level.fSkill);
        VoEventManager::GetInstance()->ClearEvents();
        PuzzleGame::SetSkill(level.fSkill);
        fGame.Open(GetParam().fActivation);
        EXPECT_EQ(PuzzleGame::SoundsAsked().back(), "hintAudio " + LinePath(level.fLine));
        VoString text;
        ASSERT_TRUE(MGPuzzleVoice::FindSubtitle(VoString(level.fLine), &text));
        MGSubtitle* subtitle = MGSubtitle::PeekInstance();
        ASSERT_NE(subtitle, nullptr);
        ASSERT_NE(subtitle->GetMainText(), nullptr);
        EXPECT_EQ(TextOf(subtitle->GetMainText()->GetText()), TextOf(text));
        EXPECT_TRUE(subtitle->IsShown());
        EXPECT_EQ(subtitle->GetPosition(), VoVector2(0.0f, 500.0f));
        Leave();
    }
}

TEST_P(MGPuzzleVoiceOverTest, TheEndOfTheHintHidesItsSubtitleAndDeletesTheStream) {
    fGame.Open(GetParam().fActivation);
    fGame.Frames(20);
    MGSubtitle* subtitle = MGSubtitle::PeekInstance();
    ASSERT_TRUE(subtitle != nullptr && subtitle->IsVisible());
    ASSERT_TRUE(PuzzleGame::EndSound("hintAudio"));
    EXPECT_EQ(PuzzleGame::Sound("hintAudio"), nullptr);
    EXPECT_FALSE(subtitle->IsShown());
    fGame.Frames(20);
    EXPECT_FALSE(subtitle->IsVisible());
    EXPECT_FALSE(subtitle->GetVisible());
}

TEST_P(MGPuzzleVoiceOverTest, ALineWithoutSubtitleTextStillPlays) {
    PlatformTestFolder empty;
    ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//scenes"), VoString(empty.Files().c_str())));
    fGame.Open(GetParam().fActivation);
    stubs::SoundPlayer* player = PuzzleGame::Sound("hintAudio");
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(player->fPlays > 0);
    MGSubtitle* subtitle = MGSubtitle::PeekInstance();
    EXPECT_TRUE(subtitle == nullptr || !subtitle->IsShown());
}

TEST_P(MGPuzzleVoiceOverTest, AHintThatCannotBeMadeIsLoggedWithItsPathAndShowsNoSubtitle) {
    const std::string path = LinePath(GetParam().fHint.fpComment);
    stubs::Missing().insert(path);
    LogCapture log;
    fGame.Open(GetParam().fActivation);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", path));
    EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
    MGSubtitle* subtitle = MGSubtitle::PeekInstance();
    EXPECT_TRUE(subtitle == nullptr || !subtitle->IsShown());
    EXPECT_TRUE(PuzzleGame::HasEvent(GetParam().fHint.fpFirstViewEvent));
}

TEST_P(MGPuzzleFrameTest, OnlyAClickOnTheBackButtonInAnyCaseCloses) {
    fGame.Open(GetParam().fActivation);
    auto* buttons = dynamic_cast<VoIButtonListener*>(fPuzzle);
    ASSERT_NE(buttons, nullptr);
    const struct {
        const char16_t* fId;
        int fCode;
    } ignored[] = {{u"back_btn", VoIButtonListener::kPressed},
                   {u"back_btn", VoIButtonListener::kReleasedOutside},
                   {u"back_btn", VoIButtonListener::kEntered},
                   {u"back", VoIButtonListener::kClick},
                   {u"back_btn2", VoIButtonListener::kClick}};
    for (const auto& event : ignored) {
        buttons->OnButtonEvent(VoString(event.fId), event.fCode);
        fGame.Settle();
        EXPECT_TRUE(IsOpen()) << Narrow(VoString(event.fId)) << " " << event.fCode;
    }
    buttons->OnButtonEvent(VoString(u"BACK_BTN"), VoIButtonListener::kClick);
    fGame.Settle();
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
    EXPECT_EQ(GetParam().fRoot(), nullptr);
}

TEST_P(MGPuzzleFrameTest, EnteringTakesTheHandCursorAndTheBarAndLeavingGivesThemBack) {
    MGPDAMinimized* bar = MGPDAMinimized::GetInstance();
    bar->Show();
    MGCursor* cursor = MGCursor::GetInstance();
    fGame.Open(GetParam().fActivation);
    EXPECT_EQ(cursor->GetCurrentId(), MGPuzzleFrame::kHandCursor);
    EXPECT_EQ(bar->IsShown(), !GetParam().fHidesBar);
    VoDisplayGroup* root = GetParam().fRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetGroup(), VoDisplayManager::GetInstance()->GetRootGroup());
    Leave();
    EXPECT_TRUE(bar->IsShown());
    if (GetParam().fHidesBar) {
        EXPECT_EQ(cursor->GetCurrentId(), cursor->GetBaseId());
    }
}

TEST_P(MGPuzzleFrameTest, EachOpeningBuildsTheScreenAnewAndLeavingTakesItAway) {
    VoDisplayGroup* display = VoDisplayManager::GetInstance()->GetRootGroup();
    for (int round = 0; round < 2; ++round) {
        fGame.Open(GetParam().fActivation);
        VoDisplayGroup* root = GetParam().fRoot();
        ASSERT_NE(root, nullptr);
        const VoString id = root->GetId();
        EXPECT_EQ(display->GetMember(id), root);
        EXPECT_NE(root->GetMember(VoString(MGPuzzleFrame::kBackButtonId)), nullptr);
        Leave();
        EXPECT_EQ(GetParam().fRoot(), nullptr);
        EXPECT_EQ(display->GetMember(id), nullptr);
    }
}

// With no screen below (the stack emptied by a scene change that found no
// scene), the pop is refused and the puzzle taken off uncalled: it still
// leaves, or its next opening builds over the screen it holds.
TEST_P(MGPuzzleFrameTest, AloneOnTheStackTheBackButtonStillTakesItsScreenAway) {
    VoDisplayGroup* display = VoDisplayManager::GetInstance()->GetRootGroup();
    LogCapture log;
    for (int round = 0; round < 2; ++round) {
        fGame.Open(GetParam().fActivation);
        fGame.Screens()->RemoveScreen(&fGame.fScene);
        VoDisplayGroup* root = GetParam().fRoot();
        ASSERT_NE(root, nullptr);
        const VoString id = root->GetId();
        Leave();
        EXPECT_EQ(fGame.Screens()->GetScreenCount(), 0);
        EXPECT_EQ(GetParam().fRoot(), nullptr);
        EXPECT_EQ(display->GetMember(id), nullptr);
        fGame.Screens()->PushScreen(&fGame.fScene);
    }
}

INSTANTIATE_TEST_SUITE_P(Puzzles, MGPuzzleFrameTest, ::testing::ValuesIn(kPuzzleCases), NameOf);
INSTANTIATE_TEST_SUITE_P(Puzzles, MGPuzzleVoiceOverTest, ::testing::ValuesIn(kPuzzleCases, kPuzzleCases + 4),
                         NameOf);
