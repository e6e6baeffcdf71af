#include "puzzles/map_puzzle/MGMapPuzzle.h"

#include <gtest/gtest.h>

#include "event/VoEventManager.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "support/LogCapture.h"
#include "support/TestText.h"

namespace {

class MGMapPuzzleTest : public ::testing::Test {
protected:
    bool IsOpen() const { return fGame.Screens()->FindScreen(fPuzzle) >= 0; }
    bool ClueShown(const char16_t* apClue) const {
        VoIDisplayObject* clue = fPuzzle->GetRootGroup()->GetMember(VoString(apClue));
        return clue != nullptr && clue->GetVisible();
    }
    static void Add(const char16_t* apEvent) {
        VoEventManager::GetInstance()->AddEvent(VoString(apEvent), true);
    }
    void SetAndSettle(const char16_t* apState, bool aValue) {
        PuzzleGame::SetState(apState, aValue);
        fGame.Settle();
    }

    PuzzleGame fGame;
    MGMapPuzzle* fPuzzle = MGMapPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGMapPuzzleTest, ThreeCluesAddNoSolvedEventAndTheFourthOpensTheMapSolved) {
    Add(MGMapPuzzle::kSandcastleEvent);
    Add(MGMapPuzzle::kGateEvent);
    Add(MGMapPuzzle::kTombstoneEvent);
    fGame.Open(MGMapPuzzle::kActivationState);
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(TextOf(fPuzzle->GetRootGroup()->GetId()), u"map_puzzle_layout");
    EXPECT_FALSE(PuzzleGame::HasEvent(MGMapPuzzle::kSolvedEvent));
    const struct {
        const char16_t* fClue;
        bool fShown;
    } three[] = {{u"clue_sandcastle", true},
                 {u"clue_gate", true},
                 {u"clue_tombstone", true},
                 {u"clue_zambrio", false},
                 {u"clue_spot", false}};
    for (const auto& clue : three) {
        EXPECT_EQ(ClueShown(clue.fClue), clue.fShown) << Narrow(VoString(clue.fClue));
    }
    // The active state turning false closes nothing; an interview state does.
    SetAndSettle(MGMapPuzzle::kActivationState, false);
    EXPECT_TRUE(IsOpen());
    SetAndSettle(MGMapPuzzle::kGateState, false);
    ASSERT_FALSE(IsOpen());
    EXPECT_EQ(fPuzzle->GetRootGroup(), nullptr);

    SetAndSettle(MGMapPuzzle::kFourthState, true);
    ASSERT_TRUE(IsOpen());
    EXPECT_TRUE(PuzzleGame::HasEvent(MGMapPuzzle::kFourthEvent));
    EXPECT_TRUE(PuzzleGame::HasEvent(MGMapPuzzle::kSolvedEvent));
    EXPECT_TRUE(ClueShown(u"clue_zambrio"));
    EXPECT_TRUE(ClueShown(u"clue_spot"));
}

TEST_F(MGMapPuzzleTest, EachInterviewStateInAnyCaseAddsItsClueAndOpensTheMap) {
    const struct {
        const char16_t* fState;
        const char16_t* fEvent;
    } cases[] = {{u"sta_interview_113_2A2_CH", MGMapPuzzle::kGateEvent},
                 {u"STA_INTERVIEW_114_2a2_il", MGMapPuzzle::kTombstoneEvent},
                 {u"sta_Interview_115_2A2_fg", MGMapPuzzle::kFourthEvent}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(Narrow(VoString(entry.fState)));
        EXPECT_FALSE(PuzzleGame::HasEvent(entry.fEvent));
        SetAndSettle(entry.fState, true);
        EXPECT_TRUE(PuzzleGame::HasEvent(entry.fEvent));
        EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));
        SetAndSettle(entry.fState, false);
        EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
    }
}

TEST_F(MGMapPuzzleTest, TheSandcastleVoiceOverShowsTheMapForALittleOverFourSeconds) {
    Add(MGMapPuzzle::kSandcastleCue);
    EXPECT_TRUE(PuzzleGame::HasEvent(MGMapPuzzle::kSandcastleEvent));
    const double opened = fGame.Now();
    EXPECT_DOUBLE_EQ(fPuzzle->GetCloseTime(), opened + 4.0);
    fGame.Settle();
    ASSERT_TRUE(IsOpen());
    EXPECT_TRUE(ClueShown(u"clue_sandcastle"));
    while (fGame.Now() + PuzzleGame::kFrameTime <= opened + 4.0) {
        fGame.Frame();
    }
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));
    fGame.Frame();
    fGame.Settle();
    EXPECT_FALSE(IsOpen());
    EXPECT_FALSE(fPuzzle->IsTimed());
}

TEST_F(MGMapPuzzleTest, AFalseInterviewStateOrTheTimedCloseLeaveAnotherScreenAlone) {
    SetAndSettle(MGMapPuzzle::kGateState, true);
    RecordingScreen box("box", &fGame.fJournal);
    fGame.Screens()->PushScreen(&box);
    SetAndSettle(MGMapPuzzle::kGateState, false);
    EXPECT_EQ(PuzzleGame::Top(), &box);
    EXPECT_TRUE(IsOpen());
    fGame.Screens()->RemoveScreen(&box);
    SetAndSettle(MGMapPuzzle::kGateState, false);
    ASSERT_FALSE(IsOpen());

    // Closed already: the scene stays.
    SetAndSettle(MGMapPuzzle::kTombstoneState, false);
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
    EXPECT_EQ(fGame.Screens()->GetScreenCount(), 1);

    // The timed close finds another screen on top.
    Add(MGMapPuzzle::kSandcastleCue);
    fGame.Settle();
    ASSERT_TRUE(IsOpen());
    fGame.Screens()->PushScreen(&box);
    fGame.Frames(250);
    EXPECT_EQ(PuzzleGame::Top(), &box);
    EXPECT_FALSE(fPuzzle->IsTimed());
    fGame.Screens()->RemoveScreen(&box);
}

TEST_F(MGMapPuzzleTest, AfterANewGameTheSandcastleShowsTheMapAgain) {
    Add(MGMapPuzzle::kSandcastleCue);
    fGame.Frames(300);
    ASSERT_FALSE(IsOpen());
    {
        // In the same game the cue comes once.
        LogCapture log;
        Add(MGMapPuzzle::kSandcastleCue);
        EXPECT_TRUE(log.Contains("AddEvent failure. ID duplication: "));
        fGame.Settle();
        EXPECT_FALSE(IsOpen());
    }
    VoEventManager::GetInstance()->ClearEvents();
    Add(MGMapPuzzle::kSandcastleCue);
    fGame.Settle();
    EXPECT_TRUE(IsOpen());
    EXPECT_TRUE(PuzzleGame::HasEvent(MGMapPuzzle::kSandcastleEvent));
}

TEST_F(MGMapPuzzleTest, WithoutCluesOnlyTheBackgroundShowsAndNothingPlays) {
    fGame.Open(MGMapPuzzle::kActivationState);
    // Groups without a script keep their layout's visibility; the background is one.
    EXPECT_TRUE(fPuzzle->GetRootGroup()->GetMember(VoString(u"map_background"))->GetVisible());
    EXPECT_FALSE(ClueShown(u"clue_sandcastle"));
    EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
}
