#include "platform/port/VoMovieBlitterGL.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>

#include "platform/port/VoGraphicsContextState.h"

namespace {

// The few GL calls of one copy, looked up in the current context's library.
struct Calls {
    bool Load() {
        return LoadOne(fDisable, "glDisable") && LoadOne(fColorMask, "glColorMask") &&
               LoadOne(fPushAttrib, "glPushAttrib") && LoadOne(fPopAttrib, "glPopAttrib") &&
               LoadOne(fPushClientAttrib, "glPushClientAttrib") &&
               LoadOne(fPopClientAttrib, "glPopClientAttrib") && LoadOne(fPixelStorei, "glPixelStorei") &&
               LoadOne(fPixelZoom, "glPixelZoom") && LoadOne(fWindowPos2i, "glWindowPos2i") &&
               LoadOne(fDrawPixels, "glDrawPixels") && LoadOne(fGetError, "glGetError");
    }

    template <typename Function>
    static bool LoadOne(Function& aFunction, const char* apName) {
        aFunction = reinterpret_cast<Function>(SDL_GL_GetProcAddress(apName));
        return aFunction != nullptr;
    }

    void(APIENTRY* fDisable)(GLenum) = nullptr;
    void(APIENTRY* fColorMask)(GLboolean, GLboolean, GLboolean, GLboolean) = nullptr;
    void(APIENTRY* fPushAttrib)(GLbitfield) = nullptr;
    void(APIENTRY* fPopAttrib)() = nullptr;
    void(APIENTRY* fPushClientAttrib)(GLbitfield) = nullptr;
    void(APIENTRY* fPopClientAttrib)() = nullptr;
    void(APIENTRY* fPixelStorei)(GLenum, GLint) = nullptr;
    void(APIENTRY* fPixelZoom)(GLfloat, GLfloat) = nullptr;
    void(APIENTRY* fWindowPos2i)(GLint, GLint) = nullptr;
    void(APIENTRY* fDrawPixels)(GLsizei, GLsizei, GLenum, GLenum, const void*) = nullptr;
    GLenum(APIENTRY* fGetError)() = nullptr;
};

}  // namespace

VoMovieBlitterGL& VoMovieBlitterGL::Get() {
    static VoMovieBlitterGL sBlitter;
    return sBlitter;
}

bool VoMovieBlitterGL::Blit(const std::uint8_t* apPixels, std::int32_t aPitch, std::int32_t aX,
                            std::int32_t aY, std::int32_t aWidth, std::int32_t aHeight) {
    if (apPixels == nullptr || aWidth < 0 || aHeight < 0 || aPitch % 4 != 0 || aPitch / 4 < aWidth) {
        fpFailure = kInvalidArgument;
        return false;
    }
    // Whatever lies outside the target is cut off here too.
    const std::int32_t left = std::max(aX, 0);
    const std::int32_t top = std::max(aY, 0);
    const std::int32_t right = std::min<std::int64_t>(static_cast<std::int64_t>(aX) + aWidth, kTargetWidth);
    const std::int32_t bottom =
        std::min<std::int64_t>(static_cast<std::int64_t>(aY) + aHeight, kTargetHeight);
    if (left >= right || top >= bottom) {
        return true;
    }
    if (!VoGraphicsContextState::IsAlive() || SDL_GL_GetCurrentContext() == nullptr) {
        fpFailure = kNoContext;
        return false;
    }
    Calls gl;
    if (!gl.Load()) {
        fpFailure = kNoEntryPoints;
        return false;
    }
    // Errors of earlier calls are not ours to report.
    for (int i = 0; i < 16 && gl.fGetError() != GL_NO_ERROR; ++i) {
    }
    const std::uint8_t* first = apPixels + static_cast<std::ptrdiff_t>(top - aY) * aPitch + (left - aX) * 4;
    gl.fPushAttrib(GL_ENABLE_BIT | GL_PIXEL_MODE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    gl.fPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    for (GLenum state : {GL_BLEND, GL_ALPHA_TEST, GL_DEPTH_TEST, GL_STENCIL_TEST, GL_SCISSOR_TEST,
                         GL_TEXTURE_2D, GL_FOG, GL_COLOR_LOGIC_OP, GL_DITHER}) {
        gl.fDisable(state);
    }
    gl.fColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl.fPixelStorei(GL_UNPACK_ROW_LENGTH, aPitch / 4);
    gl.fPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gl.fPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    gl.fPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    gl.fPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    gl.fPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    // GL counts rows from the bottom: start at the top edge and draw downwards.
    gl.fPixelZoom(1.0f, -1.0f);
    gl.fWindowPos2i(left, kTargetHeight - top);
    gl.fDrawPixels(right - left, bottom - top, GL_BGRA, GL_UNSIGNED_BYTE, first);
    gl.fPopClientAttrib();
    gl.fPopAttrib();
    if (gl.fGetError() != GL_NO_ERROR) {
        fpFailure = kGLError;
        return false;
    }
    return true;
}
