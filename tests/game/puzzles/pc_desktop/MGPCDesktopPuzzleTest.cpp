#include "puzzles/pc_desktop/MGPCDesktopPuzzle.h"

#include <gtest/gtest.h>

#include <string>

#include "game/support/PuzzleGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoTextArea.h"
#include "interview/MGSubtitle.h"
#include "pda/MGPDAMinimized.h"
#include "support/TestText.h"

namespace {

// The body parts' places in the order that spells the password.
constexpr int kRightOrder[] = {2, 6, 0, 4, 1, 5, 3};
constexpr int kWrongOrder[] = {0, 1, 2, 3, 4, 5, 6};

class MGPCDesktopPuzzleTest : public ::testing::Test {
protected:
    void Open(int aSkill = 1) {
        PuzzleGame::SetSkill(aSkill);
        fGame.Open(MGPCDesktopPuzzle::kActivationState);
        ASSERT_NE(fPuzzle->GetRootGroup(), nullptr);
    }
    bool IsOpen() const { return fGame.Screens()->FindScreen(fPuzzle) >= 0; }
    void Press(int aPlace) const {
        VoButton* button = fPuzzle->GetButton(aPlace);
        ASSERT_NE(button, nullptr);
        float x = 0.0f;
        float y = 0.0f;
        PuzzleGame::CentreOf(button, &x, &y);
        PuzzleGame::Click(x, y);
    }
    void Enter(const int* apPlaces, int aCount) const {
        for (int i = 0; i < aCount; ++i) {
            Press(apPlaces[i]);
        }
    }
    std::string Boxes() const {
        std::string text;
        for (int i = 0; i < MGPCDesktopPuzzle::kPartCount; ++i) {
            text += Narrow(fPuzzle->GetBox(i)->GetText());
        }
        return text;
    }
    int EnabledParts() const {
        int count = 0;
        for (int i = 0; i < MGPCDesktopPuzzle::kPartCount; ++i) {
            count += fPuzzle->GetButton(i)->GetEnabled() ? 1 : 0;
        }
        return count;
    }
    void Back() {
        ASSERT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
        fGame.Settle();
        ASSERT_FALSE(IsOpen());
    }

    PuzzleGame fGame;
    MGPCDesktopPuzzle* fPuzzle = MGPCDesktopPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGPCDesktopPuzzleTest, TheScreenHasEightButtonsInTheirPlacesAndSevenEmptyBoxes) {
    Open();
    EXPECT_TRUE(fGame.Screens()->GetTopScreen() == fPuzzle);
    EXPECT_FALSE(MGPDAMinimized::GetInstance()->IsShown());
    for (int i = 0; i < MGPCDesktopPuzzle::kButtonCount; ++i) {
        ASSERT_NE(fPuzzle->GetButton(i), nullptr) << i;
        EXPECT_EQ(TextOf(fPuzzle->GetButton(i)->GetId()), std::u16string(MGPCDesktopPuzzle::kButtonIds[i]));
    }
    for (int i = 0; i < MGPCDesktopPuzzle::kPartCount; ++i) {
        VoTextArea* box = fPuzzle->GetBox(i);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(TextOf(box->GetId()), u"textarea_" + TextOf(VoString().Append(i)));
        EXPECT_EQ(box->GetRelativeZ(), 10.0f);
    }
    EXPECT_EQ(Boxes(), "");
    std::u16string spelled;
    for (int place : kRightOrder) {
        spelled += MGPCDesktopPuzzle::kLetters[place];
    }
    EXPECT_EQ(spelled, u"TORVALE");
    const struct {
        const char16_t* fEntry;
        bool fRight;
    } entries[] = {{u"TORVALE", true}, {u"torvale", true},   {u"TorVale", true},
                   {u"TORVAL", false}, {u"TORVALES", false}, {u"RATEVLO", false}};
    for (const auto& entry : entries) {
        EXPECT_EQ(MGPCDesktopPuzzle::IsPassword(VoString(entry.fEntry)), entry.fRight)
            << Narrow(VoString(entry.fEntry));
    }
}

TEST_F(MGPCDesktopPuzzleTest, SevenWrongClicksShowStarsThenEmptyWithTheBuzz) {
    Open();
    Enter(kWrongOrder, 6);
    EXPECT_EQ(Boxes(), "******");
    EXPECT_EQ(Narrow(fPuzzle->GetEntry()), "RATEVL");
    EXPECT_EQ(EnabledParts(), 1);
    EXPECT_TRUE(fPuzzle->GetButton(0)->IsHilighted());
    Press(6);
    EXPECT_EQ(Boxes(), "");
    EXPECT_EQ(fPuzzle->GetEnteredCount(), 0);
    EXPECT_EQ(fPuzzle->GetEntry().GetLength(), 0);
    EXPECT_EQ(EnabledParts(), 7);
    for (int i = 0; i < MGPCDesktopPuzzle::kPartCount; ++i) {
        EXPECT_FALSE(fPuzzle->GetButton(i)->IsHilighted()) << i;
    }
    stubs::SoundPlayer* buzz = PuzzleGame::Sound("pwWrong");
    ASSERT_NE(buzz, nullptr);
    EXPECT_EQ(buzz->fPath, "//sounds/pw_wrong.ogg");
    // The buzz took the entry line's place.
    EXPECT_EQ(PuzzleGame::Sound("desktopVO"), nullptr);
    EXPECT_FALSE(PuzzleGame::HasEvent(MGPCDesktopPuzzle::kSolvedEvent));
}

TEST_F(MGPCDesktopPuzzleTest, EachBodyPartCountsOncePerAttempt) {
    Open();
    Press(3);
    Press(3);
    fPuzzle->OnButtonEvent(VoString(u"upper_arm"), VoIButtonListener::kClick);
    EXPECT_EQ(fPuzzle->GetEnteredCount(), 1);
    EXPECT_EQ(Boxes(), "*");
    // Only clicks count, ids in any case.
    fPuzzle->OnButtonEvent(VoString(u"HEAD"), VoIButtonListener::kPressed);
    EXPECT_EQ(fPuzzle->GetEnteredCount(), 1);
    fPuzzle->OnButtonEvent(VoString(u"HEAD"), VoIButtonListener::kClick);
    EXPECT_EQ(fPuzzle->GetEnteredCount(), 2);
    EXPECT_EQ(Narrow(fPuzzle->GetEntry()), "ET");
}

TEST_F(MGPCDesktopPuzzleTest, EveryEnteringPlaysTheLineOfTheSkillLevel) {
    const struct {
        int fSkill;
        const char* fPath;
    } cases[] = {{0, "//sounds/hi09_rg.ogg"}, {1, "//sounds/2ls08_rg.ogg"}, {2, "//sounds/2ls08_rg.ogg"}};
    for (const auto& level : cases) {
        SCOPED_TRACE(level.fSkill);
        for (int opening = 0; opening < 2; ++opening) {
            Open(level.fSkill);
            stubs::SoundPlayer* line = PuzzleGame::Sound("desktopVO");
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->fPath, level.fPath);
            Back();
            EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
        }
    }
}

TEST_F(MGPCDesktopPuzzleTest, TheRightPasswordThenItsSoundThenTheLineThenTheRosterFadingIn) {
    Open();
    Enter(kRightOrder, 7);
    EXPECT_TRUE(PuzzleGame::HasEvent(MGPCDesktopPuzzle::kSolvedEvent));
    EXPECT_TRUE(fPuzzle->IsSolved());
    EXPECT_EQ(Boxes(), "TORVALE");
    EXPECT_EQ(EnabledParts(), 0);
    ASSERT_NE(PuzzleGame::Sound("pwCorrect"), nullptr);
    EXPECT_EQ(PuzzleGame::Sound("pwCorrect")->fPath, "//sounds/pw_correct.ogg");
    // Back and the folder still work.
    EXPECT_TRUE(fPuzzle->GetButton(7)->GetEnabled());

    ASSERT_TRUE(PuzzleGame::EndSound("pwCorrect"));
    stubs::SoundPlayer* line = PuzzleGame::Sound("desktopVO");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->fPath, "//sounds/2ls08a_rg.ogg");
    EXPECT_TRUE(MGSubtitle::PeekInstance()->IsShown());
    EXPECT_EQ(fPuzzle->GetRoster(), nullptr);

    ASSERT_TRUE(PuzzleGame::EndSound("desktopVO"));
    VoDisplayGroup* roster = fPuzzle->GetRoster();
    ASSERT_NE(roster, nullptr);
    EXPECT_EQ(roster->GetBlend(), 0.0f);
    EXPECT_FALSE(fPuzzle->GetButton(7)->GetEnabled());
    // 0.07 a step, steps more than 0.03 s apart: fifteen steps to exactly 1.0.
    fGame.Frame(0.02);
    EXPECT_EQ(fPuzzle->GetRosterBlend(), 0.0f);
    int steps = 0;
    while (fPuzzle->GetRosterBlend() < 1.0f && steps < 100) {
        fGame.Frame(0.031);
        ++steps;
    }
    EXPECT_EQ(steps, 15);
    EXPECT_EQ(fPuzzle->GetRosterBlend(), 1.0f);
    EXPECT_EQ(roster->GetBlend(), 1.0f);
    fGame.Frames(5, 0.031);
    EXPECT_EQ(roster->GetBlend(), 1.0f);
    Back();
}

TEST_F(MGPCDesktopPuzzleTest, TheFolderStartsAnEmptyAttemptInTheNextFrame) {
    Open();
    Enter(kWrongOrder, 3);
    VoDisplayGroup* before = fPuzzle->GetRootGroup();
    Press(7);
    // Its own click leaves the screen standing.
    EXPECT_TRUE(fPuzzle->IsRebuildPending());
    EXPECT_EQ(fPuzzle->GetRootGroup(), before);
    EXPECT_EQ(fPuzzle->GetEnteredCount(), 3);
    fGame.Frame();
    EXPECT_FALSE(fPuzzle->IsRebuildPending());
    EXPECT_EQ(fPuzzle->GetEnteredCount(), 0);
    EXPECT_EQ(Boxes(), "");
    EXPECT_EQ(EnabledParts(), 7);

    // After the right password too, until the roster comes.
    Enter(kRightOrder, 7);
    Press(7);
    fGame.Frame();
    EXPECT_TRUE(fPuzzle->IsSolved());
    EXPECT_EQ(EnabledParts(), 7);
    EXPECT_EQ(Boxes(), "");
    Back();
}

TEST_F(MGPCDesktopPuzzleTest, LeavingDuringTheSoundsStopsThemAndNoRosterStepRuns) {
    Open();
    Enter(kRightOrder, 7);
    ASSERT_TRUE(PuzzleGame::EndSound("pwCorrect"));
    ASSERT_NE(PuzzleGame::Sound("desktopVO"), nullptr);
    Back();
    EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
    EXPECT_FALSE(MGSubtitle::PeekInstance()->IsShown());
    fGame.Frames(50);
    EXPECT_EQ(fPuzzle->GetRoster(), nullptr);
    EXPECT_TRUE(MGPDAMinimized::GetInstance()->IsShown());

    // Left while the roster fades: the fade stops with the screen.
    Open();
    Enter(kRightOrder, 7);
    ASSERT_TRUE(PuzzleGame::EndSound("pwCorrect"));
    ASSERT_TRUE(PuzzleGame::EndSound("desktopVO"));
    fGame.Frames(3, 0.031);
    PuzzleGame::SetState(MGPCDesktopPuzzle::kActivationState, false);
    fGame.Settle();
    EXPECT_FALSE(IsOpen());
    fGame.Frames(50, 0.031);
    EXPECT_EQ(fPuzzle->GetRoster(), nullptr);

    // The folder's rebuild does not outlive the screen either.
    Open();
    Press(7);
    PuzzleGame::SetState(MGPCDesktopPuzzle::kActivationState, false);
    fGame.Settle();
    EXPECT_FALSE(fPuzzle->IsRebuildPending());
    EXPECT_EQ(fPuzzle->GetRootGroup(), nullptr);
}

TEST_F(MGPCDesktopPuzzleTest, WithoutTheRightPasswordSoundTheRosterComesAtOnce) {
    stubs::Missing().insert("//sounds/pw_correct.ogg");
    Open();
    Enter(kRightOrder, 7);
    EXPECT_NE(fPuzzle->GetRoster(), nullptr);
    EXPECT_FALSE(fPuzzle->GetButton(7)->GetEnabled());
}
