#include "puzzles/cigarband/MGCigarBandPuzzle.h"

#include <gtest/gtest.h>

#include <string>

#include "game/support/PuzzleData.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoTextArea.h"
#include "interview/MGSubtitle.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "puzzles/cigarband/MGCigarBandPiece.h"
#include "support/LogCapture.h"
#include "support/TestText.h"

namespace {

constexpr const char* kLayoutFile = "puzzle_cigarband_layout.txt";

class MGCigarBandPuzzleTest : public ::testing::Test {
protected:
    MGCigarBandPuzzle* Open(int aSkill = 1) {
        PuzzleGame::SetSkill(aSkill);
        fGame.Open(MGCigarBandPuzzle::kActivationState);
        return fPuzzle;
    }

    MGCigarBandPiece* Piece(int aNumber) const {
        VoString id(u"piece");
        id.Append(aNumber);
        return dynamic_cast<MGCigarBandPiece*>(fPuzzle->GetRootGroup()->GetMember(id));
    }

    static VoVector2 At(MGCigarBandPiece* apPiece) {
        VoVector2 position;
        apPiece->GetWorldPosition(position);
        return position;
    }

    // The reference at (100, 100) and pieces 2 to 5 in a row after it.
    void LayOutSolved() const {
        for (int n = 1; n <= 5; ++n) {
            Piece(n)->SetPosition(100.0f + 60.0f * static_cast<float>(n - 1), 100.0f);
        }
    }

    // A press and release on the piece, which drops it where it lies.
    static void Drop(MGCigarBandPiece* apPiece) {
        const VoVector2 position = At(apPiece);
        PuzzleGame::Click(position.x + 30.0f, position.y + 32.0f);
    }

    PuzzleGame fGame;
    MGCigarBandPuzzle* fPuzzle = MGCigarBandPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGCigarBandPuzzleTest, EasyBuildsTheFirstFivePiecesAndTheOthersAll) {
    const struct {
        int fSkill;
        int fCount;
    } cases[] = {{0, 5}, {1, 12}, {2, 12}};
    for (const auto& level : cases) {
        SCOPED_TRACE(level.fSkill);
        Open(level.fSkill);
        ASSERT_EQ(fPuzzle->GetPieces().GetCount(), level.fCount);
        for (int n = 1; n <= 12; ++n) {
            EXPECT_EQ(Piece(n) != nullptr, n <= level.fCount) << n;
        }
        // Made from 500.0 down in steps of 5.0, whatever the entries say.
        EXPECT_EQ(Piece(1)->GetRelativeZ(), 500.0f);
        EXPECT_EQ(Piece(5)->GetRelativeZ(), 480.0f);
        EXPECT_EQ(At(Piece(1)), VoVector2(90.0f, 120.0f));
        EXPECT_EQ(Piece(1)->GetWidth(), 60.0f);
        EXPECT_EQ(Piece(1)->GetHeight(), 64.0f);
        fPuzzle->OnButtonEvent(VoString(u"back_btn"), VoIButtonListener::kClick);
        fGame.Settle();
    }
}

TEST_F(MGCigarBandPuzzleTest, EachAxisPassesAtTwentyUnitsOffAndFailsBeyond) {
    const struct {
        float fDx;
        float fDy;
        bool fSolved;
    } cases[] = {{0.0f, 0.0f, true},    {20.0f, 0.0f, true},   {-20.0f, 0.0f, true},  {0.0f, 20.0f, true},
                 {20.0f, -20.0f, true}, {20.01f, 0.0f, false}, {0.0f, -20.01f, false}};
    for (const auto& offset : cases) {
        SCOPED_TRACE(testing::Message() << offset.fDx << ", " << offset.fDy);
        Open();
        LayOutSolved();
        Piece(3)->SetPosition(220.0f + offset.fDx, 100.0f + offset.fDy);
        fPuzzle->CheckSolution();
        EXPECT_EQ(fPuzzle->IsSolved(), offset.fSolved);
        fPuzzle->OnButtonEvent(VoString(u"back_btn"), VoIButtonListener::kClick);
        fGame.Settle();
    }
}

TEST_F(MGCigarBandPuzzleTest, SolvingGivesTheEventTheItemHidesTheLooseBandsAndPlaysTheLine) {
    Open();
    fGame.Frames(3);
    ASSERT_NE(PuzzleGame::Sound("hintAudio"), nullptr);
    LayOutSolved();
    Drop(Piece(4));
    ASSERT_TRUE(fPuzzle->IsSolved());
    EXPECT_TRUE(PuzzleGame::HasEvent(MGCigarBandPuzzle::kSolvedEvent));
    EXPECT_TRUE(MGPDA::GetInstance()->GetInventoryPanel()->HasItem(VoString(u"1cn05")));
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(Piece(n)->GetVisible(), n <= 5) << n;
    }
    // The solved line takes the hint's place.
    EXPECT_EQ(PuzzleGame::Sound("hintAudio"), nullptr);
    stubs::SoundPlayer* line = PuzzleGame::Sound("solvedAudio");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->fPath, "//sounds/1cn05a_rg.ogg");
    EXPECT_EQ(line->fpListener, static_cast<VoISoundListener*>(fPuzzle));
    VoString text;
    ASSERT_TRUE(MGPuzzleVoice::FindSubtitle(VoString(u"1cn05a_rg"), &text));
    EXPECT_EQ(TextOf(MGSubtitle::PeekInstance()->GetMainText()->GetText()), TextOf(text));

    // No piece follows the mouse any more; the puzzle stays open.
    const VoVector2 before = At(Piece(1));
    PuzzleGame::Press(before.x + 5.0f, before.y + 5.0f);
    PuzzleGame::MoveTo(before.x + 200.0f, before.y + 200.0f);
    PuzzleGame::Release();
    EXPECT_EQ(At(Piece(1)), before);
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));

    PuzzleGame::EndSound("solvedAudio");
    EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
    EXPECT_FALSE(MGSubtitle::PeekInstance()->IsShown());
    EXPECT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
}

TEST_F(MGCigarBandPuzzleTest, OnEasyTheFivePiecesInPlaceSolveIt) {
    Open(0);
    LayOutSolved();
    Drop(Piece(1));
    EXPECT_TRUE(fPuzzle->IsSolved());
}

TEST_F(MGCigarBandPuzzleTest, ADraggedPieceFollowsEachAxisOnlyInsideTheScreen) {
    Open();
    MGCigarBandPiece* piece = Piece(1);
    piece->SetPosition(700.0f, 300.0f);
    // Grabbed 10 units right of and below its corner.
    PuzzleGame::Press(710.0f, 310.0f);
    ASSERT_EQ(fPuzzle->GetSelectedPiece(), piece);
    const struct {
        float fMouseX;
        float fMouseY;
        VoVector2 fAt;
    } moves[] = {
        {740.0f, 350.0f, {730.0f, 340.0f}},  // 730 + 60 < 800
        {750.0f, 360.0f, {730.0f, 350.0f}},  // 740 + 60 is not below 800: x stays
        {745.0f, 400.0f, {735.0f, 390.0f}}, {745.0f, 546.0f, {735.0f, 390.0f}},  // 536 + 64 is not below 600
        {10.0f, 10.0f, {735.0f, 390.0f}},                                        // 0 is not above 0
        {11.0f, 11.0f, {1.0f, 1.0f}},
    };
    for (const auto& move : moves) {
        PuzzleGame::MoveTo(move.fMouseX, move.fMouseY);
        EXPECT_EQ(At(piece), move.fAt) << move.fMouseX << ", " << move.fMouseY;
    }
    PuzzleGame::Release();
    EXPECT_EQ(fPuzzle->GetSelectedPiece(), nullptr);
    PuzzleGame::MoveTo(300.0f, 300.0f);
    EXPECT_EQ(At(piece), VoVector2(1.0f, 1.0f));
}

TEST_F(MGCigarBandPuzzleTest, WhereTwoPiecesOverlapTheOnePickedLastIsGrabbed) {
    Open();
    MGCigarBandPiece* first = Piece(6);
    MGCigarBandPiece* second = Piece(7);
    first->SetPosition(300.0f, 300.0f);
    second->SetPosition(330.0f, 300.0f);
    PuzzleGame::Click(310.0f, 320.0f);
    PuzzleGame::Click(380.0f, 320.0f);
    EXPECT_EQ(fPuzzle->GetPieces().GetAt(0), second);
    EXPECT_EQ(fPuzzle->GetPieces().GetAt(1), first);
    EXPECT_GT(second->GetRelativeZ(), first->GetRelativeZ());
    EXPECT_EQ(second->GetRelativeZ(), first->GetRelativeZ() + 5.0f);

    PuzzleGame::Press(345.0f, 320.0f);
    EXPECT_EQ(fPuzzle->GetSelectedPiece(), second);
    PuzzleGame::Release();
    PuzzleGame::Click(310.0f, 320.0f);
    PuzzleGame::Press(345.0f, 320.0f);
    EXPECT_EQ(fPuzzle->GetSelectedPiece(), first);
    PuzzleGame::Release();
}

TEST_F(MGCigarBandPuzzleTest, HighDepthsAreBroughtDownTogether) {
    Open();
    Piece(2)->SetRelativeZ(10000.5f);
    Piece(3)->SetRelativeZ(6000.0f);
    Drop(Piece(6));
    EXPECT_EQ(Piece(6)->GetRelativeZ(), 10005.5f - 5000.0f);
    EXPECT_EQ(Piece(2)->GetRelativeZ(), 5000.5f);
    EXPECT_EQ(Piece(3)->GetRelativeZ(), 1000.0f);
    EXPECT_EQ(Piece(1)->GetRelativeZ(), 500.0f);
}

TEST_F(MGCigarBandPuzzleTest, OnlyThePrimaryButtonGrabsAndAPolygonTakesThePiecesClicks) {
    Open();
    MGCigarBandPiece* torn = Piece(4);
    ASSERT_NE(torn->GetHitPolygon(), nullptr);
    torn->SetPosition(700.0f, 20.0f);
    PuzzleGame::Press(730.0f, 50.0f, 2);
    EXPECT_EQ(fPuzzle->GetSelectedPiece(), nullptr);
    PuzzleGame::Release(2);
    // Its outline runs from (60, 0) to (57, 64): a click in the corner beside it misses.
    PuzzleGame::Press(758.0f, 83.5f);
    EXPECT_EQ(fPuzzle->GetSelectedPiece(), nullptr);
    PuzzleGame::Release();
    PuzzleGame::Press(730.0f, 50.0f);
    EXPECT_EQ(fPuzzle->GetSelectedPiece(), torn);
    PuzzleGame::Release();
}

TEST_F(MGCigarBandPuzzleTest, WithoutASolutionListNoDropSolves) {
    PuzzleData data("cigar_bands");
    std::string layout = data.SampleLayout(kLayoutFile);
    data.WriteLayout(kLayoutFile, layout.substr(0, layout.find("\nsolution\n") + 1));
    LogCapture log;
    Open();
    EXPECT_EQ(log.Count(MGCigarBandPuzzle::kUnsolvable), 1);
    LayOutSolved();
    Drop(Piece(2));
    Drop(Piece(5));
    EXPECT_FALSE(fPuzzle->IsSolved());
    EXPECT_EQ(log.Count(MGCigarBandPuzzle::kUnsolvable), 1);
}

TEST_F(MGCigarBandPuzzleTest, AReferenceThatWasNotBuiltNeverSolves) {
    PuzzleData data("cigar_bands");
    std::string layout = data.SampleLayout(kLayoutFile);
    const std::string reference = "\tpiece1=0|0\n";
    ASSERT_NE(layout.find(reference), std::string::npos);
    layout.replace(layout.find(reference), reference.size(), "\tpiece7=0|0\n\tpiece1=0|0\n");
    data.WriteLayout(kLayoutFile, layout);
    Open(0);
    ASSERT_EQ(Piece(7), nullptr);
    LayOutSolved();
    Drop(Piece(3));
    EXPECT_FALSE(fPuzzle->IsSolved());

    // Built, the same reference works.
    fPuzzle->OnButtonEvent(VoString(u"back_btn"), VoIButtonListener::kClick);
    fGame.Settle();
    Open(1);
    LayOutSolved();
    Piece(7)->SetPosition(100.0f, 100.0f);
    Drop(Piece(3));
    EXPECT_TRUE(fPuzzle->IsSolved());
}

TEST_F(MGCigarBandPuzzleTest, LayoutsWithoutPiecesOrAFileBuildWhatThereIs) {
    PuzzleData data("cigar_bands");
    const std::string layout = data.SampleLayout(kLayoutFile);
    const struct {
        const char* fName;
        std::string fText;
    } cases[] = {
        {"no pieces",
         layout.substr(0, layout.find("\tpiece1\n")) + "solution\n\tpiece1=0|0\n\tpiece2=60|0\n"},
        {"a piece without id or sprite",
         "groups\n\tbg\n\t\tid=bg\n\tback\n\t\tid=back_btn\n\tp\n\t\tx=5\n"
         "\tq\n\t\tid=q\n\t\tpolygon=1|2|3\nsolution\n\tq=0|0\n"},
        {"nothing", ""},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.fName);
        data.WriteLayout(kLayoutFile, entry.fText);
        Open();
        PuzzleGame::Click(320.0f, 300.0f);
        PuzzleGame::Click(35.0f, 37.0f);
        EXPECT_FALSE(fPuzzle->IsSolved());
        fPuzzle->OnButtonEvent(VoString(u"back_btn"), VoIButtonListener::kClick);
        fGame.Settle();
    }
}
