#include "puzzles/hotelwindow/MGHotelWindowPuzzle.h"

#include <gtest/gtest.h>

#include "event/VoEventManager.h"
#include "game/support/HeldItem.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoSprite.h"
#include "pda/MGPDAMinimized.h"
#include "support/TestText.h"
#include "ui/MGCursor.h"

namespace {

class MGHotelWindowPuzzleTest : public ::testing::Test {
protected:
    void Open(int aSkill = 1) {
        PuzzleGame::SetSkill(aSkill);
        fGame.Open(MGHotelWindowPuzzle::kActivationState);
        ASSERT_NE(fPuzzle->GetRootGroup(), nullptr);
    }
    void Close() {
        PuzzleGame::SetState(MGHotelWindowPuzzle::kActivationState, false);
        fGame.Settle();
    }
    bool IsOpen() const { return fGame.Screens()->FindScreen(fPuzzle) >= 0; }
    // The polaroid picked up by a click in the bottom right corner.
    void PickUpInCorner() const {
        PuzzleGame::Click(780.0f, 580.0f);
        ASSERT_TRUE(fPuzzle->IsHolding());
    }
    static MGCursor* Cursor() { return MGCursor::GetInstance(); }

    PuzzleGame fGame;
    MGHotelWindowPuzzle* fPuzzle = MGHotelWindowPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGHotelWindowPuzzleTest, ItKeepsThePDABarAndShowsItsTargetCursor) {
    MGPDAMinimized::GetInstance()->Hide();
    Open();
    EXPECT_EQ(TextOf(fPuzzle->GetRootGroup()->GetId()), u"hotelwindowpuzzle_content");
    EXPECT_TRUE(MGPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ(Cursor()->GetCurrentId(), 4);
    EXPECT_EQ(TextOf(Cursor()->GetOwner()), u"hotelwindow");
    ASSERT_NE(fPuzzle->GetPolaroid(), nullptr);
    EXPECT_FALSE(fPuzzle->GetPolaroid()->GetVisible());
    ASSERT_NE(fPuzzle->GetBackButton(), nullptr);
    EXPECT_TRUE(fPuzzle->GetBackButton()->GetActive());
}

TEST_F(MGHotelWindowPuzzleTest, ThePolaroidItemOrTheCornerPicksThePolaroidUp) {
    const struct {
        const char16_t* fItem;  // null: nothing on the cursor
        float fX;
        float fY;
        bool fPicked;
    } cases[] = {{u"3pm17", 400.0f, 300.0f, true},  {u"letter", 400.0f, 300.0f, false},
                 {u"3PM17", 400.0f, 300.0f, false}, {u"letter", 780.0f, 580.0f, true},
                 {nullptr, 780.0f, 580.0f, true},   {nullptr, 770.0f, 580.0f, false},
                 {nullptr, 780.0f, 570.0f, false},  {nullptr, 770.5f, 570.5f, true}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(testing::Message()
                     << (entry.fItem != nullptr ? Narrow(VoString(entry.fItem)) : "no item") << " at "
                     << entry.fX << ", " << entry.fY);
        Open();
        if (entry.fItem != nullptr) {
            TakeItem(entry.fItem);
            PuzzleGame::MoveTo(400.0f, 300.0f);
            ASSERT_EQ(Cursor()->GetCurrentId(), MGCursor::kItemHighlighted);
        }
        PuzzleGame::Click(entry.fX, entry.fY);
        EXPECT_EQ(fPuzzle->IsHolding(), entry.fPicked);
        EXPECT_EQ(fPuzzle->GetPolaroid()->GetVisible(), entry.fPicked);
        EXPECT_EQ(Cursor()->IsActive(), !entry.fPicked);
        EXPECT_EQ(MGPDAMinimized::GetInstance()->IsShown(), !entry.fPicked);
        if (entry.fPicked) {
            EXPECT_EQ(fPuzzle->GetPolaroid()->GetPosition(), VoVector2(entry.fX, entry.fY));
            PuzzleGame::MoveTo(500.0f, 200.0f);
            EXPECT_EQ(fPuzzle->GetPolaroid()->GetPosition(), VoVector2(500.0f, 200.0f));
        }
        Close();
        ASSERT_FALSE(IsOpen());
        Cursor()->SetBaseCursor(MGCursor::kDefault);
        Cursor()->ResetCursor(VoString());
    }
}

TEST_F(MGHotelWindowPuzzleTest, ThePolaroidIsPlacedWithinFourWholePixelsOfItsPoint) {
    const struct {
        float fX;
        float fY;
        bool fPlaced;
    } cases[] = {{297.0f, 353.0f, true},  {293.0f, 353.0f, true},  {301.0f, 353.0f, true},
                 {301.9f, 357.9f, true},  {297.0f, 349.0f, true},  {297.0f, 357.0f, true},
                 {292.0f, 353.0f, false}, {302.0f, 353.0f, false}, {297.0f, 348.0f, false},
                 {297.0f, 358.0f, false}, {292.9f, 353.0f, false}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(testing::Message() << entry.fX << ", " << entry.fY);
        EXPECT_EQ(MGHotelWindowPuzzle::IsInPlace(entry.fX, entry.fY), entry.fPlaced);
        VoEventManager::GetInstance()->ClearEvents();
        Open();
        PickUpInCorner();
        PuzzleGame::Click(entry.fX, entry.fY);
        EXPECT_EQ(fPuzzle->IsSolved(), entry.fPlaced);
        EXPECT_EQ(PuzzleGame::HasEvent(MGHotelWindowPuzzle::kSolvedEvent), entry.fPlaced);
        // A miss keeps the polaroid on the pointer.
        EXPECT_TRUE(fPuzzle->IsHolding());
        Close();
    }
}

TEST_F(MGHotelWindowPuzzleTest, TheClickThatPicksThePolaroidUpIsNeverJudged) {
    Open();
    TakeItem(MGHotelWindowPuzzle::kPolaroidItem);
    PuzzleGame::MoveTo(297.0f, 353.0f);
    PuzzleGame::Click(297.0f, 353.0f);
    EXPECT_TRUE(fPuzzle->IsHolding());
    EXPECT_FALSE(fPuzzle->IsSolved());
    PuzzleGame::Click(297.0f, 353.0f);
    EXPECT_TRUE(fPuzzle->IsSolved());
}

TEST_F(MGHotelWindowPuzzleTest, AfterTheSolutionBackIsInactiveAndTheLineClosesThePuzzle) {
    Open();
    PickUpInCorner();
    PuzzleGame::Click(297.0f, 353.0f);
    ASSERT_TRUE(fPuzzle->IsSolved());
    EXPECT_FALSE(fPuzzle->IsListening());
    EXPECT_TRUE(Cursor()->IsActive());
    EXPECT_EQ(Cursor()->GetCurrentId(), 1);
    EXPECT_FALSE(fPuzzle->GetBackButton()->GetActive());
    stubs::SoundPlayer* line = PuzzleGame::Sound("vo");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->fPath, "//sounds/3pm17a_rg.ogg");
    // The back button takes no click now.
    PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn");
    fGame.Settle();
    ASSERT_TRUE(IsOpen());

    ASSERT_TRUE(PuzzleGame::EndSound("vo"));
    fGame.Settle();
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
    EXPECT_EQ(Cursor()->GetBaseId(), MGCursor::kDefault);
}

TEST_F(MGHotelWindowPuzzleTest, ALineEndingAfterThePuzzleHasLeftClosesNothing) {
    Open();
    PickUpInCorner();
    PuzzleGame::Click(297.0f, 353.0f);
    ASSERT_NE(PuzzleGame::Sound("vo"), nullptr);
    Close();
    ASSERT_FALSE(IsOpen());
    ASSERT_TRUE(PuzzleGame::EndSound("vo"));
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
    EXPECT_EQ(fGame.Screens()->GetScreenCount(), 1);
}

TEST_F(MGHotelWindowPuzzleTest, WithoutItsLineThePuzzleClosesAtOnce) {
    stubs::Missing().insert("//sounds/3pm17a_rg.ogg");
    Open();
    PickUpInCorner();
    PuzzleGame::Click(297.0f, 353.0f);
    EXPECT_TRUE(fPuzzle->IsSolved());
    fGame.Settle();
    EXPECT_FALSE(IsOpen());
}

TEST_F(MGHotelWindowPuzzleTest, LeavingWhileHoldingGivesBackTheCursorAndTheBar) {
    Open();
    PickUpInCorner();
    ASSERT_FALSE(Cursor()->IsActive());
    Close();
    EXPECT_FALSE(IsOpen());
    EXPECT_TRUE(Cursor()->IsActive());
    EXPECT_TRUE(MGPDAMinimized::GetInstance()->IsShown());
    EXPECT_FALSE(fPuzzle->IsListening());
    EXPECT_FALSE(fPuzzle->IsHolding());
    // The mouse no longer reaches it.
    PuzzleGame::Click(780.0f, 580.0f);
    EXPECT_FALSE(fPuzzle->IsHolding());

    // Back leaves the same way.
    Open();
    EXPECT_TRUE(fPuzzle->IsListening());
    ASSERT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
    EXPECT_FALSE(fPuzzle->IsListening());
    fGame.Settle();
    EXPECT_FALSE(IsOpen());
}

TEST_F(MGHotelWindowPuzzleTest, TheHintPlaysOnEasyTheFirstTimeOnly) {
    const struct {
        int fSkill;
        bool fHint;
    } cases[] = {{0, true}, {1, false}, {2, false}};
    for (const auto& level : cases) {
        SCOPED_TRACE(level.fSkill);
        VoEventManager::GetInstance()->ClearEvents();
        Open(level.fSkill);
        EXPECT_TRUE(PuzzleGame::HasEvent(MGHotelWindowPuzzle::kHint.fpFirstViewEvent));
        stubs::SoundPlayer* hint = PuzzleGame::Sound("puzzleVO");
        EXPECT_EQ(hint != nullptr, level.fHint);
        if (hint != nullptr) {
            EXPECT_EQ(hint->fPath, "//sounds/hi17_rg.ogg");
            PuzzleGame::EndSound("puzzleVO");
        }
        Close();
        Open(level.fSkill);
        EXPECT_EQ(PuzzleGame::Sound("puzzleVO"), nullptr);
        Close();
    }
}
