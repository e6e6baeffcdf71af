// The game's first frames on a real window and OpenGL device (headless):
// the intro fades in from black over its first 0.3 seconds into the maker's
// logo movie of the sample tree. The engine timer is the test's, set before
// each frame; the movie keeps its own time, so the probes ask only for what
// each of its first frames shows: the amber ring of the logo, over black.
#include "MGApp.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/support/WindowedGame.h"

namespace {

using Rgb = std::array<int, 3>;

// Points of the picture: the logo's ring (left of its centre at 400|250)
// and the black round it.
struct Probe {
    const char* what;
    int x, y;
};
const Probe kProbes[] = {
    {"ring", 329, 250},
    {"black", 100, 520},
};
constexpr double kFrameTimes[] = {0.0, 0.15, 0.31, 0.32, 0.5};
constexpr int kFrameCount = sizeof kFrameTimes / sizeof kFrameTimes[0];

// Sets the timer before each frame and reads the probes after it; quits
// after the last.
class FrameReader : public GameDriver {
public:
    std::vector<std::vector<Rgb>> fProbes;  // per frame, per probe

protected:
    void BeforeFrame(int aFrame) override { SetTime(kFrameTimes[aFrame]); }
    bool AfterFrame(int aFrame) override {
        std::vector<Rgb> probes;
        for (const Probe& probe : kProbes) {
            const std::vector<unsigned char> bgra = ReadPixels(probe.x, probe.y, 1, 1);
            probes.push_back(bgra.empty() ? Rgb{-1, -1, -1} : Rgb{bgra[2], bgra[1], bgra[0]});
        }
        fProbes.push_back(probes);
        return aFrame + 1 < kFrameCount;
    }
};

std::string Text(const Rgb& aColour) {
    return "(" + std::to_string(aColour[0]) + ", " + std::to_string(aColour[1]) + ", " +
           std::to_string(aColour[2]) + ")";
}

}  // namespace

TEST(MGAppGL, TheFirstFramesFadeFromBlackIntoTheLogo) {
    WindowedGame game;
    FrameReader* reader = new FrameReader();
    ASSERT_TRUE(game.Run(reader));
    ASSERT_EQ(static_cast<int>(reader->fProbes.size()), kFrameCount);

    // Black at the start; from 0.3 s on the logo's first frames, fading in
    // from black themselves: the ring amber (red above green above blue),
    // the rest black.
    for (int frame = 0; frame < kFrameCount; ++frame) {
        const Rgb ring = reader->fProbes[frame][0];
        const Rgb black = reader->fProbes[frame][1];
        EXPECT_LE(black[0] + black[1] + black[2], 9) << "frame " << frame << ": " << Text(black);
        if (frame == 0) {
            EXPECT_LE(ring[0] + ring[1] + ring[2], 9) << "frame 0: " << Text(ring);
        }
        if (kFrameTimes[frame] > 0.3) {
            EXPECT_GT(ring[0], 12) << "frame " << frame << ": " << Text(ring);
            EXPECT_GT(ring[0], ring[1]) << "frame " << frame << ": " << Text(ring);
            EXPECT_GT(ring[1], ring[2]) << "frame " << frame << ": " << Text(ring);
        }
    }
}
