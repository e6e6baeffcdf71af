#pragma once
// A recording engine (RecordingEngine's rasterizer and textures) whose
// "devicecaps" creator makes device capabilities with the texture limits a
// test asks for: what sprites cut their images by.
//
//     SpriteEngine engine({2048, 2048, true, false});  // power-of-two textures
//     sprite.SetImage(VoString(u"pic"), &image, nullptr, nullptr);
#include <cstdint>

#include "object/VoRegistry.h"
#include "platform/VoIDeviceCapabilities.h"
#include "support/ProbeObjects.h"
#include "support/RecordingRasterizer.h"

struct TextureLimits {
    std::uint32_t maxWidth = 2048;
    std::uint32_t maxHeight = 2048;
    bool powerOfTwo = false;
    bool square = false;
};

class FakeDeviceCapabilities : public VoIDeviceCapabilities {
public:
    explicit FakeDeviceCapabilities(const TextureLimits& aLimits) : fLimits(aLimits) {}

    std::uint32_t GetCPUSpeed() override { return 0; }
    bool GetPixelShaderVersion(std::uint32_t*, std::uint32_t*) override { return false; }
    bool GetVertexShaderVersion(std::uint32_t*, std::uint32_t*) override { return false; }
    bool RequiresPow2Textures() override { return fLimits.powerOfTwo; }
    bool RequiresSquareTextures() override { return fLimits.square; }
    std::uint32_t GetMaxTextureWidth() override { return fLimits.maxWidth; }
    std::uint32_t GetMaxTextureHeight() override { return fLimits.maxHeight; }
    std::uint32_t GetMaxVertexIndex() override { return 0xFFFFFFFFu; }
    bool SupportsTwoSidedStencil() override { return false; }

private:
    TextureLimits fLimits;
};

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
