#pragma once
// The graphics device of the platform's window: the context, the drawing
// device over it, and the off-screen back buffer that every frame is drawn
// into. The platform makes it from its description, and calls BeginScene,
// EndScene and Present once per pass of the main loop; the rasterizer, the
// textures and the device capabilities reach it through GetInstance. It is
// made once and never reset.
//
// The back buffer's format is chosen from the bits per pixel (32: A8R8G8B8,
// then X8R8G8B8, then R5G6B5; 24: X8R8G8B8, then R5G6B5; 16: R5G6B5), the
// first that the context can make at the asked size, and the depth-stencil
// format is the first of D24S8, D15S1, D16 that goes with it; each choice is
// written to the log as a plain line ("BackBufferFormat = D3DFMT_A8R8G8B8",
// "AutoDepthStencilFormat = D3DFMT_D24S8" or "AutoDepthStencilFormat = None").
// A description that brings its own back-buffer record skips the choice.
#include <cstdint>

class VoColor;
class VoIGraphicsContext;
class VoIPlatformPort;
class VoIRenderDevice;
struct VoPlatformDesc;
struct VoPresentParameters;

class VoGraphicsDX9 {
public:
    static constexpr char kCreateObjectFailure[] = "Failed to create D3D object";
    static constexpr char kNoDisplayMode[] = "Failed to enumerate valid display mode";
    static constexpr char kCreateDeviceFailure[] = "CreateDevice failure: ";
    static constexpr char16_t kBeginSceneFailed[] = u"BeginScene failed";
    static constexpr char16_t kBackBufferFormatLine[] = u"BackBufferFormat = ";
    static constexpr char16_t kDepthStencilLine[] = u"AutoDepthStencilFormat = ";
    static constexpr char16_t kNoDepthStencil[] = u"None";

    // The one graphics device, null while there is none.
    static VoGraphicsDX9* GetInstance();

    // apPort makes the context (not owned, outlives the device).
    explicit VoGraphicsDX9(VoIPlatformPort* apPort);
    VoGraphicsDX9(const VoGraphicsDX9&) = delete;
    VoGraphicsDX9& operator=(const VoGraphicsDX9&) = delete;
    // Release, and GetInstance answers null.
    ~VoGraphicsDX9();

    // The context, the back buffer and the drawing device for apDesc's window.
    bool Init(const VoPlatformDesc* apDesc);

    // Drawing goes to the back buffer from here to EndScene. A second
    // BeginScene before EndScene fails, as does one without a back buffer,
    // with the plain line "BeginScene failed".
    bool BeginScene();
    bool EndScene();
    // The back buffer to the window. Without one: an assertion failure, false.
    bool Present();
    // Deletes the drawing device, then the back buffer and the context.
    void Release();

    // The drawing device over the context (owned here); null when the port
    // has none to give.
    VoIRenderDevice* GetDevice() const { return fpDevice; }
    // The context; null before Init and after Release.
    VoIGraphicsContext* GetD3D() const { return fpContext; }
    bool HasBackBuffer() const { return fHasBackBuffer; }
    std::uint32_t GetWidth() const { return fWidth; }
    std::uint32_t GetHeight() const { return fHeight; }
    std::uint32_t GetBits() const { return fBits; }
    bool IsWindowed() const { return fWindowed; }

    // The whole back buffer to the colour, depth 1, stencil 0.
    bool ClearBackBuffer(const VoColor& aColor);
    // Pixels of a rectangle of the back buffer, top row first, B, G, R, A
    // bytes; false when there is no back buffer or the rectangle is outside it.
    bool ReadBackBuffer(std::int32_t aX, std::int32_t aY, std::int32_t aWidth, std::int32_t aHeight,
                        unsigned char* apPixels);

private:
    void ChoosePresentParameters(const VoPlatformDesc& aDesc, VoPresentParameters* apParameters);
    bool CreateDevice(const VoPresentParameters& aParameters);

    std::uint32_t fWidth;
    std::uint32_t fHeight;
    std::uint32_t fBits;
    bool fWindowed;
    void* fpWindow;                 // not owned: the window's handle
    VoIPlatformPort* fpPort;        // not owned
    VoIGraphicsContext* fpContext;  // owned
    VoIRenderDevice* fpDevice;      // owned, deleted before the context
    bool fHasBackBuffer;
    bool fInScene;
};
