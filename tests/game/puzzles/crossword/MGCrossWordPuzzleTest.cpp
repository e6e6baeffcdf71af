#include "puzzles/crossword/MGCrossWordPuzzle.h"

#include <gtest/gtest.h>

#include <string>

#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "game/support/PuzzleData.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "platform/VoKeyboard.h"
#include "support/LogCapture.h"
#include "support/TestText.h"

namespace {

// A small crossword in the sample's layout: three words across, three down.
//     C A T
//     A R E
//     B E D
constexpr const char* kGrid =
    "1_1=1|1\n1_2=1|2\n1_3=1|3\n2_1=4|1\n2_2=4|2\n2_3=4|3\n3_1=5|1\n3_2=5|2\n3_3=5|3\n";

std::string Word(const char* aNumber, const char* aAnswer, int aColumn, int aRow, bool aDown,
                 const char* aLevel = nullptr) {
    std::string out = std::string("\t") + aNumber + "\n\t\tanswer=" + aAnswer +
                      "\n\t\tcolumn=" + std::to_string(aColumn) + "\n\t\trow=" + std::to_string(aRow) +
                      "\n\t\twidth=" + (aDown ? "1" : "3") + "\n\t\theight=" + (aDown ? "3" : "1") +
                      "\n\t\tx=" + std::to_string(187 + 26 * (aColumn - 1)) +
                      "\n\t\ty=" + std::to_string(28 + 25 * (aRow - 1)) + "\n";
    if (aLevel != nullptr) {
        out += std::string("\t\tlevel=") + aLevel + "\n";
    }
    return out;
}

std::string Words(const char* aFirstLevel = nullptr, const char* aLastLevel = nullptr) {
    return "across\n" + Word("1", "CAT", 1, 1, false, aFirstLevel) + Word("4", "ARE", 1, 2, false) +
           Word("5", "BED", 1, 3, false, aLastLevel) + "down\n" + Word("1", "CAB", 1, 1, true) +
           Word("2", "ARE", 2, 1, true) + Word("3", "TED", 3, 1, true);
}

// Scan codes.
constexpr int kShift = 42;
constexpr int kBackspace = 14;
constexpr int kSpace = 57;
constexpr int kOne = 2;

int ScanCodeOf(char aLetter) {
    const char* const rows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    const int firsts[] = {16, 30, 44};
    for (int r = 0; r < 3; ++r) {
        for (int i = 0; rows[r][i] != 0; ++i) {
            if (rows[r][i] == aLetter) {
                return firsts[r] + i;
            }
        }
    }
    return 0;
}

class MGCrossWordPuzzleTest : public ::testing::Test {
protected:
    MGCrossWordPuzzleTest() { UseWords(Words()); }

    void UseWords(const std::string& aWords, const std::string& aGrid = kGrid) const {
        fData.WriteLayout("crossword_puzzle_grid.txt", aGrid);
        fData.WriteLayout("crossword_puzzle_entries.txt", aWords);
    }
    void Open(int aSkill = 1) {
        PuzzleGame::SetSkill(aSkill);
        fGame.Open(MGCrossWordPuzzle::kActivationState);
        ASSERT_NE(fPuzzle->GetRootGroup(), nullptr);
    }
    void Close() {
        PuzzleGame::SetState(MGCrossWordPuzzle::kActivationState, false);
        fGame.Settle();
    }
    static void ClickCell(int aRow, int aColumn) {
        PuzzleGame::Click(187.0f + 26.0f * static_cast<float>(aColumn - 1) + 13.0f,
                          28.0f + 25.0f * static_cast<float>(aRow - 1) + 12.0f);
    }
    static void Key(int aCode) {
        VoKeyboard::GetInstance()->KeyDown(aCode);
        VoKeyboard::GetInstance()->KeyUp(aCode);
    }
    static void Type(const char* aLetters) {
        for (const char* letter = aLetters; *letter != 0; ++letter) {
            Key(ScanCodeOf(*letter));
        }
    }
    std::u16string Entry(int aRow, int aColumn) const {
        return TextOf(fPuzzle->GetEntryCell(aRow, aColumn)->GetText());
    }
    bool Printed(int aRow, int aColumn) const {
        return fPuzzle->GetPrintedCell(aRow, aColumn)->GetVisible() &&
               !fPuzzle->GetEntryCell(aRow, aColumn)->GetVisible();
    }
    bool RowPrinted(int aRow) const { return Printed(aRow, 1) && Printed(aRow, 2) && Printed(aRow, 3); }
    void ExpectCursor(int aRow, int aColumn) const {
        EXPECT_EQ(fPuzzle->GetCursorRow(), aRow);
        EXPECT_EQ(fPuzzle->GetCursorColumn(), aColumn);
    }
    // Types the whole grid, the middle row last.
    void Solve() {
        ClickCell(1, 1);
        Type("cat");
        ClickCell(3, 1);
        Type("bed");
        ClickCell(2, 1);
        Type("are");
    }

    PuzzleGame fGame;
    PuzzleData fData{"crossword"};
    MGCrossWordPuzzle* fPuzzle = MGCrossWordPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGCrossWordPuzzleTest, AClickPicksTheCellOf26By25PixelsFrom187And28) {
    const struct {
        float fX;
        float fY;
        bool fInside;
        int fRow;
        int fColumn;
    } cases[] = {{240.0f, 80.0f, true, 3, 3},    {186.5f, 27.5f, true, 1, 1},
                 {212.9f, 52.9f, true, 1, 1},    {213.0f, 53.0f, true, 2, 2},
                 {566.5f, 402.9f, true, 15, 15}, {566.5f, 407.5f, true, 16, 15},
                 {186.0f, 100.0f, false, 0, 0},  {567.0f, 100.0f, false, 0, 0},
                 {300.0f, 27.0f, false, 0, 0},   {300.0f, 408.0f, false, 0, 0}};
    for (const auto& entry : cases) {
        int row = 0;
        int column = 0;
        EXPECT_EQ(MGCrossWordPuzzle::CellAt(entry.fX, entry.fY, &row, &column), entry.fInside)
            << entry.fX << ", " << entry.fY;
        if (entry.fInside) {
            EXPECT_EQ(row, entry.fRow) << entry.fX << ", " << entry.fY;
            EXPECT_EQ(column, entry.fColumn) << entry.fX << ", " << entry.fY;
        }
    }

    Open();
    PuzzleGame::Click(240.0f, 80.0f);
    ExpectCursor(3, 3);
    EXPECT_EQ(fPuzzle->GetWordNumber(), 5);
    VoSprite* highlight = fPuzzle->GetHighlight();
    EXPECT_TRUE(highlight->GetVisible());
    EXPECT_EQ(highlight->GetPosition(), VoVector2(187.0f, 78.0f));
    VoVector2 scale;
    highlight->GetScale(scale);
    EXPECT_EQ(scale, VoVector2(3.0f, 1.0f));
    EXPECT_EQ(highlight->GetBlend(), 0.3f);
    EXPECT_TRUE(fPuzzle->GetCursorSprite()->GetVisible());
    EXPECT_EQ(fPuzzle->GetCursorSprite()->GetPosition(), VoVector2(239.0f, 78.0f));
    EXPECT_EQ(TextOf(fPuzzle->GetCursorSprite()->GetId()), u"cursorSprite");

    // Below the grid's last row (row 16, no cell) nothing changes.
    PuzzleGame::Click(300.0f, 407.5f);
    ExpectCursor(3, 3);
    // Outside the grid typing stops, the highlight stays.
    PuzzleGame::Click(100.0f, 100.0f);
    ExpectCursor(-1, -1);
    EXPECT_TRUE(highlight->GetVisible());
    Type("x");
    EXPECT_EQ(Entry(3, 3), u"");
}

TEST_F(MGCrossWordPuzzleTest, TheSecondClickSwitchesDirectionOrClearsWithoutAWordThatWay) {
    const std::string onlyAcross = "1_1=1|1\n1_2=1|0\n1_3=1|3\n2_1=0|1\n2_3=0|3\n3_1=5|1\n3_2=5|0\n3_3=5|3\n";
    Open();
    ClickCell(1, 1);
    EXPECT_EQ(fPuzzle->GetDirection(), MGCrossWordPuzzle::kAcrossDirection);
    ClickCell(1, 1);
    EXPECT_EQ(fPuzzle->GetDirection(), MGCrossWordPuzzle::kDownDirection);
    EXPECT_EQ(fPuzzle->GetWordNumber(), 1);
    VoVector2 scale;
    fPuzzle->GetHighlight()->GetScale(scale);
    EXPECT_EQ(scale, VoVector2(1.0f, 3.0f));
    ClickCell(1, 1);
    EXPECT_EQ(fPuzzle->GetDirection(), MGCrossWordPuzzle::kAcrossDirection);
    Close();

    UseWords(Words(), onlyAcross);
    Open();
    ClickCell(1, 2);
    EXPECT_TRUE(fPuzzle->GetHighlight()->GetVisible());
    ClickCell(1, 2);
    ExpectCursor(-1, -1);
    EXPECT_FALSE(fPuzzle->GetHighlight()->GetVisible());
    EXPECT_FALSE(fPuzzle->GetCursorSprite()->GetVisible());
    // The direction is down now: a cell of no word down clears at the first click.
    EXPECT_EQ(fPuzzle->GetDirection(), MGCrossWordPuzzle::kDownDirection);
    ClickCell(1, 1);
    ExpectCursor(1, 1);
    ClickCell(3, 2);
    ExpectCursor(-1, -1);
    EXPECT_FALSE(fPuzzle->GetHighlight()->GetVisible());
}

TEST_F(MGCrossWordPuzzleTest, TheLetterThatEndsTwoWordsPrintsBoth) {
    Open();
    ClickCell(1, 3);
    ClickCell(1, 3);
    ASSERT_EQ(fPuzzle->GetDirection(), MGCrossWordPuzzle::kDownDirection);
    ClickCell(2, 3);
    Type("ed");
    ClickCell(1, 1);
    ClickCell(1, 1);
    ASSERT_EQ(fPuzzle->GetDirection(), MGCrossWordPuzzle::kAcrossDirection);
    Type("ca");
    ExpectCursor(1, 3);
    EXPECT_FALSE(PuzzleGame::HasEvent(u"evt_crossword_across_1"));
    Type("t");
    EXPECT_TRUE(PuzzleGame::HasEvent(u"evt_crossword_across_1"));
    EXPECT_TRUE(PuzzleGame::HasEvent(u"evt_crossword_down_3"));
    EXPECT_TRUE(RowPrinted(1));
    EXPECT_TRUE(Printed(2, 3) && Printed(3, 3));
    EXPECT_EQ(TextOf(fPuzzle->GetPrintedCell(3, 3)->GetText()), u"D");
    // The word in the typing direction takes the highlight away.
    EXPECT_FALSE(fPuzzle->GetHighlight()->GetVisible());
    EXPECT_FALSE(fPuzzle->GetCursorSprite()->GetVisible());
    EXPECT_FALSE(fPuzzle->IsSolved());
}

TEST_F(MGCrossWordPuzzleTest, TypedLettersAreStoredInCapitalsAndDigitsAndTheSpaceAreCellText) {
    Open();
    ClickCell(3, 1);
    const struct {
        bool fShift;
        int fKey;
        const char16_t* fText;
    } keys[] = {{false, ScanCodeOf('b'), u"B"}, {true, ScanCodeOf('e'), u"E"}, {false, kOne, u"1"}};
    int column = 1;
    for (const auto& key : keys) {
        if (key.fShift) {
            VoKeyboard::GetInstance()->KeyDown(kShift);
        }
        Key(key.fKey);
        if (key.fShift) {
            VoKeyboard::GetInstance()->KeyUp(kShift);
        }
        EXPECT_EQ(Entry(3, column), key.fText);
        ++column;
    }
    // The cursor stays on the word's last cell.
    ExpectCursor(3, 3);
    Key(kSpace);
    EXPECT_EQ(Entry(3, 3), u" ");
    Key(28);  // return: no cell text
    EXPECT_EQ(Entry(3, 3), u" ");
    EXPECT_FALSE(PuzzleGame::HasEvent(u"evt_crossword_across_5"));
    Type("d");
    EXPECT_TRUE(PuzzleGame::HasEvent(u"evt_crossword_across_5"));
}

TEST_F(MGCrossWordPuzzleTest, BackspaceEmptiesTheCellAndStepsBackToTheWordsFirstCell) {
    Open();
    ClickCell(1, 1);
    Type("cx");
    ExpectCursor(1, 3);
    Key(kBackspace);
    ExpectCursor(1, 2);
    Key(kBackspace);
    ExpectCursor(1, 1);
    EXPECT_EQ(Entry(1, 2), u"");
    EXPECT_EQ(Entry(1, 1), u"C");
    Key(kBackspace);
    ExpectCursor(1, 1);
    EXPECT_EQ(Entry(1, 1), u"");
}

TEST_F(MGCrossWordPuzzleTest, TheSkillLevelPrintsNoviceAndStandardWordsAtOnceAndTheyCount) {
    UseWords(Words("novice", "standard"));
    const struct {
        int fSkill;
        bool fFirst;
        bool fLast;
    } cases[] = {{0, true, true}, {1, false, true}, {2, false, false}};
    for (const auto& level : cases) {
        SCOPED_TRACE(level.fSkill);
        Open(level.fSkill);
        EXPECT_EQ(RowPrinted(1), level.fFirst);
        EXPECT_EQ(RowPrinted(3), level.fLast);
        EXPECT_FALSE(PuzzleGame::HasEvent(u"evt_crossword_across_1"));
        EXPECT_EQ(fPuzzle->GetLetterCellCount(), 9);
        Close();
    }
    Open(0);
    ClickCell(2, 1);
    Type("are");
    EXPECT_TRUE(fPuzzle->IsSolved());
    EXPECT_TRUE(PuzzleGame::HasEvent(MGCrossWordPuzzle::kSolvedEvent));
    EXPECT_TRUE(PuzzleGame::HasEvent(u"evt_crossword_down_2"));
}

TEST_F(MGCrossWordPuzzleTest, FoundWordsComeBackPrintedAndTypingIsForgotten) {
    Open();
    ClickCell(1, 1);
    Type("cat");
    ClickCell(3, 1);
    Type("be");
    Close();
    Open();
    EXPECT_TRUE(RowPrinted(1));
    EXPECT_EQ(TextOf(fPuzzle->GetPrintedCell(1, 2)->GetText()), u"A");
    EXPECT_EQ(Entry(3, 1), u"");
    EXPECT_FALSE(Printed(3, 1));
    ExpectCursor(-1, -1);
}

TEST_F(MGCrossWordPuzzleTest, GridKeysAndWordsOutsideTheCellsAreLeftOutWithALogLine) {
    const std::string grid = std::string(kGrid) + "16_2=9|0\n0_1=1|1\n2_99=1|1\nxy=1|1\n";
    const std::string words = "across\n" + Word("1", "CAT", 1, 1, false) + Word("4", "ARE", 1, 2, false) +
                              Word("5", "BED", 1, 3, false) + Word("9", "LONGER", 14, 2, false) + "down\n" +
                              Word("1", "CAB", 1, 1, true) + Word("2", "ARE", 2, 1, true) +
                              Word("3", "TED", 3, 1, true) + Word("7", "ROW", 1, 16, true);
    UseWords(words, grid);
    std::string layout = fData.SampleLayout("crossword_layout.txt");
    const std::size_t at = layout.find("\t\tx=");
    layout.insert(layout.find('\n', at), "|577|603");
    fData.WriteLayout("crossword_layout.txt", layout);
    LogCapture log;
    Open();
    EXPECT_TRUE(log.Contains(MGCrossWordPuzzle::kTooManyCoords));
    for (const char* key : {"16_2", "0_1", "2_99", "xy"}) {
        EXPECT_TRUE(log.Contains(std::string(MGCrossWordPuzzle::kKeyOutside) + key)) << key;
    }
    EXPECT_TRUE(log.Contains(std::string(MGCrossWordPuzzle::kWordOutside) + "across.9"));
    EXPECT_TRUE(log.Contains(std::string(MGCrossWordPuzzle::kWordOutside) + "down.7"));
    EXPECT_EQ(fPuzzle->GetLetterCellCount(), 9);
    EXPECT_EQ(fPuzzle->GetEntryCell(1, 16), nullptr);
    Solve();
    EXPECT_TRUE(fPuzzle->IsSolved());
    Close();

    // Fewer coordinates than the words need: those words are left out.
    layout = fData.SampleLayout("crossword_layout.txt");
    const std::size_t x = layout.find("\t\tx=");
    layout.replace(x, layout.find('\n', x) - x, "\t\tx=187|213");
    fData.WriteLayout("crossword_layout.txt", layout);
    UseWords(Words());
    LogCapture narrow;
    Open();
    EXPECT_EQ(fPuzzle->GetEntryCell(1, 3), nullptr);
    EXPECT_TRUE(narrow.Contains(std::string(MGCrossWordPuzzle::kKeyOutside) + "1_3"));
    EXPECT_TRUE(narrow.Contains(std::string(MGCrossWordPuzzle::kWordOutside) + "across.1"));
    EXPECT_EQ(fPuzzle->GetLetterCellCount(), 6);
    // The across words do not fit: no cell of theirs can be selected.
    ClickCell(1, 1);
    ExpectCursor(-1, -1);
    EXPECT_FALSE(fPuzzle->GetHighlight()->GetVisible());
}

// The frame-by-frame times at which the circles and the fold show.
struct Reveal {
    double fCircles[5] = {-1.0, -1.0, -1.0, -1.0, -1.0};  // by number, from 1
    double fFold = -1.0;
};

class MGCrossWordRevealTest : public MGCrossWordPuzzleTest {
protected:
    // Frames for aSeconds from the solution; the solved line ends after aLineEnd.
    Reveal Watch(double aSeconds, double aLineEnd) {
        Reveal seen;
        const double start = fGame.Now();
        bool ended = false;
        while (fGame.Now() < start + aSeconds) {
            if (!ended && aLineEnd >= 0.0 && fGame.Now() - start >= aLineEnd) {
                ended = PuzzleGame::EndSound("solvedAudio");
            }
            fGame.Frame();
            for (int n = 1; n <= 4; ++n) {
                if (seen.fCircles[n] < 0.0 && fPuzzle->GetCircle(n)->GetVisible()) {
                    seen.fCircles[n] = fGame.Now() - start;
                }
            }
            if (seen.fFold < 0.0 && fPuzzle->GetFold()->GetVisible()) {
                seen.fFold = fGame.Now() - start;
            }
        }
        return seen;
    }
};

TEST_F(MGCrossWordRevealTest, WordsAloneStartNoRevealAndTheLastCellStartsIt) {
    Open();
    ClickCell(1, 1);
    Type("cat");
    ClickCell(3, 1);
    Type("bed");
    const Reveal early = Watch(6.0, -1.0);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_LT(early.fCircles[n], 0.0) << n;
    }
    EXPECT_LT(early.fFold, 0.0);
    EXPECT_EQ(fPuzzle->GetRevealStep(), 0);
    EXPECT_EQ(PuzzleGame::Sound("solvedAudio"), nullptr);

    ClickCell(2, 1);
    Type("are");
    ASSERT_TRUE(fPuzzle->IsSolved());
    stubs::SoundPlayer* line = PuzzleGame::Sound("solvedAudio");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->fPath, "//sounds/4cw01_rg.ogg");
    const Reveal seen = Watch(10.0, 6.0);
    // Circles 3, 1, 4, 2 after 1.2, 1.2, 1.4 and 1.0 s; the fold 1.0 s after the line.
    EXPECT_NEAR(seen.fCircles[3], 1.2, 0.03);
    EXPECT_NEAR(seen.fCircles[1], 2.4, 0.05);
    EXPECT_NEAR(seen.fCircles[4], 3.8, 0.07);
    EXPECT_NEAR(seen.fCircles[2], 4.8, 0.09);
    EXPECT_NEAR(seen.fFold, 7.0, 0.05);
    EXPECT_EQ(fPuzzle->GetRevealStep(), 4);
}

TEST_F(MGCrossWordRevealTest, TheFoldNeverComesBeforeTheLastCircle) {
    Open();
    Solve();
    ASSERT_TRUE(fPuzzle->IsSolved());
    const Reveal seen = Watch(10.0, 0.1);
    ASSERT_GT(seen.fCircles[2], 0.0);
    EXPECT_GT(seen.fFold, seen.fCircles[2]);
    EXPECT_LT(seen.fFold, seen.fCircles[2] + 0.05);
}

TEST_F(MGCrossWordRevealTest, WithoutItsLineTheFoldFollowsTheLastCircleAfterASecond) {
    stubs::Missing().insert("//sounds/4cw01_rg.ogg");
    Open();
    LogCapture log;
    Solve();
    ASSERT_TRUE(fPuzzle->IsSolved());
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
    const Reveal seen = Watch(10.0, -1.0);
    ASSERT_GT(seen.fCircles[2], 0.0);
    EXPECT_NEAR(seen.fFold - seen.fCircles[2], 1.0, 0.05);
}

TEST_F(MGCrossWordPuzzleTest, TheStateTurningFalseClosesItAndLeavingStopsTheReveal) {
    Open();
    Solve();
    fGame.Frames(10);
    Close();
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
    EXPECT_EQ(fPuzzle->GetRootGroup(), nullptr);
    EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
    fGame.Frames(400);
    EXPECT_EQ(fPuzzle->GetRevealStep(), 0);
}

TEST(MGCrossWordSample, TheSampleGridHas181LetterCellsAndTypingEveryAcrossWordSolvesIt) {
    PuzzleGame game;
    PuzzleGame::SetSkill(2);
    MGCrossWordPuzzle* puzzle = MGCrossWordPuzzle::GetInstance();
    LogCapture log;
    game.Open(MGCrossWordPuzzle::kActivationState);
    ASSERT_NE(puzzle->GetRootGroup(), nullptr);
    EXPECT_EQ(puzzle->GetLetterCellCount(), 181);
    EXPECT_FALSE(log.Contains(MGCrossWordPuzzle::kKeyOutside));
    EXPECT_FALSE(log.Contains(MGCrossWordPuzzle::kWordOutside));

    VoPropertyList words;
    ASSERT_TRUE(words.Load(VoString(MGCrossWordPuzzle::kWordFile), true));
    VoPropertyList* across = words.GetList(VoString(u"across"));
    ASSERT_NE(across, nullptr);
    for (int i = 0; i < across->GetCount(); ++i) {
        VoPropertyList* word = across->GetListAt(i);
        bool found = false;
        const int row = word->GetInt(VoString(u"row"), &found);
        const int column = word->GetInt(VoString(u"column"), &found);
        PuzzleGame::Click(187.0f + 26.0f * static_cast<float>(column - 1) + 13.0f,
                          28.0f + 25.0f * static_cast<float>(row - 1) + 12.0f);
        ASSERT_EQ(puzzle->GetCursorRow(), row) << Narrow(across->GetKeyAt(i));
        const std::string answer = Narrow(word->GetString(VoString(u"answer"), &found));
        for (char letter : answer) {
            const int code = ScanCodeOf(static_cast<char>(letter - 'A' + 'a'));
            VoKeyboard::GetInstance()->KeyDown(code);
            VoKeyboard::GetInstance()->KeyUp(code);
        }
    }
    EXPECT_TRUE(puzzle->IsSolved());
    EXPECT_TRUE(PuzzleGame::HasEvent(u"evt_crossword_down_1"));
}
