#include "platform/port/VoRenderDeviceGL.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "geometry/VoImage.h"
#include "geometry/VoMatrix.h"
#include "platform/port/VoGraphicsContextState.h"
#include "render/VoLight.h"
#include "render/VoMaterial.h"
#include "render/VoRasterizerDX9.h"
#include "render/VoRenderDeviceSource.h"
#include "render/VoTextureDX9.h"
#include "render/VoVertexBuffer.h"
#include "support/GLTestContext.h"
#include "support/LogCapture.h"

namespace {

using R = VoIRasterizer;
using Bytes = std::vector<unsigned char>;

// Vertex formats 2, 3 and 7 as the engine lays them out.
struct ColorVertex {
    float x, y, z, a, r, g, b;
};
struct TexturedVertex {
    float x, y, z, u, v;
};
struct NormalVertex {
    float x, y, z, nx, ny, nz;
};

const Rgba kBlack = {0, 0, 0, 255};
const Rgba kWhite = {255, 255, 255, 255};
const Rgba kRed = {255, 0, 0, 255};
const Rgba kGreen = {0, 255, 0, 255};
const Rgba kBlue = {0, 0, 255, 255};

// 2 x 2, B, G, R, A: red, green / blue, white.
const Bytes kQuad = {0, 0, 255, 255, 0, 255, 0, 255, 255, 0, 0, 255, 255, 255, 255, 255};

// Screen pixels, x right and y down, the way the 2D display projects: a
// vertex at a whole coordinate lies on that pixel's centre.
VoMatrix ScreenProjection() {
    return VoMatrix(1.0f / 400.0f, 0, 0, 0, 0, -1.0f / 300.0f, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1);
}

VoMatrix Identity() {
    return VoMatrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
}

// The six vertices of the pixel rectangle [aLeft, aRight) x [aTop, aBottom),
// its edges half a pixel before the centres, clockwise on screen (or
// counter-clockwise), texture coordinates 0..1 across it.
std::vector<TexturedVertex> Rectangle(float aLeft, float aTop, float aRight, float aBottom, float aZ = 0.5f,
                                      bool aClockwise = true) {
    const float l = aLeft - 0.5f;
    const float t = aTop - 0.5f;
    const float r = aRight - 0.5f;
    const float b = aBottom - 0.5f;
    const TexturedVertex tl{l, t, aZ, 0, 0}, tr{r, t, aZ, 1, 0}, bl{l, b, aZ, 0, 1}, br{r, b, aZ, 1, 1};
    if (aClockwise) {
        return {tl, tr, bl, bl, tr, br};
    }
    return {tl, bl, tr, bl, br, tr};
}

class VoRenderDeviceGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fGL.IsReady()) << fGL.Error();
        fDevice.reset(VoCreateRenderDevice());
        ASSERT_NE(fDevice, nullptr);
        VoRenderDeviceSource::Set(fDevice.get());
        fRasterizer = std::make_unique<VoRasterizerDX9>();
        ASSERT_TRUE(fRasterizer->Initialize(0));
        const VoMatrix projection = ScreenProjection();
        fRasterizer->SetTransform(R::kProjection, &projection);
        fRasterizer->SetLighting(false);
        fRasterizer->SetColorValues(1.0f, 0.0f, 0.0f, 0.0f);
        fRasterizer->Clear();
    }

    void TearDown() override {
        fTextures.clear();
        fRasterizer.reset();
        VoRenderDeviceSource::Set(nullptr);
        fDevice.reset();
    }

    template <typename Vertex>
    void Draw(std::int32_t aFormat, const std::vector<Vertex>& aVertices,
              R::PrimitiveType aType = R::kTriangleList) {
        VoVertexBuffer buffer;
        ASSERT_TRUE(buffer.Create(aFormat, aVertices.data(), static_cast<std::int32_t>(aVertices.size())));
        ASSERT_TRUE(fRasterizer->SetVertexBuffer(&buffer));
        const std::uint32_t count = static_cast<std::uint32_t>(aVertices.size());
        ASSERT_TRUE(fRasterizer->Draw(aType, 0, aType == R::kTriangleList ? count / 3 : count - 2));
    }

    void DrawRectangle(float aLeft, float aTop, float aRight, float aBottom, float aZ = 0.5f,
                       bool aClockwise = true) {
        Draw(3, Rectangle(aLeft, aTop, aRight, aBottom, aZ, aClockwise));
    }

    // A texture of the image, kept for the test's life.
    VoTextureDX9* Texture(int aWidth, int aHeight, int aFormat, const Bytes& aPixels, int aPitch = 0,
                          std::uint32_t aLevels = 1) {
        VoImage image;
        const int pitch = aPitch != 0 ? aPitch : aWidth * VoImage::GetBytesPerPixel(aFormat);
        EXPECT_TRUE(image.Create(aWidth, aHeight, pitch, aFormat, aPixels.data(), pitch * aHeight));
        auto texture = std::make_unique<VoTextureDX9>();
        EXPECT_TRUE(texture->Initialize(0));
        texture->SetMipLevels(aLevels);
        EXPECT_TRUE(texture->CreateTexture(&image));
        fTextures.push_back(std::move(texture));
        return fTextures.back().get();
    }

    void ExpectPixel(int aX, int aY, const Rgba& aExpected, int aTolerance = 2) {
        EXPECT_TRUE(fGL.PixelNear(aX, aY, aExpected, aTolerance))
            << "pixel " << aX << ", " << aY << " is " << ToText(fGL.Pixel(aX, aY)) << ", expected "
            << ToText(aExpected);
    }

    GLTestContext fGL;
    std::unique_ptr<VoIRenderDevice> fDevice;
    std::unique_ptr<VoRasterizerDX9> fRasterizer;
    std::vector<std::unique_ptr<VoTextureDX9>> fTextures;
};

}  // namespace

TEST_F(VoRenderDeviceGLTest, ClearRoundsTheColourOverTheWholeTarget) {
    ASSERT_TRUE(fRasterizer->SetColorValues(0.5f, 1.0f, 0.5f, 0.0f));
    ASSERT_TRUE(fRasterizer->Clear());
    ExpectPixel(0, 0, {255, 128, 0, 255}, 0);
    ExpectPixel(799, 599, {255, 128, 0, 255}, 0);
}

TEST_F(VoRenderDeviceGLTest, ClearKeepsToTheViewportCountedFromTheTopWhateverTheWriteMasks) {
    ASSERT_TRUE(fRasterizer->SetViewport(100, 50, 200, 100, 0.0f, 1.0f));
    ASSERT_TRUE(fRasterizer->SetColorWrite(false));
    fRasterizer->SetColorValues(1.0f, 0.0f, 0.0f, 1.0f);
    ASSERT_TRUE(fRasterizer->Clear());
    ExpectPixel(100, 50, kBlue);
    ExpectPixel(299, 149, kBlue);
    ExpectPixel(99, 75, kBlack);
    ExpectPixel(150, 49, kBlack);
    ExpectPixel(300, 149, kBlack);
    ExpectPixel(299, 150, kBlack);
    // The masks are back after the clear: drawing writes no colour.
    fRasterizer->SetViewport(0, 0, 800, 600, 0.0f, 1.0f);
    DrawRectangle(0, 0, 10, 10);
    ExpectPixel(5, 5, kBlack);
}

TEST_F(VoRenderDeviceGLTest, ATexturedQuadLandsTexelOnPixel) {
    ASSERT_TRUE(fRasterizer->SetTexture(Texture(2, 2, VoImage::kFormatBGRA, kQuad)));
    DrawRectangle(10, 20, 12, 22);
    ExpectPixel(10, 20, kRed);
    ExpectPixel(11, 20, kGreen);
    ExpectPixel(10, 21, kBlue);
    ExpectPixel(11, 21, kWhite);
    for (const auto& outside : {std::pair<int, int>{9, 20}, {12, 20}, {10, 19}, {10, 22}, {12, 22}}) {
        ExpectPixel(outside.first, outside.second, kBlack);
    }
}

TEST_F(VoRenderDeviceGLTest, CounterClockwiseFacesAreCulledUnlessClockwiseOnesAreAskedFor) {
    DrawRectangle(0, 0, 4, 4, 0.5f, false);
    DrawRectangle(10, 0, 14, 4, 0.5f, true);
    ExpectPixel(1, 1, kBlack);
    ExpectPixel(11, 1, kWhite);
    ASSERT_TRUE(fRasterizer->SetCullMode(R::kCullClockwise));
    DrawRectangle(20, 0, 24, 4, 0.5f, false);
    DrawRectangle(30, 0, 34, 4, 0.5f, true);
    ExpectPixel(21, 1, kWhite);
    ExpectPixel(31, 1, kBlack);
}

TEST_F(VoRenderDeviceGLTest, TheTextureFactorScalesOnlyTheTexturesAlpha) {
    fRasterizer->SetAlphaBlending(true);
    fRasterizer->SetBlendFunction(R::kBlendSrcAlpha, R::kBlendInvSrcAlpha);
    fRasterizer->SetTexture(Texture(2, 2, VoImage::kFormatBGRA, kQuad));
    ASSERT_TRUE(fRasterizer->SetTextureFactor(0.5f));
    DrawRectangle(0, 0, 2, 2);
    ExpectPixel(0, 0, {127, 0, 0, 255}, 3);
    ASSERT_TRUE(fRasterizer->SetTextureFactor(1.0f));
    DrawRectangle(10, 0, 12, 2);
    ExpectPixel(10, 0, kRed);
}

TEST_F(VoRenderDeviceGLTest, StencilIncrementsAndThenMasksTheDrawing) {
    fRasterizer->SetStencilEnable(true);
    fRasterizer->SetStencilFunction(R::kCmpAlways, false, 0, 0xFF);
    fRasterizer->SetStencilPass(R::kStencilIncr);
    fRasterizer->SetColorWrite(false);
    DrawRectangle(10, 10, 20, 20);
    DrawRectangle(10, 10, 20, 20);
    EXPECT_EQ(fGL.Stencil(15, 15), 2);
    EXPECT_EQ(fGL.Stencil(25, 25), 0);
    ExpectPixel(15, 15, kBlack);

    fRasterizer->SetColorWrite(true);
    fRasterizer->SetStencilFunction(R::kCmpEqual, false, 2, 0xFF);
    fRasterizer->SetStencilPass(R::kStencilKeep);
    DrawRectangle(0, 0, 800, 600);
    ExpectPixel(15, 15, kWhite);
    ExpectPixel(25, 25, kBlack);

    fRasterizer->ClearStencil();
    EXPECT_EQ(fGL.Stencil(15, 15), 0);
}

TEST_F(VoRenderDeviceGLTest, TwoSidedStencilSendsCounterClockwiseFacesToTheirOwnStates) {
    fRasterizer->SetCullMode(R::kCullNone);
    fRasterizer->SetStencilEnable(true);
    fRasterizer->SetStencilFunction(R::kCmpAlways, false, 0, 0xFF);
    fRasterizer->SetStencilFunctionCCW(R::kCmpAlways, true, 0, 0xFF);
    fRasterizer->SetStencilPass(R::kStencilIncr);
    fRasterizer->SetStencilPassCCW(R::kStencilDecr);
    DrawRectangle(0, 0, 4, 4, 0.5f, true);
    DrawRectangle(10, 0, 14, 4, 0.5f, false);
    EXPECT_EQ(fGL.Stencil(1, 1), 1);
    EXPECT_EQ(fGL.Stencil(11, 1), 255);
    // One-sided: the clockwise states serve both.
    fRasterizer->SetStencilFunctionCCW(R::kCmpAlways, false, 0, 0xFF);
    DrawRectangle(20, 0, 24, 4, 0.5f, false);
    EXPECT_EQ(fGL.Stencil(21, 1), 1);
    // Saturating decrement stops at 0.
    fRasterizer->SetStencilPass(R::kStencilDecrSat);
    DrawRectangle(30, 0, 34, 4);
    EXPECT_EQ(fGL.Stencil(31, 1), 0);
}

TEST_F(VoRenderDeviceGLTest, ThreeHundredFormatThreeVerticesAreDrawnWhole) {
    // 50 quads of 6 vertices, 4 pixels apart: more than the 256 the buffer starts with.
    std::vector<TexturedVertex> vertices;
    for (int i = 0; i < 50; ++i) {
        const auto quad = Rectangle(static_cast<float>(i * 4), 100, static_cast<float>(i * 4 + 2), 102);
        vertices.insert(vertices.end(), quad.begin(), quad.end());
    }
    ASSERT_EQ(vertices.size(), 300u);
    Draw(3, vertices);
    ExpectPixel(0, 100, kWhite);
    ExpectPixel(196, 101, kWhite);
    ExpectPixel(198, 100, kBlack);
}

TEST_F(VoRenderDeviceGLTest, VertexColoursAreFourFloatsAlphaFirstAndFlatShadingTakesTheFirst) {
    const ColorVertex a{-0.5f, -0.5f, 0.5f, 1.0f, 0.2f, 0.4f, 0.6f};
    const ColorVertex b{9.5f, -0.5f, 0.5f, 1.0f, 0.2f, 0.4f, 0.6f};
    const ColorVertex c{-0.5f, 9.5f, 0.5f, 1.0f, 0.2f, 0.4f, 0.6f};
    Draw(2, std::vector<ColorVertex>{a, b, c});
    ExpectPixel(1, 1, {51, 102, 153, 255});

    ASSERT_TRUE(fRasterizer->SetShadeMode(R::kShadeFlat));
    const ColorVertex first{19.5f, -0.5f, 0.5f, 1.0f, 1.0f, 0.0f, 0.0f};
    const ColorVertex second{29.5f, -0.5f, 0.5f, 1.0f, 0.0f, 0.0f, 1.0f};
    const ColorVertex third{19.5f, 9.5f, 0.5f, 1.0f, 0.0f, 0.0f, 1.0f};
    Draw(2, std::vector<ColorVertex>{first, second, third});
    ExpectPixel(22, 2, kRed);
}

TEST_F(VoRenderDeviceGLTest, ADirectionalLightSetUnderAnotherViewStaysInTheWorld) {
    fRasterizer->SetLighting(true);
    VoMaterial material;
    material.SetDiffuse(VoColor(1.0f, 1.0f, 0.5f, 0.25f));
    material.SetAmbient(VoColor(1.0f, 1.0f, 1.0f, 1.0f));
    ASSERT_TRUE(fRasterizer->SetMaterial(&material));
    // Lit from in front: the quad faces the viewer (normal -z), the light shines along +z.
    const VoMatrix turned(0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1);
    fRasterizer->SetTransform(R::kView, &turned);
    VoLight light(VoLight::kDirectional);
    light.fDiffuse = VoColor(1.0f, 1.0f, 1.0f, 1.0f);
    light.fDirection = VoVector3(0.0f, 0.0f, 1.0f);
    ASSERT_TRUE(fRasterizer->SetLight(0, &light));
    const VoMatrix identity = Identity();
    fRasterizer->SetTransform(R::kView, &identity);
    const NormalVertex tl{-0.5f, -0.5f, 0.5f, 0, 0, -1}, tr{9.5f, -0.5f, 0.5f, 0, 0, -1},
        bl{-0.5f, 9.5f, 0.5f, 0, 0, -1};

    // No light enabled: no ambient, no emissive, black.
    Draw(7, std::vector<NormalVertex>{tl, tr, bl});
    ExpectPixel(1, 1, kBlack);
    ASSERT_TRUE(fRasterizer->EnableLight(0, true));
    Draw(7, std::vector<NormalVertex>{tl, tr, bl});
    ExpectPixel(1, 1, {255, 128, 64, 255});
}

TEST_F(VoRenderDeviceGLTest, DepthIsTestedLessOrEqualUntilSwitchedOff) {
    const Bytes red = {0, 0, 255, 255};
    const Bytes green = {0, 255, 0, 255};
    VoTextureDX9* near = Texture(1, 1, VoImage::kFormatBGRA, red);
    VoTextureDX9* far = Texture(1, 1, VoImage::kFormatBGRA, green);
    fRasterizer->SetTexture(near);
    DrawRectangle(0, 0, 4, 4, 0.2f);
    fRasterizer->SetTexture(far);
    DrawRectangle(0, 0, 4, 4, 0.8f);
    ExpectPixel(1, 1, kRed);
    ASSERT_TRUE(fRasterizer->EnableDepthBuffer(false));
    DrawRectangle(0, 0, 4, 4, 0.8f);
    ExpectPixel(1, 1, kGreen);
}

TEST_F(VoRenderDeviceGLTest, TheThreeByteAndAlphaFormatsUpload) {
    fRasterizer->SetAlphaBlending(true);
    fRasterizer->SetBlendFunction(R::kBlendSrcAlpha, R::kBlendInvSrcAlpha);
    // B, G, R rows 7 bytes apart: not a whole number of pixels.
    const Bytes bgr = {0, 0, 255, 0, 255, 0, 0xEE, 255, 0, 0, 255, 255, 255, 0xEE};
    fRasterizer->SetTexture(Texture(2, 2, VoImage::kFormatBGR, bgr, 7));
    DrawRectangle(0, 0, 2, 2);
    ExpectPixel(0, 0, kRed);
    ExpectPixel(1, 0, kGreen);
    ExpectPixel(0, 1, kBlue);
    ExpectPixel(1, 1, kWhite);
    // The fourth byte of B, G, R, X is not alpha.
    fRasterizer->SetTexture(Texture(1, 1, VoImage::kFormatBGRX, {255, 0, 0, 0}));
    DrawRectangle(10, 0, 11, 1);
    ExpectPixel(10, 0, kBlue);
    // Alpha alone: half covers white with black.
    fRasterizer->SetColorValues(1.0f, 1.0f, 1.0f, 1.0f);
    fRasterizer->Clear();
    fRasterizer->SetTexture(Texture(1, 1, VoImage::kFormatA8, {128}));
    DrawRectangle(20, 0, 21, 1);
    ExpectPixel(20, 0, {127, 127, 127, 255}, 3);
}

TEST_F(VoRenderDeviceGLTest, AMinifiedTextureSamplesItsBoxFilteredLevel) {
    fRasterizer->SetTexture(Texture(2, 2, VoImage::kFormatBGRA, kQuad, 0, 2));
    fRasterizer->SetTextureFilter(R::kFilterMin, R::kFilterPoint);
    fRasterizer->SetTextureFilter(R::kFilterMip, R::kFilterPoint);
    DrawRectangle(50, 50, 51, 51);
    ExpectPixel(50, 50, {128, 128, 128, 255}, 3);
}

TEST_F(VoRenderDeviceGLTest, DrawsPastTheWrittenDataAreRefusedAndABaseVertexMovesIndices) {
    VoIRenderDevice* device = fDevice.get();
    const auto quad = Rectangle(0, 0, 4, 4);
    VoDeviceBuffer* vertices = device->CreateVertexBuffer(0);
    VoDeviceBuffer* indices = device->CreateIndexBuffer(0, VoIRenderDevice::kIndex16);
    ASSERT_TRUE(device->WriteBuffer(vertices, quad.data(), 6 * sizeof(TexturedVertex)));
    ASSERT_TRUE(device->SetStreamSource(vertices, sizeof(TexturedVertex)));
    VoVertexDeclaration textured;
    textured.fTexCoordOffset = 12;
    ASSERT_TRUE(device->SetVertexDeclaration(textured));
    LogCapture log;
    EXPECT_FALSE(device->DrawPrimitive(VoIRenderDevice::kTriangleList, 1, 2));
    EXPECT_FALSE(device->DrawIndexedPrimitive(VoIRenderDevice::kTriangleList, 0, 0, 6, 0, 1));
    const std::uint16_t triangle[] = {0, 1, 6};
    ASSERT_TRUE(device->WriteBuffer(indices, triangle, sizeof triangle));
    ASSERT_TRUE(device->SetIndices(indices));
    EXPECT_FALSE(device->DrawIndexedPrimitive(VoIRenderDevice::kTriangleList, 0, 0, 6, 0, 1));
    EXPECT_FALSE(device->DrawIndexedPrimitive(VoIRenderDevice::kTriangleList, 0, 0, 6, 1, 1));
    EXPECT_EQ(log.Count(VoRenderDeviceGL::kDrawRange), 4);
    ExpectPixel(1, 1, kBlack);

    // Indices 0, 1, 2 from vertex 3 on: the second triangle.
    const std::uint16_t first[] = {0, 1, 2};
    ASSERT_TRUE(device->WriteBuffer(indices, first, sizeof first));
    EXPECT_TRUE(device->DrawIndexedPrimitive(VoIRenderDevice::kTriangleList, 3, 0, 3, 0, 1));
    ExpectPixel(3, 3, kWhite);
    ExpectPixel(0, 0, kBlack);
    EXPECT_FALSE(device->DrawIndexedPrimitive(VoIRenderDevice::kTriangleList, 4, 0, 3, 0, 1));
    device->ReleaseBuffer(vertices);
    device->ReleaseBuffer(indices);
}

TEST_F(VoRenderDeviceGLTest, TexturesAndTheRasterizerLeaveAGoneDeviceAlone) {
    VoTextureDX9* texture = Texture(2, 2, VoImage::kFormatBGRA, kQuad);
    fRasterizer->SetTexture(texture);
    // The platform goes first: the device and the context, then the engine's objects.
    fDevice.reset();
    VoGraphicsContextState::SetAlive(false);
    LogCapture log;
    fTextures.clear();
    fRasterizer.reset();
    EXPECT_FALSE(log.Contains(VoITexture::kNativeNotDeleted));
    VoGraphicsContextState::SetAlive(true);
}

TEST_F(VoRenderDeviceGLTest, ADeviceRefusesWhatItCannotTake) {
    VoIRenderDevice* device = fDevice.get();
    VoDeviceTexture* texture = nullptr;
    EXPECT_EQ(device->CreateTexture(4, 4, 1, 5, &texture), VoDeviceResult::kInvalidCall);
    EXPECT_EQ(device->CreateTexture(4, 4, 4, 1, &texture), VoDeviceResult::kInvalidCall);
    EXPECT_EQ(device->CreateTexture(1u << 20, 4, 1, 1, &texture), VoDeviceResult::kNotAvailable);
    EXPECT_EQ(texture, nullptr);
    VoDeviceViewport viewport;
    viewport.fX = 700;
    viewport.fWidth = 101;
    viewport.fHeight = 10;
    EXPECT_FALSE(device->SetViewport(viewport));
    EXPECT_FALSE(device->SetRenderState(VoIRenderDevice::kDestBlend, VoIRenderDevice::kBlendSrcAlphaSat));
    EXPECT_FALSE(device->SetRenderState(VoIRenderDevice::kCullMode, 4));
    EXPECT_FALSE(device->SetLight(8, VoDeviceLight()));
    ASSERT_TRUE(device->GetViewport(&viewport));
    EXPECT_EQ(viewport.fWidth, 800u);
    EXPECT_EQ(device->GetMaxVertexIndex(), 0xFFFFFFFFu);
}
