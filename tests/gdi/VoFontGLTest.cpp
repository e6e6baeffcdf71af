// Text drawn with a sample font of the data tree through the engine's own
// rasterizer onto the headless GL context: the glyphs leave ink where the
// line is and nowhere else, at any scale and position (the 2D renderer
// filters textures linearly, so a glyph drawn smaller than its picture, or
// off the pixel grid, mixes in the texels around its cell).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "container/VoPropertyList.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoIFont.h"
#include "gdi/VoRenderer.h"
#include "gdi/VoTextArea.h"
#include "platform/port/VoIRenderDevice.h"
#include "render/VoIRasterizer.h"
#include "render/VoRenderDeviceSource.h"
#include "support/GLTestContext.h"
#include "support/ScopedEngine.h"
#include "support/TestText.h"
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

    // The first and last rows (from the top of the screen) where the
    // picture differs from the ground by more than aTolerance in a channel;
    // {-1, -1} when nowhere.
    std::pair<int, int> InkedRows(const Rgba& aGround, int aTolerance) const {
        const std::vector<Rgba> pixels = fGL.Pixels();
        int first = -1;
        int last = -1;
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                const Rgba& pixel = pixels[static_cast<std::size_t>(y) * 800 + x];
                bool differs = false;
                for (int c = 0; c < 3; ++c) {
                    differs = differs || std::abs(pixel[c] - aGround[c]) > aTolerance;
                }
                if (differs) {
                    first = first < 0 ? y : first;
                    last = y;
                }
            }
        }
        return {first, last};
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

// Every font of the sample tree drawn as the load screen draws its
// descriptions (half size, at its first cell's pen), and smaller or larger,
// on and off the pixel grid, over a dark red unlike any font's colour: a
// line of capitals inks only the rows that its glyphs' texels reach through
// the filter. Pixel centres lie on whole coordinates and a sprite's quad
// begins half a pixel above its position, so at scale s texel row t of the
// glyph picture (t from 0 at the quad's top) has its centre at
// y - 0.5 + (t + 0.5) s, and linear filtering carries its ink to the pixels
// less than one texel (s pixels) from there. The texels round a glyph's
// cell (the guide lines of the font image above and below it, with their
// opaque white and black marks) must add nothing: the load screen showed
// them as a dashed line under every description.
TEST_F(VoFontGLTest, ScaledAndShiftedTextInksOnlyWhatItsGlyphsReach) {
    constexpr const char16_t* kText = u"HIHEH";
    const Rgba kGround = {160, 16, 16, 255};
    constexpr int kTolerance = 12;
    const float kScales[] = {0.5f, 0.75f, 1.0f, 1.5f};
    // Pens: the load screen's first description, then off the grid.
    const std::pair<float, float> kPens[] = {
        {41.0f, 262.0f}, {41.25f, 262.5f}, {41.5f, 262.25f}, {40.75f, 261.5f}};
    VoPropertyList list;
    ASSERT_TRUE(list.Load(VoString(u"//dataroot/textures/fonts/fonts.txt"), true));
    VoPropertyList* entries = list.GetList(VoString(u"fonts"));
    ASSERT_NE(entries, nullptr);
    VoIRasterizer* rasterizer = VoIRasterizer::Get();
    int fonts = 0;
    for (int i = 0; i < entries->GetCount(); ++i) {
        const VoString id = entries->GetListAt(i)->GetString(VoString(u"id"), nullptr);
        SCOPED_TRACE(Narrow(id));
        VoTextArea area;
        ASSERT_TRUE(area.Create(id));
        area.SetText(kText);
        VoIFont* font = area.GetFont();
        const auto draw = [&](float aScale, float aX, float aY) {
            font->SetScale(aScale);
            area.SetPosition(aX, aY);
            EXPECT_TRUE(rasterizer->SetColorValues(1.0f, 160.0f / 255.0f, 16.0f / 255.0f, 16.0f / 255.0f));
            EXPECT_TRUE(rasterizer->Clear());
            EXPECT_TRUE(area.Render(fRenderer));
        };
        // At full size on the grid each texel is one pixel: the texel rows
        // the glyphs ink, counted from the quad's top.
        draw(1.0f, 20.0f, 100.0f);
        const std::pair<int, int> whole = InkedRows(kGround, kTolerance);
        ASSERT_GE(whole.first, 100);
        const float top = static_cast<float>(whole.first - 100);
        const float end = static_cast<float>(whole.second - 100 + 1);
        for (float scale : kScales) {
            for (const auto& pen : kPens) {
                draw(scale, pen.first, pen.second);
                const std::pair<int, int> rows = InkedRows(kGround, kTolerance);
                const float quad = pen.second - 0.5f;
                EXPECT_GE(static_cast<float>(rows.first), quad + (top - 0.5f) * scale)
                    << "above the text, scale " << scale << " at " << pen.first << ", " << pen.second;
                EXPECT_LE(static_cast<float>(rows.second), quad + (end + 0.5f) * scale)
                    << "under the text, scale " << scale << " at " << pen.first << ", " << pen.second;
            }
        }
        font->SetScale(1.0f);
        ++fonts;
    }
    EXPECT_GE(fonts, 10);
}
