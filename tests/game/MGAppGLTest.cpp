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

#include "game/support/RecordingGame.h"
#include "geometry/VoVector2.h"
#include "platform/VoGraphicsDX9.h"
#include "platform/VoIPlatform.h"
#include "platform/VoPlatformDesc.h"

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

// A game over the engine's own services, but for the timer, which the test sets.
class TimedGame : public ScopedGame {
public:
    TimedGame() : ScopedGame(&Register) {}

private:
    static void Register() {
        VoIObjectCreator* timer = new FunctionCreator(VoString(u"timer"), [] { return new SetTimer(); });
        if (!VoRegistry::Get()->AddCreator(timer)) {
            delete timer;
        }
    }
};

// Runs the game's application, setting the timer before each frame and
// reading the probes and the title's box after it; quits after the last.
class FrameReader : public VoApp {
public:
    FrameReader(MGApp* apApp, VoIPlatform* apPlatform) : fpApp(apApp), fpPlatform(apPlatform) {}
    ~FrameReader() override { delete fpApp; }

    bool Init() override { return fpApp->Init(); }
    bool OnMouseDown(const VoString& aDevice, int aButton) override {
        return fpApp->OnMouseDown(aDevice, aButton);
    }
    bool OnMouseUp(const VoString& aDevice, int aButton) override {
        return fpApp->OnMouseUp(aDevice, aButton);
    }
    bool OnMouseMove(const VoString& aDevice, VoVector2* apValue) override {
        return fpApp->OnMouseMove(aDevice, apValue);
    }
    bool OnKeyDown(int aKey) override { return fpApp->OnKeyDown(aKey); }
    bool OnKeyUp(int aKey) override { return fpApp->OnKeyUp(aKey); }

    bool Frame() override {
        const int frame = static_cast<int>(fProbes.size());
        RecordingGame::Timer()->fNow = kFrameTimes[frame];
        const bool drawn = fpApp->Frame();
        VoGraphicsDX9* graphics = VoGraphicsDX9::GetInstance();
        std::vector<Rgb> probes;
        for (const Probe& probe : kProbes) {
            unsigned char bgra[4] = {};
            graphics->ReadBackBuffer(probe.x, probe.y, 1, 1, bgra);
            probes.push_back({bgra[2], bgra[1], bgra[0]});
        }
        fProbes.push_back(probes);
        if (static_cast<int>(fProbes.size()) == kFrameCount) {
            fpPlatform->Quit();
        }
        return drawn;
    }

    std::vector<std::vector<Rgb>> fProbes;  // per frame, per probe

private:
    MGApp* fpApp;             // owned
    VoIPlatform* fpPlatform;  // not owned, owns us
};

std::string Text(const Rgb& aColour) {
    return "(" + std::to_string(aColour[0]) + ", " + std::to_string(aColour[1]) + ", " +
           std::to_string(aColour[2]) + ")";
}

}  // namespace

TEST(MGAppGL, TheFirstFramesFadeFromBlackIntoTheLogo) {
    TimedGame game;
    ASSERT_TRUE(RecordingGame::MountSampleTree());
    VoIPlatform* platform = VoIPlatform::GetInstance();
    ASSERT_NE(platform, nullptr);
    VoPlatformDesc desc;
    desc.fTitle = VoString(u"Test");
    desc.fWidth = 800;
    desc.fHeight = 600;
    desc.fBits = 32;
    desc.fWindowed = true;
    ASSERT_TRUE(platform->Create(&desc));
    FrameReader* reader = new FrameReader(MGApp::GetInstance(), platform);
    platform->SetApp(reader);
    ASSERT_TRUE(platform->Initialize(0));
    platform->Run();
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
    delete platform;
}
