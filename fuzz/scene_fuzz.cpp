// Reads arbitrary bytes (single-byte text up to the first zero byte, as
// VoPropertyList::Load reads it) as a scene's "scene.txt" and uses the scene
// as the game does: loaded, entered, every viewpoint it names set up, every
// cut selected, its people shown and hidden, a frame updated and drawn, a
// faded change asked for, and left. Each run has cleaners of its own but no
// engine services and no data tree, so the files the scene names cannot be
// read and nothing is drawn; the scene file's reader is what runs.
#include <cstddef>
#include <cstdint>

#include "container/VoPropertyList.h"
#include "memory/VoNew.h"
#include "scene/MGScene.h"
#include "stdlib/VoCleaner.h"
#include "support/FuzzSupport.h"
#include "util/MGCleaner.h"

namespace {

constexpr int kMaxNames = 32;

// The keys of the section at the path, each given to aUse.
template <typename Use>
void EachKey(VoPropertyList* apList, const char16_t* apPath, Use aUse) {
    VoPropertyList* section = apList->GetList(VoString(apPath));
    for (int i = 0; section != nullptr && i < section->GetCount() && i < kMaxNames; ++i) {
        aUse(section->GetKeyAt(i), section->GetListAt(i));
    }
}

void UseScene(VoPropertyList* apList) {
    MGScene scene;
    VoPropertyList* file = VO_NEW VoPropertyList(*apList);
    scene.LoadList(VoString(u"fuzz"), file);
    scene.OnEnter();
    EachKey(apList, u"viewpoints", [&scene](const VoString& aId, VoPropertyList*) {
        scene.SetViewpoint(aId);
        scene.GetViewpointCameraId(aId);
        scene.Update();
        scene.Render();
    });
    EachKey(apList, u"cuts", [&scene](const VoString&, VoPropertyList* apCut) {
        if (apCut != nullptr) {
            scene.SetCut(apCut->GetString(VoString(u"id"), nullptr));
            scene.Render();
        }
    });
    scene.SetCut(VoString(u"-"));
    scene.UpdateCharacterVisibility();
    scene.ChangeViewpoint(scene.GetViewpointId());
    scene.OnButtonDown(1);
    scene.OnLeaveBegin();
    scene.OnLeaveEnd();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    VoPropertyList list;
    if (!ParseFuzzPropertyList(apData, aSize, 0x10000, &list)) {
        return 0;
    }
    VoCleaner::ResetEngineForTests();
    VoCleaner::GetInstance();
    UseScene(&list);
    delete MGCleaner::PeekInstance();
    delete VoCleaner::PeekInstance();
    return 0;
}
