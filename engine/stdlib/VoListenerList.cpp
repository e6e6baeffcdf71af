#include "stdlib/VoListenerList.h"

namespace {
// Listener lists are short: a handful of scene objects and panels.
constexpr int kCapacity = 10;
constexpr int kIncrement = 10;
}  // namespace

VoListenerList::VoListenerList()
    : fListeners(kCapacity, kIncrement), fOrders(kCapacity, kIncrement), fpWalks(nullptr), fStop(false) {}

VoListenerList::~VoListenerList() = default;

VoListenerList::AddResult VoListenerList::Add(void* apListener, float aOrder) {
    if (fListeners.Contains(apListener)) {
        return AddResult::kAlreadyRegistered;
    }
    // Before the first lower order: after every equal one. A NaN order is
    // never lower, so it goes last; a NaN already stored is passed over.
    const int count = fOrders.GetCount();
    int index = 0;
    while (index < count && !(fOrders.GetAt(index) < aOrder)) {
        ++index;
    }
    const bool append = index == count;
    if (!(append ? fOrders.Add(aOrder) : fOrders.AddAt(index, aOrder))) {
        return AddResult::kStoreFailure;
    }
    if (!(append ? fListeners.Add(apListener) : fListeners.AddAt(index, apListener))) {
        fOrders.RemoveAt(index);
        return AddResult::kStoreFailure;
    }
    return AddResult::kAdded;
}

VoListenerList::RemoveResult VoListenerList::Remove(void* apListener) {
    const int index = fListeners.Find(apListener);
    if (index == -1) {
        return RemoveResult::kNotRegistered;
    }
    if (!fListeners.RemoveAt(index)) {
        return RemoveResult::kListenerFailure;
    }
    // The listener is gone from every walk whatever happens to its order.
    for (Walk* walk = fpWalks; walk != nullptr; walk = walk->fpOuter) {
        for (int i = 0; i < walk->fCount; ++i) {
            if (walk->fpItems[i] == apListener) {
                walk->fpItems[i] = nullptr;
            }
        }
    }
    if (!fOrders.RemoveAt(index)) {
        return RemoveResult::kOrderFailure;
    }
    return RemoveResult::kRemoved;
}
