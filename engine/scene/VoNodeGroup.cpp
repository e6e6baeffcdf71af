#include "scene/VoNodeGroup.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "scene/VoNodeManager.h"

VoNodeGroup::VoNodeGroup() : fMembers(kHashShift, false, 10) {}

VoNodeGroup::~VoNodeGroup() {
    // Only the group filed under this id is this one's to take out: another
    // group of the same id stays registered.
    VoNodeManager* manager = VoNodeManager::PeekInstance();
    if (manager != nullptr && GetNodeId().GetLength() > 0 && manager->GetGroup(GetNodeId()) == this) {
        VoNodeGroup* removed = nullptr;
        manager->RemoveGroup(GetNodeId(), &removed);
    }
}

VoString VoNodeGroup::ToString() const {
    return VoDebugString("VoNodeGroup", this);
}

bool VoNodeGroup::AddMember(VoINodeObject* apMember) {
    if (apMember == nullptr) {
        VO_ERROR(kAddMemberNull);
        return false;
    }
    const VoString& id = apMember->GetNodeId();
    if (id.GetLength() == 0) {
        VO_ERROR(kAddMemberNoId);
        return false;
    }
    if (fMembers.Get(id) != nullptr) {
        VO_ERROR(kAddMemberDuplicate, id);
        return false;
    }
    // A key may hash to 0, the refusal value: the count tells whether it was filed.
    const int before = fMembers.GetCount();
    fMembers.Add(id, apMember, true);
    return fMembers.GetCount() == before + 1;
}

VoINodeObject* VoNodeGroup::GetMember(const VoString& aId) {
    return static_cast<VoINodeObject*>(fMembers.Get(aId));
}

bool VoNodeGroup::RemoveMember(const VoString& aId, VoINodeObject** appOut) {
    if (appOut == nullptr || *appOut != nullptr) {
        VO_ERROR(kInvalidArg);
        return false;
    }
    if (fMembers.Get(aId) == nullptr) {
        return true;
    }
    void* item = nullptr;
    const bool removed = fMembers.Remove(aId, &item);
    *appOut = static_cast<VoINodeObject*>(item);
    return removed;
}

bool VoNodeGroup::Render() {
    const int count = fMembers.GetCount();
    if (count == 0) {
        return true;
    }
    void** members = nullptr;
    if (!fMembers.GetItems(&members)) {
        return false;
    }
    bool rendered = true;
    for (int i = 0; i < count; ++i) {
        rendered = static_cast<VoINodeObject*>(members[i])->Render() && rendered;
    }
    delete[] members;
    return rendered;
}

bool VoNodeGroup::InvalidateTransform() {
    const int count = fMembers.GetCount();
    if (count == 0) {
        return true;
    }
    void** members = nullptr;
    if (!fMembers.GetItems(&members)) {
        return false;
    }
    bool invalidated = true;
    for (int i = 0; i < count; ++i) {
        invalidated = static_cast<VoINodeObject*>(members[i])->InvalidateTransform() && invalidated;
    }
    delete[] members;
    return invalidated;
}
