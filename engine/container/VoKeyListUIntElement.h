#pragma once
// One element of a VoKeyListUInt: a 32-bit unsigned key and a value that is
// not owned. A plain record: no virtual operations.
#include <cstdint>

#include "container/VoKeyListElementCore.h"

class VoKeyListUIntElement : public VoKeyListElementCore<std::uint32_t, VoKeyListUIntElement> {
public:
    // Key 0, null value and links.
    VoKeyListUIntElement() = default;
    VoKeyListUIntElement(std::uint32_t aKey, void* apValue);
    ~VoKeyListUIntElement() = default;

    std::uint32_t GetKey() const { return KeyRef(); }
    // Unlinks, hands out the value and key (each optional) and deletes the
    // element. A value out-parameter not holding null logs "Invalid argument."
    // and gets nothing, and the result is false; the element is deleted anyway.
    bool Remove(std::uint32_t* opKey, void** oppValue);

    static bool KeyEquals(std::uint32_t aHeld, std::uint32_t aKey, bool) { return aHeld == aKey; }
    // The number a table takes modulo its slot count.
    static std::uint32_t SlotCode(std::uint32_t aKey, bool) { return aKey; }
};
