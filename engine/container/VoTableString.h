#pragma once
// A hash table from string keys to values it does not own. The key's slot is
// its first unit (0 for the empty key, folded to lower case when case is
// ignored) modulo the slot count, fixed at construction; each slot is a
// VoKeyListString in insertion order holding its own copies of the keys.
// Equal keys are refused without a message.
#include "container/VoBase.h"
#include "container/VoKeyListString.h"
#include "container/VoString.h"
#include "container/VoTableCore.h"

class VoTableString : public VoBase {
public:
    // 10 slots.
    VoTableString();
    // A slot count below 1 is replaced by 10 without a message.
    explicit VoTableString(int aSlotCount);
    VoTableString(const VoTableString&) = delete;
    VoTableString& operator=(const VoTableString&) = delete;
    // Drops the values without deleting them.
    ~VoTableString() override;

    // Keys compare exactly until this is set. Set it while the table is
    // empty: a change is refused (logged, false) once keys are stored.
    bool SetIgnoreCase(bool aIgnoreCase);
    bool GetIgnoreCase() const { return fCore.GetIgnoreCase(); }
    // False, without a message, when an equal key is already stored.
    bool Add(const VoString& aKey, void* apValue);
    bool Contains(const VoString& aKey) const;
    // *oppValue must hold null; a missing key gives false.
    bool Get(const VoString& aKey, void** oppValue) const;
    // Hands the value out through *oppValue, which must hold null.
    bool Remove(const VoString& aKey, void** oppValue);
    void Clear();
    int GetCount() const { return fCore.GetCount(); }
    // New arrays (released with delete[]): slot 0 in list order, then slot 1, ...
    bool GetValues(void*** oppValues) const;
    bool GetKeys(VoString** oppKeys) const;
    // The keys in one slot; a bad slot logs "Slot index out of bounds: " and gives 0.
    int GetSlotCount(int aSlot) const;
    bool GetSlotValues(int aSlot, void*** oppValues) const;
    bool GetSlotKeys(int aSlot, VoString** oppKeys) const;
    VoString ToString() const override;

private:
    VoTableCore<VoKeyListString, VoKeyListStringElement> fCore;
};
