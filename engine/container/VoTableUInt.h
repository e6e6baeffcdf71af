#pragma once
// A hash table from 32-bit unsigned keys to values it does not own. The key's
// slot is the key modulo the slot count, fixed at construction; each slot is
// a VoKeyListUInt in insertion order. Equal keys are refused without a message.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoKeyListUInt.h"
#include "container/VoTableCore.h"

class VoTableUInt : public VoBase {
public:
    // 10 slots.
    VoTableUInt();
    // A slot count below 1 is replaced by 10 without a message.
    explicit VoTableUInt(int aSlotCount);
    VoTableUInt(const VoTableUInt&) = delete;
    VoTableUInt& operator=(const VoTableUInt&) = delete;
    // Drops the values without deleting them.
    ~VoTableUInt() override;

    // False, without a message, when the key is already stored.
    bool Add(std::uint32_t aKey, void* apValue);
    bool Contains(std::uint32_t aKey) const;
    // *oppValue must hold null; a missing key gives false.
    bool Get(std::uint32_t aKey, void** oppValue) const;
    // Hands the value out through *oppValue, which must hold null.
    bool Remove(std::uint32_t aKey, void** oppValue);
    void Clear();
    int GetCount() const { return fCore.GetCount(); }
    // New arrays (released with delete[]): slot 0 in list order, then slot 1, ...
    bool GetValues(void*** oppValues) const;
    bool GetKeys(std::uint32_t** oppKeys) const;
    // The keys in one slot; a bad slot logs "Slot index out of bounds: " and gives -1.
    int GetSlotCount(int aSlot) const;
    bool GetSlotValues(int aSlot, void*** oppValues) const;
    bool GetSlotKeys(int aSlot, std::uint32_t** oppKeys) const;
    VoString ToString() const override;

private:
    VoTableCore<VoKeyListUInt, VoKeyListUIntElement> fCore;
};
