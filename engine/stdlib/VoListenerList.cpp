#include "stdlib/VoListenerList.h"

#include "container/VoLog.h"

VoListenerList::VoListenerList() : fListeners(), fStop(false) {}

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
    if (!fListeners.Insert(apListener, -aOrder)) {
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
    switch (fListeners.Remove(apListener)) {
        case VoOrderedListeners::Removal::kRemoved:
            return true;
        case VoOrderedListeners::Removal::kAbsent:
            Error(aSite, aMessages.fRemoveNotRegistered);
            return false;
        case VoOrderedListeners::Removal::kFailed:
            AssertFailure(aSite, aMessages.fRemoveFailure);
            return false;
    }
    return false;
}
