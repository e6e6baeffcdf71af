#include "platform/VoKeyboardDevice.h"

#include <cstring>

void VoKeyboardDevice::OnKey(int aCode, bool aDown) {
    if (aCode < 0 || aCode >= kStateSize) {
        return;
    }
    const unsigned char state = aDown ? kDown : 0;
    fState[aCode] = state;
    // A key pressed in the background is not the game's; after an overflow
    // the next read takes the keys as they are anyway.
    if (!CanAcquire() || fOverflowed || fQueued[aCode] == state) {
        return;
    }
    if (fCount == kQueueSize) {
        DropQueue();
        fOverflowed = true;
        return;
    }
    fQueue[(fFirst + fCount) % kQueueSize] = Change{static_cast<unsigned char>(aCode), state};
    ++fCount;
    fQueued[aCode] = state;
}

VoInputResult VoKeyboardDevice::GetDeviceState(unsigned char* apState) {
    if (!IsAcquired()) {
        return VoInputResult::kNotAcquired;
    }
    if (fCount == 0 || fOverflowed) {
        Settle();
    } else {
        // The reader reports in ascending scan-code order, once per key: a
        // change that would come out of order, or merge with one before it,
        // waits for the next read.
        int highest = -1;
        while (fCount > 0 && fQueue[fFirst].fCode > highest) {
            const Change& change = fQueue[fFirst];
            fHanded[change.fCode] = change.fState;
            highest = change.fCode;
            fFirst = (fFirst + 1) % kQueueSize;
            --fCount;
        }
    }
    std::memcpy(apState, fHanded, sizeof fHanded);
    return VoInputResult::kOk;
}

void VoKeyboardDevice::OnUnacquired() {
    DropQueue();
}

void VoKeyboardDevice::DropQueue() {
    fFirst = 0;
    fCount = 0;
    std::memcpy(fQueued, fHanded, sizeof fHanded);
}

void VoKeyboardDevice::Settle() {
    std::memcpy(fHanded, fState, sizeof fState);
    DropQueue();
    fOverflowed = false;
}
