// The start-up benchmark's baseline: the least an SDL program does before
// its first frame is on screen. It brings up SDL's video, opens an 800 x 600
// window with an OpenGL 2.1 compatibility context, as the game does, clears
// the back buffer and presents it once.
//
// With "--scaled" it presents as the game does instead, still drawing
// nothing: a full-screen window as large as the desktop, an 800 x 600
// off-screen colour buffer cleared and blitted (linear filtering, aspect
// kept) to the window, then the swap. What that costs the driver on the
// first frame (Mesa's llvmpipe compiles the blit's shaders) is part of every
// run of the game.
#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// The 800 x 600 buffer cleared and blitted, letterboxed, to the window.
bool PresentScaled(SDL_Window* apWindow) {
    const auto genFramebuffers =
        reinterpret_cast<PFNGLGENFRAMEBUFFERSPROC>(SDL_GL_GetProcAddress("glGenFramebuffers"));
    const auto bindFramebuffer =
        reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(SDL_GL_GetProcAddress("glBindFramebuffer"));
    const auto attachTexture =
        reinterpret_cast<PFNGLFRAMEBUFFERTEXTURE2DPROC>(SDL_GL_GetProcAddress("glFramebufferTexture2D"));
    const auto blitFramebuffer =
        reinterpret_cast<PFNGLBLITFRAMEBUFFERPROC>(SDL_GL_GetProcAddress("glBlitFramebuffer"));
    if (genFramebuffers == nullptr || bindFramebuffer == nullptr || attachTexture == nullptr ||
        blitFramebuffer == nullptr) {
        return false;
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kWidth, kHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    GLuint framebuffer = 0;
    genFramebuffers(1, &framebuffer);
    bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    attachTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(apWindow, &width, &height);
    int boxWidth = width;
    int boxHeight = width * kHeight / kWidth;
    if (boxHeight > height) {
        boxHeight = height;
        boxWidth = height * kWidth / kHeight;
    }
    const int x = (width - boxWidth) / 2;
    const int y = (height - boxHeight) / 2;
    bindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT);
    blitFramebuffer(0, 0, kWidth, kHeight, x, y, x + boxWidth, y + boxHeight, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    return true;
}

// What failed, with SDL's reason, on standard error; the exit code.
int Fail(int aCode, const char* apStep) {
    std::fprintf(stderr, "VoEmptyGlProgram: %s failed: %s\n", apStep, SDL_GetError());
    return aCode;
}

}  // namespace

int main(int argc, char** argv) {
    const bool scaled = argc > 1 && std::strcmp(argv[1], "--scaled") == 0;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return Fail(1, "SDL_Init");
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    int width = kWidth;
    int height = kHeight;
    Uint32 flags = SDL_WINDOW_OPENGL;
    SDL_DisplayMode desktop;
    if (scaled && SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
        width = desktop.w;
        height = desktop.h;
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
    }
    SDL_Window* window = SDL_CreateWindow("", 0, 0, width, height, flags);
    if (window == nullptr) {
        return Fail(2, "SDL_CreateWindow");
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        return Fail(3, "SDL_GL_CreateContext");
    }
    if (scaled) {
        if (!PresentScaled(window)) {
            return Fail(4, "Loading the framebuffer calls");
        }
    } else {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    SDL_GL_SwapWindow(window);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
