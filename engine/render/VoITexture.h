#pragma once
// The engine's texture: a device texture made from a VoImage or of a given
// size and pixel format (formats as VoImage's: 1 BGRA, 2 BGRX, 3 BGR, 4 A8).
// VoTextureDX9 implements it on the port layer's graphics device. The
// "texture" creator makes a new one for every request; the texture manager
// keeps them by name and the rasterizer binds their native textures.
#include <cstdint>

#include "container/VoStreamObject.h"

class VoDeviceTexture;
class VoImage;

class VoITexture : public VoStreamObject {
public:
    static constexpr char kMipLevelsWarning[] = "SetMipLevels: texture already created.";
    static constexpr char kNativeNotDeleted[] = "Derived class failed to delete fpTexture.";
    static constexpr char kUpdateNYI[] = "UpdateTexture not yet implemented.";

    // Logs kNativeNotDeleted when the derived class left its native texture.
    ~VoITexture() override;

    virtual bool CreateTexture(VoImage* apImage) = 0;
    virtual bool CreateTexture(std::uint32_t aWidth, std::uint32_t aHeight,
                               std::int32_t aFormat) = 0;
    virtual float GetPriority();
    // The port layer's texture; null before creation.
    virtual VoDeviceTexture* GetNativeTexture();
    // Stores the count; once the texture exists it warns first and the
    // existing texture keeps its levels.
    virtual bool SetMipLevels(std::uint32_t aCount);
    virtual bool SetPriority(float aPriority) = 0;
    // Replaces the created texture's pixels with a picture of the texture's
    // own size and format (rows top first, aPitch bytes apart): how a movie
    // shows each new frame. This default logs kUpdateNYI and returns false.
    virtual bool UpdateTexture(const std::uint8_t* apPixels, std::uint32_t aPitch);

    std::uint32_t GetWidth() const { return fWidth; }
    std::uint32_t GetHeight() const { return fHeight; }

protected:
    VoITexture() = default;

    VoDeviceTexture* fpTexture = nullptr;  // owned by the derived class, which releases it
    std::uint32_t fMipLevels = 1;
    float fPriority = 0.5f;
    std::uint32_t fWidth = 0;
    std::uint32_t fHeight = 0;
};
