#include "container/VoVectorInt.h"

#include "container/VoDebugString.h"

namespace {
bool CopyValue(std::int32_t aItem, std::int32_t* opCopy) {
    *opCopy = aItem;
    return true;
}
}  // namespace

VoVectorInt::VoVectorInt() : fCore() {}

VoVectorInt::VoVectorInt(int aCapacity, int aIncrement) : fCore(aCapacity, aIncrement) {}

VoVectorInt::VoVectorInt(const VoVectorInt& aOther) : VoBase(), fCore(VoVectorCore<std::int32_t>::NoArray()) {
    fCore.AssignFrom(aOther.fCore, CopyValue);
}

VoVectorInt& VoVectorInt::operator=(const VoVectorInt& aOther) {
    fCore.AssignFrom(aOther.fCore, CopyValue);
    return *this;
}

VoVectorInt::~VoVectorInt() = default;

bool VoVectorInt::Add(std::int32_t aItem) {
    return fCore.Add(aItem);
}

bool VoVectorInt::AddAt(int aIndex, std::int32_t aItem) {
    return fCore.AddAt(aIndex, aItem);
}

bool VoVectorInt::AddLast(std::int32_t aItem) {
    return fCore.AddLast(aItem);
}

void VoVectorInt::Clear() {
    fCore.Clear();
}

int VoVectorInt::Find(std::int32_t aItem) const {
    return fCore.FindIf([aItem](std::int32_t aHeld) { return aHeld == aItem; });
}

bool VoVectorInt::Contains(std::int32_t aItem) const {
    return Find(aItem) != -1;
}

bool VoVectorInt::GetAt(int aIndex, std::int32_t* opItem) const {
    return fCore.GetInto(aIndex, opItem, false, VoVectorText::kInvalidArgument);
}

std::int32_t VoVectorInt::GetAt(int aIndex) const {
    return fCore.LoggedValueAt(aIndex);
}

bool VoVectorInt::Grow(int aAmt) {
    return fCore.Grow(aAmt);
}

bool VoVectorInt::Remove(std::int32_t aItem) {
    const int index = Find(aItem);
    return index != -1 && fCore.RemoveAt(index, nullptr);
}

bool VoVectorInt::RemoveAt(int aIndex, std::int32_t* opItem) {
    return fCore.RemoveAt(aIndex, opItem);
}

bool VoVectorInt::RemoveAll(std::int32_t aItem) {
    return fCore.RemoveAllIf([aItem](std::int32_t aHeld) { return aHeld == aItem; });
}

bool VoVectorInt::SetAt(int aIndex, std::int32_t aItem, std::int32_t* opReplaced) {
    return fCore.SetAt(aIndex, aItem, opReplaced);
}

bool VoVectorInt::SetCount(int aCount) {
    return fCore.SetCount(aCount);
}

bool VoVectorInt::SetIncrement(int aIncrement) {
    return fCore.SetIncrement(aIncrement);
}

bool VoVectorInt::ToArray(std::int32_t** oppArray) const {
    return fCore.ToArray(oppArray, true, [](std::int32_t aItem) { return aItem; });
}

bool VoVectorInt::Compact() {
    return fCore.Compact();
}

VoString VoVectorInt::ToString() const {
    return VoDebugString("VoVectorInt", this);
}
