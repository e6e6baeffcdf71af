#pragma once
#include <cstdint>

#include "container/VoBase.h"

// Byte-order conversions, chosen once for the machine. The streams do not
// use it (they encode little-endian themselves); callers convert through the
// function pointers. A singleton owned by the engine's cleaner.
class VoEndian : public VoBase {
public:
    static constexpr const char* kCreationFailure = "VoEndian creation failure.";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoEndian* GetInstance();
    ~VoEndian() override;

    bool IsLittleEndian() const { return fLittleEndian; }
    VoString ToString() const override;

    float (*fpFloatToBigEndian)(float);
    float (*fpFloatToLittleEndian)(float);
    std::int32_t (*fpIntToLittleEndian)(std::int32_t);
    std::int32_t (*fpIntToBigEndian)(std::int32_t);
    std::int16_t (*fpShortToLittleEndian)(std::int16_t);
    std::int16_t (*fpShortToBigEndian)(std::int16_t);

private:
    VoEndian();

    bool fLittleEndian;
};
