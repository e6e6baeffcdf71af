#include "platform/VoKeyboardDX9.h"

#include <cstring>

#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "platform/VoApp.h"
#include "platform/VoIPlatform.h"
#include "platform/VoInputDX9.h"

VoKeyboardDX9::VoKeyboardDX9(VoInputDX9* apOwner, VoIWindowPort* apWindow)
    : fpDevice(nullptr), fKeys(), fpOwner(apOwner) {
    Init(apWindow);
}

VoKeyboardDX9::~VoKeyboardDX9() {
    if (fpDevice != nullptr) {
        fpDevice->Unacquire();
        delete fpDevice;
        fpDevice = nullptr;
    }
}

bool VoKeyboardDX9::Init(VoIWindowPort* apWindow) {
    delete fpDevice;
    fpDevice = VO_NEW VoKeyboardDevice(apWindow);
    if (fpDevice == nullptr) {
        VO_ERROR(kCreateDeviceFailure, VoInputResultText(VoInputResult::kOutOfMemory));
        return false;
    }
    fpDevice->SetCooperativeLevel(false, true);
    ClearKeys();
    return true;
}

void VoKeyboardDX9::Update() {
    if (fpDevice == nullptr) {
        return;
    }
    unsigned char fresh[VoKeyboardDevice::kStateSize];
    VoInputResult result = fpDevice->GetDeviceState(fresh);
    if (result != VoInputResult::kOk) {
        result = fpDevice->Acquire();
        if (result != VoInputResult::kOk) {
            // In the background the keyboard cannot be had: nothing to say.
            if (result != VoInputResult::kOtherAppHasPriority) {
                VO_ERROR(kAcquireFailure, VoInputResultText(result));
            }
            return;
        }
        result = fpDevice->GetDeviceState(fresh);
        if (result != VoInputResult::kOk) {
            VO_ERROR(kStateFailure, VoInputResultText(result));
            return;
        }
    }
    VoIPlatform* platform = fpOwner != nullptr ? fpOwner->GetPlatform() : nullptr;
    VoApp* app = platform != nullptr ? platform->GetApp() : nullptr;
    if (app == nullptr) {
        VO_ERROR(kNoApp);
        return;
    }
    for (int code = 0; code < VoKeyboardDevice::kStateSize; ++code) {
        if (fresh[code] == fKeys[code]) {
            continue;
        }
        if ((fresh[code] & VoKeyboardDevice::kDown) != 0) {
            app->OnKeyDown(code);
        } else {
            app->OnKeyUp(code);
        }
        fKeys[code] = fresh[code];
    }
}

void VoKeyboardDX9::ClearKeys() {
    std::memset(fKeys, 0, sizeof fKeys);
}

bool VoKeyboardDX9::IsKeyDown(int aScanCode) const {
    if (aScanCode < 0 || aScanCode >= VoKeyboardDevice::kStateSize) {
        return false;
    }
    return (fKeys[aScanCode] & VoKeyboardDevice::kDown) != 0;
}
