#include "platform/VoKeyboardDevice.h"

#include <cstring>

void VoKeyboardDevice::OnKey(int aCode, bool aDown) {
    if (aCode < 0 || aCode >= kStateSize) {
        return;
    }
    fState[aCode] = aDown ? kDown : 0;
}

VoInputResult VoKeyboardDevice::GetDeviceState(unsigned char* apState) const {
    if (!IsAcquired()) {
        return VoInputResult::kNotAcquired;
    }
    std::memcpy(apState, fState, sizeof fState);
    return VoInputResult::kOk;
}
