#include "container/VoFloat.h"

#include <cfloat>
#include <cmath>

#include "container/VoDebugString.h"
#include "container/VoNumberText.h"
#include "stdlib/VoIStream.h"

VoFloat::VoFloat(double aValue) {
    // Beyond the float range the conversion is undefined; infinity is what
    // the hardware rounding gives.
    if (aValue > static_cast<double>(FLT_MAX)) {
        fValue = HUGE_VALF;
    } else if (aValue < -static_cast<double>(FLT_MAX)) {
        fValue = -HUGE_VALF;
    } else {
        fValue = static_cast<float>(aValue);
    }
}

VoFloat::VoFloat(const VoString& aText) : fValue(VoNumberText::ParseFloat(aText)) {}

bool VoFloat::Read(VoIStream* apStream) { return VoIStream::ReadValue(apStream, &fValue); }

bool VoFloat::Write(VoIStream* apStream) { return VoIStream::WriteValue(apStream, fValue); }

VoString VoFloat::ToString() const { return VoDebugString("VoFloat", this, " value:", fValue); }
