#include "container/VoVectorFloat.h"

#include "container/VoDebugString.h"

namespace {
bool CopyValue(float aItem, float* opCopy) {
    *opCopy = aItem;
    return true;
}
}  // namespace

VoVectorFloat::VoVectorFloat() : fCore() {}

VoVectorFloat::VoVectorFloat(int aCapacity, int aIncrement) : fCore(aCapacity, aIncrement) {}

VoVectorFloat::VoVectorFloat(const VoVectorFloat& aOther) : VoBase(), fCore(VoVectorCore<float>::NoArray()) {
    fCore.AssignFrom(aOther.fCore, CopyValue);
}

VoVectorFloat& VoVectorFloat::operator=(const VoVectorFloat& aOther) {
    fCore.AssignFrom(aOther.fCore, CopyValue);
    return *this;
}

VoVectorFloat::~VoVectorFloat() = default;

bool VoVectorFloat::Add(float aItem) {
    return fCore.Add(aItem);
}

bool VoVectorFloat::AddAt(int aIndex, float aItem) {
    return fCore.AddAt(aIndex, aItem);
}

bool VoVectorFloat::AddLast(float aItem) {
    return fCore.AddLast(aItem);
}

bool VoVectorFloat::AddArray(const float* apArray, int aCount) {
    return fCore.AddArray(apArray, aCount, CopyValue);
}

void VoVectorFloat::Clear() {
    fCore.Clear();
}

int VoVectorFloat::Find(float aItem) const {
    return fCore.FindIf([aItem](float aHeld) { return aHeld == aItem; });
}

bool VoVectorFloat::Contains(float aItem) const {
    return Find(aItem) != -1;
}

bool VoVectorFloat::GetAt(int aIndex, float* opItem) const {
    return fCore.GetInto(aIndex, opItem, false, VoVectorText::kInvalidArgument);
}

float VoVectorFloat::GetAt(int aIndex) const {
    return fCore.LoggedValueAt(aIndex);
}

bool VoVectorFloat::Grow(int aAmt) {
    return fCore.Grow(aAmt);
}

bool VoVectorFloat::Remove(float aItem) {
    const int index = Find(aItem);
    return index != -1 && fCore.RemoveAt(index, nullptr);
}

bool VoVectorFloat::RemoveAt(int aIndex, float* opItem) {
    return fCore.RemoveAt(aIndex, opItem);
}

bool VoVectorFloat::RemoveAll(float aItem) {
    return fCore.RemoveAllIf([aItem](float aHeld) { return aHeld == aItem; });
}

bool VoVectorFloat::SetAt(int aIndex, float aItem, float* opReplaced) {
    return fCore.SetAt(aIndex, aItem, opReplaced);
}

bool VoVectorFloat::SetCount(int aCount) {
    return fCore.SetCount(aCount);
}

bool VoVectorFloat::SetIncrement(int aIncrement) {
    return fCore.SetIncrement(aIncrement);
}

bool VoVectorFloat::ToArray(float** oppArray) const {
    return fCore.ToArray(oppArray, true, [](float aItem) { return aItem; });
}

bool VoVectorFloat::Compact() {
    return fCore.Compact();
}

VoString VoVectorFloat::ToString() const {
    return VoDebugString("VoVectorFloat", this);
}
