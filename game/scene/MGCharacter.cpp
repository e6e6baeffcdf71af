#include "scene/MGCharacter.h"

#include "container/VoDebugString.h"

bool MGCharacter::SetInterviewPose(bool aEntering, MGICharacterListener*) {
    fInterviewPose = aEntering;
    return true;
}

void MGCharacter::PlayAction(int aCode, MGICharacterListener*) {
    fAction = aCode;
}

void MGCharacter::SetPendingPocketAction(const VoString& aAnimation, int aFlag) {
    fPocketAnimation = aAnimation;
    fPocketFlag = aFlag;
}

VoString MGCharacter::ToString() const {
    return VoDebugString("MGCharacter", this);
}
