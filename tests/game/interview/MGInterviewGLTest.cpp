// The interview window on a real window and OpenGL device (headless): the
// sample interview with the clerk started over the game's first screen, its
// greeting over, the window drawn at (20, 200) with the modes of a topic
// shown and the meter at half good and a quarter bad. Voice lines come from
// the stub sound manager; the engine timer is the test's.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "MGApp.h"
#include "MGScreenManager.h"
#include "menu/MGIntro.h"
#include "game/support/MediaStubs.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGInterviewMeter.h"
#include "platform/VoApp.h"
#include "platform/VoGraphicsDX9.h"
#include "platform/VoIPlatform.h"
#include "platform/VoPlatformDesc.h"

namespace {

using Rgb = std::array<int, 3>;

struct Probe {
    const char* what;
    int x, y;
    Rgb colour;
};
// The window's corner is at (20, 200): its brass rim, the rim of the first
// mode button, and the gauge, centred at (117, 150) of the window, whose
// segments grow counter-clockwise from 12 o'clock: at half good the ring is
// green 45 and 150 degrees to the left of 12 o'clock, at a quarter bad the
// disc is red 45 degrees to the left and dark at 135.
const Probe kProbes[] = {
    {"brass rim", 21, 201, {200, 150, 60}},
    {"mode button rim", 35, 241, {200, 150, 60}},
    {"good segment, 45 degrees", 119, 332, {70, 200, 60}},
    {"good segment, 150 degrees", 124, 372, {70, 200, 60}},
    {"bad segment, 45 degrees", 130, 343, {210, 50, 50}},
    {"no bad segment, 135 degrees", 130, 357, {24, 20, 20}},
};
constexpr double kFrameTimes[] = {0.0, 0.4, 0.45, 0.5, 0.55};
constexpr int kFrameCount = sizeof kFrameTimes / sizeof kFrameTimes[0];

// A game over the engine's own services but for the timer, which the test
// sets, and the sound manager, whose players the test ends.
class StubSoundGame : public ScopedGame {
public:
    StubSoundGame() : ScopedGame(&Register) {}

private:
    static void Register() {
        VoIObjectCreator* creators[] = {
            new FunctionCreator(VoString(u"timer"), [] { return new SetTimer(); }),
            new FunctionCreator(VoString(u"soundmanager"), [] { return VO_NEW stubs::SoundManager(); }),
        };
        for (VoIObjectCreator* creator : creators) {
            if (!VoRegistry::Get()->AddCreator(creator)) {
                delete creator;
            }
        }
    }
};

class WindowReader : public VoApp {
public:
    WindowReader(MGApp* apApp, VoIPlatform* apPlatform) : fpApp(apApp), fpPlatform(apPlatform) {}
    ~WindowReader() override { delete fpApp; }

    // The game starts at its logo movie, which would cover the window: the
    // intro is left at once and the stack emptied, as the scene the interview
    // runs over has nothing to draw here.
    bool Init() override {
        const bool started = fpApp->Init();
        MGIntro::GetInstance()->OnLeaveEnd();
        MGScreenManager::GetInstance()->Clear();
        return started;
    }

    bool Frame() override {
        const int frame = fFrame++;
        RecordingGame::Timer()->fNow = kFrameTimes[frame];
        const bool drawn = fpApp->Frame();
        MGInterviewManager* manager = MGInterviewManager::GetInstance();
        if (frame == 1) {
            MGInterview* interview = manager->GetInterview(VoString(u"117"));
            interview->SetPosition(VoVector2(20.0f, 200.0f));
            manager->StartInterview();
        } else if (frame == 2) {
            // The greeting is over: the topics open.
            if (stubs::SoundPlayer* greeting = stubs::SoundPlayer::Find("sequenceSound")) {
                greeting->End();
            }
            manager->GetCurrentInterview()->OnButtonEvent(VoString(u"night"), 4);
            manager->GetMeter()->SetGoodValue(50.0f);
            manager->GetMeter()->SetBadValue(25.0f);
        } else if (frame == kFrameCount - 1) {
            VoGraphicsDX9* graphics = VoGraphicsDX9::GetInstance();
            for (const Probe& probe : kProbes) {
                unsigned char bgra[4] = {};
                graphics->ReadBackBuffer(probe.x, probe.y, 1, 1, bgra);
                fSeen.push_back({bgra[2], bgra[1], bgra[0]});
            }
            fpPlatform->Quit();
        }
        return drawn;
    }

    std::vector<Rgb> fSeen;

private:
    MGApp* fpApp;             // owned
    VoIPlatform* fpPlatform;  // not owned, owns us
    int fFrame = 0;
};

}  // namespace

TEST(MGInterviewGL, TheWindowShowsItsFrameModesAndMeter) {
    StubSoundGame game;
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
    WindowReader* reader = new WindowReader(MGApp::GetInstance(), platform);
    platform->SetApp(reader);
    ASSERT_TRUE(platform->Initialize(0));
    platform->Run();
    ASSERT_EQ(reader->fSeen.size(), std::size(kProbes));
    for (std::size_t p = 0; p < std::size(kProbes); ++p) {
        const Rgb& seen = reader->fSeen[p];
        const Rgb& expected = kProbes[p].colour;
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(seen[i], expected[i], 6) << kProbes[p].what << " channel " << i;
        }
    }
    delete platform;
}
