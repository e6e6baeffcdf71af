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
#include "MGMain.h"
#include "game/support/ScopedGame.h"
#include "gdi/VoFader.h"
#include "object/VoRegistry.h"
#include "render/VoTextureManager.h"
#include "stdlib/VoFrameManager.h"
#include "support/FakeDeviceCapabilities.h"
#include "support/ProbeObjects.h"
#include "support/RecordingRasterizer.h"
#include "support/SetTimer.h"

class RecordingGame : public ScopedGame {
public:
    RecordingGame() : RecordingGame(&Register) {}

    // The engine timer; null after ShutDown.
    static SetTimer* Timer() { return dynamic_cast<SetTimer*>(VoITimer::GetInstance()); }
    RecordingRasterizer* Rasterizer() const { return RecordingRasterizer::Engine(); }

    // The data tree's aliases on the repository's sample tree, as start-up
    // mounts them, and the texture root.
    static bool MountSampleTree() {
        VoTextureManager* textures = VoTextureManager::GetInstance();
        return MGMain::MountDataTree(VoString(VO_SOURCE_DIR)) && textures != nullptr &&
               textures->SetRoot(VoString(MGMain::kTextureRoot));
    }

    // Sets the timer, then runs the frame manager's listeners once.
    static void FrameAt(double aSeconds) {
        if (SetTimer* timer = Timer()) {
            timer->fNow = aSeconds;
        }
        if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
            frames->Update();
        }
    }

protected:
    // For games with creators of their own: aRegister runs in place of
    // Register, which it calls itself after its own creators.
    explicit RecordingGame(void (*aRegister)()) : ScopedGame(aRegister) { VoFader::ResetEndToggleForTests(); }

    static void Register() {
        RecordingEngine::RegisterRecorders();
        VoIObjectCreator* creators[] = {
            new FunctionCreator(VoString(u"timer"), [] { return new SetTimer(); }),
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
