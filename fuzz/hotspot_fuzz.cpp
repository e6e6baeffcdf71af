// Reads arbitrary bytes (single-byte text up to the first zero byte, as
// VoPropertyList::Load reads it) as a hotspot file and makes a hotspot of
// each of its first entries through the factory, as a scene or a close-up
// does; each is then driven down its click road: switched on, hovered at
// its boundary's corners and beside it, pressed and double-clicked, every
// menu action chosen, its voice-overs and cut-scenes played and ended, its
// walk, turn, action and fade callbacks called, and switched off. There is
// no scene and no data tree: what the hotspot reads from its entry is what
// runs. Sounds come from a stand-in manager whose players never end by
// themselves, movies from none.
#include <cstddef>
#include <cstdint>

#include "MGIScreenFaderListener.h"
#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"
#include "geometry/VoPolygon.h"
#include "memory/VoNew.h"
#include "multicursor/MGIMultiCursorListener.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "scene/MGHotspot.h"
#include "scene/MGHotspotInterview.h"
#include "scene/MGHotspotNavigate.h"
#include "scene/MGHotspotTarget.h"
#include "stdlib/VoCleaner.h"
#include "support/FuzzSupport.h"
#include "support/FuzzTexture.h"
#include "util/MGCleaner.h"

namespace {

class FuzzSound : public VoISoundPlayer {
public:
    explicit FuzzSound(const VoString& aName) : fName(aName) {}
    bool OpenStream(const VoString&) override { return true; }
    bool LoadSample(const VoString&) override { return true; }
    void Release() override {}
    void Pause() override {}
    void Play() override {}
    void Stop() override {}
    VoString GetName() const override { return fName; }
    float GetLength() const override { return 1.0f; }
    float GetLevels() const override { return 0.0f; }
    float GetPosition() const override { return 0.0f; }
    bool IsFinished() const override { return false; }
    void Reserved(std::uint32_t) override {}
    void SetListener(VoISoundListener*) override {}
    void SetLoopCount(bool) override {}
    void Seek(float) override {}
    void SetVolume(float) override {}
    VoString ToString() const override { return VoDebugString("FuzzSound", this); }

private:
    VoString fName;
};

class FuzzSounds : public VoISoundManager {
public:
    VoISoundPlayer* CreateSample(const VoString& aName, const VoString&) override {
        return VO_NEW FuzzSound(aName);
    }
    VoISoundPlayer* CreateStream(const VoString& aName, const VoString&) override {
        return VO_NEW FuzzSound(aName);
    }
    VoString ToString() const override { return VoDebugString("FuzzSounds", this); }
};

constexpr int kMaxEntries = 8;

// The points a hover test takes: each corner of the boundary at its
// position, its middle, and a point far beside it.
void Hover(MGHotspot* apHotspot) {
    VoVector2 points[6] = {VoVector2(-5000.0f, -5000.0f)};
    int count = 1;
    if (VoPolygon* boundary = apHotspot->GetBoundary()) {
        VoVector2 middle(0.0f, 0.0f);
        for (int i = 0; i < boundary->GetNumPoints() && i < 4; ++i) {
            points[count] = boundary->GetPoint(i) + apHotspot->GetBoundaryPosition();
            middle = middle + points[count];
            ++count;
        }
        if (count > 1) {
            const float corners = static_cast<float>(count - 1);
            points[count++] = middle * (1.0f / corners);
        }
    }
    for (int i = 0; i < count; ++i) {
        apHotspot->OnMouseMove(&points[i]);
    }
}

void Drive(MGHotspot* apHotspot) {
    apHotspot->SetEnabled(true);
    apHotspot->UpdateEnabled();
    Hover(apHotspot);
    apHotspot->Render(nullptr);
    apHotspot->OnButtonDown(1);
    apHotspot->OnButtonUp(1);
    apHotspot->OnDoubleClick(1);
    apHotspot->OnButtonDown(2);
    apHotspot->ShowMultiCursor();
    for (int action = MGIMultiCursorListener::kDismissed; action <= MGIMultiCursorListener::kLook; ++action) {
        apHotspot->OnAction(action);
        apHotspot->OnSoundEnd(VoString());
    }
    for (int list = 0; list < MGHotspot::kListCount; ++list) {
        apHotspot->PlaySound(list);
        apHotspot->OnSoundEnd(VoString());
        apHotspot->PlayCutScene(list);
    }
    apHotspot->TrackTargetDone();
    apHotspot->Execute();
    apHotspot->OnArrived(VoString());
    apHotspot->Deactivate();
    apHotspot->OnActionDone(3);
    apHotspot->OnActionDone(7);
    apHotspot->StartAnalysis();
    if (auto* interview = dynamic_cast<MGHotspotInterview*>(apHotspot)) {
        interview->Bargain();
        interview->IsBargaining();
    }
    if (auto* target = dynamic_cast<MGHotspotTarget*>(apHotspot)) {
        target->CheckTargetSatisfied();
    }
    if (auto* navigate = dynamic_cast<MGHotspotNavigate*>(apHotspot)) {
        // Without a scene the way goes through at once: no scene is loaded.
        navigate->Navigate(false);
        navigate->OnNear(VoString());
    }
    apHotspot->SetEnabled(false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    VoPropertyList list;
    if (!ParseFuzzPropertyList(apData, aSize, 0x10000, &list)) {
        return 0;
    }
    // The way of a navigate hotspot may load a scene, which asks for a
    // rasterizer: none, as on a machine without a graphics device.
    StartFuzzEngine({VO_NEW FuzzCreator<FuzzTexture>(u"texture"),
                     VO_NEW FuzzCreator<FuzzSounds>(u"soundmanager"), VO_NEW FuzzNullCreator(u"rasterizer")});
    for (int i = 0; i < list.GetCount() && i < kMaxEntries; ++i) {
        VoPropertyList* entry = list.GetListAt(i);
        MGHotspot* hotspot = entry != nullptr ? MGHotspot::Create(entry) : nullptr;
        if (hotspot != nullptr) {
            Drive(hotspot);
            delete hotspot;
        }
    }
    delete MGCleaner::PeekInstance();
    delete VoCleaner::PeekInstance();
    return 0;
}
