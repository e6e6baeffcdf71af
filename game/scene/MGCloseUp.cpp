#include "scene/MGCloseUp.h"

#include "container/VoDebugString.h"

VoString MGCloseUp::ToString() const {
    return VoDebugString("MGCloseUp", this);
}
