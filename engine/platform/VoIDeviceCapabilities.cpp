#include "platform/VoIDeviceCapabilities.h"

#include "container/VoLog.h"
#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoIDeviceCapabilities> gInstance;
}

VoIDeviceCapabilities* VoIDeviceCapabilities::GetInstance() {
    // A failed creation is an assertion failure, not an error line of the accessor's.
    return gInstance.Get(
        [] {
            VoIDeviceCapabilities* caps =
                VoAPIObjectManager::CreateServiceAs<VoIDeviceCapabilities>(u"devicecaps");
            if (caps == nullptr) {
                VO_ASSERT_FAILURE(kCreationFailure);
            }
            return caps;
        },
        nullptr);
}
