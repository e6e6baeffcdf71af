#include "platform/VoKeyboardDevice.h"

#include <cstring>

void VoKeyboardDevice::OnKey(int aCode, bool aDown) {
    if (aCode < 0 || aCode >= kStateSize) {
        return;
    }
    fState[aCode] = aDown ? kDown : 0;
    // A key pressed in the background is not the game's.
    if (aDown && CanAcquire()) {
        fPressed[aCode] = kDown;
    }
}

VoInputResult VoKeyboardDevice::GetDeviceState(unsigned char* apState) {
    if (!IsAcquired()) {
        return VoInputResult::kNotAcquired;
    }
    for (int code = 0; code < kStateSize; ++code) {
        apState[code] = fState[code] | fPressed[code];
    }
    std::memset(fPressed, 0, sizeof fPressed);
    return VoInputResult::kOk;
}

void VoKeyboardDevice::OnUnacquired() {
    std::memset(fPressed, 0, sizeof fPressed);
}
