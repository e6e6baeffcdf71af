#include "container/VoKeyListUInt.h"

#include "container/VoDebugString.h"

VoKeyListUInt::VoKeyListUInt() = default;

VoKeyListUInt::~VoKeyListUInt() = default;

bool VoKeyListUInt::AddAt(int aIndex, std::uint32_t aKey, void* apValue) {
    return fCore.AddAt(aIndex, aKey, apValue);
}

bool VoKeyListUInt::Add(std::uint32_t aKey, void* apValue) {
    return fCore.AddAt(fCore.GetCount(), aKey, apValue);
}

bool VoKeyListUInt::AddLast(std::uint32_t aKey, void* apValue) {
    return Add(aKey, apValue);
}

bool VoKeyListUInt::AddFirst(std::uint32_t aKey, void* apValue) {
    return fCore.AddAt(0, aKey, apValue);
}

void VoKeyListUInt::Clear() {
    fCore.Clear();
}

int VoKeyListUInt::IndexOfKey(std::uint32_t aKey) const {
    return fCore.IndexOfKey(aKey);
}

int VoKeyListUInt::IndexOfValue(const void* apValue) const {
    return fCore.IndexOfValue(apValue);
}

bool VoKeyListUInt::ContainsKey(std::uint32_t aKey) const {
    return IndexOfKey(aKey) != -1;
}

bool VoKeyListUInt::ContainsValue(const void* apValue) const {
    return IndexOfValue(apValue) != -1;
}

bool VoKeyListUInt::Get(std::uint32_t aKey, void** oppValue) const {
    return fCore.Get(aKey, oppValue);
}

bool VoKeyListUInt::GetAt(int aIndex, void** oppValue) const {
    return fCore.GetAt(aIndex, oppValue);
}

bool VoKeyListUInt::GetKeyAt(int aIndex, std::uint32_t* opKey) const {
    return fCore.GetKeyAt(aIndex, opKey);
}

bool VoKeyListUInt::GetFirst(std::uint32_t* opKey, void** oppValue) const {
    return fCore.GetEnd(false, opKey, oppValue);
}

bool VoKeyListUInt::GetLast(std::uint32_t* opKey, void** oppValue) const {
    return fCore.GetEnd(true, opKey, oppValue);
}

bool VoKeyListUInt::GetValues(void*** oppValues) const {
    return fCore.GetValues(oppValues);
}

bool VoKeyListUInt::GetKeys(std::uint32_t** oppKeys) const {
    return fCore.GetKeys(oppKeys);
}

bool VoKeyListUInt::RemoveAt(int aIndex, std::uint32_t* opKey, void** oppValue) {
    if (aIndex < 0 || aIndex >= fCore.GetCount()) {
        if (opKey != nullptr) {
            *opKey = 0;
        }
        if (oppValue != nullptr) {
            *oppValue = nullptr;
        }
        return false;
    }
    return fCore.RemoveAt(aIndex, opKey, oppValue);
}

bool VoKeyListUInt::RemoveFirst(std::uint32_t* opKey, void** oppValue) {
    return RemoveAt(0, opKey, oppValue);
}

bool VoKeyListUInt::RemoveLast(std::uint32_t* opKey, void** oppValue) {
    return RemoveAt(fCore.GetCount() - 1, opKey, oppValue);
}

bool VoKeyListUInt::RemoveKey(std::uint32_t aKey, void** oppValue) {
    return fCore.RemoveKey(aKey, oppValue);
}

bool VoKeyListUInt::RemoveValue(const void* apValue) {
    return fCore.RemoveValue(apValue, nullptr);
}

bool VoKeyListUInt::RemoveAllWithKey(std::uint32_t aKey) {
    return fCore.RemoveAllWithKey(aKey);
}

bool VoKeyListUInt::RemoveAllWithValue(const void* apValue) {
    return fCore.RemoveAllWithValue(apValue);
}

VoString VoKeyListUInt::ToString() const {
    return VoDebugString("VoKeyListUInt", this);
}
