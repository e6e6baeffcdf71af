#include "puzzles/harppuzzle/MGHarpPuzzle.h"

#include <gtest/gtest.h>

#include <string>

#include "event/VoEventManager.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "interview/MGSubtitle.h"
#include "support/TestText.h"
#include "ui/MGCutScenePlayer.h"

namespace {

constexpr const int* kMelody = MGHarpPuzzle::kMelody;
const std::string kNotes = "//dataroot/textures/puzzles/harppuzzle/";

std::string Button(int aString) {
    return (aString < 10 ? "harp0" : "harp") + std::to_string(aString);
}

class MGHarpPuzzleTest : public ::testing::Test {
protected:
    void Open(int aSkill = 1) {
        PuzzleGame::SetSkill(aSkill);
        fGame.Open(MGHarpPuzzle::kActivationState);
    }
    bool Click(const std::string& aButton) {
        const std::u16string id(aButton.begin(), aButton.end());
        return PuzzleGame::ClickMember(fPuzzle->GetButtonsGroup(), id.c_str());
    }
    void Start() { ASSERT_TRUE(Click("start")); }
    bool Pluck(int aString) { return Click(Button(aString)); }
    // The note that sounds ends.
    static void EndNote() { ASSERT_TRUE(PuzzleGame::EndSound("harp")); }
    static std::string Playing() {
        stubs::SoundPlayer* note = PuzzleGame::Sound("harp");
        return note != nullptr ? note->fPath : "";
    }
    bool Lit(int aColour, int aString) const {
        VoIDisplayObject* highlight = fPuzzle->GetHighlight(aColour, aString);
        return highlight != nullptr && highlight->GetVisible();
    }
    int LitCount() const {
        int count = 0;
        for (int colour = 0; colour < 3; ++colour) {
            for (int string = 1; string <= 20; ++string) {
                count += Lit(colour, string) ? 1 : 0;
            }
        }
        return count;
    }
    bool StringsHear() const { return fPuzzle->GetButtonsGroup()->GetActive(); }
    // The harp plays the stage through; the player's turn follows.
    void ListenToStage(int aLength) {
        for (int note = 0; note < aLength; ++note) {
            ASSERT_EQ(Playing(), kNotes + std::to_string(kMelody[note]) + ".ogg") << note;
            ASSERT_TRUE(Lit(MGHarpPuzzle::kYellow, kMelody[note]));
            EndNote();
        }
        ASSERT_TRUE(fPuzzle->IsStarted());
    }
    void PlayStage(int aLength) {
        for (int note = 0; note < aLength; ++note) {
            ASSERT_TRUE(Pluck(kMelody[note]));
            ASSERT_EQ(Playing(), kNotes + Button(kMelody[note]).substr(4) + ".ogg");
            EndNote();
        }
    }

    PuzzleGame fGame;
    MGHarpPuzzle* fPuzzle = MGHarpPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGHarpPuzzleTest, TheHarpIsBuiltWithEveryHighlightHiddenAndPlaysItsLineOnEveryEntry) {
    for (int entry = 0; entry < 2; ++entry) {
        Open();
        ASSERT_NE(fPuzzle->GetButtonsGroup(), nullptr);
        EXPECT_EQ(fPuzzle->GetButtonsGroup()->GetMemberCount(), 21);
        for (int colour = 0; colour < 3; ++colour) {
            for (int string = 1; string <= 20; ++string) {
                ASSERT_NE(fPuzzle->GetHighlight(colour, string), nullptr);
            }
        }
        EXPECT_EQ(LitCount(), 0);
        EXPECT_FALSE(fPuzzle->GetStartIndicator()->GetVisible());
        stubs::SoundPlayer* line = PuzzleGame::Sound("puzzleVO");
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->fPath, "//sounds/2sh01_rg.ogg");
        // Strings plucked before "start" are ignored.
        EXPECT_TRUE(Pluck(3));
        EXPECT_EQ(PuzzleGame::Sound("harp"), nullptr);
        EXPECT_EQ(LitCount(), 0);
        EXPECT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
        fGame.Settle();
        EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
    }
}

TEST_F(MGHarpPuzzleTest, StartPlaysTheFirstNoteWhileTheStringsHearNothing) {
    Open();
    Start();
    EXPECT_TRUE(fPuzzle->IsDemonstrating());
    EXPECT_TRUE(fPuzzle->GetStartIndicator()->GetVisible());
    EXPECT_EQ(Playing(), kNotes + std::to_string(kMelody[0]) + ".ogg");
    // The note took the line's place.
    EXPECT_EQ(PuzzleGame::Sound("puzzleVO"), nullptr);
    EXPECT_TRUE(Lit(MGHarpPuzzle::kYellow, kMelody[0]));
    EXPECT_FALSE(StringsHear());
    const size_t asked = PuzzleGame::SoundsAsked().size();
    EXPECT_TRUE(Pluck(kMelody[0]));
    EXPECT_TRUE(Click("start"));
    EXPECT_EQ(PuzzleGame::SoundsAsked().size(), asked);
    EndNote();
    EXPECT_FALSE(fPuzzle->IsDemonstrating());
    EXPECT_TRUE(fPuzzle->IsStarted());
    EXPECT_TRUE(StringsHear());
    EXPECT_EQ(fPuzzle->GetPosition(), -1);
    EXPECT_EQ(LitCount(), 0);
}

TEST_F(MGHarpPuzzleTest, ARightStringGoesGreenAndPlucksAfterTheStagesLastWaitForItsNote) {
    Open();
    Start();
    ListenToStage(1);
    ASSERT_TRUE(Pluck(kMelody[0]));
    EXPECT_TRUE(Lit(MGHarpPuzzle::kGreen, kMelody[0]));
    EXPECT_EQ(Playing(), kNotes + Button(kMelody[0]).substr(4) + ".ogg");
    const size_t asked = PuzzleGame::SoundsAsked().size();
    EXPECT_TRUE(Pluck(kMelody[1]));
    EXPECT_EQ(PuzzleGame::SoundsAsked().size(), asked);
    EXPECT_FALSE(Lit(MGHarpPuzzle::kRed, kMelody[1]));
    EndNote();
    // The next stage: two notes.
    EXPECT_EQ(fPuzzle->GetStageLength(), 2);
    EXPECT_TRUE(fPuzzle->IsDemonstrating());
    EXPECT_FALSE(StringsHear());
    ListenToStage(2);
    // The second pluck may come before the first note ends; it replaces its light.
    ASSERT_TRUE(Pluck(kMelody[0]));
    ASSERT_TRUE(Pluck(kMelody[1]));
    EXPECT_FALSE(Lit(MGHarpPuzzle::kGreen, kMelody[0]));
    EXPECT_TRUE(Lit(MGHarpPuzzle::kGreen, kMelody[1]));
    EndNote();
    EXPECT_EQ(fPuzzle->GetStageLength(), 3);
}

TEST_F(MGHarpPuzzleTest, AWrongStringGoesRedAndEndsTheAttemptWhenItsNoteEnds) {
    Open();
    Start();
    ListenToStage(1);
    PlayStage(1);
    ListenToStage(2);
    ASSERT_TRUE(Pluck(kMelody[0]));
    EndNote();
    ASSERT_TRUE(Pluck(3));
    EXPECT_TRUE(Lit(MGHarpPuzzle::kRed, 3));
    EXPECT_TRUE(fPuzzle->HasFailed());
    EXPECT_TRUE(fPuzzle->IsStarted());
    // Failed: no pluck counts any more.
    const size_t asked = PuzzleGame::SoundsAsked().size();
    EXPECT_TRUE(Pluck(kMelody[1]));
    EXPECT_EQ(PuzzleGame::SoundsAsked().size(), asked);
    EndNote();
    EXPECT_FALSE(fPuzzle->IsStarted());
    EXPECT_FALSE(fPuzzle->IsDemonstrating());
    EXPECT_FALSE(fPuzzle->GetStartIndicator()->GetVisible());
    EXPECT_TRUE(StringsHear());
    EXPECT_EQ(LitCount(), 0);
    // "start" begins again from one note.
    Start();
    EXPECT_EQ(fPuzzle->GetStageLength(), 1);
    ListenToStage(1);
    EXPECT_FALSE(fPuzzle->HasFailed());
}

TEST_F(MGHarpPuzzleTest, AHighlightGoesMoreThanHalfASecondAfterItCame) {
    Open();
    Start();
    fGame.Frame(0.5);
    EXPECT_TRUE(Lit(MGHarpPuzzle::kYellow, kMelody[0]));
    fGame.Frame(0.01);
    EXPECT_FALSE(Lit(MGHarpPuzzle::kYellow, kMelody[0]));
    // The note itself goes on.
    EXPECT_TRUE(fPuzzle->IsDemonstrating());
    EXPECT_NE(PuzzleGame::Sound("harp"), nullptr);
    EndNote();
    ASSERT_TRUE(Pluck(kMelody[0]));
    fGame.Frame(0.3);
    EXPECT_TRUE(Lit(MGHarpPuzzle::kGreen, kMelody[0]));
    fGame.Frame(0.3);
    EXPECT_EQ(LitCount(), 0);
}

TEST_F(MGHarpPuzzleTest, OnEasyTheHintFollowsTheVeryFirstNoteOnce) {
    const struct {
        int fSkill;
        bool fHint;
    } cases[] = {{0, true}, {1, false}, {2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fSkill);
        for (int opening = 0; opening < 2; ++opening) {
            Open(c.fSkill);
            Start();
            EndNote();
            stubs::SoundPlayer* hint = PuzzleGame::Sound("puzzleVO");
            EXPECT_EQ(hint != nullptr, c.fHint && opening == 0 && c.fSkill == 0);
            if (hint != nullptr) {
                EXPECT_EQ(hint->fPath, "//sounds/hi12_rg.ogg");
                // The player's turn while it plays.
                EXPECT_TRUE(StringsHear());
                PuzzleGame::EndSound("puzzleVO");
                EXPECT_TRUE(fPuzzle->IsStarted());
                EXPECT_EQ(fPuzzle->GetPosition(), -1);
            }
            PuzzleGame::SetState(MGHarpPuzzle::kActivationState, false);
            fGame.Settle();
        }
    }
}

TEST_F(MGHarpPuzzleTest, SevenNotesRightOpenTheHarpsSecret) {
    Open();
    Start();
    for (int stage = 1; stage <= 7; ++stage) {
        SCOPED_TRACE(stage);
        ListenToStage(stage);
        PlayStage(stage);
    }
    EXPECT_TRUE(PuzzleGame::HasEvent(MGHarpPuzzle::kSolvedEvent));
    EXPECT_FALSE(fPuzzle->GetStartIndicator()->GetVisible());
    fGame.Frame();
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    ASSERT_EQ(player->GetQueue().GetCount(), 1);
    EXPECT_EQ(Narrow(player->GetQueue().GetAt(0)), "Harp_Puzzle.bik");
    EXPECT_EQ(Narrow(player->GetTargetScene()), "case02/stokes_upstairs");
    EXPECT_EQ(Narrow(player->GetTargetViewpoint()), "vp_bedroom");
    ASSERT_EQ(player->GetDoneStates().GetCount(), 3);
    EXPECT_EQ(Narrow(player->GetDoneStates().GetAt(0)), "sta_cu_2sh10_visible");
    EXPECT_EQ(fGame.Screens()->FindScreen(fPuzzle), -1);
    EXPECT_EQ(fPuzzle->GetRootGroup(), nullptr);
}

TEST_F(MGHarpPuzzleTest, ANoteThatCannotSoundEndsWithItsHighlight) {
    stubs::Missing().insert(kNotes + std::to_string(kMelody[0]) + ".ogg");
    stubs::Missing().insert(kNotes + Button(kMelody[0]).substr(4) + ".ogg");
    Open();
    Start();
    EXPECT_EQ(PuzzleGame::Sound("harp"), nullptr);
    EXPECT_TRUE(Lit(MGHarpPuzzle::kYellow, kMelody[0]));
    fGame.Frame(0.3);
    EXPECT_TRUE(fPuzzle->IsDemonstrating());
    fGame.Frame(0.3);
    EXPECT_FALSE(fPuzzle->IsDemonstrating());
    EXPECT_TRUE(fPuzzle->IsStarted());
    ASSERT_TRUE(Pluck(kMelody[0]));
    EXPECT_TRUE(Lit(MGHarpPuzzle::kGreen, kMelody[0]));
    fGame.Frame(0.6);
    // On to the next stage, whose second note sounds.
    EXPECT_EQ(fPuzzle->GetStageLength(), 2);
    fGame.Frame(0.6);
    EXPECT_EQ(Playing(), kNotes + std::to_string(kMelody[1]) + ".ogg");
}

TEST_F(MGHarpPuzzleTest, LeavingInTheMiddleStartsOverAtTheNextEntry) {
    Open();
    Start();
    ListenToStage(1);
    PlayStage(1);
    EXPECT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
    // No highlight of the closed harp is touched later.
    fGame.Frames(40);
    Open();
    EXPECT_FALSE(fPuzzle->IsStarted());
    EXPECT_FALSE(fPuzzle->IsDemonstrating());
    Start();
    EXPECT_EQ(fPuzzle->GetStageLength(), 1);
}
