#pragma once
// The graphics device on OpenGL 2.1 (compatibility profile): a context on the
// SDL window, made current, presenting without waiting for the display; the
// back buffer is an off-screen framebuffer of the asked size with its colour
// in a renderbuffer of the chosen format and a packed depth-stencil
// renderbuffer. BeginScene binds it; Present copies it onto the window scaled
// with its aspect kept, black bars around, and swaps. The graphics context
// flag is on from the context's making to right before its deletion.
#include <cstdint>
#include <string>

#include "platform/VoIGraphicsContext.h"

struct VoGlFunctions;

class VoGlContext : public VoIGraphicsContext {
public:
    VoGlContext();
    VoGlContext(const VoGlContext&) = delete;
    VoGlContext& operator=(const VoGlContext&) = delete;
    ~VoGlContext() override;

    bool Create(void* apWindow) override;
    bool CheckBackBufferFormat(VoBackBufferFormat aFormat, std::uint32_t aWidth,
                               std::uint32_t aHeight) override;
    bool CheckDepthStencilFormat(VoDepthStencilFormat aFormat, VoBackBufferFormat aColor) override;
    bool CreateBackBuffer(const VoPresentParameters& aParameters) override;
    const char* GetErrorText() const override { return fError.c_str(); }
    VoIRenderDevice* CreateRenderDevice() override;

    void BeginScene() override;
    void EndScene() override;
    bool Present() override;

    bool Clear(const VoColor& aColor) override;
    bool ReadBackBuffer(std::int32_t aX, std::int32_t aY, std::int32_t aWidth, std::int32_t aHeight,
                        unsigned char* apPixels) override;
    void GetCapabilities(VoGraphicsCaps* apCaps) override;

private:
    // A framebuffer with renderbuffers of the formats and size; false (and
    // nothing left behind) when it is not complete or the formats come out
    // with other bit counts.
    bool MakeFramebuffer(VoBackBufferFormat aColor, bool aDepthStencil, VoDepthStencilFormat aDepth,
                         std::uint32_t aWidth, std::uint32_t aHeight, unsigned* apFramebuffer,
                         unsigned* apColor, unsigned* apDepth);
    void DeleteFramebuffer(unsigned* apFramebuffer, unsigned* apColor, unsigned* apDepth);
    bool Fail(const char* apName, const char* apDescription);

    void* fpWindow;              // not owned: the SDL window
    void* fpContext;             // owned: the SDL_GLContext
    VoGlFunctions* fpFunctions;  // owned
    unsigned fFramebuffer;
    unsigned fColor;
    unsigned fDepthStencil;
    std::int32_t fWidth;
    std::int32_t fHeight;
    std::string fError;
};
