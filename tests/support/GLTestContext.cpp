#include "GLTestContext.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstdlib>

#include "platform/port/VoGraphicsContextState.h"

namespace {
constexpr int kWidth = 800;
constexpr int kHeight = 600;
}  // namespace

// Mesa's llvmpipe reaches thread-local blocks of its shared libraries from
// the main thread while it compiles shaders; the leak checker of the clang 14
// sanitizer runtime misreads those blocks under glibc 2.36 and crashes at
// exit ("Tracer caught signal 11") after the tests have passed. Programs that
// draw through GL leave __tls_get_addr alone; ASAN_OPTIONS may still set it.
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
    return "intercept_tls_get_addr=0";
}

namespace {

// The process's window and context, made on first use; the error when they
// could not be made.
struct SharedContext {
    SDL_Window* fpWindow = nullptr;
    SDL_GLContext fpContext = nullptr;
    std::string fError;
};

SharedContext& Shared() {
    static SharedContext* sShared = [] {
        SharedContext* shared = new SharedContext();
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            shared->fError = std::string("SDL_InitSubSystem: ") + SDL_GetError();
            return shared;
        }
        SDL_GL_ResetAttributes();
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        shared->fpWindow = SDL_CreateWindow("tests", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, kWidth,
                                            kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (shared->fpWindow == nullptr) {
            shared->fError = std::string("SDL_CreateWindow: ") + SDL_GetError();
            return shared;
        }
        shared->fpContext = SDL_GL_CreateContext(shared->fpWindow);
        if (shared->fpContext == nullptr) {
            shared->fError = std::string("SDL_GL_CreateContext: ") + SDL_GetError();
        }
        return shared;
    }();
    return *sShared;
}

}  // namespace

GLTestContext::GLTestContext() {
    SharedContext& shared = Shared();
    if (shared.fpContext == nullptr || SDL_GL_MakeCurrent(shared.fpWindow, shared.fpContext) != 0) {
        fError = shared.fError.empty() ? std::string("SDL_GL_MakeCurrent: ") + SDL_GetError() : shared.fError;
        return;
    }
    fpContext = shared.fpContext;
    // Reads come from the buffer being drawn.
    glReadBuffer(GL_BACK);
    VoGraphicsContextState::SetAlive(true);
}

GLTestContext::~GLTestContext() {
    if (fpContext != nullptr) {
        VoGraphicsContextState::SetAlive(false);
    }
}

Rgba GLTestContext::Pixel(int aX, int aY) const {
    unsigned char bytes[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(aX, kHeight - 1 - aY, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, bytes);
    return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

bool GLTestContext::PixelNear(int aX, int aY, const Rgba& aExpected, int aTolerance) const {
    const Rgba pixel = Pixel(aX, aY);
    for (int i = 0; i < 4; ++i) {
        if (std::abs(pixel[i] - aExpected[i]) > aTolerance) {
            return false;
        }
    }
    return true;
}

int GLTestContext::Stencil(int aX, int aY) const {
    unsigned char value = 0;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(aX, kHeight - 1 - aY, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &value);
    return value;
}

std::vector<Rgba> GLTestContext::Pixels() const {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(kWidth) * kHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    std::vector<Rgba> pixels(static_cast<std::size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        // GL counts rows from the bottom.
        const unsigned char* row = bytes.data() + static_cast<std::size_t>(kHeight - 1 - y) * kWidth * 4;
        for (int x = 0; x < kWidth; ++x) {
            pixels[static_cast<std::size_t>(y) * kWidth + x] = {row[x * 4], row[x * 4 + 1], row[x * 4 + 2],
                                                                row[x * 4 + 3]};
        }
    }
    return pixels;
}

std::vector<int> GLTestContext::Stencils() const {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(kWidth) * kHeight);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, bytes.data());
    std::vector<int> values(bytes.size());
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            values[static_cast<std::size_t>(y) * kWidth + x] =
                bytes[static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x];
        }
    }
    return values;
}

std::string ToText(const Rgba& aPixel) {
    return "(" + std::to_string(aPixel[0]) + ", " + std::to_string(aPixel[1]) + ", " +
           std::to_string(aPixel[2]) + ", " + std::to_string(aPixel[3]) + ")";
}
