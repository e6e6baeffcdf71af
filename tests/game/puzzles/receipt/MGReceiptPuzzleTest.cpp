#include "puzzles/receipt/MGReceiptPuzzle.h"

#include <gtest/gtest.h>

#include "event/VoEventManager.h"
#include "game/support/HeldItem.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "interview/MGSubtitle.h"
#include "pda/MGPDAMinimized.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "support/TestText.h"
#include "ui/MGCursor.h"

namespace {

class MGReceiptPuzzleTest : public ::testing::Test {
protected:
    void Open(int aSkill = 1) {
        PuzzleGame::SetSkill(aSkill);
        fGame.Open(MGReceiptPuzzle::kActivationState);
    }
    void Close() {
        PuzzleGame::SetState(MGReceiptPuzzle::kActivationState, false);
        fGame.Settle();
    }
    bool IsOpen() const { return fGame.Screens()->FindScreen(fPuzzle) >= 0; }
    static void Add(const char16_t* apEvent) {
        VoEventManager::GetInstance()->AddEvent(VoString(apEvent), true);
    }
    // The parts from the first up to aCount added as the puzzle adds them.
    static void AddParts(int aCount) {
        for (int i = 0; i < aCount; ++i) {
            Add(MGReceiptPuzzle::kParts[i].fPuzzleEvent);
        }
    }
    bool PictureShown(const char16_t* apId) const {
        VoIDisplayObject* picture = fPuzzle->GetRootGroup()->GetMember(VoString(apId));
        return picture != nullptr && picture->GetVisible();
    }
    static bool Solved() { return PuzzleGame::HasEvent(MGReceiptPuzzle::kSolvedEvent); }
    static VoString LampState() {
        VoIState* state = VoStateManager::GetInstance()->GetState(VoString(MGReceiptPuzzle::kLampState));
        return state != nullptr && state->GetType() == VoIState::kString
                   ? *static_cast<const VoString*>(state->GetValue())
                   : VoString();
    }
    // The item taken from the PDA and clicked into the puzzle.
    static void UseItem(const char16_t* apItem) {
        TakeItem(apItem);
        PuzzleGame::MoveTo(400.0f, 300.0f);
        ASSERT_EQ(MGCursor::GetInstance()->GetCurrentId(), MGCursor::kItemHighlighted);
        PuzzleGame::Click(400.0f, 300.0f);
    }

    PuzzleGame fGame;
    MGReceiptPuzzle* fPuzzle = MGReceiptPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGReceiptPuzzleTest, ItKeepsThePDABarAndItsOwnCursor) {
    MGPDAMinimized::GetInstance()->Hide();
    Open();
    EXPECT_EQ(TextOf(fPuzzle->GetRootGroup()->GetId()), u"receiptpuzzle_layout");
    EXPECT_TRUE(MGPDAMinimized::GetInstance()->IsShown());
    MGCursor* cursor = MGCursor::GetInstance();
    EXPECT_EQ(cursor->GetCurrentId(), 4);
    EXPECT_EQ(TextOf(cursor->GetOwner()), u"receipt");
    for (const char16_t* picture : {u"1a", u"1b", u"2a", u"2b", u"3a", u"3b"}) {
        EXPECT_NE(fPuzzle->GetRootGroup()->GetMember(VoString(picture)), nullptr)
            << Narrow(VoString(picture));
        EXPECT_FALSE(PictureShown(picture));
    }
    // A plain click only checks again.
    PuzzleGame::Click(400.0f, 300.0f);
    EXPECT_EQ(MGReceiptPuzzle::PartsAdded(), 0);
    EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
    EXPECT_TRUE(IsOpen());
}

TEST_F(MGReceiptPuzzleTest, APartTakenOnTheCursorShowsItsPicturesAndAnyItemLeavesTheCursor) {
    Open();
    UseItem(u"3tc08");
    EXPECT_TRUE(PuzzleGame::HasEvent(u"evt_receiptpuzzle_piece2_added"));
    EXPECT_TRUE(PuzzleGame::HasEvent(u"evt_used_3tc08_hs_lamptarget"));
    EXPECT_TRUE(PictureShown(u"2a"));
    EXPECT_TRUE(PictureShown(u"2b"));
    EXPECT_FALSE(PictureShown(u"1a"));
    MGCursor* cursor = MGCursor::GetInstance();
    EXPECT_EQ(cursor->GetBaseId(), MGCursor::kDefault);
    EXPECT_EQ(cursor->GetCurrentId(), 4);

    // Items are told apart by their exact ids; another item is only dropped.
    for (const char16_t* other : {u"3TC07", u"letter"}) {
        UseItem(other);
        EXPECT_EQ(MGReceiptPuzzle::PartsAdded(), 1) << Narrow(VoString(other));
        EXPECT_EQ(cursor->GetCurrentId(), 4);
    }
    EXPECT_FALSE(Solved());
}

TEST_F(MGReceiptPuzzleTest, TheLastPartUsedOnTheLampSolvesItAtTheNextOpeningAndTheLineClosesIt) {
    AddParts(2);
    Add(u"evt_used_3tc09_hs_lamptarget");
    EXPECT_FALSE(Solved());
    Open();
    EXPECT_TRUE(PuzzleGame::HasEvent(u"evt_receiptpuzzle_piece3_added"));
    EXPECT_TRUE(Solved());
    EXPECT_EQ(TextOf(LampState()), u"solved");
    stubs::SoundPlayer* line = PuzzleGame::Sound("solvedAudio");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->fPath, "//sounds/3tc08_rg.ogg");
    EXPECT_TRUE(MGSubtitle::PeekInstance()->IsShown());
    // Pictures of parts added before show as the layout says.
    EXPECT_TRUE(PictureShown(u"3a"));
    ASSERT_TRUE(IsOpen());
    ASSERT_TRUE(PuzzleGame::EndSound("solvedAudio"));
    fGame.Settle();
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
    EXPECT_EQ(fPuzzle->GetRootGroup(), nullptr);
}

TEST_F(MGReceiptPuzzleTest, TheThirdPartByTheCursorSolvesIt) {
    AddParts(2);
    Open();
    EXPECT_FALSE(Solved());
    UseItem(u"3tc09");
    EXPECT_TRUE(Solved());
    EXPECT_NE(PuzzleGame::Sound("solvedAudio"), nullptr);
}

TEST_F(MGReceiptPuzzleTest, OnEasyWithExactlyOnePartEveryOpeningPlaysTheHint) {
    for (int skill = 0; skill <= 2; ++skill) {
        for (int parts = 0; parts <= 3; ++parts) {
            SCOPED_TRACE(testing::Message() << "skill " << skill << ", parts " << parts);
            VoEventManager::GetInstance()->ClearEvents();
            AddParts(parts);
            for (int opening = 0; opening < 2; ++opening) {
                Open(skill);
                EXPECT_EQ(PuzzleGame::Sound("hint") != nullptr, skill == 0 && parts == 1);
                ASSERT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
                fGame.Settle();
                ASSERT_FALSE(IsOpen());
            }
        }
    }
}

TEST_F(MGReceiptPuzzleTest, TheHintsEndDoesNotCloseThePuzzle) {
    AddParts(1);
    Open(0);
    stubs::SoundPlayer* hint = PuzzleGame::Sound("hint");
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->fPath, "//sounds/hi15_rg.ogg");
    ASSERT_TRUE(PuzzleGame::EndSound("hint"));
    fGame.Settle();
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
}

TEST_F(MGReceiptPuzzleTest, BackDuringTheLineStopsItAndNothingElseCloses) {
    AddParts(3);
    Open();
    ASSERT_NE(PuzzleGame::Sound("solvedAudio"), nullptr);
    ASSERT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
    fGame.Settle();
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
    EXPECT_FALSE(MGSubtitle::PeekInstance()->IsShown());
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);

    // Closed by its state, the check starts the line again as the puzzle
    // goes; its end, after the puzzle has left, closes nothing.
    Open();
    RecordingScreen box("box", &fGame.fJournal);
    PuzzleGame::SetState(MGReceiptPuzzle::kActivationState, false);
    ASSERT_NE(PuzzleGame::Sound("solvedAudio"), nullptr);
    fGame.Screens()->PushScreen(&box);
    PuzzleGame::EndSound("solvedAudio");
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), &box);
    EXPECT_FALSE(IsOpen());
    fGame.Screens()->RemoveScreen(&box);
}

TEST_F(MGReceiptPuzzleTest, WithoutItsSolvedLineThePuzzleClosesAtOnce) {
    stubs::Missing().insert("//sounds/3tc08_rg.ogg");
    AddParts(2);
    Open();
    UseItem(u"3tc09");
    EXPECT_TRUE(Solved());
    fGame.Settle();
    EXPECT_FALSE(IsOpen());
}
