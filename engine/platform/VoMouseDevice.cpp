#include "platform/VoMouseDevice.h"

#include <algorithm>

void VoMouseDevice::OnMotion(int aX, int aY) {
    if (aX != 0) {
        Add(VoMouseRecord::kAxisX, aX);
    }
    if (aY != 0) {
        Add(VoMouseRecord::kAxisY, aY);
    }
}

void VoMouseDevice::OnWheel(int aNotches) {
    const int step = aNotches < 0 ? -kWheelDelta : kWheelDelta;
    // Past a full buffer every further record would be lost anyway.
    const int count = std::min(aNotches < 0 ? -static_cast<long>(aNotches) : static_cast<long>(aNotches),
                               static_cast<long>(kBufferSize));
    for (int i = 0; i < count; ++i) {
        Add(VoMouseRecord::kAxisZ, step);
    }
}

void VoMouseDevice::OnButton(int aButton, bool aDown) {
    if (aButton < 0 || aButton >= VoMouseRecord::kButtonCount) {
        return;
    }
    Add(VoMouseRecord::kButton0 + aButton, aDown ? VoMouseRecord::kPressed : 0);
}

VoInputResult VoMouseDevice::GetDeviceData(VoMouseRecord* apRecords, int* apCount) {
    if (!IsAcquired()) {
        *apCount = 0;
        return VoInputResult::kNotAcquired;
    }
    const int count = std::min(std::max(*apCount, 0), fCount);
    std::copy(fBuffer, fBuffer + count, apRecords);
    std::copy(fBuffer + count, fBuffer + fCount, fBuffer);
    fCount -= count;
    *apCount = count;
    return VoInputResult::kOk;
}

void VoMouseDevice::Add(int aOffset, int aData) {
    if (!IsAcquired() || fCount >= kBufferSize) {
        return;
    }
    fBuffer[fCount].fOffset = aOffset;
    fBuffer[fCount].fData = aData;
    ++fCount;
}
