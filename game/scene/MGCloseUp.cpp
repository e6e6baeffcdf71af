#include "scene/MGCloseUp.h"

#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"

bool MGCloseUp::Read(VoPropertyList* apEntry) {
    if (apEntry != nullptr) {
        fId = apEntry->GetString(VoString(u"id"), nullptr);
    }
    return true;
}

VoString MGCloseUp::ToString() const {
    return VoDebugString("MGCloseUp", this);
}
