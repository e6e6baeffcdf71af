#pragma once
// The texture on the port layer's drawing device. Made from an image (with
// its mip levels, each a box-filtered half of the one before) or empty of a
// given size and format. Creating again releases the texture held first.
// Once the graphics context is gone the destructor gives nothing back: the
// device freed its textures with it.
#include <cstdint>

#include "render/VoITexture.h"

class VoIRenderDevice;
enum class VoDeviceResult : std::int32_t;

class VoTextureDX9 : public VoITexture {
public:
    static constexpr const char* kInitFailure = "Initialize failure. Could not get D3DDevice.";
    static constexpr const char* kNoDevice = "CreateTexture failure. No D3DDevice found.";
    // Followed by the device's result name, ": " and its description.
    static constexpr const char* kCreateFailure = "CreateTexture failure:";
    // A level's memory could not be had.
    static constexpr const char* kLoadFailure = "CreateTexture failure.";
    // A level that the device would not take; followed as kCreateFailure is.
    static constexpr const char* kLevelFailure = "GetSurfaceLevel failure: ";

    VoTextureDX9() = default;
    VoTextureDX9(const VoTextureDX9&) = delete;
    VoTextureDX9& operator=(const VoTextureDX9&) = delete;
    ~VoTextureDX9() override;

    // Takes the drawing device (VoRenderDeviceSource); false, logged, without one.
    bool Initialize(std::uintptr_t aArgument) override;
    // A texture of the image's size and format with the stored count of
    // levels (0 or more than the image allows: the full chain), every level
    // filled. The image stays the caller's.
    bool CreateTexture(VoImage* apImage) override;
    // One level of the size and format; its contents are undefined.
    bool CreateTexture(std::uint32_t aWidth, std::uint32_t aHeight, std::int32_t aFormat) override;
    // Once the texture exists the device takes 1000 x the priority and the
    // stored one stays; before, it is stored for the next creation.
    bool SetPriority(float aPriority) override;
    // Replaces level 0 with the pixels (top row first, in the texture's
    // format, aPitch bytes from row to row); false without a texture.
    bool UpdateTexture(const std::uint8_t* apPixels, std::uint32_t aPitch) override;

    VoString ToString() const override;

    // The device's priority for a stored one: 1000 x it, truncated, within 0..2^32 - 1.
    static std::uint32_t DevicePriority(float aPriority);

private:
    // Gives the native texture back to the device (while the context lives)
    // and forgets it.
    void ReleaseNative();
    // Logs aMessage with the device's result and returns false.
    static bool Fail(const char* apMessage, VoDeviceResult aResult);

    VoIRenderDevice* fpDevice = nullptr;  // not owned, outlives the texture while the context lives
};
