#pragma once
// The platform's top-level window and its message pump. ProcessMessages drains
// the window's queue once per pass of the main loop: the quit message ends it;
// gaining and losing the focus tell the platform (ShowCursor, HideCursor) and
// set the activity-change flag, on which the loop releases the mouse device;
// keys and mouse go to the input devices. It owns the window port and the
// queue that the platform's port made for it.
#include <cstdint>

#include "container/VoString.h"

class VoIEventSource;
class VoInputDX9;
class VoIPlatform;
class VoIPlatformPort;
class VoIWindowPort;

class VoWindowWin {
public:
    static constexpr char16_t kCreateFailed[] = u"CreateWindow failed: ";
    static constexpr char16_t kDisplayFailed[] = u"The display could not be opened: ";

    // The window is made full screen unless aWindowed. apPort makes the
    // window port and the queue; apPlatform (not owned, owns the window) is
    // told of the focus.
    VoWindowWin(void* apInstance, const VoString& aTitle, std::uint32_t aWidth, std::uint32_t aHeight,
                bool aWindowed, VoIPlatformPort* apPort, VoIPlatform* apPlatform);
    VoWindowWin(const VoWindowWin&) = delete;
    VoWindowWin& operator=(const VoWindowWin&) = delete;
    // The window port goes with it, and with that the window it made.
    ~VoWindowWin();

    // Brings up the windowing system. A failure writes the plain line
    // kDisplayFailed with the port's reason, in the log and on standard
    // error: the program cannot go on without a display.
    bool RegisterWindowClass(void* apInstance);
    // Makes the window at the top-left corner. A failure writes the plain
    // line "CreateWindow failed: " with the port's reason, in the log and on
    // standard error.
    bool Create(void* apInstance, int aShowCommand);
    // Adopts a window made elsewhere.
    void SetHandle(void* apHandle);
    void* GetHandle() const;
    void* GetInstanceHandle() const { return fpInstance; }
    void Show(int aShowCommand);

    // Handles every queued message; false at once on the quit message (the
    // messages behind it stay queued), true when the queue is empty. Never waits.
    bool ProcessMessages();
    // The activity-change flag, cleared as it is read.
    static bool ConsumeActivityChange();

    // Where key and mouse messages go; null drops them.
    void SetInput(VoInputDX9* apInput) { fpInput = apInput; }
    VoIWindowPort* GetPort() const { return fpPort; }

private:
    std::uint32_t fWidth;
    std::uint32_t fHeight;
    bool fWindowed;
    void* fpInstance;  // not owned
    VoString fTitle;
    VoIWindowPort* fpPort;     // owned, or null when the port could not make one
    VoIEventSource* fpEvents;  // owned, or null
    VoIPlatform* fpPlatform;   // not owned, owns us
    VoInputDX9* fpInput;       // not owned, the platform's
};
