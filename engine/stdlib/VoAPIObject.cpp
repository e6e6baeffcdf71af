#include "stdlib/VoAPIObject.h"

VoAPIObject::~VoAPIObject() = default;

bool VoAPIObject::SetId(const VoString& aId) {
    fId = aId;
    return true;
}
