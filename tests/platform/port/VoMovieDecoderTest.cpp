#include "platform/port/VoMovieDecoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/VoITimeSource.h"
#include "platform/port/VoSoundMixer.h"
#include "support/MovieFiles.h"
#include "support/PlatformTestFolder.h"
#include "support/SoundFiles.h"

namespace {

class ScriptedClock : public VoITimeSource {
public:
    bool BeginPeriod() override { return true; }
    std::uint32_t GetMilliseconds() override { return fNow; }
    bool EndPeriod() override { return true; }
    std::uint32_t fNow = 1000;
};

class VoMovieDecoderTest : public ::testing::Test {
protected:
    void SetUp() override {
        fMixer.SetUseDevice(false);
        ASSERT_TRUE(fMixer.Init(44100, VoSoundMixer::kMaxChannels));
    }
    void TearDown() override {
        fDecoder.Close();
        fMixer.Close();
    }
    std::string Make(const std::string& aName, const MovieSpec& aSpec) {
        const std::string path = fFolder.Path(aName);
        EXPECT_TRUE(WriteMovieFile(path, aSpec)) << aName;
        return path;
    }
    // The decoded picture as tight BGRA rows.
    std::vector<std::uint8_t> Picture() {
        std::vector<std::uint8_t> bytes;
        const std::uint8_t* picture = fDecoder.GetPicture();
        if (picture == nullptr) {
            return bytes;
        }
        for (int y = 0; y < fDecoder.GetHeight(); ++y) {
            const std::uint8_t* row = picture + y * fDecoder.GetPitch();
            bytes.insert(bytes.end(), row, row + fDecoder.GetWidth() * 4);
        }
        return bytes;
    }

    PlatformTestFolder fFolder;
    ScriptedClock fClock;
    VoSoundMixer fMixer;
    VoMovieDecoder fDecoder{&fClock, &fMixer};
};

}  // namespace

TEST_F(VoMovieDecoderTest, OpensAHundredFramesAtFifteenPerSecondPausedAtFrameOne) {
    MovieSpec spec;
    spec.frames = 100;
    ASSERT_TRUE(fDecoder.OpenFile(Make("clip.mkv", spec).c_str(), 0));
    EXPECT_EQ(fDecoder.GetWidth(), 32);
    EXPECT_EQ(fDecoder.GetHeight(), 24);
    EXPECT_EQ(fDecoder.GetFrameCount(), 100u);
    EXPECT_EQ(fDecoder.GetFrameRate(), 15u);
    EXPECT_EQ(fDecoder.GetFrameRateDivisor(), 1u);
    EXPECT_EQ(fDecoder.GetCurrentFrame(), 1u);
    EXPECT_TRUE(fDecoder.IsPaused());
    EXPECT_TRUE(fDecoder.Wait());
    EXPECT_EQ(fDecoder.GetPicture(), nullptr);
}

TEST_F(VoMovieDecoderTest, EveryFrameDecodesToItsExactPixels) {
    struct Case {
        const char* name;
        MovieCodec codec;
        bool alpha;
        std::uint32_t flags;
    };
    const Case cases[] = {
        {"ffv1.mkv", MovieCodec::kFfv1, false, VoMovieDecoder::kOpenAlpha},
        {"ffv1-alpha.mkv", MovieCodec::kFfv1, true, VoMovieDecoder::kOpenAlpha},
        {"png.mkv", MovieCodec::kPng, false, 0},
        {"png-alpha.mkv", MovieCodec::kPng, true, VoMovieDecoder::kOpenAlpha},
        {"png-alpha-dropped.mkv", MovieCodec::kPng, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MovieSpec spec;
        spec.frames = 5;
        spec.codec = c.codec;
        spec.alpha = c.alpha;
        ASSERT_TRUE(fDecoder.OpenFile(Make(c.name, spec).c_str(), c.flags));
        const bool keepsAlpha = c.alpha && c.flags != 0;
        EXPECT_EQ(fDecoder.GetOpenFlags(), keepsAlpha ? VoMovieDecoder::kOpenAlpha : 0u);
        MovieSpec expected = spec;
        expected.alpha = keepsAlpha;
        for (int frame = 0; frame < spec.frames; ++frame) {
            ASSERT_TRUE(fDecoder.DoFrame()) << frame;
            EXPECT_FALSE(fDecoder.WasFrameSkipped());
            ASSERT_EQ(Picture(), MovieFrame(expected, frame)) << frame;
            fDecoder.NextFrame();
        }
        EXPECT_EQ(fDecoder.GetCurrentFrame(), 5u);
    }
}
