#pragma once
// The map: clues appear on it as the player learns them. It takes no input
// and has no back button or voice-over of its own; each opening rebuilds it
// and shows every clue group whose "show" script holds. Four clue events
// make the map solved: the first build that finds them all adds
// "evt_mappuzzle_solved".
//
// What opens it:
//   - "sta_mappuzzle_active" true (false does nothing);
//   - "sta_interview_113_2A2_CH", "sta_interview_114_2A2_IL" and
//     "sta_interview_115_2A2_FG" (in any case) true add the gate, the
//     tombstone or the fourth clue event and open the map; false closes it;
//   - the event "evt_1ce09_rg_sounddone" adds the sandcastle clue and opens
//     the map for a little over 4.0 s of timer time.
// The map closes itself only while it is the top screen.
//
// Layout "//textures/puzzles/map_puzzle/map_puzzle.txt": "groups.g01-background"
// and the groups of "clues", each with an optional "show" script.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "event/VoIEventListener.h"
#include "gdi/VoIButtonListener.h"
#include "state/VoIStateListener.h"
#include "stdlib/VoIFrameListener.h"

class VoDisplayGroup;
class VoPropertyList;

class MGMapPuzzle : public VoBase,
                    public MGIScreen,
                    public VoIStateListener,
                    public VoIButtonListener,
                    public VoIEventListener,
                    public VoIFrameListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/map_puzzle";
    static constexpr const char16_t* kLayoutFile = u"//textures/puzzles/map_puzzle/map_puzzle.txt";
    static constexpr const char16_t* kRootId = u"map_puzzle_layout";
    static constexpr const char16_t* kCluesPath = u"clues";
    static constexpr const char16_t* kShowKey = u"show";
    static constexpr const char16_t* kActivationState = u"sta_mappuzzle_active";
    static constexpr const char16_t* kSandcastleEvent = u"evt_mappuzzle_sandcastle";
    static constexpr const char16_t* kGateEvent = u"evt_mappuzzle_gate";
    static constexpr const char16_t* kTombstoneEvent = u"evt_mappuzzle_tombstone";
    static constexpr const char16_t* kFourthEvent = u"evt_mappuzzle_zambrio";
    static constexpr const char16_t* kSolvedEvent = u"evt_mappuzzle_solved";
    static constexpr const char16_t* kGateState = u"sta_interview_113_2A2_CH";
    static constexpr const char16_t* kTombstoneState = u"sta_interview_114_2A2_IL";
    static constexpr const char16_t* kFourthState = u"sta_interview_115_2A2_FG";
    static constexpr const char16_t* kSandcastleCue = u"evt_1ce09_rg_sounddone";
    static constexpr double kShownSeconds = 4.0;

    static MGMapPuzzle* GetInstance();

    // Also listens to events, at order 0.0.
    MGMapPuzzle();
    MGMapPuzzle(const MGMapPuzzle&) = delete;
    MGMapPuzzle& operator=(const MGMapPuzzle&) = delete;
    ~MGMapPuzzle() override;

    void Build();
    // Adds the solved event when all four clue events exist.
    static void CheckClues();

    void OnLeaveBegin() override {}
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnEvent(VoEvent* apEvent) override;
    void OnUpdate() override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // The timer time after which a timed opening closes the map.
    double GetCloseTime() const { return fCloseTime; }
    bool IsTimed() const { return fInFrames; }

    VoString ToString() const override;

private:
    void BuildClues(VoPropertyList* apLayout);
    // The clue event of an interview state, or null.
    static const char16_t* ClueOf(VoIState* apState);

    VoDisplayGroup* fpRoot;  // owned; in the display manager while open
    double fCloseTime;
    bool fInEvents;  // registered with the event manager
    bool fInFrames;  // registered with the frame manager: a timed opening
};
