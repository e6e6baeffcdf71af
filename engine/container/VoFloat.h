#pragma once
#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "container/VoString.h"

// A boxed float: turns text into a number (see VoNumberText::ParseFloat) and
// can be held and deleted by the containers as a VoBase.
class VoFloat : public VoBase, public VoISerializable {
public:
    VoFloat() : fValue(0.0f) {}
    explicit VoFloat(unsigned char aValue) : fValue(aValue) {}
    explicit VoFloat(int aValue) : fValue(static_cast<float>(aValue)) {}
    explicit VoFloat(unsigned int aValue) : fValue(static_cast<float>(aValue)) {}
    explicit VoFloat(float aValue) : fValue(aValue) {}
    explicit VoFloat(double aValue);
    explicit VoFloat(const VoString& aText);
    VoFloat(const VoFloat& aOther) : VoBase(), VoISerializable(), fValue(aOther.fValue) {}
    VoFloat& operator=(const VoFloat& aOther) {
        fValue = aOther.fValue;
        return *this;
    }

    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;
    VoString ToString() const override;

    float fValue;
};
