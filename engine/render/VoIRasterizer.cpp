#include "render/VoIRasterizer.h"

#include "container/VoLog.h"
#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoIRasterizer> gInstance;
}

VoIRasterizer* VoIRasterizer::Get() {
    return gInstance.Get([] { return VoAPIObjectManager::CreateServiceAs<VoIRasterizer>(u"rasterizer"); },
                         kGetFailure);
}

void VoIRasterizer::ForgetTexture(const VoITexture* apTexture) {
    VoIRasterizer* rasterizer = gInstance.Peek();
    if (rasterizer != nullptr && apTexture != nullptr && rasterizer->fpCurrentTexture == apTexture) {
        rasterizer->fpCurrentTexture = nullptr;
    }
}

VoIRasterizer::~VoIRasterizer() {
    VoLog::WriteLine(kDestructorLine);
    fpCurrentTexture = nullptr;
}
