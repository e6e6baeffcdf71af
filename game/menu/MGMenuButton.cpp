#include "menu/MGMenuButton.h"

#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "gdi/VoIButtonListener.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoVector2.h"
#include "menu/MGMenuArea.h"
#include "platform/VoMouse.h"
#include "system/VoITimer.h"
#include "util/MGListening.h"

namespace {

// The picture of a "type" letter, exact case; -1 for none.
int PictureOf(const VoString& aType) {
    static const char16_t* const kTypes[] = {u"n", u"o", u"d", u"x", u"h"};
    for (int i = 0; i < 5; ++i) {
        if (aType == VoString(kTypes[i])) {
            return i;
        }
    }
    return -1;
}

}  // namespace

MGMenuButton::MGMenuButton()
    : fpListener(nullptr),
      fpArea(nullptr),
      fpPictures{},
      fState(kNormal),
      fFading(false),
      fFadeStep(0.0f),
      fLastStep(0.0),
      fInMouse(false),
      fInFrames(false) {}

MGMenuButton::~MGMenuButton() {
    ListenToMouse(false);
    MGListenToFrames(this, kFrameOrder, false, &fInFrames);
    delete fpArea;
}

double MGMenuButton::Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

bool MGMenuButton::Load(VoPropertyList* apNode, VoIButtonListener* apListener) {
    if (apNode == nullptr) {
        return false;
    }
    bool found = false;
    const VoString id = apNode->GetString(VoString(u"id"), &found);
    VoPropertyList* states = apNode->GetList(VoString(u"states"));
    VoPolygon* area = MGMenuArea::Read(apNode, VoString(kActiveAreaKey));
    if (!found || id.GetLength() == 0 || states == nullptr || area == nullptr || !SetId(id)) {
        delete area;
        return false;
    }
    fpListener = apListener;
    delete fpArea;
    fpArea = area;
    const VoVectorFloat position = apNode->GetVectorFloat(VoString(u"position"), &found);
    SetPosition(position.GetCount() >= 2 ? VoVector2(position.GetAt(0), position.GetAt(1)) : VoVector2());
    for (int i = 0; i < states->GetCount(); ++i) {
        VoPropertyList* entry = states->GetListAt(i);
        VoSprite* sprite = VoLayoutBuilder::BuildSprite(entry);
        if (sprite == nullptr || !AddMember(sprite, true)) {
            delete sprite;
            continue;
        }
        const int picture = PictureOf(entry->GetString(VoString(u"type"), nullptr));
        switch (picture) {
            case kPictureOver:
                sprite->SetBlend(0.0f);
                sprite->SetVisible(false);
                break;
            case kPictureDown:
            case kPictureDisabled:
                sprite->SetVisible(false);
                break;
            case kPictureHighlighted:
                sprite->SetRelativeZ(kHighlightZ);
                sprite->SetVisible(false);
                break;
            default:
                break;
        }
        if (picture >= 0) {
            fpPictures[picture] = sprite;
        }
    }
    fState = kNormal;
    fFading = false;
    ListenToMouse(true);
    MGListenToFrames(this, kFrameOrder, true, &fInFrames);
    return true;
}

VoSprite* MGMenuButton::GetStateSprite(char16_t aType) const {
    const char16_t text[2] = {aType, 0};
    const int picture = PictureOf(VoString(text));
    return picture >= 0 ? fpPictures[picture] : nullptr;
}

void MGMenuButton::Show(int aPicture, bool aVisible) {
    if (aPicture >= 0 && aPicture < kPictureCount && fpPictures[aPicture] != nullptr) {
        fpPictures[aPicture]->SetVisible(aVisible);
    }
}

void MGMenuButton::ShowOnly(int aPicture) {
    for (int i = 0; i < kPictureCount; ++i) {
        Show(i, i == aPicture);
    }
}

void MGMenuButton::ListenToMouse(bool aListen) {
    MGListenToMouse(this, kMouseOrder, aListen, &fInMouse);
}

bool MGMenuButton::SetEnabled(bool aEnabled) {
    // A fade left running would show or hide pictures of the new state.
    fFading = false;
    fState = aEnabled ? kNormal : kDisabled;
    ShowOnly(aEnabled ? kPictureNormal : kPictureDisabled);
    ListenToMouse(aEnabled);
    return true;
}

void MGMenuButton::SetHighlighted(bool aHighlighted) {
    fFading = false;
    fState = aHighlighted ? kHighlighted : kNormal;
    ShowOnly(aHighlighted ? kPictureHighlighted : kPictureNormal);
    ListenToMouse(!aHighlighted);
}

bool MGMenuButton::PointerInside() const {
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr) {
        return false;
    }
    VoVector2 position;
    return MGMenuArea::Contains(fpArea, mouse->GetPosition(position));
}

bool MGMenuButton::IgnoresMouse() {
    return fState == kDisabled || fState == kHighlighted || !GetEffectiveEnabled();
}

void MGMenuButton::StartFade(float aStep) {
    fFadeStep = aStep;
    fLastStep = Now();
    fFading = true;
}

void MGMenuButton::OnMouseMove(const VoVector2*) {
    if (IgnoresMouse()) {
        return;
    }
    const bool inside = PointerInside();
    if (inside && fState == kNormal) {
        fState = kOver;
        Show(kPictureOver, true);
        StartFade(kFadeStep);
    } else if (!inside && fState == kOver) {
        fState = kNormal;
        Show(kPictureNormal, true);
        StartFade(-kFadeStep);
    }
}

void MGMenuButton::OnButtonDown(int) {
    if (IgnoresMouse() || fState != kOver || !PointerInside()) {
        return;
    }
    fState = kDown;
    Show(kPictureDown, true);
    fFading = false;
    if (fpPictures[kPictureOver] != nullptr) {
        fpPictures[kPictureOver]->SetBlend(1.0f);
        fpPictures[kPictureOver]->SetVisible(false);
    }
}

void MGMenuButton::OnButtonUp(int) {
    if (IgnoresMouse() || fState != kDown) {
        return;
    }
    Show(kPictureDown, false);
    Show(kPictureOver, true);
    if (!PointerInside()) {
        fState = kNormal;
        Show(kPictureNormal, true);
        StartFade(-kFadeStep);
        return;
    }
    fState = kOver;
    // Last: the listener may delete the button.
    if (fpListener != nullptr) {
        fpListener->OnButtonEvent(GetId(), VoIButtonListener::kClick);
    }
}

void MGMenuButton::OnUpdate() {
    if (!fFading) {
        return;
    }
    const double now = Now();
    if (now - fLastStep <= kFadeInterval) {
        return;
    }
    VoSprite* over = fpPictures[kPictureOver];
    const float blend = (over != nullptr ? over->GetBlend() : 0.0f) + fFadeStep;
    if (blend < 0.0f) {
        fFading = false;
        if (over != nullptr) {
            over->SetVisible(false);
            over->SetBlend(0.0f);
        }
    } else if (blend > 1.0f) {
        // Fully over: the normal picture goes, and the steps go on doing this.
        if (over != nullptr) {
            over->SetBlend(1.0f);
        }
        Show(kPictureNormal, false);
    } else if (over != nullptr) {
        over->SetBlend(blend);
    }
    fLastStep = now;
}

VoString MGMenuButton::ToString() const {
    return VoDebugString("MGMenuButton", this);
}
