#include "stdlib/VoEndian.h"

#include <cstring>

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "stdlib/VoCleaner.h"

namespace {

VoCleanerSingleton<VoEndian> gInstance;

float KeepFloat(float aValue) { return aValue; }

float SwapFloat(float aValue) {
    unsigned char bytes[sizeof aValue];
    std::memcpy(bytes, &aValue, sizeof aValue);
    for (std::size_t i = 0; i < sizeof aValue / 2; ++i) {
        const unsigned char byte = bytes[i];
        bytes[i] = bytes[sizeof aValue - 1 - i];
        bytes[sizeof aValue - 1 - i] = byte;
    }
    std::memcpy(&aValue, bytes, sizeof aValue);
    return aValue;
}

std::int32_t KeepInt(std::int32_t aValue) { return aValue; }

std::int32_t SwapInt(std::int32_t aValue) {
    const std::uint32_t bits = static_cast<std::uint32_t>(aValue);
    return static_cast<std::int32_t>((bits >> 24) | ((bits >> 8) & 0xFF00u) | ((bits << 8) & 0xFF0000u) |
                                     (bits << 24));
}

std::int16_t KeepShort(std::int16_t aValue) { return aValue; }

std::int16_t SwapShort(std::int16_t aValue) {
    const std::uint16_t bits = static_cast<std::uint16_t>(aValue);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((bits >> 8) | (bits << 8)));
}

}  // namespace

VoEndian::VoEndian() {
    const std::uint16_t probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    fLittleEndian = first == 1;
    // The float conversions follow the machine's order like the integer ones.
    fpFloatToBigEndian = fLittleEndian ? SwapFloat : KeepFloat;
    fpFloatToLittleEndian = fLittleEndian ? KeepFloat : SwapFloat;
    fpIntToLittleEndian = fLittleEndian ? KeepInt : SwapInt;
    fpIntToBigEndian = fLittleEndian ? SwapInt : KeepInt;
    fpShortToLittleEndian = fLittleEndian ? KeepShort : SwapShort;
    fpShortToBigEndian = fLittleEndian ? SwapShort : KeepShort;
}

VoEndian::~VoEndian() = default;

VoEndian* VoEndian::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoEndian(); }, kCreationFailure);
}

VoString VoEndian::ToString() const { return VoDebugString("VoEndian", this); }
