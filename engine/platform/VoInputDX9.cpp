#include "platform/VoInputDX9.h"

#include <algorithm>

#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "platform/VoIEventSource.h"
#include "platform/VoIWindowPort.h"
#include "platform/VoKeyboardDX9.h"
#include "platform/VoKeyboardDevice.h"
#include "platform/VoMouseDX9.h"
#include "platform/VoMouseDevice.h"

VoInputDX9::VoInputDX9(VoIPlatform* apPlatform)
    : fpKeyboard(nullptr), fpMouse(nullptr), fpPlatform(apPlatform) {}

VoInputDX9::~VoInputDX9() {
    delete fpKeyboard;
    fpKeyboard = nullptr;
    delete fpMouse;
    fpMouse = nullptr;
    fpPlatform = nullptr;
}

bool VoInputDX9::Init(void*, VoIWindowPort* apWindow, int, bool aMakeKeyboard, bool aMakeMouse) {
    delete fpKeyboard;
    fpKeyboard = nullptr;
    delete fpMouse;
    fpMouse = nullptr;
    if (aMakeKeyboard) {
        fpKeyboard = VO_NEW VoKeyboardDX9(this, apWindow);
        if (fpKeyboard == nullptr) {
            VO_ERROR(kKeyboardCreationFailure);
            return false;
        }
    }
    if (aMakeMouse) {
        const bool swapped = apWindow != nullptr && apWindow->AreMouseButtonsSwapped();
        fpMouse = VO_NEW VoMouseDX9(this, apWindow, true, true, true, swapped);
        if (fpMouse == nullptr) {
            VO_ERROR(kMouseCreationFailure);
            return false;
        }
    }
    return true;
}

void VoInputDX9::Update() {
    if (fpKeyboard != nullptr) {
        fpKeyboard->Update();
    }
    if (fpMouse != nullptr) {
        fpMouse->Update();
    }
}

void VoInputDX9::Feed(const VoPortEvent& aEvent) {
    VoKeyboardDevice* keyboard = fpKeyboard != nullptr ? fpKeyboard->GetDevice() : nullptr;
    VoMouseDevice* mouse = fpMouse != nullptr ? fpMouse->GetDevice() : nullptr;
    switch (aEvent.fKind) {
        case VoPortEvent::kKeyDown:
        case VoPortEvent::kKeyUp:
            if (keyboard != nullptr) {
                keyboard->OnKey(aEvent.fCode, aEvent.fKind == VoPortEvent::kKeyDown);
            }
            break;
        case VoPortEvent::kMouseMotion:
            if (mouse != nullptr) {
                mouse->OnMotion(aEvent.fX, aEvent.fY);
            }
            break;
        case VoPortEvent::kMousePosition:
            if (mouse != nullptr) {
                mouse->OnPosition(aEvent.fX, aEvent.fY, aEvent.fWidth, aEvent.fHeight);
            }
            break;
        case VoPortEvent::kMouseWheel:
            if (mouse != nullptr) {
                mouse->OnWheel(aEvent.fY);
            }
            break;
        case VoPortEvent::kMouseButtonDown:
        case VoPortEvent::kMouseButtonUp:
            if (mouse != nullptr) {
                mouse->OnButton(aEvent.fCode, aEvent.fKind == VoPortEvent::kMouseButtonDown);
            }
            break;
        default:
            break;
    }
}

void VoInputDX9::SetPictureSize(std::uint32_t aWidth, std::uint32_t aHeight) {
    if (fpMouse != nullptr && fpMouse->GetDevice() != nullptr) {
        fpMouse->GetDevice()->SetPictureSize(
            static_cast<std::int32_t>(std::min<std::uint32_t>(aWidth, INT32_MAX)),
            static_cast<std::int32_t>(std::min<std::uint32_t>(aHeight, INT32_MAX)));
    }
}

void VoInputDX9::SetForeground(bool aForeground) {
    if (fpKeyboard != nullptr && fpKeyboard->GetDevice() != nullptr) {
        fpKeyboard->GetDevice()->SetForeground(aForeground);
    }
    if (fpMouse != nullptr && fpMouse->GetDevice() != nullptr) {
        fpMouse->GetDevice()->SetForeground(aForeground);
    }
}

void VoInputDX9::AcquireDevices() {
    if (fpKeyboard != nullptr) {
        fpKeyboard->ClearKeys();
    }
    if (fpMouse != nullptr) {
        fpMouse->Acquire();
    }
}

void VoInputDX9::UnacquireDevices() {
    if (fpKeyboard != nullptr) {
        fpKeyboard->ClearKeys();
    }
    if (fpMouse != nullptr) {
        fpMouse->Unacquire();
    }
}
