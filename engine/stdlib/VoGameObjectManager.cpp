#include "stdlib/VoGameObjectManager.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "object/VoRegistrySingleton.h"

namespace {

VoRegistrySingleton<VoGameObjectManager> gInstance;

}  // namespace

VoGameObjectManager* VoGameObjectManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoGameObjectManager(); }, kCreationFailure);
}

VoGameObjectManager::VoGameObjectManager() : VoObjectManager(kId, kHandleIndex) {}

VoGameObjectManager::~VoGameObjectManager() {
    gInstance.Forget(this);
}

VoString VoGameObjectManager::ToString() const {
    return VoDebugString("VoGameObjectManager", this);
}
