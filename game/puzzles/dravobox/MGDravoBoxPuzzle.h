#pragma once
// The Dravo box: a picture cut into 25 tiles (MGDravoBoxPiece) lies shuffled
// in the 5 x 5 middle of a 7 x 7 board whose outer ring is blocked but for a
// free notch in the middle of each side. A tile slides into free cells along
// one axis and snaps to the nearest free cell when let go. When every tile
// is back in picture order the box opens: the movie "LisaApt_Dravo_Box.bik"
// over the puzzle (which is not taken off the stack first), then
// "case02/lisa_apt_upstairs", "vp_stairs_bedroom" with "sta_2ls16c_visible"
// true. No event records it and the board is not stored.
//
// The board holds, row by row (row * 7 + column), a tile number (its index
// in the tile list), -1 for a free cell or 999 for a blocked one. The back
// button stores it in the string state "sta_dravopuzzle_positions" (each of
// the 49 values followed by "|"), and the next opening takes it up again; a
// stored board is used only when it holds 49 integers, the blocked cells
// 999, every tile once in a middle cell or a notch and -1 elsewhere, and is
// otherwise logged and shuffled anew. Closing by the activation state stores
// nothing. Without a stored board the tiles are shuffled: 1000 swaps of two
// random middle cells.
//
// Layout "//dataroot/textures/puzzles/dravobox/dravo_layout.txt" (pictures in
// "//textures/puzzles/dravobox"): "groups.g01-background",
// "groups.g05-gridcoords.columns" and ".rows" (the seven x and seven y
// places of the board's columns and rows), the tiles of "groups.g03-pieces"
// (hard) or "groups.g04-easypieces" (easy and medium), exactly 25 of them,
// and "groups.g02-backbutton". Every entering plays "2ls16_rg", on easy
// "hi10_rg", as the stream "puzzleVO"; a line still playing when the puzzle
// closes plays on to its end. "sta_dravoboxpuzzle_active" true opens the
// puzzle, false closes it.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "container/VoVector.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"

class MGDravoBoxPiece;
class VoDisplayGroup;
class VoPropertyList;

class MGDravoBoxPuzzle : public VoBase,
                         public MGIScreen,
                         public VoIStateListener,
                         public VoIButtonListener,
                         public VoISoundListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/dravobox";
    static constexpr const char16_t* kLayoutFile = u"//dataroot/textures/puzzles/dravobox/dravo_layout.txt";
    static constexpr const char16_t* kRootId = u"dravoboxpuzzle_layout";
    static constexpr const char16_t* kColumnsPath = u"groups.g05-gridcoords.columns";
    static constexpr const char16_t* kRowsPath = u"groups.g05-gridcoords.rows";
    static constexpr const char16_t* kHardPiecesPath = u"groups.g03-pieces";
    static constexpr const char16_t* kPiecesPath = u"groups.g04-easypieces";
    static constexpr const char16_t* kActivationState = u"sta_dravoboxpuzzle_active";
    static constexpr const char16_t* kBoardState = u"sta_dravopuzzle_positions";
    static constexpr const char16_t* kLine = u"2ls16_rg";
    static constexpr const char16_t* kEasyLine = u"hi10_rg";
    static constexpr const char16_t* kStream = u"puzzleVO";
    static constexpr MGPuzzleOpening kOpening = {u"case02/lisa_apt_upstairs", u"vp_stairs_bedroom",
                                                 u"sta_2ls16c_visible", u"LisaApt_Dravo_Box.bik"};
    static constexpr const char* kBadTileCount = "Build failure. The box needs 25 tiles, not ";
    static constexpr const char* kBadGrid = "Build failure. The board needs 7 columns and 7 rows.";
    static constexpr const char* kBadStoredBoard = "Build failure. Stored board not used: ";

    static constexpr int kSize = 7;
    static constexpr int kCells = kSize * kSize;
    static constexpr int kInner = 5;
    static constexpr int kTileCount = kInner * kInner;
    static constexpr int kFree = -1;
    static constexpr int kBlocked = 999;
    static constexpr int kShuffleSwaps = 1000;

    static MGDravoBoxPuzzle* GetInstance();

    // Seeds the runtime's random numbers with the time.
    MGDravoBoxPuzzle();
    MGDravoBoxPuzzle(const MGDravoBoxPuzzle&) = delete;
    MGDravoBoxPuzzle& operator=(const MGDravoBoxPuzzle&) = delete;
    ~MGDravoBoxPuzzle() override;

    // The screen, the tiles on their board and the back button.
    void Build();
    // Told by a tile at its press: its free sides; the other tiles locked.
    void Grab(MGDravoBoxPiece* apTile);
    // The range of the tile's coordinate along the axis: from its own cell
    // over the free cells on either side.
    void SetSlideLimits(MGDravoBoxPiece* apTile, int aAxis);
    // Snaps the tile to the nearest free cell or its own, unlocks every
    // tile and checks the picture.
    void Drop(MGDravoBoxPiece* apTile);
    // True, and the box opens, when every tile is in picture order.
    bool CheckSolution();

    // The board row by row (each value followed by "|").
    VoString BoardText() const;
    // Whether the text is a board this puzzle can take (see above); the
    // reason when not.
    static bool ParseBoard(const VoString& aText, int* apBoard, const char** appReason);

    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString& aName) override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // MGDravoBoxPiece*, owned, in the layout's order (a tile's index is its number).
    const VoVector& GetTiles() const { return fTiles; }
    MGDravoBoxPiece* GetTile(int aNumber) const;
    int GetCell(int aColumn, int aRow) const;
    float GetColumnX(int aColumn) const;
    float GetRowY(int aRow) const;
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    VoString ToString() const override;

private:
    void ClearBoard();
    void ReadGrid(VoPropertyList* apLayout);
    void BuildTiles(VoPropertyList* apLayout);
    // The stored board, else a shuffled one.
    void ArrangeTiles();
    void Shuffle();
    void PlaceTiles();
    void Place(MGDravoBoxPiece* apTile, int aColumn, int aRow);
    void SetTilesLocked(bool aLocked);
    void StoreBoard();
    void DeleteTiles();

    VoDisplayGroup* fpRoot;    // owned; in the display manager while open
    VoPropertyList* fpLayout;  // owned while open
    VoVector fTiles;           // MGDravoBoxPiece*, owned
    int fBoard[kCells];
    float fColumnX[kSize];
    float fRowY[kSize];
    bool fSolvable;  // 25 tiles were built
    MGPuzzleVoice fVoice;
};
