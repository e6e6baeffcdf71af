// The game's first frames on a real window and OpenGL device (headless):
// the intro fades in from black over its first 0.3 seconds, then shows its
// layout. The engine timer is the test's, set before each frame.
#include "MGApp.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <vector>

#include "game/support/RecordingGame.h"
#include "geometry/VoVector2.h"
#include "platform/VoGraphicsDX9.h"
#include "platform/VoIPlatform.h"
#include "platform/VoPlatformDesc.h"

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
        fBrightTitlePixels.push_back(CountBright(60, 56, 240, 34));
        if (static_cast<int>(fProbes.size()) == kFrameCount) {
            fpPlatform->Quit();
        }
        return drawn;
    }

    std::vector<std::vector<Rgb>> fProbes;  // per frame, per probe
    std::vector<int> fBrightTitlePixels;    // per frame

private:
    // Pixels of the rectangle whose three channels are all above 200.
    static int CountBright(int aX, int aY, int aWidth, int aHeight) {
        std::vector<unsigned char> bgra(static_cast<std::size_t>(aWidth) * aHeight * 4);
        if (!VoGraphicsDX9::GetInstance()->ReadBackBuffer(aX, aY, aWidth, aHeight, bgra.data())) {
            return -1;
        }
        int count = 0;
        for (std::size_t i = 0; i < bgra.size(); i += 4) {
            count += bgra[i] > 200 && bgra[i + 1] > 200 && bgra[i + 2] > 200 ? 1 : 0;
        }
        return count;
    }

    MGApp* fpApp;             // owned
    VoIPlatform* fpPlatform;  // not owned, owns us
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
    delete platform;
}
