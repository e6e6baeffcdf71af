#include "platform/VoITimer.h"

#include "container/VoLog.h"
#include "platform/VoPlatformServices.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoITimer> gInstance;
}

VoITimer* VoITimer::GetInstance() {
    return gInstance.Get([] { return VoPlatformServices::CreateAs<VoITimer>(u"timer"); }, kCreationFailure);
}

VoITimer::~VoITimer() {
    VoLog::WriteLine(kDestructorLine);
}
