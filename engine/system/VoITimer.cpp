#include "system/VoITimer.h"

#include "container/VoLog.h"
#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoITimer> gInstance;
}

VoITimer* VoITimer::GetInstance() {
    return gInstance.Get([] { return VoAPIObjectManager::CreateServiceAs<VoITimer>(u"timer"); },
                         kCreationFailure);
}

VoITimer::~VoITimer() {
    VoLog::WriteLine(kDestructorLine);
}
