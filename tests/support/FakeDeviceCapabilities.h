#pragma once
// Device capabilities with the texture limits a test asks for, for engines
// whose sprites must make textures without a graphics device (the ones of
// start-up read a device that tests do not have, and refuse every texture).
#include <cstdint>

#include "platform/VoIDeviceCapabilities.h"

struct TextureLimits {
    std::uint32_t maxWidth = 2048;
    std::uint32_t maxHeight = 2048;
    bool powerOfTwo = false;
    bool square = false;
};

class FakeDeviceCapabilities : public VoIDeviceCapabilities {
public:
    explicit FakeDeviceCapabilities(const TextureLimits& aLimits) : fLimits(aLimits) {}

    std::uint32_t GetCPUSpeed() override { return 0; }
    bool GetPixelShaderVersion(std::uint32_t*, std::uint32_t*) override { return false; }
    bool GetVertexShaderVersion(std::uint32_t*, std::uint32_t*) override { return false; }
    bool RequiresPow2Textures() override { return fLimits.powerOfTwo; }
    bool RequiresSquareTextures() override { return fLimits.square; }
    std::uint32_t GetMaxTextureWidth() override { return fLimits.maxWidth; }
    std::uint32_t GetMaxTextureHeight() override { return fLimits.maxHeight; }
    std::uint32_t GetMaxVertexIndex() override { return 0xFFFFFFFFu; }
    bool SupportsTwoSidedStencil() override { return false; }

private:
    TextureLimits fLimits;
};
