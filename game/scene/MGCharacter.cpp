#include "scene/MGCharacter.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"

MGCharacter::~MGCharacter() = default;

bool MGCharacter::Create(VoPropertyList* apFile, const VoString* apShadowPath) {
    if (apFile != nullptr) {
        bool found = false;
        fName = apFile->GetString(VoString(u"name"), &found);
        if (!found) {
            VO_ASSERT_FAILURE(kNameNotFound);
        }
    }
    return VoCharacter::Create(apFile, apShadowPath);
}

bool MGCharacter::SetLookAtTarget(MGCharacter* apTarget) {
    if (apTarget == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    fpLookTarget = apTarget;
    return true;
}

bool MGCharacter::LoadFootsteps(VoPropertyList*) {
    return true;
}

VoString MGCharacter::ToString() const {
    return VoDebugString("MGCharacter", this);
}
