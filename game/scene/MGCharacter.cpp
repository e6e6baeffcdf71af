#include "scene/MGCharacter.h"

#include "container/VoDebugString.h"

VoString MGCharacter::ToString() const {
    return VoDebugString("MGCharacter", this);
}
