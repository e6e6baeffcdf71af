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
// The managers log their own messages; this list only answers what happened.
#include "container/VoVector.h"
#include "container/VoVectorFloat.h"

class VoListenerList {
public:
    enum class AddResult { kAdded, kAlreadyRegistered, kStoreFailure };
    enum class RemoveResult { kRemoved, kNotRegistered, kListenerFailure, kOrderFailure };

    VoListenerList();
    VoListenerList(const VoListenerList&) = delete;
    VoListenerList& operator=(const VoListenerList&) = delete;
    ~VoListenerList();

    // A listener already registered keeps its first order. On kStoreFailure
    // (memory) nothing has changed.
    AddResult Add(void* apListener, float aOrder);
    RemoveResult Remove(void* apListener);
    bool Contains(const void* apListener) const { return fListeners.Contains(apListener); }
    int GetCount() const { return fListeners.GetCount(); }
    void StopNotify() { fStop = true; }

    // Calls aCall(void* listener) for each listener of the snapshot that is
    // still registered, in order.
    template <typename Call>
    void Notify(Call aCall);

private:
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
