#pragma once
// What the machine and the graphics adapter can do: the processor clock,
// shader versions, the texture rules and limits, the largest vertex index and
// two-sided stencil. The sprite layer splits images by the maximum texture
// size, movies size their textures by it, index buffers check the largest
// vertex index, and the application logs the answers at start-up.
#include <cstdint>

#include "container/VoStreamObject.h"

class VoIDeviceCapabilities : public VoStreamObject {
public:
    static constexpr char kCreationFailure[] = "Unable to create Device Caps object";

    // The one capabilities object, made on first use by the "devicecaps"
    // creator through the API-object manager (with the argument 0) and owned
    // by the engine cleaner. A failure is an assertion failure; null then,
    // and null once the cleaner has deleted it.
    static VoIDeviceCapabilities* GetInstance();

    ~VoIDeviceCapabilities() override = default;

    // MHz; 0 when it cannot be found.
    virtual std::uint32_t GetCPUSpeed() = 0;
    virtual bool GetPixelShaderVersion(std::uint32_t* apMajor, std::uint32_t* apMinor) = 0;
    virtual bool GetVertexShaderVersion(std::uint32_t* apMajor, std::uint32_t* apMinor) = 0;
    virtual bool RequiresPow2Textures() = 0;
    virtual bool RequiresSquareTextures() = 0;
    virtual std::uint32_t GetMaxTextureWidth() = 0;
    virtual std::uint32_t GetMaxTextureHeight() = 0;
    virtual std::uint32_t GetMaxVertexIndex() = 0;
    virtual bool SupportsTwoSidedStencil() = 0;

protected:
    VoIDeviceCapabilities() = default;
};
