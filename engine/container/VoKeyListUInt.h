#pragma once
// A doubly linked list of (32-bit unsigned key, value) elements in insertion
// order; the slot list of VoTableUInt. Duplicate keys are allowed and searches
// find the first match from the head. Values are never owned or deleted.
//
// A pointer out-parameter is passed holding null. Required ones (Get, GetAt,
// GetValues, GetKeys) are refused with "Invalid argument." when missing or not
// null; optional ones (the removals, GetFirst, GetLast) may be null.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoKeyListCore.h"
#include "container/VoKeyListUIntElement.h"

class VoKeyListUInt : public VoBase {
public:
    VoKeyListUInt();
    VoKeyListUInt(const VoKeyListUInt&) = delete;
    VoKeyListUInt& operator=(const VoKeyListUInt&) = delete;
    ~VoKeyListUInt() override;

    // Inserts so that the new element stands at aIndex (0 .. count).
    bool AddAt(int aIndex, std::uint32_t aKey, void* apValue);
    bool Add(std::uint32_t aKey, void* apValue);
    bool AddLast(std::uint32_t aKey, void* apValue);
    bool AddFirst(std::uint32_t aKey, void* apValue);
    void Clear();
    int GetCount() const { return fCore.GetCount(); }
    int IndexOfKey(std::uint32_t aKey) const;
    int IndexOfValue(const void* apValue) const;
    bool ContainsKey(std::uint32_t aKey) const;
    bool ContainsValue(const void* apValue) const;
    // A missing key gives false and leaves *oppValue null.
    bool Get(std::uint32_t aKey, void** oppValue) const;
    // Out of range sets *oppValue to null and gives false.
    bool GetAt(int aIndex, void** oppValue) const;
    // Out of range sets *opKey to 0 and gives false; opKey is required.
    bool GetKeyAt(int aIndex, std::uint32_t* opKey) const;
    bool GetFirst(std::uint32_t* opKey = nullptr, void** oppValue = nullptr) const;
    bool GetLast(std::uint32_t* opKey = nullptr, void** oppValue = nullptr) const;
    // For walking with the elements' GetNext and GetPrev; null when empty.
    VoKeyListUIntElement* GetHead() const { return fCore.GetHead(); }
    VoKeyListUIntElement* GetTail() const { return fCore.GetTail(); }
    // New arrays in list order, released by the caller with delete[].
    bool GetValues(void*** oppValues) const;
    bool GetKeys(std::uint32_t** oppKeys) const;
    // Out of range sets each given out-parameter to 0 or null and gives false.
    // A value out-parameter not holding null gets nothing (logged), but the
    // element is removed and the result is true.
    bool RemoveAt(int aIndex, std::uint32_t* opKey = nullptr, void** oppValue = nullptr);
    bool RemoveFirst(std::uint32_t* opKey = nullptr, void** oppValue = nullptr);
    bool RemoveLast(std::uint32_t* opKey = nullptr, void** oppValue = nullptr);
    bool RemoveKey(std::uint32_t aKey, void** oppValue = nullptr);
    bool RemoveValue(const void* apValue);
    // True also when nothing matched.
    bool RemoveAllWithKey(std::uint32_t aKey);
    bool RemoveAllWithValue(const void* apValue);
    VoString ToString() const override;

    // The table's access to its slot lists.
    const VoKeyListCore<VoKeyListUIntElement>& Core() const { return fCore; }

private:
    VoKeyListCore<VoKeyListUIntElement> fCore;
};
