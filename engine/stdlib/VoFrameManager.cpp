#include "stdlib/VoFrameManager.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoFrameManager> gInstance;
}  // namespace

VoFrameManager* VoFrameManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoFrameManager(); }, kCreationFailure);
}

VoFrameManager::VoFrameManager() : fListeners(), fStop(false) {}

VoFrameManager::~VoFrameManager() {
    VoLog::WriteLine(kDestroyedLine);
}

bool VoFrameManager::AddListener(VoIFrameListener* apListener, float aOrder) {
    return fListeners.Add(apListener, aOrder, kAddNull, kAddDuplicate, kAddFailure);
}

bool VoFrameManager::RemoveListener(VoIFrameListener* apListener) {
    switch (fListeners.Remove(apListener)) {
        case VoOrderedListeners::Removal::kRemoved:
            return true;
        case VoOrderedListeners::Removal::kAbsent:
            VO_ERROR(kRemoveNotFound);
            return false;
        case VoOrderedListeners::Removal::kFailed:
            break;
    }
    VO_ERROR(kRemoveFailure);
    return false;
}

bool VoFrameManager::Update() {
    if (fListeners.IsWalking()) {
        VO_ERROR(kNestedUpdate);
        return false;
    }
    if (fStop) {
        fStop = false;
        return true;
    }
    if (fListeners.GetCount() < 1) {
        return true;
    }
    {
        VoOrderedListeners::Snapshot walk(fListeners);
        for (int i = 0; i < walk.GetCount(); ++i) {
            if (VoIFrameListener* listener = static_cast<VoIFrameListener*>(walk.GetAt(i))) {
                listener->OnUpdate();
            }
            if (fStop) {
                break;
            }
        }
    }
    fStop = false;
    return true;
}

bool VoFrameManager::StopUpdate() {
    fStop = true;
    return true;
}

VoString VoFrameManager::ToString() const {
    return VoDebugString("VoFrameManager", this);
}
