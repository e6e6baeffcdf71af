#include "container/VoKeyListString.h"

#include "container/VoDebugString.h"

VoKeyListString::VoKeyListString() = default;

VoKeyListString::~VoKeyListString() = default;

bool VoKeyListString::AddAt(int aIndex, const VoString& aKey, void* apValue) {
    return fCore.AddAt(aIndex, aKey, apValue);
}

bool VoKeyListString::Add(const VoString& aKey, void* apValue) {
    return fCore.AddAt(fCore.GetCount(), aKey, apValue);
}

bool VoKeyListString::AddLast(const VoString& aKey, void* apValue) {
    return Add(aKey, apValue);
}

bool VoKeyListString::AddFirst(const VoString& aKey, void* apValue) {
    return fCore.AddAt(0, aKey, apValue);
}

void VoKeyListString::Clear() {
    fCore.Clear();
}

int VoKeyListString::IndexOfKey(const VoString& aKey) const {
    return fCore.IndexOfKey(aKey);
}

int VoKeyListString::IndexOfValue(const void* apValue) const {
    return fCore.IndexOfValue(apValue);
}

bool VoKeyListString::ContainsKey(const VoString& aKey) const {
    return IndexOfKey(aKey) != -1;
}

bool VoKeyListString::ContainsValue(const void* apValue) const {
    return IndexOfValue(apValue) != -1;
}

bool VoKeyListString::Get(const VoString& aKey, void** oppValue) const {
    return fCore.Get(aKey, oppValue);
}

bool VoKeyListString::GetAt(int aIndex, void** oppValue) const {
    return fCore.GetAt(aIndex, oppValue);
}

bool VoKeyListString::GetKeyAt(int aIndex, VoString* opKey) const {
    return fCore.GetKeyAt(aIndex, opKey);
}

bool VoKeyListString::GetFirst(VoString* opKey, void** oppValue) const {
    return fCore.GetEnd(false, opKey, oppValue);
}

bool VoKeyListString::GetLast(VoString* opKey, void** oppValue) const {
    return fCore.GetEnd(true, opKey, oppValue);
}

bool VoKeyListString::GetValues(void*** oppValues) const {
    return fCore.GetValues(oppValues);
}

bool VoKeyListString::GetKeys(VoString** oppKeys) const {
    return fCore.GetKeys(oppKeys);
}

bool VoKeyListString::RemoveAt(int aIndex, VoString* opKey, void** oppValue) {
    return fCore.RemoveAt(aIndex, opKey, oppValue);
}

bool VoKeyListString::RemoveFirst(VoString* opKey, void** oppValue) {
    return RemoveAt(0, opKey, oppValue);
}

bool VoKeyListString::RemoveLast(VoString* opKey, void** oppValue) {
    return RemoveAt(fCore.GetCount() - 1, opKey, oppValue);
}

bool VoKeyListString::RemoveKey(const VoString& aKey, void** oppValue) {
    return fCore.RemoveKey(aKey, oppValue);
}

bool VoKeyListString::RemoveValue(const void* apValue, VoString* opKey) {
    return fCore.RemoveValue(apValue, opKey);
}

bool VoKeyListString::RemoveAllWithKey(const VoString& aKey) {
    return fCore.RemoveAllWithKey(aKey);
}

bool VoKeyListString::RemoveAllWithValue(const void* apValue) {
    return fCore.RemoveAllWithValue(apValue);
}

VoString VoKeyListString::ToString() const {
    return VoDebugString("VoKeyListString", this);
}
