#pragma once
// The system keyboard as a device: 256 bytes of key state indexed by scan
// code, 0x80 while the key is down. The state follows every key event the
// message pump feeds, acquired or not, as the keyboard itself does; it can be
// read only while the device is acquired.
//
// The state is read once per frame, so a key that went down and up again
// since the last read (a quick tap, or any tap during a slow frame) shows as
// down in that read and as up in the next: no press is lost between reads.
#include "platform/VoInputDevice.h"

class VoKeyboardDevice : public VoInputDevice {
public:
    static constexpr int kStateSize = 256;
    static constexpr unsigned char kDown = 0x80;

    explicit VoKeyboardDevice(VoIWindowPort* apWindow) : VoInputDevice(apWindow) {}

    // A code outside 0..255 is ignored.
    void OnKey(int aCode, bool aDown);
    // Copies the 256 bytes to apState; kNotAcquired, nothing copied, unless
    // acquired. A key pressed since the last read reads as down.
    VoInputResult GetDeviceState(unsigned char* apState);

protected:
    // A tap made before the device was lost is not carried past it.
    void OnUnacquired() override;

private:
    unsigned char fState[kStateSize] = {};
    // kDown for each key pressed since the last read.
    unsigned char fPressed[kStateSize] = {};
};
