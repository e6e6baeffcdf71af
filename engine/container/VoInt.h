#pragma once
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "container/VoString.h"

// A boxed 32-bit signed integer (see VoNumberText::ParseInt for the text
// form). Conversions from float truncate toward zero through 64 bits and keep
// the low 32.
class VoInt : public VoBase, public VoISerializable {
public:
    VoInt() : fValue(0) {}
    explicit VoInt(unsigned char aValue) : fValue(aValue) {}
    explicit VoInt(int aValue) : fValue(aValue) {}
    explicit VoInt(float aValue);
    explicit VoInt(double aValue);
    explicit VoInt(const VoString& aText);
    VoInt(const VoInt& aOther) : VoBase(), VoISerializable(), fValue(aOther.fValue) {}
    VoInt& operator=(const VoInt& aOther) {
        fValue = aOther.fValue;
        return *this;
    }

    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;
    VoString ToString() const override;

    std::int32_t fValue;
};
