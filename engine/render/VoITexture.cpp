#include "render/VoITexture.h"

#include "container/VoLog.h"
#include "render/VoIRasterizer.h"

VoITexture::~VoITexture() {
    VoIRasterizer::ForgetTexture(this);
    if (fpTexture != nullptr) {
        VO_ERROR(kNativeNotDeleted);
    }
}

float VoITexture::GetPriority() {
    return fPriority;
}

VoDeviceTexture* VoITexture::GetNativeTexture() {
    return fpTexture;
}

bool VoITexture::SetMipLevels(std::uint32_t aCount) {
    if (fpTexture != nullptr) {
        VO_WARNING(kMipLevelsWarning);
    }
    fMipLevels = aCount;
    return true;
}

bool VoITexture::UpdateTexture(const std::uint8_t*, std::uint32_t) {
    VO_ERROR(kUpdateNYI);
    return false;
}
