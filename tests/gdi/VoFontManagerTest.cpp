#include "gdi/VoFontManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FontProbe.h"
#include "SpriteEngine.h"
#include "container/VoPropertyList.h"
#include "gdi/VoFontRaster.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "system/VoIFileSystem.h"

namespace {

const char* const kFontList =
    "fonts\n"
    "\tone\n\t\tid=ab\n\t\ttexture=crafted.tga\n\t\trowheight=5\n\t\tcharacters=AB\n"
    "\ttwo\n\t\tid=ab\n\t\ttexture=crafted.tga\n\t\trowheight=5\n"
    "\tthree\n\t\tid=flat\n\t\ttexture=crafted.tga\n\t\trowheight=1\n"
    "\tfour\n\t\tid=norows\n\t\ttexture=crafted.tga\n"
    "\tfive\n\t\tid=ba\n\t\ttexture=crafted.tga\n\t\trowheight=5\n\t\tcharacters=BA\n"
    "\tsix=a value, not an entry\n";

class VoFontManagerTest : public ::testing::Test {
protected:
    VoFontManagerTest() : fFonts(VoFontManager::GetInstance()) {
        fFolder.Write("crafted.tga", FontTga(CraftedRows()));
        fFolder.Write("fonts.txt", kFontList);
        fFolder.Write("nofonts.txt", "typefaces\n\tone=1\n");
        VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
        EXPECT_TRUE(fileSystem != nullptr &&
                    fileSystem->Mount(VoString(u"//fonttest"), PlatformTestFolder::Wide(fFolder.Files())));
    }

    float Ratio(const char16_t* apId, char16_t aCharacter) {
        VoFontRaster* font = dynamic_cast<VoFontRaster*>(fFonts->GetFont(VoString(apId)));
        float ratio = -1.0f;
        return font != nullptr && font->GetWidthRatio(aCharacter, ratio) ? ratio : -1.0f;
    }

    SpriteEngine fEngine;
    PlatformTestFolder fFolder;
    VoFontManager* fFonts;
};

}  // namespace

TEST_F(VoFontManagerTest, SetRootKeepsOneTrailingSlashAndSingleSlashesWithin) {
    const std::vector<std::pair<const char16_t*, const char*>> cases = {
        {u"//a//b", "//a/b/"},
        {u"//dataroot/textures/fonts", "//dataroot/textures/fonts/"},
        {u"//dataroot/textures/fonts/", "//dataroot/textures/fonts/"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(fFonts->SetRoot(VoString(c.first))) << c.second;
        EXPECT_EQ(Narrow(fFonts->GetRoot()), c.second);
    }
    LogCapture log;
    for (const char16_t* bad : {u"a/b", u"/a", u"", u"\\\\a"}) {
        EXPECT_FALSE(fFonts->SetRoot(VoString(bad)));
    }
    EXPECT_EQ(log.Count("SetRoot failure. Invalid arg."), 4);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoFontManager::kSetRootInvalid));
    EXPECT_EQ(Narrow(fFonts->GetRoot()), "//dataroot/textures/fonts/");
}

TEST_F(VoFontManagerTest, CreateFontsMakesEveryGoodFontAndReportsTheOthers) {
    LogCapture log;
    EXPECT_FALSE(fFonts->CreateFonts(VoString(u"//fonttest/fonts.txt"), VoString(u"//fonttest/")));
    EXPECT_EQ(fFonts->GetFontCount(), 2);
    EXPECT_EQ(Ratio(u"ab", u'A'), 0.75f);
    EXPECT_EQ(Ratio(u"ab", u'B'), 0.5f);
    // The other set assigns the same cells the other way round.
    EXPECT_EQ(Ratio(u"ba", u'B'), 0.75f);
    EXPECT_EQ(Ratio(u"ba", u'A'), 0.5f);
    EXPECT_TRUE(log.Logged("ERROR: ", "CreateFont failure. Duplicate id exists:ab"));
    EXPECT_TRUE(log.Logged("ERROR: ", "CreateFont failure. Invalid row height: 1 (flat)"));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", "'rowheight' not found."));
    EXPECT_TRUE(log.Logged("ERROR: ", "CreateFont failure. Invalid row height: 0 (norows)"));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", "CreateFont failure."));
    // The root was lent for the list only.
    EXPECT_EQ(fFonts->GetRoot().GetLength(), 0);
    EXPECT_EQ(Narrow(fFonts->ToString()), "[VoFontManager <" + HexAddress(fFonts) + ">]");
}

TEST_F(VoFontManagerTest, AListThatCannotBeReadOrHasNoFontsChangesNothing) {
    ASSERT_TRUE(fFonts->SetRoot(VoString(u"//kept")));
    LogCapture log;
    EXPECT_FALSE(fFonts->CreateFonts(VoString(u"//fonttest/missing.txt"), VoString(u"//fonttest/")));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoFontManager::kCreateFontsFailure));
    EXPECT_FALSE(fFonts->CreateFonts(VoString(u"//fonttest/nofonts.txt"), VoString(u"//fonttest/")));
    EXPECT_FALSE(fFonts->CreateFonts(VoString(u"//fonttest/nofonts.txt")));
    EXPECT_EQ(log.Count("'fonts' undefined."), 2);
    EXPECT_EQ(Narrow(fFonts->GetRoot()), "//kept/");
    EXPECT_EQ(fFonts->GetFontCount(), 0);
}

TEST_F(VoFontManagerTest, CreateFontsWithTheCurrentRoot) {
    LogCapture log;
    EXPECT_FALSE(fFonts->CreateFonts(VoString(u"//fonttest/fonts.txt")));
    // Five entries are sections; the value is no entry at all.
    EXPECT_EQ(log.Count("CreateFont failure. Root undefined."), 5);
    EXPECT_EQ(fFonts->GetFontCount(), 0);

    ASSERT_TRUE(fFonts->SetRoot(VoString(u"//fonttest")));
    EXPECT_FALSE(fFonts->CreateFonts(VoString(u"//fonttest/fonts.txt")));
    EXPECT_EQ(fFonts->GetFontCount(), 2);
}

TEST_F(VoFontManagerTest, AnEntryWithoutCharactersTakesTheDefaultSet) {
    ASSERT_TRUE(fFonts->SetRoot(VoString(u"//fonttest")));
    VoPropertyList entry;
    entry.Parse(VoString(u"id=plain\ntexture=crafted.tga\nrowheight=5\n"));
    ASSERT_TRUE(fFonts->CreateFont(&entry));
    // The crafted image has two cells: space and '!'.
    EXPECT_EQ(Ratio(u"plain", u' '), 0.75f);
    EXPECT_EQ(Ratio(u"plain", u'!'), 0.5f);
    EXPECT_EQ(Ratio(u"plain", u'"'), -1.0f);

    LogCapture log;
    EXPECT_FALSE(fFonts->CreateFont(nullptr));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", "CreateFont failure."));
    // No image file: the reader says why.
    EXPECT_FALSE(fFonts->CreateFont(VoString(u"gone"), VoString(u"//fonttest/gone.tga"), 5, nullptr));
    EXPECT_EQ(fFonts->GetFontCount(), 1);
}

TEST_F(VoFontManagerTest, GetFontNamesTheIdItCannotFind) {
    LogCapture log;
    EXPECT_EQ(fFonts->GetFont(VoString(u"nothing")), nullptr);
    EXPECT_TRUE(log.Logged("ERROR: ", "GetFont failure. ID not found:nothing"));
}

TEST_F(VoFontManagerTest, TheManagerIsGoneOnceTheEngineShutsDown) {
    ASSERT_TRUE(fFonts->SetRoot(VoString(u"//fonttest")));
    ASSERT_TRUE(fFonts->CreateFont(VoString(u"ab"), VoString(u"//fonttest/crafted.tga"), 5, nullptr));
    fEngine.ShutDown();
    EXPECT_EQ(VoFontManager::GetInstance(), nullptr);
}

// The fonts of the data tree: every id the game asks for, each with the whole
// default set, read without a complaint.
TEST(VoFontManagerSample, TheDataTreeFontsAreComplete) {
    SpriteEngine engine;
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    ASSERT_TRUE(fileSystem != nullptr &&
                fileSystem->Mount(VoString(u"//dataroot"), VoString(VO_SOURCE_DIR "/data")));
    VoFontManager* fonts = VoFontManager::GetInstance();
    LogCapture log;
    ASSERT_TRUE(fonts->CreateFonts(VoString(u"//dataroot/textures/fonts/fonts.txt"),
                                   VoString(u"//dataroot/textures/fonts/")));
    EXPECT_TRUE(log.Lines().empty()) << log.Contents();
    const VoString all(VoFontManager::kDefaultCharacters);
    for (const char16_t* id :
         {u"tahoma10black", u"tahoma10", u"tahoma10sys", u"Friz_Quad_TT_8", u"Friz_Quad_TT_8_grey", u"OCRA18",
          u"LucindaSans10", u"TW_CEN_MT16", u"TW_CEN_MT16_BLUE", u"cenmt14white", u"cenmt12white",
          u"frizquadrata24", u"comic18_blue", u"comic18", u"twcenmt14white"}) {
        VoIFont* font = fonts->GetFont(VoString(id));
        ASSERT_NE(font, nullptr) << Narrow(VoString(id));
        EXPECT_GE(font->GetCharacterHeight(), 10.0f) << Narrow(VoString(id));
        EXPECT_LE(font->GetCharacterHeight(), 40.0f) << Narrow(VoString(id));
        // Every character has a width: one missing would make the sum 0.
        EXPECT_GT(font->GetTextWidth(all), 95.0f) << Narrow(VoString(id));
        // 'W' is wider than 'i' in every face but the fixed-pitch one.
        EXPECT_GE(font->GetCharacterAspect(u'W'), font->GetCharacterAspect(u'i')) << Narrow(VoString(id));
    }
    EXPECT_EQ(fonts->GetFontCount(), 15);
    EXPECT_TRUE(log.Lines().empty()) << log.Contents();
}
