#include "container/VoFloat.h"

#include "container/VoDebugString.h"
#include "container/VoNumberText.h"
#include "stdlib/VoIStream.h"

VoFloat::VoFloat(double aValue) : fValue(VoNumberText::RoundToFloat(aValue)) {}

VoFloat::VoFloat(const VoString& aText) : fValue(VoNumberText::ParseFloat(aText)) {}

bool VoFloat::Read(VoIStream* apStream) { return VoIStream::ReadValue(apStream, &fValue); }

bool VoFloat::Write(VoIStream* apStream) { return VoIStream::WriteValue(apStream, fValue); }

VoString VoFloat::ToString() const { return VoDebugString("VoFloat", this, " value:", fValue); }
