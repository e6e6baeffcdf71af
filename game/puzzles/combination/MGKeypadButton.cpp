#include "puzzles/combination/MGKeypadButton.h"

#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "geometry/VoPolygon.h"
#include "memory/VoNew.h"
#include "platform/VoMouse.h"
#include "puzzles/combination/MGCombinationLockPuzzle.h"

MGKeypadButton::MGKeypadButton() : fpOwner(nullptr), fpPressed(nullptr), fpArea(nullptr), fInMouse(false) {}

MGKeypadButton::~MGKeypadButton() {
    if (fInMouse) {
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->RemoveListener(this);
        }
    }
    delete fpArea;
}

bool MGKeypadButton::Create(VoPropertyList* apEntry, MGCombinationLockPuzzle* apOwner) {
    fpOwner = apOwner;
    if (apEntry == nullptr) {
        return false;
    }
    bool hasId = false;
    bool hasPosition = false;
    bool hasArea = false;
    const VoString id = apEntry->GetString(VoString(u"id"), &hasId);
    const VoVectorFloat position = apEntry->GetVectorFloat(VoString(u"position"), &hasPosition);
    const VoVectorFloat area = apEntry->GetVectorFloat(VoString(u"activearea"), &hasArea);
    if (!hasId || !hasPosition || !hasArea || position.GetCount() < 2 || !SetId(id)) {
        return false;
    }
    SetPosition(position.GetAt(0), position.GetAt(1));
    fpArea = VO_NEW VoPolygon(area, true);
    if (fpArea == nullptr) {
        return false;
    }
    VoSprite* sprite = VoLayoutBuilder::BuildSprite(apEntry->GetList(VoString(u"sprite")));
    if (sprite != nullptr) {
        sprite->SetVisible(false);
        if (AddMember(sprite, true)) {
            fpPressed = sprite;
            VoMouse* mouse = VoMouse::GetInstance();
            fInMouse = mouse != nullptr && mouse->AddListener(this, kMouseOrder);
        } else {
            delete sprite;
        }
    }
    return true;
}

bool MGKeypadButton::IsPressed() const {
    return fpPressed != nullptr && fpPressed->GetVisible();
}

void MGKeypadButton::OnButtonDown(int) {
    VoMouse* mouse = VoMouse::GetInstance();
    if (fpPressed == nullptr || fpArea == nullptr || mouse == nullptr ||
        (fpOwner != nullptr && fpOwner->IsSolved())) {
        return;
    }
    VoVector2 point;
    mouse->GetPosition(point);
    if (fpArea->ContainsPoint(point)) {
        fpPressed->SetVisible(true);
        fClick.PlaySound(kClickStream, VoString(kClickSound), nullptr);
    }
}

void MGKeypadButton::OnButtonUp(int) {
    if (!IsPressed()) {
        return;
    }
    // Hidden first: the key is told nothing more after its owner has heard it.
    fpPressed->SetVisible(false);
    if (fpOwner != nullptr && !fpOwner->IsSolved()) {
        const VoString key = GetId();
        fpOwner->OnKey(key);
    }
}

VoString MGKeypadButton::ToString() const {
    return VoDebugString("MGKeypadButton", this);
}
