#include "state/VoStateManagerCreator.h"

#include "container/VoDebugString.h"
#include "state/VoStateManager.h"

VoStateManagerCreator::VoStateManagerCreator() : VoIObjectCreator(VoStateManager::kId) {}

VoStateManagerCreator::~VoStateManagerCreator() = default;

VoBase* VoStateManagerCreator::Create() {
    return VoStateManager::GetInstance();
}

VoString VoStateManagerCreator::ToString() const {
    return VoDebugString("VoStateManagerCreator", this);
}
