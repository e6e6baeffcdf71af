#include "container/VoBoolean.h"

#include "container/VoDebugString.h"
#include "stdlib/VoIStream.h"

VoBoolean::VoBoolean(const VoString& aText) : fValue(aText.EqualsNoCase(u"true")) {}

bool VoBoolean::Read(VoIStream* apStream) { return VoIStream::ReadValue(apStream, &fValue); }

bool VoBoolean::Write(VoIStream* apStream) { return VoIStream::WriteValue(apStream, fValue); }

VoString VoBoolean::ToString() const { return VoDebugString("VoBoolean", this); }
