#pragma once
// The record behind VoKeyListUIntElement and VoKeyListStringElement: a key,
// a value the element does not own, and the links of a doubly linked list.
// The element's own operations never touch the list's count, head or tail.
#include "container/VoLogSite.h"

template <typename Key, typename Self>
class VoKeyListElementCore {
public:
    using KeyType = Key;

    static constexpr const char* kInvalidArgument = "Invalid argument.";

    VoKeyListElementCore() : fKey(), fpValue(nullptr), fpNext(nullptr), fpPrev(nullptr) {}
    VoKeyListElementCore(const Key& aKey, void* apValue)
        : fKey(aKey), fpValue(apValue), fpNext(nullptr), fpPrev(nullptr) {}
    VoKeyListElementCore(const VoKeyListElementCore&) = delete;
    VoKeyListElementCore& operator=(const VoKeyListElementCore&) = delete;

    const Key& KeyRef() const { return fKey; }
    void* GetValue() const { return fpValue; }
    Self* GetNext() const { return fpNext; }
    Self* GetPrev() const { return fpPrev; }

    // Links apElement directly after this one.
    void InsertAfter(Self* apElement) {
        apElement->fpPrev = Me();
        apElement->fpNext = fpNext;
        if (fpNext != nullptr) {
            fpNext->fpPrev = apElement;
        }
        fpNext = apElement;
    }

    // Links apElement directly before this one.
    void InsertBefore(Self* apElement) {
        apElement->fpNext = Me();
        apElement->fpPrev = fpPrev;
        if (fpPrev != nullptr) {
            fpPrev->fpNext = apElement;
        }
        fpPrev = apElement;
    }

protected:
    ~VoKeyListElementCore() = default;

    // Joins the neighbours to each other, hands out the value and the key,
    // and deletes the element. A given value out-parameter that does not hold
    // null is refused (logged, nothing handed out, false), but the element is
    // still unlinked and deleted: the list has already let go of it.
    bool RemoveSelf(Key* opKey, void** oppValue, VoLogSite aSite) {
        if (fpPrev != nullptr) {
            fpPrev->fpNext = fpNext;
        }
        if (fpNext != nullptr) {
            fpNext->fpPrev = fpPrev;
        }
        fpPrev = nullptr;
        fpNext = nullptr;
        bool handedOut = true;
        if (oppValue != nullptr && *oppValue != nullptr) {
            aSite.Error(kInvalidArgument);
            handedOut = false;
        } else {
            if (oppValue != nullptr) {
                *oppValue = fpValue;
            }
            if (opKey != nullptr) {
                *opKey = fKey;
            }
        }
        delete Me();
        return handedOut;
    }

private:
    Self* Me() { return static_cast<Self*>(this); }

    Key fKey;
    void* fpValue;  // not owned
    Self* fpNext;   // not owned (the list owns its elements); null at the tail
    Self* fpPrev;   // not owned; null at the head
};
