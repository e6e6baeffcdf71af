#pragma once
// The system mouse as a buffered device: each motion along an axis, each
// wheel step and each button change is one record, kept in order until read,
// up to the buffer's size (later records are lost until the buffer is read).
// Records are kept only while the device is acquired; losing the acquisition
// drops those not yet read.
//
// Motion records are relative, whatever the system gives: a pointer that
// reports positions (a tablet, a touch screen, a virtual machine's or a
// remote desktop's pointer, synthetic input) gives the change from the point
// the records have reached so far, with each position mapped through the
// letterbox into the picture the window shows. The point starts at the
// picture's top-left corner, as the mouse's position does, and relative
// motion moves it too (kept on the picture), so positions that follow
// relative motion bring the point back under the system pointer.
#include <cstdint>

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

    // The size of the picture the window shows (the back buffer), which
    // positions are mapped into. Until it is set, or when it has no area,
    // positions are taken as they come, kept on the window's surface.
    void SetPictureSize(std::int32_t aWidth, std::int32_t aHeight);

    // A record for each axis that moved.
    void OnMotion(int aX, int aY);
    // The pointer is at (aX, aY) on the window's surface of aSurfaceWidth x
    // aSurfaceHeight pixels: a record for each axis of the change since the
    // point the records have reached. A surface without area is ignored.
    void OnPosition(int aX, int aY, int aSurfaceWidth, int aSurfaceHeight);
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
    // False when the record was not kept (not acquired, or the buffer is full).
    bool Add(int aOffset, int aData);
    // A record of the change along one axis to aTo, moving the point when kept.
    void MoveAxis(int aOffset, std::int32_t aTo, std::int32_t* apAt);

    VoMouseRecord fBuffer[kBufferSize];
    int fCount = 0;
    std::int32_t fPictureWidth = 0;
    std::int32_t fPictureHeight = 0;
    // Where the records kept so far have taken the pointer, in picture pixels.
    std::int32_t fPointX = 0;
    std::int32_t fPointY = 0;
};
