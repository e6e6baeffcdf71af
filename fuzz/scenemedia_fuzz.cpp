// Reads arbitrary bytes (single-byte text up to the first zero byte, as
// VoPropertyList::Load reads it) as a scene's light file, its "audio.txt"
// and a viewpoint's ambient-movie section, and uses each as a scene does:
// every light name as a camera and as the shadow light, every section as a
// viewpoint of the audio, both movie layers drawn. Each run has cleaners of
// its own (the audio reads the game's options) but no engine services, so
// sounds and movies stay silent; the readers are what runs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "container/VoPropertyList.h"
#include "memory/VoNew.h"
#include "render/VoLight.h"
#include "scene/MGAmbientAnimPlayer.h"
#include "scene/MGLightInfo.h"
#include "scene/MGLighting.h"
#include "scene/MGSceneAudio.h"
#include "stdlib/VoCleaner.h"
#include "support/FuzzSupport.h"
#include "util/MGCleaner.h"

namespace {

constexpr int kMaxNames = 64;

void Require(bool aCondition) {
    if (!aCondition) {
        std::abort();
    }
}

void UseLights(VoPropertyList* apList) {
    MGLighting lighting(nullptr);
    const bool global = lighting.CreateFromList(apList);
    Require(global == (lighting.GetLight(lighting.GetGlobalIndex()) != nullptr));
    for (int i = 0; i < lighting.GetCount() && i < kMaxNames; ++i) {
        const VoString name = lighting.GetInfo(i)->name;
        lighting.SetCamera(name);
        for (int slot = 0; slot < MGLighting::kCameraLightCount; ++slot) {
            const int index = lighting.GetCameraLight(slot);
            Require(index == -1 || (lighting.GetLight(index) != nullptr && lighting.GetInfo(index)->on));
        }
        if (lighting.SetShadowLight(name)) {
            Require(lighting.GetShadowLight() != nullptr);
        }
    }
    lighting.Apply();
}

void UseAudio(VoPropertyList* apList) {
    MGSceneAudio audio;
    VoPropertyList* data = VO_NEW VoPropertyList(*apList);
    if (data == nullptr || !audio.LoadList(data)) {
        delete data;
        return;
    }
    audio.Start();
    VoPropertyList* sections = apList->GetList(VoString(u"audio"));
    for (int i = 0; sections != nullptr && i < sections->GetCount() && i < kMaxNames; ++i) {
        audio.SetViewpoint(sections->GetKeyAt(i));
        audio.OnUpdate();
    }
    audio.Stop();
}

void UseMovies(VoPropertyList* apList) {
    MGAmbientAnimPlayer player;
    player.Load(apList);
    player.DrawBackground(nullptr);
    player.DrawForeground(nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    VoPropertyList list;
    if (!ParseFuzzPropertyList(apData, aSize, 0x10000, &list)) {
        return 0;
    }
    VoCleaner::ResetEngineForTests();
    VoCleaner::GetInstance();
    UseLights(&list);
    UseAudio(&list);
    UseMovies(&list);
    delete MGCleaner::PeekInstance();
    delete VoCleaner::PeekInstance();
    return 0;
}
