#pragma once
#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "container/VoString.h"

// A boxed flag. Only the text "true", in any letter case, is true: "1",
// "yes", " true" and "" are all false.
class VoBoolean : public VoBase, public VoISerializable {
public:
    explicit VoBoolean(const VoString& aText);
    VoBoolean(const VoBoolean& aOther) : VoBase(), VoISerializable(), fValue(aOther.fValue) {}
    VoBoolean& operator=(const VoBoolean& aOther) {
        fValue = aOther.fValue;
        return *this;
    }

    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;
    VoString ToString() const override;

    bool fValue;
};
