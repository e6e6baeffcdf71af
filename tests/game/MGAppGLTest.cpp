// The game's first frames on a real window and OpenGL device (headless):
// the intro fades in from black over its first 0.3 seconds, then shows its
// layout. The engine timer is the test's, set before each frame.
#include "MGApp.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <vector>

#include "game/support/WindowedGame.h"

namespace {

using Rgb = std::array<int, 3>;

// Points of the picture and what the intro shows there once faded in.
struct Probe {
    const char* what;
    int x, y;
    Rgb colour;
};
// The backdrop is drawn four times its size: the wall darkens downwards,
// the window's pane glows; the sample panel's background is drawn as is.
const Probe kProbes[] = {
    {"wall", 700, 300, {22, 28, 44}},
    {"window pane", 160, 260, {111, 84, 51}},
    {"sample panel", 400, 300, {32, 56, 128}},
};
constexpr double kFrameTimes[] = {0.0, 0.15, 0.31, 0.32, 0.5};
constexpr int kFrameCount = sizeof kFrameTimes / sizeof kFrameTimes[0];

// Sets the timer before each frame and reads the probes and the title's box
// after it; quits after the last.
class FrameReader : public GameDriver {
public:
    std::vector<std::vector<Rgb>> fProbes;  // per frame, per probe
    std::vector<int> fBrightTitlePixels;    // per frame

protected:
    void BeforeFrame(int aFrame) override { SetTime(kFrameTimes[aFrame]); }
    bool AfterFrame(int aFrame) override {
        std::vector<Rgb> probes;
        for (const Probe& probe : kProbes) {
            const std::vector<unsigned char> bgra = ReadPixels(probe.x, probe.y, 1, 1);
            probes.push_back(bgra.empty() ? Rgb{-1, -1, -1} : Rgb{bgra[2], bgra[1], bgra[0]});
        }
        fProbes.push_back(probes);
        fBrightTitlePixels.push_back(CountBright(60, 56, 240, 34));
        return aFrame + 1 < kFrameCount;
    }

private:
    // Pixels of the rectangle whose three channels are all above 200.
    static int CountBright(int aX, int aY, int aWidth, int aHeight) {
        const std::vector<unsigned char> bgra = ReadPixels(aX, aY, aWidth, aHeight);
        if (bgra.empty()) {
            return -1;
        }
        int count = 0;
        for (std::size_t i = 0; i < bgra.size(); i += 4) {
            count += bgra[i] > 200 && bgra[i + 1] > 200 && bgra[i + 2] > 200 ? 1 : 0;
        }
        return count;
    }
};

bool Near(const Rgb& aSeen, const Rgb& aExpected, int aTolerance) {
    for (int i = 0; i < 3; ++i) {
        if (std::abs(aSeen[i] - aExpected[i]) > aTolerance) {
            return false;
        }
    }
    return true;
}

std::string Text(const Rgb& aColour) {
    return "(" + std::to_string(aColour[0]) + ", " + std::to_string(aColour[1]) + ", " +
           std::to_string(aColour[2]) + ")";
}

}  // namespace

TEST(MGAppGL, TheFirstFramesFadeFromBlackIntoTheIntro) {
    WindowedGame game;
    FrameReader* reader = new FrameReader();
    ASSERT_TRUE(game.Run(reader));
    ASSERT_EQ(static_cast<int>(reader->fProbes.size()), kFrameCount);

    // Black at the start, half way at 0.15 s, the intro from 0.3 s on.
    const double blacks[] = {1.0, 0.5, 0.0, 0.0, 0.0};
    for (int frame = 0; frame < kFrameCount; ++frame) {
        for (std::size_t p = 0; p < std::size(kProbes); ++p) {
            const Probe& probe = kProbes[p];
            Rgb expected;
            for (int i = 0; i < 3; ++i) {
                expected[i] = static_cast<int>(probe.colour[i] * (1.0 - blacks[frame]) + 0.5);
            }
            const Rgb seen = reader->fProbes[frame][p];
            EXPECT_TRUE(Near(seen, expected, 4)) << "frame " << frame << ", " << probe.what << ": "
                                                 << Text(seen) << ", expected " << Text(expected);
        }
    }
    // The title's white letters appear once the fade is over.
    EXPECT_EQ(reader->fBrightTitlePixels[0], 0);
    EXPECT_GT(reader->fBrightTitlePixels[kFrameCount - 1], 100);
}
