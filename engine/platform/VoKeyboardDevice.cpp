#include "platform/VoKeyboardDevice.h"

#include <cstring>

void VoKeyboardDevice::OnKey(int aCode, bool aDown) {
    if (aCode < 0 || aCode >= kStateSize) {
        return;
    }
    fState[aCode] = aDown ? kDown : 0;
}

VoDeviceResult VoKeyboardDevice::GetDeviceState(unsigned char* apState) const {
    if (!IsAcquired()) {
        return VoDeviceResult::kNotAcquired;
    }
    std::memcpy(apState, fState, sizeof fState);
    return VoDeviceResult::kOk;
}
