#pragma once
// A ScopedGame over the recording rasterizer and textures (see
// RecordingEngine), device capabilities that take textures up to 2048 x 2048
// (see FakeDeviceCapabilities), and an engine timer that the test sets, so
// fades and other timed steps run frame by frame on the test's clock:
//
//     RecordingGame game;
//     game.FrameAt(0.15);  // the timer at 0.15 s, then one frame-manager update
//
// The shared end toggle of the engine faders starts cleared.
#include <cstdint>

#include "game/support/ScopedGame.h"
#include "gdi/VoFader.h"
#include "object/VoRegistry.h"
#include "stdlib/VoFrameManager.h"
#include "support/FakeDeviceCapabilities.h"
#include "support/ProbeObjects.h"
#include "support/RecordingRasterizer.h"
#include "system/VoITimer.h"

// Seconds as the test sets them.
class GameTimer : public VoITimer {
public:
    bool Initialize(std::uintptr_t) override { return true; }
    double GetTime() override { return fNow; }
    bool Reset() override {
        fNow = 0.0;
        return true;
    }

    double fNow = 0.0;
};

class RecordingGame : public ScopedGame {
public:
    RecordingGame() : ScopedGame(&Register) { VoFader::ResetEndToggleForTests(); }

    // The engine timer; null after ShutDown.
    static GameTimer* Timer() { return dynamic_cast<GameTimer*>(VoITimer::GetInstance()); }
    RecordingRasterizer* Rasterizer() const { return RecordingRasterizer::Engine(); }

    // Sets the timer, then runs the frame manager's listeners once.
    static void FrameAt(double aSeconds) {
        if (GameTimer* timer = Timer()) {
            timer->fNow = aSeconds;
        }
        if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
            frames->Update();
        }
    }

private:
    static void Register() {
        RecordingEngine::RegisterRecorders();
        VoIObjectCreator* creators[] = {
            new FunctionCreator(VoString(u"timer"), [] { return new GameTimer(); }),
            new FunctionCreator(VoString(u"devicecaps"),
                                [] { return new FakeDeviceCapabilities(TextureLimits()); }),
        };
        for (VoIObjectCreator* creator : creators) {
            if (!VoRegistry::Get()->AddCreator(creator)) {
                delete creator;
            }
        }
    }
};
