#include "platform/VoInputResult.h"

const char* VoInputResultText(VoInputResult aResult) {
    switch (aResult) {
        case VoInputResult::kOk:
            return "DI_OK: the call succeeded.";
        case VoInputResult::kNotAcquired:
            return "DIERR_NOTACQUIRED: the device is not acquired.";
        case VoInputResult::kOtherAppHasPriority:
            return "DIERR_OTHERAPPHASPRIO: the window is not in the foreground.";
        case VoInputResult::kOutOfMemory:
            return "E_OUTOFMEMORY: not enough memory.";
    }
    return "E_FAIL: unknown result.";
}
