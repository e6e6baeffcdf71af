#pragma once
// SDL's event queue as the platform's message queue. Keys arrive as keyboard
// scan codes (set 1, as the keyboard device reads them; the extended keys
// +0x80: right Ctrl 157, right Alt 184, the arrows 200, 203, 205, 208, ...),
// mouse motion as the pointer's position in its window (as deltas only where
// SDL gives no window: in its relative mode, or for a window it does not
// know), each wheel notch as one step and the buttons as device buttons
// 0 (left), 1 (right), 2 (middle), 3 and 4 (the side buttons).
// Closing the window and SDL's quit are the quit message. Events of no
// interest are skipped.
//
// The Push functions put events at the end of SDL's queue as SDL would
// deliver them, for tests and tools that drive the message pump.
#include "platform/VoIEventSource.h"

class VoSdlEventSource : public VoIEventSource {
public:
    bool Poll(VoPortEvent* apEvent) override;

    // The set-1 scan code of an SDL scancode; 0 for a key without one.
    static int ToScanCode(int aSdlScancode);
    // The SDL scancode of a key named as SDL names keys ("A", "Left Shift",
    // "Right Alt", "Up"); 0 for a name SDL does not know.
    static int ScancodeFromName(const char* apName);

    // Each false when SDL's queue refused the event.
    static bool PushKey(int aSdlScancode, bool aDown);
    // Motion by deltas alone, in no window, as SDL's relative mode gives it.
    static bool PushMotion(int aX, int aY);
    // The pointer at (aX, aY) in the current window, as SDL gives motion
    // outside relative mode.
    static bool PushPointer(int aX, int aY);
    static bool PushWheel(int aNotches);
    // aSdlButton: 1 left, 2 middle, 3 right, 4 and 5 the side buttons.
    static bool PushButton(int aSdlButton, bool aDown);
    static bool PushFocus(bool aGained);
    static bool PushWindowClose();
    static bool PushQuit();
};
