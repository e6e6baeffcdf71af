#include "platform/port/VoMovieDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/port/VoSoundMixer.h"
#include "support/MovieFiles.h"
#include "support/PlatformTestFolder.h"
#include "support/SoundFiles.h"
#include "system/VoITimeSource.h"

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

TEST_F(VoMovieDecoderTest, EveryFrameDecodesToItsExactPixels) {
    struct Case {
        const char* name;
        MovieCodec codec;
        bool alpha;
        std::uint32_t flags;
        bool rangeCoder = false;
    };
    const Case cases[] = {
        {"ffv1.mkv", MovieCodec::kFfv1, false, VoMovieDecoder::kOpenAlpha},
        {"ffv1-alpha.mkv", MovieCodec::kFfv1, true, VoMovieDecoder::kOpenAlpha},
        {"ffv1-range-alpha.mkv", MovieCodec::kFfv1, true, VoMovieDecoder::kOpenAlpha, true},
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
        spec.rangeCoder = c.rangeCoder;
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

TEST_F(VoMovieDecoderTest, TheSoundTrackIsFedToTheMixerAsThePicturesAreDecoded) {
    MovieSpec spec;
    spec.frames = 15;
    spec.soundRate = 22050;
    spec.soundChannels = 2;
    ASSERT_TRUE(fDecoder.OpenFile(Make("sound.mkv", spec).c_str(), 0));
    ASSERT_EQ(fDecoder.GetSoundTrackCount(), 1);
    const std::int32_t track = fDecoder.GetTrackId(0);
    EXPECT_GE(track, 0);
    EXPECT_EQ(fDecoder.GetTrackId(1), -1);
    EXPECT_FALSE(fDecoder.SetVolume(track + 1, VoMovieDecoder::kFullVolume));
    const std::int32_t feed = fDecoder.GetSoundFeed();
    ASSERT_NE(feed, 0);
    EXPECT_EQ(fDecoder.GetSoundChannel(), -1);
    fDecoder.Pause(false);
    const std::int32_t channel = fDecoder.GetSoundChannel();
    ASSERT_GE(channel, 0);
    EXPECT_TRUE(fDecoder.SetVolume(track, VoMovieDecoder::kFullVolume / 4));
    EXPECT_EQ(fMixer.GetChannelVolume(channel), 63);
    EXPECT_TRUE(fDecoder.SetVolume(track, VoMovieDecoder::kFullVolume * 2));
    EXPECT_EQ(fMixer.GetChannelVolume(channel), 255);
    for (int i = 0; i < spec.frames; ++i) {
        ASSERT_TRUE(fDecoder.DoFrame());
        fDecoder.NextFrame();
    }
    // A second of sound at 22,050 Hz comes out at 44,100 (bar what the
    // resampler still holds).
    const std::int32_t queued = fMixer.GetFeedQueued(feed);
    EXPECT_GT(queued, 44100 - 200);
    EXPECT_LE(queued, 44100);
    std::vector<float> out(4410 * 2);
    fMixer.Mix(out.data(), 4410);
    float peak = 0.0f;
    for (float value : out) {
        peak = std::max(peak, std::fabs(value));
    }
    EXPECT_NEAR(peak, 0.5f, 0.02f);
    fDecoder.Pause(true);
    EXPECT_EQ(fDecoder.GetSoundChannel(), -1);
    EXPECT_FALSE(fMixer.IsPlaying(channel));
    fDecoder.Close();
    EXPECT_EQ(fMixer.GetFeedQueued(feed), 0);
    EXPECT_EQ(fDecoder.GetSoundTrackCount(), 0);
}

TEST_F(VoMovieDecoderTest, WithoutAnOpenMixerTheMoviePlaysSilent) {
    MovieSpec spec;
    spec.frames = 2;
    spec.soundRate = 22050;
    const std::string path = Make("silent.mkv", spec);
    VoSoundMixer closed;
    VoMovieDecoder decoder(&fClock, &closed);
    ASSERT_TRUE(decoder.OpenFile(path.c_str(), 0));
    EXPECT_EQ(decoder.GetSoundTrackCount(), 0);
    decoder.Pause(false);
    EXPECT_TRUE(decoder.DoFrame());
}

TEST_F(VoMovieDecoderTest, BytesInMemoryPlayAsTheFileDoes) {
    MovieSpec spec;
    spec.frames = 3;
    spec.codec = MovieCodec::kPng;
    spec.alpha = true;
    const std::vector<unsigned char> bytes = ReadBytes(Make("memory.mkv", spec));
    ASSERT_FALSE(bytes.empty());
    ASSERT_TRUE(fDecoder.OpenMemory(bytes.data(), bytes.size(), VoMovieDecoder::kOpenAlpha));
    EXPECT_EQ(fDecoder.GetFrameCount(), 3u);
    for (int frame = 0; frame < 3; ++frame) {
        ASSERT_TRUE(fDecoder.DoFrame());
        EXPECT_EQ(Picture(), MovieFrame(spec, frame));
        fDecoder.NextFrame();
    }
    ASSERT_TRUE(fDecoder.Goto(2));
    ASSERT_TRUE(fDecoder.DoFrame());
    EXPECT_EQ(Picture(), MovieFrame(spec, 1));
    EXPECT_FALSE(fDecoder.OpenMemory(nullptr, 10, 0));
    EXPECT_FALSE(fDecoder.IsOpen());
    EXPECT_FALSE(fDecoder.OpenMemory(bytes.data(), 0, 0));
}

TEST_F(VoMovieDecoderTest, LimitsOnSizeAndFrameCountRefuseAMovie) {
    MovieSpec spec;
    spec.frames = 10;
    const std::string path = Make("limits.mkv", spec);
    struct Case {
        const char* name;
        VoMovieDecoder::Limits limits;
        bool opens;
    };
    const Case cases[] = {
        {"defaults", {}, true},
        {"exact", {32, 32 * 24, 10}, true},
        {"too wide", {31, 32 * 24, 10}, false},
        {"too many pixels", {32, 32 * 24 - 1, 10}, false},
        {"too many frames", {32, 32 * 24, 9}, false},
    };
    for (const Case& c : cases) {
        fDecoder.SetLimits(c.limits);
        EXPECT_EQ(fDecoder.OpenFile(path.c_str(), 0), c.opens) << c.name;
        EXPECT_EQ(fDecoder.IsOpen(), c.opens) << c.name;
    }
}

TEST_F(VoMovieDecoderTest, KeyFramesAreFoundAtOrBeforeAndAtOrAfterAFrame) {
    struct Case {
        const char* fName;
        MovieCodec fCodec;
        std::vector<std::uint32_t> fKeys;
    };
    // Every fourth frame from the first is a key frame where the codec has
    // frames of both kinds.
    const Case cases[] = {
        {"vp8.mkv", MovieCodec::kVp8, {1, 5, 9}},
        {"ffv1.mkv", MovieCodec::kFfv1, {1, 5, 9}},
        {"png.mkv", MovieCodec::kPng, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        MovieSpec spec;
        spec.frames = 10;
        spec.codec = c.fCodec;
        spec.keyInterval = 4;
        ASSERT_TRUE(fDecoder.OpenFile(Make(c.fName, spec).c_str(), 0));
        for (std::uint32_t frame = 1; frame <= 10; ++frame) {
            const auto after = std::upper_bound(c.fKeys.begin(), c.fKeys.end(), frame);
            const auto atOrAfter = std::lower_bound(c.fKeys.begin(), c.fKeys.end(), frame);
            EXPECT_EQ(fDecoder.GetKeyFrame(frame, false), *(after - 1)) << frame;
            EXPECT_EQ(fDecoder.GetKeyFrame(frame, true), atOrAfter != c.fKeys.end() ? *atOrAfter : frame)
                << frame;
        }
    }
}

TEST_F(VoMovieDecoderTest, WhatIsNotAMovieOfOurKindsIsRefused) {
    fFolder.Write("garbage.mkv", std::string(5000, '\x42'));
    fFolder.Write("empty.mkv", "");
    MovieSpec spec;
    spec.frames = 4;
    const std::string whole = Make("whole.mkv", spec);
    const std::string bytes = fFolder.Read("whole.mkv");
    fFolder.Write("header-only.mkv", bytes.substr(0, 60));
    // The library reads ".wav" files, but a sound is no movie.
    ASSERT_TRUE(WriteSoundFile(fFolder.Path("sound.wav"), SoundFormat::kWavPcm16, 22050, 1,
                               Sine(22050, 1, 2205, 440.0, 0.5)));
    for (const char* name : {"garbage.mkv", "empty.mkv", "header-only.mkv", "sound.wav", "missing.mkv"}) {
        EXPECT_FALSE(fDecoder.OpenFile(fFolder.Path(name).c_str(), 0)) << name;
        EXPECT_FALSE(fDecoder.IsOpen());
        EXPECT_EQ(fDecoder.GetFrameCount(), 0u);
        EXPECT_EQ(fDecoder.GetKeyFrame(3, true), 0u);
        EXPECT_FALSE(fDecoder.DoFrame());
        EXPECT_FALSE(fDecoder.Goto(1));
        EXPECT_TRUE(fDecoder.Wait());
    }
    EXPECT_FALSE(fDecoder.OpenFile(nullptr, 0));
    EXPECT_FALSE(fDecoder.OpenFile("", 0));
    // A movie cut short plays the frames it has; the rest are skipped.
    fFolder.Write("cut.mkv", bytes.substr(0, bytes.size() * 3 / 4));
    if (fDecoder.OpenFile(fFolder.Path("cut.mkv").c_str(), 0)) {
        for (std::uint32_t i = 0; i < fDecoder.GetFrameCount(); ++i) {
            fDecoder.DoFrame();
            fDecoder.NextFrame();
        }
    }
}
