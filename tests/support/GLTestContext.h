#pragma once
// A hidden 800 x 600 window with an OpenGL 2.1 compatibility context (24
// depth bits, 8 stencil bits), current for the life of the object, and the
// graphics context marked alive; the drawing device of the port layer can be
// made over it. Pixels are read back top row first, as the device counts
// them. The tests run headless (SDL_VIDEODRIVER=offscreen).
//
// The window and context are made once per process and kept to its end:
// making and destroying them loads and unloads the GL driver each time,
// which leaves the driver's own allocations unaccounted for. Each object
// marks the context alive and, at its end, dead; a drawing device made over
// it sends its whole state on creation, so tests do not see each other's.
//
//     GLTestContext gl;
//     ASSERT_TRUE(gl.IsReady()) << gl.Error();
//     VoIRenderDevice* device = VoCreateRenderDevice();
//     ...
//     EXPECT_TRUE(gl.PixelNear(10, 20, {255, 128, 0, 255}));
#include <array>
#include <cstdint>
#include <string>
#include <vector>

using Rgba = std::array<int, 4>;

class GLTestContext {
public:
    GLTestContext();
    ~GLTestContext();
    GLTestContext(const GLTestContext&) = delete;
    GLTestContext& operator=(const GLTestContext&) = delete;

    bool IsReady() const { return fpContext != nullptr; }
    const std::string& Error() const { return fError; }

    // The R, G, B, A bytes of the pixel x, y counted from the top-left.
    Rgba Pixel(int aX, int aY) const;
    // Whether each channel is within aTolerance of the expected one.
    bool PixelNear(int aX, int aY, const Rgba& aExpected, int aTolerance = 2) const;
    // The stencil value of the pixel, top-left counted.
    int Stencil(int aX, int aY) const;
    // Every pixel, and every stencil value, in one read: row by row from the
    // top, each row from the left (index y x 800 + x).
    std::vector<Rgba> Pixels() const;
    std::vector<int> Stencils() const;

private:
    void* fpContext = nullptr;  // not owned: the process's context, null when it could not be made
    std::string fError;
};

// Prints a pixel for failure messages: "(r, g, b, a)".
std::string ToText(const Rgba& aPixel);
