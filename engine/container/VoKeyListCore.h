#pragma once
// The doubly linked list behind VoKeyListUInt and VoKeyListString: elements
// in insertion order, duplicate keys allowed, searches from the head. Values
// are never owned; the list owns its elements.
//
// Out-parameters that receive a pointer (a value or a new array) are passed
// holding null. Where one is required, a missing one or one not holding null
// is refused with "Invalid argument."; where it is optional (the removals,
// GetFirst, GetLast) null means the caller wants nothing back.
//
// Every operation that can log takes a VoLogSite, defaulted to the caller's
// location, so messages and allocations carry the list class's own source.
#include "container/VoLogSite.h"
#include "container/VoOutSlot.h"
#include "memory/VoNew.h"

template <typename Element>
class VoKeyListCore {
public:
    using Key = typename Element::KeyType;

    VoKeyListCore() = default;
    VoKeyListCore(const VoKeyListCore&) = delete;
    VoKeyListCore& operator=(const VoKeyListCore&) = delete;
    ~VoKeyListCore() { Clear(); }

    int GetCount() const { return fCount; }
    Element* GetHead() const { return fpHead; }
    Element* GetTail() const { return fpTail; }
    void SetIgnoreCase(bool aIgnoreCase) { fIgnoreCase = aIgnoreCase; }
    bool GetIgnoreCase() const { return fIgnoreCase; }

    // Inserts so that the new element stands at aIndex (0 .. count).
    bool AddAt(int aIndex, const Key& aKey, void* apValue, VoLogSite aSite = VoLogSite::Here()) {
        if (aIndex < 0 || aIndex > fCount) {
            return false;
        }
        Element* element = new (aSite.File(), aSite.Line()) Element(aKey, apValue);
        if (element == nullptr) {
            return false;
        }
        if (fCount == 0) {
            fpHead = element;
            fpTail = element;
        } else if (aIndex == 0) {
            fpHead->InsertBefore(element);
            fpHead = element;
        } else if (aIndex == fCount) {
            fpTail->InsertAfter(element);
            fpTail = element;
        } else {
            ElementAt(aIndex)->InsertBefore(element);
        }
        ++fCount;
        return true;
    }

    // Deletes every element, head to tail; values are not touched.
    void Clear() {
        Element* element = fpHead;
        fpHead = nullptr;
        fpTail = nullptr;
        fCount = 0;
        while (element != nullptr) {
            Element* next = element->GetNext();
            delete element;
            element = next;
        }
    }

    int IndexOfKey(const Key& aKey) const {
        return IndexOf([&](const Element* apElement) {
            return Element::KeyEquals(apElement->KeyRef(), aKey, fIgnoreCase);
        });
    }

    int IndexOfValue(const void* apValue) const {
        return IndexOf([apValue](const Element* apElement) { return apElement->GetValue() == apValue; });
    }

    // The element at aIndex, or null outside 0 .. count - 1.
    Element* ElementAt(int aIndex) const {
        if (aIndex < 0 || aIndex >= fCount) {
            return nullptr;
        }
        Element* element = fpHead;
        for (int i = 0; i < aIndex; ++i) {
            element = element->GetNext();
        }
        return element;
    }

    // The value of the first element with aKey; oppValue is required.
    bool Get(const Key& aKey, void** oppValue, VoLogSite aSite = VoLogSite::Here()) const {
        if (!VoOutSlot::CheckEmpty(oppValue, aSite)) {
            return false;
        }
        const Element* element = ElementAt(IndexOfKey(aKey));
        if (element == nullptr) {
            return false;
        }
        *oppValue = element->GetValue();
        return true;
    }

    // The value at aIndex; oppValue is required and is set to null out of range.
    bool GetAt(int aIndex, void** oppValue, VoLogSite aSite = VoLogSite::Here()) const {
        if (!VoOutSlot::CheckEmpty(oppValue, aSite)) {
            return false;
        }
        const Element* element = ElementAt(aIndex);
        *oppValue = element != nullptr ? element->GetValue() : nullptr;
        return element != nullptr;
    }

    // The key at aIndex; opKey is required and is reset to the empty key out of range.
    bool GetKeyAt(int aIndex, Key* opKey, VoLogSite aSite = VoLogSite::Here()) const {
        if (opKey == nullptr) {
            aSite.Error(VoOutSlot::kInvalidArgument);
            return false;
        }
        const Element* element = ElementAt(aIndex);
        *opKey = element != nullptr ? element->KeyRef() : Key();
        return element != nullptr;
    }

    // Key and value of the head or the tail, each optional. An empty list
    // sets a given value out-parameter to null; a value out-parameter not
    // holding null is refused after the key has been handed out.
    bool GetEnd(bool aTail, Key* opKey, void** oppValue, VoLogSite aSite = VoLogSite::Here()) const {
        const Element* element = aTail ? fpTail : fpHead;
        if (element == nullptr) {
            if (oppValue != nullptr) {
                *oppValue = nullptr;
            }
            return false;
        }
        if (opKey != nullptr) {
            *opKey = element->KeyRef();
        }
        if (oppValue != nullptr) {
            if (*oppValue != nullptr) {
                aSite.Error(VoOutSlot::kInvalidArgument);
                return false;
            }
            *oppValue = element->GetValue();
        }
        return true;
    }

    // A new array (released with delete[]) of the count values in list order.
    bool GetValues(void*** oppValues, VoLogSite aSite = VoLogSite::Here()) const {
        return VoOutSlot::NewArray(oppValues, fCount, aSite) && (CopyValuesTo(*oppValues), true);
    }

    // A new array (released with delete[]) of copies of the count keys in list order.
    bool GetKeys(Key** oppKeys, VoLogSite aSite = VoLogSite::Here()) const {
        return VoOutSlot::NewArray(oppKeys, fCount, aSite) && (CopyKeysTo(*oppKeys), true);
    }

    // Writes the values (keys) from apOut on; apOut holds at least count entries.
    void CopyValuesTo(void** apOut) const {
        for (const Element* element = fpHead; element != nullptr; element = element->GetNext()) {
            *apOut++ = element->GetValue();
        }
    }
    void CopyKeysTo(Key* apOut) const {
        for (const Element* element = fpHead; element != nullptr; element = element->GetNext()) {
            *apOut++ = element->KeyRef();
        }
    }

    // Removes the element at aIndex (0 .. count - 1) and hands out its key and
    // value through the element's Remove. The element leaves the list even
    // when Remove refuses a value out-parameter.
    bool RemoveAt(int aIndex, Key* opKey, void** oppValue) {
        if (aIndex < 0 || aIndex >= fCount) {
            return false;
        }
        Element* element;
        if (aIndex == 0) {
            element = fpHead;
            fpHead = element->GetNext();
            if (fpHead == nullptr) {
                fpTail = nullptr;
            }
        } else if (aIndex == fCount - 1) {
            element = fpTail;
            fpTail = element->GetPrev();
        } else {
            element = ElementAt(aIndex);
        }
        element->Remove(opKey, oppValue);
        --fCount;
        return true;
    }

    bool RemoveKey(const Key& aKey, void** oppValue) {
        const int index = IndexOfKey(aKey);
        return index != -1 && RemoveAt(index, nullptr, oppValue);
    }

    bool RemoveValue(const void* apValue, Key* opKey) {
        const int index = IndexOfValue(apValue);
        return index != -1 && RemoveAt(index, opKey, nullptr);
    }

    bool RemoveAllWithKey(const Key& aKey) {
        for (int index = IndexOfKey(aKey); index != -1; index = IndexOfKey(aKey)) {
            if (!RemoveAt(index, nullptr, nullptr)) {
                return false;
            }
        }
        return true;
    }

    bool RemoveAllWithValue(const void* apValue) {
        for (int index = IndexOfValue(apValue); index != -1; index = IndexOfValue(apValue)) {
            if (!RemoveAt(index, nullptr, nullptr)) {
                return false;
            }
        }
        return true;
    }

private:
    template <typename Match>
    int IndexOf(Match aMatch) const {
        int index = 0;
        for (const Element* element = fpHead; element != nullptr; element = element->GetNext(), ++index) {
            if (aMatch(element)) {
                return index;
            }
        }
        return -1;
    }

    int fCount = 0;
    Element* fpHead = nullptr;  // owned, with every element after it; null when empty
    Element* fpTail = nullptr;  // not owned (the last of the chain); null when empty
    bool fIgnoreCase = false;   // how string keys compare
};
