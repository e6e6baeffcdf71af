#include "movie/VoIMovieManager.h"

#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoIMovieManager> gInstance;
}

VoIMovieManager* VoIMovieManager::GetInstance() {
    return gInstance.Get([] { return VoAPIObjectManager::CreateServiceAs<VoIMovieManager>(u"moviemanager"); },
                         kCreationFailure);
}

bool VoIMovieManager::Initialize(std::uintptr_t) {
    return true;
}
