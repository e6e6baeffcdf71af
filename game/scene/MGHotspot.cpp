#include "scene/MGHotspot.h"

#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "memory/VoNew.h"
#include "platform/VoMouse.h"

MGHotspot* MGHotspot::Create(VoPropertyList* apEntry) {
    if (apEntry == nullptr) {
        return nullptr;
    }
    bool found = false;
    const VoString type = apEntry->GetString(VoString(u"type"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kTypeNotFound);
    }
    const char16_t* const names[] = {u"navigate", u"interview", u"target", u"general"};
    const int kinds[] = {kNavigate, kInterview, kTarget, kGeneral};
    MGHotspot* hotspot = nullptr;
    for (int i = 0; i < 4 && hotspot == nullptr; ++i) {
        if (type.EqualsNoCase(names[i])) {
            hotspot = VO_NEW MGHotspot(kinds[i]);
        }
    }
    if (hotspot == nullptr) {
        VO_ASSERT_FAILURE(kInvalidType, type);
        return nullptr;
    }
    hotspot->fId = apEntry->GetString(VoString(u"id"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kIdNotFound);
    }
    return hotspot;
}

MGHotspot::~MGHotspot() {
    if (fListening) {
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->RemoveListener(this);
        }
    }
}

void MGHotspot::SetEnabled(bool aEnabled) {
    fActive = aEnabled;
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr || aEnabled == fListening) {
        return;
    }
    if (aEnabled) {
        fListening = mouse->AddListener(this, kMouseOrder);
    } else {
        mouse->RemoveListener(this);
        fListening = false;
    }
}
