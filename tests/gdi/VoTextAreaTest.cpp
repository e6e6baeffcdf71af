#include "gdi/VoTextArea.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DisplayProbe.h"
#include "FontProbe.h"
#include "SpriteEngine.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFontRaster.h"
#include "gdi/VoRenderer.h"
#include "geometry/VoRectangle.h"
#include "support/LogCapture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<std::string> Lines(const VoTextArea& aArea) {
    std::vector<std::string> lines;
    for (int i = 0; i < aArea.GetLines().GetCount(); ++i) {
        lines.push_back(Narrow(*aArea.GetLines().PeekAt(i)));
    }
    return lines;
}

std::vector<std::string> Texts(const std::vector<DrawnLine>& aDrawn) {
    std::vector<std::string> texts;
    for (const DrawnLine& line : aDrawn) {
        texts.push_back(line.text);
    }
    return texts;
}

class VoTextAreaTest : public ::testing::Test {
protected:
    VoTextAreaTest() : fRenderer(VoRenderer::GetInstance()) { EXPECT_TRUE(fArea.Create(&fFont)); }

    SpriteEngine fEngine;
    VoRenderer* fRenderer;
    FixedFont fFont;  // every character 10 pixels wide, 12 high
    VoTextArea fArea;
};

// One layout: the area's settings and the lines that must come out.
struct LayoutCase {
    const char* name;
    const char16_t* text;
    float width;
    bool wordWrap;
    bool multiLine;
    const char16_t* extraBreaks;
    bool lacksO;
    std::vector<std::string> lines;
};

void PrintTo(const LayoutCase& aCase, std::ostream* apStream) {
    *apStream << aCase.name;
}

class VoTextAreaLayout : public VoTextAreaTest, public ::testing::WithParamInterface<LayoutCase> {};

}  // namespace

TEST_P(VoTextAreaLayout, BreaksTheTextIntoLines) {
    const LayoutCase& c = GetParam();
    if (c.lacksO) {
        fFont.Lack(u'o');
    }
    fArea.SetText(c.text);
    fArea.SetWidth(c.width);
    fArea.SetWordWrap(c.wordWrap);
    fArea.SetMultiLine(c.multiLine);
    fArea.SetExtraBreakCharacters(VoString(c.extraBreaks));
    LogCapture log;
    EXPECT_TRUE(fArea.LayoutLines());
    EXPECT_THAT(Lines(fArea), ElementsAreArray(c.lines));
    EXPECT_FALSE(fArea.IsLayoutDirty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VoTextAreaLayout,
    ::testing::Values(
        LayoutCase{
            "ThreeWordsOnTwoLines", u"aaaa bbbb cccc", 100, true, true, u"", false, {"aaaa bbbb", "cccc"}},
        LayoutCase{"MultiLineOffLaysOutTheFirstLineOnly",
                   u"aaaa bbbb cccc",
                   100,
                   true,
                   false,
                   u"",
                   false,
                   {"aaaa bbbb"}},
        LayoutCase{"ALongWordGoesOneCharacterALineUntilItsRestFits",
                   u"abcdefgh-ijk",
                   60,
                   true,
                   true,
                   u"",
                   false,
                   {"a", "b", "c", "defgh-", "ijk"}},
        LayoutCase{"WithoutWrapALongTextStaysOneLine",
                   u"aaaa bbbb cccc dddd",
                   30,
                   false,
                   true,
                   u"",
                   false,
                   {"aaaa bbbb cccc dddd"}},
        // Mended: the rest of the text at exactly the width is the last line.
        LayoutCase{"TextAtExactlyItsWidthStaysOneLine", u"ab cd", 50, true, true, u"", false, {"ab cd"}},
        LayoutCase{"ASpaceJustPastTheWidthEndsTheLineAndIsDropped",
                   u"aaaaa bbb",
                   50,
                   true,
                   true,
                   u"",
                   false,
                   {"aaaaa", "bbb"}},
        LayoutCase{"AHyphenJustPastTheWidthIsNotUsed",
                   u"ab-cd-efg",
                   50,
                   true,
                   true,
                   u"",
                   false,
                   {"ab-", "cd-", "efg"}},
        LayoutCase{"AnExtraBreakJustPastTheWidthStaysOnTheLine",
                   u"abcde,fg",
                   50,
                   true,
                   true,
                   u",",
                   false,
                   {"abcde,", "fg"}},
        LayoutCase{
            "ALineThatStartsWithASpaceKeepsIt", u"aaaaa  bb", 50, true, true, u"", false, {"aaaaa", " bb"}},
        LayoutCase{"ATabIsDroppedLikeASpace", u"aaa\tbbb", 40, true, true, u"", false, {"aaa", "bbb"}},
        LayoutCase{
            "ASlashAndABackslashAreKept", u"aa/bb\\cc", 30, true, true, u"", false, {"aa/", "bb\\", "cc"}},
        // Mended: a font without 'o' starts each estimate from nothing.
        LayoutCase{"AFontWithoutOStillLaysOut",
                   u"aaaa bbbb cccc",
                   100,
                   true,
                   true,
                   u"",
                   true,
                   {"aaaa bbbb", "cccc"}},
        LayoutCase{
            "AnAreaNarrowerThanACharacterTakesOneALine", u"abc", 5, true, true, u"", false, {"a", "b", "c"}}),
    [](const ::testing::TestParamInfo<LayoutCase>& aInfo) { return std::string(aInfo.param.name); });

TEST_F(VoTextAreaTest, CreateSetsTheDefaults) {
    fArea.SetScale(1.0f, 2.0f);
    ASSERT_TRUE(fArea.Create(&fFont));
    EXPECT_EQ(fArea.GetFont(), &fFont);
    EXPECT_FALSE(fArea.GetWordWrap());
    EXPECT_FALSE(fArea.GetMultiLine());
    EXPECT_EQ(fArea.GetWidth(), 100.0f);
    EXPECT_EQ(fArea.GetHeight(), 24.0f);
    EXPECT_EQ(fArea.GetLineHeight(), 24.0f);
    EXPECT_EQ(TextOf(fArea.GetDroppedBreakCharacters()), u" \t");
    EXPECT_EQ(TextOf(fArea.GetKeptBreakCharacters()), u"-/\\");
    EXPECT_EQ(fArea.GetExtraBreakCharacters().GetLength(), 0);
    EXPECT_TRUE(fArea.IsLayoutDirty());
    EXPECT_EQ(Narrow(fArea.ToString()), "[VoTextArea <" + HexAddress(&fArea) + ">]");
}

TEST_F(VoTextAreaTest, CreateWithoutAFontChangesNothing) {
    fArea.SetWidth(42.0f);
    LogCapture log;
    EXPECT_FALSE(fArea.Create(static_cast<VoIFont*>(nullptr)));
    EXPECT_TRUE(log.Logged("ERROR: ", VoTextArea::kCreateNull));
    EXPECT_EQ(fArea.GetFont(), &fFont);
    EXPECT_EQ(fArea.GetWidth(), 42.0f);

    log.Clear();
    VoTextArea byId;
    EXPECT_FALSE(byId.Create(VoString(u"nofont")));
    EXPECT_TRUE(log.Logged("ERROR: ", "GetFont failure. ID not found:nofont"));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoTextArea::kCreateFontNotFound));
    EXPECT_TRUE(log.Logged("ERROR: ", VoTextArea::kCreateNull));
    EXPECT_EQ(byId.GetFont(), nullptr);
}

TEST_F(VoTextAreaTest, AnEmptyTextWithWrapIsAProbableDeadlockOnce) {
    fArea.SetWordWrap(true);
    fArea.SetText(u"");
    LogCapture log;
    EXPECT_FALSE(fArea.Render(fRenderer));
    EXPECT_EQ(log.Count(VoTextArea::kRenderDeadlock), 1);
    EXPECT_THAT(Lines(fArea), ElementsAre(""));
    // The layout counts as done: the next pass draws what was made.
    EXPECT_TRUE(fArea.Render(fRenderer));
    EXPECT_EQ(log.Count(VoTextArea::kRenderDeadlock), 1);

    // Mended: a negative width with an empty text reads no character before the text.
    fArea.SetWidth(-5.0f);
    EXPECT_FALSE(fArea.LayoutLines());
    EXPECT_THAT(Lines(fArea), ElementsAre(""));

    // Without wrap an empty text is one empty line and no failure.
    fArea.SetWordWrap(false);
    EXPECT_TRUE(fArea.LayoutLines());
    EXPECT_THAT(Lines(fArea), ElementsAre(""));
}

TEST_F(VoTextAreaTest, ADroppedBreakWhereALineBeginsStopsTheLayout) {
    // One character fits a line, and the second line would begin at the
    // second space.
    fArea.SetText(u"a  b");
    fArea.SetWidth(10.0f);
    fArea.SetWordWrap(true);
    fArea.SetMultiLine(true);
    EXPECT_FALSE(fArea.LayoutLines());
    EXPECT_THAT(Lines(fArea), ElementsAre("a", ""));
}

TEST_F(VoTextAreaTest, RenderDrawsEachLineBelowTheLastAtTheWorldPosition) {
    VoDisplayGroup group;
    group.SetPosition(100.0f, 50.0f);
    group.SetBlend(0.5f);
    VoTextArea* area = new VoTextArea();
    area->SetId(VoString(u"text"));
    ASSERT_TRUE(group.AddMember(area, true));
    ASSERT_TRUE(area->Create(&fFont));
    area->SetPosition(10.25f, 20.75f);
    area->SetText(u"aaaa bbbb cccc dddd eeee");
    area->SetWordWrap(true);
    area->SetSingleLine(true);  // several lines, as its callers mean it
    EXPECT_TRUE(area->GetMultiLine());
    area->SetLineHeight(15.0f);
    fFont.SetBlend(0.75f);

    ASSERT_TRUE(group.Render(fRenderer));
    EXPECT_THAT(Texts(fFont.fDrawn), ElementsAre("aaaa bbbb", "cccc dddd", "eeee"));
    EXPECT_THAT(fFont.fDrawn[0].position, IsNear2D(110.25f, 70.75f));
    EXPECT_THAT(fFont.fDrawn[2].position, IsNear2D(110.25f, 100.75f));
    EXPECT_EQ(fFont.fDrawn[1].blend, 0.5f);
    // The font gets its own blend back.
    EXPECT_EQ(fFont.GetBlend(), 0.75f);
    EXPECT_EQ(area->GetLinesHeight(), 45.0f);
    EXPECT_EQ(area->GetHeight(), 12.0f);

    // Pixel snap puts the pen on whole pixels.
    area->SetPixelSnap(true);
    fFont.fDrawn.clear();
    ASSERT_TRUE(group.Render(fRenderer));
    EXPECT_THAT(fFont.fDrawn[0].position, IsNear2D(110.0f, 70.0f));
    EXPECT_THAT(fFont.fDrawn[1].position, IsNear2D(110.0f, 85.0f));

    // Hidden or inactive: nothing drawn, true.
    fFont.fDrawn.clear();
    group.SetVisible(false);
    EXPECT_TRUE(group.Render(fRenderer));
    group.SetVisible(true);
    area->SetActive(false);
    EXPECT_TRUE(group.Render(fRenderer));
    EXPECT_TRUE(fFont.fDrawn.empty());
}

TEST_F(VoTextAreaTest, ALineTheFontCannotDrawStopsTheRestAndGivesTheBlendBack) {
    fArea.SetText(u"aaaa bbbb");
    fArea.SetWidth(40.0f);
    fArea.SetWordWrap(true);
    fArea.SetMultiLine(true);
    fArea.SetBlend(0.25f);
    fFont.fRenderResult = false;
    EXPECT_FALSE(fArea.Render(fRenderer));
    EXPECT_THAT(Texts(fFont.fDrawn), ElementsAre("aaaa"));
    EXPECT_EQ(fFont.fDrawn[0].blend, 0.25f);
    EXPECT_EQ(fFont.GetBlend(), 1.0f);
}

TEST_F(VoTextAreaTest, WithoutAFontNothingIsDrawn) {
    VoTextArea bare;
    bare.SetText(u"words");
    bare.SetWordWrap(true);
    EXPECT_TRUE(bare.Render(fRenderer));
    EXPECT_TRUE(bare.LayoutLines());
    EXPECT_THAT(Lines(bare), ElementsAre("words"));
}

TEST_F(VoTextAreaTest, ClearTextLeavesTheOldLinesUntilTheNextChange) {
    fArea.SetText(u"shown");
    ASSERT_TRUE(fArea.Render(fRenderer));
    ASSERT_TRUE(fArea.ClearText());
    EXPECT_EQ(fArea.GetText().GetLength(), 0);
    fFont.fDrawn.clear();
    ASSERT_TRUE(fArea.Render(fRenderer));
    EXPECT_THAT(Texts(fFont.fDrawn), ElementsAre("shown"));

    fArea.SetText(u"");
    fFont.fDrawn.clear();
    ASSERT_TRUE(fArea.Render(fRenderer));
    EXPECT_THAT(Texts(fFont.fDrawn), ElementsAre(""));
    VoString text(u"unchanged");
    EXPECT_TRUE(fArea.GetText(text));
    EXPECT_EQ(text.GetLength(), 0);
}

// Mended: the bounds lie where the text is drawn, the world position, which
// is already the centre away from the position.
TEST_F(VoTextAreaTest, BoundsStartWhereTheTextIsDrawn) {
    VoDisplayGroup group;
    group.SetPosition(100.0f, 50.0f);
    VoTextArea* area = new VoTextArea();
    area->SetId(VoString(u"text"));
    ASSERT_TRUE(group.AddMember(area, true));
    ASSERT_TRUE(area->Create(&fFont));
    area->SetPosition(10.0f, 20.0f);
    area->SetCenter(2.0f, 3.0f);
    area->SetWidth(60.0f);
    EXPECT_EQ(area->GetWorldBounds(), VoRectangle(108.0f, 67.0f, 60.0f, 12.0f));
    EXPECT_EQ(area->GetBounds(), VoRectangle(8.0f, 17.0f, 60.0f, 12.0f));
    area->SetText(u"x");
    ASSERT_TRUE(group.Render(fRenderer));
    ASSERT_EQ(fFont.fDrawn.size(), 1u);
    EXPECT_THAT(fFont.fDrawn[0].position, IsNear2D(108.0f, 67.0f));
}

// With a raster font: its glyphs reach the rasterizer at the area's blend.
// The crafted font has no space and no 'o': the layout measures without them.
TEST(VoTextAreaRaster, TheAreaDrawsTheGlyphsOfARasterFont) {
    SpriteEngine engine;
    VoRenderer* renderer = VoRenderer::GetInstance();
    ASSERT_NE(renderer, nullptr);
    std::unique_ptr<VoImage> image = FontImage(CraftedRows());
    const VoString characters(u"AB");
    VoFontRaster font(VoString(u"crafted"), &characters, image.get(), 5);
    VoTextArea area;
    ASSERT_TRUE(area.Create(&font));
    area.SetText(u"AB BA");
    area.SetWordWrap(true);
    area.SetMultiLine(true);
    area.SetWidth(5.0f);
    area.SetBlend(0.5f);
    area.SetPosition(10.0f, 10.0f);
    engine.Rasterizer()->ClearCalls();
    LogCapture log;
    EXPECT_TRUE(area.Render(renderer));
    EXPECT_THAT(Lines(area), ElementsAre("AB", "BA"));
    EXPECT_TRUE(log.Logged("ERROR: ", "Could not find aspect for char: 111"));
    EXPECT_EQ(engine.Rasterizer()->Count("Draw"), 4);
    EXPECT_THAT(engine.Rasterizer()->Texts("SetTextureFactor"), ::testing::Each("SetTextureFactor(0.5)"));
    EXPECT_EQ(font.GetBlend(), 1.0f);
    // The font is left at the start of the last line.
    EXPECT_EQ(font.GetPosition(), VoVector2(10.0f, 14.0f));
}
