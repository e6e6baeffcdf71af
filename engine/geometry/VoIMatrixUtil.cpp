#include "geometry/VoIMatrixUtil.h"

#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoIMatrixUtil> gInstance;
}

VoIMatrixUtil* VoIMatrixUtil::GetInstance() {
    return gInstance.Get([] { return VoAPIObjectManager::CreateServiceAs<VoIMatrixUtil>(u"matrixutil"); },
                         kCreationFailure);
}
