#pragma once
// The record search: a form over the expert computer's background with
// eight letter fields, in which the player types a name. It is an overlay,
// not a screen of the stack: "sta_velmirepuzzle_active" true builds it (once
// while it is open), and while it is open the mouse is locked to it, its
// eight field buttons and its back button. A click on a field selects it; a
// letter typed fills the selected field in capitals and selects the next
// (none after the eighth). When the fields spell kName: "evt_velmirepuzzle_solved",
// the staff roster "2ls08_re" in the inventory and the line "2re22a_le"
// ("solvedAudio"), whose end closes the form (at once without the line).
// The back button, and the state turning false, close it too; closing
// never touches the screen stack.
//
// Voice-overs, each with its subtitle in "TW_CEN_MT16_BLUE": "2re22_le"
// ("puzzleVO") the first time in a game ("evt_2re22_le_played"), else on
// easy "2re22c_le" ("puzzleHint") once ("evt_2re22c_le_played"); on easy
// "hi11_rg" ("puzzleHint") follows "2re22_le". The subtitle of an opening
// line is kept from the next hide asked of the box. A new line stops the
// one before. The solved flag outlives a close, but a new game or a load
// clears it.
//
// Layout "//textures/puzzles/velmire/layout.txt": "background" (a picture
// of "//textures/expertcomputer"), "puzzlebg.easy" and "puzzlebg.hard"
// (pictures of "//textures/puzzles/velmire"), "fields" (eight carets, each
// with the "position" of its field), "button" (one field button, built
// eight times) and "backbutton".
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoIKeyboardListener.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"
#include "util/MGIGameResetListener.h"

class VoDisplayGroup;
class VoIDisplayObject;
class VoPropertyList;
class VoTextArea;

class MGVelmirePuzzle : public VoBase,
                        public MGIScreen,
                        public VoIButtonListener,
                        public VoIStateListener,
                        public VoIKeyboardListener,
                        public VoIMouseListener,
                        public VoISoundListener,
                        public MGIGameResetListener {
public:
    static constexpr const char* kCreationFailure = "MGVelmirePuzzle creation failure.";
    static constexpr const char16_t* kLayoutFile = u"//textures/puzzles/velmire/layout.txt";
    static constexpr const char16_t* kComputerFolder = u"//textures/expertcomputer";
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/velmire";
    static constexpr const char16_t* kRootId = u"velmire_layout";
    static constexpr const char16_t* kBackgroundPath = u"background";
    static constexpr const char16_t* kEasyPath = u"puzzlebg.easy";
    static constexpr const char16_t* kHardPath = u"puzzlebg.hard";
    static constexpr const char16_t* kFieldsPath = u"fields";
    static constexpr const char16_t* kButtonPath = u"button";
    static constexpr const char16_t* kBackButtonPath = u"backbutton";
    static constexpr const char16_t* kFieldPrefix = u"entry_";
    static constexpr const char16_t* kFieldFont = u"OCRA18";
    static constexpr const char16_t* kSubtitleFont = u"TW_CEN_MT16_BLUE";
    static constexpr const char16_t* kActivationState = u"sta_velmirepuzzle_active";
    static constexpr const char16_t* kName = u"QUENTARO";
    static constexpr const char16_t* kSolvedEvent = u"evt_velmirepuzzle_solved";
    static constexpr const char16_t* kItem = u"2ls08_re";
    static constexpr const char16_t* kOpeningLine = u"2re22_le";
    static constexpr const char16_t* kOpeningEvent = u"evt_2re22_le_played";
    static constexpr const char16_t* kSecondLine = u"2re22c_le";
    static constexpr const char16_t* kSecondEvent = u"evt_2re22c_le_played";
    static constexpr const char16_t* kHint = u"hi11_rg";
    static constexpr const char16_t* kSolvedLine = u"2re22a_le";
    static constexpr const char16_t* kVoiceStream = u"puzzleVO";
    static constexpr const char16_t* kHintStream = u"puzzleHint";
    static constexpr const char16_t* kSolvedStream = u"solvedAudio";
    static constexpr int kFieldCount = 8;
    static constexpr int kNone = -1;
    static constexpr float kFieldWidth = 24.0f;
    static constexpr float kFieldHeight = 24.0f;
    static constexpr float kFieldZ = 30.0f;
    static constexpr float kFieldX = 7.0f;
    static constexpr float kFieldY = 5.0f;
    static constexpr float kKeyboardOrder = 0.0f;

    // Created on first use, listening to its state and to the notice of a
    // new game, and owned by the game's cleaner; null when it cannot be made.
    static MGVelmirePuzzle* GetInstance();

    MGVelmirePuzzle();
    MGVelmirePuzzle(const MGVelmirePuzzle&) = delete;
    MGVelmirePuzzle& operator=(const MGVelmirePuzzle&) = delete;
    ~MGVelmirePuzzle() override;

    // Closes the form: the keyboard, the display, then the mouse's lock.
    void Close();
    // The fields joined; when they spell the name, the solution.
    void CheckEntry();

    bool IsOpen() const { return fpRoot != nullptr; }
    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // Field 0 to 7 and its caret; null while closed.
    VoTextArea* GetField(int aIndex) const;
    VoIDisplayObject* GetCaret(int aIndex) const;
    int GetSelectedField() const { return fSelected; }
    bool IsSolved() const { return fSolved; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    // Builds the form (nothing when it is open already).
    void OnEnter() override;
    void OnLeaveBegin() override {}
    // Takes the form down; the caller ends the mouse's lock.
    void OnLeaveEnd() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int) override {}
    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int) override {}
    void OnSoundEnd(const VoString& aName) override;
    void OnGameReset() override;

    VoString ToString() const override;

private:
    void BuildFields(VoPropertyList* apLayout);
    void PlayOpeningLine();
    void Select(int aField);

    VoDisplayGroup* fpRoot;                   // owned; in the display manager while open
    VoIDisplayObject* fpCarets[kFieldCount];  // members of fpRoot, null where not built
    VoTextArea* fpFields[kFieldCount];        // members of fpRoot, null where not built
    int fSelected;
    MGPuzzleVoice fVoice;
    bool fSolved;
    bool fInKeyboard;  // registered with the engine keyboard
    bool fInReset;     // registered with the new-game notice
};
