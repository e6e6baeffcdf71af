#include "container/VoUInt.h"

#include "container/VoDebugString.h"
#include "container/VoNumberText.h"

VoUInt::VoUInt(float aValue) : fValue(VoNumberText::TruncateToLow32(aValue)) {}

VoUInt::VoUInt(double aValue) : fValue(VoNumberText::TruncateToLow32(aValue)) {}

VoUInt::VoUInt(const VoString& aText) : fValue(VoNumberText::ParseUInt(aText)) {}

VoString VoUInt::ToString() const { return VoDebugString("VoUInt", this, " value:", fValue); }
