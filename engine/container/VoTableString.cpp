#include "container/VoTableString.h"

#include "container/VoDebugString.h"

VoTableString::VoTableString()
    : fCore(VoTableCore<VoKeyListString, VoKeyListStringElement>::kDefaultSlotCount) {}

VoTableString::VoTableString(int aSlotCount) : fCore(aSlotCount) {}

VoTableString::~VoTableString() = default;

bool VoTableString::SetIgnoreCase(bool aIgnoreCase) {
    return fCore.SetIgnoreCase(aIgnoreCase);
}

bool VoTableString::Add(const VoString& aKey, void* apValue) {
    return fCore.Add(aKey, apValue);
}

bool VoTableString::Contains(const VoString& aKey) const {
    return fCore.Contains(aKey);
}

bool VoTableString::Get(const VoString& aKey, void** oppValue) const {
    return fCore.Get(aKey, oppValue);
}

bool VoTableString::Remove(const VoString& aKey, void** oppValue) {
    return fCore.Remove(aKey, oppValue);
}

void VoTableString::Clear() {
    fCore.Clear();
}

bool VoTableString::GetValues(void*** oppValues) const {
    return fCore.GetValues(oppValues);
}

bool VoTableString::GetKeys(VoString** oppKeys) const {
    return fCore.GetKeys(oppKeys);
}

int VoTableString::GetSlotCount(int aSlot) const {
    return fCore.GetSlotCount(aSlot, 0);
}

bool VoTableString::GetSlotValues(int aSlot, void*** oppValues) const {
    return fCore.GetSlotValues(aSlot, oppValues);
}

bool VoTableString::GetSlotKeys(int aSlot, VoString** oppKeys) const {
    return fCore.GetSlotKeys(aSlot, oppKeys);
}

VoString VoTableString::ToString() const {
    return VoDebugString("VoTableString", this);
}
