#include "system/VoTimerWin.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "system/port/VoMonotonicClock.h"

VoTimerWin::VoTimerWin() : fpSource(&VoMonotonicClock::Get()) {}

VoTimerWin::VoTimerWin(VoITimeSource* apSource)
    : fpSource(apSource != nullptr ? apSource : &VoMonotonicClock::Get()) {}

VoTimerWin::~VoTimerWin() {
    if (fPeriodSet && !fpSource->EndPeriod()) {
        VO_ERROR(kEndPeriodFailure);
    }
}

VoString VoTimerWin::ToString() const {
    return VoDebugString("VoTimerWin", this);
}

bool VoTimerWin::Initialize(std::uintptr_t) {
    if (!fPeriodSet) {
        if (!fpSource->BeginPeriod()) {
            VO_ERROR(kInitFailure);
            return false;
        }
        fPeriodSet = true;
    }
    fStart = fpSource->GetMilliseconds();
    return true;
}

double VoTimerWin::GetTime() {
    const std::uint32_t elapsed = fpSource->GetMilliseconds() - fStart;
    return static_cast<double>(elapsed) / 1000.0;
}

bool VoTimerWin::Reset() {
    if (!fPeriodSet) {
        return false;
    }
    fStart = fpSource->GetMilliseconds();
    return true;
}
