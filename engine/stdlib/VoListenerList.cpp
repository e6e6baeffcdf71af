#include "stdlib/VoListenerList.h"

#include "container/VoLog.h"

namespace {
// Listener lists are short: a handful of scene objects and panels.
constexpr int kCapacity = 10;
constexpr int kIncrement = 10;
}  // namespace

VoListenerList::VoListenerList()
    : fListeners(kCapacity, kIncrement), fOrders(kCapacity, kIncrement), fpWalks(nullptr), fStop(false) {}

VoListenerList::~VoListenerList() = default;

void VoListenerList::Error(const VoLogSite& aSite, const char* apText) {
    if (apText != nullptr) {
        aSite.Error(apText);
    }
}

void VoListenerList::AssertFailure(const VoLogSite& aSite, const char* apText) {
    if (apText != nullptr) {
        VoLog::Report(VoLog::Compose("ASSERT FAILURE: ", aSite.File(), aSite.Line(), apText));
    }
}

bool VoListenerList::Add(void* apListener, float aOrder, const Messages& aMessages, VoLogSite aSite) {
    if (apListener == nullptr) {
        Error(aSite, aMessages.fAddNull);
        return false;
    }
    if (fListeners.Contains(apListener)) {
        return true;
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
        AssertFailure(aSite, aMessages.fAddFailure);
        return false;
    }
    if (!(append ? fListeners.Add(apListener) : fListeners.AddAt(index, apListener))) {
        fOrders.RemoveAt(index);
        AssertFailure(aSite, aMessages.fAddFailure);
        return false;
    }
    return true;
}

bool VoListenerList::Remove(void* apListener, const Messages& aMessages, VoLogSite aSite) {
    if (apListener == nullptr) {
        Error(aSite, aMessages.fRemoveNull);
        return false;
    }
    const int index = fListeners.Find(apListener);
    if (index == -1) {
        Error(aSite, aMessages.fRemoveNotRegistered);
        return false;
    }
    if (!fListeners.RemoveAt(index)) {
        AssertFailure(aSite, aMessages.fRemoveListenerFailure);
        return false;
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
        AssertFailure(aSite, aMessages.fRemoveOrderFailure);
    }
    return true;
}
