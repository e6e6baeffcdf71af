#pragma once
// The listener list behind the state manager, the event manager and the game
// clock: listeners (not owned) kept in descending order of the order each
// registered with, equal orders in registration order.
//
// Every notification walks a snapshot of its own, so a listener may start a
// notification from inside its callback without disturbing the one that
// called it. A listener removed while notifications run is taken out of every
// running snapshot: it is not called again once RemoveListener has returned.
// StopNotify ends the innermost running notification after its caller; called
// while none runs, it swallows the next notification whole.
//
// Each owner has its own texts for the same failures; it hands them in with
// every registration call, and the lines name the owner's source.
#include "container/VoLogSite.h"
#include "container/VoVector.h"
#include "container/VoVectorFloat.h"

class VoListenerList {
public:
    // The owner's texts; a null text is not logged.
    struct Messages {
        const char* fAddNull;                // error: AddListener of null
        const char* fAddFailure;             // assertion failure: the list could not take it (memory)
        const char* fRemoveNull;             // error: RemoveListener of null
        const char* fRemoveNotRegistered;    // error: RemoveListener of a stranger
        const char* fRemoveListenerFailure;  // assertion failure: the listener could not be taken out
        const char* fRemoveOrderFailure;     // assertion failure: its order could not be taken out
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

    // One running notification: its snapshot, and the one it runs inside.
    struct Walk {
        void** fpItems;  // owned
        int fCount;
        Walk* fpOuter;  // not owned: a running notification further up the stack
    };

    VoVector fListeners;    // not owned, descending by order
    VoVectorFloat fOrders;  // parallel to fListeners
    Walk* fpWalks;          // not owned: the innermost running notification, or null
    bool fStop;
};

template <typename Call>
void VoListenerList::Notify(Call aCall) {
    if (fStop) {
        fStop = false;
        return;
    }
    const int count = fListeners.GetCount();
    Walk walk{nullptr, 0, fpWalks};
    if (count == 0 || !fListeners.ToArray(&walk.fpItems)) {
        return;
    }
    walk.fCount = count;
    fpWalks = &walk;
    for (int i = 0; i < walk.fCount; ++i) {
        void* listener = walk.fpItems[i];
        if (listener == nullptr) {
            continue;  // removed meanwhile
        }
        aCall(listener);
        if (fStop) {
            fStop = false;
            break;
        }
    }
    fpWalks = walk.fpOuter;
    delete[] walk.fpItems;
}
