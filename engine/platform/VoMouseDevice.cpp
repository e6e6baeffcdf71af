#include "platform/VoMouseDevice.h"

#include <algorithm>

#include "platform/VoLetterbox.h"

namespace {

// aAt moved by aDelta, kept within 0..aSize-1 (not kept at all without a size).
std::int32_t Moved(std::int32_t aAt, int aDelta, std::int32_t aSize) {
    const std::int64_t to = static_cast<std::int64_t>(aAt) + aDelta;
    if (aSize <= 0) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(to, INT32_MIN, INT32_MAX));
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(to, 0, aSize - 1));
}

}  // namespace

void VoMouseDevice::SetPictureSize(std::int32_t aWidth, std::int32_t aHeight) {
    fPictureWidth = aWidth;
    fPictureHeight = aHeight;
}

void VoMouseDevice::OnMotion(int aX, int aY) {
    if (aX != 0 && Add(VoMouseRecord::kAxisX, aX)) {
        fPointX = Moved(fPointX, aX, fPictureWidth);
    }
    if (aY != 0 && Add(VoMouseRecord::kAxisY, aY)) {
        fPointY = Moved(fPointY, aY, fPictureHeight);
    }
}

void VoMouseDevice::OnPosition(int aX, int aY, int aSurfaceWidth, int aSurfaceHeight) {
    if (aSurfaceWidth <= 0 || aSurfaceHeight <= 0) {
        return;
    }
    const bool hasPicture = fPictureWidth > 0 && fPictureHeight > 0;
    const std::int32_t width = hasPicture ? fPictureWidth : aSurfaceWidth;
    const std::int32_t height = hasPicture ? fPictureHeight : aSurfaceHeight;
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (!VoLetterbox::Fit(width, height, aSurfaceWidth, aSurfaceHeight)
             .ToPicture(aX, aY, width, height, &x, &y)) {
        return;
    }
    MoveAxis(VoMouseRecord::kAxisX, x, &fPointX);
    MoveAxis(VoMouseRecord::kAxisY, y, &fPointY);
}

void VoMouseDevice::MoveAxis(int aOffset, std::int32_t aTo, std::int32_t* apAt) {
    const std::int64_t delta = static_cast<std::int64_t>(aTo) - *apAt;
    if (delta != 0 && delta >= INT32_MIN && delta <= INT32_MAX && Add(aOffset, static_cast<int>(delta))) {
        *apAt = aTo;
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

bool VoMouseDevice::Add(int aOffset, int aData) {
    if (!IsAcquired() || fCount >= kBufferSize) {
        return false;
    }
    fBuffer[fCount].fOffset = aOffset;
    fBuffer[fCount].fData = aData;
    ++fCount;
    return true;
}
