// Sprites and shapes drawn through the engine's own rasterizer onto the
// headless GL context: texels land on pixels, fades reach the picture, the
// fill lies under the outline.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gdi/VoRenderer.h"
#include "gdi/VoSRectangle.h"
#include "gdi/VoSprite.h"
#include "geometry/VoImage.h"
#include "platform/port/VoIRenderDevice.h"
#include "render/VoIRasterizer.h"
#include "render/VoRenderDeviceSource.h"
#include "render/VoTextureManager.h"
#include "support/GLTestContext.h"
#include "support/ScopedEngine.h"

namespace {

const Rgba kBlack = {0, 0, 0, 255};
const Rgba kRed = {255, 0, 0, 255};
const Rgba kGreen = {0, 255, 0, 255};
const Rgba kBlue = {0, 0, 255, 255};
const Rgba kWhite = {255, 255, 255, 255};

class VoRendererGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fGL.IsReady()) << fGL.Error();
        fDevice.reset(VoCreateRenderDevice());
        ASSERT_NE(fDevice, nullptr);
        VoRenderDeviceSource::Set(fDevice.get());
        fEngine = std::make_unique<ScopedEngine>();
        fRenderer = VoRenderer::GetInstance();
        ASSERT_NE(fRenderer, nullptr);
        VoIRasterizer* rasterizer = VoIRasterizer::Get();
        ASSERT_TRUE(rasterizer->SetColorValues(1.0f, 0.0f, 0.0f, 0.0f));
        ASSERT_TRUE(rasterizer->Clear());
        ASSERT_TRUE(fRenderer->BeginRender());
    }

    void TearDown() override {
        fEngine.reset();
        VoRenderDeviceSource::Set(nullptr);
        fDevice.reset();
    }

    // A 2 x 2 texture: red, green / blue, white.
    std::uint32_t Quad() {
        const unsigned char pixels[] = {0, 0, 255, 255, 0, 255, 0, 255, 255, 0, 0, 255, 255, 255, 255, 255};
        VoImage image;
        EXPECT_TRUE(image.Create(2, 2, 8, VoImage::kFormatBGRA, pixels, 16));
        return VoTextureManager::GetInstance()->CreateTexture(VoString(u"quad"), &image);
    }

    void ExpectPixel(int aX, int aY, const Rgba& aExpected) {
        EXPECT_TRUE(fGL.PixelNear(aX, aY, aExpected))
            << "pixel " << aX << ", " << aY << " is " << ToText(fGL.Pixel(aX, aY)) << ", expected "
            << ToText(aExpected);
    }

    GLTestContext fGL;
    std::unique_ptr<VoIRenderDevice> fDevice;
    std::unique_ptr<ScopedEngine> fEngine;
    VoRenderer* fRenderer = nullptr;
};

}  // namespace

TEST_F(VoRendererGLTest, ASpriteLaysOneTexelOnEachPixel) {
    VoSprite sprite;
    ASSERT_TRUE(sprite.SetTexture(Quad(), nullptr, nullptr));
    sprite.SetPosition(10.0f, 20.0f);
    ASSERT_TRUE(sprite.Render(fRenderer));
    ExpectPixel(10, 20, kRed);
    ExpectPixel(11, 20, kGreen);
    ExpectPixel(10, 21, kBlue);
    ExpectPixel(11, 21, kWhite);
    for (const auto& outside : std::vector<std::pair<int, int>>{{9, 20}, {12, 20}, {10, 19}, {10, 22}}) {
        ExpectPixel(outside.first, outside.second, kBlack);
    }
}

TEST_F(VoRendererGLTest, AFadedSpriteIsBlendedOverWhatIsThere) {
    VoSprite sprite;
    ASSERT_TRUE(sprite.SetTexture(Quad(), nullptr, nullptr));
    sprite.SetPosition(100.0f, 100.0f);
    sprite.SetBlend(0.5f);
    ASSERT_TRUE(sprite.Render(fRenderer));
    const Rgba white = fGL.Pixel(101, 101);
    EXPECT_NEAR(white[0], 128, 2);
    EXPECT_NEAR(white[1], 128, 2);
    EXPECT_NEAR(white[2], 128, 2);
}

TEST_F(VoRendererGLTest, AFilledRectangleLiesUnderItsOutline) {
    VoSRectangle shape;
    shape.SetShapeRectangle(VoRectangle(0, 0, 10, 6));
    shape.SetPosition(30.0f, 40.0f);
    shape.SetFilled(true);
    shape.SetFillColor(VoColor(1.0f, 0.0f, 0.0f, 1.0f));    // blue
    shape.SetStrokeColor(VoColor(1.0f, 1.0f, 0.0f, 0.0f));  // red
    ASSERT_TRUE(shape.Render(fRenderer));
    ExpectPixel(35, 43, kBlue);
    // The outline runs along pixel edges: which row of the two takes it is
    // the rasterizer's rule.
    EXPECT_TRUE(fGL.PixelNear(35, 40, kRed) || fGL.PixelNear(35, 39, kRed))
        << ToText(fGL.Pixel(35, 39)) << " " << ToText(fGL.Pixel(35, 40));
    ExpectPixel(35, 30, kBlack);
    ExpectPixel(45, 43, kBlack);
}
