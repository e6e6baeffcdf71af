#include "gdi/VoDisplayGroup.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoVectorString.h"
#include "gdi/VoRenderer.h"
#include "geometry/VoRectangle.h"

namespace {
constexpr int kHashShift = 7;
// Most groups hold a handful of members; the list grows as needed.
constexpr int kMemberCapacity = 10;
}  // namespace

VoDisplayGroup::VoDisplayGroup() : fMembers(kHashShift, false, kMemberCapacity), fIndexStale(false) {}

VoDisplayGroup::~VoDisplayGroup() {
    if (VoDisplayGroup* group = GetGroup()) {
        group->RemoveMember(this);
    }
    // In drawing order; each member leaves the list as it is deleted, and a
    // member's destructor may delete later ones itself.
    while (fMembers.GetCount() > 0) {
        const int count = fMembers.GetCount();
        delete static_cast<VoIDisplayObject*>(fMembers.GetAt(0));
        if (fMembers.GetCount() == count) {
            RemoveAt(0);
        }
    }
    fMembers.Clear();
}

VoString VoDisplayGroup::ToString() const {
    return VoDebugString("VoDisplayGroup", this);
}

void VoDisplayGroup::SortIfStale() {
    if (fIndexStale) {
        fMembers.Sort();
        fIndexStale = false;
    }
}

VoIDisplayObject* VoDisplayGroup::GetMemberAt(int aIndex) {
    if (aIndex < 0 || aIndex >= fMembers.GetCount()) {
        return nullptr;
    }
    return static_cast<VoIDisplayObject*>(fMembers.GetAt(aIndex));
}

int VoDisplayGroup::IndexOfMember(const VoIDisplayObject* apMember) {
    SortIfStale();
    const int index = fMembers.IndexOf(apMember->GetId());
    if (index >= 0 && fMembers.GetAt(index) == apMember) {
        return index;
    }
    // Its id may name another object, or none.
    for (int i = 0; i < fMembers.GetCount(); ++i) {
        if (fMembers.GetAt(i) == apMember) {
            return i;
        }
    }
    return -1;
}

bool VoDisplayGroup::RemoveAt(int aIndex) {
    VoString key;
    return fMembers.GetKeyAt(aIndex, key) && fMembers.Remove(key, nullptr);
}

bool VoDisplayGroup::Insert(const VoString& aId, VoIDisplayObject* apMember, bool aCheckDuplicates) {
    if (aCheckDuplicates) {
        SortIfStale();
    }
    const int count = fMembers.GetCount();
    int index = count;
    for (int i = 0; i < count; ++i) {
        if (static_cast<VoIDisplayObject*>(fMembers.GetAt(i))->GetRelativeZ() > apMember->GetRelativeZ()) {
            index = i;
            break;
        }
    }
    if (index < count) {
        fMembers.AddAt(index, aId, apMember, aCheckDuplicates);
    } else {
        fMembers.Add(aId, apMember, aCheckDuplicates);
    }
    if (!aCheckDuplicates) {
        fIndexStale = true;
    }
    // The hash of a stored key may be 0: the count tells.
    return fMembers.GetCount() == count + 1;
}

bool VoDisplayGroup::AddMember(VoIDisplayObject* apMember, bool aCheckDuplicates) {
    if (apMember == nullptr) {
        VO_ERROR(kAddNull);
        return false;
    }
    const VoString& id = apMember->GetId();
    if (id.GetLength() == 0) {
        VO_ERROR(kAddNoId);
        return false;
    }
    SortIfStale();
    if (fMembers.IndexOf(id) >= 0) {
        VO_ERROR(kAddDuplicate, id);
        return false;
    }
    // Linked first, so a member of another group (or one holding this group)
    // never enters the list.
    if (!apMember->SetGroup(this)) {
        return false;
    }
    if (!Insert(id, apMember, aCheckDuplicates)) {
        VO_ASSERT_FAILURE(kAddRefused);
        apMember->LeaveGroup();
        return false;
    }
    return true;
}

bool VoDisplayGroup::RemoveMember(VoIDisplayObject* apMember) {
    if (apMember == nullptr) {
        VO_ERROR(kRemoveNull);
        return false;
    }
    const int index = IndexOfMember(apMember);
    if (index < 0 || !RemoveAt(index)) {
        VO_ERROR(kRemoveNotFound, apMember->GetId());
        return false;
    }
    apMember->LeaveGroup();
    return true;
}

bool VoDisplayGroup::RemoveMember(const VoString& aId, VoIDisplayObject** appMember) {
    SortIfStale();
    void* item = nullptr;
    if (!fMembers.Remove(aId, &item) || item == nullptr) {
        VO_ERROR(kRemoveNotFound, aId);
        return false;
    }
    VoIDisplayObject* member = static_cast<VoIDisplayObject*>(item);
    member->LeaveGroup();
    if (appMember != nullptr) {
        *appMember = member;
    }
    return true;
}

bool VoDisplayGroup::RekeyMember(VoIDisplayObject* apMember, const VoString& aId) {
    SortIfStale();
    if (fMembers.IndexOf(aId) >= 0) {
        VO_ERROR(kSetIdDuplicate, aId);
        return false;
    }
    const int index = IndexOfMember(apMember);
    if (index < 0 || !RemoveAt(index)) {
        VO_ERROR(kRemoveNotFound, apMember->GetId());
        return false;
    }
    if (index < fMembers.GetCount()) {
        fMembers.AddAt(index, aId, apMember, true);
    } else {
        fMembers.Add(aId, apMember, true);
    }
    if (IndexOfMember(apMember) < 0) {
        // Could not be filed again: the object is on its own from here on.
        VO_ASSERT_FAILURE(kAddRefused);
        apMember->LeaveGroup();
    }
    return true;
}

bool VoDisplayGroup::FindMember(const VoString& aPath, VoIDisplayObject*& aOut) {
    VoVectorString parts;
    aPath.Split(VoString(u"."), &parts);
    const int count = parts.GetCount();
    if (count == 0) {
        return false;
    }
    VoDisplayGroup* group = this;
    for (int i = 0; i < count; ++i) {
        group->SortIfStale();
        VoIDisplayObject* found = static_cast<VoIDisplayObject*>(group->fMembers.Get(parts.GetAt(i)));
        if (found == nullptr) {
            return false;
        }
        if (i == count - 1) {
            aOut = found;
            return true;
        }
        group = dynamic_cast<VoDisplayGroup*>(found);
        if (group == nullptr) {
            return false;
        }
    }
    return false;
}

VoIDisplayObject* VoDisplayGroup::GetMember(const VoString& aPath) {
    VoIDisplayObject* member = nullptr;
    return FindMember(aPath, member) ? member : nullptr;
}

bool VoDisplayGroup::ReorderMember(const VoString& aId, float aZ) {
    SortIfStale();
    const int index = fMembers.IndexOf(aId);
    if (index < 0) {
        VO_ERROR(kRemoveNotFound, aId);
        return false;
    }
    VoIDisplayObject* member = static_cast<VoIDisplayObject*>(fMembers.GetAt(index));
    if (!RemoveAt(index)) {
        VO_ERROR(kRemoveNotFound, aId);
        return false;
    }
    member->StoreRelativeZ(aZ);
    if (!Insert(aId, member, true)) {
        VO_ASSERT_FAILURE(kAddRefused);
        member->LeaveGroup();
        return false;
    }
    return true;
}

bool VoDisplayGroup::SortMembers() {
    fMembers.Sort();
    fIndexStale = false;
    return true;
}

bool VoDisplayGroup::SetRelativeZ(float aZ) {
    bool result = VoIDisplayObject::SetRelativeZ(aZ);
    if (VoDisplayGroup* group = GetGroup()) {
        result = group->ReorderMember(GetId(), aZ) && result;
    }
    return result;
}

bool VoDisplayGroup::Render(VoRenderer* apRenderer) {
    if (apRenderer == nullptr) {
        VO_ERROR(kRenderNull);
        return false;
    }
    // Its own values only: the members validate themselves as they render.
    VoIDisplayObject::Validate();
    if (!GetEffectiveActive() || !GetEffectiveVisible()) {
        return true;
    }
    VoRectangle* clip = PeekWorldRectangle();
    VoRectangle* previous = nullptr;
    if (clip != nullptr) {
        previous = apRenderer->GetViewRectangle();
        apRenderer->SetViewRectangle(clip);
    }
    bool result = true;
    for (int i = 0; i < fMembers.GetCount(); ++i) {
        result = static_cast<VoIDisplayObject*>(fMembers.GetAt(i))->Render(apRenderer) && result;
    }
    if (clip != nullptr) {
        apRenderer->SetViewRectangle(previous);
    }
    return result;
}

#define VO_FORWARD_TO_MEMBERS(Operation)                                    \
    void VoDisplayGroup::Operation() {                                      \
        VoIDisplayObject::Operation();                                      \
        for (int i = 0; i < fMembers.GetCount(); ++i) {                     \
            static_cast<VoIDisplayObject*>(fMembers.GetAt(i))->Operation(); \
        }                                                                   \
    }

VO_FORWARD_TO_MEMBERS(InvalidateActive)
VO_FORWARD_TO_MEMBERS(InvalidateBlend)
VO_FORWARD_TO_MEMBERS(InvalidateEnabled)
VO_FORWARD_TO_MEMBERS(InvalidateRotation)
VO_FORWARD_TO_MEMBERS(InvalidateScale)
VO_FORWARD_TO_MEMBERS(InvalidateVisible)
VO_FORWARD_TO_MEMBERS(InvalidateWorldTransform)
VO_FORWARD_TO_MEMBERS(Validate)

#undef VO_FORWARD_TO_MEMBERS

void VoDisplayGroup::InvalidateTransform() {
    VoIDisplayObject::InvalidateTransform();
    // The members' own local transforms are unchanged; their world ones follow ours.
    for (int i = 0; i < fMembers.GetCount(); ++i) {
        static_cast<VoIDisplayObject*>(fMembers.GetAt(i))->InvalidateWorldTransform();
    }
}

bool VoDisplayGroup::Read(VoIStream* /*apStream*/) {
    VO_ERROR(kNYI);
    return false;
}

bool VoDisplayGroup::Write(VoIStream* /*apStream*/) {
    VO_ERROR(kNYI);
    return false;
}
