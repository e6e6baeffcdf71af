#pragma once
// The system keyboard as a device: 256 bytes of key state indexed by scan
// code, 0x80 while the key is down. The state follows every key event the
// message pump feeds, acquired or not, as the keyboard itself does; it can be
// read only while the device is acquired.
#include "platform/VoInputDevice.h"

class VoKeyboardDevice : public VoInputDevice {
public:
    static constexpr int kStateSize = 256;
    static constexpr unsigned char kDown = 0x80;

    explicit VoKeyboardDevice(VoIWindowPort* apWindow) : VoInputDevice(apWindow) {}

    // A code outside 0..255 is ignored.
    void OnKey(int aCode, bool aDown);
    // Copies the 256 bytes to apState; kNotAcquired, nothing copied, unless acquired.
    VoInputResult GetDeviceState(unsigned char* apState) const;

private:
    unsigned char fState[kStateSize] = {};
};
