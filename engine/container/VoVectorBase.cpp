#include "container/VoVectorBase.h"

#include "container/VoDebugString.h"

VoVectorBase::VoVectorBase() : fCore() {}

VoVectorBase::VoVectorBase(int aCapacity, int aIncrement) : fCore(aCapacity, aIncrement) {}

VoVectorBase::~VoVectorBase() = default;

bool VoVectorBase::Add(VoBase* apItem) {
    return fCore.Add(apItem);
}

bool VoVectorBase::AddAt(int aIndex, VoBase* apItem) {
    return fCore.AddAt(aIndex, apItem);
}

bool VoVectorBase::AddLast(VoBase* apItem) {
    return fCore.AddLast(apItem);
}

void VoVectorBase::Clear() {
    fCore.Clear();
}

int VoVectorBase::Find(const VoBase* apItem) const {
    return fCore.FindIf([apItem](const VoBase* apHeld) { return apHeld == apItem; });
}

bool VoVectorBase::Contains(const VoBase* apItem) const {
    return Find(apItem) != -1;
}

bool VoVectorBase::GetAt(int aIndex, VoBase** oppItem) const {
    return fCore.GetInto(aIndex, oppItem, false, VoVectorText::kNullItemSlot);
}

VoBase* VoVectorBase::GetAt(int aIndex) const {
    if (!fCore.InRange(aIndex)) {
        VO_ERROR(VoVectorText::kIndexOutOfBoundsAt, aIndex);
        return nullptr;
    }
    return fCore.At(aIndex);
}

bool VoVectorBase::Grow(int aAmt) {
    return fCore.Grow(aAmt);
}

bool VoVectorBase::Remove(const VoBase* apItem) {
    const int index = Find(apItem);
    return index != -1 && fCore.RemoveAt(index, nullptr);
}

bool VoVectorBase::RemoveAt(int aIndex, VoBase** oppItem) {
    return fCore.RemoveAt(aIndex, oppItem);
}

bool VoVectorBase::RemoveAll(const VoBase* apItem) {
    return fCore.RemoveAllIf([apItem](const VoBase* apHeld) { return apHeld == apItem; });
}

bool VoVectorBase::SetAt(int aIndex, VoBase* apItem, VoBase** oppReplaced) {
    if (!fCore.InRange(aIndex)) {
        VO_ERROR(VoVectorText::kIndexOutOfBounds);
        return false;
    }
    VoBase* replaced = fCore.At(aIndex);
    fCore.At(aIndex) = apItem;
    if (replaced == apItem) {
        replaced = nullptr;
    }
    if (oppReplaced != nullptr) {
        *oppReplaced = replaced;
    } else {
        // The vector owned it and nobody takes it back.
        delete replaced;
    }
    return true;
}

bool VoVectorBase::SetCount(int aCount) {
    return fCore.SetCount(aCount);
}

bool VoVectorBase::SetIncrement(int aIncrement) {
    return fCore.SetIncrement(aIncrement);
}

bool VoVectorBase::ToArray(VoBase*** oppArray) const {
    return fCore.ToArray(oppArray, false, [](VoBase* apItem) { return apItem; });
}

bool VoVectorBase::Compact() {
    return fCore.Compact();
}

VoString VoVectorBase::ToString() const {
    return VoDebugString("VoVectorBase", this);
}
