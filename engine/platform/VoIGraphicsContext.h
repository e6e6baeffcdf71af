#pragma once
// The graphics device as the port layer gives it: a context on the window,
// and the off-screen back buffer that every frame is drawn into and that
// Present scales onto the window with its aspect kept. The port layer's is
// OpenGL; tests stand a recording one in its place.
#include <cstdint>

#include "platform/VoPresentParameters.h"

class VoColor;
class VoIRenderDevice;

// What the adapter can do, as the device capabilities report it.
struct VoGraphicsCaps {
    // TextureCaps bits.
    static constexpr std::uint32_t kTexturePow2 = 0x2;
    static constexpr std::uint32_t kTextureSquareOnly = 0x20;
    static constexpr std::uint32_t kTextureNonPow2Conditional = 0x100;
    // StencilCaps bits.
    static constexpr std::uint32_t kStencilTwoSided = 0x100;

    // Shader versions: major version in bits 8-15, minor in bits 0-7.
    std::uint32_t fPixelShaderVersion = 0;
    std::uint32_t fVertexShaderVersion = 0;
    std::uint32_t fTextureCaps = 0;
    std::uint32_t fMaxTextureWidth = 0;
    std::uint32_t fMaxTextureHeight = 0;
    std::uint32_t fMaxVertexIndex = 0;
    std::uint32_t fStencilCaps = 0;
};

class VoIGraphicsContext {
public:
    // Gives back the back buffer and the context.
    virtual ~VoIGraphicsContext() = default;

    // Makes the context on the window (a VoIWindowPort handle) and makes it current.
    virtual bool Create(void* apWindow) = 0;
    // Whether a back buffer of the format and size can be made.
    virtual bool CheckBackBufferFormat(VoBackBufferFormat aFormat, std::uint32_t aWidth,
                                       std::uint32_t aHeight) = 0;
    // Whether a depth-stencil buffer of the format goes with a back buffer of aColor.
    virtual bool CheckDepthStencilFormat(VoDepthStencilFormat aFormat, VoBackBufferFormat aColor) = 0;
    // Makes the back buffer; false (GetErrorText says why) when it cannot.
    virtual bool CreateBackBuffer(const VoPresentParameters& aParameters) = 0;
    // Why the last Create or CreateBackBuffer failed: a name, ": " and a description.
    virtual const char* GetErrorText() const = 0;
    // The drawing device over this context, owned by the caller; null when
    // there is none.
    virtual VoIRenderDevice* CreateRenderDevice() = 0;

    // Drawing goes to the back buffer from here on.
    virtual void BeginScene() = 0;
    virtual void EndScene() = 0;
    // Shows the back buffer in the window, scaled with its aspect kept.
    virtual bool Present() = 0;

    // The whole back buffer to the colour, depth to 1 and stencil to 0.
    virtual bool Clear(const VoColor& aColor) = 0;
    // The pixels of the rectangle, top row first, 4 bytes each in the order
    // B, G, R, A, into apPixels (aWidth * aHeight * 4 bytes). False, nothing
    // written, when the rectangle is not inside the back buffer.
    virtual bool ReadBackBuffer(std::int32_t aX, std::int32_t aY, std::int32_t aWidth, std::int32_t aHeight,
                                unsigned char* apPixels) = 0;
    // Read afresh on every call; all zero without a context.
    virtual void GetCapabilities(VoGraphicsCaps* apCaps) = 0;
};
