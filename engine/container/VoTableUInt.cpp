#include "container/VoTableUInt.h"

#include "container/VoDebugString.h"

VoTableUInt::VoTableUInt() : fCore(VoTableCore<VoKeyListUInt, VoKeyListUIntElement>::kDefaultSlotCount) {}

VoTableUInt::VoTableUInt(int aSlotCount) : fCore(aSlotCount) {}

VoTableUInt::~VoTableUInt() = default;

bool VoTableUInt::Add(std::uint32_t aKey, void* apValue) {
    return fCore.Add(aKey, apValue);
}

bool VoTableUInt::Contains(std::uint32_t aKey) const {
    return fCore.Contains(aKey);
}

bool VoTableUInt::Get(std::uint32_t aKey, void** oppValue) const {
    return fCore.Get(aKey, oppValue);
}

bool VoTableUInt::Remove(std::uint32_t aKey, void** oppValue) {
    return fCore.Remove(aKey, oppValue);
}

void VoTableUInt::Clear() {
    fCore.Clear();
}

bool VoTableUInt::GetValues(void*** oppValues) const {
    return fCore.GetValues(oppValues);
}

bool VoTableUInt::GetKeys(std::uint32_t** oppKeys) const {
    return fCore.GetKeys(oppKeys);
}

int VoTableUInt::GetSlotCount(int aSlot) const {
    return fCore.GetSlotCount(aSlot, -1);
}

bool VoTableUInt::GetSlotValues(int aSlot, void*** oppValues) const {
    return fCore.GetSlotValues(aSlot, oppValues);
}

bool VoTableUInt::GetSlotKeys(int aSlot, std::uint32_t** oppKeys) const {
    return fCore.GetSlotKeys(aSlot, oppKeys);
}

VoString VoTableUInt::ToString() const {
    return VoDebugString("VoTableUInt", this);
}
