#pragma once
// The hotel window: the view from a window, and a polaroid that the player
// holds up to it. A click with the item "3pm17" taken on the cursor (14), or
// any click in the bottom right corner (x > 770.0, y > 570.0), picks the
// polaroid up: it follows the pointer, while the game cursor and the PDA's
// bar are hidden. A later click whose whole-number position lies within 4
// of (297, 353) on both axes places it: "evt_hotelwindowpuzzle_solved", the
// hand cursor back, the back button inactive and the line "3pm17a_rg",
// whose end closes the puzzle (at once when there is no line). The click
// that picks the polaroid up is never judged. The hint "hi17_rg" plays on
// easy the first time the puzzle is seen.
//
// The puzzle keeps the PDA's bar shown until the polaroid is picked up, and
// its own cursor (4) under the name "hotelwindow". It closes itself only
// while it is the top screen; leaving gives back the cursor and the bar the
// polaroid took.
//
// Layout "//textures/puzzles/hotel_window/layout.txt": "background" and
// "polaroid" (sprites) and "backbutton". "sta_hotelwindowpuzzle_active" true
// opens it, false closes it.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"

class VoButton;
class VoDisplayGroup;
class VoSprite;

class MGHotelWindowPuzzle : public VoBase,
                            public MGIScreen,
                            public VoIStateListener,
                            public VoIMouseListener,
                            public VoIButtonListener,
                            public VoISoundListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/hotel_window";
    static constexpr const char16_t* kLayoutFile = u"//textures/puzzles/hotel_window/layout.txt";
    static constexpr const char16_t* kRootId = u"hotelwindowpuzzle_content";
    static constexpr const char16_t* kBackgroundPath = u"background";
    static constexpr const char16_t* kPolaroidPath = u"polaroid";
    static constexpr const char16_t* kBackButtonPath = u"backbutton";
    static constexpr const char16_t* kCursorName = u"hotelwindow";
    static constexpr const char16_t* kPolaroidItem = u"3pm17";
    static constexpr const char16_t* kActivationState = u"sta_hotelwindowpuzzle_active";
    // A hint on easy, nothing on the other levels.
    static constexpr MGPuzzleHint kHint = {u"evt_hotelwindowpuzzle_initvo", u"hi17_rg", nullptr};
    static constexpr const char16_t* kHintStream = u"puzzleVO";
    static constexpr const char16_t* kSolvedEvent = u"evt_hotelwindowpuzzle_solved";
    static constexpr const char16_t* kSolvedLine = u"3pm17a_rg";
    static constexpr const char16_t* kSolvedStream = u"vo";
    static constexpr int kTargetX = 297;
    static constexpr int kTargetY = 353;
    static constexpr int kReach = 5;  // strictly less away on each axis
    static constexpr float kCornerX = 770.0f;
    static constexpr float kCornerY = 570.0f;

    // Whether the polaroid placed with the pointer there is in its place.
    static bool IsInPlace(float aX, float aY);

    static MGHotelWindowPuzzle* GetInstance();

    MGHotelWindowPuzzle();
    MGHotelWindowPuzzle(const MGHotelWindowPuzzle&) = delete;
    MGHotelWindowPuzzle& operator=(const MGHotelWindowPuzzle&) = delete;
    ~MGHotelWindowPuzzle() override;

    void Build();

    void OnLeaveBegin() override {}
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int) override {}
    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString& aName) override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // Members of the root group; null while closed or when not built.
    VoSprite* GetPolaroid() const { return fpPolaroid; }
    VoButton* GetBackButton() const { return fpBackButton; }
    bool IsHolding() const { return fHolding; }
    bool IsSolved() const { return fSolved; }
    bool IsListening() const { return fInMouse; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    VoString ToString() const override;

private:
    void PickUp();
    void Place();

    VoDisplayGroup* fpRoot;  // owned; in the display manager while open
    VoSprite* fpPolaroid;    // not owned: a member of fpRoot
    VoButton* fpBackButton;  // not owned: a member of fpRoot
    bool fHolding;
    bool fSolved;
    MGPuzzleVoice fVoice;  // the hint or the solved line
    bool fInMouse;         // registered with the engine mouse
};
