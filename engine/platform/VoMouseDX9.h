#pragma once
// The mouse device as the main loop reads it: once per pass it reads the
// buffered records and reports to the application. Motion is summed into one
// "mouse" report of the accumulated position; the wheel into a "wheel" report
// whose y is the accumulated wheel position (never the step); a button change
// first sends the motion pending before it, then OnMouseDown or OnMouseUp with
// the button numbered 1..3. A wheel step while motion is pending is reported
// at once, before that motion.
//
// While the window is in the background nothing is read and nothing is said.
#include "container/VoString.h"
#include "geometry/VoVector2.h"
#include "platform/VoMouseDevice.h"

class VoApp;
class VoInputDX9;
class VoIWindowPort;

class VoMouseDX9 {
public:
    static constexpr char16_t kMouseDevice[] = u"mouse";
    static constexpr char16_t kWheelDevice[] = u"wheel";
    // Device buttons 0..2 are reported; any other is ignored.
    static constexpr int kButtonCount = 3;

    static constexpr char kConstructorFailure[] = "VoMouseDX9 constructor failure.";
    static constexpr char kCreateDeviceFailure[] = "CreateDevice failure: ";
    static constexpr char kAcquireFailed[] = "Acquire failed: ";
    static constexpr char kStateFailure[] = "GetDeviceState failure: ";
    static constexpr char kNoApp[] = "Mouse output error. Could not get VoApp.";

    // apOwner: not owned, owns the mouse. An exclusive mouse holds the
    // system pointer while acquired; a foreground one is read only while
    // the window has the focus. aSwapped: the system exchanged the
    // primary and secondary buttons, so 1 and 2 are exchanged back. The
    // device is always buffered: an unbuffered mouse is an assertion failure
    // and reads the buffer all the same.
    VoMouseDX9(VoInputDX9* apOwner, VoIWindowPort* apWindow, bool aExclusive, bool aForeground,
               bool aBuffered, bool aSwapped);
    VoMouseDX9(const VoMouseDX9&) = delete;
    VoMouseDX9& operator=(const VoMouseDX9&) = delete;
    ~VoMouseDX9();

    bool Init(VoIWindowPort* apWindow);
    bool Acquire();
    void Unacquire();
    // False when nothing could be read (also, silently, in the background).
    bool Update();

    // Null when Init failed.
    VoMouseDevice* GetDevice() const { return fpDevice; }
    const VoVector2& GetPosition() const { return fPosition; }
    float GetWheel() const { return fWheel; }

private:
    void SendMove(VoApp* apApp);
    void SendWheel(VoApp* apApp);

    VoVector2 fPosition;
    float fWheel;
    VoInputDX9* fpOwner;  // not owned
    unsigned char fButtonDown[kButtonCount];
    bool fSwapped;
    bool fExclusive;
    bool fForeground;
    bool fBuffered;
    VoMouseDevice* fpDevice;  // owned, or null
    // Kept from update to update; started from the position and wheel on the first.
    VoVector2 fAccumulated;
    float fAccumulatedWheel;
    bool fAccumulatorsStarted;
    VoString fMouseName;
    VoString fWheelName;
};
