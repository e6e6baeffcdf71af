#include "TNavDataParser.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "container/VoPropertyList.h"
#include "game/support/ScopedGame.h"
#include "navigation/VoNavigationTDO.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "system/VoIFileSystem.h"

namespace {

const std::string kAssert = "ASSERT FAILURE: ";

std::unique_ptr<VoPropertyList> FileOf(const std::string& aText) {
    auto list = std::make_unique<VoPropertyList>();
    list->Parse(VoString(aText.c_str()));
    return list;
}

// The parse of one region whose section holds only its outline.
std::unique_ptr<VoPropertyList> ParsedRegion(const std::string& aKey) {
    auto file = FileOf(aKey + "\n\tcoords=0|0|1|0|1|1\n");
    VoPropertyList* out = nullptr;
    EXPECT_TRUE(TNavDataParser::ParseNavigation(file.get(), &out));
    return std::unique_ptr<VoPropertyList>(out);
}

std::string Value(VoPropertyList& aList, const std::string& aPath, bool* apFound = nullptr) {
    return Narrow(aList.GetString(VoString(aPath.c_str()), apFound));
}

}  // namespace

TEST(TNavDataParser, TheKeyNamesTheKindTheGroundAndTheCamera) {
    struct Case {
        const char* key;
        bool positive;
        const char* ground;
        const char* camera;  // null: no camera value
        int asserts;         // the key's own assertions
    };
    const Case cases[] = {
        {"PS_hall(ground_hall)(cam_hall)", true, "ground_hall", "cam_hall", 0},
        // The prefix is case-sensitive.
        {"ps_hall(ground_hall)(cam_hall)", false, "ground_hall", nullptr, 0},
        {"Ps_hall(ground_hall)(cam_hall)", false, "ground_hall", nullptr, 0},
        {"table(ground_hall)", false, "ground_hall", nullptr, 0},
        {"PS(floor)(cam)", true, "floor", "cam", 0},
        // Brackets nest; the camera is the pair after the ground's.
        {"PS_a(floor(2))(cam)", true, "floor(2)", "cam", 0},
        {"PS_a(floor) and (cam) (other)", true, "floor", "cam", 0},
        // A walkable key without its camera keeps an empty one.
        {"PS_hall(ground_hall)", true, "ground_hall", "", 1},
        {"PS_hall", true, "", "", 2},
        {"table", false, "", nullptr, 1},
        {"P", false, "", nullptr, 1},
        // An open bracket without its close names nothing.
        {"PS_hall(ground_hall", true, "", "", 2},
        {"table(ground", false, "", nullptr, 1},
    };
    ScopedGame game;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        LogCapture log;
        std::unique_ptr<VoPropertyList> out = ParsedRegion(c.key);
        ASSERT_NE(out, nullptr);
        VoPropertyList* positive = out->GetList(VoString(u"positive"));
        VoPropertyList* negative = out->GetList(VoString(u"negative"));
        ASSERT_NE(positive, nullptr);
        ASSERT_NE(negative, nullptr);
        EXPECT_EQ(positive->GetCount(), c.positive ? 1 : 0);
        EXPECT_EQ(negative->GetCount(), c.positive ? 0 : 1);
        VoPropertyList* region = (c.positive ? positive : negative)->GetList(VoString(c.key));
        ASSERT_NE(region, nullptr);
        EXPECT_EQ(Value(*region, "coords"), "0|0|1|0|1|1");
        bool found = false;
        EXPECT_EQ(Value(*region, "ground", &found), c.ground);
        EXPECT_TRUE(found);
        EXPECT_EQ(Value(*region, "camera", &found), c.camera != nullptr ? c.camera : "");
        EXPECT_EQ(found, c.camera != nullptr);
        EXPECT_EQ(log.Count(kAssert), c.asserts);
    }
}

TEST(TNavDataParser, RegionsKeepTheFileOrderAndTheirOwnCopies) {
    ScopedGame game;
    auto file = FileOf(
        "NS_b(floor)\n\tcoords=5|5|6|5|6|6\n"
        "PS_a(floor)(cam)\n\tcoords=0|0|10|0|10|10\n\tground=old\n"
        "PS_c(floor)(cam)\n\tcoords=0|0|10|0|10|10\n\tcamera\n\t\tnested=1\n"
        "NS_a(floor)\n\tcoords=1|1|2|1|2|2\n");
    VoPropertyList* out = nullptr;
    ASSERT_TRUE(TNavDataParser::ParseNavigation(file.get(), &out));
    std::unique_ptr<VoPropertyList> owned(out);
    VoPropertyList* negative = out->GetList(VoString(u"negative"));
    ASSERT_EQ(negative->GetCount(), 2);
    EXPECT_EQ(Narrow(negative->GetKeyAt(0)), "NS_b(floor)");
    EXPECT_EQ(Narrow(negative->GetKeyAt(1)), "NS_a(floor)");
    // The brackets' texts stand in place of what the sections gave.
    EXPECT_EQ(Value(*out, "positive.PS_a(floor)(cam).ground"), "floor");
    EXPECT_EQ(Value(*out, "positive.PS_c(floor)(cam).camera"), "cam");

    // The output is a copy: the file keeps its own sections as they were.
    EXPECT_EQ(Value(*file, "PS_a(floor)(cam).ground"), "old");
    bool found = true;
    Value(*file, "NS_b(floor).ground", &found);
    EXPECT_FALSE(found);
}

TEST(TNavDataParser, AnEmptyFileGivesTwoEmptySections) {
    ScopedGame game;
    auto file = FileOf("");
    VoPropertyList* out = nullptr;
    ASSERT_TRUE(TNavDataParser::ParseNavigation(file.get(), &out));
    std::unique_ptr<VoPropertyList> owned(out);
    EXPECT_EQ(out->GetCount(), 2);
    EXPECT_EQ(out->GetList(VoString(u"positive"))->GetCount(), 0);
    EXPECT_EQ(out->GetList(VoString(u"negative"))->GetCount(), 0);
    // The engine navigation reads it: no regions.
    VoNavigationTDO navigation;
    EXPECT_TRUE(navigation.Create(out));
    EXPECT_EQ(navigation.GetPosBoundsCount(), 0);
}

TEST(TNavDataParser, RefusesAnOutputThatIsNotEmptyOrMissing) {
    ScopedGame game;
    auto file = FileOf("PS_a(floor)(cam)\n\tcoords=0|0|1|0|1|1\n");
    LogCapture log;
    EXPECT_FALSE(TNavDataParser::ParseNavigation(file.get(), nullptr));
    VoPropertyList taken;
    VoPropertyList* out = &taken;
    EXPECT_FALSE(TNavDataParser::ParseNavigation(file.get(), &out));
    EXPECT_EQ(out, &taken);
    EXPECT_EQ(log.Count(TNavDataParser::kInvalidArg), 2);
}

TEST(TNavDataParser, AValueAmongTheRegionsFailsAndHandsOverWhatWasRead) {
    ScopedGame game;
    auto file =
        FileOf("PS_a(floor)(cam)\n\tcoords=0|0|1|0|1|1\nstray=1\nNS_b(floor)\n\tcoords=0|0|1|0|1|1\n");
    LogCapture log;
    VoPropertyList* out = nullptr;
    EXPECT_FALSE(TNavDataParser::ParseNavigation(file.get(), &out));
    ASSERT_NE(out, nullptr);
    std::unique_ptr<VoPropertyList> owned(out);
    EXPECT_TRUE(log.Logged(kAssert, TNavDataParser::kFailure));
    EXPECT_EQ(out->GetList(VoString(u"positive"))->GetCount(), 1);
    EXPECT_EQ(out->GetList(VoString(u"negative"))->GetCount(), 0);
}

TEST(TNavDataParser, ReadsTheSampleSceneFileForTheNavigation) {
    ScopedGame game;
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    ASSERT_NE(files, nullptr);
    ASSERT_TRUE(files->Mount(VoString(u"//scenes"), VoString(VO_SOURCE_DIR "/data/scenes")));
    LogCapture log;
    VoPropertyList* out = nullptr;
    ASSERT_TRUE(TNavDataParser::ParseNavigation(VoString(u"//scenes/sample/navigation.txt"), &out));
    std::unique_ptr<VoPropertyList> owned(out);
    EXPECT_TRUE(log.Lines().empty()) << log.Contents();
    EXPECT_EQ(Value(*out, "positive.PS_landing(ground_landing)(cam_landing).camera"), "cam_landing");
    EXPECT_EQ(Value(*out, "negative.NS_table(ground_hall).ground"), "ground_hall");
    VoNavigationTDO navigation;
    ASSERT_TRUE(navigation.Create(out));
    EXPECT_EQ(navigation.GetPosBoundsCount(), 2);
    EXPECT_EQ(navigation.GetNegBoundsCount(), 1);
}

TEST(TNavDataParser, AFileThatCannotBeReadGivesNoList) {
    ScopedGame game;
    PlatformTestFolder folder;
    LogCapture log;
    VoPropertyList* out = nullptr;
    EXPECT_FALSE(TNavDataParser::ParseNavigation(PlatformTestFolder::Wide(folder.Path("missing.txt")), &out));
    EXPECT_EQ(out, nullptr);
    EXPECT_TRUE(log.Logged(kAssert, TNavDataParser::kFailure));
}
