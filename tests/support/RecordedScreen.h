#pragma once
// The 2D picture that a RecordingRasterizer's calls describe, painted again
// in software: what tests look at where a window's pixels would need a
// graphics device. It follows the calls as the 2D renderer (VoRenderer)
// makes them: the world, view and projection transforms, viewports (the clip
// rectangles of scroll areas), the texture (a RecordingTexture by its handle
// in the texture manager, or the texture object passed), the texture factor
// (the effective blend), vertex buffers of positions with or without texture
// coordinates, and triangle lists, triangle strips and line strips, blended
// source alpha over inverse source alpha. Pixel centres lie on whole
// numbers, as the renderer's half-pixel offset assumes; textures are sampled
// at the nearest texel. A draw whose texture was not recorded (no
// RecordingTexture by its handle, no texels passed) is kept without texels,
// so that a test can tell what it cannot paint, and paints nothing.
//
//     RecordedScreen screen(rasterizer->Calls());   // read while the textures live
//     ScreenPatch patch = screen.Paint({0, 0, 800, 600}, screen.GetDrawCount(), nullptr, {0, 0, 0});
//     patch.At(400, 300).r;                           // 0..1; CoverAt how much the draws covered
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct RasterizerCall;

struct ScreenColour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

// A rectangle of whole pixels, x0 and y0 inside, x1 and y1 just outside.
struct ScreenBox {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    bool IsEmpty() const { return x1 <= x0 || y1 <= y0; }
    bool Contains(int aX, int aY) const { return aX >= x0 && aX < x1 && aY >= y0 && aY < y1; }
    ScreenBox Intersect(const ScreenBox& aOther) const;
};

// The texels of a texture as the draw found them.
struct ScreenTexels {
    int width = 0;
    int height = 0;
    int format = 0;  // a VoImage format
    std::vector<unsigned char> bytes;

    // The texel's colour and alpha, 0..1 each; transparent outside.
    void At(int aX, int aY, ScreenColour* apColour, float* apAlpha) const;
};

// One Draw call, its vertices on the screen.
struct ScreenDraw {
    struct Vertex {
        float x, y, u, v;
    };
    int call = 0;                  // index in the calls
    int type = 0;                  // VoIRasterizer::PrimitiveType
    std::uint32_t handle = 0;      // the texture manager's handle; 0 for a texture passed as an object
    const void* buffer = nullptr;  // the vertex buffer drawn (its owner may be gone)
    std::shared_ptr<const ScreenTexels> texels;  // null when the texture was not recorded
    float factor = 1.0f;
    ScreenBox clip;              // the viewport
    std::vector<Vertex> points;  // triangles three by three, or line segments two by two
    float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;  // the points' extent

    // The extent as whole pixels whose centres it holds, within the clip.
    ScreenBox Covered() const;
};

// Painted pixels of a rectangle: colour, and how much of it the draws
// covered (0 none, 1 opaque).
struct ScreenPatch {
    ScreenBox box;
    std::vector<ScreenColour> colours;
    std::vector<float> cover;

    const ScreenColour& At(int aX, int aY) const { return colours[Index(aX, aY)]; }
    float CoverAt(int aX, int aY) const { return cover[Index(aX, aY)]; }

private:
    std::size_t Index(int aX, int aY) const {
        return static_cast<std::size_t>(aY - box.y0) * static_cast<std::size_t>(box.x1 - box.x0) +
               static_cast<std::size_t>(aX - box.x0);
    }
};

class RecordedScreen {
public:
    // Reads the draws of the calls; textures by handle are looked up in the
    // texture manager now, so they must still exist.
    explicit RecordedScreen(const std::vector<RasterizerCall>& aCalls);

    int GetDrawCount() const { return static_cast<int>(fDraws.size()); }
    const ScreenDraw& GetDraw(int aIndex) const { return fDraws[static_cast<std::size_t>(aIndex)]; }

    // The draws before aEnd that aKeep takes (all when null), painted in
    // order over the box on a ground of aGround.
    ScreenPatch Paint(const ScreenBox& aBox, int aEnd, const std::function<bool(int)>& aKeep,
                      const ScreenColour& aGround) const;

private:
    std::vector<ScreenDraw> fDraws;
};
