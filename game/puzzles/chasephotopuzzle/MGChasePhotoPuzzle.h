#pragma once
// The chase photos: seven holiday photographs as buttons, pressed in the
// order of kOrder. Each press disables its photo; a photo out of order
// enables all seven again and the count starts over. The seventh right
// press adds "evt_chasephotopuzzle_solved" and opens the drawer: the movie
// "chaseapt_draweropen.bik", then "case03/chase", "vp_kitbath" with
// "sta_3tc02_visible" set. The count outlives a close but not the solution,
// a new game or a load (MGGameReset). The hint "hi18_rg" plays on easy the
// first time the puzzle is seen; the cursor and the PDA's bar are left as
// they are.
//
// Layout "//dataroot/textures/puzzles/chasephotopuzzle/JCPuzzle_layout.txt":
// "g01-background" (a sprite), the photo buttons of "g03-Buttons" (built
// into the group "buttons") and "g02-backbutton". "sta_chasephotopuzzle_active"
// true opens it, false closes it.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"
#include "util/MGIGameResetListener.h"

class VoDisplayGroup;

class MGChasePhotoPuzzle : public VoBase,
                           public MGIScreen,
                           public VoIStateListener,
                           public VoIButtonListener,
                           public VoISoundListener,
                           public MGIGameResetListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//dataroot/textures/puzzles/chasephotopuzzle";
    static constexpr const char16_t* kLayoutFile =
        u"//dataroot/textures/puzzles/chasephotopuzzle/JCPuzzle_layout.txt";
    static constexpr const char* kLayoutFailure = "Hm, problem...";
    static constexpr const char16_t* kRootId = u"photopuzzlegroup";
    static constexpr const char16_t* kBackgroundPath = u"g01-background";
    static constexpr const char16_t* kButtonsPath = u"g03-Buttons";
    static constexpr const char16_t* kBackButtonPath = u"g02-backbutton";
    static constexpr const char16_t* kButtonsId = u"buttons";
    static constexpr float kButtonsZ = 10.0f;
    static constexpr const char16_t* kActivationState = u"sta_chasephotopuzzle_active";
    // A hint on easy, nothing on the other levels.
    static constexpr MGPuzzleHint kHint = {u"evt_chasephotopuzzle_initvo", u"hi18_rg", nullptr};
    static constexpr const char16_t* kHintStream = u"puzzleVO";
    static constexpr const char16_t* kSolvedEvent = u"evt_chasephotopuzzle_solved";
    static constexpr MGPuzzleOpening kOpening = {u"case03/chase", u"vp_kitbath", u"sta_3tc02_visible",
                                                 u"chaseapt_draweropen.bik"};
    static constexpr int kPhotoCount = 7;
    // The photos by the dates written on them.
    static constexpr const char16_t* kOrder[kPhotoCount] = {
        u"valentine", u"easter", u"birthday", u"july4th", u"halloween", u"thanksgiving", u"christmas"};

    static MGChasePhotoPuzzle* GetInstance();

    MGChasePhotoPuzzle();
    MGChasePhotoPuzzle(const MGChasePhotoPuzzle&) = delete;
    MGChasePhotoPuzzle& operator=(const MGChasePhotoPuzzle&) = delete;
    ~MGChasePhotoPuzzle() override;

    void Build();

    void OnLeaveBegin() override {}
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString& aName) override;
    void OnGameReset() override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // Photos pressed in the right order so far, 0 to 6.
    int GetProgress() const { return fProgress; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    VoString ToString() const override;

private:
    VoDisplayGroup* Photos() const;
    void Press(const VoString& aId);
    void OnSolved();

    VoDisplayGroup* fpRoot;  // owned; in the display manager while open
    int fProgress;
    MGPuzzleVoice fVoice;  // the hint; it may go on after a close
    bool fInReset;         // registered with the reset notice
};
