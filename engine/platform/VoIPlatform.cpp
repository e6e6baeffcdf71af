#include "platform/VoIPlatform.h"

#include "container/VoLog.h"
#include "platform/VoApp.h"
#include "stdlib/VoAPIObjectManager.h"

namespace {
VoIPlatform* gInstance = nullptr;  // not owned: the start-up code deletes the platform
}

VoIPlatform* VoIPlatform::GetInstance() {
    if (gInstance == nullptr) {
        gInstance = VoAPIObjectManager::CreateServiceAs<VoIPlatform>(u"platform");
        if (gInstance == nullptr) {
            VO_ERROR(kCreationFailure);
        }
    }
    return gInstance;
}

VoIPlatform::~VoIPlatform() {
    delete fpApp;
    fpApp = nullptr;
    if (gInstance == this) {
        gInstance = nullptr;
    }
}

void VoIPlatform::ShowCursor() {
    fActive = true;
    if (fpApp != nullptr) {
        fpApp->OnActivate();
    }
}

void VoIPlatform::HideCursor() {
    fActive = false;
    if (fpApp != nullptr) {
        fpApp->OnDeactivate();
    }
}
