#include "gdi/VoFontRaster.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DisplayProbe.h"
#include "FontProbe.h"
#include "SpriteEngine.h"
#include "gdi/VoFontImageScan.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoRenderer.h"
#include "gdi/VoSprite.h"
#include "render/VoTextureManager.h"
#include "render/VoVertexBuffer.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<float> Vertices(const VoSprite* apSprite) {
    VoVertexBuffer* buffer = apSprite != nullptr ? apSprite->GetVertexBuffer() : nullptr;
    if (buffer == nullptr) {
        return {};
    }
    const float* data = static_cast<const float*>(buffer->GetBuffer());
    return std::vector<float>(data, data + buffer->GetVertexCount() * 5);
}

// The strip of a quad sx x sy pixels over the texels from (u0, v0) to (u1, v1).
std::vector<float> Quad(float aWidth, float aHeight, float aU0, float aV0, float aU1, float aV1) {
    return {0,      -aHeight, 0, aU0, aV1, 0,      0, 0, aU0, aV0,
            aWidth, -aHeight, 0, aU1, aV1, aWidth, 0, 0, aU1, aV0};
}

class VoFontRasterTest : public ::testing::Test {
protected:
    VoFontRasterTest() : fRenderer(VoRenderer::GetInstance()) {}

    std::unique_ptr<VoFontRaster> Font(const std::vector<std::string>& aRows, int aRowHeight,
                                       const char16_t* apCharacters, const char16_t* apId = u"font") {
        std::unique_ptr<VoImage> image = FontImage(aRows);
        const VoString characters(apCharacters != nullptr ? apCharacters : u"");
        return std::make_unique<VoFontRaster>(VoString(apId), apCharacters != nullptr ? &characters : nullptr,
                                              image.get(), aRowHeight);
    }

    // The screen positions at which the sprites of the last pass were placed.
    std::vector<VoVector2> Placements() const {
        std::vector<VoVector2> placed;
        for (const RasterizerCall& call : fEngine.Rasterizer()->Calls()) {
            if (call.name == "SetTransform" && call.hasMatrix) {
                placed.emplace_back(call.matrix.m[3][0] + 400.5f, 300.5f - call.matrix.m[3][1]);
            }
        }
        return placed;
    }

    SpriteEngine fEngine;
    VoRenderer* fRenderer;
};

float Ratio(const VoFontRaster& aFont, char16_t aCharacter) {
    float ratio = -1.0f;
    EXPECT_TRUE(aFont.GetWidthRatio(aCharacter, ratio));
    return ratio;
}

}  // namespace

TEST_F(VoFontRasterTest, TheCraftedFontGivesItsRatiosCentresAndPictures) {
    std::unique_ptr<VoFontRaster> font = Font(CraftedRows(), 5, u"AB");
    EXPECT_EQ(font->GetCharacterHeight(), 4.0f);
    EXPECT_EQ(Ratio(*font, u'A'), 0.75f);
    EXPECT_EQ(Ratio(*font, u'B'), 0.5f);

    VoSprite* a = font->GetSprite(u'A');
    VoSprite* b = font->GetSprite(u'B');
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(Narrow(a->GetId()), "A");
    EXPECT_EQ(a->GetCenter(), VoVector2(1.0f, 0.0f));
    EXPECT_EQ(b->GetCenter(), VoVector2(0.0f, 0.0f));
    // 'A' shows columns 0..4 (black to black), 'B' its two white columns,
    // both over the four glyph lines of the 12 x 5 image.
    EXPECT_THAT(Vertices(a), ElementsAreArray(Quad(5, 4, 0.0f, 0.2f, 5.0f / 12, 1.0f)));
    EXPECT_THAT(Vertices(b), ElementsAreArray(Quad(2, 4, 0.5f, 0.2f, 8.0f / 12, 1.0f)));
    EXPECT_EQ(a->GetTexture(), VoTextureManager::GetInstance()->GetHandle(VoString(u"font")));
    EXPECT_EQ(a->GetTexture(), font->GetTexture());
    EXPECT_EQ(Narrow(font->ToString()), "[VoFontRaster <" + HexAddress(font.get()) + ">]");
}

TEST_F(VoFontRasterTest, WidthsSumTheCharactersAndFollowTheHorizontalScale) {
    std::unique_ptr<VoFontRaster> font = Font(CraftedRows(), 5, u"AB");
    EXPECT_EQ(font->GetTextWidth(VoString(u"AB")), 5.0f);
    EXPECT_EQ(font->GetTextWidth(VoString(u"")), 0.0f);
    EXPECT_EQ(font->GetCharacterAspect(u'A'), 3.0f);
    ASSERT_TRUE(font->SetScale(2.0f, 1.0f));
    EXPECT_EQ(font->GetTextWidth(VoString(u"AB")), 10.0f);
    EXPECT_EQ(font->GetCharacterAspect(u'B'), 4.0f);
    EXPECT_EQ(font->GetCharacterHeight(), 4.0f);
    ASSERT_TRUE(font->SetScale(3.0f));
    VoVector2 scale;
    font->GetScale(scale);
    EXPECT_EQ(scale, VoVector2(3.0f, 3.0f));
}

TEST_F(VoFontRasterTest, AMissingCharacterMeasuresZeroAndIsNamedByItsCode) {
    std::unique_ptr<VoFontRaster> font = Font(CraftedRows(), 5, u"AB");
    LogCapture log;
    EXPECT_EQ(font->GetTextWidth(VoString(u"AC")), 0.0f);
    EXPECT_TRUE(log.Logged("ERROR: ", "Could not find width for char: 67"));
    EXPECT_EQ(font->GetCharacterAspect(u'C'), 0.0f);
    EXPECT_TRUE(log.Logged("ERROR: ", "Could not find aspect for char: 67"));
}

TEST_F(VoFontRasterTest, RenderPlacesEachSpriteAtThePenAndAdvancesByItsWidth) {
    std::unique_ptr<VoFontRaster> font = Font(CraftedRows(), 5, u"AB");
    font->SetPosition(100.0f, 50.0f);
    font->SetBlend(0.5f);
    fEngine.Rasterizer()->ClearCalls();
    ASSERT_TRUE(font->Render(fRenderer, VoString(u"ABA")));
    EXPECT_EQ(fEngine.Rasterizer()->Count("Draw"), 3);
    EXPECT_THAT(fEngine.Rasterizer()->Texts("SetTextureFactor"),
                ElementsAre("SetTextureFactor(0.5)", "SetTextureFactor(0.5)", "SetTextureFactor(0.5)"));
    // 'A' reaches one column left of its pen.
    EXPECT_THAT(Placements(),
                ElementsAre(IsNear2D(99.0f, 50.0f), IsNear2D(103.0f, 50.0f), IsNear2D(104.0f, 50.0f)));

    // Twice as wide: pens and the centre offset double, the height stays.
    font->SetScale(2.0f, 1.0f);
    fEngine.Rasterizer()->ClearCalls();
    ASSERT_TRUE(font->Render(fRenderer, VoString(u"AB")));
    EXPECT_THAT(Placements(), ElementsAre(IsNear2D(98.0f, 50.0f), IsNear2D(106.0f, 50.0f)));
    const VoMatrix& world = fEngine.Rasterizer()->Last("SetTransform")->matrix;
    EXPECT_FLOAT_EQ(world.m[0][0], 2.0f);
    EXPECT_FLOAT_EQ(world.m[1][1], 1.0f);

    // The position is where it was: the pen moved, not the font.
    EXPECT_EQ(font->GetPosition(), VoVector2(100.0f, 50.0f));
    fEngine.Rasterizer()->ClearCalls();
    ASSERT_TRUE(font->Render(fRenderer, VoString(u"")));
    EXPECT_TRUE(fEngine.Rasterizer()->Calls().empty());
}

TEST_F(VoFontRasterTest, RenderStopsAtTheFirstCharacterWithoutASprite) {
    std::unique_ptr<VoFontRaster> font = Font(CraftedRows(), 5, u"AB");
    LogCapture log;
    fEngine.Rasterizer()->ClearCalls();
    EXPECT_FALSE(font->Render(fRenderer, VoString(u"ACB")));
    EXPECT_EQ(fEngine.Rasterizer()->Count("Draw"), 1);
    EXPECT_TRUE(log.Logged("ERROR: ", "Render failure. Could not find sprite for char: 67"));
    // A sprite that cannot draw is reported as the font's failure.
    fEngine.Rasterizer()->SetResult("Draw", false);
    EXPECT_FALSE(font->Render(fRenderer, VoString(u"A")));
    EXPECT_TRUE(log.Logged("ERROR: ", "Render failure."));
}

TEST_F(VoFontRasterTest, RenderCharacterDrawsAtThePositionWithoutMovingIt) {
    std::unique_ptr<VoFontRaster> font = Font(CraftedRows(), 5, u"AB");
    font->SetPosition(10.0f, 20.0f);
    fEngine.Rasterizer()->ClearCalls();
    ASSERT_TRUE(font->RenderCharacter(fRenderer, u'B'));
    ASSERT_TRUE(font->RenderCharacter(fRenderer, u'B'));
    EXPECT_THAT(Placements(), ElementsAre(IsNear2D(10.0f, 20.0f), IsNear2D(10.0f, 20.0f)));
    LogCapture log;
    EXPECT_FALSE(font->RenderCharacter(fRenderer, u'Z'));
    EXPECT_TRUE(log.Logged("ERROR: ", "Render failure. Could not find sprite for char: 90"));
}

// Each case is a small font image and what its cells give.
struct CellCase {
    const char* name;
    std::vector<std::string> rows;
    int rowHeight;
    const char16_t* characters;
    // Per character of the set: width ratio (negative: none) and centre x.
    std::vector<std::pair<float, float>> expected;
};

void PrintTo(const CellCase& aCase, std::ostream* apStream) {
    *apStream << aCase.name;
}

class VoFontRasterCells : public VoFontRasterTest, public ::testing::WithParamInterface<CellCase> {};

TEST_P(VoFontRasterCells, CellsFollowTheGuideLines) {
    const CellCase& c = GetParam();
    std::unique_ptr<VoFontRaster> font = Font(c.rows, c.rowHeight, c.characters);
    const VoString characters(c.characters);
    ASSERT_EQ(static_cast<std::size_t>(characters.GetLength()), c.expected.size());
    for (std::int32_t i = 0; i < characters.GetLength(); ++i) {
        const char16_t character = characters.GetAt(i);
        float ratio = -1.0f;
        const bool has = font->GetWidthRatio(character, ratio);
        if (c.expected[i].first < 0.0f) {
            EXPECT_FALSE(has) << "character " << i;
            EXPECT_EQ(font->GetSprite(character), nullptr) << "character " << i;
            continue;
        }
        ASSERT_TRUE(has) << "character " << i;
        EXPECT_FLOAT_EQ(ratio, c.expected[i].first) << "character " << i;
        ASSERT_NE(font->GetSprite(character), nullptr) << "character " << i;
        EXPECT_EQ(font->GetSprite(character)->GetCenter().x, c.expected[i].second) << "character " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, VoFontRasterCells,
    ::testing::Values(
        // Runs end at the right edge; the next character goes to the next row.
        CellCase{"EdgeEndsTheRow",
                 {"TTWW", "gggg", "KWWT", "gggg"},
                 2,
                 u"abc",
                 {{2.0f, 0.0f}, {2.0f, 1.0f}, {-1.0f, 0.0f}}},
        // A black run after the white one widens the picture, not the advance;
        // several black pixels before the white run: the last one is the left edge.
        CellCase{"BlackRunsAndLeftEdges",
                 {"WKKTKKTWWTTT", "gggggggggggg", "gggggggggggg"},
                 3,
                 u"xy",
                 {{0.5f, 0.0f}, {1.0f, 2.0f}}},
        // A character named twice keeps its first cell; the second uses up one.
        CellCase{"ACharacterNamedTwice",
                 {"WTWWTWWW", "gggggggg"},
                 2,
                 u"ppq",
                 {{1.0f, 0.0f}, {1.0f, 0.0f}, {3.0f, 0.0f}}},
        // Colours next to white or black are neither; a black just before
        // the white run gives centre (1, 0).
        CellCase{"OnlyExactColoursGuide", {"wkKWWwx", "ggggggg"}, 2, u"m", {{2.0f, 1.0f}}},
        // A row of glyph lines without cells, then a row with one.
        CellCase{"EmptyRowsAreSkipped", {"TTT", "ggg", "TWT", "ggg"}, 2, u"n", {{1.0f, 0.0f}}}),
    [](const ::testing::TestParamInfo<CellCase>& aInfo) { return std::string(aInfo.param.name); });

TEST_F(VoFontRasterTest, ACharacterNamedTwiceIsReportedAndTheFirstKeepsItsGlyph) {
    LogCapture log;
    std::unique_ptr<VoFontRaster> font = Font({"WTWWTWWW", "gggggggg"}, 2, u"ppq");
    EXPECT_EQ(log.Count("Add failure."), 1);
    EXPECT_EQ(font->GetCharacterAspect(u'p'), 1.0f);
}

TEST_F(VoFontRasterTest, WithoutACharacterSetTheFontTakesSpaceToTilde) {
    // 95 cells of one white pixel each, separated by transparent ones.
    std::string guide;
    for (int i = 0; i < 95; ++i) {
        guide += i % 2 == 0 ? "WT" : "WWT";
    }
    std::unique_ptr<VoFontRaster> font = Font({guide, std::string(guide.size(), 'g')}, 2, nullptr);
    EXPECT_EQ(TextOf(font->GetCharacters()), std::u16string(VoFontManager::kDefaultCharacters));
    EXPECT_EQ(font->GetCharacters().GetLength(), 95);
    EXPECT_EQ(font->GetCharacterAspect(u' '), 1.0f);
    EXPECT_EQ(font->GetCharacterAspect(u'!'), 2.0f);
    EXPECT_EQ(font->GetCharacterAspect(u'~'), 1.0f);
}

TEST_F(VoFontRasterTest, AnExistingTextureOfTheIdIsReusedAndTheImageStillCut) {
    const std::uint32_t handle = VoTextureManager::GetInstance()->CreateTexture(
        VoString(u"shared"), FontImage({"WWWW", "gggg"}).get());
    ASSERT_NE(handle, 0u);
    std::unique_ptr<VoFontRaster> font = Font(CraftedRows(), 5, u"AB", u"shared");
    EXPECT_EQ(font->GetTexture(), handle);
    EXPECT_EQ(Ratio(*font, u'A'), 0.75f);
}

TEST_F(VoFontRasterTest, AFontWithoutATextureHasNoCharacters) {
    LogCapture log;
    VoString characters(u"AB");
    VoFontRaster font(VoString(u"none"), &characters, nullptr, 5);
    EXPECT_TRUE(log.Logged("ERROR: ", VoFontRaster::kSetupFailure));
    EXPECT_EQ(font.GetSprite(u'A'), nullptr);
    EXPECT_EQ(font.GetCharacterHeight(), VoFontRaster::kInitialCharacterHeight);
    EXPECT_FALSE(font.Render(fRenderer, VoString(u"A")));
    EXPECT_TRUE(log.Logged("ERROR: ", "Render failure. Could not find sprite for char: 65"));
}

// The font's texture holds the image's glyph lines as they are and its
// guide lines transparent, each with the colours of the line below it (the
// last line, with none below, keeps its own), so that filtering round a
// glyph's picture finds nothing of the marks. Pixels without alpha become
// opaque 32-bit ones. Images of 2 x 7 pixels, row height 3: guide lines 0,
// 3 and 6.
TEST_F(VoFontRasterTest, TheTextureClearsTheGuideLinesAndKeepsTheGlyphLines) {
    struct Case {
        const char* what;
        std::int32_t format;
        int bytes;
        std::int32_t textureFormat;
    };
    const Case cases[] = {
        {"32-bit with alpha", VoImage::kFormatBGRA, 4, VoImage::kFormatBGRA},
        {"32-bit without alpha", VoImage::kFormatBGRX, 4, VoImage::kFormatBGRA},
        {"24-bit", VoImage::kFormatBGR, 3, VoImage::kFormatBGRA},
        {"alpha only", VoImage::kFormatA8, 1, VoImage::kFormatA8},
    };
    constexpr int kWidth = 2;
    constexpr int kHeight = 7;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Every byte of a line differs from those of every other line.
        std::vector<unsigned char> pixels;
        for (int y = 0; y < kHeight; ++y) {
            for (int i = 0; i < kWidth * c.bytes; ++i) {
                pixels.push_back(static_cast<unsigned char>(y % 3 == 0 ? 255 - y : 10 * y + i));
            }
        }
        VoImage image;
        ASSERT_TRUE(image.Create(kWidth, kHeight, kWidth * c.bytes, c.format, pixels.data(),
                                 static_cast<std::int32_t>(pixels.size())));
        const VoString id = VoString(u"texels ") + VoString(c.what);
        VoFontRaster font(id, nullptr, &image, 3);
        auto* texture =
            dynamic_cast<RecordingTexture*>(VoTextureManager::GetInstance()->GetTexture(font.GetTexture()));
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(texture->GetFormat(), c.textureFormat);
        const int out = c.textureFormat == VoImage::kFormatA8 ? 1 : 4;
        const std::vector<unsigned char>& texels = texture->GetTexels();
        ASSERT_EQ(texels.size(), static_cast<std::size_t>(kWidth * kHeight * out));
        for (int y = 0; y < kHeight; ++y) {
            const bool guide = y % 3 == 0;
            // The line whose colours the texels carry.
            const int from = guide && y + 1 < kHeight ? y + 1 : y;
            for (int x = 0; x < kWidth; ++x) {
                const unsigned char* texel = &texels[static_cast<std::size_t>((y * kWidth + x) * out)];
                const unsigned char* pixel = &pixels[static_cast<std::size_t>((from * kWidth + x) * c.bytes)];
                for (int channel = 0; channel < out - 1; ++channel) {
                    EXPECT_EQ(texel[channel], pixel[channel]) << "line " << y << ", column " << x;
                }
                const int alpha =
                    guide ? 0 : (c.bytes == 3 || c.format == VoImage::kFormatBGRX ? 255 : pixel[out - 1]);
                EXPECT_EQ(texel[out - 1], alpha) << "line " << y << ", column " << x;
            }
        }
    }
}

// The scan on its own: guide lines of every format, and row heights that
// leave no glyph lines.
TEST(VoFontImageScan, RowHeightsBelowTwoFindNoCells) {
    std::unique_ptr<VoImage> image = FontImage(CraftedRows());
    for (std::int32_t rowHeight : {1, 0, -5, -2147483647 - 1}) {
        VoFontImageScan scan(*image, rowHeight);
        VoFontCell cell;
        EXPECT_FALSE(scan.Next(cell)) << rowHeight;
    }
    // A row height beyond the image reads the one guide line.
    VoFontImageScan tall(*image, 2147483647);
    VoFontCell cell;
    EXPECT_TRUE(tall.Next(cell));
    EXPECT_TRUE(tall.Next(cell));
    EXPECT_FALSE(tall.Next(cell));
    EXPECT_FALSE(tall.Next(cell));
}

TEST(VoFontImageScan, TwentyFourBitAndAlphaOnlyImagesAreOpaque) {
    // B, G, R: white, white, black, grey.
    const unsigned char bgr[] = {255, 255, 255, 255, 255, 255, 0, 0, 0, 9, 9, 9,
                                 1,   1,   1,   1,   1,   1,   1, 1, 1, 1, 1, 1};
    VoImage opaque;
    ASSERT_TRUE(opaque.Create(4, 2, 12, VoImage::kFormatBGR, bgr, sizeof bgr));
    VoFontImageScan scan(opaque, 2);
    VoFontCell cell;
    ASSERT_TRUE(scan.Next(cell));
    EXPECT_EQ(cell.start, 0);
    EXPECT_EQ(cell.whiteEnd, 2);
    EXPECT_EQ(cell.blackEnd, 3);
    EXPECT_FALSE(scan.Next(cell));

    // Alpha only: an opaque pixel reads as black, nothing as white.
    const unsigned char alpha[] = {255, 255, 0, 0};
    VoImage mask;
    ASSERT_TRUE(mask.Create(2, 2, 2, VoImage::kFormatA8, alpha, sizeof alpha));
    VoFontImageScan maskScan(mask, 2);
    EXPECT_FALSE(maskScan.Next(cell));
}
