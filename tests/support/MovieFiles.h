#pragma once
// Movie files made by the tests themselves through FFmpeg's libraries:
// Matroska with FFV1 or PNG pictures of a pattern that tells every pixel of
// every frame apart, optionally with an alpha channel and a sine sound track,
// so no test depends on a committed recording. VP8 gives frames that are not
// key frames (so does FFV1, which marks only every keyInterval-th frame as
// one); VP8 is lossy, so its frames are flat greys, 5 levels apart, that come
// back within a few levels (MovieGrey).
//
//     MovieSpec spec;
//     spec.frames = 100;
//     ASSERT_TRUE(WriteMovieFile(folder.Path("clip.mkv"), spec));
//     EXPECT_EQ(MoviePixel(spec, 0, 3, 2), (std::array<std::uint8_t, 4>{...}));
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class MovieCodec { kFfv1, kPng, kVp8 };

struct MovieSpec {
    int width = 32;
    int height = 24;
    int frames = 10;
    // Frames per second: fps / fpsDivisor.
    int fps = 15;
    int fpsDivisor = 1;
    MovieCodec codec = MovieCodec::kFfv1;
    bool alpha = false;
    // A sound track of a 440 Hz sine at half scale; 0 for none.
    int soundRate = 0;
    int soundChannels = 1;
    // VP8 and FFV1: every n-th frame (from the first) is a key frame, the
    // others are not. PNG pictures always are.
    int keyInterval = 10;
    // FFV1: the range coder with large contexts in place of Golomb-Rice
    // codes; small pictures with soft edges take some 40% less room.
    bool rangeCoder = false;
    // Pictures of one's own in place of the pattern: pixel (x, y) of frame
    // aFrame (from 0) as B, G, R, A. VP8 keeps their colours (lossily).
    std::function<std::array<std::uint8_t, 4>(int aFrame, int aX, int aY)> picture;
};

// False when the libraries refuse.
bool WriteMovieFile(const std::string& aPath, const MovieSpec& aSpec);

// Pixel (x, y) of frame aFrame (from 0) as B, G, R, A; A is 255 without
// alpha. The MovieSpec's own picture when it has one.
std::array<std::uint8_t, 4> MoviePixel(const MovieSpec& aSpec, int aFrame, int aX, int aY);
// The grey level of every pixel of a VP8 frame.
int MovieGrey(int aFrame);
// The whole frame as BGRA rows, top first, width * 4 bytes apart.
std::vector<std::uint8_t> MovieFrame(const MovieSpec& aSpec, int aFrame);
