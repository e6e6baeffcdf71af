#pragma once
// One subject the player can raise with a witness, and its modes: the five
// manners of asking, "conf" (confront), "decp" (deceive), "flat" (flatter),
// "stra" (straight) and "empa" (empathise), in that index order. A mode
// plays its answer (an MGInterviewSequence) and, when it ends, establishes
// its facts and moves the interview's meter.
//
// Topic node (property list; "name", "level" and "skilllevels" are the
// topic list's):
//     doneevent=evt_x          added after a good answer (or a bargain)
//     viewedevent=evt_y        added after any answer
//     dependencies=script[..]  the topic is listed while it holds
//     delayedevent=evt_z|5     added 5 game-clock seconds after a good answer
//     bargain=true             a good answer opens a bargain instead of
//                              moving the meter
//     modes
//         stra                 a sequence node (MGInterviewSequence) with:
//             type=good        anything else is bad
//             statechanges=id|type|value|...   triples, "boolean",
//                              "number" or "string"
//             doneevents=evt_a|evt_b
//             additem=item     given to the player's inventory
//
// A mode's sequence has the done event interview id + "_" + topic key + "_"
// + mode key, so that event says the mode was used.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "interview/MGISequenceListener.h"

class MGInterview;
class MGInterviewSequence;
class VoPropertyList;
class VoScript;
class VoVectorString;

class MGInterviewTopic : public VoBase, public MGISequenceListener {
public:
    static constexpr const char* kNoModes = "List not found: 'modes'.";
    static constexpr const char* kNoType = "Missing property: 'type'.";
    static constexpr const char* kScriptFailure = "Script build failure.";
    static constexpr const char* kNullArg = "NULL arg.";
    static constexpr const char* kNoModeData = "Missing mode data.";
    static constexpr const char* kIncompleteStateChange = "Incomplete state change ignored: ";
    static constexpr const char16_t* kBargainStatePrefix = u"bargaining_";
    static constexpr const char16_t* kBargainStateSuffix = u"_active";

    static constexpr int kModeCount = 5;
    // The mode keys in index order; -1 for a key of none of them (any case).
    static const char16_t* ModeKey(int aIndex);
    static int ModeIndex(const VoString& aKey);

    MGInterviewTopic();
    MGInterviewTopic(const MGInterviewTopic&) = delete;
    MGInterviewTopic& operator=(const MGInterviewTopic&) = delete;
    // Deletes the playing sequence and the lists not yet applied.
    ~MGInterviewTopic() override;

    // Reads the node (not owned; it must outlive the topic), whose name is
    // the interview id + "_" + the topic key. True.
    bool Create(const VoString& aName, VoPropertyList* apNode);
    // The "modes" node, or null.
    VoPropertyList* GetModes() const { return fpModes; }
    // Plays the mode (0-4) for the interview (not owned; null is asserted),
    // expert flag 1 when an expert interview asks. True.
    bool SelectMode(int aIndex, MGInterview* apInterview, int aExpert);

    void OnSequenceEnd() override;

    const VoString& GetName() const { return fName; }
    const VoString& GetDoneEvent() const { return fDoneEvent; }
    const VoString& GetViewedEvent() const { return fViewedEvent; }
    const VoString& GetDelayedEvent() const { return fDelayedEvent; }
    float GetDelay() const { return fDelay; }
    bool IsBargain() const { return fBargain; }
    bool IsGood() const { return fGood; }
    // The playing sequence, or null.
    MGInterviewSequence* GetSequence() const { return fpSequence; }
    VoScript* GetDependencies() const { return fpDependencies; }

    VoString ToString() const override;

private:
    // The done events, the state changes, the viewed event; the lists go.
    void ApplyChanges();
    void DeleteLists();

    VoString fName;
    MGInterview* fpInterview;  // not owned
    int fExpert;
    VoPropertyList* fpModes;    // not owned: the interview's data
    VoScript* fpDependencies;   // owned
    VoString fDoneEvent;
    VoString fViewedEvent;
    VoString fDelayedEvent;
    float fDelay;
    bool fGood;
    bool fBargain;
    MGInterviewSequence* fpSequence;  // owned
    VoVectorString* fpStateChanges;   // owned until applied
    VoVectorString* fpDoneEvents;     // owned until applied
    VoString fAddItem;
};
