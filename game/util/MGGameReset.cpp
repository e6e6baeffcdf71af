#include "util/MGGameReset.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"
#include "util/MGIGameResetListener.h"

namespace {

VoCleanerSingleton<MGGameReset, MGCleanerHome> gInstance;

const VoListenerList::Messages kListenerMessages = {MGGameReset::kAddNull, MGGameReset::kAddFailure,
                                                    MGGameReset::kRemoveNull, nullptr,
                                                    MGGameReset::kRemoveFailure};

// Every listener registers at one order, so they are told in registration order.
constexpr float kOrder = 0.0f;

}  // namespace

MGGameReset* MGGameReset::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGGameReset(); }, kCreationFailure);
}

bool MGGameReset::AddListener(MGIGameResetListener* apListener) {
    return fListeners.Add(apListener, kOrder, kListenerMessages);
}

bool MGGameReset::RemoveListener(MGIGameResetListener* apListener) {
    if (apListener != nullptr && !fListeners.Contains(apListener)) {
        return true;
    }
    return fListeners.Remove(apListener, kListenerMessages);
}

void MGGameReset::Notify() {
    fListeners.Notify(
        [](void* apListener) { static_cast<MGIGameResetListener*>(apListener)->OnGameReset(); });
}

VoString MGGameReset::ToString() const {
    return VoDebugString("MGGameReset", this);
}
