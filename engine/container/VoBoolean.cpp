#include "container/VoBoolean.h"

#include "stdlib/VoIStream.h"

VoBoolean::VoBoolean(const VoString& aText) : fValue(aText.EqualsNoCase(u"true")) {}

bool VoBoolean::Read(VoIStream* apStream) { return VoIStream::ReadValue(apStream, &fValue); }

bool VoBoolean::Write(VoIStream* apStream) { return VoIStream::WriteValue(apStream, fValue); }

VoString VoBoolean::ToString() const {
    VoString text(u"[VoBoolean <");
    text.Append(static_cast<const void*>(this));
    text.Append(u">]");
    return text;
}
