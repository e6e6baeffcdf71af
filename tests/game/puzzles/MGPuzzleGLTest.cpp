// A puzzle on a real window and OpenGL device (headless), driven through the
// application's own input: the keypad is opened by its state, two keys are
// clicked, and the display shows their digits in its first two places.
#include <gtest/gtest.h>

#include <vector>

#include "MGApp.h"
#include "game/support/RecordingGame.h"
#include "geometry/VoVector2.h"
#include "platform/VoGraphicsDX9.h"
#include "platform/VoIPlatform.h"
#include "platform/VoPlatformDesc.h"
#include "puzzles/combination/MGCombinationLockPuzzle.h"
#include "state/VoStateManager.h"

namespace {

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

// The keys' middles and the display's places in the sample layout.
constexpr float kKeyFive[] = {364.0f, 288.0f};
constexpr float kKeyZero[] = {508.0f, 360.0f};
constexpr int kPlaceTop = 114;
constexpr int kPlaceWidth = 38;
constexpr int kFirstPlace = 280;

class KeypadPlayer : public VoApp {
public:
    KeypadPlayer(MGApp* apApp, VoIPlatform* apPlatform) : fpApp(apApp), fpPlatform(apPlatform) {}
    ~KeypadPlayer() override { delete fpApp; }

    bool Init() override { return fpApp->Init(); }
    bool OnMouseDown(const VoString& aDevice, int aButton) override { return fpApp->OnMouseDown(aDevice, aButton); }
    bool OnMouseUp(const VoString& aDevice, int aButton) override { return fpApp->OnMouseUp(aDevice, aButton); }
    bool OnMouseMove(const VoString& aDevice, VoVector2* apValue) override {
        return fpApp->OnMouseMove(aDevice, apValue);
    }
    bool OnKeyDown(int aKey) override { return fpApp->OnKeyDown(aKey); }
    bool OnKeyUp(int aKey) override { return fpApp->OnKeyUp(aKey); }

    bool Frame() override {
        RecordingGame::Timer()->fNow = 0.05 * fFrame;
        switch (fFrame) {
            case 10:
                VoStateManager::GetInstance()->SetState(VoString(MGCombinationLockPuzzle::kActivationState),
                                                        VoString(u"boolean"), VoString(u"true"), true);
                break;
            case 30:
                Click(kKeyFive);
                break;
            case 31:
                Click(kKeyZero);
                break;
            default:
                break;
        }
        const bool drawn = fpApp->Frame();
        if (fFrame == 33) {
            for (int place = 0; place < 3; ++place) {
                fGreenPixels.push_back(CountGreen(kFirstPlace + place * kPlaceWidth, kPlaceTop, 32, 44));
            }
            fpPlatform->Quit();
        }
        ++fFrame;
        return drawn;
    }

    std::vector<int> fGreenPixels;  // per display place

private:
    void Click(const float* apAt) {
        const VoString mouse(MGApp::kMouseDevice);
        VoVector2 at(apAt[0], apAt[1]);
        fpApp->OnMouseMove(mouse, &at);
        fpApp->OnMouseDown(mouse, 1);
        fpApp->OnMouseUp(mouse, 1);
    }

    // The display's digits glow green.
    static int CountGreen(int aX, int aY, int aWidth, int aHeight) {
        std::vector<unsigned char> bgra(static_cast<std::size_t>(aWidth) * aHeight * 4);
        if (!VoGraphicsDX9::GetInstance()->ReadBackBuffer(aX, aY, aWidth, aHeight, bgra.data())) {
            return -1;
        }
        int count = 0;
        for (std::size_t i = 0; i < bgra.size(); i += 4) {
            count += bgra[i + 1] > 180 && bgra[i + 2] < 150 ? 1 : 0;
        }
        return count;
    }

    MGApp* fpApp;             // owned
    VoIPlatform* fpPlatform;  // not owned, owns us
    int fFrame = 0;
};

}  // namespace

TEST(MGPuzzleGL, TheKeypadShowsTheKeysClickedOnIt) {
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
    KeypadPlayer* player = new KeypadPlayer(MGApp::GetInstance(), platform);
    platform->SetApp(player);
    ASSERT_TRUE(platform->Initialize(0));
    platform->Run();
    ASSERT_EQ(player->fGreenPixels.size(), 3u);
    EXPECT_GT(player->fGreenPixels[0], 20);
    EXPECT_GT(player->fGreenPixels[1], 20);
    EXPECT_EQ(player->fGreenPixels[2], 0);
    delete platform;
}
