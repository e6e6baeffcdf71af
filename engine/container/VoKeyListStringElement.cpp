#include "container/VoKeyListStringElement.h"

VoKeyListStringElement::VoKeyListStringElement(const VoString& aKey, void* apValue)
    : VoKeyListElementCore(aKey, apValue) {}

bool VoKeyListStringElement::Remove(VoString* opKey, void** oppValue) {
    return RemoveSelf(opKey, oppValue, VoLogSite::Here());
}

std::uint32_t VoKeyListStringElement::SlotCode(const VoString& aKey, bool aIgnoreCase) {
    char16_t unit = aKey.GetLength() > 0 ? aKey.GetChars()[0] : 0;
    if (aIgnoreCase && unit >= u'A' && unit <= u'Z') {
        unit = static_cast<char16_t>(unit - u'A' + u'a');
    }
    return unit;
}
