#include "container/VoVectorUInt.h"

#include "container/VoDebugString.h"

namespace {
bool CopyValue(std::uint32_t aItem, std::uint32_t* opCopy) {
    *opCopy = aItem;
    return true;
}
}  // namespace

VoVectorUInt::VoVectorUInt() : fCore() {}

VoVectorUInt::VoVectorUInt(int aCapacity, int aIncrement) : fCore(aCapacity, aIncrement) {}

VoVectorUInt::VoVectorUInt(const VoVectorUInt& aOther)
    : VoBase(), fCore(VoVectorCore<std::uint32_t>::NoArray()) {
    fCore.AssignFrom(aOther.fCore, CopyValue);
}

VoVectorUInt& VoVectorUInt::operator=(const VoVectorUInt& aOther) {
    fCore.AssignFrom(aOther.fCore, CopyValue);
    return *this;
}

VoVectorUInt::~VoVectorUInt() = default;

bool VoVectorUInt::Add(std::uint32_t aItem) {
    return fCore.Add(aItem);
}

bool VoVectorUInt::AddAt(int aIndex, std::uint32_t aItem) {
    return fCore.AddAt(aIndex, aItem);
}

bool VoVectorUInt::AddLast(std::uint32_t aItem) {
    return fCore.AddLast(aItem);
}

void VoVectorUInt::Clear() {
    fCore.Clear();
}

int VoVectorUInt::Find(std::uint32_t aItem) const {
    return fCore.FindIf([aItem](std::uint32_t aHeld) { return aHeld == aItem; });
}

bool VoVectorUInt::Contains(std::uint32_t aItem) const {
    return Find(aItem) != -1;
}

bool VoVectorUInt::GetAt(int aIndex, std::uint32_t* opItem) const {
    return fCore.GetInto(aIndex, opItem, false, VoVectorText::kInvalidArgument);
}

std::uint32_t VoVectorUInt::GetAt(int aIndex) const {
    return fCore.LoggedValueAt(aIndex);
}

bool VoVectorUInt::Grow(int aAmt) {
    return fCore.Grow(aAmt);
}

bool VoVectorUInt::Remove(std::uint32_t aItem) {
    const int index = Find(aItem);
    return index != -1 && fCore.RemoveAt(index, nullptr);
}

bool VoVectorUInt::RemoveAt(int aIndex, std::uint32_t* opItem) {
    return fCore.RemoveAt(aIndex, opItem);
}

bool VoVectorUInt::RemoveAll(std::uint32_t aItem) {
    return fCore.RemoveAllIf([aItem](std::uint32_t aHeld) { return aHeld == aItem; });
}

bool VoVectorUInt::SetAt(int aIndex, std::uint32_t aItem, std::uint32_t* opReplaced) {
    return fCore.SetAt(aIndex, aItem, opReplaced);
}

bool VoVectorUInt::SetCount(int aCount) {
    return fCore.SetCount(aCount);
}

bool VoVectorUInt::SetIncrement(int aIncrement) {
    return fCore.SetIncrement(aIncrement);
}

bool VoVectorUInt::ToArray(std::uint32_t** oppArray) const {
    return fCore.ToArray(oppArray, true, [](std::uint32_t aItem) { return aItem; });
}

bool VoVectorUInt::Compact() {
    return fCore.Compact();
}

VoString VoVectorUInt::ToString() const {
    return VoDebugString("VoVectorUInt", this);
}
