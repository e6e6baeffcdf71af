#include "puzzles/baseballbat/MGBaseballBatPuzzle.h"

#include <gtest/gtest.h>

#include <string>

#include "event/VoEventManager.h"
#include "game/support/PuzzleData.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "geometry/VoPolygon.h"
#include "interview/MGSubtitle.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "puzzles/baseballbat/MGBaseballPiece.h"
#include "state/VoStateManager.h"
#include "support/LogCapture.h"

namespace {

constexpr const char* kLayoutFile = "bat_puzzle_layout.txt";
const VoVector2 kOrigin(100.0f, 300.0f);

class MGBaseballBatPuzzleTest : public ::testing::Test {
protected:
    void Open(int aSkill = 1) {
        PuzzleGame::SetSkill(aSkill);
        fGame.Open(MGBaseballBatPuzzle::kActivationState);
    }
    void Close() {
        PuzzleGame::SetState(MGBaseballBatPuzzle::kActivationState, false);
        fGame.Settle();
    }
    MGBaseballPiece* Piece(int aNumber) const { return fPuzzle->GetPiece(aNumber); }
    static VoVector2 At(MGBaseballPiece* apPiece) {
        VoVector2 position;
        return apPiece->GetWorldPosition(position);
    }
    // Every fragment at its offset from piece1, at kOrigin; piece4, which
    // must lie over piece3, left where it was built (below it).
    void LayOutSolved() const {
        for (int n = 1; n <= 7; ++n) {
            if (MGBaseballPiece* piece = Piece(n)) {
                piece->SetPosition(kOrigin + piece->GetSolvedPosition(0));
            }
        }
    }
    // A point of the fragment's shown outline.
    static VoVector2 Inside(MGBaseballPiece* apPiece) {
        VoPolygon outline;
        apPiece->GetRotationGroup(apPiece->GetRotation())->GetWorldBoundary(outline);
        const VoVector2* points = outline.PeekPoints();
        // The middle of two opposite corners of the cut.
        const int count = outline.GetNumPoints();
        return (points[1] + points[count - 2]) * 0.5f;
    }
    static void ClickOnNothing() { PuzzleGame::Click(790.0f, 590.0f); }

    PuzzleGame fGame;
    MGBaseballBatPuzzle* fPuzzle = MGBaseballBatPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGBaseballBatPuzzleTest, SevenFragmentsScatteredAtRotationZero) {
    Open();
    ASSERT_EQ(fPuzzle->GetPieces().GetCount(), 7);
    EXPECT_EQ(fPuzzle->GetRootGroup()->GetId(), VoString(u"baseballbat_layout"));
    for (int n = 1; n <= 7; ++n) {
        MGBaseballPiece* piece = Piece(n);
        ASSERT_NE(piece, nullptr) << n;
        EXPECT_TRUE(piece->IsComplete());
        EXPECT_EQ(piece->GetRotation(), 0);
        EXPECT_TRUE(piece->GetRotationGroup(0)->GetVisible());
        for (int k = 1; k < 4; ++k) {
            EXPECT_FALSE(piece->GetRotationGroup(k)->GetVisible());
        }
        const VoVector2 at = At(piece);
        EXPECT_TRUE(at.x >= 50.0f && at.x < 550.0f && at.y >= 50.0f && at.y < 450.0f) << n;
        EXPECT_EQ(piece->GetRelativeZ(), 505.0f - 5.0f * static_cast<float>(n));
        EXPECT_GT(piece->GetWidth(), 0.0f);
    }
    EXPECT_EQ(Piece(4)->GetOverPiece(), 3);
    EXPECT_EQ(Piece(3)->GetOverPiece(), MGBaseballPiece::kNoPiece);
}

TEST_F(MGBaseballBatPuzzleTest, EachAxisPassesAtTwentyOffAndFailsBeyond) {
    const struct {
        float fDx;
        float fDy;
        bool fSolved;
    } cases[] = {{0.0f, 0.0f, true},   {20.0f, 0.0f, true},  {0.0f, -20.0f, true},
                 {20.0f, 20.0f, true}, {20.5f, 0.0f, false}, {0.0f, 20.5f, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fDx << ", " << c.fDy);
        Open();
        LayOutSolved();
        Piece(4)->SetRelativeZ(600.0f);
        Piece(6)->SetPosition(At(Piece(6)) + VoVector2(c.fDx, c.fDy));
        EXPECT_EQ(fPuzzle->CheckSolution(), c.fSolved);
        EXPECT_EQ(fPuzzle->IsSolved(), c.fSolved);
        Close();
    }
}

TEST_F(MGBaseballBatPuzzleTest, TheSplinterBelowItsNeighbourFailsUntilPickedAndDroppedInPlace) {
    // The item belongs to case 3, the one chosen.
    VoStateManager::GetInstance()->SetState(VoString(MGInventoryPanel::kCaseState), VoString(u"number"),
                                            VoString(u"3"), false);
    Open();
    MGPDAMinimized::GetInstance()->Hide();
    LayOutSolved();
    ClickOnNothing();
    EXPECT_FALSE(fPuzzle->IsSolved());
    // Picked, it rises above the others; let go where it is, the bat is whole.
    const VoVector2 on = Inside(Piece(4));
    PuzzleGame::Press(on.x, on.y);
    ASSERT_EQ(fPuzzle->GetSelectedPiece(), Piece(4));
    EXPECT_GT(Piece(4)->GetRelativeZ(), Piece(3)->GetRelativeZ());
    PuzzleGame::Release();
    ASSERT_TRUE(fPuzzle->IsSolved());
    EXPECT_TRUE(PuzzleGame::HasEvent(MGBaseballBatPuzzle::kSolvedEvent));
    EXPECT_TRUE(MGPDA::GetInstance()->GetInventoryPanel()->HasItem(VoString(u"3wh02")));
    EXPECT_TRUE(MGPDAMinimized::GetInstance()->IsShown());
    stubs::SoundPlayer* line = PuzzleGame::Sound("puzzleVO");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->fPath, "//sounds/3wh02_rg.ogg");
    EXPECT_TRUE(MGSubtitle::PeekInstance()->IsShown());

    // Nothing follows the mouse any more.
    const VoVector2 before = At(Piece(2));
    const VoVector2 grab = Inside(Piece(2));
    PuzzleGame::Press(grab.x, grab.y);
    PuzzleGame::MoveTo(grab.x + 100.0f, grab.y);
    PuzzleGame::Release();
    EXPECT_EQ(At(Piece(2)), before);

    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));
    PuzzleGame::EndSound("puzzleVO");
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
    EXPECT_EQ(fPuzzle->GetRootGroup(), nullptr);
}

TEST_F(MGBaseballBatPuzzleTest, AReleaseWithNothingPickedChecksAgain) {
    Open();
    LayOutSolved();
    Piece(4)->SetRelativeZ(600.0f);
    EXPECT_FALSE(fPuzzle->IsSolved());
    ClickOnNothing();
    EXPECT_TRUE(fPuzzle->IsSolved());
}

TEST_F(MGBaseballBatPuzzleTest, OnlyThePrimaryButtonPicksAndDraggingHasNoBounds) {
    Open();
    MGBaseballPiece* piece = Piece(5);
    // The others out of the way: the first picked is the first hit in pick order.
    for (int n = 1; n <= 7; ++n) {
        if (n != 5) {
            Piece(n)->SetPosition(-1000.0f, -1000.0f);
        }
    }
    const VoVector2 start = At(piece);
    const VoVector2 grab = Inside(piece);
    PuzzleGame::Press(grab.x, grab.y, 2);
    EXPECT_EQ(fPuzzle->GetSelectedPiece(), nullptr);
    PuzzleGame::MoveTo(grab.x + 50.0f, grab.y);
    PuzzleGame::Release(2);
    EXPECT_EQ(At(piece), start);

    PuzzleGame::Press(grab.x, grab.y);
    ASSERT_EQ(fPuzzle->GetSelectedPiece(), piece);
    PuzzleGame::MoveTo(grab.x - 700.0f, grab.y + 500.0f);
    EXPECT_EQ(At(piece), start + VoVector2(-700.0f, 500.0f));
    PuzzleGame::Release();
    EXPECT_EQ(fPuzzle->GetSelectedPiece(), nullptr);
    EXPECT_EQ(fPuzzle->GetPieces().GetAt(0), piece);
}

TEST_F(MGBaseballBatPuzzleTest, AFragmentWithoutAllItsRotationsOrAMissingOneNeverSolves) {
    PuzzleData data("baseball_bat");
    const std::string sample = data.SampleLayout(kLayoutFile);
    const auto without = [&sample](const std::string& aFrom, const std::string& aTo, size_t aAfter = 0) {
        std::string layout = sample;
        const size_t from = layout.find(aFrom, aAfter);
        layout.erase(from, layout.find(aTo, from) - from);
        return layout;
    };
    const struct {
        const char* fName;
        std::string fLayout;
    } cases[] = {
        {"no piece4", without("\t\tpiece4\n", "\t\tpiece5\n")},
        {"piece2 with three rotations",
         without("\t\t\t\trot3\n", "\t\tpiece3\n", sample.find("\t\tpiece2\n"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fName);
        data.WriteLayout(kLayoutFile, c.fLayout);
        LogCapture log;
        Open();
        EXPECT_EQ(log.Count(MGBaseballBatPuzzle::kIncomplete), 1);
        LayOutSolved();
        if (Piece(4) != nullptr) {
            Piece(4)->SetRelativeZ(600.0f);
        }
        ClickOnNothing();
        ClickOnNothing();
        EXPECT_FALSE(fPuzzle->IsSolved());
        EXPECT_EQ(log.Count(MGBaseballBatPuzzle::kIncomplete), 1);
        Close();
    }
}

TEST_F(MGBaseballBatPuzzleTest, WithoutTheSolvedLineThePuzzleStaysOpenAndSolved) {
    stubs::Missing().insert("//sounds/3wh02_rg.ogg");
    Open();
    LayOutSolved();
    Piece(4)->SetRelativeZ(600.0f);
    ClickOnNothing();
    EXPECT_TRUE(fPuzzle->IsSolved());
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));
    EXPECT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
}

TEST_F(MGBaseballBatPuzzleTest, TheFirstViewPlaysTheHintOnEasyOnly) {
    const struct {
        int fSkill;
        bool fHint;
    } cases[] = {{0, true}, {1, false}, {2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fSkill);
        VoEventManager::GetInstance()->ClearEvents();
        Open(c.fSkill);
        EXPECT_TRUE(PuzzleGame::HasEvent(MGBaseballBatPuzzle::kFirstViewEvent));
        stubs::SoundPlayer* hint = PuzzleGame::Sound("puzzleVO");
        ASSERT_EQ(hint != nullptr, c.fHint);
        if (hint != nullptr) {
            EXPECT_EQ(hint->fPath, "//sounds/hi13_rg.ogg");
            // Its end closes nothing: the bat is not whole.
            PuzzleGame::EndSound("puzzleVO");
            fGame.Settle();
            EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));
        }
        Close();
        Open(c.fSkill);
        EXPECT_EQ(PuzzleGame::Sound("puzzleVO"), nullptr);
        Close();
    }
}
