#pragma once
// The engine mouse: the pointer position, the down state of buttons 1..3 and
// the last wheel delta, with mouse events delivered at once to mouse
// listeners in ascending order of the order each registered with (equal
// orders in registration order). The application feeds it from the mouse
// device through ButtonDown, ButtonUp, Move and Wheel.
//
// A listener stops delivery of the current event to the rest with
// ConsumeEvent; called between events, it swallows the next one. While any
// listener holds a lock only the lock holders are told, whatever the enabled
// and consumed flags say (a holder's own consume ends with its event);
// otherwise SetEnabled(false) silences every listener.
//
// With double clicks on, a press of a button less than the double-click time
// after that button's previous press, within the tolerance in both x and y,
// is told as a double click in place of a press.
#include "container/VoBase.h"
#include "container/VoVector.h"
#include "geometry/VoVector2.h"
#include "platform/VoIMouseListener.h"
#include "stdlib/VoOrderedListeners.h"

class VoITimer;

class VoMouse : public VoBase {
public:
    static constexpr const char* kCreationFailure = "VoMouse creation failure.";
    static constexpr const char* kAddNull = "Add member failure. apListener == NULL.";
    // The lists could not take the listener (memory).
    static constexpr const char* kAddFailure = "Add member failure.";
    static constexpr const char* kRemoveError = "RemoveListener error.";
    static constexpr const char* kAddLockNull = "AddLock failure. NULL arg.";
    static constexpr const char* kLockNull = "Lock failure. NULL arg.";
    // The lock list could not take the listener (memory).
    static constexpr const char* kLockFailure = "Lock failure.";
    static constexpr const char* kButtonOutOfRange = "aButton out of range: ";
    static constexpr const char* kMoveNull = "Move failure. NULL arg.";
    static constexpr const char* kFireFailure = "FireMouseEvent failure.";
    static constexpr const char* kInvalidEvent = "Invalid mouse event: ";

    static constexpr int kButtonCount = 3;
    // The codes of FireMouseEvent.
    static constexpr int kEventButtonDown = 1;
    static constexpr int kEventMove = 2;
    static constexpr int kEventButtonUp = 3;
    static constexpr int kEventDoubleClick = 4;
    static constexpr int kEventWheel = 5;

    static constexpr int kDefaultDoubleClickTolerance = 3;
    static constexpr float kDefaultDoubleClickTime = 0.25f;

    // Created on first use (with the engine timer) and owned by the engine
    // cleaner; null when it cannot be created, and null once the cleaner has
    // deleted it.
    static VoMouse* GetInstance();

    // Reads the engine timer (VoITimer::GetInstance).
    VoMouse();
    // Reads apTimer (not owned, outlives the mouse); null means no double clicks.
    explicit VoMouse(VoITimer* apTimer);
    VoMouse(const VoMouse&) = delete;
    VoMouse& operator=(const VoMouse&) = delete;
    ~VoMouse() override;

    // Not owned. Null is refused; a listener already added stays where it is (true).
    bool AddListener(VoIMouseListener* apListener, float aOrder);
    // A listener removed during an event is not called again for it. An
    // absent listener is no error. The locks are left alone.
    bool RemoveListener(VoIMouseListener* apListener);

    // Appends a lock holder (the same one may hold several).
    bool AddLock(VoIMouseListener* apListener);
    // apListener becomes the only lock holder.
    bool Lock(VoIMouseListener* apListener);
    // Ends every lock when apListener is null or the first holder; another
    // listener changes nothing (true). False when nothing is locked.
    bool Unlock(VoIMouseListener* apListener);
    bool IsLocked() const { return fLocks.GetCount() > 0; }

    // A button outside 1..3 is logged and refused; nothing changes.
    bool ButtonDown(int aButton);
    bool ButtonUp(int aButton);
    // The application keeps the position on the screen; null is refused.
    bool Move(const VoVector2* apPosition);
    bool Wheel(float aDelta);
    // Delivers event aCode for aButton without touching the mouse's state.
    // An unknown code calls nobody; false once an unlocked walk meets a listener.
    bool FireMouseEvent(int aCode, int aButton);
    // Always true.
    bool ConsumeEvent();

    // aPosition receives the last position given to Move.
    VoVector2& GetPosition(VoVector2& aPosition) const;
    // False for a button outside 1..3 (logged).
    bool IsButtonDown(int aButton) const;
    float GetWheel() const { return fWheel; }

    // Turning delivery back on sends a move at the current position, so that
    // hover states catch up.
    void SetEnabled(bool aEnabled);
    bool IsEnabled() const { return fEnabled; }
    void SetDoubleClickEnabled(bool aEnabled) { fDoubleClickEnabled = aEnabled; }
    void SetDoubleClickTolerance(int aPixels) { fDoubleClickTolerance = aPixels; }
    void SetDoubleClickTime(float aSeconds) { fDoubleClickTime = aSeconds; }

    int GetListenerCount() const { return fListeners.GetCount(); }
    VoString ToString() const override;

private:
    // Calls the listener's callback for aCode; false (nothing called) for an unknown code.
    bool Deliver(VoIMouseListener* apListener, int aCode, int aButton);
    // True when the press of aButton (1..3) at aNow completes a double click.
    bool IsDoubleClick(int aButton, double aNow) const;

    VoOrderedListeners fListeners;            // VoIMouseListener*, not owned
    unsigned char fButtonDown[kButtonCount];  // 1 while the button is down
    VoVector2 fPosition;
    float fWheel;
    bool fConsumed;
    bool fEnabled;
    // Seconds of the timer, kept whole: a float's step grows past a
    // millisecond after a few hours of play.
    double fLastPressTime[kButtonCount];
    bool fPressed[kButtonCount];  // a press of the button has been recorded
    VoVector2 fLastPressPosition[kButtonCount];
    bool fDoubleClickEnabled;
    int fDoubleClickTolerance;
    float fDoubleClickTime;
    VoITimer* fpTimer;  // not owned: the engine cleaner's, or the caller's
    VoVector fLocks;    // VoIMouseListener*, not owned, in the order taken
};
