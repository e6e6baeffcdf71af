#pragma once
// The keyboard device as the main loop reads it: once per pass it reads the
// 256 key bytes and, for every scan code from 0 to 255 in turn whose byte
// changed since the last read, reports OnKeyDown or OnKeyUp to the
// application. A read that fails while the window is in the background ends
// the update silently and the stored keys keep their old state.
#include "platform/VoKeyboardDevice.h"

class VoInputDX9;
class VoIWindowPort;

class VoKeyboardDX9 {
public:
    static constexpr char kCreateDeviceFailure[] = "CreateDevice failure: ";
    static constexpr char kAcquireFailure[] = "Acquire failure: ";
    static constexpr char kStateFailure[] = "GetDeviceState failure: ";
    static constexpr char kNoApp[] = "Keyboard output error. Could not get VoApp.";

    // apOwner: not owned, owns the keyboard. Makes the device (Init).
    VoKeyboardDX9(VoInputDX9* apOwner, VoIWindowPort* apWindow);
    VoKeyboardDX9(const VoKeyboardDX9&) = delete;
    VoKeyboardDX9& operator=(const VoKeyboardDX9&) = delete;
    virtual ~VoKeyboardDX9();

    // A non-exclusive device that is read only while the window has the focus.
    bool Init(VoIWindowPort* apWindow);
    void Update();
    void ClearKeys();
    // The stored byte's top bit; false for a code outside 0..255.
    bool IsKeyDown(int aScanCode) const;

    // Null when Init failed.
    VoKeyboardDevice* GetDevice() const { return fpDevice; }

private:
    VoKeyboardDevice* fpDevice;  // owned, or null
    unsigned char fKeys[VoKeyboardDevice::kStateSize];
    VoInputDX9* fpOwner;  // not owned
};
