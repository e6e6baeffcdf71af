#pragma once
// What the keyboard and the mouse devices share: they are read only while
// acquired. A foreground device cannot be acquired while the window is in the
// background and loses its acquisition when the window goes there; an
// exclusive one holds the system pointer (VoIWindowPort::HoldPointer) while
// acquired. The message pump feeds the devices and tells them the window's
// focus.
#include "platform/VoInputResult.h"

class VoIWindowPort;

class VoInputDevice {
public:
    // apWindow: where the pointer is held; not owned, outlives the
    // device; may be null.
    explicit VoInputDevice(VoIWindowPort* apWindow) : fpWindow(apWindow) {}
    VoInputDevice(const VoInputDevice&) = delete;
    VoInputDevice& operator=(const VoInputDevice&) = delete;
    virtual ~VoInputDevice() = default;

    void SetCooperativeLevel(bool aExclusive, bool aForeground);
    // Losing the foreground ends a foreground device's acquisition.
    void SetForeground(bool aForeground);
    VoInputResult Acquire();
    void Unacquire();
    bool IsAcquired() const { return fAcquired; }
    // False while a foreground device's window is in the background.
    bool CanAcquire() const { return fForeground || !fForegroundOnly; }

protected:
    // What a device drops when it loses its acquisition.
    virtual void OnUnacquired() {}

private:
    VoIWindowPort* fpWindow;  // not owned, or null
    bool fExclusive = false;
    bool fForegroundOnly = true;
    bool fForeground = true;
    bool fAcquired = false;
};
