// Text drawn with a sample font of the data tree through the engine's own
// rasterizer onto the headless GL context: the glyphs leave ink where the
// line is and nowhere else.
#include <gtest/gtest.h>

#include <memory>

#include "gdi/VoFontManager.h"
#include "gdi/VoIFont.h"
#include "gdi/VoRenderer.h"
#include "gdi/VoTextArea.h"
#include "platform/port/VoIRenderDevice.h"
#include "render/VoIRasterizer.h"
#include "render/VoRenderDeviceSource.h"
#include "support/GLTestContext.h"
#include "support/ScopedEngine.h"
#include "system/VoIFileSystem.h"

namespace {

class VoFontGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fGL.IsReady()) << fGL.Error();
        fDevice.reset(VoCreateRenderDevice());
        ASSERT_NE(fDevice, nullptr);
        VoRenderDeviceSource::Set(fDevice.get());
        fEngine = std::make_unique<ScopedEngine>();
        VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
        ASSERT_TRUE(fileSystem != nullptr &&
                    fileSystem->Mount(VoString(u"//dataroot"), VoString(VO_SOURCE_DIR "/data")));
        ASSERT_TRUE(VoFontManager::GetInstance()->CreateFonts(
            VoString(u"//dataroot/textures/fonts/fonts.txt"), VoString(u"//dataroot/textures/fonts/")));
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

    // The pixels within the rectangle whose red, green and blue all exceed 128.
    int InkedPixels(int aX, int aY, int aWidth, int aHeight) const {
        int inked = 0;
        for (int y = aY; y < aY + aHeight; ++y) {
            for (int x = aX; x < aX + aWidth; ++x) {
                const Rgba pixel = fGL.Pixel(x, y);
                if (pixel[0] > 128 && pixel[1] > 128 && pixel[2] > 128) {
                    ++inked;
                }
            }
        }
        return inked;
    }

    GLTestContext fGL;
    std::unique_ptr<VoIRenderDevice> fDevice;
    std::unique_ptr<ScopedEngine> fEngine;
    VoRenderer* fRenderer = nullptr;
};

}  // namespace

TEST_F(VoFontGLTest, AWhiteSampleFontLeavesInkOnlyWhereItsLineIs) {
    VoTextArea area;
    ASSERT_TRUE(area.Create(VoString(u"tahoma10")));
    area.SetPosition(20.0f, 30.0f);
    area.SetText(u"Hello, World");
    ASSERT_TRUE(area.Render(fRenderer));

    VoIFont* font = area.GetFont();
    const int width = static_cast<int>(font->GetTextWidth(VoString(u"Hello, World")));
    const int height = static_cast<int>(font->GetCharacterHeight());
    ASSERT_GT(width, 40);
    // Each letter leaves some fully covered pixels: an 'H' alone has two stems.
    EXPECT_GT(InkedPixels(20, 30, width, height), 40);
    EXPECT_GT(InkedPixels(20, 30, width / 6, height), 5);
    // Nothing above, below or right of the line, and not a guide line's white.
    EXPECT_EQ(InkedPixels(0, 0, 800, 30), 0);
    EXPECT_EQ(InkedPixels(0, 30 + height, 800, 100), 0);
    EXPECT_EQ(InkedPixels(20 + width + 2, 30, 200, height), 0);
}
