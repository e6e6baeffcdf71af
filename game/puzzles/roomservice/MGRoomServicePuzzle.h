#pragma once
// The room service receipt: torn fragments (MGRoomServicePiece) lie
// scattered, above the easy level each turned at random. Button 1 moves a
// fragment, any other button turns it about its position; every drop checks
// whether each fragment lies at its distance from the first one (the
// reference) and is turned like it. Then "evt_roomservice_solved", and in
// the next frame the scene's audio stops, the screen stack is emptied,
// "case02/hotel_room" is loaded and entered at "vp_dead_body" (on a first
// visit through its placard, which loads it there after the chime), the
// puzzle leaves and "sta_cu_2st07_visible" turns true (notifying). No movie.
//
// Layout "//dataroot/textures/puzzles/roomservice_receipt/receipt_layout.txt"
// (pictures in "//textures/puzzles/roomservice_receipt"):
// "groups.g01-background", "groups.g02-backbutton" and every further entry
// of "groups" a fragment. The first view plays "hi13_rg" on easy, else
// "2st07_rg" ("hintAudio"). "sta_roomservicepuzzle_active" true opens the
// puzzle, false closes it.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "container/VoVector.h"
#include "gdi/VoIButtonListener.h"
#include "geometry/VoVector2.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"
#include "stdlib/VoIFrameListener.h"

class MGRoomServicePiece;
class VoDisplayGroup;

class MGRoomServicePuzzle : public VoBase,
                            public MGIScreen,
                            public VoIStateListener,
                            public VoIButtonListener,
                            public VoIMouseListener,
                            public VoISoundListener,
                            public VoIFrameListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/roomservice_receipt";
    static constexpr const char16_t* kLayoutFile =
        u"//dataroot/textures/puzzles/roomservice_receipt/receipt_layout.txt";
    static constexpr const char16_t* kRootId = u"roomservicepuzzle_layout";
    static constexpr const char16_t* kGroups = u"groups";
    static constexpr const char16_t* kActivationState = u"sta_roomservicepuzzle_active";
    static constexpr MGPuzzleHint kHint = {u"evt_roomservicepuzzle_initvo", u"hi13_rg", u"2st07_rg"};
    static constexpr const char16_t* kSolvedEvent = u"evt_roomservice_solved";
    static constexpr const char16_t* kTargetScene = u"case02/hotel_room";
    static constexpr const char16_t* kTargetViewpoint = u"vp_dead_body";
    static constexpr const char16_t* kDoneState = u"sta_cu_2st07_visible";
    static constexpr int kFirstPieceIndex = 2;
    static constexpr int kMoveButton = 1;
    static constexpr float kMouseOrder = -5.0f;
    static constexpr int kTurnRange = 360;
    static constexpr float kMinX = 100.0f;
    static constexpr int kRangeX = 500;
    static constexpr float kMinY = 100.0f;
    static constexpr int kRangeY = 300;

    static MGRoomServicePuzzle* GetInstance();

    // Seeds the runtime's random numbers with the time.
    MGRoomServicePuzzle();
    MGRoomServicePuzzle(const MGRoomServicePuzzle&) = delete;
    MGRoomServicePuzzle& operator=(const MGRoomServicePuzzle&) = delete;
    ~MGRoomServicePuzzle() override;

    // The screen, the fragments, the back button, the hint and the mouse.
    void Build();
    // Run after every drop; true when the receipt is whole.
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
    // The closing steps of a solution, once the screen manager is idle.
    void OnUpdate() override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // MGRoomServicePiece*, members of the root group, the last picked first.
    const VoVector& GetPieces() const { return fPieces; }
    MGRoomServicePiece* GetSelectedPiece() const { return fpSelected; }
    MGRoomServicePiece* GetReferencePiece() const { return fpReference; }
    bool IsTurning() const { return fTurning; }
    // Solved, and the closing steps wait for the next frame.
    bool IsClosing() const { return fInFrames; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    VoString ToString() const override;

private:
    void BuildPieces(VoPropertyList* apLayout);
    // The pointer's angle about the turn's pivot, in degrees.
    float AngleTo(const VoVector2& aMouse) const;
    void Close();

    VoDisplayGroup* fpRoot;           // owned; in the display manager while open
    VoVector fPieces;                 // MGRoomServicePiece*, owned by fpRoot
    MGRoomServicePiece* fpSelected;   // one of fPieces, or null
    MGRoomServicePiece* fpReference;  // the first built, or null
    bool fTurning;
    VoVector2 fPivot;
    float fStartAngle;
    MGPuzzleVoice fVoice;
    bool fInMouse;   // registered with the engine mouse
    bool fInFrames;  // registered with the frame manager: closing
};
