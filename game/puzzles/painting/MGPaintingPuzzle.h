#pragma once
// The painting: the player sets a handle into one of the painting's holes
// (buttons of the group "painting_buttons") and turns it by moving the mouse
// around the point where it was set. A press with the handle in "hole6"
// turned to within 5 degrees of 0, or in "hole11" within 5 degrees of 180,
// opens the painting: "sta_1cs09" becomes "solved" (string, listeners not
// told) and the movie "Painting_Opening.bik" plays over the puzzle, then
// "case01/castillosecretapt", "vp_bedroom" with the close-up "1cs08"
// visible. There is no solved event.
//
// While the handle is set its rotation is the mouse's angle around the
// turning centre (screen y up, degrees) + 130.0; a release off every button
// frees it. The handle's state outlives a close, but not a new game or a
// load (MGGameReset).
//
// "sta_paintingpuzzle_active" true opens the puzzle and every close sets it
// back to false (listeners not told); "sta_1cs03" turning "off" gives the
// item "1cs03", open or not. Once "sta_1cs09" is "solved" both are ignored.
// The back button returns straight to the current scene, whatever screens
// lay between.
//
// Layout "//textures/puzzles/painting/puzzle_painting_layout.txt": every
// entry of "puzzle.layout" is a group (one of them "painting_buttons", its
// buttons listed under "g02-buttons.buttons"), "puzzle.handle" the handle's
// sprite (turning about (101.0, 29.0)), "puzzle.backbutton".
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "geometry/VoVector2.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"
#include "util/MGIGameResetListener.h"

class VoDisplayGroup;
class VoPropertyList;
class VoSprite;

class MGPaintingPuzzle : public VoBase,
                         public MGIScreen,
                         public VoIMouseListener,
                         public VoIButtonListener,
                         public VoIStateListener,
                         public VoISoundListener,
                         public MGIGameResetListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/painting";
    static constexpr const char16_t* kLayoutFile = u"//textures/puzzles/painting/puzzle_painting_layout.txt";
    static constexpr const char16_t* kRootId = u"puzzle_layout";
    static constexpr const char16_t* kLayoutPath = u"puzzle.layout";
    static constexpr const char16_t* kHoleEntriesPath = u"g02-buttons.buttons";
    static constexpr const char16_t* kHolesGroup = u"painting_buttons";
    static constexpr const char16_t* kHolePrefix = u"painting_buttons.";
    static constexpr const char16_t* kHandlePath = u"puzzle.handle";
    static constexpr const char16_t* kBackButtonPath = u"puzzle.backbutton";
    static constexpr const char16_t* kFirstHole = u"painting_buttons.hole6";
    static constexpr const char16_t* kSecondHole = u"painting_buttons.hole11";
    static constexpr float kFirstAngle = 0.0f;
    static constexpr float kSecondAngle = 180.0f;
    static constexpr float kTolerance = 5.0f;
    static constexpr float kHandleCentreX = 101.0f;
    static constexpr float kHandleCentreY = 29.0f;
    // Where the handle sits on a hole button, from the button's position.
    static constexpr float kHoleOffsetX = 7.0f;
    static constexpr float kHoleOffsetY = 11.0f;
    static constexpr float kAngleOffset = 130.0f;

    static constexpr const char16_t* kActivationState = u"sta_paintingpuzzle_active";
    static constexpr MGPuzzleHint kHint = {u"evt_paintingpuzzle_initvo", u"hi05_rg", u"2ls02_rg"};
    static constexpr const char16_t* kResultState = u"sta_1cs09";
    static constexpr const char16_t* kStringType = u"string";
    static constexpr const char16_t* kSolvedValue = u"solved";
    static constexpr const char16_t* kPhotoState = u"sta_1cs03";
    static constexpr const char16_t* kPhotoOff = u"off";
    static constexpr const char16_t* kPhotoItem = u"1cs03";
    static constexpr MGPuzzleOpening kOpening = {u"case01/castillosecretapt", u"vp_bedroom",
                                                 u"sta_cu_1cs08_visible", u"Painting_Opening.bik"};

    // The handle's rotation for the mouse at aMouse, turning about aCentre.
    static float RotationFor(const VoVector2& aCentre, const VoVector2& aMouse);
    // Whether the handle in that hole (its path in the root group) at that
    // rotation opens the painting.
    static bool Opens(const VoString& aHole, float aRotation);
    // Whether "sta_1cs09" says the painting was opened in this game.
    static bool WasOpened();

    static MGPaintingPuzzle* GetInstance();

    MGPaintingPuzzle();
    MGPaintingPuzzle(const MGPaintingPuzzle&) = delete;
    MGPaintingPuzzle& operator=(const MGPaintingPuzzle&) = delete;
    ~MGPaintingPuzzle() override;

    void Build();

    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;
    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString& aName) override;
    void OnGameReset() override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // A member of the root group; null while closed or when not built.
    VoSprite* GetHandle() const { return fpHandle; }
    bool IsHandleSet() const { return fHandleSet; }
    bool IsOverButton() const { return fOverButton; }
    const VoString& GetCurrentHole() const { return fCurrentHole; }
    const VoVector2& GetTurningCentre() const { return fCentre; }
    bool IsSolved() const { return fSolved; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    VoString ToString() const override;

private:
    void ListenToHoles();
    void BuildHandle();
    void SetIntoHole(const VoString& aId);
    void FreeHandle();
    void GoBack();
    void OnSolved();

    bool fHandleSet;
    bool fOverButton;
    VoVector2 fCentre;
    VoString fCurrentHole;
    VoDisplayGroup* fpRoot;    // owned; in the display manager while open
    VoSprite* fpHandle;        // not owned: a member of fpRoot
    VoPropertyList* fpLayout;  // owned while open
    bool fSolved;
    MGPuzzleVoice fVoice;  // the hint; it may go on after a close
    bool fInMouse;         // registered with the engine mouse
    bool fInReset;         // registered with the reset notice
};
