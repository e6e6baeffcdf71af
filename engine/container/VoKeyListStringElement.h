#pragma once
// One element of a VoKeyListString: its own copy of a string key and a value
// that is not owned. A plain record: no virtual operations.
#include <cstdint>

#include "container/VoKeyListElementCore.h"
#include "container/VoString.h"

class VoKeyListStringElement : public VoKeyListElementCore<VoString, VoKeyListStringElement> {
public:
    // The empty key, null value and links.
    VoKeyListStringElement() = default;
    VoKeyListStringElement(const VoString& aKey, void* apValue);
    ~VoKeyListStringElement() = default;

    // Copies the key into aKey.
    void GetKey(VoString& aKey) const { aKey = KeyRef(); }
    // Unlinks, hands out the value and key (each optional) and deletes the
    // element. A value out-parameter not holding null logs "Invalid argument."
    // and gets nothing, and the result is false; the element is deleted anyway.
    bool Remove(VoString* opKey, void** oppValue);

    static bool KeyEquals(const VoString& aHeld, const VoString& aKey, bool aIgnoreCase) {
        return aHeld.Equals(aKey, aIgnoreCase);
    }
    // The number a table takes modulo its slot count: the first unit (0 for
    // the empty key), with A..Z folded onto a..z when case is ignored, as the
    // case-insensitive comparison folds.
    static std::uint32_t SlotCode(const VoString& aKey, bool aIgnoreCase);
};
