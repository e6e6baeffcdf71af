#include "platform/VoMouse.h"

#include <cmath>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "stdlib/VoCleaner.h"
#include "system/VoITimer.h"

namespace {

VoCleanerSingleton<VoMouse> gInstance;

// Far below the timer's millisecond step: two readings exactly the
// double-click time apart must not pass for less through rounding.
constexpr double kTimeTolerance = 1e-6;

bool InRange(int aButton) {
    return aButton >= 1 && aButton <= VoMouse::kButtonCount;
}

}  // namespace

VoMouse* VoMouse::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoMouse(); }, kCreationFailure);
}

VoMouse::VoMouse() : VoMouse(VoITimer::GetInstance()) {}

VoMouse::VoMouse(VoITimer* apTimer)
    : fListeners(),
      fButtonDown{0, 0, 0},
      fPosition(0.0f, 0.0f),
      fWheel(0.0f),
      fConsumed(false),
      fEnabled(true),
      fLastPressTime{0.0, 0.0, 0.0},
      fPressed{false, false, false},
      fLastPressPosition{},
      fDoubleClickEnabled(false),
      fDoubleClickTolerance(kDefaultDoubleClickTolerance),
      fDoubleClickTime(kDefaultDoubleClickTime),
      fpTimer(apTimer),
      fLocks() {}

VoMouse::~VoMouse() {
    fpTimer = nullptr;
    fLocks.Clear();
}

bool VoMouse::AddListener(VoIMouseListener* apListener, float aOrder) {
    return fListeners.Add(apListener, aOrder, kAddNull, nullptr, kAddFailure);
}

bool VoMouse::RemoveListener(VoIMouseListener* apListener) {
    if (fListeners.Remove(apListener) == VoOrderedListeners::Removal::kFailed) {
        VO_ERROR(kRemoveError);
        return false;
    }
    return true;
}

bool VoMouse::AddLock(VoIMouseListener* apListener) {
    if (apListener == nullptr) {
        VO_ERROR(kAddLockNull);
        return false;
    }
    if (!fLocks.Add(apListener)) {
        VO_ERROR(kLockFailure);
        return false;
    }
    return true;
}

bool VoMouse::Lock(VoIMouseListener* apListener) {
    if (apListener == nullptr) {
        VO_ERROR(kLockNull);
        return false;
    }
    fLocks.SetCount(0);
    if (!fLocks.Add(apListener)) {
        VO_ERROR(kLockFailure);
        return false;
    }
    return true;
}

bool VoMouse::Unlock(VoIMouseListener* apListener) {
    if (fLocks.GetCount() == 0) {
        return false;
    }
    if (apListener == nullptr || apListener == fLocks.GetAt(0)) {
        fLocks.SetCount(0);
    }
    return true;
}

bool VoMouse::ButtonDown(int aButton) {
    if (!InRange(aButton)) {
        VO_ERROR(kButtonOutOfRange, aButton);
        return false;
    }
    const int slot = aButton - 1;
    fButtonDown[slot] = 1;
    if (!fDoubleClickEnabled || fpTimer == nullptr) {
        return FireMouseEvent(kEventButtonDown, aButton);
    }
    const double now = fpTimer->GetTime();
    const bool doubleClick = IsDoubleClick(aButton, now);
    const bool fired = FireMouseEvent(doubleClick ? kEventDoubleClick : kEventButtonDown, aButton);
    // Recorded once the press has been told, at the position the pointer has
    // then (a listener may have moved it), and also after a double click, so
    // a third quick press is another.
    fLastPressTime[slot] = now;
    fLastPressPosition[slot] = fPosition;
    fPressed[slot] = true;
    return fired;
}

bool VoMouse::IsDoubleClick(int aButton, double aNow) const {
    const int slot = aButton - 1;
    if (!fPressed[slot]) {
        return false;
    }
    // A timer reset since the last press leaves the interval unknown.
    const double elapsed = aNow - fLastPressTime[slot];
    if (elapsed < 0.0 || !(elapsed < static_cast<double>(fDoubleClickTime) - kTimeTolerance)) {
        return false;
    }
    const float tolerance = static_cast<float>(fDoubleClickTolerance);
    return std::fabs(fPosition.x - fLastPressPosition[slot].x) <= tolerance &&
           std::fabs(fPosition.y - fLastPressPosition[slot].y) <= tolerance;
}

bool VoMouse::ButtonUp(int aButton) {
    if (!InRange(aButton)) {
        VO_ERROR(kButtonOutOfRange, aButton);
        return false;
    }
    fButtonDown[aButton - 1] = 0;
    return FireMouseEvent(kEventButtonUp, aButton);
}

bool VoMouse::Move(const VoVector2* apPosition) {
    if (apPosition == nullptr) {
        VO_ERROR(kMoveNull);
        return false;
    }
    fPosition = *apPosition;
    return FireMouseEvent(kEventMove, 0);
}

bool VoMouse::Wheel(float aDelta) {
    fWheel = aDelta;
    return FireMouseEvent(kEventWheel, 0);
}

bool VoMouse::Deliver(VoIMouseListener* apListener, int aCode, int aButton) {
    switch (aCode) {
        case kEventButtonDown:
            apListener->OnButtonDown(aButton);
            return true;
        case kEventMove:
            apListener->OnMouseMove(&fPosition);
            return true;
        case kEventButtonUp:
            apListener->OnButtonUp(aButton);
            return true;
        case kEventDoubleClick:
            apListener->OnDoubleClick(aButton);
            return true;
        case kEventWheel:
            apListener->OnWheel(fWheel);
            return true;
        default:
            return false;
    }
}

bool VoMouse::FireMouseEvent(int aCode, int aButton) {
    if (fLocks.GetCount() > 0) {
        // A holder's consume belongs to this event and ends with it; one
        // pending from between events still waits for the next unlocked one.
        const bool pending = fConsumed;
        // The live list: a holder that unlocks ends the walk at once.
        for (int i = 0; i < fLocks.GetCount(); ++i) {
            Deliver(static_cast<VoIMouseListener*>(fLocks.GetAt(i)), aCode, aButton);
        }
        fConsumed = pending;
        return true;
    }
    if (fConsumed) {
        fConsumed = false;
        return true;
    }
    if (!fEnabled || fListeners.GetCount() == 0) {
        return true;
    }
    VoOrderedListeners::Snapshot walk(fListeners);
    if (!walk.IsValid()) {
        VO_ERROR(kFireFailure);
        return false;
    }
    for (int i = 0; i < walk.GetCount(); ++i) {
        VoIMouseListener* listener = static_cast<VoIMouseListener*>(walk.GetAt(i));
        if (listener != nullptr && !Deliver(listener, aCode, aButton)) {
            VO_ERROR(kInvalidEvent, aCode);
            return false;
        }
        if (fConsumed || !fEnabled) {
            break;
        }
    }
    fConsumed = false;
    return true;
}

bool VoMouse::ConsumeEvent() {
    fConsumed = true;
    return true;
}

VoVector2& VoMouse::GetPosition(VoVector2& aPosition) const {
    aPosition = fPosition;
    return aPosition;
}

bool VoMouse::IsButtonDown(int aButton) const {
    if (!InRange(aButton)) {
        VO_ERROR(kButtonOutOfRange, aButton);
        return false;
    }
    return fButtonDown[aButton - 1] != 0;
}

void VoMouse::SetEnabled(bool aEnabled) {
    if (aEnabled == fEnabled) {
        return;
    }
    fEnabled = aEnabled;
    if (aEnabled) {
        FireMouseEvent(kEventMove, 0);
    }
}

VoString VoMouse::ToString() const {
    return VoDebugString("VoMouse", this);
}
