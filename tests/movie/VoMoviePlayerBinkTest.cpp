#include "movie/VoMoviePlayerBink.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MovieTestSupport.h"
#include "container/VoLog.h"
#include "render/VoTextureManager.h"
#include "stdlib/VoFrameManager.h"
#include "support/LogCapture.h"

namespace {

class VoMoviePlayerBinkTest : public MovieTest {
protected:
    // A player of a new clip, opened full screen or as a texture movie.
    std::unique_ptr<VoMoviePlayerBink> Open(const std::string& aName, const MovieSpec& aSpec,
                                            bool aFullScreen) {
        auto player = std::make_unique<VoMoviePlayerBink>(Ports());
        EXPECT_TRUE(player->Open(Make(aName, aSpec), aFullScreen)) << aName;
        return player;
    }
    // The frames (from 0) of the blits so far, told apart by their first pixel.
    std::vector<std::uint8_t> LastBlit() const {
        return fBlitter.fCalls.empty() ? std::vector<std::uint8_t>() : fBlitter.fCalls.back().pixels;
    }

    static constexpr std::uint32_t kFrameMs = 67;  // a frame at 15 per second, rounded up
};

std::string Line(const char16_t* apText) {
    return Narrow(VoString(apText));
}

}  // namespace

TEST_F(VoMoviePlayerBinkTest, AHundredFramesAtFifteenPerSecondLastSixSecondsAndCountFromOne) {
    MovieSpec spec;
    spec.frames = 100;
    auto player = Open("hundred.mkv", spec, true);
    EXPECT_FLOAT_EQ(player->GetLength(), 6.0f);
    EXPECT_EQ(player->GetFrameCount(), 100u);
    EXPECT_EQ(player->GetFrameRate(), 15);
    EXPECT_EQ(player->GetWidth(), 32);
    EXPECT_EQ(player->GetHeight(), 24);
    EXPECT_EQ(player->GetCurrentFrame(), 1u);
    // Nothing is due before Play.
    EXPECT_TRUE(player->Render(nullptr));
    EXPECT_EQ(player->GetCurrentFrame(), 1u);
    EXPECT_TRUE(fBlitter.fCalls.empty());

    ASSERT_TRUE(player->Play());
    EXPECT_TRUE(player->Render(nullptr));
    EXPECT_EQ(player->GetCurrentFrame(), 2u);
    ASSERT_EQ(fBlitter.fCalls.size(), 1u);
    EXPECT_EQ(LastBlit(), MovieFrame(spec, 0));
}

TEST_F(VoMoviePlayerBinkTest, FramesFallDueOnTheClockFromPlayWithPausedTimeLeftOut) {
    MovieSpec spec;
    spec.frames = 20;
    auto player = Open("timing.mkv", spec, true);
    ASSERT_TRUE(player->Play());
    player->Render(nullptr);
    EXPECT_EQ(player->GetCurrentFrame(), 2u);
    // The same picture is drawn again until the next frame is due.
    fClock.fNow += 60;
    player->Render(nullptr);
    EXPECT_EQ(player->GetCurrentFrame(), 2u);
    ASSERT_EQ(fBlitter.fCalls.size(), 2u);
    EXPECT_EQ(LastBlit(), MovieFrame(spec, 0));
    fClock.fNow += 7;
    player->Render(nullptr);
    EXPECT_EQ(player->GetCurrentFrame(), 3u);
    EXPECT_EQ(LastBlit(), MovieFrame(spec, 1));

    // Paused for ten seconds: the frame stays, and the next is due as long
    // after the resume as it was after the pause.
    fClock.fNow += 30;
    ASSERT_TRUE(player->Pause());
    fClock.fNow += 10000;
    player->Render(nullptr);
    EXPECT_EQ(player->GetCurrentFrame(), 3u);
    EXPECT_EQ(LastBlit(), MovieFrame(spec, 1));
    ASSERT_TRUE(player->Resume());
    player->Render(nullptr);
    EXPECT_EQ(player->GetCurrentFrame(), 3u);
    fClock.fNow += 37;
    player->Render(nullptr);
    EXPECT_EQ(player->GetCurrentFrame(), 4u);
    EXPECT_EQ(LastBlit(), MovieFrame(spec, 2));
}

TEST_F(VoMoviePlayerBinkTest, AMovieThatIsNotLoopingEndsOnceAndDrawsNothingMore) {
    MovieSpec spec;
    spec.frames = 4;
    auto player = Open("end.mkv", spec, true);
    MovieEndProbe probe;
    player->SetListener(&probe);
    ASSERT_TRUE(player->Play());
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(player->Render(nullptr)) << i;
        EXPECT_EQ(LastBlit(), MovieFrame(spec, i)) << i;
        fClock.fNow += kFrameMs;
    }
    EXPECT_EQ(probe.fNames, std::vector<std::string>{""});
    EXPECT_FALSE(player->IsOpen());
    const std::size_t blits = fBlitter.fCalls.size();
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(player->Render(nullptr));
        fClock.fNow += kFrameMs;
    }
    EXPECT_EQ(probe.fNames.size(), 1u);
    EXPECT_EQ(fBlitter.fCalls.size(), blits);
    EXPECT_EQ(player->GetCurrentFrame(), 0u);
    EXPECT_FALSE(player->Play());
}

TEST_F(VoMoviePlayerBinkTest, AListenerMayDeleteThePlayerWhenItsMovieEnds) {
    MovieSpec spec;
    spec.frames = 2;
    for (const bool fullScreen : {true, false}) {
        SCOPED_TRACE(fullScreen ? "full screen" : "texture");
        VoMoviePlayerBink* player = Open(fullScreen ? "full.mkv" : "texture.mkv", spec, fullScreen).release();
        MovieEndProbe probe;
        probe.fAction = [&player] {
            delete player;
            player = nullptr;
        };
        player->SetListener(&probe);
        ASSERT_TRUE(player->Play());
        for (int i = 0; i < 4 && player != nullptr; ++i) {
            if (fullScreen) {
                player->Render(nullptr);
            } else {
                Frame();
            }
            fClock.fNow += kFrameMs;
        }
        EXPECT_EQ(player, nullptr);
        EXPECT_EQ(probe.fNames.size(), 1u);
        EXPECT_EQ(FrameListeners(), 0);
    }
}

TEST_F(VoMoviePlayerBinkTest, ALoopingAlphaMovieStartsAgainWithItsAlphaAndVolumeAndNeverEnds) {
    MovieSpec spec;
    spec.frames = 3;
    spec.codec = MovieCodec::kPng;
    spec.alpha = true;
    spec.soundRate = 22050;
    auto player = Open("loop.mkv", spec, false);
    MovieEndProbe probe;
    player->SetListener(&probe);
    player->SetLooping(true);
    player->SetVolume(0.5f);
    const auto* texture = dynamic_cast<const RecordingTexture*>(player->GetTexture());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetFormat(), VoMoviePlayerBink::kAlphaFormat);
    ASSERT_TRUE(player->Play());
    for (int i = 0; i < 8; ++i) {
        Frame();
        EXPECT_EQ(Texels(*player), MovieFrame(spec, i % 3)) << i;
        EXPECT_EQ(player->GetCurrentFrame(), static_cast<std::uint32_t>(i % 3 == 2 ? 1 : i % 3 + 2)) << i;
        EXPECT_EQ(fMixer.GetChannelVolume(player->GetDecoder().GetSoundChannel()), 127) << i;
        fClock.fNow += kFrameMs;
    }
    EXPECT_TRUE(probe.fNames.empty());
    EXPECT_TRUE(player->IsOpen());
    EXPECT_EQ(player->GetDecoder().GetOpenFlags(), VoMoviePlayerBink::kOpenFlags);
    EXPECT_TRUE(player->IsRegistered());
}

TEST_F(VoMoviePlayerBinkTest, ATextureMovieUploadsEachNewFrameOnceAndOnlyWhilePlaying) {
    MovieSpec spec;
    spec.frames = 5;
    auto player = Open("texture.mkv", spec, false);
    const auto* texture = dynamic_cast<const RecordingTexture*>(player->GetTexture());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetWidth(), 32u);
    EXPECT_EQ(texture->GetHeight(), 24u);
    EXPECT_EQ(texture->GetFormat(), VoMoviePlayerBink::kOpaqueFormat);
    EXPECT_EQ(FrameListeners(), 0);

    ASSERT_TRUE(player->Play());
    EXPECT_EQ(FrameListeners(), 1);
    Frame();
    EXPECT_EQ(texture->GetUpdateCount(), 1);
    EXPECT_EQ(texture->GetTexels(), MovieFrame(spec, 0));
    Frame();
    EXPECT_EQ(texture->GetUpdateCount(), 1);
    fClock.fNow += kFrameMs;
    Frame();
    EXPECT_EQ(texture->GetUpdateCount(), 2);
    EXPECT_EQ(texture->GetTexels(), MovieFrame(spec, 1));
    // A texture movie draws nothing itself.
    EXPECT_TRUE(player->Render(nullptr));
    EXPECT_TRUE(fBlitter.fCalls.empty());

    ASSERT_TRUE(player->Pause());
    EXPECT_EQ(FrameListeners(), 0);
    fClock.fNow += 1000;
    player->OnUpdate();
    EXPECT_EQ(texture->GetUpdateCount(), 2);
    EXPECT_EQ(player->GetCurrentFrame(), 3u);
}

TEST_F(VoMoviePlayerBinkTest, PlayersJoinAndLeaveTheFrameManagerOnceWhateverTheOrder) {
    MovieSpec spec;
    spec.frames = 3;
    LogCapture log;
    {
        auto player = Open("frames.mkv", spec, false);
        ASSERT_TRUE(player->Play());
        ASSERT_TRUE(player->Play());
        ASSERT_TRUE(player->Resume());
        EXPECT_EQ(FrameListeners(), 1);
        ASSERT_TRUE(player->Pause());
        ASSERT_TRUE(player->Pause());
        EXPECT_EQ(FrameListeners(), 0);
        ASSERT_TRUE(player->Resume());
        ASSERT_TRUE(player->Close());
        ASSERT_TRUE(player->Close());
        EXPECT_EQ(FrameListeners(), 0);
        EXPECT_FALSE(player->Play());
        EXPECT_EQ(FrameListeners(), 0);
    }
    {
        auto player = Open("frames2.mkv", spec, false);
        ASSERT_TRUE(player->Play());
        EXPECT_EQ(FrameListeners(), 1);
    }
    EXPECT_EQ(FrameListeners(), 0);
    {
        // A full-screen movie never registers.
        auto player = Open("frames3.mkv", spec, true);
        ASSERT_TRUE(player->Play());
        EXPECT_EQ(FrameListeners(), 0);
        EXPECT_FALSE(player->IsRegistered());
    }
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(VoMoviePlayerBinkTest, AFullScreenCopyLandsAtTheTruncatedPositionClippedToTheScreen) {
    MovieSpec spec;
    spec.frames = 2;
    const std::vector<std::uint8_t> frame = MovieFrame(spec, 0);
    // The frame's pixels of columns [x0, x1) and rows [y0, y1).
    auto part = [&frame, &spec](int aX0, int aY0, int aX1, int aY1) {
        std::vector<std::uint8_t> bytes;
        for (int y = aY0; y < aY1; ++y) {
            bytes.insert(bytes.end(), frame.begin() + (y * spec.width + aX0) * 4,
                         frame.begin() + (y * spec.width + aX1) * 4);
        }
        return bytes;
    };
    struct Case {
        float x, y;
        bool drawn;
        BlitCall expected;
    };
    const Case cases[] = {
        {10.7f, 20.2f, true, {10, 20, 32, 24, part(0, 0, 32, 24)}},
        {-0.9f, -0.5f, true, {0, 0, 32, 24, part(0, 0, 32, 24)}},
        {790.0f, 590.0f, true, {790, 590, 10, 10, part(0, 0, 10, 10)}},
        {-5.0f, -3.0f, true, {0, 0, 27, 21, part(5, 3, 32, 24)}},
        {800.0f, 10.0f, false, {}},
        {-32.0f, 10.0f, false, {}},
        {10.0f, 1.0e30f, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
        fBlitter.fCalls.clear();
        auto player = Open("position.mkv", spec, true);
        player->SetPosition(c.x, c.y);
        ASSERT_TRUE(player->Play());
        player->Render(nullptr);
        ASSERT_EQ(fBlitter.fCalls.size(), c.drawn ? 1u : 0u);
        if (c.drawn) {
            const BlitCall& call = fBlitter.fCalls[0];
            EXPECT_EQ(call.x, c.expected.x);
            EXPECT_EQ(call.y, c.expected.y);
            EXPECT_EQ(call.width, c.expected.width);
            EXPECT_EQ(call.height, c.expected.height);
            EXPECT_EQ(call.pixels, c.expected.pixels);
        }
        EXPECT_EQ(player->GetCurrentFrame(), 2u);
    }
}

TEST_F(VoMoviePlayerBinkTest, AHiddenFullScreenMoviePlaysOnUnseen) {
    MovieSpec spec;
    spec.frames = 3;
    auto player = Open("hidden.mkv", spec, true);
    player->SetVisible(false);
    ASSERT_TRUE(player->Play());
    player->Render(nullptr);
    EXPECT_EQ(player->GetCurrentFrame(), 2u);
    EXPECT_TRUE(fBlitter.fCalls.empty());
    player->SetVisible(true);
    player->Render(nullptr);
    ASSERT_EQ(fBlitter.fCalls.size(), 1u);
    EXPECT_EQ(LastBlit(), MovieFrame(spec, 0));
}

TEST_F(VoMoviePlayerBinkTest, ACopyThatFailsIsLoggedWithTheReason) {
    MovieSpec spec;
    spec.frames = 3;
    auto player = Open("refused.mkv", spec, true);
    fBlitter.fResult = false;
    ASSERT_TRUE(player->Play());
    LogCapture log;
    EXPECT_TRUE(player->Render(nullptr));
    EXPECT_TRUE(
        log.Logged("ERROR: ", std::string(VoMoviePlayerBink::kRenderFailure) + RecordingBlitter::kFailure));
    EXPECT_EQ(player->GetCurrentFrame(), 2u);
}

TEST_F(VoMoviePlayerBinkTest, ATextureThatRefusesItsPixelsIsLoggedAsAPlainLine) {
    MovieSpec spec;
    spec.frames = 3;
    auto player = Open("locked.mkv", spec, false);
    auto* texture = dynamic_cast<RecordingTexture*>(player->GetTexture());
    ASSERT_NE(texture, nullptr);
    texture->RefuseUpdates(true);
    ASSERT_TRUE(player->Play());
    LogCapture log;
    Frame();
    EXPECT_EQ(log.Lines(), std::vector<std::string>{Line(VoMoviePlayerBink::kTextureLockLine)});
    EXPECT_EQ(player->GetCurrentFrame(), 2u);
}

TEST_F(VoMoviePlayerBinkTest, ATextureOfTheInterfacesOwnTakesNoPixels) {
    class Unwritable : public VoITexture {
    public:
        bool CreateTexture(VoImage*) override { return true; }
        bool CreateTexture(std::uint32_t, std::uint32_t, std::int32_t) override { return true; }
        bool SetPriority(float) override { return true; }
    };
    LogCapture log;
    Unwritable texture;
    const std::uint8_t pixel[4] = {};
    EXPECT_FALSE(texture.UpdateTexture(pixel, 4));
    EXPECT_TRUE(log.Logged("ERROR: ", VoITexture::kUpdateNYI));
}

TEST_F(VoMoviePlayerBinkTest, AFrameThatCannotBeDecodedIsSkippedAndThePictureBeforeItStays) {
    MovieSpec spec;
    spec.frames = 3;
    spec.codec = MovieCodec::kPng;
    ASSERT_TRUE(WriteMovieFile(fFolder.Path("damaged.mkv"), spec));
    // Each picture is a whole PNG file: break the compressed data of the
    // second one's image chunk.
    std::string bytes = fFolder.Read("damaged.mkv");
    const std::size_t first = bytes.find("IDAT");
    const std::size_t second = bytes.find("IDAT", first + 1);
    ASSERT_NE(second, std::string::npos);
    bytes[second + 4] = '\xFF';
    bytes[second + 5] = '\xFF';
    fFolder.Write("damaged.mkv", bytes);

    VoMoviePlayerBink player(Ports());
    ASSERT_TRUE(player.Open(PlatformTestFolder::Wide(fFolder.Path("damaged.mkv")), true));
    ASSERT_TRUE(player.Play());
    player.Render(nullptr);
    EXPECT_EQ(LastBlit(), MovieFrame(spec, 0));
    fClock.fNow += kFrameMs;
    LogCapture log;
    player.Render(nullptr);
    EXPECT_EQ(log.Lines(), std::vector<std::string>{Line(VoMoviePlayerBink::kFrameSkippedLine)});
    EXPECT_EQ(LastBlit(), MovieFrame(spec, 0));
    EXPECT_EQ(player.GetCurrentFrame(), 3u);
    fClock.fNow += kFrameMs;
    player.Render(nullptr);
    EXPECT_EQ(LastBlit(), MovieFrame(spec, 2));
}

TEST_F(VoMoviePlayerBinkTest, TextureSizesAreMeasuredAgainstTheDeviceLimits) {
    struct Case {
        std::uint32_t width, height;
        bool powerOfTwo, square;
        std::uint32_t measuredWidth, measuredHeight;
    };
    const Case cases[] = {
        {320, 240, true, true, 512, 512},  {320, 240, true, false, 512, 256},
        {320, 240, false, true, 320, 320}, {320, 240, false, false, 320, 240},
        {10, 3, true, false, 64, 64},      {64, 65, true, false, 64, 128},
    };
    for (const Case& c : cases) {
        VoMoviePlayerBink::TextureLimits limits;
        limits.fPowerOfTwo = c.powerOfTwo;
        limits.fSquare = c.square;
        std::uint32_t width = c.width;
        std::uint32_t height = c.height;
        VoMoviePlayerBink::MeasureTexture(limits, &width, &height);
        EXPECT_EQ(width, c.measuredWidth) << c.width << "x" << c.height;
        EXPECT_EQ(height, c.measuredHeight) << c.width << "x" << c.height;
    }
}

TEST_F(VoMoviePlayerBinkTest, APowerOfTwoSquareDeviceTakesA320By240MovieOnlyUpTo512) {
    MovieSpec spec;
    spec.width = 320;
    spec.height = 240;
    spec.frames = 1;
    const VoString path = Make("wide.mkv", spec);
    sLimits.fPowerOfTwo = true;
    sLimits.fSquare = true;
    sLimits.fMaxWidth = 512;
    sLimits.fMaxHeight = 512;
    const int textures = RecordingTexture::LiveCount();
    {
        VoMoviePlayerBink player(Ports());
        ASSERT_TRUE(player.Open(path, false));
        const auto* texture = dynamic_cast<const RecordingTexture*>(player.GetTexture());
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(texture->GetWidth(), 320u);
        EXPECT_EQ(texture->GetHeight(), 240u);
    }
    sLimits.fMaxHeight = 511;
    {
        VoMoviePlayerBink player(Ports());
        EXPECT_FALSE(player.Open(path, false));
        EXPECT_FALSE(player.IsOpen());
        EXPECT_EQ(player.GetTexture(), nullptr);
        // A full-screen movie needs no texture.
        EXPECT_TRUE(player.Open(path, true));
    }
    EXPECT_EQ(RecordingTexture::LiveCount(), textures);
}

TEST_F(VoMoviePlayerBinkTest, TwoTextureMoviesOfOneFileKeepTexturesOfTheirOwn) {
    MovieSpec spec;
    spec.frames = 3;
    const VoString path = Make("twice.mkv", spec);
    const int textures = RecordingTexture::LiveCount();
    {
        VoMoviePlayerBink first(Ports());
        VoMoviePlayerBink second(Ports());
        ASSERT_TRUE(first.Open(path, false));
        ASSERT_TRUE(second.Open(path, false));
        EXPECT_NE(first.GetTexture(), second.GetTexture());
        const std::string prefix = Narrow(path) + "#";
        EXPECT_EQ(Narrow(first.GetTextureId()).rfind(prefix, 0), 0u);
        EXPECT_EQ(Narrow(second.GetTextureId()).rfind(prefix, 0), 0u);
        EXPECT_NE(Narrow(first.GetTextureId()), Narrow(second.GetTextureId()));
        // Each is filed with the texture manager under its own id.
        VoTextureManager* manager = VoTextureManager::GetInstance();
        ASSERT_NE(manager, nullptr);
        ASSERT_NE(first.GetTextureHandle(), 0u);
        EXPECT_EQ(manager->GetTexture(first.GetTextureId()), first.GetTexture());
        EXPECT_EQ(manager->GetTexture(second.GetTextureHandle()), second.GetTexture());
        ASSERT_TRUE(first.Play());
        Frame();
        fClock.fNow += kFrameMs;
        Frame();
        ASSERT_TRUE(second.Play());
        Frame();
        EXPECT_EQ(Texels(first), MovieFrame(spec, 1));
        EXPECT_EQ(Texels(second), MovieFrame(spec, 0));
        // A second open gives up the texture of the first, and its id.
        const VoString oldId = second.GetTextureId();
        ASSERT_TRUE(second.Open(path, false));
        EXPECT_EQ(RecordingTexture::LiveCount(), textures + 2);
        EXPECT_EQ(manager->GetHandle(oldId), 0u);
    }
    EXPECT_EQ(RecordingTexture::LiveCount(), textures);
}

TEST_F(VoMoviePlayerBinkTest, GotoFrameAndGotoKeyFrameDecodeForwardFromTheKeyFrameBefore) {
    MovieSpec spec;
    spec.frames = 40;
    spec.codec = MovieCodec::kVp8;
    spec.keyInterval = 10;
    const VoString path = Make("keys.mkv", spec);
    VoMoviePlayerBink player(Ports());
    ASSERT_TRUE(player.Open(path, true));
    ASSERT_TRUE(player.Play());
    struct Case {
        bool key;
        std::uint32_t target;
        std::uint32_t expected;
    };
    // Key frames are 1, 11, 21 and 31.
    const Case cases[] = {{false, 15, 15}, {true, 15, 21}, {true, 21, 21}, {false, 1, 1},
                          {true, 35, 35},  {false, 9, 9},  {false, 40, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.target) + (c.key ? " key" : ""));
        ASSERT_TRUE(c.key ? player.GotoKeyFrame(c.target) : player.GotoFrame(c.target));
        EXPECT_EQ(player.GetCurrentFrame(), c.expected);
        // The frame is due at once.
        player.Render(nullptr);
        ASSERT_FALSE(LastBlit().empty());
        EXPECT_NEAR(LastBlit()[1], MovieGrey(static_cast<int>(c.expected) - 1), 3);
    }
    // That was the last frame: the movie has ended.
    EXPECT_FALSE(player.IsOpen());
    EXPECT_FALSE(player.GotoFrame(1));
    ASSERT_TRUE(player.Open(path, true));
    EXPECT_FALSE(player.GotoFrame(0));
    EXPECT_FALSE(player.GotoFrame(41));
    EXPECT_EQ(player.GetCurrentFrame(), 1u);
}

TEST_F(VoMoviePlayerBinkTest, SetFrameRateChangesTheScheduleButNotTheRateTheMovieWasOpenedAt) {
    MovieSpec spec;
    spec.frames = 30;
    auto player = Open("rate.mkv", spec, true);
    EXPECT_FLOAT_EQ(player->GetLength(), 2.0f);
    ASSERT_TRUE(player->Play());
    player->Render(nullptr);
    player->SetFrameRate(0);
    player->SetFrameRate(10);
    // The schedule starts anew at the current frame, which is due at once.
    player->Render(nullptr);
    EXPECT_EQ(player->GetCurrentFrame(), 3u);
    fClock.fNow += 99;
    player->Render(nullptr);
    EXPECT_EQ(player->GetCurrentFrame(), 3u);
    fClock.fNow += 1;
    player->Render(nullptr);
    EXPECT_EQ(player->GetCurrentFrame(), 4u);
    EXPECT_EQ(player->GetFrameRate(), 15);
    EXPECT_FLOAT_EQ(player->GetLength(), 3.0f);
}

TEST_F(VoMoviePlayerBinkTest, GetLengthBelowOneFramePerSecondIsZero) {
    MovieSpec spec;
    spec.frames = 3;
    spec.fps = 1;
    spec.fpsDivisor = 2;
    auto player = Open("slow.mkv", spec, true);
    EXPECT_EQ(player->GetFrameRate(), 0);
    EXPECT_FLOAT_EQ(player->GetLength(), 0.0f);
    VoMoviePlayerBink closed(Ports());
    EXPECT_FLOAT_EQ(closed.GetLength(), 0.0f);
    EXPECT_EQ(closed.GetFrameCount(), 0u);
    EXPECT_TRUE(closed.Reserved(7));
}

TEST_F(VoMoviePlayerBinkTest, AVolumeSetBeforeTheFirstFrameIsHeardFromThatFrame) {
    MovieSpec spec;
    spec.frames = 6;
    spec.soundRate = 22050;
    auto player = Open("sound.mkv", spec, true);
    ASSERT_EQ(player->GetDecoder().GetSoundTrackCount(), 1);
    player->SetVolume(0.5f);
    ASSERT_TRUE(player->Play());
    const std::int32_t channel = player->GetDecoder().GetSoundChannel();
    EXPECT_EQ(fMixer.GetChannelVolume(channel), 255);
    player->Render(nullptr);
    EXPECT_EQ(fMixer.GetChannelVolume(channel), 127);
    fClock.fNow += kFrameMs;
    player->Render(nullptr);
    EXPECT_GT(fMixer.GetFeedQueued(player->GetDecoder().GetSoundFeed()), 0);
    // Out of range holds at the ends.
    player->SetVolume(3.0f);
    player->Render(nullptr);
    EXPECT_EQ(fMixer.GetChannelVolume(channel), 255);
    player->SetVolume(-1.0f);
    player->Render(nullptr);
    EXPECT_EQ(fMixer.GetChannelVolume(channel), 0);
    // Paused, the sound stops; resumed, it plays on at its volume.
    ASSERT_TRUE(player->Pause());
    EXPECT_EQ(player->GetDecoder().GetSoundChannel(), -1);
    ASSERT_TRUE(player->Resume());
    EXPECT_EQ(fMixer.GetChannelVolume(player->GetDecoder().GetSoundChannel()), 0);
}

TEST_F(VoMoviePlayerBinkTest, FilesThatCannotBePlayedAreRefusedQuietly) {
    fFolder.Write("garbage.mkv", std::string(4000, 'x'));
    MovieSpec spec;
    spec.frames = 5;
    ASSERT_TRUE(WriteMovieFile(fFolder.Path("whole.mkv"), spec));
    fFolder.Write("truncated.mkv", fFolder.Read("whole.mkv").substr(0, 40));
    LogCapture log;
    for (const char* name : {"garbage.mkv", "truncated.mkv", "missing.mkv"}) {
        for (const bool fullScreen : {true, false}) {
            VoMoviePlayerBink player(Ports());
            EXPECT_FALSE(player.Open(PlatformTestFolder::Wide(fFolder.Path(name)), fullScreen)) << name;
            EXPECT_FALSE(player.IsOpen());
            EXPECT_FALSE(player.Render(nullptr));
            EXPECT_FALSE(player.Play());
            EXPECT_EQ(player.GetCurrentFrame(), 0u);
        }
    }
    VoMoviePlayerBink player(Ports());
    const char16_t zeroLowByte[] = {u'/', 0x4100, u'x', 0};
    EXPECT_FALSE(player.Open(VoString(zeroLowByte), true));
    EXPECT_TRUE(log.Lines().empty());
}
