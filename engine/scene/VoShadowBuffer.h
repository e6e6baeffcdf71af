#pragma once
// Frames a scene's stencil shadow pass. BeginShadowPass readies the states
// in which shadow volumes (VoShadowVolume) count into the stencil buffer;
// Render then draws one quad over the whole viewport with a 1 x 1 opaque
// black texture, where the stencil value is above 0 only, blended at the
// shadow's darkness, and leaves the usual states behind: depth test and
// write on, stencil test and blending off, culling of counter-clockwise
// faces.
//
// The scene's pass: BeginShadowPass; for every character, its volumes'
// Update, BuildGeometry and Render; then Render.
#include <cstdint>

#include "geometry/VoMatrix.h"

class VoITexture;
class VoVertexBuffer;

class VoShadowBuffer {
public:
    // The orthographic projection's depth range.
    static constexpr float kNear = -200.0f;
    static constexpr float kFar = 200.0f;
    // Every stencil value passes its low 24 bits to the test.
    static constexpr std::uint32_t kStencilMask = 0x00FFFFFFu;

    static constexpr const char* kNoTexture = "Could not create the shadow texture.";

    // The texture (from the "texture" creator), the quad (-0.5..0.5 in x and
    // y, as a strip) and the two matrices. A quad that cannot be made logs
    // an assertion without text and leaves the buffer without one.
    VoShadowBuffer();
    // Deletes the quad and the texture.
    ~VoShadowBuffer();
    VoShadowBuffer(const VoShadowBuffer&) = delete;
    VoShadowBuffer& operator=(const VoShadowBuffer&) = delete;

    // Clears the stencil buffer; stencil test on; blending off; depth test
    // on and depth write off; colour write off. The AND of the rasterizer's
    // results; false without a rasterizer.
    bool BeginShadowPass();
    // Darkens every pixel whose stencil value is above 0 by aAlpha (the
    // texture factor's alpha: 0 leaves it, 1 makes it black) and restores
    // the states (see above). The AND of the rasterizer's results; false
    // without a rasterizer or quad.
    bool Render(float aAlpha);

    VoITexture* GetTexture() const { return fpTexture; }
    VoVertexBuffer* GetVertexBuffer() const { return fpVertexBuffer; }
    const VoMatrix& GetProjection() const { return fProjection; }

private:
    VoITexture* fpTexture = nullptr;           // owned
    VoVertexBuffer* fpVertexBuffer = nullptr;  // owned
    VoMatrix fView;
    VoMatrix fProjection;
};
