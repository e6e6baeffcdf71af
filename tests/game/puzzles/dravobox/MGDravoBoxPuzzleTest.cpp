#include "puzzles/dravobox/MGDravoBoxPuzzle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "event/VoEventManager.h"
#include "game/support/PuzzleData.h"
#include "game/support/PuzzleDataRoot.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoSprite.h"
#include "interview/MGSubtitle.h"
#include "puzzles/dravobox/MGDravoBoxPiece.h"
#include "render/VoTextureManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "ui/MGCutScenePlayer.h"

namespace {

constexpr int kSize = MGDravoBoxPuzzle::kSize;
constexpr int kFree = MGDravoBoxPuzzle::kFree;
constexpr int kBlocked = MGDravoBoxPuzzle::kBlocked;
// The sample board: columns from x 176, rows from y 50, 64 apart.
constexpr float kLeft = 176.0f;
constexpr float kTop = 50.0f;
constexpr float kCell = 64.0f;

using Board = std::vector<int>;

int At(int aColumn, int aRow) {
    return aRow * kSize + aColumn;
}

// The picture in order: tile 0 at column 1, row 1.
Board Picture() {
    Board board(kSize * kSize, kBlocked);
    for (int notch : {At(3, 0), At(0, 3), At(6, 3), At(3, 6)}) {
        board[notch] = kFree;
    }
    for (int n = 0; n < 25; ++n) {
        board[At(1 + n % 5, 1 + n / 5)] = n;
    }
    return board;
}

// The board with the tile at (column, row) moved to (column, row).
Board Moved(Board aBoard, int aFromColumn, int aFromRow, int aToColumn, int aToRow) {
    aBoard[At(aToColumn, aToRow)] = aBoard[At(aFromColumn, aFromRow)];
    aBoard[At(aFromColumn, aFromRow)] = kFree;
    return aBoard;
}

std::string Text(const Board& aBoard) {
    std::string text;
    for (int value : aBoard) {
        text += std::to_string(value) + "|";
    }
    return text;
}

void Store(const std::string& aText) {
    VoStateManager::GetInstance()->SetState(VoString(MGDravoBoxPuzzle::kBoardState), VoString(u"string"),
                                            VoString(aText.c_str()), false);
}

std::string Stored() {
    VoIState* state = VoStateManager::GetInstance()->GetState(VoString(MGDravoBoxPuzzle::kBoardState));
    if (state == nullptr || state->GetType() != VoIState::kString) {
        return "";
    }
    return Narrow(*static_cast<const VoString*>(state->GetValue()));
}

class MGDravoBoxPuzzleTest : public ::testing::Test {
protected:
    void Open(int aSkill = 1) {
        PuzzleGame::SetSkill(aSkill);
        fGame.Open(MGDravoBoxPuzzle::kActivationState);
    }
    void Open(const Board& aBoard) {
        Store(Text(aBoard));
        Open();
    }
    void Close() {
        fPuzzle->OnButtonEvent(VoString(u"back_btn"), VoIButtonListener::kClick);
        fGame.Settle();
    }

    Board Cells() const {
        Board board;
        for (int row = 0; row < kSize; ++row) {
            for (int column = 0; column < kSize; ++column) {
                board.push_back(fPuzzle->GetCell(column, row));
            }
        }
        return board;
    }
    MGDravoBoxPiece* TileAt(int aColumn, int aRow) const {
        return fPuzzle->GetTile(fPuzzle->GetCell(aColumn, aRow));
    }
    static VoVector2 Where(MGDravoBoxPiece* apTile) { return apTile->GetGroup()->GetPosition(); }
    static VoVector2 Cell(int aColumn, int aRow) {
        return VoVector2(kLeft + kCell * static_cast<float>(aColumn),
                         kTop + kCell * static_cast<float>(aRow));
    }
    // Presses the middle of the cell, moves by each step in turn, releases.
    static void Drag(int aColumn, int aRow, std::vector<VoVector2> aSteps) {
        VoVector2 at = Cell(aColumn, aRow) + VoVector2(32.0f, 32.0f);
        PuzzleGame::Press(at.x, at.y);
        for (const VoVector2& step : aSteps) {
            at = at + step;
            PuzzleGame::MoveTo(at.x, at.y);
        }
        PuzzleGame::Release();
    }

    PuzzleGame fGame;
    MGDravoBoxPuzzle* fPuzzle = MGDravoBoxPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGDravoBoxPuzzleTest, ThePictureIsShuffledInTheMiddleAndTheNotchesStayFree) {
    std::srand(7);
    Open();
    ASSERT_EQ(fPuzzle->GetTiles().GetCount(), 25);
    const Board board = Cells();
    EXPECT_NE(board, Picture());
    std::vector<int> seen;
    for (int row = 0; row < kSize; ++row) {
        for (int column = 0; column < kSize; ++column) {
            const int value = board[At(column, row)];
            const bool middle = row >= 1 && row <= 5 && column >= 1 && column <= 5;
            EXPECT_EQ(value == kBlocked, !middle && Picture()[At(column, row)] == kBlocked);
            if (middle) {
                seen.push_back(value);
                // Each tile stands where its cell is, and knows it.
                MGDravoBoxPiece* tile = fPuzzle->GetTile(value);
                ASSERT_NE(tile, nullptr);
                EXPECT_EQ(Where(tile), Cell(column, row));
                EXPECT_EQ(tile->GetColumn(), column);
                EXPECT_EQ(tile->GetRow(), row);
                EXPECT_EQ(tile->GetGroup()->GetRelativeZ(), 10.0f);
            } else if (value != kBlocked) {
                EXPECT_EQ(value, kFree);
            }
        }
    }
    std::sort(seen.begin(), seen.end());
    for (int n = 0; n < 25; ++n) {
        EXPECT_EQ(seen[n], n);
    }
}

TEST_F(MGDravoBoxPuzzleTest, HardTakesThePictureAndTheOtherLevelsTheNumberedTiles) {
    const struct {
        int fSkill;
        const char16_t* fPicture;
    } cases[] = {{0, u"dravo_numbers.tga"}, {1, u"dravo_numbers.tga"}, {2, u"dravo_picture.tga"}};
    for (const auto& level : cases) {
        SCOPED_TRACE(level.fSkill);
        Store(Text(Picture()));
        Open(level.fSkill);
        auto* sprite =
            dynamic_cast<VoSprite*>(fPuzzle->GetTile(6)->GetGroup()->GetMember(VoString(u"pieceSprite")));
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->GetTexture(), VoTextureManager::GetInstance()->GetHandle(VoString(level.fPicture)));
        Close();
    }
}

TEST_F(MGDravoBoxPuzzleTest, ATileWithNoFreeNeighbourIsPressedButNeverSlides) {
    Open(Moved(Picture(), 3, 1, 3, 0));
    MGDravoBoxPiece* centre = TileAt(3, 3);
    PuzzleGame::Press(Cell(3, 3).x + 10.0f, Cell(3, 3).y + 10.0f);
    EXPECT_TRUE(centre->IsPressed());
    // The others are locked while it is held.
    EXPECT_TRUE(TileAt(3, 2)->IsLocked());
    EXPECT_FALSE(centre->IsLocked());
    for (const VoVector2& to : {VoVector2(186.0f, 0.0f), VoVector2(-186.0f, 0.0f), VoVector2(0.0f, 186.0f),
                                VoVector2(0.0f, -186.0f)}) {
        const VoVector2 at = Cell(3, 3) + VoVector2(10.0f, 10.0f) + to;
        PuzzleGame::MoveTo(at.x, at.y);
        EXPECT_FALSE(centre->HasAxis());
        EXPECT_EQ(Where(centre), Cell(3, 3));
    }
    PuzzleGame::Release();
    EXPECT_EQ(Where(centre), Cell(3, 3));
    EXPECT_EQ(fPuzzle->GetCell(3, 3), 12);
    EXPECT_FALSE(TileAt(3, 2)->IsLocked());
}

TEST_F(MGDravoBoxPuzzleTest, ThreePixelsTowardAFreeCellChooseNoAxisAndFourDo) {
    Open(Moved(Picture(), 3, 1, 3, 0));
    MGDravoBoxPiece* tile = TileAt(3, 2);
    Drag(3, 2, {VoVector2(0.0f, -3.0f), VoVector2(-3.0f, 3.0f), VoVector2(6.0f, 0.0f)});
    EXPECT_EQ(Where(tile), Cell(3, 2));
    EXPECT_EQ(fPuzzle->GetCell(3, 2), 7);

    const VoVector2 from = Cell(3, 2) + VoVector2(32.0f, 32.0f);
    PuzzleGame::Press(from.x, from.y);
    PuzzleGame::MoveTo(from.x, from.y - 4.0f);
    EXPECT_TRUE(tile->HasAxis());
    EXPECT_EQ(tile->GetAxis(), MGDravoBoxPiece::kVertical);
    // The move that chooses moves nothing; the next one slides.
    EXPECT_EQ(Where(tile), Cell(3, 2));
    EXPECT_EQ(tile->GetLowerLimit(), Cell(3, 1).y);
    EXPECT_EQ(tile->GetUpperLimit(), Cell(3, 2).y);
    PuzzleGame::MoveTo(from.x, from.y - 10.0f);
    EXPECT_EQ(Where(tile), Cell(3, 2) + VoVector2(0.0f, -6.0f));
    PuzzleGame::Release();
    // Nearer its own cell than the free one.
    EXPECT_EQ(Where(tile), Cell(3, 2));
}

TEST_F(MGDravoBoxPuzzleTest, ATileSlidesOverAWholeFreeRunAndSnapsToTheNearestFreeCell) {
    // Tile 2 waits in the left notch: the notch above the board and the
    // cell under it are free.
    const Board board = Moved(Picture(), 3, 1, 0, 3);
    const struct {
        float fUp;
        int fRow;
    } cases[] = {
        // The first 5 pixels choose the axis and move nothing: the tile
        // ends at y 178 + 5 - up.
        {150.0f, 0},              // stopped at the top of the run
        {110.0f, 0},              // y 73 between 50 and 114: nearer the notch
        {101.0f, 1},              // y 82: as near both, the later row wins
        {70.0f, 1},  {20.0f, 2},  // back to its own
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fUp);
        Open(board);
        MGDravoBoxPiece* tile = TileAt(3, 2);
        Drag(3, 2, {VoVector2(0.0f, -5.0f), VoVector2(0.0f, 5.0f - c.fUp)});
        EXPECT_EQ(Where(tile), Cell(3, c.fRow));
        EXPECT_EQ(fPuzzle->GetCell(3, c.fRow), 7);
        for (int row = 0; row <= 2; ++row) {
            if (row != c.fRow) {
                EXPECT_EQ(fPuzzle->GetCell(3, row), kFree) << row;
            }
        }
        EXPECT_EQ(tile->GetRow(), c.fRow);
        // Let go, no tile stays locked.
        EXPECT_FALSE(TileAt(2, 2)->IsLocked());
        PuzzleGame::SetState(MGDravoBoxPuzzle::kActivationState, false);
        fGame.Settle();
    }
}

TEST_F(MGDravoBoxPuzzleTest, DraggingAgainstTheFreeSideMovesNothing) {
    Open(Moved(Picture(), 3, 1, 3, 0));
    MGDravoBoxPiece* tile = TileAt(3, 2);
    // Down is not free: no axis.
    Drag(3, 2, {VoVector2(0.0f, 40.0f)});
    EXPECT_FALSE(tile->HasAxis());
    EXPECT_EQ(Where(tile), Cell(3, 2));
    // Chosen upward, the tile goes no lower than its own row, nor sideways.
    const VoVector2 from = Cell(3, 2) + VoVector2(32.0f, 32.0f);
    PuzzleGame::Press(from.x, from.y);
    PuzzleGame::MoveTo(from.x, from.y - 5.0f);
    PuzzleGame::MoveTo(from.x + 30.0f, from.y + 40.0f);
    EXPECT_EQ(Where(tile), Cell(3, 2));
    // The pointer below the grab point: coming back up moves nothing until it passes it.
    PuzzleGame::MoveTo(from.x, from.y + 10.0f);
    EXPECT_EQ(Where(tile), Cell(3, 2));
    PuzzleGame::Release();
    EXPECT_EQ(fPuzzle->GetCell(3, 2), 7);
}

TEST_F(MGDravoBoxPuzzleTest, SideFreeCellsGiveTheHorizontalRangeBothWays) {
    // Columns 4 and 5 of row 1 free, beside tile 2 at (3, 1); column 1 and 2 not.
    Board board = Moved(Picture(), 4, 1, 3, 0);
    board = Moved(board, 5, 1, 3, 6);
    Open(board);
    MGDravoBoxPiece* tile = TileAt(3, 1);
    const VoVector2 from = Cell(3, 1) + VoVector2(32.0f, 32.0f);
    PuzzleGame::Press(from.x, from.y);
    PuzzleGame::MoveTo(from.x + 4.0f, from.y);
    EXPECT_EQ(tile->GetAxis(), MGDravoBoxPiece::kHorizontal);
    EXPECT_EQ(tile->GetLowerLimit(), Cell(3, 1).x);
    EXPECT_EQ(tile->GetUpperLimit(), Cell(5, 1).x);
    PuzzleGame::MoveTo(from.x + 400.0f, from.y);
    EXPECT_EQ(Where(tile), Cell(5, 1));
    PuzzleGame::Release();
    EXPECT_EQ(fPuzzle->GetCell(5, 1), 2);
    EXPECT_EQ(fPuzzle->GetCell(3, 1), kFree);
}

TEST_F(MGDravoBoxPuzzleTest, TheBackButtonStoresTheBoardAndTheNextOpeningShowsIt) {
    Open();
    ASSERT_EQ(Stored(), "");
    Drag(3, 1, {VoVector2(0.0f, -5.0f), VoVector2(0.0f, -80.0f)});
    const Board before = Cells();
    EXPECT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
    const std::string text = Stored();
    EXPECT_EQ(text, Text(before));
    EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 49);
    EXPECT_EQ(text.back(), '|');
    // Row 0: all blocked but the notch, which a tile may hold.
    EXPECT_EQ(text.rfind("999|999|999|", 0), 0u);

    Open();
    EXPECT_EQ(Cells(), before);
    for (int n = 0; n < 25; ++n) {
        MGDravoBoxPiece* tile = fPuzzle->GetTile(n);
        EXPECT_EQ(Where(tile), Cell(tile->GetColumn(), tile->GetRow())) << n;
    }
}

TEST_F(MGDravoBoxPuzzleTest, EachLeaveByTheBackButtonReplacesTheStoredBoard) {
    // A shuffled board; each round slides the tile under the top notch's
    // free cell up into it, then leaves.
    Open();
    ASSERT_EQ(Stored(), "");
    Drag(3, 1, {VoVector2(0.0f, -5.0f), VoVector2(0.0f, -80.0f)});
    const Board first = Cells();
    ASSERT_EQ(fPuzzle->GetCell(3, 1), kFree);
    Close();
    ASSERT_EQ(Stored(), Text(first));

    Open();
    ASSERT_EQ(Cells(), first);
    Drag(3, 2, {VoVector2(0.0f, -5.0f), VoVector2(0.0f, -80.0f)});
    const Board second = Moved(first, 3, 2, 3, 1);
    ASSERT_EQ(Cells(), second);
    Close();
    EXPECT_EQ(Stored(), Text(second));

    Open();
    EXPECT_EQ(Cells(), second);
    MGDravoBoxPiece* moved = TileAt(3, 1);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(Where(moved), Cell(3, 1));
}

TEST_F(MGDravoBoxPuzzleTest, ClosingByTheStateStoresNothing) {
    Open();
    PuzzleGame::SetState(MGDravoBoxPuzzle::kActivationState, false);
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
    EXPECT_EQ(fPuzzle->GetRootGroup(), nullptr);
    EXPECT_FALSE(VoStateManager::GetInstance()->HasState(VoString(MGDravoBoxPuzzle::kBoardState)));
}

TEST_F(MGDravoBoxPuzzleTest, TheLastTileHomePlaysTheMovieOnceOverThePuzzleAndLocksEveryTile) {
    // Tile 22 waits in the bottom notch under its own cell.
    Open(Moved(Picture(), 3, 5, 3, 6));
    const int events = VoEventManager::GetInstance()->GetEventCount();
    Drag(3, 6, {VoVector2(0.0f, -5.0f), VoVector2(0.0f, -60.0f)});
    EXPECT_EQ(fPuzzle->GetCell(3, 5), 22);
    for (int n = 0; n < 25; ++n) {
        EXPECT_TRUE(fPuzzle->GetTile(n)->IsLocked()) << n;
    }
    // Locked tiles take no press.
    Drag(3, 4, {VoVector2(0.0f, 5.0f), VoVector2(0.0f, 60.0f)});
    EXPECT_EQ(fPuzzle->GetCell(3, 4), 17);
    EXPECT_FALSE(TileAt(3, 4)->IsPressed());

    fGame.Frame();
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    ASSERT_EQ(player->GetQueue().GetCount(), 1);
    EXPECT_EQ(Narrow(player->GetQueue().GetAt(0)), "LisaApt_Dravo_Box.bik");
    EXPECT_EQ(Narrow(player->GetTargetScene()), "case02/lisa_apt_upstairs");
    EXPECT_EQ(Narrow(player->GetTargetViewpoint()), "vp_stairs_bedroom");
    ASSERT_EQ(player->GetDoneStates().GetCount(), 3);
    EXPECT_EQ(Narrow(player->GetDoneStates().GetAt(0)), "sta_2ls16c_visible");
    // Not taken off first: the movie's screen comes over the puzzle.
    EXPECT_GE(fGame.Screens()->FindScreen(fPuzzle), 0);
    EXPECT_EQ(VoEventManager::GetInstance()->GetEventCount(), events);
    EXPECT_EQ(Stored(), Text(Moved(Picture(), 3, 5, 3, 6)));
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(player));
    EXPECT_EQ(fPuzzle->GetRootGroup(), nullptr);
}

TEST_F(MGDravoBoxPuzzleTest, ABrokenStoredBoardIsLoggedAndShuffledAnew) {
    Board twice = Picture();
    twice[At(1, 1)] = 5;
    Board blockedOpen = Picture();
    blockedOpen[At(0, 0)] = kFree;
    Board outOfRange = Picture();
    outOfRange[At(5, 5)] = 25;
    Board inTheRing = Moved(Picture(), 1, 1, 0, 1);
    std::string short48 = Text(Picture());
    short48 = short48.substr(short48.find('|') + 1);
    const struct {
        const char* fName;
        std::string fText;
    } cases[] = {
        {"48 values", short48},
        {"50 values", Text(Picture()) + "-1|"},
        {"not a number", "x" + Text(Picture()).substr(3)},
        {"a number with text", "999a" + Text(Picture()).substr(3)},
        {"empty", ""},
        {"a tile twice", Text(twice)},
        {"a blocked cell open", Text(blockedOpen)},
        {"no tile 25", Text(outOfRange)},
        {"a tile in the ring", Text(inTheRing)},
        {"a huge number", "99999999999|" + Text(Picture()).substr(4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fName);
        Store(c.fText);
        LogCapture log;
        Open();
        EXPECT_EQ(log.Count(MGDravoBoxPuzzle::kBadStoredBoard), 1);
        const Board board = Cells();
        for (int notch : {At(3, 0), At(0, 3), At(6, 3), At(3, 6)}) {
            EXPECT_EQ(board[notch], kFree);
        }
        for (int n = 0; n < 25; ++n) {
            EXPECT_EQ(std::count(board.begin(), board.end(), n), 1) << n;
        }
        PuzzleGame::SetState(MGDravoBoxPuzzle::kActivationState, false);
        fGame.Settle();
    }
}

TEST_F(MGDravoBoxPuzzleTest, AStoredBoardWithTilesInTheNotchesIsTakenAsItIs) {
    Board board = Moved(Picture(), 1, 1, 0, 3);
    board = Moved(board, 5, 5, 6, 3);
    board = Moved(board, 3, 1, 3, 0);
    board = Moved(board, 3, 5, 3, 6);
    LogCapture log;
    Open(board);
    EXPECT_EQ(log.Count(MGDravoBoxPuzzle::kBadStoredBoard), 0);
    EXPECT_EQ(Cells(), board);
    EXPECT_EQ(Where(fPuzzle->GetTile(0)), Cell(0, 3));
}

TEST_F(MGDravoBoxPuzzleTest, ATileListOfAnotherCountBuildsNoBoardAndNeverSolves) {
    PuzzleData data("dravobox");
    PuzzleDataRoot root(data);
    std::string layout = data.SampleLayout("dravo_layout.txt");
    // The easy list's last tile taken out.
    const size_t cut = layout.find("\t\ttile25\n", layout.find("\tg04-easypieces\n"));
    ASSERT_NE(cut, std::string::npos);
    layout.erase(cut, layout.find('\n', layout.find("texturecoords", cut)) + 1 - cut);
    data.WriteLayout("dravo_layout.txt", layout);
    LogCapture log;
    Open(Picture());
    EXPECT_TRUE(log.Contains(MGDravoBoxPuzzle::kBadTileCount));
    EXPECT_EQ(fPuzzle->GetTiles().GetCount(), 0);
    EXPECT_EQ(fPuzzle->GetRootGroup()->GetMember(VoString(u"tile01")), nullptr);
    EXPECT_FALSE(fPuzzle->CheckSolution());
    PuzzleGame::Click(Cell(3, 3).x + 30.0f, Cell(3, 3).y + 30.0f);
    fGame.Frames(3);
    EXPECT_EQ(MGCutScenePlayer::GetInstance()->GetQueue().GetCount(), 0);
}

TEST_F(MGDravoBoxPuzzleTest, EveryEntryPlaysTheLineWhichOutlivesTheClose) {
    const struct {
        int fSkill;
        const char* fPath;
    } cases[] = {{0, "//sounds/hi10_rg.ogg"}, {1, "//sounds/2ls16_rg.ogg"}, {2, "//sounds/2ls16_rg.ogg"}};
    for (const auto& level : cases) {
        SCOPED_TRACE(level.fSkill);
        for (int entry = 0; entry < 2; ++entry) {
            Open(level.fSkill);
            stubs::SoundPlayer* line = PuzzleGame::Sound("puzzleVO");
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->fPath, level.fPath);
            EXPECT_TRUE(MGSubtitle::PeekInstance()->IsShown());
            Close();
            EXPECT_EQ(PuzzleGame::Sound("puzzleVO"), line);
            EXPECT_TRUE(MGSubtitle::PeekInstance()->IsShown());
        }
        PuzzleGame::EndSound("puzzleVO");
        EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
        EXPECT_FALSE(MGSubtitle::PeekInstance()->IsShown());
    }
}
