#pragma once
// The surveillance expert's tape viewer, opened over a running interview
// (whose mouse listener and window it takes away while open and gives back
// when it closes). Six tapes are viewed one at a time, the arrows cycling
// through them. Each tape's picture is three layers that start scattered;
// a drag inside the viewing rectangle moves all three, or, with a switch
// of the tape's panel (MGSurveillanceTapeControl) on, that layer alone,
// which on release snaps onto its partner (0 onto 1, 1 onto 2, 2 onto 1)
// when both are within the tolerance of each other on both axes (20.0 on
// easy, 10.0 on medium, 5.0 on hard). Three layers on one point track the
// tape: its panel locks and the tracking dialog shows. Tracking the sixth
// tape solves the puzzle: "evt_surveillancetapespuzzle_solved" and the line
// "4re31_le" ("solvedAudio"), whose end closes the viewer (at once without
// the line); buttons are ignored meanwhile.
//
// Layout "//textures/puzzles/surveillance_tapes/layout.txt": "background",
// "overlay", "arrows.a01" and "arrows.a02" (the buttons "select_left" and
// "select_right"), "trackingdialog", "indicator", "framecontrols" (one
// panel per tape), "framecontrolbtns" (the three switches every panel
// has), "layers" (per tape, three layer pictures) and "backbutton". A
// layout with fewer than six tapes, three layers or three switches is
// logged and never solved. "sta_surveillancetapepuzzle_active" true opens
// the viewer, false closes it. No voice-over, no cursor change.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "geometry/VoVector2.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"

class MGSurveillanceTapeControl;
class VoDisplayGroup;
class VoPropertyList;
class VoSprite;

class MGSurveillanceTapePuzzle : public VoBase,
                                 public MGIScreen,
                                 public VoIStateListener,
                                 public VoIMouseListener,
                                 public VoIButtonListener,
                                 public VoISoundListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/surveillance_tapes";
    static constexpr const char16_t* kLayoutFile = u"//textures/puzzles/surveillance_tapes/layout.txt";
    static constexpr const char16_t* kRootId = u"surveillance_tapes";
    static constexpr const char16_t* kActivationState = u"sta_surveillancetapepuzzle_active";
    static constexpr const char16_t* kSolvedEvent = u"evt_surveillancetapespuzzle_solved";
    static constexpr const char16_t* kSolvedLine = u"4re31_le";
    static constexpr const char16_t* kSolvedStream = u"solvedAudio";
    static constexpr const char16_t* kLeftArrow = u"select_left";
    static constexpr const char16_t* kRightArrow = u"select_right";
    static constexpr const char* kIncomplete =
        "Build failure. The viewer needs six tapes of three layers and "
        "three switches.";
    static constexpr int kTapeCount = 6;
    static constexpr int kLayerCount = 3;
    static constexpr int kLastTape = kTapeCount - 1;
    static constexpr float kIndicatorX[kTapeCount] = {279.0f, 373.0f, 467.0f, 559.0f, 650.0f, 752.0f};
    static constexpr float kIndicatorY = 477.0f;
    // The viewing rectangle, edges included.
    static constexpr float kViewX = 124.0f;
    static constexpr float kViewY = 45.0f;
    static constexpr float kViewWidth = 665.0f;
    static constexpr float kViewHeight = 425.0f;
    static constexpr float kLayerZ = 10.0f;
    static constexpr float kBackButtonZ = 200.0f;
    static constexpr int kScatterRange = 200;
    static constexpr float kScatterX = 100.0f;
    static constexpr float kEasyTolerance = 20.0f;
    static constexpr float kMediumTolerance = 10.0f;
    static constexpr float kHardTolerance = 5.0f;
    // The layer each one snaps onto.
    static constexpr int kPartner[kLayerCount] = {1, 2, 1};

    static MGSurveillanceTapePuzzle* GetInstance();

    // Seeds the runtime's random numbers with the time in seconds.
    MGSurveillanceTapePuzzle();
    MGSurveillanceTapePuzzle(const MGSurveillanceTapePuzzle&) = delete;
    MGSurveillanceTapePuzzle& operator=(const MGSurveillanceTapePuzzle&) = delete;
    ~MGSurveillanceTapePuzzle() override;

    void Build();
    // Whether the tape on view is tracked now (its three layers on one point).
    bool CheckTape();
    // The solution, when the sixth tape is tracked.
    void CheckSolved();

    void OnLeaveBegin() override {}
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString& aName) override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    int GetTape() const { return fTape; }
    // Tape 0 to 5's panel, or null.
    MGSurveillanceTapeControl* GetPanel(int aTape) const;
    // Layer 0 to 2 of tape 0 to 5 (a member of the root group), or null.
    VoSprite* GetLayer(int aTape, int aLayer) const;
    VoSprite* GetTrackingDialog() const { return fpDialog; }
    VoSprite* GetIndicator() const { return fpIndicator; }
    bool IsTracked(int aTape) const;
    bool IsBusy() const { return fBusy; }
    bool IsDragging() const { return fDragging; }
    float GetTolerance() const { return fTolerance; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    VoString ToString() const override;

private:
    void BuildLayers(VoPropertyList* apLayout);
    void ShowTape(bool aShow);
    static VoVector2 WorldOf(VoSprite* apSprite);
    // The interview the viewer lies over: its mouse and window off or back on.
    static void SuspendInterview(bool aSuspend);
    void DeletePanels();

    VoDisplayGroup* fpRoot;                           // owned; in the display manager while open
    MGPuzzleVoice fVoice;                             // the solved line
    MGSurveillanceTapeControl* fpPanels[kTapeCount];  // owned
    int fTape;
    VoSprite* fpLayers[kTapeCount][kLayerCount];  // members of fpRoot, null where not built
    bool fDragging;
    bool fMoves[kLayerCount];
    VoVector2 fLastMouse;
    VoSprite* fpDialog;     // a member of fpRoot, or null
    VoSprite* fpIndicator;  // a member of fpRoot, or null
    float fTolerance;
    bool fTracked[kTapeCount];
    bool fBusy;
    bool fSolvable;
    bool fInMouse;  // registered with the engine mouse
};
