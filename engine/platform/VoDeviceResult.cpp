#include "platform/VoDeviceResult.h"

const char* VoDeviceResultText(VoDeviceResult aResult) {
    switch (aResult) {
        case VoDeviceResult::kOk:
            return "DI_OK: the call succeeded.";
        case VoDeviceResult::kNotAcquired:
            return "DIERR_NOTACQUIRED: the device is not acquired.";
        case VoDeviceResult::kOtherAppHasPriority:
            return "DIERR_OTHERAPPHASPRIO: the window is not in the foreground.";
        case VoDeviceResult::kOutOfMemory:
            return "E_OUTOFMEMORY: not enough memory.";
    }
    return "E_FAIL: unknown result.";
}
