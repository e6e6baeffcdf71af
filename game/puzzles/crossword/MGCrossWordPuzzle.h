#pragma once
// The crossword: a grid of at most 15 x 15 cells that the player fills by
// clicking a cell and typing. Every typed character is checked against the
// across and down words through its cell; a word that matches (ignoring
// case) adds "evt_crossword_" + "across" or "down" + "_" + its number and
// turns from the player's handwriting into print. When every letter cell of
// the grid is printed the crossword is solved: "evt_crosswordpuzzle_solved",
// the line "4cw01_rg", four circles shown one after another over the grid
// (3, 1, 4, 2) and last the folded corner of the page, a second after the
// line has ended and never before the last circle.
//
// Found words come back printed at every opening through their events; on
// easy the words of level "novice" and "standard" are printed from the
// start, on medium those of level "standard".
//
// Files under "//textures/puzzles/crossword":
//   crossword_puzzle_grid.txt     one key per letter cell, row + "_" +
//                                 column (1-based), valued "across|down",
//                                 the numbers of its words (0 for none);
//   crossword_puzzle_entries.txt  "across" and "down", one section per word
//                                 number: "answer", "column", "row",
//                                 "width", "height", "x" and "y" (the
//                                 highlight's place), "level";
//   crossword_layout.txt          "groups.g01-background", "g09-fold",
//                                 "g03-selection" (the highlight and the
//                                 cursor), "g05-circle1" to "g08-circle4",
//                                 "g02-backbutton" and "g04-coords" ("x" per
//                                 column, "y" per row).
// Grid keys and words that reach outside the 15 x 15 cells or the
// coordinate lists are left out, with one log line each per opening.
//
// "sta_crosswordpuzzle_active" true opens it, false closes it.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "container/VoVectorInt.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoIKeyboardListener.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"
#include "stdlib/VoIFrameListener.h"

class VoDisplayGroup;
class VoPropertyList;
class VoSprite;
class VoTextArea;

class MGCrossWordPuzzle : public VoBase,
                          public MGIScreen,
                          public VoIStateListener,
                          public VoIMouseListener,
                          public VoIKeyboardListener,
                          public VoIButtonListener,
                          public VoISoundListener,
                          public VoIFrameListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/crossword";
    static constexpr const char16_t* kGridFile = u"//textures/puzzles/crossword/crossword_puzzle_grid.txt";
    static constexpr const char16_t* kWordFile = u"//textures/puzzles/crossword/crossword_puzzle_entries.txt";
    static constexpr const char16_t* kLayoutFile = u"//textures/puzzles/crossword/crossword_layout.txt";
    static constexpr const char16_t* kFoldPath = u"groups.g09-fold";
    static constexpr const char16_t* kSelectionPath = u"groups.g03-selection";
    static constexpr const char16_t* kCursorId = u"cursorSprite";
    static constexpr const char16_t* kColumnsPath = u"groups.g04-coords.x";
    static constexpr const char16_t* kRowsPath = u"groups.g04-coords.y";
    static constexpr const char16_t* kEntryFont = u"comic18_blue";
    static constexpr const char16_t* kPrintFont = u"tahoma10black";
    static constexpr const char16_t* kEntryPrefix = u"text";
    static constexpr const char16_t* kPrintPrefix = u"solvedtext";
    static constexpr const char16_t* kAcross = u"across";
    static constexpr const char16_t* kDown = u"down";
    static constexpr const char16_t* kWordEventPrefix = u"evt_crossword_";
    static constexpr const char16_t* kNovice = u"novice";
    static constexpr const char16_t* kStandard = u"standard";
    static constexpr const char16_t* kActivationState = u"sta_crosswordpuzzle_active";
    static constexpr const char16_t* kSolvedEvent = u"evt_crosswordpuzzle_solved";
    static constexpr const char16_t* kSolvedLine = u"4cw01_rg";
    static constexpr const char16_t* kSolvedStream = u"solvedAudio";
    static constexpr const char* kKeyOutside = "Grid key outside the grid: ";
    static constexpr const char* kWordOutside = "Word outside the grid: ";
    static constexpr const char* kTooManyCoords = "Coordinates beyond the grid left out.";

    static constexpr int kGridSize = 15;
    static constexpr int kCircleCount = 4;
    static constexpr int kAcrossDirection = 0;
    static constexpr int kDownDirection = 1;
    // The grid's place on the screen for clicks: 26 x 25 pixel cells from (187, 28).
    static constexpr float kAreaLeft = 186.0f;
    static constexpr float kAreaRight = 567.0f;
    static constexpr float kAreaTop = 27.0f;
    static constexpr float kAreaBottom = 408.0f;
    static constexpr float kFirstColumnX = 187.0f;
    static constexpr float kFirstRowY = 28.0f;
    static constexpr float kPerColumn = 0.03846154f;
    static constexpr float kPerRow = 0.04f;
    static constexpr float kCellSize = 25.0f;
    static constexpr float kCellZ = 5.0f;
    static constexpr float kOverlayZ = 10.0f;
    static constexpr float kHighlightBlend = 0.3f;
    static constexpr float kEntryDx = 3.0f;
    static constexpr float kEntryDy = -3.0f;
    static constexpr float kPrintDx = 8.0f;
    static constexpr float kPrintDy = 3.0f;
    static constexpr char kBackspace = 8;
    // The reveal: circle 3 after 1.2 s, circle 1 1.2 s later, circle 4 1.4 s
    // later, circle 2 1.0 s later; the fold 1.0 s after the line's end.
    static constexpr double kFirstReveal = 1.2;
    static constexpr double kFoldDelay = 1.0;

    // The cell (1-based) under a click, false outside the grid's area.
    static bool CellAt(float aX, float aY, int* apRow, int* apColumn);
    // "row_column" of a cell (1-based).
    static VoString CellKey(int aRow, int aColumn);

    static MGCrossWordPuzzle* GetInstance();

    MGCrossWordPuzzle();
    MGCrossWordPuzzle(const MGCrossWordPuzzle&) = delete;
    MGCrossWordPuzzle& operator=(const MGCrossWordPuzzle&) = delete;
    ~MGCrossWordPuzzle() override;

    void Build();
    // Prints the words of the section (the word table's "across" or "down")
    // that are found or given by the skill level.
    void FillWords(VoPropertyList* apSection, const char16_t* apDirection);
    // Checks the words through the cursor cell.
    void CheckWord();
    // Starts the ending once every letter cell is printed.
    void CheckSolution();

    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}
    void OnKeyDown(int) override {}
    void OnKeyUp(int aKey) override;
    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString& aName) override;
    void OnUpdate() override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    VoDisplayGroup* GetFold() const { return fpFold; }
    VoSprite* GetHighlight() const { return fpHighlight; }
    VoSprite* GetCursorSprite() const { return fpCursor; }
    // Circle 1 to 4; null where none was built.
    VoSprite* GetCircle(int aNumber) const;
    // The cells of row and column (1-based); null outside what was built.
    VoTextArea* GetEntryCell(int aRow, int aColumn) const;
    VoTextArea* GetPrintedCell(int aRow, int aColumn) const;
    int GetDirection() const { return fDirection; }
    int GetCursorRow() const { return fCursorRow; }
    int GetCursorColumn() const { return fCursorColumn; }
    int GetWordNumber() const { return fWordNumber; }
    int GetRevealStep() const { return fRevealStep; }
    // The grid table's letter cells this opening.
    int GetLetterCellCount() const { return fLetterCells; }
    bool IsSolved() const { return fSolved; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    VoString ToString() const override;

private:
    // One word of the word table, read and checked against the cells built.
    struct Word {
        VoString fAnswer;
        int fRow = 0;
        int fColumn = 0;
        int fLength = 0;
        bool fDown = false;
        bool fFits = false;  // every cell of it was built
        int RowAt(int aIndex) const { return fDown ? fRow + aIndex : fRow; }
        int ColumnAt(int aIndex) const { return fDown ? fColumn : fColumn + aIndex; }
    };

    void BuildOverlays(VoPropertyList* apLayout);
    VoSprite* BuildOverlay(VoPropertyList* apLayout, const char16_t* apPath);
    void BuildCells(VoPropertyList* apLayout);
    VoTextArea* MakeCell(const char16_t* apPrefix, int aRow, int aColumn, const char16_t* apFont, float aX,
                         float aY, bool aVisible);
    // Logs the grid keys outside the cells built and counts the letter cells.
    void CheckGrid();
    void LogWordsOutside(VoPropertyList* apSection, const char16_t* apDirection);
    // The word of that number and direction, read from the word table.
    Word ReadWord(int aNumber, bool aDown) const;
    Word ReadWord(VoPropertyList* apEntry, bool aDown) const;
    // The word numbers (across, down) of the cell; false without a grid key.
    bool NumbersAt(int aRow, int aColumn, int* apAcross, int* apDown) const;
    void PrintWord(const Word& aWord, bool aFromEntries);
    bool CheckOneWord(int aNumber, bool aDown);
    bool IsEntryVisible(int aRow, int aColumn) const;
    void Select(int aRow, int aColumn);
    void ClearSelection(bool aHide);
    void PlaceCursorSprite();
    void Type(char aCharacter);
    void Erase();
    void Reveal();
    void ForgetCells();

    VoPropertyList* fpGrid;   // owned while open
    VoPropertyList* fpWords;  // owned while open
    VoDisplayGroup* fpRoot;   // owned; in the display manager while open
    VoDisplayGroup* fpFold;   // not owned: members of fpRoot, like the sprites
    VoSprite* fpHighlight;
    VoSprite* fpCursor;
    VoSprite* fpCircles[kCircleCount];
    MGPuzzleVoice fVoice;  // the solved line
    int fDirection;
    int fWordNumber;
    int fCursorColumn;
    int fCursorRow;
    int fRevealStep;
    bool fSolved;
    bool fVoiceEnded;
    bool fLineMissing;
    double fNextReveal;
    Word fCurrentWord;
    VoVectorInt fColumnX;
    VoVectorInt fRowY;
    VoTextArea* fpEntries[kGridSize][kGridSize];  // not owned: members of fpRoot
    VoTextArea* fpPrinted[kGridSize][kGridSize];  // not owned: members of fpRoot
    bool fLetterCell[kGridSize][kGridSize];       // a key of the grid table
    int fLetterCells;
    bool fTyping;
    bool fInMouse;
    bool fInKeys;
    bool fInFrames;
};
