#pragma once
// The combination lock: a door keypad (MGKeypadButton) with digit keys,
// "clear" and "enter", and a display of up to seven keys
// (MGCombinationDisplay). "enter" with the display showing "5038164" adds
// "evt_1cs10_solved" and plays the entry sound, whose end (or, without one,
// the moment itself) plays the door's movie over the puzzle and leads to
// "case01/castillosecretapt", "vp_start"; any other text buzzes and clears.
// Once solved the keys and the back button do nothing; each opening starts
// unsolved, and so do a new game and a load (the event keeps the solution).
//
// Layout "//textures/puzzles/keypad/keypad_layout.txt": "groups.g01-background",
// "groups.g02-backbutton", "groups.g03-buttons.buttons" (the keys) and
// "groups.g04-display.sprites" (the display's sprites). "sta_keypadpuzzle_active"
// true opens it; false does nothing.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"
#include "util/MGIGameResetListener.h"

class MGCombinationDisplay;
class VoDisplayGroup;

class MGCombinationLockPuzzle : public VoBase,
                                public MGIScreen,
                                public VoIStateListener,
                                public VoIButtonListener,
                                public VoISoundListener,
                                public MGIGameResetListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/keypad";
    static constexpr const char16_t* kLayoutFile = u"//textures/puzzles/keypad/keypad_layout.txt";
    static constexpr const char16_t* kRootId = u"kaypad_layout";
    static constexpr const char16_t* kKeysId = u"keypad_buttons";
    static constexpr const char16_t* kKeysPath = u"groups.g03-buttons.buttons";
    static constexpr const char16_t* kDisplayGroupId = u"combination_display_group";
    static constexpr const char16_t* kDisplayId = u"combination_display";
    static constexpr const char16_t* kDisplayPath = u"groups.g04-display.sprites";
    static constexpr float kGroupZ = 10.0f;
    static constexpr const char16_t* kActivationState = u"sta_keypadpuzzle_active";
    static constexpr MGPuzzleHint kHint = {u"evt_combinationpuzzle_viewed", u"hi04_rg", u"2ls08_rg"};
    static constexpr const char16_t* kSolvedEvent = u"evt_1cs10_solved";
    static constexpr const char16_t* kCombination = u"5038164";
    static constexpr const char16_t* kClearKey = u"clear";
    static constexpr const char16_t* kEnterKey = u"enter";
    static constexpr const char16_t* kResultStream = u"buzz";
    static constexpr const char16_t* kWrongSound = u"//dataroot/sounds/buzz.mp2";
    static constexpr const char16_t* kEntrySound = u"//dataroot/sounds/entry.mp2";
    static constexpr MGPuzzleOpening kOpening = {u"case01/castillosecretapt", u"vp_start", nullptr,
                                                 u"Secret_Apt_Door.bik"};

    static MGCombinationLockPuzzle* GetInstance();

    MGCombinationLockPuzzle();
    MGCombinationLockPuzzle(const MGCombinationLockPuzzle&) = delete;
    MGCombinationLockPuzzle& operator=(const MGCombinationLockPuzzle&) = delete;
    ~MGCombinationLockPuzzle() override;

    void Build();
    // A key was pressed and released.
    void OnKey(const VoString& aKey);
    bool IsSolved() const { return fSolved; }

    void OnLeaveBegin() override {}
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString& aName) override;
    void OnGameReset() override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // In the root group's tree; null while closed.
    MGCombinationDisplay* GetDisplay() const { return fpDisplay; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    VoString ToString() const override;

private:
    void BuildKeys(VoPropertyList* apLayout);
    void BuildDisplay(VoPropertyList* apLayout);
    void OpenDoor();

    VoDisplayGroup* fpRoot;           // owned; in the display manager while open
    MGCombinationDisplay* fpDisplay;  // owned by fpRoot's tree
    MGPuzzleVoice fVoice;             // the hint, a buzz or the entry sound
    bool fSolved;
    bool fInReset;  // registered with the reset notice
};
