#include "animation/VoAnimationCtrl.h"

#include "animation/VoAnimation.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "stdlib/VoStopWatch.h"
#include "system/VoITimer.h"

namespace {

// The flags a float parameter stands for: only whole numbers that a u32 can
// hold convert; anything else (negative, too large, NaN) gives no flags.
std::uint32_t FlagsOf(float aValue) {
    if (!(aValue >= 0.0f) || aValue >= 4294967296.0f) {
        return 0;
    }
    return static_cast<std::uint32_t>(aValue);
}

}  // namespace

VoAnimationCtrl::VoAnimationCtrl() : VoAnimationCtrl(VoITimer::GetInstance()) {}

VoAnimationCtrl::VoAnimationCtrl(VoITimer* apTimer)
    : fpClock(VO_NEW VoStopWatch(apTimer)), fLastTime(0.0f), fPaused(false) {
    if (fpClock != nullptr) {
        fLastTime = fpClock->GetElapsed();
    }
}

VoAnimationCtrl::~VoAnimationCtrl() {
    delete fpClock;
}

bool VoAnimationCtrl::IsValidIndex(int aIndex) const {
    if (aIndex < 0 || aIndex >= kSlotCount) {
        VO_ERROR(kInvalidSlot, aIndex);
        return false;
    }
    return true;
}

bool VoAnimationCtrl::SetAnimation(VoAnimation* apAnimation, bool aSecondary, float aWeight, float aRate,
                                   std::uint32_t aFlags, float aSpeed) {
    VoAnimationSlot* target = nullptr;
    if (!aSecondary) {
        VoAnimationSlot& primary = fSlots[0];
        if (primary.fpAnimation == apAnimation) {
            return true;
        }
        VoAnimationSlot* layer = primary.IsEmpty() ? nullptr : GetFreeSlot();
        if (layer != nullptr) {
            *layer = primary;
            layer->fFlags |= VoAnimationSlot::kFadeOut;
            layer->fWeight = 1.0f;
            layer->fRate = kFadeOutRate;
            layer->fSpeed = 1.0f;
        }
        target = &primary;
    } else {
        if (IsLayerPlaying(apAnimation)) {
            return true;
        }
        target = GetFreeSlot();
        if (target == nullptr) {
            return true;
        }
    }
    target->fpAnimation = apAnimation;
    target->fFlags = aFlags;
    target->fWeight = aWeight;
    target->fRate = aRate;
    target->fSpeed = aSpeed;
    target->fTime = 0.0f;
    target->fPrevTime = 0.0f;
    target->fEnded = 0;
    return true;
}

bool VoAnimationCtrl::Update(float aTime) {
    const float dt = aTime - fLastTime;
    fLastTime = aTime;
    for (VoAnimationSlot& slot : fSlots) {
        if (slot.IsEmpty()) {
            continue;
        }
        if (slot.fEnded != 0 && (slot.fFlags & VoAnimationSlot::kLoop) == 0) {
            slot.fFlags &= ~VoAnimationSlot::kFadeIn;
            slot.fFlags |= VoAnimationSlot::kFadeOut | VoAnimationSlot::kHoldTime;
            slot.fRate = kFadeOutRate;
        }
        if ((slot.fFlags & VoAnimationSlot::kHoldTime) == 0) {
            slot.fPrevTime = slot.fTime;
            slot.fTime += dt;
        }
        if ((slot.fFlags & VoAnimationSlot::kFadeOut) != 0) {
            slot.fWeight += dt * slot.fRate;
            if (slot.fWeight <= 0.0f) {
                slot.Clear();
                CompactLayers();
                continue;
            }
        } else if ((slot.fFlags & VoAnimationSlot::kFadeIn) != 0) {
            slot.fWeight += dt * slot.fRate;
            if (slot.fWeight >= 1.0f) {
                slot.fFlags &= ~VoAnimationSlot::kFadeIn;
            }
        }
        if (slot.fWeight < 0.0f) {
            slot.fWeight = 0.0f;
        } else if (slot.fWeight > 1.0f) {
            slot.fWeight = 1.0f;
        }
    }
    return true;
}

VoAnimationSlot* VoAnimationCtrl::GetSlot(int aIndex) {
    return IsValidIndex(aIndex) ? &fSlots[aIndex] : nullptr;
}

int VoAnimationCtrl::FindSlotIndex(const VoAnimation* apAnimation) {
    if (apAnimation == nullptr) {
        return -1;
    }
    for (int i = 0; i < kSlotCount; ++i) {
        if (fSlots[i].fpAnimation == apAnimation) {
            return i;
        }
    }
    return -1;
}

VoAnimationSlot* VoAnimationCtrl::FindSlot(const VoAnimation* apAnimation) {
    const int index = FindSlotIndex(apAnimation);
    return index >= 0 ? &fSlots[index] : nullptr;
}

float VoAnimationCtrl::GetSlotAnimTime(int aIndex) {
    const VoAnimationSlot* slot = GetSlot(aIndex);
    return slot != nullptr && !slot->IsEmpty() ? slot->GetAnimTime() : -1.0f;
}

const VoString* VoAnimationCtrl::GetSlotAnimationName(int aIndex) {
    const VoAnimationSlot* slot = GetSlot(aIndex);
    return slot != nullptr && !slot->IsEmpty() ? &slot->fpAnimation->GetName() : nullptr;
}

VoAnimationSlot* VoAnimationCtrl::GetFreeSlot() {
    for (int i = kFirstLayer; i < kSlotCount; ++i) {
        if (fSlots[i].IsEmpty()) {
            return &fSlots[i];
        }
    }
    return nullptr;
}

bool VoAnimationCtrl::IsLayerPlaying(const VoAnimation* apAnimation) {
    if (apAnimation == nullptr) {
        return false;
    }
    for (int i = kFirstLayer; i < kSlotCount; ++i) {
        if (fSlots[i].fpAnimation == apAnimation) {
            return true;
        }
    }
    return false;
}

bool VoAnimationCtrl::RemoveAnimation(const VoAnimation* apAnimation) {
    VoAnimationSlot* slot = FindSlot(apAnimation);
    if (slot == nullptr) {
        return false;
    }
    slot->Clear();
    return true;
}

bool VoAnimationCtrl::HoldAnimation(const VoAnimation* apAnimation) {
    VoAnimationSlot* slot = FindSlot(apAnimation);
    if (slot == nullptr) {
        return false;
    }
    slot->fFlags |= VoAnimationSlot::kHoldTime;
    return true;
}

bool VoAnimationCtrl::SetSlotParams(const VoAnimation* apAnimation, const float aParams[4]) {
    VoAnimationSlot* slot = FindSlot(apAnimation);
    if (slot == nullptr || aParams == nullptr) {
        return false;
    }
    slot->fFlags = FlagsOf(aParams[0]);
    slot->fWeight = aParams[1];
    slot->fRate = aParams[2];
    slot->fSpeed = aParams[3];
    return true;
}

bool VoAnimationCtrl::SetSlot(VoAnimation* apAnimation, int aIndex, float aWeight, float aRate,
                              std::uint32_t aFlags, float aSpeed) {
    VoAnimationSlot* slot = GetSlot(aIndex);
    if (slot == nullptr) {
        return false;
    }
    slot->fpAnimation = apAnimation;
    slot->fWeight = aWeight;
    slot->fRate = aRate;
    slot->fFlags = aFlags;
    slot->fSpeed = aSpeed;
    slot->fTime = 0.0f;
    slot->fEnded = 0;
    return true;
}

bool VoAnimationCtrl::SetSlot(VoAnimation* apAnimation, int aIndex, float aWeight, float aRate,
                              std::uint32_t aFlags) {
    return SetSlot(apAnimation, aIndex, aWeight, aRate, aFlags, 1.0f);
}

void VoAnimationCtrl::FadeOutAll(float aValue) {
    for (VoAnimationSlot& slot : fSlots) {
        if (slot.IsEmpty()) {
            continue;
        }
        if (aValue == 0.0f) {
            slot.Clear();
            continue;
        }
        slot.fFlags &= ~VoAnimationSlot::kFadeIn;
        slot.fFlags |= VoAnimationSlot::kFadeOut;
        slot.fWeight = aValue;
        // A rising or still rate would keep the slot for good.
        if (!(slot.fRate < 0.0f)) {
            slot.fRate = kFadeOutRate;
        }
    }
}

void VoAnimationCtrl::ClearLayers() {
    for (int i = kFirstLayer; i < kSlotCount; ++i) {
        fSlots[i].Clear();
    }
}

void VoAnimationCtrl::CompactLayers() {
    int to = kFirstLayer;
    for (int from = kFirstLayer; from < kSlotCount; ++from) {
        if (fSlots[from].IsEmpty()) {
            continue;
        }
        if (from != to) {
            fSlots[to] = fSlots[from];
            fSlots[from].Clear();
        }
        ++to;
    }
}

void VoAnimationCtrl::SetPaused(bool aPaused) {
    if (aPaused == fPaused) {
        return;
    }
    fPaused = aPaused;
    if (fpClock == nullptr) {
        return;
    }
    if (aPaused) {
        fpClock->Pause();
    } else {
        fpClock->Resume();
    }
}
