#include "stdlib/VoOrderedListeners.h"

VoOrderedListeners::VoOrderedListeners() : fListeners(), fOrders(), fpInnermost(nullptr) {}

VoOrderedListeners::~VoOrderedListeners() {
    fListeners.Clear();
    fOrders.Clear();
}

bool VoOrderedListeners::Insert(void* apListener, float aOrder) {
    const int count = fOrders.GetCount();
    int index = 0;
    while (index < count && !(fOrders.GetAt(index) > aOrder)) {
        ++index;
    }
    const bool append = index == count;
    if (!(append ? fOrders.Add(aOrder) : fOrders.AddAt(index, aOrder))) {
        return false;
    }
    if (!(append ? fListeners.Add(apListener) : fListeners.AddAt(index, apListener))) {
        fOrders.RemoveAt(index);
        return false;
    }
    return true;
}

bool VoOrderedListeners::Add(void* apListener, float aOrder, const char* apNull, const char* apDuplicate,
                             const char* apFailure, VoLogSite aSite) {
    if (apListener == nullptr) {
        aSite.Error(apNull);
        return false;
    }
    if (Contains(apListener)) {
        if (apDuplicate == nullptr) {
            return true;
        }
        aSite.Error(apDuplicate);
        return false;
    }
    if (!Insert(apListener, aOrder)) {
        aSite.Error(apFailure);
        return false;
    }
    return true;
}

VoOrderedListeners::Removal VoOrderedListeners::Remove(const void* apListener) {
    const int index = apListener != nullptr ? fListeners.Find(apListener) : -1;
    if (index == -1) {
        return Removal::kAbsent;
    }
    void* listener = nullptr;
    if (!fListeners.RemoveAt(index, &listener)) {
        return Removal::kFailed;
    }
    if (!fOrders.RemoveAt(index)) {
        fListeners.AddAt(index, listener);
        return Removal::kFailed;
    }
    for (Snapshot* walk = fpInnermost; walk != nullptr; walk = walk->fpOuter) {
        for (int i = 0; i < walk->fCount; ++i) {
            if (walk->fpEntries[i] == apListener) {
                walk->fpEntries[i] = nullptr;
            }
        }
    }
    return Removal::kRemoved;
}

VoOrderedListeners::Snapshot::Snapshot(VoOrderedListeners& aList)
    : fList(aList), fpEntries(nullptr), fCount(0), fpOuter(aList.fpInnermost) {
    if (aList.fListeners.ToArray(&fpEntries)) {
        fCount = aList.fListeners.GetCount();
    }
    aList.fpInnermost = this;
}

VoOrderedListeners::Snapshot::~Snapshot() {
    fList.fpInnermost = fpOuter;
    delete[] fpEntries;
}
