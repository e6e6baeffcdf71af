#pragma once
// A doubly linked list of (string key, value) elements in insertion order;
// the slot list of VoTableString. Each element holds its own copy of its key.
// Keys compare exactly, or ignoring case (A..Z folded onto a..z) once
// SetIgnoreCase(true). Duplicate keys are allowed and searches find the first
// match from the head. Values are never owned or deleted.
//
// A pointer out-parameter is passed holding null. Required ones (Get, GetAt,
// GetValues, GetKeys) are refused with "Invalid argument." when missing or not
// null; optional ones (the removals, GetFirst, GetLast) may be null.
#include "container/VoBase.h"
#include "container/VoKeyListCore.h"
#include "container/VoKeyListStringElement.h"
#include "container/VoString.h"

class VoKeyListString : public VoBase {
public:
    VoKeyListString();
    VoKeyListString(const VoKeyListString&) = delete;
    VoKeyListString& operator=(const VoKeyListString&) = delete;
    ~VoKeyListString() override;

    // Inserts a copy of aKey so that the new element stands at aIndex (0 .. count).
    bool AddAt(int aIndex, const VoString& aKey, void* apValue);
    bool Add(const VoString& aKey, void* apValue);
    bool AddLast(const VoString& aKey, void* apValue);
    bool AddFirst(const VoString& aKey, void* apValue);
    void Clear();
    int GetCount() const { return fCore.GetCount(); }
    int IndexOfKey(const VoString& aKey) const;
    int IndexOfValue(const void* apValue) const;
    bool ContainsKey(const VoString& aKey) const;
    bool ContainsValue(const void* apValue) const;
    // A missing key gives false and leaves *oppValue null.
    bool Get(const VoString& aKey, void** oppValue) const;
    // Out of range sets *oppValue to null and gives false.
    bool GetAt(int aIndex, void** oppValue) const;
    // Out of range sets *opKey to the empty text and gives false; opKey is required.
    bool GetKeyAt(int aIndex, VoString* opKey) const;
    bool GetFirst(VoString* opKey = nullptr, void** oppValue = nullptr) const;
    bool GetLast(VoString* opKey = nullptr, void** oppValue = nullptr) const;
    // For walking with the elements' GetNext and GetPrev; null when empty.
    VoKeyListStringElement* GetHead() const { return fCore.GetHead(); }
    VoKeyListStringElement* GetTail() const { return fCore.GetTail(); }
    // New arrays in list order, released by the caller with delete[].
    bool GetValues(void*** oppValues) const;
    bool GetKeys(VoString** oppKeys) const;
    // Out of range gives false and leaves the out-parameters untouched. A
    // value out-parameter not holding null gets nothing (logged), but the
    // element is removed and the result is true.
    bool RemoveAt(int aIndex, VoString* opKey = nullptr, void** oppValue = nullptr);
    bool RemoveFirst(VoString* opKey = nullptr, void** oppValue = nullptr);
    bool RemoveLast(VoString* opKey = nullptr, void** oppValue = nullptr);
    bool RemoveKey(const VoString& aKey, void** oppValue = nullptr);
    // Hands out the removed element's key when opKey is given.
    bool RemoveValue(const void* apValue, VoString* opKey = nullptr);
    // True also when nothing matched.
    bool RemoveAllWithKey(const VoString& aKey);
    bool RemoveAllWithValue(const void* apValue);
    void SetIgnoreCase(bool aIgnoreCase) { fCore.SetIgnoreCase(aIgnoreCase); }
    bool GetIgnoreCase() const { return fCore.GetIgnoreCase(); }
    VoString ToString() const override;

    // The table's access to its slot lists.
    const VoKeyListCore<VoKeyListStringElement>& Core() const { return fCore; }

private:
    VoKeyListCore<VoKeyListStringElement> fCore;
};
