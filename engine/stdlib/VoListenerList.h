#pragma once
// The listener list behind the state manager, the event manager and the game
// clock: the shared ordered list (VoOrderedListeners: one snapshot per
// running notification, removals reaching every running one) turned to
// descending order of the order each listener registered with, equal orders
// still in registration order, with the managers' stop operation.
//
// StopNotify ends the innermost running notification after its caller; called
// while none runs, it swallows the next notification whole.
//
// Each owner has its own texts for the same failures; it hands them in with
// every registration call, and the lines name the owner's source.
#include "container/VoLogSite.h"
#include "stdlib/VoOrderedListeners.h"

class VoListenerList {
public:
    // The owner's texts; a null text is not logged.
    struct Messages {
        const char* fAddNull;              // error: AddListener of null
        const char* fAddFailure;           // assertion failure: the list could not take it (memory)
        const char* fRemoveNull;           // error: RemoveListener of null
        const char* fRemoveNotRegistered;  // error: RemoveListener of a stranger
        const char* fRemoveFailure;        // assertion failure: the list could not give it up (memory)
    };

    VoListenerList();
    VoListenerList(const VoListenerList&) = delete;
    VoListenerList& operator=(const VoListenerList&) = delete;
    ~VoListenerList();

    // Not owned. A listener already registered keeps its first order and
    // gives true. False when null or when the list could not take it, with
    // nothing changed.
    bool Add(void* apListener, float aOrder, const Messages& aMessages, VoLogSite aSite = VoLogSite::Here());
    // False when null, not registered or still registered after a failure.
    bool Remove(void* apListener, const Messages& aMessages, VoLogSite aSite = VoLogSite::Here());
    bool Contains(const void* apListener) const { return fListeners.Contains(apListener); }
    int GetCount() const { return fListeners.GetCount(); }
    void StopNotify() { fStop = true; }

    // Calls aCall(void* listener) for each listener of the snapshot that is
    // still registered, in order.
    template <typename Call>
    void Notify(Call aCall);

private:
    static void Error(const VoLogSite& aSite, const char* apText);
    static void AssertFailure(const VoLogSite& aSite, const char* apText);

    // Ascending by the negated orders: descending by the orders given, and a
    // NaN order, never greater than another, still goes last.
    VoOrderedListeners fListeners;
    bool fStop;
};

template <typename Call>
void VoListenerList::Notify(Call aCall) {
    if (fStop) {
        fStop = false;
        return;
    }
    if (fListeners.GetCount() == 0) {
        return;
    }
    VoOrderedListeners::Snapshot walk(fListeners);
    for (int i = 0; i < walk.GetCount(); ++i) {
        void* listener = walk.GetAt(i);
        if (listener == nullptr) {
            continue;  // removed meanwhile
        }
        aCall(listener);
        if (fStop) {
            fStop = false;
            break;
        }
    }
}
