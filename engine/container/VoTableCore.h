#pragma once
// The hash table behind VoTableUInt and VoTableString: a fixed number of
// slots, each a key list (VoKeyListUInt or VoKeyListString) searched
// linearly from its head. A key's slot is its slot code (the unsigned key,
// or a string's first unit) modulo the slot count; the table never rehashes.
// Equal keys are refused; values are never owned or deleted.
//
// Every operation that can log takes a VoLogSite, defaulted to the caller's
// location, so messages and allocations carry the table class's own source.
#include <cstdint>

#include "container/VoLogSite.h"
#include "container/VoOutSlot.h"
#include "container/VoVector.h"
#include "memory/VoNew.h"

struct VoTableText {
    static constexpr const char* kSlotOutOfBounds = "Slot index out of bounds: ";
    // The slot lists could not be made: the table has no slots and refuses every key.
    static constexpr const char* kAllocationFailure = "Allocation failure.";
    // Changing how keys compare would strand the keys already stored.
    static constexpr const char* kIgnoreCaseNotEmpty = "SetIgnoreCase failure. Table not empty.";
};

template <typename List, typename Element>
class VoTableCore {
public:
    using Key = typename Element::KeyType;

    static constexpr int kDefaultSlotCount = 10;

    explicit VoTableCore(int aSlotCount, VoLogSite aSite = VoLogSite::Here())
        : fSlots(ValidSlotCount(aSlotCount), kDefaultSlotCount) {
        const int slotCount = ValidSlotCount(aSlotCount);
        for (int i = 0; i < slotCount; ++i) {
            List* list = new (aSite.File(), aSite.Line()) List();
            if (list == nullptr || !fSlots.Add(list)) {
                delete list;
                aSite.Error(VoTableText::kAllocationFailure);
                DeleteSlots();
                return;
            }
        }
        fSlotCount = slotCount;
    }

    VoTableCore(const VoTableCore&) = delete;
    VoTableCore& operator=(const VoTableCore&) = delete;

    ~VoTableCore() {
        Clear();
        DeleteSlots();
    }

    int GetCount() const { return fCount; }
    bool GetIgnoreCase() const { return fIgnoreCase; }

    // Sets the flag on the table and on every slot list, so that lookups,
    // insertions and removals all compare the same way. Refused while keys
    // are stored: they sit in the slots the old rule chose.
    bool SetIgnoreCase(bool aIgnoreCase, VoLogSite aSite = VoLogSite::Here()) {
        if (aIgnoreCase == fIgnoreCase) {
            return true;
        }
        if (fCount > 0) {
            aSite.Error(VoTableText::kIgnoreCaseNotEmpty);
            return false;
        }
        fIgnoreCase = aIgnoreCase;
        for (int i = 0; i < fSlotCount; ++i) {
            Slot(i)->SetIgnoreCase(aIgnoreCase);
        }
        return true;
    }

    bool Add(const Key& aKey, void* apValue) {
        List* list = SlotFor(aKey);
        if (list == nullptr || list->ContainsKey(aKey) || !list->Add(aKey, apValue)) {
            return false;
        }
        ++fCount;
        return true;
    }

    bool Contains(const Key& aKey) const {
        const List* list = SlotFor(aKey);
        return list != nullptr && list->ContainsKey(aKey);
    }

    bool Get(const Key& aKey, void** oppValue, VoLogSite aSite = VoLogSite::Here()) const {
        if (!VoOutSlot::CheckEmpty(oppValue, aSite)) {
            return false;
        }
        const List* list = SlotFor(aKey);
        return list != nullptr && list->Get(aKey, oppValue);
    }

    bool Remove(const Key& aKey, void** oppValue, VoLogSite aSite = VoLogSite::Here()) {
        if (!VoOutSlot::CheckEmpty(oppValue, aSite)) {
            return false;
        }
        List* list = SlotFor(aKey);
        if (list == nullptr || !list->RemoveKey(aKey, oppValue)) {
            return false;
        }
        --fCount;
        return true;
    }

    void Clear() {
        for (int i = 0; i < fSlotCount; ++i) {
            Slot(i)->Clear();
        }
        fCount = 0;
    }

    // Slot 0's values in list order, then slot 1's, and so on.
    bool GetValues(void*** oppValues, VoLogSite aSite = VoLogSite::Here()) const {
        if (!VoOutSlot::NewArray(oppValues, fCount, aSite)) {
            return false;
        }
        void** out = *oppValues;
        for (int i = 0; i < fSlotCount; ++i) {
            Slot(i)->Core().CopyValuesTo(out);
            out += Slot(i)->GetCount();
        }
        return true;
    }

    // The keys in the order of GetValues.
    bool GetKeys(Key** oppKeys, VoLogSite aSite = VoLogSite::Here()) const {
        if (!VoOutSlot::NewArray(oppKeys, fCount, aSite)) {
            return false;
        }
        Key* out = *oppKeys;
        for (int i = 0; i < fSlotCount; ++i) {
            Slot(i)->Core().CopyKeysTo(out);
            out += Slot(i)->GetCount();
        }
        return true;
    }

    // The number of keys in aSlot; a bad slot logs and gives aBadSlotResult.
    int GetSlotCount(int aSlot, int aBadSlotResult, VoLogSite aSite = VoLogSite::Here()) const {
        if (!CheckSlot(aSlot, aSite)) {
            return aBadSlotResult;
        }
        return Slot(aSlot)->GetCount();
    }

    bool GetSlotValues(int aSlot, void*** oppValues, VoLogSite aSite = VoLogSite::Here()) const {
        return VoOutSlot::CheckEmpty(oppValues, aSite) && CheckSlot(aSlot, aSite) &&
               Slot(aSlot)->GetValues(oppValues);
    }

    bool GetSlotKeys(int aSlot, Key** oppKeys, VoLogSite aSite = VoLogSite::Here()) const {
        return VoOutSlot::CheckEmpty(oppKeys, aSite) && CheckSlot(aSlot, aSite) &&
               Slot(aSlot)->GetKeys(oppKeys);
    }

private:
    static int ValidSlotCount(int aSlotCount) { return aSlotCount < 1 ? kDefaultSlotCount : aSlotCount; }

    List* Slot(int aSlot) const { return static_cast<List*>(fSlots.GetAt(aSlot)); }

    List* SlotFor(const Key& aKey) const {
        if (fSlotCount < 1) {
            return nullptr;
        }
        return Slot(
            static_cast<int>(Element::SlotCode(aKey, fIgnoreCase) % static_cast<std::uint32_t>(fSlotCount)));
    }

    bool CheckSlot(int aSlot, VoLogSite aSite) const {
        if (aSlot < 0 || aSlot >= fSlotCount) {
            aSite.Error(VoTableText::kSlotOutOfBounds, aSlot);
            return false;
        }
        return true;
    }

    void DeleteSlots() {
        for (int i = 0; i < fSlots.GetCount(); ++i) {
            delete Slot(i);
        }
        fSlots.Clear();
        fSlotCount = 0;
    }

    bool fIgnoreCase = false;
    int fCount = 0;
    int fSlotCount = 0;  // fixed at construction; 0 only when the slot lists could not be made
    VoVector fSlots;     // the slot lists, owned
};
