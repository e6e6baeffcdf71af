#pragma once
// The slide box: a lock box held shut by sliding bars (MGSliderPiece). A
// click on a bar's arrow slides it to its next stop with the sound
// "//sounds/slide.wav"; every arrow is disabled until the slide ends. When
// every bar then stands at its solved stop the box opens: the plain log line
// "Puzzle solved!", the movie "LockBox_Open.bik", then "case01/franksapt",
// "vp_bedroom" with the close-up "1fd03" visible. No event records it.
//
// Layout "//textures/puzzles/sliderbox/lockbox_puzzle_layout.txt":
// "groups.g01-background", "groups.g02-backbutton" and "groups.g03-pieces"
// (one entry per bar). "sta_slideboxpuzzle_active" true opens it; false does
// nothing.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "container/VoVector.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"

class VoDisplayGroup;

class MGSlideBoxPuzzle : public VoBase,
                         public MGIScreen,
                         public VoIStateListener,
                         public VoIButtonListener,
                         public VoISoundListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/sliderbox";
    static constexpr const char16_t* kLayoutFile = u"//textures/puzzles/sliderbox/lockbox_puzzle_layout.txt";
    static constexpr const char* kLayoutFailure = "Failed to load sliderbox layout";
    static constexpr const char16_t* kRootId = u"sliderbox_puzzle_layout";
    static constexpr const char16_t* kPiecesPath = u"groups.g03-pieces";
    static constexpr const char16_t* kActivationState = u"sta_slideboxpuzzle_active";
    static constexpr MGPuzzleHint kHint = {u"evt_slideboxpuzzle_initvo", u"hi07_rg", u"2st14_rg"};
    static constexpr const char16_t* kSlideStream = u"slide";
    static constexpr const char16_t* kSlideSound = u"//sounds/slide.wav";
    static constexpr const char16_t* kSolvedLine = u"Puzzle solved!";
    static constexpr MGPuzzleOpening kOpening = {u"case01/franksapt", u"vp_bedroom", u"sta_cu_1fd03_visible",
                                                 u"LockBox_Open.bik"};

    static MGSlideBoxPuzzle* GetInstance();

    MGSlideBoxPuzzle();
    MGSlideBoxPuzzle(const MGSlideBoxPuzzle&) = delete;
    MGSlideBoxPuzzle& operator=(const MGSlideBoxPuzzle&) = delete;
    ~MGSlideBoxPuzzle() override;

    void Build();
    // Every bar at its solved stop; true without bars.
    bool IsSolved() const;
    // Told by a bar when it starts and ends a slide.
    void OnPieceMoveStarted();
    void OnPieceMoveEnded();

    void OnLeaveBegin() override {}
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString& aName) override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // MGSliderPiece*, owned, in layout order.
    const VoVector& GetPieces() const { return fPieces; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    VoString ToString() const override;

private:
    void SetButtonsEnabled(bool aEnabled);
    void DeletePieces();

    VoDisplayGroup* fpRoot;  // owned; in the display manager while open
    VoVector fPieces;        // MGSliderPiece*, owned
    MGPuzzleVoice fVoice;    // the hint or the last slide's sound
};
