#pragma once
// The baseball bat: seven fragments (MGBaseballPiece, "piece1" to "piece7")
// lie scattered; the player drags them with button 1, anywhere, until each
// lies at its offset from "piece1" (within 20.0 per axis), shows the same
// rotation as "piece1", and lies above the fragment its rotation names.
// Every release checks. Solving adds "evt_baseballbatpuzzle_solved", shows
// the PDA's bar, puts the bat "3wh02" into the inventory, stops taking the
// mouse and plays "3wh02_rg" ("puzzleVO"), whose end closes the puzzle;
// without that line the puzzle stays open. A layout without all seven
// fragments, each with its four rotations, is logged once per opening and
// never solved.
//
// Layout "//textures/puzzles/baseball_bat/bat_puzzle_layout.txt":
// "groups.g01-background", "groups.g02-backbutton", "groups.g03-pieces".
// The first view plays the hint "hi13_rg" ("puzzleVO") on easy only.
// "sta_baseballbatpuzzle_active" true opens the puzzle, false closes it.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "container/VoVector.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"

class MGBaseballPiece;
class VoDisplayGroup;
class VoPropertyList;

class MGBaseballBatPuzzle : public VoBase,
                            public MGIScreen,
                            public VoIStateListener,
                            public VoIButtonListener,
                            public VoIMouseListener,
                            public VoISoundListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/baseball_bat";
    static constexpr const char16_t* kLayoutFile = u"//textures/puzzles/baseball_bat/bat_puzzle_layout.txt";
    static constexpr const char16_t* kRootId = u"baseballbat_layout";
    static constexpr const char16_t* kPiecesPath = u"groups.g03-pieces";
    static constexpr const char16_t* kPiecePrefix = u"piece";
    static constexpr const char16_t* kActivationState = u"sta_baseballbatpuzzle_active";
    static constexpr const char16_t* kFirstViewEvent = u"evt_baseballbatpuzzle_initvo";
    static constexpr const char16_t* kHint = u"hi13_rg";
    static constexpr const char16_t* kStream = u"puzzleVO";
    static constexpr const char16_t* kSolvedEvent = u"evt_baseballbatpuzzle_solved";
    static constexpr const char16_t* kItem = u"3wh02";
    static constexpr const char16_t* kSolvedLine = u"3wh02_rg";
    static constexpr const char* kIncomplete =
        "CheckSolution failure. The bat needs piece1 to piece7, "
        "each with four rotations.";
    static constexpr int kPieceCount = 7;
    static constexpr int kGrabButton = 1;
    static constexpr float kMinPosition = 50.0f;
    static constexpr int kRangeX = 500;
    static constexpr int kRangeY = 400;

    static MGBaseballBatPuzzle* GetInstance();

    // Seeds the runtime's random numbers with the time.
    MGBaseballBatPuzzle();
    MGBaseballBatPuzzle(const MGBaseballBatPuzzle&) = delete;
    MGBaseballBatPuzzle& operator=(const MGBaseballBatPuzzle&) = delete;
    ~MGBaseballBatPuzzle() override;

    // The screen and the scattered fragments.
    void Build();
    // Run after every release; true when the bat is whole.
    bool CheckSolution();

    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;
    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString& aName) override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // MGBaseballPiece*, members of the root group, the last picked first.
    const VoVector& GetPieces() const { return fPieces; }
    // "piece" + aNumber, or null.
    MGBaseballPiece* GetPiece(int aNumber) const;
    MGBaseballPiece* GetSelectedPiece() const { return fpSelected; }
    bool IsSolved() const { return fSolved; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    VoString ToString() const override;

private:
    void BuildPieces(VoPropertyList* apLayout);
    bool IsComplete() const;
    void OnSolved();

    VoDisplayGroup* fpRoot;       // owned; in the display manager while open
    VoVector fPieces;             // MGBaseballPiece*, owned by fpRoot
    MGBaseballPiece* fpSelected;  // one of fPieces, or null
    MGPuzzleVoice fVoice;         // the hint or the solved line
    bool fSolvable;
    bool fSolved;
    bool fInMouse;  // registered with the engine mouse
};
