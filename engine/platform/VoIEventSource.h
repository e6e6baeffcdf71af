#pragma once
// The window's message queue as the port layer gives it: quit, focus, keys in
// keyboard scan codes, and the mouse as motion (relative, or the pointer's
// position in the window, whichever the system gives), wheel notches and
// device buttons. The port layer's is SDL's event queue; tests script one.
struct VoPortEvent {
    enum Kind : int {
        kQuit = 0,  // the window was closed or the program asked to end
        kFocusGained,
        kFocusLost,
        kKeyDown,  // fCode: scan code 1..255
        kKeyUp,
        kMouseMotion,      // fX, fY: relative motion in pixels
        kMouseWheel,       // fY: notches, away from the user positive
        kMouseButtonDown,  // fCode: device button, 0 primary, 1 secondary, 2 middle, 3.. others
        kMouseButtonUp,
        // fX, fY: where the pointer is, in pixels of the window's surface of
        // fWidth x fHeight (outside it while a button holds the pointer)
        kMousePosition,
    };

    Kind fKind = kQuit;
    int fCode = 0;
    int fX = 0;
    int fY = 0;
    int fWidth = 0;
    int fHeight = 0;
};

class VoIEventSource {
public:
    virtual ~VoIEventSource() = default;

    // Takes the next event off the queue into *apEvent; false when the queue
    // is empty. Never waits.
    virtual bool Poll(VoPortEvent* apEvent) = 0;
};
