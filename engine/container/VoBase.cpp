#include "container/VoBase.h"

#include "container/VoString.h"

VoBase::~VoBase() = default;

VoString VoBase::ToString() const {
    VoString text("[VoBase <");
    text.Append(static_cast<const void*>(this));
    text.Append(">]");
    return text;
}
