#pragma once
// The harp: twenty strings on which the player repeats a melody of seven
// notes (kMelody), one note more each stage. "start" has the harp play the
// stage's notes, each string lit yellow while its note starts; then the
// player plucks them back: green for the right string, red for a wrong one,
// which ends the attempt when its note has sounded ("start" then begins
// again from one note). Repeating all seven solves it:
// "evt_harppuzzle_solved", the movie "Harp_Puzzle.bik", then
// "case02/stokes_upstairs", "vp_bedroom" with "sta_cu_2sh10_visible" true.
//
// Every step waits for a sound's end. A note played by the harp is
// "//dataroot/textures/puzzles/harppuzzle/" + its string number + ".ogg", a
// plucked string the same folder + the two characters after "harp" in its
// button's id + ".ogg". A note that cannot be played counts as ended when
// its highlight goes, more than 0.5 s after it was shown; a highlight also
// goes when the next one replaces it.
//
// Layout "//textures/puzzles/harppuzzle/layout.txt": "groups.g01-background",
// the twenty highlights of each colour in "groups.g03-yellow_strings",
// "groups.g04-green_strings" and "groups.g05-red_strings" (in string order),
// the 21 polygon buttons of "groups.g06-polygons" ("buttonid" "harp01" to
// "harp20" and "start", each hit-tested on its own outline), the start
// indicator "groups.startbutton" and "groups.g02-backbutton". Every entering
// plays "2sh01_rg" ("puzzleVO"); on easy the hint "hi12_rg" follows the very
// first note the harp plays, once while the program runs.
// "sta_harppuzzle_active" true opens the puzzle, false closes it.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"
#include "stdlib/VoIFrameListener.h"

class VoDisplayGroup;
class VoIDisplayObject;
class VoPropertyList;

class MGHarpPuzzle : public VoBase,
                     public MGIScreen,
                     public VoIStateListener,
                     public VoIButtonListener,
                     public VoISoundListener,
                     public VoIFrameListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/harppuzzle";
    static constexpr const char16_t* kLayoutFile = u"//textures/puzzles/harppuzzle/layout.txt";
    static constexpr const char16_t* kNoteFolder = u"//dataroot/textures/puzzles/harppuzzle/";
    static constexpr const char16_t* kNoteExtension = u".ogg";
    static constexpr const char16_t* kRootId = u"harppuzzle_layout";
    static constexpr const char16_t* kButtonsId = u"harpbuttons";
    static constexpr const char16_t* kYellowPath = u"groups.g03-yellow_strings";
    static constexpr const char16_t* kGreenPath = u"groups.g04-green_strings";
    static constexpr const char16_t* kRedPath = u"groups.g05-red_strings";
    static constexpr const char16_t* kPolygonsPath = u"groups.g06-polygons";
    static constexpr const char16_t* kStartPath = u"groups.startbutton";
    static constexpr const char16_t* kStartId = u"start";
    static constexpr const char16_t* kStringPrefix = u"harp";
    static constexpr const char16_t* kActivationState = u"sta_harppuzzle_active";
    static constexpr const char16_t* kLine = u"2sh01_rg";
    static constexpr const char16_t* kHint = u"hi12_rg";
    static constexpr const char16_t* kVoiceStream = u"puzzleVO";
    static constexpr const char16_t* kNoteStream = u"harp";
    static constexpr const char16_t* kSolvedEvent = u"evt_harppuzzle_solved";
    static constexpr MGPuzzleOpening kOpening = {u"case02/stokes_upstairs", u"vp_bedroom",
                                                 u"sta_cu_2sh10_visible", u"Harp_Puzzle.bik"};
    static constexpr int kStrings = 20;
    static constexpr int kButtonCount = kStrings + 1;
    static constexpr int kMelodyLength = 7;
    // The string (1 to 20) of each note.
    static constexpr int kMelody[kMelodyLength] = {7, 12, 4, 15, 9, 18, 2};
    static constexpr double kHighlightTime = 0.5;

    static MGHarpPuzzle* GetInstance();

    MGHarpPuzzle();
    MGHarpPuzzle(const MGHarpPuzzle&) = delete;
    MGHarpPuzzle& operator=(const MGHarpPuzzle&) = delete;
    ~MGHarpPuzzle() override;

    // The harp, its highlights, buttons, start indicator and back button.
    void Build();

    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString& aName) override;
    void OnUpdate() override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // A member of the root group; null while closed.
    VoDisplayGroup* GetButtonsGroup() const { return fpButtons; }
    // The highlight of the colour (0 yellow, 1 green, 2 red) of string 1 to 20, or null.
    VoIDisplayObject* GetHighlight(int aColour, int aString) const;
    VoIDisplayObject* GetCurrentHighlight() const { return fpCurrent; }
    VoIDisplayObject* GetStartIndicator() const { return fpStartIndicator; }
    int GetStageLength() const { return fStageLength; }
    int GetPosition() const { return fPosition; }
    bool IsDemonstrating() const { return fDemonstrating; }
    bool IsStarted() const { return fStarted; }
    bool HasFailed() const { return fFailed; }
    bool WasHintPlayed() const { return fHintPlayed; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    static constexpr int kYellow = 0;
    static constexpr int kGreen = 1;
    static constexpr int kRed = 2;

    VoString ToString() const override;

private:
    void BuildHighlights(VoPropertyList* apLayout, const char16_t* apPath, int aColour);
    void BuildButtons(VoPropertyList* apLayout);
    // Plays the file as the current sound and shows the highlight.
    void PlayNote(const VoString& aPath, VoIDisplayObject* apHighlight);
    void PlayMelodyNote();
    void ShowHighlight(VoIDisplayObject* apHighlight);
    void HideHighlight();
    void SetStringsActive(bool aActive);
    void PluckString(const VoString& aId);
    // What follows the end of the current sound.
    void OnNoteEnd();
    void OnSolved();

    VoDisplayGroup* fpRoot;                       // owned; in the display manager while open
    VoDisplayGroup* fpButtons;                    // a member of fpRoot
    VoIDisplayObject* fpHighlights[3][kStrings];  // members of fpRoot, null where not built
    VoIDisplayObject* fpCurrent;                  // one of the highlights, or null
    VoIDisplayObject* fpStartIndicator;           // a member of fpRoot, or null
    MGPuzzleVoice fVoice;
    int fStageLength;
    bool fDemonstrating;
    int fPosition;
    bool fStarted;
    bool fFailed;
    bool fHintPlayed;
    double fHighlightTime;
    bool fNoteMissing;  // the current note could not be played
    bool fInFrames;     // registered with the frame manager
};
