#pragma once
// The device capabilities of the graphics device (VoGraphicsDX9): every
// adapter query reads the context's capabilities afresh, all zero while there
// is no device. The processor clock comes from the system's processor
// description.
#include <cstdint>

#include "platform/VoIDeviceCapabilities.h"

struct VoGraphicsCaps;

class VoDeviceCapabilitiesDX9 : public VoIDeviceCapabilities {
public:
    VoDeviceCapabilitiesDX9() = default;
    ~VoDeviceCapabilitiesDX9() override = default;

    bool Initialize(std::uintptr_t aArgument) override;

    std::uint32_t GetCPUSpeed() override;
    // Major and minor version; always true.
    bool GetPixelShaderVersion(std::uint32_t* apMajor, std::uint32_t* apMinor) override;
    bool GetVertexShaderVersion(std::uint32_t* apMajor, std::uint32_t* apMinor) override;
    // True unless the adapter takes other sizes under conditions.
    bool RequiresPow2Textures() override;
    bool RequiresSquareTextures() override;
    std::uint32_t GetMaxTextureWidth() override;
    std::uint32_t GetMaxTextureHeight() override;
    std::uint32_t GetMaxVertexIndex() override;
    bool SupportsTwoSidedStencil() override;

    // The answers to the adapter queries from a capabilities record.
    static void SplitVersion(std::uint32_t aVersion, std::uint32_t* apMajor, std::uint32_t* apMinor);
    static bool RequiresPow2Textures(const VoGraphicsCaps& aCaps);
    static bool RequiresSquareTextures(const VoGraphicsCaps& aCaps);
    static bool SupportsTwoSidedStencil(const VoGraphicsCaps& aCaps);

private:
    static VoGraphicsCaps ReadCaps();
};
