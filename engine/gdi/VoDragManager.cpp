#include "gdi/VoDragManager.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "gdi/VoIDragTarget.h"
#include "memory/VoNew.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoDragManager> gInstance;
}  // namespace

VoDragManager* VoDragManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoDragManager(); }, kCreationFailure);
}

VoDragManager* VoDragManager::PeekInstance() {
    return gInstance.Peek();
}

VoDragManager::VoDragManager() = default;

VoDragManager::~VoDragManager() {
    fTargets.Clear();
}

VoString VoDragManager::ToString() const {
    return VoDebugString("VoDragManager", this);
}

bool VoDragManager::AddDragTarget(VoIDragTarget* apTarget) {
    if (apTarget == nullptr) {
        VO_ERROR(kInvalidArg);
        return false;
    }
    if (fTargets.Contains(apTarget)) {
        return true;
    }
    return fTargets.Add(apTarget);
}

bool VoDragManager::RemoveDragTarget(VoIDragTarget* apTarget) {
    if (apTarget == nullptr) {
        VO_ERROR(kInvalidArg);
        return false;
    }
    if (!fTargets.Remove(apTarget)) {
        return false;
    }
    ++fRemovals;
    return true;
}

template <typename Call>
void VoDragManager::ForEachTarget(Call aCall) {
    if (fTargets.GetCount() == 0) {
        return;
    }
    void** targets = nullptr;
    const int count = fTargets.GetCount();
    if (!fTargets.ToArray(&targets) || targets == nullptr) {
        return;
    }
    const std::uint32_t removals = fRemovals;
    for (int i = 0; i < count; ++i) {
        // A handler may have removed (or deleted) a later target; only then
        // is the list searched.
        if (fRemovals == removals || fTargets.Contains(targets[i])) {
            aCall(static_cast<VoIDragTarget*>(targets[i]));
        }
    }
    delete[] targets;
}

bool VoDragManager::DragMove(VoDraggable* apDragged) {
    ForEachTarget([apDragged](VoIDragTarget* apTarget) { apTarget->SetDragged(apDragged); });
    return true;
}

bool VoDragManager::Drop(VoDraggable* apDragged) {
    ForEachTarget([apDragged](VoIDragTarget* apTarget) { apTarget->Drop(apDragged); });
    return true;
}
