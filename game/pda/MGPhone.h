#pragma once
// The phone's voice mail: the queue of messages waiting to be heard. It has
// no display of its own: the phone panel refreshes the queue when the phone
// opens, the messages panel (MGPhoneMessagesPanel) takes messages off it and
// plays them, and the PDA's bar blinks its phone light when one arrives.
//
// Two kinds of message, from the catalogue "//textures/pda/phone_messages.txt":
//     regular.<key>        trigger=script[...]   due while it holds and
//                          playedevent=evt_x     this event has not happened
//                          expert=CL             optional: the voice mail of
//                                                that expert's report
//                          audio=x.ogg           under "//dataroot/sounds/"
//                          subtitle=key          of the subtitles file
//     expert.CL, .RE, .SU  alternatives (audio, subtitle, optional
//                          playedevent), one picked at random when a
//                          generic message of that expert is played
// A report event (an id ending in "CL_R", "RE_R" or "SU_R", any case: the
// results of the inventory's analyses) queues the generic message of that
// expert, unless a regular message written for the expert is due or the
// generic one waits already. Every event and state change then queues the
// regular messages that have become due, in file order. The queue lives in
// memory only: a new game or a load empties it.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "container/VoVectorString.h"
#include "event/VoIEventListener.h"
#include "state/VoIStateListener.h"
#include "util/MGIGameResetListener.h"

class VoPropertyList;
class VoScript;

class MGPhone : public VoBase, public VoIEventListener, public VoIStateListener, public MGIGameResetListener {
public:
    static constexpr const char* kCreationFailure = "MGPhone creation failure.";
    static constexpr const char* kCatalogueFailure = "Phone message list creation failure: ";

    static constexpr const char16_t* kCatalogueFile = u"//textures/pda/phone_messages.txt";
    static constexpr const char16_t* kRegular = u"regular";
    static constexpr const char16_t* kExpert = u"expert";

    static constexpr int kKindCount = 3;
    // The expert kinds in flag order, as they stand in the queue.
    static const char16_t* KindName(int aKind);
    // The kind of a queue key or "expert" value ("CL", "RE", "SU", any
    // case); -1 for none.
    static int KindOf(const VoString& aName);
    // The kind whose report event the id is: its last four characters are
    // "CL_R", "RE_R" or "SU_R" (any case); -1 for none.
    static int ReportKindOf(const VoString& aEventId);

    // Blinker 1 of the bar, for 4 s, toggled every 0.8 s.
    static constexpr int kPhoneBlinker = 1;
    static constexpr float kBlinkSeconds = 4.0f;
    static constexpr float kBlinkInterval = 0.8f;

    // Created on first use, listening to events and states (order 0.0) and
    // to the new-game notice; owned by the game's cleaner. Null when it
    // cannot be created.
    static MGPhone* GetInstance();
    // The phone if it is live; never creates.
    static MGPhone* PeekInstance();

    // Loads the catalogue (a missing file or section queues nothing of it)
    // and queues what is due already.
    MGPhone();
    MGPhone(const MGPhone&) = delete;
    MGPhone& operator=(const MGPhone&) = delete;
    // Leaves the managers and deletes the catalogue.
    ~MGPhone() override;

    // Reads the catalogue of the path in place of the one held, empties the
    // queue and queues what is due. False (logged, nothing to queue) when it
    // cannot be read.
    bool Load(const VoString& aPath);
    // Empties the queue and the generic flags, as a new game does.
    void Reset();
    int GetMessageCount() const { return fQueue.GetCount(); }
    // The oldest message, taken off the queue: the regular message's node,
    // or one alternative of a generic message's expert (a generic message
    // whose expert has none is dropped and the next is taken). Null when
    // nothing is left. The node belongs to the catalogue.
    VoPropertyList* TakeNextMessage();
    // Appends every regular message that has become due, in file order.
    void UpdateMessages();
    // Whether a regular message written for the expert kind is due.
    bool HasPendingExpertMessage(int aKind);
    // The queued keys, oldest first.
    const VoVectorString& GetQueue() const { return fQueue; }
    bool IsGenericQueued(int aKind) const { return aKind >= 0 && aKind < kKindCount && fGeneric[aKind]; }

    // Builds every trigger once and keeps it (their text never changes), in
    // place of building it anew for every test.
    void SetKeepScripts(bool aKeep);

    void OnEvent(VoEvent* apEvent) override;
    void OnStateChanged(VoIState* apState) override;
    void OnGameReset() override;

    VoString ToString() const override;

private:
    // Has a trigger, not queued, the trigger holds, its played event has
    // not happened.
    bool IsDue(int aIndex);
    bool Triggered(int aIndex, VoPropertyList* apMessage);
    // Blinks the bar's phone light when the queue grew past aLength and the
    // bar is on screen.
    void BlinkIfGrown(int aLength);
    void DeleteScripts();

    VoPropertyList* fpCatalogue;  // owned
    VoPropertyList* fpRegular;    // not owned: the catalogue's
    VoPropertyList* fpExpert;     // not owned: the catalogue's
    VoVectorString fQueue;
    bool fGeneric[kKindCount];
    bool fKeepScripts;
    VoScript** fppScripts;  // owned, one per regular message, with fKeepScripts; null entries allowed
    int fScriptCount;
};
