#include "container/VoInt.h"

#include "container/VoDebugString.h"
#include "container/VoNumberText.h"
#include "stdlib/VoIStream.h"

VoInt::VoInt(float aValue) : fValue(static_cast<std::int32_t>(VoNumberText::TruncateToLow32(aValue))) {}

VoInt::VoInt(double aValue) : fValue(static_cast<std::int32_t>(VoNumberText::TruncateToLow32(aValue))) {}

VoInt::VoInt(const VoString& aText) : fValue(VoNumberText::ParseInt(aText)) {}

bool VoInt::Read(VoIStream* apStream) { return VoIStream::ReadValue(apStream, &fValue); }

bool VoInt::Write(VoIStream* apStream) { return VoIStream::WriteValue(apStream, fValue); }

VoString VoInt::ToString() const { return VoDebugString("VoInt", this, " value:", fValue); }
