#include "platform/VoDeviceCapabilitiesDX9.h"

#include "platform/VoGraphicsDX9.h"
#include "platform/VoIGraphicsContext.h"
#include "platform/port/VoProcessorClock.h"

bool VoDeviceCapabilitiesDX9::Initialize(std::uintptr_t) {
    return true;
}

std::uint32_t VoDeviceCapabilitiesDX9::GetCPUSpeed() {
    return VoProcessorClock::ReadMHz();
}

bool VoDeviceCapabilitiesDX9::GetPixelShaderVersion(std::uint32_t* apMajor, std::uint32_t* apMinor) {
    SplitVersion(ReadCaps().fPixelShaderVersion, apMajor, apMinor);
    return true;
}

bool VoDeviceCapabilitiesDX9::GetVertexShaderVersion(std::uint32_t* apMajor, std::uint32_t* apMinor) {
    SplitVersion(ReadCaps().fVertexShaderVersion, apMajor, apMinor);
    return true;
}

bool VoDeviceCapabilitiesDX9::RequiresPow2Textures() {
    return RequiresPow2Textures(ReadCaps());
}

bool VoDeviceCapabilitiesDX9::RequiresSquareTextures() {
    return RequiresSquareTextures(ReadCaps());
}

std::uint32_t VoDeviceCapabilitiesDX9::GetMaxTextureWidth() {
    return ReadCaps().fMaxTextureWidth;
}

std::uint32_t VoDeviceCapabilitiesDX9::GetMaxTextureHeight() {
    return ReadCaps().fMaxTextureHeight;
}

std::uint32_t VoDeviceCapabilitiesDX9::GetMaxVertexIndex() {
    return ReadCaps().fMaxVertexIndex;
}

bool VoDeviceCapabilitiesDX9::SupportsTwoSidedStencil() {
    return SupportsTwoSidedStencil(ReadCaps());
}

void VoDeviceCapabilitiesDX9::SplitVersion(std::uint32_t aVersion, std::uint32_t* apMajor,
                                           std::uint32_t* apMinor) {
    if (apMajor != nullptr) {
        *apMajor = (aVersion >> 8) & 0xFFu;
    }
    if (apMinor != nullptr) {
        *apMinor = aVersion & 0xFFu;
    }
}

bool VoDeviceCapabilitiesDX9::RequiresPow2Textures(const VoGraphicsCaps& aCaps) {
    return (aCaps.fTextureCaps & VoGraphicsCaps::kTextureNonPow2Conditional) == 0;
}

bool VoDeviceCapabilitiesDX9::RequiresSquareTextures(const VoGraphicsCaps& aCaps) {
    return (aCaps.fTextureCaps & VoGraphicsCaps::kTextureSquareOnly) != 0;
}

bool VoDeviceCapabilitiesDX9::SupportsTwoSidedStencil(const VoGraphicsCaps& aCaps) {
    return (aCaps.fStencilCaps & VoGraphicsCaps::kStencilTwoSided) != 0;
}

VoGraphicsCaps VoDeviceCapabilitiesDX9::ReadCaps() {
    VoGraphicsCaps caps;
    VoGraphicsDX9* graphics = VoGraphicsDX9::GetInstance();
    VoIGraphicsContext* context = graphics != nullptr ? graphics->GetD3D() : nullptr;
    if (context != nullptr) {
        context->GetCapabilities(&caps);
    }
    return caps;
}
