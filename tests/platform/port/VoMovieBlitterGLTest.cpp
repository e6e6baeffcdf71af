#include "platform/port/VoMovieBlitterGL.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/port/VoGraphicsContextState.h"

namespace {

// An 800 x 600 window with a GL 2.1 context, made once for the process and
// kept: unloading the GL library would leave what the driver allocated
// unreachable, which LeakSanitizer reports against a module it can no longer
// name.
struct GLWindow {
    GLWindow() {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            fFailure = SDL_GetError();
            return;
        }
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
        fWindow = SDL_CreateWindow("blit", 0, 0, 800, 600, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        fContext = fWindow != nullptr ? SDL_GL_CreateContext(fWindow) : nullptr;
        if (fContext == nullptr) {
            fFailure = SDL_GetError();
        }
    }
    SDL_Window* fWindow = nullptr;
    SDL_GLContext fContext = nullptr;
    std::string fFailure;
};

GLWindow& TheWindow() {
    static GLWindow* sWindow = new GLWindow();
    return *sWindow;
}

// The window cleared to opaque grey; the pixels are read back through the
// same library the blitter draws with.
class VoMovieBlitterGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        GLWindow& window = TheWindow();
        if (window.fContext == nullptr) {
            GTEST_SKIP() << "no GL context: " << window.fFailure;
        }
        ASSERT_EQ(SDL_GL_MakeCurrent(window.fWindow, window.fContext), 0);
        Load(fClearColor, "glClearColor");
        Load(fClear, "glClear");
        Load(fReadPixels, "glReadPixels");
        Load(fViewport, "glViewport");
        Load(fEnable, "glEnable");
        Load(fDisable, "glDisable");
        Load(fIsEnabled, "glIsEnabled");
        fViewport(0, 0, 800, 600);
        fClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        fClear(GL_COLOR_BUFFER_BIT);
        VoGraphicsContextState::SetAlive(true);
    }
    void TearDown() override {
        if (fDisable != nullptr) {
            fDisable(GL_BLEND);
            fDisable(GL_TEXTURE_2D);
        }
        VoGraphicsContextState::SetAlive(false);
    }
    template <typename Function>
    static void Load(Function& aFunction, const char* apName) {
        aFunction = reinterpret_cast<Function>(SDL_GL_GetProcAddress(apName));
        ASSERT_NE(aFunction, nullptr) << apName;
    }
    // B, G, R, A of the screen pixel (x, y), y down.
    std::array<std::uint8_t, 4> Pixel(int aX, int aY) {
        std::array<std::uint8_t, 4> pixel{};
        fReadPixels(aX, 599 - aY, 1, 1, GL_BGRA, GL_UNSIGNED_BYTE, pixel.data());
        return pixel;
    }
    static std::array<std::uint8_t, 4> Grey() { return {128, 128, 128, 255}; }

    void(APIENTRY* fClearColor)(GLfloat, GLfloat, GLfloat, GLfloat) = nullptr;
    void(APIENTRY* fClear)(GLbitfield) = nullptr;
    void(APIENTRY* fReadPixels)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*) = nullptr;
    void(APIENTRY* fViewport)(GLint, GLint, GLsizei, GLsizei) = nullptr;
    void(APIENTRY* fEnable)(GLenum) = nullptr;
    void(APIENTRY* fDisable)(GLenum) = nullptr;
    GLboolean(APIENTRY* fIsEnabled)(GLenum) = nullptr;
};

// A 3 x 2 picture whose pixels all differ, in rows 12 bytes apart plus padding.
std::vector<std::uint8_t> Picture(int aPitch) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(aPitch) * 2, 0);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            std::uint8_t* pixel = bytes.data() + y * aPitch + x * 4;
            pixel[0] = static_cast<std::uint8_t>(10 + x);
            pixel[1] = static_cast<std::uint8_t>(20 + y);
            pixel[2] = static_cast<std::uint8_t>(30 + x + y);
            pixel[3] = 255;
        }
    }
    return bytes;
}

std::array<std::uint8_t, 4> Expected(int aX, int aY) {
    return {static_cast<std::uint8_t>(10 + aX), static_cast<std::uint8_t>(20 + aY),
            static_cast<std::uint8_t>(30 + aX + aY), 255};
}

}  // namespace

TEST_F(VoMovieBlitterGLTest, CopiesThePictureTopRowFirstAtItsScreenPosition) {
    const std::vector<std::uint8_t> picture = Picture(16);
    // Blending and texturing are on, as the 2D renderer leaves them: the copy ignores them.
    fEnable(GL_BLEND);
    fEnable(GL_TEXTURE_2D);
    ASSERT_TRUE(VoMovieBlitterGL::Get().Blit(picture.data(), 16, 10, 20, 3, 2));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(Pixel(10 + x, 20 + y), Expected(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(Pixel(9, 20), Grey());
    EXPECT_EQ(Pixel(13, 21), Grey());
    EXPECT_EQ(Pixel(10, 22), Grey());
    // The states it switched off are back.
    EXPECT_TRUE(fIsEnabled(GL_BLEND));
    EXPECT_TRUE(fIsEnabled(GL_TEXTURE_2D));
}

TEST_F(VoMovieBlitterGLTest, CutsOffWhatLiesBeyondTheScreen) {
    const std::vector<std::uint8_t> picture = Picture(12);
    ASSERT_TRUE(VoMovieBlitterGL::Get().Blit(picture.data(), 12, 798, 599, 3, 2));
    EXPECT_EQ(Pixel(798, 599), Expected(0, 0));
    EXPECT_EQ(Pixel(799, 599), Expected(1, 0));
    ASSERT_TRUE(VoMovieBlitterGL::Get().Blit(picture.data(), 12, -2, -1, 3, 2));
    EXPECT_EQ(Pixel(0, 0), Expected(2, 1));
    EXPECT_EQ(Pixel(1, 0), Grey());
}

TEST_F(VoMovieBlitterGLTest, RefusesWithoutALiveContextAndForBadPitches) {
    const std::vector<std::uint8_t> picture = Picture(12);
    EXPECT_FALSE(VoMovieBlitterGL::Get().Blit(picture.data(), 10, 0, 0, 3, 2));
    EXPECT_STREQ(VoMovieBlitterGL::Get().GetFailure(), VoMovieBlitterGL::kInvalidArgument);
    VoGraphicsContextState::SetAlive(false);
    EXPECT_FALSE(VoMovieBlitterGL::Get().Blit(picture.data(), 12, 0, 0, 3, 2));
    EXPECT_STREQ(VoMovieBlitterGL::Get().GetFailure(), VoMovieBlitterGL::kNoContext);
    EXPECT_EQ(Pixel(0, 0), Grey());
}
