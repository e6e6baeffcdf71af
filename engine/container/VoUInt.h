#pragma once
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoString.h"

// A boxed 32-bit unsigned integer (see VoNumberText::ParseUInt for the text
// form); the registry and the object manager keep indices and handles as
// heap VoUInt items. Not serialisable.
class VoUInt : public VoBase {
public:
    VoUInt() : fValue(0) {}
    explicit VoUInt(unsigned char aValue) : fValue(aValue) {}
    explicit VoUInt(int aValue) : fValue(static_cast<std::uint32_t>(aValue)) {}
    explicit VoUInt(unsigned int aValue) : fValue(aValue) {}
    explicit VoUInt(float aValue);
    explicit VoUInt(double aValue);
    explicit VoUInt(const VoString& aText);
    VoUInt(const VoUInt& aOther) : VoBase(), fValue(aOther.fValue) {}
    VoUInt& operator=(const VoUInt& aOther) {
        fValue = aOther.fValue;
        return *this;
    }

    VoString ToString() const override;

    std::uint32_t fValue;
};
