#include "platform/VoISoundManager.h"

#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoISoundManager> gInstance;
}

VoISoundManager* VoISoundManager::GetInstance() {
    return gInstance.Get([] { return VoAPIObjectManager::CreateServiceAs<VoISoundManager>(u"soundmanager"); },
                         kCreationFailure);
}

bool VoISoundManager::Initialize(std::uintptr_t) {
    return true;
}
