#include "scene/VoNodeManager.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "scene/VoNodeGroup.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoNodeManager> gInstance;
}  // namespace

VoNodeManager* VoNodeManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoNodeManager(); }, kCreationFailure);
}

VoNodeManager* VoNodeManager::PeekInstance() {
    return gInstance.Peek();
}

VoNodeManager::VoNodeManager() : fGroups(kHashShift, false, 10) {}

VoNodeManager::~VoNodeManager() = default;

VoString VoNodeManager::ToString() const {
    return VoDebugString("VoNodeManager", this);
}

bool VoNodeManager::AddGroup(VoNodeGroup* apGroup) {
    if (apGroup == nullptr) {
        VO_ERROR(kAddGroupNull);
        return false;
    }
    const VoString& id = apGroup->GetNodeId();
    if (id.GetLength() == 0) {
        VO_ERROR(kAddGroupNoId);
        return false;
    }
    if (fGroups.Get(id) != nullptr) {
        VO_ERROR(kAddGroupDuplicate, id);
        return false;
    }
    // A key may hash to 0, the refusal value: the count tells whether it was filed.
    const int before = fGroups.GetCount();
    fGroups.Add(id, apGroup, true);
    return fGroups.GetCount() == before + 1;
}

VoNodeGroup* VoNodeManager::GetGroup(const VoString& aId) {
    return static_cast<VoNodeGroup*>(fGroups.Get(aId));
}

bool VoNodeManager::RemoveGroup(const VoString& aId, VoNodeGroup** appOut) {
    if (appOut == nullptr || *appOut != nullptr) {
        VO_ERROR(kInvalidArg);
        return false;
    }
    if (fGroups.Get(aId) == nullptr) {
        return true;
    }
    void* item = nullptr;
    const bool removed = fGroups.Remove(aId, &item);
    *appOut = static_cast<VoNodeGroup*>(item);
    return removed;
}

bool VoNodeManager::Render() {
    bool rendered = true;
    for (int i = 0; i < fGroups.GetCount(); ++i) {
        auto* group = static_cast<VoNodeGroup*>(fGroups.GetAt(i));
        rendered = (group != nullptr && group->Render()) && rendered;
    }
    return rendered;
}
