#pragma once
// The game's application on a real window and OpenGL device (headless under
// SDL_VIDEODRIVER=offscreen), for tests that read pixels. WindowedGame is a
// game over the engine's own services but for the timer, which the test
// sets; GameDriver passes every call to MGApp and lets the test act before
// each frame and look at the picture after it:
//
//     class Reader : public GameDriver {
//         void BeforeFrame(int aFrame) override { SetTime(0.05 * aFrame); }
//         bool AfterFrame(int aFrame) override { ...; return aFrame < 10; }
//     };
//     WindowedGame game;
//     Reader* reader = new Reader();   // the platform owns and deletes it
//     ASSERT_TRUE(game.Run(reader));   // its results stay readable until the game ends
#include <cstddef>
#include <vector>

#include "MGApp.h"
#include "game/support/RecordingGame.h"
#include "platform/VoGraphicsDX9.h"
#include "platform/VoIPlatform.h"
#include "platform/VoPlatformDesc.h"

class WindowedGame : public ScopedGame {
public:
    WindowedGame() : WindowedGame(&Register) {}
    // The platform goes first: it deletes the application.
    ~WindowedGame() { delete fpPlatform; }

    // Opens the 800 x 600 window, hands the platform the application (which
    // it owns from then on) and runs the main loop until the application
    // quits. False, the application deleted, when the window or the device
    // cannot be made.
    bool Run(VoApp* apApp) {
        fpPlatform = VoIPlatform::GetInstance();
        VoPlatformDesc desc;
        desc.fTitle = VoString(u"Test");
        desc.fWidth = 800;
        desc.fHeight = 600;
        desc.fBits = 32;
        desc.fWindowed = true;
        if (fpPlatform == nullptr || !fpPlatform->Create(&desc)) {
            delete apApp;
            return false;
        }
        fpPlatform->SetApp(apApp);
        if (!fpPlatform->Initialize(0)) {
            return false;
        }
        fpPlatform->Run();
        return true;
    }

protected:
    // For games with creators of their own: aRegister runs in place of
    // Register, which it calls itself after its own creators.
    explicit WindowedGame(void (*aRegister)()) : ScopedGame(aRegister) { RecordingGame::MountSampleTree(); }

    static void Register() {
        VoIObjectCreator* timer = new FunctionCreator(VoString(u"timer"), [] { return new SetTimer(); });
        if (!VoRegistry::Get()->AddCreator(timer)) {
            delete timer;
        }
    }

private:
    VoIPlatform* fpPlatform = nullptr;  // owned once Run has made it
};

class GameDriver : public VoApp {
public:
    GameDriver() = default;
    ~GameDriver() override { delete fpApp; }

    // The game's application is made here, once the platform has its window
    // and device: the services it takes must be the platform's.
    bool Init() override {
        fpApp = MGApp::GetInstance();
        return fpApp != nullptr && fpApp->Init();
    }
    bool OnMouseDown(const VoString& aDevice, int aButton) override {
        return fpApp != nullptr && fpApp->OnMouseDown(aDevice, aButton);
    }
    bool OnMouseUp(const VoString& aDevice, int aButton) override {
        return fpApp != nullptr && fpApp->OnMouseUp(aDevice, aButton);
    }
    bool OnMouseMove(const VoString& aDevice, VoVector2* apValue) override {
        return fpApp != nullptr && fpApp->OnMouseMove(aDevice, apValue);
    }
    bool OnKeyDown(int aKey) override { return fpApp != nullptr && fpApp->OnKeyDown(aKey); }
    bool OnKeyUp(int aKey) override { return fpApp != nullptr && fpApp->OnKeyUp(aKey); }

    bool Frame() override {
        BeforeFrame(fFrame);
        const bool drawn = fpApp != nullptr && fpApp->Frame();
        if (!AfterFrame(fFrame)) {
            VoIPlatform::GetInstance()->Quit();
        }
        ++fFrame;
        return drawn;
    }

protected:
    // What the test does before frame aFrame (from 0) is drawn.
    virtual void BeforeFrame(int aFrame) = 0;
    // What it reads after; false ends the run.
    virtual bool AfterFrame(int aFrame) = 0;

    MGApp* App() const { return fpApp; }
    static void SetTime(double aSeconds) { RecordingGame::Timer()->fNow = aSeconds; }
    // The picture's pixels in the rectangle, B, G, R, A each; empty when
    // they cannot be read.
    static std::vector<unsigned char> ReadPixels(int aX, int aY, int aWidth, int aHeight) {
        std::vector<unsigned char> bgra(static_cast<std::size_t>(aWidth) * aHeight * 4);
        if (!VoGraphicsDX9::GetInstance()->ReadBackBuffer(aX, aY, aWidth, aHeight, bgra.data())) {
            bgra.clear();
        }
        return bgra;
    }

private:
    MGApp* fpApp = nullptr;  // owned; made by Init
    int fFrame = 0;
};
