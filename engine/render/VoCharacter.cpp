#include "render/VoCharacter.h"

#include "render/VoAnimationCtrl.h"
#include "render/VoAnimationSlot.h"
#include "render/VoDrawElement.h"

VoCharacter::VoCharacter() = default;

VoCharacter::~VoCharacter() = default;

VoDrawElement* VoCharacter::Element() const {
    VoCharacter* self = const_cast<VoCharacter*>(this);
    return self->GetElements().GetCount() > 0 ? static_cast<VoDrawElement*>(self->GetElements().GetAt(0))
                                              : nullptr;
}

VoAnimationCtrl* VoCharacter::GetAnimationCtrl() const {
    VoDrawElement* element = Element();
    return element != nullptr ? element->GetAnimationCtrl() : nullptr;
}

VoAnimationSlot* VoCharacter::GetAnimationSlot(int aIndex) const {
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    if (ctrl == nullptr || aIndex < 0 || aIndex >= VoAnimationCtrl::kSlotCount) {
        return nullptr;
    }
    return ctrl->GetSlot(aIndex);
}

bool VoCharacter::SetAnimation(VoAnimation* apAnimation) {
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    return ctrl != nullptr && ctrl->SetAnimation(apAnimation, false, 0.0f, kBlendRate, kPrimaryFlags, 1.0f);
}

bool VoCharacter::PlayGestureAnimation(VoAnimation* apAnimation) {
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    if (ctrl == nullptr) {
        return false;
    }
    ctrl->SetAnimation(apAnimation, true, 0.0f, kBlendRate, kGestureFlags, 1.0f);
    fGesturePlaying = true;
    return true;
}

bool VoCharacter::FinishAnimation(VoAnimation* apAnimation) {
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    VoAnimationSlot* slot = ctrl != nullptr && apAnimation != nullptr ? ctrl->FindSlot(apAnimation) : nullptr;
    if (slot == nullptr) {
        return false;
    }
    slot->fEnded = 1;
    return true;
}

bool VoCharacter::SetAnimationTime(VoAnimation* apAnimation, float aTime) {
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    VoAnimationSlot* slot = ctrl != nullptr && apAnimation != nullptr ? ctrl->FindSlot(apAnimation) : nullptr;
    if (slot == nullptr) {
        return false;
    }
    slot->SetTime(aTime, false);
    return true;
}
