#pragma once
// The cigar band puzzle: torn bands (MGCigarBandPiece) lie on the screen and
// the player drags them until the listed ones lie in their places relative
// to the first listed one. Solving adds "evt_cigarbands_solved", puts the
// item "1cn05" into the inventory, hides the loose bands "piece6" to
// "piece19" and plays the line "1cn05a_rg"; the puzzle stays open.
//
// Layout "//textures/puzzles/cigar_bands/puzzle_cigarband_layout.txt":
// "groups.g01-background" (the root group), "groups.g02-backbutton", every
// further entry of "groups" a piece (on easy only the entries at index 2 to
// 6), and "solution": piece id -> "dx|dy", the offset from the first listed
// (reference) piece, each axis within 20.0. The puzzle can be solved only
// when the reference and at least one other listed piece were built.
//
// "sta_cigarbandpuzzle_active" true opens the puzzle (see MGPuzzleFrame);
// false closes it by a fade of its own when it is the top screen.
#include "MGIScreen.h"
#include "MGIScreenFaderListener.h"
#include "container/VoBase.h"
#include "container/VoVector.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"

class MGCigarBandPiece;
class VoDisplayGroup;
class VoPropertyList;

class MGCigarBandPuzzle : public VoBase,
                          public MGIScreen,
                          public VoIMouseListener,
                          public VoIButtonListener,
                          public VoIStateListener,
                          public MGIScreenFaderListener,
                          public VoISoundListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/cigar_bands";
    static constexpr const char16_t* kLayoutFile =
        u"//textures/puzzles/cigar_bands/puzzle_cigarband_layout.txt";
    static constexpr const char16_t* kGroups = u"groups";
    static constexpr const char16_t* kSolution = u"solution";
    static constexpr const char16_t* kActivationState = u"sta_cigarbandpuzzle_active";
    static constexpr MGPuzzleHint kHint = {u"evt_cigarbandpuzzle_initvo", u"hi02_rg", u"1cn05_rg"};
    static constexpr const char16_t* kSolvedEvent = u"evt_cigarbands_solved";
    static constexpr const char16_t* kItem = u"1cn05";
    static constexpr const char16_t* kSolvedLine = u"1cn05a_rg";
    static constexpr const char16_t* kSolvedStream = u"solvedAudio";
    static constexpr const char16_t* kLoosePiece = u"piece";
    static constexpr const char* kUnsolvable =
        "CheckSolution failure. No reference piece and other piece built.";
    static constexpr int kFirstPieceIndex = 2;
    // On easy only the entries before this index are built.
    static constexpr int kEasyPieceEnd = 7;
    static constexpr int kFirstLoosePiece = 6;
    static constexpr int kLastLoosePiece = 19;
    static constexpr float kTolerance = 20.0f;
    static constexpr int kGrabButton = 1;

    static MGCigarBandPuzzle* GetInstance();

    MGCigarBandPuzzle();
    MGCigarBandPuzzle(const MGCigarBandPuzzle&) = delete;
    MGCigarBandPuzzle& operator=(const MGCigarBandPuzzle&) = delete;
    ~MGCigarBandPuzzle() override;

    // The screen, the pieces, the back button, the mouse, the hint.
    void Build();
    // Run after every drop.
    void CheckSolution();

    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;
    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnFadeEvent(int aCode) override;
    void OnSoundEnd(const VoString& aName) override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // The pieces, the last picked first (MGCigarBandPiece*, owned).
    const VoVector& GetPieces() const { return fPieces; }
    MGCigarBandPiece* GetSelectedPiece() const { return fpSelected; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }
    bool IsSolved() const { return fSolved; }

    VoString ToString() const override;

private:
    void BuildPieces();
    // The built piece of that id, or null.
    MGCigarBandPiece* FindPiece(const VoString& aId) const;
    // Whether the reference and one more listed piece were built.
    bool CanBeSolved() const;
    void OnSolved();
    void CloseByOwnFade();
    void DeletePieces();

    VoDisplayGroup* fpRoot;        // owned; in the display manager while open
    VoVector fPieces;              // MGCigarBandPiece*, owned (also members of fpRoot)
    MGCigarBandPiece* fpSelected;  // not owned: one of fPieces, or null
    VoPropertyList* fpLayout;      // owned while open
    MGPuzzleVoice fVoice;          // the hint or the solved line
    bool fSolvable;
    bool fSolved;
    bool fInMouse;  // registered with the engine mouse
    bool fInFader;  // the screen fader's listener, closing
};
