#include "time/VoGameClockCreator.h"

#include "container/VoDebugString.h"
#include "time/VoGameClock.h"

VoGameClockCreator::VoGameClockCreator() : VoIObjectCreator(VoGameClock::kId) {}

VoGameClockCreator::~VoGameClockCreator() = default;

VoBase* VoGameClockCreator::Create() {
    return VoGameClock::GetInstance();
}

VoString VoGameClockCreator::ToString() const {
    return VoDebugString("VoGameClockCreator", this);
}
