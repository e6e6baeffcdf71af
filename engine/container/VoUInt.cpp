#include "container/VoUInt.h"

#include "container/VoNumberText.h"

VoUInt::VoUInt(float aValue) : fValue(VoNumberText::TruncateToLow32(aValue)) {}

VoUInt::VoUInt(double aValue) : fValue(VoNumberText::TruncateToLow32(aValue)) {}

VoUInt::VoUInt(const VoString& aText) : fValue(VoNumberText::ParseUInt(aText)) {}

VoString VoUInt::ToString() const {
    VoString text(u"[VoUInt <");
    text.Append(static_cast<const void*>(this));
    text.Append(u"> value:");
    text.Append(fValue);
    text.Append(u"]");
    return text;
}
