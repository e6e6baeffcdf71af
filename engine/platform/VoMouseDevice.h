#pragma once
// The system mouse as a buffered device: each motion along an axis, each
// wheel step and each button change is one record, kept in order until read,
// up to the buffer's size (later records are lost until the buffer is read).
// Records are kept only while the device is acquired; losing the acquisition
// drops those not yet read.
#include "platform/VoInputDevice.h"

struct VoMouseRecord {
    // The offsets of the mouse state that a record changes.
    static constexpr int kAxisX = 0;
    static constexpr int kAxisY = 4;
    static constexpr int kAxisZ = 8;
    static constexpr int kButton0 = 12;  // buttons 0..7 at 12..19
    static constexpr int kButtonCount = 8;
    static constexpr int kPressed = 0x80;

    int fOffset = 0;
    // A signed delta for an axis; kPressed or 0 for a button.
    int fData = 0;
};

class VoMouseDevice : public VoInputDevice {
public:
    static constexpr int kBufferSize = 64;
    // Wheel units per notch.
    static constexpr int kWheelDelta = 120;

    explicit VoMouseDevice(VoIWindowPort* apWindow) : VoInputDevice(apWindow) {}

    // A record for each axis that moved.
    void OnMotion(int aX, int aY);
    // A record of 120 per notch, away from the user positive.
    void OnWheel(int aNotches);
    // A button outside 0..7 is ignored.
    void OnButton(int aButton, bool aDown);

    // Moves up to *apCount records, oldest first, to apRecords and sets
    // *apCount to how many; kNotAcquired, nothing moved, unless acquired.
    VoInputResult GetDeviceData(VoMouseRecord* apRecords, int* apCount);
    int GetBufferedCount() const { return fCount; }

protected:
    void OnUnacquired() override { fCount = 0; }

private:
    void Add(int aOffset, int aData);

    VoMouseRecord fBuffer[kBufferSize];
    int fCount = 0;
};
