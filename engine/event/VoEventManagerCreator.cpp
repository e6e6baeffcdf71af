#include "event/VoEventManagerCreator.h"

#include "container/VoDebugString.h"
#include "event/VoEventManager.h"

VoEventManagerCreator::VoEventManagerCreator() : VoIObjectCreator(VoEventManager::kId) {}

VoEventManagerCreator::~VoEventManagerCreator() = default;

VoBase* VoEventManagerCreator::Create() {
    return VoEventManager::GetInstance();
}

VoString VoEventManagerCreator::ToString() const {
    return VoDebugString("VoEventManagerCreator", this);
}
