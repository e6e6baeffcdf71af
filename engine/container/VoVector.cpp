#include "container/VoVector.h"

#include "container/VoDebugString.h"

VoVector::VoVector() : fCore() {}

VoVector::VoVector(int aCapacity, int aIncrement) : fCore(aCapacity, aIncrement) {}

VoVector::~VoVector() = default;

bool VoVector::Add(void* apItem) {
    return fCore.Add(apItem);
}

bool VoVector::AddAt(int aIndex, void* apItem) {
    return fCore.AddAt(aIndex, apItem);
}

bool VoVector::AddLast(void* apItem) {
    return fCore.AddLast(apItem);
}

void VoVector::Clear() {
    fCore.Clear();
}

int VoVector::Find(const void* apItem) const {
    return fCore.FindIf([apItem](const void* apHeld) { return apHeld == apItem; });
}

bool VoVector::Contains(const void* apItem) const {
    return Find(apItem) != -1;
}

bool VoVector::GetAt(int aIndex, void** oppItem) const {
    return fCore.GetInto(aIndex, oppItem, true, VoVectorText::kInvalidArgument);
}

bool VoVector::Grow(int aAmt) {
    return fCore.Grow(aAmt);
}

bool VoVector::Remove(const void* apItem) {
    const int index = Find(apItem);
    return index != -1 && fCore.RemoveAt(index, nullptr);
}

bool VoVector::RemoveAt(int aIndex, void** oppItem) {
    return fCore.RemoveAt(aIndex, oppItem);
}

bool VoVector::RemoveAll(const void* apItem) {
    return fCore.RemoveAllIf([apItem](const void* apHeld) { return apHeld == apItem; });
}

bool VoVector::SetArray(void* const* apArray, int aSize) {
    return fCore.SetArray(apArray, aSize);
}

bool VoVector::SetAt(int aIndex, void* apItem, void** oppReplaced) {
    return fCore.SetAt(aIndex, apItem, oppReplaced);
}

bool VoVector::SetCount(int aCount) {
    return fCore.SetCount(aCount);
}

bool VoVector::SetIncrement(int aIncrement) {
    return fCore.SetIncrement(aIncrement);
}

bool VoVector::ToArray(void*** oppArray) const {
    return fCore.ToArray(oppArray, true, [](void* apItem) { return apItem; });
}

bool VoVector::Compact() {
    return fCore.Compact();
}

VoString VoVector::ToString() const {
    return VoDebugString("VoVector", this);
}
