#include "container/VoKeyListUIntElement.h"

VoKeyListUIntElement::VoKeyListUIntElement(std::uint32_t aKey, void* apValue)
    : VoKeyListElementCore(aKey, apValue) {}

bool VoKeyListUIntElement::Remove(std::uint32_t* opKey, void** oppValue) {
    return RemoveSelf(opKey, oppValue, VoLogSite::Here());
}
