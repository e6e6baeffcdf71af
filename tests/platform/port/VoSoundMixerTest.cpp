#include "platform/port/VoSoundMixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "platform/port/VoSoundDecoder.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/SoundFiles.h"

namespace {

constexpr int kRate = 44100;

// A mixer in pull mode: the test steps it by hand.
class VoSoundMixerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fMixer.SetUseDevice(false);
        ASSERT_TRUE(fMixer.Init(kRate, VoSoundMixer::kMaxChannels));
        ASSERT_FALSE(fMixer.IsDeviceOpen());
    }
    void TearDown() override { fMixer.Close(); }

    std::string Make(const std::string& aName, SoundFormat aFormat, int aRate, int aChannels,
                     const std::vector<float>& aFrames) {
        const std::string path = fFolder.Path(aName);
        EXPECT_TRUE(WriteSoundFile(path, aFormat, aRate, aChannels, aFrames)) << aName;
        return path;
    }
    // A mono float ".wav" of aFrames frames of a 440 Hz sine of amplitude 0.8.
    std::string MakeSine(int aFrames, int aRate = kRate) {
        fSource = Sine(aRate, 1, aFrames, 440.0, 0.8);
        return Make("sine.wav", SoundFormat::kWavFloat, aRate, 1, fSource);
    }
    std::vector<float> Pull(int aFrames) {
        std::vector<float> out(static_cast<std::size_t>(aFrames) * 2, 123.0f);
        fMixer.Mix(out.data(), aFrames);
        return out;
    }
    static float Peak(const std::vector<float>& aFrames) {
        float peak = 0.0f;
        for (float value : aFrames) {
            peak = std::max(peak, std::fabs(value));
        }
        return peak;
    }
    static void CountEnd(void* apCount) { ++*static_cast<int*>(apCount); }

    PlatformTestFolder fFolder;
    VoSoundMixer fMixer;
    std::vector<float> fSource;
};

}  // namespace

TEST_F(VoSoundMixerTest, A440HzSampleAtVolume128ComesOutScaledByVolumeOver255) {
    const std::int32_t sample = fMixer.LoadSample(MakeSine(4410).c_str());
    ASSERT_NE(sample, 0);
    EXPECT_EQ(fMixer.GetSampleLength(sample), 4410);
    EXPECT_EQ(fMixer.GetSampleDefaultFrequency(sample), kRate);
    const std::int32_t channel = fMixer.PlaySound(sample, 128);
    ASSERT_GE(channel, 0);

    const float gain = 128.0f / 255.0f;
    const std::vector<float> first = Pull(1000);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_FLOAT_EQ(first[i * 2], fSource[i] * gain) << i;
        ASSERT_FLOAT_EQ(first[i * 2 + 1], fSource[i] * gain) << i;
    }
    // 1000 frames hold more than four periods of 440 Hz: the full peak.
    const float expected = Peak(std::vector<float>(fSource.begin(), fSource.begin() + 1000)) * gain;
    EXPECT_FLOAT_EQ(Peak(first), expected);
    EXPECT_NEAR(Peak(first), 0.8f * gain, 1e-3f);
    float left = 0.0f;
    float right = 0.0f;
    EXPECT_TRUE(fMixer.GetCurrentLevels(channel, &left, &right));
    EXPECT_FLOAT_EQ(left, expected);
    EXPECT_FLOAT_EQ(right, expected);
    EXPECT_EQ(fMixer.GetCurrentPosition(channel), 1000);

    Pull(3410);
    EXPECT_FALSE(fMixer.IsPlaying(channel));
    EXPECT_EQ(Pull(64), std::vector<float>(128, 0.0f));
}

TEST_F(VoSoundMixerTest, AHalfRateSoundIsInterpolatedOverTwiceTheFrames) {
    const std::int32_t sample = fMixer.LoadSample(MakeSine(1000, kRate / 2).c_str());
    ASSERT_NE(sample, 0);
    const std::int32_t channel = fMixer.PlaySound(sample, 255);
    const std::vector<float> out = Pull(1999);
    EXPECT_FLOAT_EQ(out[0], fSource[0]);
    EXPECT_FLOAT_EQ(out[2], (fSource[0] + fSource[1]) / 2.0f);
    EXPECT_FLOAT_EQ(out[4], fSource[1]);
    EXPECT_TRUE(fMixer.IsPlaying(channel));
    EXPECT_EQ(fMixer.GetCurrentPosition(channel), 999);
    Pull(1);
    EXPECT_FALSE(fMixer.IsPlaying(channel));
}

TEST_F(VoSoundMixerTest, EveryFormatDecodesToTheSameSound) {
    struct Case {
        const char* fName;
        SoundFormat fFormat;
        int fChannels;
        float fTolerance;
    };
    const Case cases[] = {
        {"mono16.wav", SoundFormat::kWavPcm16, 1, 1e-4f},
        {"stereo-float.wav", SoundFormat::kWavFloat, 2, 0.0f},
        {"stereo.ogg", SoundFormat::kOggVorbis, 2, 0.05f},
    };
    for (const Case& c : cases) {
        const std::vector<float> frames = Sine(kRate, c.fChannels, 22050, 440.0, 0.5);
        const std::string path = Make(c.fName, c.fFormat, kRate, c.fChannels, frames);
        const std::int32_t stream = fMixer.OpenStream(path.c_str());
        ASSERT_NE(stream, 0) << c.fName;
        EXPECT_EQ(fMixer.GetStreamLengthMs(stream), 500) << c.fName;
        int ends = 0;
        fMixer.SetStreamEndCallback(stream, &CountEnd, &ends);
        ASSERT_GE(fMixer.PlayStream(stream, 255), 0);
        const std::vector<float> out = Pull(22050);
        EXPECT_NEAR(Peak(out), 0.5f, c.fTolerance + 1e-4f) << c.fName;
        EXPECT_NEAR(out[200 * 2], frames[200 * c.fChannels], c.fTolerance + 1e-4f) << c.fName;
        EXPECT_EQ(ends, 1) << c.fName;
        EXPECT_EQ(fMixer.GetStreamTime(stream), fMixer.GetStreamLengthMs(stream)) << c.fName;
        EXPECT_TRUE(fMixer.CloseStream(stream));
    }
}

TEST_F(VoSoundMixerTest, FilesOfMoreChannelsGiveTheirFrontLeftAndRight) {
    struct Case {
        const char* fName;
        SoundFormat fFormat;
        int fChannels;
        int fLeft;
        int fRight;
        float fTolerance;
    };
    // Vorbis orders L C R, FL FR RL RR, FL C FR RL RR LFE; WAV starts with FL FR.
    const Case cases[] = {
        {"three.wav", SoundFormat::kWavFloat, 3, 0, 1, 0.0f},
        {"six.wav", SoundFormat::kWavFloat, 6, 0, 1, 0.0f},
        {"three.ogg", SoundFormat::kOggVorbis, 3, 0, 2, 0.02f},
        {"four.ogg", SoundFormat::kOggVorbis, 4, 0, 1, 0.02f},
        {"six.ogg", SoundFormat::kOggVorbis, 6, 0, 2, 0.02f},
    };
    constexpr int kFrames = 4410;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        // Each channel its own level, which a lossless file also moves a
        // little from frame to frame, so a frame taken from the wrong place shows.
        const bool lossless = c.fTolerance == 0.0f;
        const auto value = [&](int aFrame, int aChannel) {
            return 0.1f * static_cast<float>(aChannel + 1) -
                   (lossless ? 1e-5f * static_cast<float>(aFrame) : 0.0f);
        };
        std::vector<float> frames(static_cast<std::size_t>(kFrames) * c.fChannels);
        for (int i = 0; i < kFrames; ++i) {
            for (int channel = 0; channel < c.fChannels; ++channel) {
                frames[static_cast<std::size_t>(i) * c.fChannels + channel] = value(i, channel);
            }
        }
        const std::string path = Make(c.fName, c.fFormat, kRate, c.fChannels, frames);
        // Whole, as a sample, and block by block, as a stream.
        const std::int32_t sample = fMixer.LoadSample(path.c_str());
        ASSERT_NE(sample, 0);
        ASSERT_GE(fMixer.PlaySound(sample, VoISoundSystem::kMaxVolume), 0);
        const std::vector<float> whole = Pull(kFrames - 2);
        fMixer.FreeSample(sample);
        const std::int32_t stream = fMixer.OpenStream(path.c_str());
        ASSERT_NE(stream, 0);
        ASSERT_GE(fMixer.PlayStream(stream, VoISoundSystem::kMaxVolume), 0);
        const std::vector<float> streamed = Pull(kFrames - 2);
        fMixer.CloseStream(stream);
        // The first Vorbis frames ramp in from silence.
        for (int i = lossless ? 0 : 1000; i < kFrames - 2; ++i) {
            ASSERT_NEAR(whole[i * 2], value(i, c.fLeft), c.fTolerance) << i;
            ASSERT_NEAR(whole[i * 2 + 1], value(i, c.fRight), c.fTolerance) << i;
            ASSERT_NEAR(streamed[i * 2], value(i, c.fLeft), c.fTolerance) << i;
            ASSERT_NEAR(streamed[i * 2 + 1], value(i, c.fRight), c.fTolerance) << i;
        }
    }
}

TEST_F(VoSoundMixerTest, AVorbisStreamSeeksToTheExactFrameAfterPlaying) {
    // Two different tones a side, so every frame differs from its neighbours.
    constexpr int kFrames = kRate * 2;
    std::vector<float> frames(static_cast<std::size_t>(kFrames) * 2);
    for (int i = 0; i < kFrames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        frames[i * 2] = static_cast<float>(0.4 * std::sin(2.0 * M_PI * 440.0 * t) +
                                           0.2 * std::sin(2.0 * M_PI * 97.0 * t));
        frames[i * 2 + 1] = static_cast<float>(0.5 * std::sin(2.0 * M_PI * 660.0 * t * (1.0 + t)));
    }
    const std::string path = Make("tones.ogg", SoundFormat::kOggVorbis, kRate, 2, frames);
    // What a fresh decoder gives from the start.
    VoSoundDecoder fresh;
    ASSERT_TRUE(fresh.OpenFile(path.c_str()));
    float* decoded = nullptr;
    std::int64_t count = 0;
    std::int32_t channels = 0;
    ASSERT_TRUE(fresh.WholeSample(&decoded, &count, &channels));
    const std::vector<float> reference(decoded, decoded + count * channels);
    delete[] decoded;

    // From the file and from its bytes in memory.
    const std::vector<unsigned char> bytes = ReadBytes(path);
    for (const bool inMemory : {false, true}) {
        SCOPED_TRACE(inMemory ? "memory" : "file");
        const std::int32_t stream = inMemory ? fMixer.OpenStreamFromMemory(bytes.data(), bytes.size())
                                             : fMixer.OpenStream(path.c_str());
        ASSERT_NE(stream, 0);
        ASSERT_GE(fMixer.PlayStream(stream, VoISoundSystem::kMaxVolume), 0);
        Pull(10000);
        // Forward, then back, then forward again while playing.
        for (const int milliseconds : {450, 120, 1300}) {
            SCOPED_TRACE(milliseconds);
            ASSERT_TRUE(fMixer.SetStreamTime(stream, milliseconds));
            const std::size_t start = static_cast<std::size_t>(milliseconds) * kRate / 1000;
            const std::vector<float> out = Pull(3000);
            for (std::size_t i = 0; i < 3000 * 2; ++i) {
                ASSERT_EQ(out[i], reference[start * 2 + i]) << i / 2;
            }
        }
        fMixer.CloseStream(stream);
    }
}

TEST_F(VoSoundMixerTest, AnMpegFileDecodesThroughTheSameDecoder) {
    // The library writes MPEG layer III only; layer II (".mp2") goes through
    // the same MPEG decoder.
    const std::string path = fFolder.Path("sine.mp3");
    const std::int32_t sample = [&] {
        if (!WriteSoundFile(path, SoundFormat::kMpegLayer3, kRate, 1, Sine(kRate, 1, 44100, 440.0, 0.5))) {
            return 0;
        }
        return fMixer.LoadSample(path.c_str());
    }();
    if (sample == 0) {
        GTEST_SKIP() << "this libsndfile writes no MPEG";
    }
    EXPECT_NEAR(fMixer.GetSampleLength(sample), 44100, 2000);
    ASSERT_GE(fMixer.PlaySound(sample, 255), 0);
    Pull(4410);
    EXPECT_NEAR(Peak(Pull(4410)), 0.5f, 0.05f);
}

TEST_F(VoSoundMixerTest, LoopCountsPlayOnceNTimesMoreOrForEverAndEndOnce) {
    const std::int32_t stream = fMixer.OpenStream(MakeSine(1000).c_str());
    ASSERT_NE(stream, 0);
    for (int loops : {0, 2}) {
        int ends = 0;
        fMixer.SetStreamEndCallback(stream, &CountEnd, &ends);
        fMixer.SetStreamLoopCount(stream, loops);
        fMixer.SetStreamTime(stream, 0);
        const std::int32_t channel = fMixer.PlayStream(stream, 255);
        const std::vector<float> out = Pull(1000 * (loops + 1) - 1);
        if (loops > 0) {
            // The second pass starts right after the first.
            EXPECT_FLOAT_EQ(out[1000 * 2], fSource[0]);
            EXPECT_FLOAT_EQ(out[1001 * 2], fSource[1]);
        }
        EXPECT_TRUE(fMixer.IsPlaying(channel)) << loops;
        EXPECT_EQ(ends, 0) << loops;
        Pull(1);
        EXPECT_FALSE(fMixer.IsPlaying(channel)) << loops;
        EXPECT_EQ(ends, 1) << loops;
        Pull(3000);
        EXPECT_EQ(ends, 1) << loops;
    }
    int ends = 0;
    fMixer.SetStreamEndCallback(stream, &CountEnd, &ends);
    fMixer.SetStreamLoopCount(stream, VoISoundSystem::kLoopForever);
    fMixer.SetStreamTime(stream, 0);
    const std::int32_t channel = fMixer.PlayStream(stream, 255);
    for (int block = 0; block < 20; ++block) {
        Pull(1024);
    }
    EXPECT_TRUE(fMixer.IsPlaying(channel));
    EXPECT_EQ(ends, 0);
}

TEST_F(VoSoundMixerTest, StopHaltsAStreamWhereItIsWithoutAnEnd) {
    const std::int32_t stream = fMixer.OpenStream(MakeSine(4410).c_str());
    int ends = 0;
    fMixer.SetStreamEndCallback(stream, &CountEnd, &ends);
    const std::int32_t channel = fMixer.PlayStream(stream, 255);
    Pull(441);
    EXPECT_EQ(fMixer.GetStreamTime(stream), 10);
    EXPECT_TRUE(fMixer.StopStream(stream));
    EXPECT_FALSE(fMixer.IsPlaying(channel));
    EXPECT_EQ(fMixer.GetStreamTime(stream), 10);
    EXPECT_EQ(Pull(5000), std::vector<float>(10000, 0.0f));
    EXPECT_EQ(ends, 0);

    ASSERT_GE(fMixer.PlayStream(stream, 255), 0);
    EXPECT_FLOAT_EQ(Pull(1)[0], fSource[441]);
}

TEST_F(VoSoundMixerTest, StreamTimeIsClampedAndTheEndPlaysAsAnEnd) {
    const std::int32_t stream = fMixer.OpenStream(MakeSine(4410).c_str());
    EXPECT_EQ(fMixer.GetStreamLengthMs(stream), 100);
    EXPECT_TRUE(fMixer.SetStreamTime(stream, -5));
    EXPECT_EQ(fMixer.GetStreamTime(stream), 0);
    EXPECT_TRUE(fMixer.SetStreamTime(stream, std::numeric_limits<std::int32_t>::max()));
    EXPECT_EQ(fMixer.GetStreamTime(stream), 100);
    int ends = 0;
    fMixer.SetStreamEndCallback(stream, &CountEnd, &ends);
    fMixer.PlayStream(stream, 255);
    EXPECT_EQ(Pull(16), std::vector<float>(32, 0.0f));
    EXPECT_EQ(ends, 1);

    // Moving a playing stream plays from the new time at once.
    fMixer.SetStreamTime(stream, 0);
    fMixer.PlayStream(stream, 255);
    Pull(100);
    EXPECT_TRUE(fMixer.SetStreamTime(stream, 50));
    EXPECT_FLOAT_EQ(Pull(1)[0], fSource[2205]);
}

TEST_F(VoSoundMixerTest, ChannelsRunOutAndStaleHandlesAreRefused) {
    const std::int32_t sample = fMixer.LoadSample(MakeSine(4410).c_str());
    std::vector<std::int32_t> channels;
    for (int i = 0; i < VoSoundMixer::kMaxChannels; ++i) {
        channels.push_back(fMixer.PlaySound(sample, 10));
        ASSERT_GE(channels.back(), 0) << i;
    }
    EXPECT_EQ(fMixer.PlaySound(sample, 10), VoISoundSystem::kNoChannel);
    EXPECT_EQ(fMixer.GetPlayingCount(), VoSoundMixer::kMaxChannels);

    const std::int32_t stale = channels[5];
    EXPECT_TRUE(fMixer.StopSound(stale));
    const std::int32_t fresh = fMixer.PlaySound(sample, 20);
    ASSERT_GE(fresh, 0);
    EXPECT_NE(fresh, stale);
    EXPECT_FALSE(fMixer.IsPlaying(stale));
    EXPECT_FALSE(fMixer.SetVolume(stale, 255));
    EXPECT_FALSE(fMixer.StopSound(stale));
    EXPECT_EQ(fMixer.GetChannelVolume(fresh), 20);
    EXPECT_TRUE(fMixer.SetVolume(fresh, 999));
    EXPECT_EQ(fMixer.GetChannelVolume(fresh), 255);
    for (std::int32_t bad : {-1, -12345, std::numeric_limits<std::int32_t>::max()}) {
        EXPECT_FALSE(fMixer.IsPlaying(bad)) << bad;
        EXPECT_EQ(fMixer.GetCurrentPosition(bad), 0) << bad;
    }

    // Freeing the sample stops every channel that plays it.
    EXPECT_TRUE(fMixer.FreeSample(sample));
    EXPECT_EQ(fMixer.GetPlayingCount(), 0);
    EXPECT_FALSE(fMixer.FreeSample(sample));
    EXPECT_EQ(fMixer.PlaySound(sample, 10), VoISoundSystem::kNoChannel);
}

TEST_F(VoSoundMixerTest, FewerChannelsWhenInitAsksForFewer) {
    VoSoundMixer small;
    small.SetUseDevice(false);
    ASSERT_TRUE(small.Init(kRate, 2));
    const std::int32_t sample = small.LoadSample(MakeSine(100).c_str());
    EXPECT_GE(small.PlaySound(sample, 255), 0);
    EXPECT_GE(small.PlaySound(sample, 255), 0);
    EXPECT_EQ(small.PlaySound(sample, 255), VoISoundSystem::kNoChannel);
    small.Close();
}

TEST_F(VoSoundMixerTest, FilesThatAreNoSoundsAreRefused) {
    const std::string good = MakeSine(1000);
    const std::vector<unsigned char> bytes = ReadBytes(good);
    ASSERT_GT(bytes.size(), 44u);
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"text", "this is not a sound at all, only words"},
        {"header only", std::string(bytes.begin(), bytes.begin() + 20)},
        {"no data", std::string(bytes.begin(), bytes.begin() + 44)},
    };
    for (const auto& c : cases) {
        fFolder.Write("bad.wav", c.second);
        const std::string path = fFolder.Path("bad.wav");
        EXPECT_EQ(fMixer.LoadSample(path.c_str()), 0) << c.first;
        EXPECT_EQ(fMixer.LoadSampleFromMemory(c.second.data(), c.second.size()), 0) << c.first;
        const std::int32_t stream = fMixer.OpenStream(path.c_str());
        if (stream != 0) {
            // A stream of no frames may open; it plays as an immediate end.
            int ends = 0;
            fMixer.SetStreamEndCallback(stream, &CountEnd, &ends);
            fMixer.PlayStream(stream, 255);
            EXPECT_EQ(Pull(8), std::vector<float>(16, 0.0f)) << c.first;
            EXPECT_EQ(ends, 1) << c.first;
            fMixer.CloseStream(stream);
        }
    }
    EXPECT_EQ(fMixer.LoadSample(fFolder.Path("missing.wav").c_str()), 0);
    EXPECT_EQ(fMixer.OpenStream(fFolder.Path("missing.wav").c_str()), 0);
    EXPECT_EQ(fMixer.LoadSample(nullptr), 0);
    EXPECT_EQ(fMixer.OpenStream(nullptr), 0);
    EXPECT_EQ(fMixer.LoadSampleFromMemory(nullptr, 10), 0);
}

TEST_F(VoSoundMixerTest, ValuesThatAreNotNumbersAreSilentAndTheRestIsClipped) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<float> frames = {0.25f, std::nanf(""), inf, -inf, 3e38f, -0.9f, -3e38f, 0.0f};
    const std::int32_t sample =
        fMixer.LoadSample(Make("odd.wav", SoundFormat::kWavFloat, kRate, 1, frames).c_str());
    ASSERT_NE(sample, 0);
    fMixer.PlaySound(sample, 255);
    fMixer.PlaySound(sample, 255);
    // Infinities and huge values are clipped to full scale; the sum of the
    // two channels is clipped again.
    const std::vector<float> expected = {0.5f, 0.5f, 0.0f,  0.0f,  1.0f,  1.0f,  -1.0f, -1.0f,
                                         1.0f, 1.0f, -1.0f, -1.0f, -1.0f, -1.0f, 0.0f,  0.0f};
    EXPECT_EQ(Pull(8), expected);
}

TEST_F(VoSoundMixerTest, InitAndCloseNestAndTheLastCloseForgetsEverything) {
    VoSoundMixer mixer;
    mixer.SetUseDevice(false);
    const std::string path = MakeSine(100);
    EXPECT_EQ(mixer.LoadSample(path.c_str()), 0);
    EXPECT_FALSE(mixer.Init(0, 32));
    EXPECT_FALSE(mixer.IsInitialized());
    ASSERT_TRUE(mixer.Init(kRate, 32));
    const std::int32_t sample = mixer.LoadSample(path.c_str());
    ASSERT_NE(sample, 0);
    ASSERT_TRUE(mixer.Init(kRate, 32));
    mixer.Close();
    EXPECT_TRUE(mixer.IsInitialized());
    EXPECT_EQ(mixer.GetSampleLength(sample), 100);
    mixer.Close();
    EXPECT_FALSE(mixer.IsInitialized());
    EXPECT_EQ(mixer.GetSampleLength(sample), 0);
    mixer.Close();
    ASSERT_TRUE(mixer.Init(kRate, 32));
    // Handles are never given twice.
    EXPECT_NE(mixer.LoadSample(path.c_str()), sample);
    mixer.Close();
}

TEST_F(VoSoundMixerTest, TheDeviceOpensAndClosesUnderTheDummyDriver) {
    VoSoundMixer mixer;
    ASSERT_TRUE(mixer.Init(kRate, 32));
    EXPECT_TRUE(mixer.IsDeviceOpen());
    const std::int32_t sample = mixer.LoadSample(MakeSine(4410).c_str());
    EXPECT_GE(mixer.PlaySound(sample, 255), 0);
    mixer.Close();
    EXPECT_FALSE(mixer.IsDeviceOpen());
}

// Without an audio device the stand-in output takes the sounds, and the user
// is told once, in one line of ours, however often the mixer is opened again.
TEST(VoSoundMixer, WithoutAnAudioDeviceTheUserIsToldOnceThatTheGameRunsSilent) {
    struct Case {
        const char* fDriver;
        bool fTold;
    };
    const Case cases[] = {
        {"nonexistent", true},
        {"dummy", false},
    };
    const char* before = std::getenv("SDL_AUDIODRIVER");
    const std::string kept = before != nullptr ? before : "";
    const std::string line = Narrow(VoString(VoSoundMixer::kNoDeviceLine));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fDriver);
        setenv("SDL_AUDIODRIVER", c.fDriver, 1);
        LogCapture log;
        testing::internal::CaptureStderr();
        {
            VoSoundMixer mixer;
            for (int open = 0; open < 2; ++open) {
                EXPECT_TRUE(mixer.Init(kRate, 32));
                EXPECT_TRUE(mixer.IsDeviceOpen());
                mixer.Close();
            }
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.fTold ? line + "\n" : "");
        EXPECT_EQ(log.Lines(), c.fTold ? std::vector<std::string>{line} : std::vector<std::string>{});
    }
    if (before != nullptr) {
        setenv("SDL_AUDIODRIVER", kept.c_str(), 1);
    } else {
        unsetenv("SDL_AUDIODRIVER");
    }
}

TEST_F(VoSoundMixerTest, AFeedPlaysWhatIsWrittenAtItsVolumeAndSilenceWhenDry) {
    const std::int32_t feed = fMixer.OpenFeed(kRate, 1000);
    ASSERT_NE(feed, 0);
    std::vector<float> frames(600 * 2);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i] = static_cast<float>(i % 200) / 400.0f - 0.25f;
    }
    EXPECT_EQ(fMixer.WriteFeed(feed, frames.data(), 600), 600);
    EXPECT_EQ(fMixer.GetFeedQueued(feed), 600);
    const std::int32_t channel = fMixer.PlayFeed(feed, 128);
    ASSERT_GE(channel, 0);
    const float gain = 128.0f / 255.0f;
    const std::vector<float> out = Pull(700);
    for (int i = 0; i < 600 * 2; ++i) {
        ASSERT_FLOAT_EQ(out[i], frames[i] * gain) << i;
    }
    for (int i = 600 * 2; i < 700 * 2; ++i) {
        ASSERT_EQ(out[i], 0.0f) << i;
    }
    // Dry, it plays on and takes what comes later.
    EXPECT_TRUE(fMixer.IsPlaying(channel));
    EXPECT_EQ(fMixer.GetFeedQueued(feed), 0);
    EXPECT_EQ(fMixer.WriteFeed(feed, frames.data(), 10), 10);
    const std::vector<float> later = Pull(10);
    EXPECT_NE(later[2 * 2], 0.0f);
    EXPECT_TRUE(fMixer.IsPlaying(channel));
}

TEST_F(VoSoundMixerTest, AFullFeedDropsWhatDoesNotFitAndWrapsAroundItsRing) {
    const std::int32_t feed = fMixer.OpenFeed(kRate, 8);
    ASSERT_NE(feed, 0);
    std::vector<float> frames(20 * 2);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i] = static_cast<float>(i) / 100.0f;
    }
    EXPECT_EQ(fMixer.WriteFeed(feed, frames.data(), 6), 6);
    EXPECT_EQ(fMixer.WriteFeed(feed, frames.data() + 12, 6), 2);
    EXPECT_EQ(fMixer.GetFeedQueued(feed), 8);
    ASSERT_GE(fMixer.PlayFeed(feed, VoISoundSystem::kMaxVolume), 0);
    // Two frames are read ahead for the interpolation.
    std::vector<float> out = Pull(5);
    EXPECT_EQ(fMixer.GetFeedQueued(feed), 1);
    EXPECT_EQ(fMixer.WriteFeed(feed, frames.data() + 20, 7), 7);
    out = Pull(10);
    // Frame 5 of the first write, the two of the second (6 and 7), then the
    // third's 10 .. 16, in order across the ring's end.
    const float expected[] = {0.10f, 0.12f, 0.14f, 0.20f, 0.22f, 0.24f, 0.26f, 0.28f, 0.30f, 0.32f};
    for (int i = 0; i < 10; ++i) {
        EXPECT_NEAR(out[i * 2], expected[i], 1e-6f) << i;
    }
    EXPECT_EQ(fMixer.WriteFeed(feed, nullptr, 3), 0);
    EXPECT_EQ(fMixer.WriteFeed(feed + 1000, frames.data(), 3), 0);
}

TEST_F(VoSoundMixerTest, ABlockWrittenAcrossTheRingsEndComesBackWholeAndInOrder) {
    const std::int32_t feed = fMixer.OpenFeed(kRate, 8);
    ASSERT_NE(feed, 0);
    std::vector<float> frames(16 * 2);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i] = static_cast<float>(i) / 100.0f;
    }
    ASSERT_EQ(fMixer.WriteFeed(feed, frames.data(), 6), 6);
    ASSERT_GE(fMixer.PlayFeed(feed, VoISoundSystem::kMaxVolume), 0);
    // Four frames out and two read ahead: the ring is empty, its next slot
    // two before its end.
    Pull(4);
    ASSERT_EQ(fMixer.GetFeedQueued(feed), 0);
    // Slots 6, 7, then 0, 1, 2.
    ASSERT_EQ(fMixer.WriteFeed(feed, frames.data() + 16, 5), 5);
    const std::vector<float> out = Pull(7);
    const float left[] = {0.08f, 0.10f, 0.16f, 0.18f, 0.20f, 0.22f, 0.24f};
    for (int i = 0; i < 7; ++i) {
        EXPECT_NEAR(out[i * 2], left[i], 1e-6f) << i;
        EXPECT_NEAR(out[i * 2 + 1], left[i] + 0.01f, 1e-6f) << i;
    }
}

TEST_F(VoSoundMixerTest, AStoppedFeedKeepsItsQueueUntilClearedOrClosed) {
    const std::int32_t feed = fMixer.OpenFeed(kRate, 100);
    ASSERT_NE(feed, 0);
    std::vector<float> frames(50 * 2, 0.5f);
    fMixer.WriteFeed(feed, frames.data(), 50);
    const std::int32_t channel = fMixer.PlayFeed(feed, 255);
    Pull(10);
    EXPECT_TRUE(fMixer.StopFeed(feed));
    EXPECT_FALSE(fMixer.IsPlaying(channel));
    const std::int32_t queued = fMixer.GetFeedQueued(feed);
    EXPECT_GT(queued, 30);
    EXPECT_EQ(Peak(Pull(10)), 0.0f);
    EXPECT_EQ(fMixer.GetFeedQueued(feed), queued);
    EXPECT_TRUE(fMixer.ClearFeed(feed));
    EXPECT_EQ(fMixer.GetFeedQueued(feed), 0);
    const std::int32_t again = fMixer.PlayFeed(feed, 255);
    ASSERT_GE(again, 0);
    EXPECT_TRUE(fMixer.CloseFeed(feed));
    EXPECT_FALSE(fMixer.IsPlaying(again));
    EXPECT_FALSE(fMixer.CloseFeed(feed));
    EXPECT_EQ(fMixer.PlayFeed(feed, 255), VoISoundSystem::kNoChannel);
    EXPECT_EQ(fMixer.GetPlayingCount(), 0);
}

TEST_F(VoSoundMixerTest, AFeedAtAnotherRateIsResampledAndBadFeedsAreRefused) {
    const std::int32_t feed = fMixer.OpenFeed(kRate / 2, 100);
    ASSERT_NE(feed, 0);
    const float frames[] = {0.0f, 0.0f, 0.4f, 0.4f, 0.8f, 0.8f};
    fMixer.WriteFeed(feed, frames, 3);
    ASSERT_GE(fMixer.PlayFeed(feed, 255), 0);
    const std::vector<float> out = Pull(4);
    EXPECT_NEAR(out[0], 0.0f, 1e-6f);
    EXPECT_NEAR(out[2], 0.2f, 1e-6f);
    EXPECT_NEAR(out[4], 0.4f, 1e-6f);
    EXPECT_NEAR(out[6], 0.6f, 1e-6f);
    EXPECT_EQ(fMixer.OpenFeed(0, 100), 0);
    EXPECT_EQ(fMixer.OpenFeed(kRate, 0), 0);
    EXPECT_EQ(fMixer.GetOutputRate(), kRate);
    fMixer.Close();
    EXPECT_EQ(fMixer.OpenFeed(kRate, 100), 0);
    ASSERT_TRUE(fMixer.Init(kRate, VoSoundMixer::kMaxChannels));
    EXPECT_EQ(fMixer.GetFeedQueued(feed), 0);
}
