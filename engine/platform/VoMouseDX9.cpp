#include "platform/VoMouseDX9.h"

#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "platform/VoApp.h"
#include "platform/VoIPlatform.h"
#include "platform/VoInputDX9.h"

VoMouseDX9::VoMouseDX9(VoInputDX9* apOwner, VoIWindowPort* apWindow, bool aExclusive, bool aForeground,
                       bool aBuffered, bool aSwapped)
    : fPosition(0.0f, 0.0f),
      fWheel(0.0f),
      fpOwner(apOwner),
      fButtonDown(),
      fSwapped(aSwapped),
      fExclusive(aExclusive),
      fForeground(aForeground),
      fBuffered(aBuffered),
      fpDevice(nullptr),
      fAccumulated(0.0f, 0.0f),
      fAccumulatedWheel(0.0f),
      fAccumulatorsStarted(false),
      fMouseName(kMouseDevice),
      fWheelName(kWheelDevice) {
    VO_ASSERT(fBuffered, "");
    if (!Init(apWindow)) {
        VO_ERROR(kConstructorFailure);
    }
}

VoMouseDX9::~VoMouseDX9() {
    if (fpDevice != nullptr) {
        fpDevice->Unacquire();
        delete fpDevice;
        fpDevice = nullptr;
    }
}

bool VoMouseDX9::Init(VoIWindowPort* apWindow) {
    delete fpDevice;
    fpDevice = VO_NEW VoMouseDevice(apWindow);
    if (fpDevice == nullptr) {
        VO_ERROR(kCreateDeviceFailure, VoInputResultText(VoInputResult::kOutOfMemory));
        return false;
    }
    fpDevice->SetCooperativeLevel(fExclusive, fForeground);
    fPosition.Set(0.0f, 0.0f);
    for (unsigned char& down : fButtonDown) {
        down = 0;
    }
    return true;
}

bool VoMouseDX9::Acquire() {
    return fpDevice != nullptr && fpDevice->Acquire() == VoInputResult::kOk;
}

void VoMouseDX9::Unacquire() {
    if (fpDevice != nullptr) {
        fpDevice->Unacquire();
    }
}

bool VoMouseDX9::Update() {
    if (fpDevice == nullptr) {
        return true;
    }
    VoIPlatform* platform = fpOwner != nullptr ? fpOwner->GetPlatform() : nullptr;
    VoMouseRecord records[VoMouseDevice::kBufferSize];
    int count = VoMouseDevice::kBufferSize;
    VoInputResult result = fpDevice->GetDeviceData(records, &count);
    if (result != VoInputResult::kOk) {
        // In the background there is nothing to read; a line for every frame
        // there would only grow the log.
        if (platform == nullptr || !platform->IsActive()) {
            return false;
        }
        result = fpDevice->Acquire();
        if (result != VoInputResult::kOk) {
            if (result != VoInputResult::kOtherAppHasPriority) {
                VO_ERROR(kAcquireFailed, VoInputResultText(result));
            }
            return false;
        }
        count = VoMouseDevice::kBufferSize;
        result = fpDevice->GetDeviceData(records, &count);
        if (result != VoInputResult::kOk) {
            VO_ERROR(kStateFailure, VoInputResultText(result));
            return false;
        }
    }
    VoApp* app = platform != nullptr ? platform->GetApp() : nullptr;
    if (app == nullptr) {
        VO_ERROR(kNoApp);
        return false;
    }
    if (!fAccumulatorsStarted) {
        fAccumulated = fPosition;
        fAccumulatedWheel = fWheel;
        fAccumulatorsStarted = true;
    }
    bool moved = false;
    bool wheelChanged = false;
    for (int i = 0; i < count; ++i) {
        const VoMouseRecord& record = records[i];
        switch (record.fOffset) {
            case VoMouseRecord::kAxisX:
                fAccumulated.x += static_cast<float>(record.fData);
                moved = true;
                break;
            case VoMouseRecord::kAxisY:
                fAccumulated.y += static_cast<float>(record.fData);
                moved = true;
                break;
            case VoMouseRecord::kAxisZ:
                fAccumulatedWheel += static_cast<float>(record.fData);
                wheelChanged = true;
                break;
            default: {
                const int button = record.fOffset - VoMouseRecord::kButton0;
                if (button < 0 || button >= kButtonCount) {
                    break;
                }
                const unsigned char pressed = (record.fData & VoMouseRecord::kPressed) != 0 ? 1 : 0;
                if (pressed == fButtonDown[button]) {
                    break;
                }
                if (moved) {
                    SendMove(app);
                    moved = false;
                } else if (wheelChanged) {
                    SendWheel(app);
                    wheelChanged = false;
                }
                int number = button + 1;
                if (fSwapped && number != 3) {
                    number = 3 - number;
                }
                fButtonDown[button] = pressed;
                if (pressed != 0) {
                    app->OnMouseDown(fMouseName, number);
                } else {
                    app->OnMouseUp(fMouseName, number);
                }
                break;
            }
        }
        if (moved && wheelChanged) {
            SendWheel(app);
            wheelChanged = false;
        }
    }
    if (moved) {
        SendMove(app);
    } else if (wheelChanged) {
        SendWheel(app);
    }
    return true;
}

void VoMouseDX9::SendMove(VoApp* apApp) {
    fPosition = fAccumulated;
    apApp->OnMouseMove(fMouseName, &fAccumulated);
}

void VoMouseDX9::SendWheel(VoApp* apApp) {
    fWheel = fAccumulatedWheel;
    VoVector2 wheel(0.0f, fAccumulatedWheel);
    apApp->OnMouseMove(fWheelName, &wheel);
}
