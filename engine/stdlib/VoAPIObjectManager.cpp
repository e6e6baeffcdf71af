#include "stdlib/VoAPIObjectManager.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "object/VoRegistrySingleton.h"

namespace {

VoRegistrySingleton<VoAPIObjectManager> gInstance;

}  // namespace

VoAPIObjectManager* VoAPIObjectManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoAPIObjectManager(); }, kCreationFailure);
}

VoAPIObjectManager::VoAPIObjectManager() : VoObjectManager(kId, kHandleIndex) {}

VoAPIObjectManager::~VoAPIObjectManager() {
    gInstance.Forget(this);
}

VoString VoAPIObjectManager::ToString() const {
    return VoDebugString("VoAPIObjectManager", this);
}
