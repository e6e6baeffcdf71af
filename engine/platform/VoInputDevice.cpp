#include "platform/VoInputDevice.h"

#include "platform/VoIWindowPort.h"

void VoInputDevice::SetCooperativeLevel(bool aExclusive, bool aForeground) {
    fExclusive = aExclusive;
    fForegroundOnly = aForeground;
}

void VoInputDevice::SetForeground(bool aForeground) {
    fForeground = aForeground;
    if (!aForeground && fForegroundOnly) {
        Unacquire();
    }
}

VoInputResult VoInputDevice::Acquire() {
    if (!CanAcquire()) {
        return VoInputResult::kOtherAppHasPriority;
    }
    if (!fAcquired) {
        fAcquired = true;
        if (fExclusive && fpWindow != nullptr) {
            fpWindow->HoldPointer(true);
        }
    }
    return VoInputResult::kOk;
}

void VoInputDevice::Unacquire() {
    if (!fAcquired) {
        return;
    }
    fAcquired = false;
    if (fExclusive && fpWindow != nullptr) {
        fpWindow->HoldPointer(false);
    }
    OnUnacquired();
}
