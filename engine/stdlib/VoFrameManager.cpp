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

VoFrameManager::VoFrameManager()
    : fListeners(), fOrders(), fStop(false), fpSnapshot(nullptr), fSnapshotCount(0) {}

VoFrameManager::~VoFrameManager() {
    VoLog::WriteLine(kDestroyedLine);
    fListeners.Clear();
    fOrders.Clear();
}

bool VoFrameManager::AddListener(VoIFrameListener* apListener, float aOrder) {
    if (apListener == nullptr) {
        VO_ERROR(kAddNull);
        return false;
    }
    if (fListeners.Contains(apListener)) {
        VO_ERROR(kAddDuplicate);
        return false;
    }
    // After every equal or lower order; written so that a NaN order goes last.
    const int count = fOrders.GetCount();
    int index = 0;
    while (index < count && !(fOrders.GetAt(index) > aOrder)) {
        ++index;
    }
    const bool append = index == count;
    if (!(append ? fOrders.Add(aOrder) : fOrders.AddAt(index, aOrder))) {
        VO_ERROR(kAddFailure);
        return false;
    }
    if (!(append ? fListeners.Add(apListener) : fListeners.AddAt(index, apListener))) {
        fOrders.RemoveAt(index);
        VO_ERROR(kAddFailure);
        return false;
    }
    return true;
}

bool VoFrameManager::RemoveListener(VoIFrameListener* apListener) {
    const int index = apListener != nullptr ? fListeners.Find(apListener) : -1;
    if (index == -1) {
        VO_ERROR(kRemoveNotFound);
        return false;
    }
    if (!fListeners.RemoveAt(index)) {
        VO_ERROR(kRemoveFailure);
        return false;
    }
    if (!fOrders.RemoveAt(index)) {
        fListeners.AddAt(index, apListener);
        VO_ERROR(kRemoveFailure);
        return false;
    }
    for (int i = 0; i < fSnapshotCount; ++i) {
        if (fpSnapshot[i] == apListener) {
            fpSnapshot[i] = nullptr;
        }
    }
    return true;
}

bool VoFrameManager::Update() {
    if (fpSnapshot != nullptr) {
        VO_ERROR(kNestedUpdate);
        return false;
    }
    if (fStop) {
        fStop = false;
        return true;
    }
    const int count = fListeners.GetCount();
    if (count < 1 || !fListeners.ToArray(&fpSnapshot)) {
        return true;
    }
    fSnapshotCount = count;
    for (int i = 0; i < fSnapshotCount; ++i) {
        if (VoIFrameListener* listener = static_cast<VoIFrameListener*>(fpSnapshot[i])) {
            listener->OnUpdate();
        }
        if (fStop) {
            break;
        }
    }
    delete[] fpSnapshot;
    fpSnapshot = nullptr;
    fSnapshotCount = 0;
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
