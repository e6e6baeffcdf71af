#pragma once
// A recording engine (RecordingEngine's rasterizer and textures) whose
// "devicecaps" creator makes device capabilities with the texture limits a
// test asks for: what sprites cut their images by.
//
//     SpriteEngine engine({2048, 2048, true, false});  // power-of-two textures
//     sprite.SetImage(VoString(u"pic"), &image, nullptr, nullptr);
#include "object/VoRegistry.h"
#include "support/FakeDeviceCapabilities.h"
#include "support/ProbeObjects.h"
#include "support/RecordingRasterizer.h"

class SpriteEngine : public ScopedEngine {
public:
    explicit SpriteEngine(const TextureLimits& aLimits = TextureLimits()) : ScopedEngine(&Register) {
        Limits() = aLimits;
    }

    RecordingRasterizer* Rasterizer() const { return RecordingRasterizer::Engine(); }
    // The limits of the capabilities made from now on (they are made on first use).
    static TextureLimits& Limits() {
        static TextureLimits sLimits;
        return sLimits;
    }

private:
    static void Register() {
        RecordingEngine::RegisterRecorders();
        VoIObjectCreator* creator =
            new FunctionCreator(VoString(u"devicecaps"), [] { return new FakeDeviceCapabilities(Limits()); });
        if (!VoRegistry::Get()->AddCreator(creator)) {
            delete creator;
        }
    }
};
