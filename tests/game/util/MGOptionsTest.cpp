#include "util/MGOptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>

#include "game/support/ScopedGame.h"
#include "support/PlatformTestFolder.h"
#include "system/VoIFileSystem.h"

namespace {

// A game whose "//dataroot" is a scratch folder with a "game" folder in it.
class MGOptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(fFolder.Path("game"));
        VoIFileSystem* files = VoIFileSystem::GetInstance();
        ASSERT_NE(files, nullptr);
        ASSERT_TRUE(files->Mount(VoString(u"//dataroot"), PlatformTestFolder::Wide(fFolder.Files())));
    }

    std::string FileBytes() const { return fFolder.Read("game/.options"); }
    void WriteFile(const std::string& aBytes) const { fFolder.Write("game/.options", aBytes); }

    static void ExpectDefaults(const MGOptions& aOptions) {
        EXPECT_EQ(aOptions.GetSkillLevel(), 1);
        for (int i = 0; i < MGOptions::kOptionCount; ++i) {
            EXPECT_EQ(aOptions.GetOption(i), 0) << "option " << i;
        }
        EXPECT_EQ(aOptions.GetVolume(), 1.0f);
    }

    ScopedGame fGame;
    PlatformTestFolder fFolder;
};

// Skill 2, options 1 0 1 0 0 1, volume 0.5.
const unsigned char kSampleBytes[] = {0x02, 0, 0, 0, 0x01, 0, 0, 0, 0,    0, 0, 0, 0x01, 0, 0, 0,
                                      0,    0, 0, 0, 0,    0, 0, 0, 0x01, 0, 0, 0, 0,    0, 0, 0x3f};
const std::string kSample(reinterpret_cast<const char*>(kSampleBytes), sizeof kSampleBytes);

}  // namespace

TEST_F(MGOptionsTest, SavesTheThirtyTwoBytesAndLoadsThemBack) {
    MGOptions options;
    options.SetSkillLevel(2);
    for (int i : {0, 2, 5}) {
        EXPECT_TRUE(options.SetOption(i, 1));
    }
    options.SetVolume(0.5f);
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(FileBytes(), kSample);
    EXPECT_FALSE(fFolder.Exists("game/.options.tmp"));

    MGOptions loaded;
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.GetSkillLevel(), 2);
    const int expected[] = {1, 0, 1, 0, 0, 1};
    for (int i = 0; i < MGOptions::kOptionCount; ++i) {
        EXPECT_EQ(loaded.GetOption(i), expected[i]) << "option " << i;
    }
    EXPECT_EQ(loaded.GetVolume(), 0.5f);
    ASSERT_TRUE(loaded.Save());
    EXPECT_EQ(FileBytes(), kSample);
}

TEST_F(MGOptionsTest, TheAccessorLoadsTheFileOnFirstUse) {
    WriteFile(kSample);
    MGOptions* options = MGOptions::GetInstance();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->GetSkillLevel(), 2);
    EXPECT_EQ(options->GetOption(5), 1);
    // Later changes to the file are not read again.
    WriteFile(std::string(32, '\0'));
    EXPECT_EQ(MGOptions::GetInstance()->GetSkillLevel(), 2);
}

TEST_F(MGOptionsTest, AMissingFileLeavesTheDefaultsAndSaysSo) {
    MGOptions options;
    EXPECT_FALSE(options.Load());
    ExpectDefaults(options);
    EXPECT_TRUE(fFolder.LoggedError(MGOptions::kLoadOpenFailure));
}

// A file too short for every field changes none of them.
TEST_F(MGOptionsTest, AShortFileChangesNothing) {
    for (std::size_t size : {std::size_t{0}, std::size_t{4}, std::size_t{28}, std::size_t{31}}) {
        SCOPED_TRACE(size);
        WriteFile(kSample.substr(0, size));
        MGOptions options;
        EXPECT_FALSE(options.Load());
        ExpectDefaults(options);
        EXPECT_TRUE(fFolder.LoggedError(MGOptions::kLoadReadFailure));
    }
}

TEST_F(MGOptionsTest, LoadedValuesAreKeptInRange) {
    struct Case {
        std::int32_t skill;
        float volume;
        int expectedSkill;
        float expectedVolume;
    };
    const Case cases[] = {
        {-1, 0.25f, 0, 0.25f},
        {3, 1.5f, 2, 1.0f},
        {std::numeric_limits<std::int32_t>::min(), -0.5f, 0, 0.0f},
        {0, std::numeric_limits<float>::quiet_NaN(), 0, 1.0f},
        {2, std::numeric_limits<float>::infinity(), 2, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.skill) + " " + std::to_string(c.volume));
        std::string bytes(32, '\0');
        std::memcpy(&bytes[0], &c.skill, 4);
        std::memcpy(&bytes[28], &c.volume, 4);
        WriteFile(bytes);
        MGOptions options;
        ASSERT_TRUE(options.Load());
        EXPECT_EQ(options.GetSkillLevel(), c.expectedSkill);
        EXPECT_EQ(options.GetVolume(), c.expectedVolume);
    }
}

TEST_F(MGOptionsTest, OptionIndicesOutsideZeroToFiveAreRefused) {
    MGOptions options;
    for (int index : {-1, 6, 100}) {
        SCOPED_TRACE(index);
        EXPECT_FALSE(options.SetOption(index, 1));
        EXPECT_EQ(options.GetOption(index), 0);
    }
    EXPECT_EQ(fFolder.LogLines().size(), 6u);
    EXPECT_TRUE(fFolder.LoggedError(MGOptions::kInvalidArg));
    ExpectDefaults(options);
}

TEST_F(MGOptionsTest, TheVolumeIsKeptInRange) {
    MGOptions options;
    const float cases[][2] = {{0.5f, 0.5f}, {-1.0f, 0.0f}, {2.0f, 1.0f}, {std::nanf(""), 1.0f}};
    for (const auto& c : cases) {
        options.SetVolume(c[0]);
        EXPECT_EQ(options.GetVolume(), c[1]) << c[0];
    }
}

// The new content goes to a temporary file first: when that cannot be
// written, the earlier file stays whole.
TEST_F(MGOptionsTest, AFailedSaveKeepsTheEarlierFile) {
    WriteFile(kSample);
    std::filesystem::create_directories(fFolder.Path("game/.options.tmp"));
    MGOptions options;
    options.SetSkillLevel(0);
    EXPECT_FALSE(options.Save());
    EXPECT_TRUE(fFolder.LoggedError(MGOptions::kSaveOpenFailure));
    EXPECT_EQ(FileBytes(), kSample);
}

TEST_F(MGOptionsTest, SavingWithoutTheGameFolderFails) {
    std::filesystem::remove_all(fFolder.Path("game"));
    MGOptions options;
    EXPECT_FALSE(options.Save());
    EXPECT_TRUE(fFolder.LoggedError(MGOptions::kSaveOpenFailure));
}
