#include "platform/port/VoGlContext.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstring>

#include "container/VoColor.h"
#include "memory/VoNew.h"
#include "platform/VoLetterbox.h"
#include "platform/port/VoGraphicsContextState.h"
#include "platform/port/VoIRenderDevice.h"

// The framebuffer entry points, which OpenGL 2.1 offers only by extension.
struct VoGlFunctions {
    PFNGLGENFRAMEBUFFERSPROC fGenFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC fDeleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC fBindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC fFramebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC fCheckFramebufferStatus = nullptr;
    PFNGLGENRENDERBUFFERSPROC fGenRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC fDeleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC fBindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC fRenderbufferStorage = nullptr;
    PFNGLGETRENDERBUFFERPARAMETERIVPROC fGetRenderbufferParameteriv = nullptr;
    PFNGLBLITFRAMEBUFFERPROC fBlitFramebuffer = nullptr;

    template <typename Function>
    static bool Load(Function* apFunction, const char* apName) {
        *apFunction = reinterpret_cast<Function>(SDL_GL_GetProcAddress(apName));
        return *apFunction != nullptr;
    }

    bool LoadAll() {
        bool loaded = true;
        loaded &= Load(&fGenFramebuffers, "glGenFramebuffers");
        loaded &= Load(&fDeleteFramebuffers, "glDeleteFramebuffers");
        loaded &= Load(&fBindFramebuffer, "glBindFramebuffer");
        loaded &= Load(&fFramebufferRenderbuffer, "glFramebufferRenderbuffer");
        loaded &= Load(&fCheckFramebufferStatus, "glCheckFramebufferStatus");
        loaded &= Load(&fGenRenderbuffers, "glGenRenderbuffers");
        loaded &= Load(&fDeleteRenderbuffers, "glDeleteRenderbuffers");
        loaded &= Load(&fBindRenderbuffer, "glBindRenderbuffer");
        loaded &= Load(&fRenderbufferStorage, "glRenderbufferStorage");
        loaded &= Load(&fGetRenderbufferParameteriv, "glGetRenderbufferParameteriv");
        loaded &= Load(&fBlitFramebuffer, "glBlitFramebuffer");
        return loaded;
    }
};

namespace {

// Bit counts of a colour format: red, green, blue, alpha (-1: any).
struct ColorFormat {
    GLenum fInternal;
    GLint fBits[4];
};

ColorFormat ColorFormatOf(VoBackBufferFormat aFormat) {
    switch (aFormat) {
        case VoBackBufferFormat::kA8R8G8B8:
            return {GL_RGBA8, {8, 8, 8, 8}};
        case VoBackBufferFormat::kX8R8G8B8:
            return {GL_RGB8, {8, 8, 8, -1}};
        case VoBackBufferFormat::kR5G6B5:
            return {GL_RGB565, {5, 6, 5, -1}};
        case VoBackBufferFormat::kUnknown:
            break;
    }
    // No format was found for the asked bits: the usual one, unchecked.
    return {GL_RGBA8, {-1, -1, -1, -1}};
}

// Depth and stencil bits of a depth-stencil format; internal format 0 when
// OpenGL has none like it.
struct DepthFormat {
    GLenum fInternal;
    GLint fDepth;
    GLint fStencil;
};

DepthFormat DepthFormatOf(VoDepthStencilFormat aFormat) {
    switch (aFormat) {
        case VoDepthStencilFormat::kD24S8:
            return {GL_DEPTH24_STENCIL8, 24, 8};
        case VoDepthStencilFormat::kD16:
            return {GL_DEPTH_COMPONENT16, 16, 0};
        case VoDepthStencilFormat::kD15S1:
            break;
    }
    return {0, 0, 0};
}

// Forgets earlier errors, so the next glGetError speaks of what follows.
void DrainErrors() {
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

int MajorVersion() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int major = 0;
    for (int i = 0; version != nullptr && i < 4 && version[i] >= '0' && version[i] <= '9'; ++i) {
        major = major * 10 + (version[i] - '0');
    }
    return major;
}

SDL_Window* AsWindow(void* apWindow) {
    return static_cast<SDL_Window*>(apWindow);
}

}  // namespace

VoGlContext::VoGlContext()
    : fpWindow(nullptr),
      fpContext(nullptr),
      fpFunctions(nullptr),
      fFramebuffer(0),
      fColor(0),
      fDepthStencil(0),
      fWidth(0),
      fHeight(0) {}

VoGlContext::~VoGlContext() {
    if (fpContext != nullptr) {
        SDL_GL_MakeCurrent(AsWindow(fpWindow), fpContext);
        DeleteFramebuffer(&fFramebuffer, &fColor, &fDepthStencil);
        VoGraphicsContextState::SetAlive(false);
        SDL_GL_DeleteContext(fpContext);
        fpContext = nullptr;
    }
    delete fpFunctions;
    fpFunctions = nullptr;
}

bool VoGlContext::Fail(const char* apName, const char* apDescription) {
    fError = apName;
    fError += ": ";
    fError += apDescription != nullptr ? apDescription : "";
    return false;
}

bool VoGlContext::Create(void* apWindow) {
    if (fpContext != nullptr) {
        return Fail("E_FAIL", "the context exists already");
    }
    if (apWindow == nullptr) {
        return Fail("E_INVALIDARG", "no window");
    }
    if (fpFunctions == nullptr) {
        fpFunctions = VO_NEW VoGlFunctions();
    }
    if (fpFunctions == nullptr) {
        return Fail("E_OUTOFMEMORY", "not enough memory");
    }
    SDL_GLContext context = SDL_GL_CreateContext(AsWindow(apWindow));
    if (context == nullptr) {
        return Fail("SDL_GL_CreateContext", SDL_GetError());
    }
    if (SDL_GL_MakeCurrent(AsWindow(apWindow), context) != 0) {
        Fail("SDL_GL_MakeCurrent", SDL_GetError());
        SDL_GL_DeleteContext(context);
        return false;
    }
    if (MajorVersion() < 2 || !fpFunctions->LoadAll()) {
        Fail("GL_ARB_framebuffer_object", "OpenGL 2.1 with framebuffer objects is needed");
        SDL_GL_DeleteContext(context);
        return false;
    }
    // Frames are shown as soon as they are drawn, without waiting for the display.
    SDL_GL_SetSwapInterval(0);
    fpWindow = apWindow;
    fpContext = context;
    VoGraphicsContextState::SetAlive(true);
    return true;
}

bool VoGlContext::MakeFramebuffer(VoBackBufferFormat aColor, bool aDepthStencil, VoDepthStencilFormat aDepth,
                                  std::uint32_t aWidth, std::uint32_t aHeight, unsigned* apFramebuffer,
                                  unsigned* apColor, unsigned* apDepth) {
    *apFramebuffer = 0;
    *apColor = 0;
    *apDepth = 0;
    if (fpContext == nullptr) {
        return Fail("E_FAIL", "no context");
    }
    GLint limit = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &limit);
    if (aWidth == 0 || aHeight == 0 || aWidth > static_cast<std::uint32_t>(limit) ||
        aHeight > static_cast<std::uint32_t>(limit)) {
        return Fail("E_INVALIDARG", "the size is not one a back buffer can have");
    }
    const ColorFormat color = ColorFormatOf(aColor);
    const DepthFormat depth = DepthFormatOf(aDepth);
    if (aDepthStencil && depth.fInternal == 0) {
        return Fail("GL_INVALID_ENUM", "no such depth-stencil format");
    }
    const VoGlFunctions& gl = *fpFunctions;
    const GLsizei width = static_cast<GLsizei>(aWidth);
    const GLsizei height = static_cast<GLsizei>(aHeight);
    DrainErrors();

    GLuint framebuffer = 0;
    GLuint colorBuffer = 0;
    GLuint depthBuffer = 0;
    gl.fGenFramebuffers(1, &framebuffer);
    gl.fBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    gl.fGenRenderbuffers(1, &colorBuffer);
    gl.fBindRenderbuffer(GL_RENDERBUFFER, colorBuffer);
    gl.fRenderbufferStorage(GL_RENDERBUFFER, color.fInternal, width, height);
    gl.fFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer);
    bool bitsMatch = true;
    static constexpr GLenum kColorBits[4] = {GL_RENDERBUFFER_RED_SIZE, GL_RENDERBUFFER_GREEN_SIZE,
                                             GL_RENDERBUFFER_BLUE_SIZE, GL_RENDERBUFFER_ALPHA_SIZE};
    for (int i = 0; i < 4; ++i) {
        GLint bits = 0;
        gl.fGetRenderbufferParameteriv(GL_RENDERBUFFER, kColorBits[i], &bits);
        bitsMatch &= color.fBits[i] < 0 || bits == color.fBits[i];
    }
    if (aDepthStencil) {
        gl.fGenRenderbuffers(1, &depthBuffer);
        gl.fBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
        gl.fRenderbufferStorage(GL_RENDERBUFFER, depth.fInternal, width, height);
        GLint depthBits = 0;
        GLint stencilBits = 0;
        gl.fGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_DEPTH_SIZE, &depthBits);
        gl.fGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_STENCIL_SIZE, &stencilBits);
        bitsMatch &= depthBits == depth.fDepth && stencilBits == depth.fStencil;
        gl.fFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
        if (depth.fStencil > 0) {
            gl.fFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
        }
    }
    gl.fBindRenderbuffer(GL_RENDERBUFFER, 0);
    const GLenum status = gl.fCheckFramebufferStatus(GL_FRAMEBUFFER);
    const GLenum error = glGetError();
    *apFramebuffer = framebuffer;
    *apColor = colorBuffer;
    *apDepth = depthBuffer;
    if (status != GL_FRAMEBUFFER_COMPLETE || error != GL_NO_ERROR || !bitsMatch) {
        DeleteFramebuffer(apFramebuffer, apColor, apDepth);
        if (error != GL_NO_ERROR) {
            return Fail("GL_INVALID_OPERATION", "the formats cannot be made");
        }
        if (status != GL_FRAMEBUFFER_COMPLETE) {
            return Fail("GL_FRAMEBUFFER_UNSUPPORTED", "the formats cannot be drawn into together");
        }
        return Fail("GL_INVALID_ENUM", "the formats come out with other bit counts");
    }
    return true;
}

void VoGlContext::DeleteFramebuffer(unsigned* apFramebuffer, unsigned* apColor, unsigned* apDepth) {
    if (fpContext == nullptr) {
        return;
    }
    const VoGlFunctions& gl = *fpFunctions;
    if (*apFramebuffer != 0) {
        gl.fBindFramebuffer(GL_FRAMEBUFFER, 0);
        GLuint framebuffer = *apFramebuffer;
        gl.fDeleteFramebuffers(1, &framebuffer);
    }
    GLuint renderbuffers[2] = {*apColor, *apDepth};
    for (GLuint renderbuffer : renderbuffers) {
        if (renderbuffer != 0) {
            gl.fDeleteRenderbuffers(1, &renderbuffer);
        }
    }
    *apFramebuffer = 0;
    *apColor = 0;
    *apDepth = 0;
    if (fFramebuffer != 0) {
        gl.fBindFramebuffer(GL_FRAMEBUFFER, fFramebuffer);
    }
}

bool VoGlContext::CheckBackBufferFormat(VoBackBufferFormat aFormat, std::uint32_t aWidth,
                                        std::uint32_t aHeight) {
    if (aFormat == VoBackBufferFormat::kUnknown) {
        return false;
    }
    unsigned framebuffer = 0;
    unsigned color = 0;
    unsigned depth = 0;
    if (!MakeFramebuffer(aFormat, false, VoDepthStencilFormat::kD24S8, aWidth, aHeight, &framebuffer, &color,
                         &depth)) {
        return false;
    }
    DeleteFramebuffer(&framebuffer, &color, &depth);
    return true;
}

bool VoGlContext::CheckDepthStencilFormat(VoDepthStencilFormat aFormat, VoBackBufferFormat aColor) {
    // The pairing does not depend on the size: a small one is enough to try.
    constexpr std::uint32_t kTrialSize = 16;
    unsigned framebuffer = 0;
    unsigned color = 0;
    unsigned depth = 0;
    if (!MakeFramebuffer(aColor, true, aFormat, kTrialSize, kTrialSize, &framebuffer, &color, &depth)) {
        return false;
    }
    DeleteFramebuffer(&framebuffer, &color, &depth);
    return true;
}

bool VoGlContext::CreateBackBuffer(const VoPresentParameters& aParameters) {
    if (fFramebuffer != 0) {
        return Fail("E_FAIL", "the back buffer exists already");
    }
    unsigned framebuffer = 0;
    unsigned color = 0;
    unsigned depth = 0;
    if (!MakeFramebuffer(aParameters.fBackBufferFormat, aParameters.fEnableAutoDepthStencil,
                         aParameters.fAutoDepthStencilFormat, aParameters.fBackBufferWidth,
                         aParameters.fBackBufferHeight, &framebuffer, &color, &depth)) {
        return false;
    }
    fFramebuffer = framebuffer;
    fColor = color;
    fDepthStencil = depth;
    fWidth = static_cast<std::int32_t>(aParameters.fBackBufferWidth);
    fHeight = static_cast<std::int32_t>(aParameters.fBackBufferHeight);
    fpFunctions->fBindFramebuffer(GL_FRAMEBUFFER, fFramebuffer);
    glViewport(0, 0, fWidth, fHeight);
    return true;
}

VoIRenderDevice* VoGlContext::CreateRenderDevice() {
    return fpContext != nullptr ? VoCreateRenderDevice() : nullptr;
}

void VoGlContext::BeginScene() {
    if (fFramebuffer != 0) {
        fpFunctions->fBindFramebuffer(GL_FRAMEBUFFER, fFramebuffer);
    }
}

void VoGlContext::EndScene() {}

bool VoGlContext::Present() {
    if (fFramebuffer == 0) {
        return false;
    }
    const VoGlFunctions& gl = *fpFunctions;
    int surfaceWidth = 0;
    int surfaceHeight = 0;
    SDL_GL_GetDrawableSize(AsWindow(fpWindow), &surfaceWidth, &surfaceHeight);
    const VoLetterbox box = VoLetterbox::Fit(fWidth, fHeight, surfaceWidth, surfaceHeight);

    // The drawing state of the frame stays as the frame left it.
    glPushAttrib(GL_SCISSOR_BIT | GL_COLOR_BUFFER_BIT | GL_VIEWPORT_BIT);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl.fBindFramebuffer(GL_READ_FRAMEBUFFER, fFramebuffer);
    gl.fBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glViewport(0, 0, surfaceWidth, surfaceHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (box.fWidth > 0 && box.fHeight > 0) {
        gl.fBlitFramebuffer(0, 0, fWidth, fHeight, box.fX, box.fY, box.fX + box.fWidth, box.fY + box.fHeight,
                            GL_COLOR_BUFFER_BIT, GL_LINEAR);
    }
    glPopAttrib();
    SDL_GL_SwapWindow(AsWindow(fpWindow));
    gl.fBindFramebuffer(GL_FRAMEBUFFER, fFramebuffer);
    return true;
}

bool VoGlContext::Clear(const VoColor& aColor) {
    if (fFramebuffer == 0) {
        return false;
    }
    fpFunctions->fBindFramebuffer(GL_FRAMEBUFFER, fFramebuffer);
    glPushAttrib(GL_SCISSOR_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFFFFFFFFu);
    glClearColor(aColor.fR, aColor.fG, aColor.fB, aColor.fA);
    glClearDepth(1.0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glPopAttrib();
    return true;
}

bool VoGlContext::ReadBackBuffer(std::int32_t aX, std::int32_t aY, std::int32_t aWidth, std::int32_t aHeight,
                                 unsigned char* apPixels) {
    if (fFramebuffer == 0 || apPixels == nullptr || aX < 0 || aY < 0 || aWidth <= 0 || aHeight <= 0 ||
        static_cast<std::int64_t>(aX) + aWidth > fWidth ||
        static_cast<std::int64_t>(aY) + aHeight > fHeight) {
        return false;
    }
    fpFunctions->fBindFramebuffer(GL_READ_FRAMEBUFFER, fFramebuffer);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    // OpenGL's rows run bottom to top.
    glReadPixels(aX, fHeight - aY - aHeight, aWidth, aHeight, GL_BGRA, GL_UNSIGNED_BYTE, apPixels);
    glPopClientAttrib();
    fpFunctions->fBindFramebuffer(GL_FRAMEBUFFER, fFramebuffer);
    const std::size_t rowBytes = static_cast<std::size_t>(aWidth) * 4;
    for (std::int32_t top = 0, bottom = aHeight - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(apPixels + static_cast<std::size_t>(top) * rowBytes,
                         apPixels + static_cast<std::size_t>(top + 1) * rowBytes,
                         apPixels + static_cast<std::size_t>(bottom) * rowBytes);
    }
    return true;
}

void VoGlContext::GetCapabilities(VoGraphicsCaps* apCaps) {
    *apCaps = VoGraphicsCaps();
    if (fpContext == nullptr) {
        return;
    }
    GLint maxTextureSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize);
    apCaps->fMaxTextureWidth = static_cast<std::uint32_t>(std::max(maxTextureSize, 0));
    apCaps->fMaxTextureHeight = apCaps->fMaxTextureWidth;
    // Indices go to OpenGL as they are, 32 bits wide, never narrowed.
    apCaps->fMaxVertexIndex = 0xFFFFFFFFu;
    if (MajorVersion() >= 2) {
        // OpenGL 2.0 takes textures of any size and shape, has separate
        // stencil state for back faces, and programmable stages at the level
        // of shader model 2.0.
        apCaps->fTextureCaps = VoGraphicsCaps::kTextureNonPow2Conditional;
        apCaps->fStencilCaps = VoGraphicsCaps::kStencilTwoSided;
        apCaps->fPixelShaderVersion = 0xFFFF0200u;
        apCaps->fVertexShaderVersion = 0xFFFE0200u;
    } else {
        apCaps->fTextureCaps = VoGraphicsCaps::kTexturePow2;
    }
}
