#pragma once
// The engine timer on a millisecond clock: the monotonic clock of the port
// layer, or any VoITimeSource given to the constructor (tests script one).
#include <cstdint>

#include "system/VoITimer.h"

class VoITimeSource;

class VoTimerWin : public VoITimer {
public:
    static constexpr char kInitFailure[] = "VoTimerWin init failure.";
    static constexpr char kEndPeriodFailure[] = "VoTimerWin timeEndPeriod failure.";

    VoTimerWin();
    explicit VoTimerWin(VoITimeSource* apSource);  // not owned, outlives the timer
    ~VoTimerWin() override;

    VoString ToString() const override;

    // Obtains the millisecond period and takes the start time. A second call
    // keeps the period it already holds and only restarts the count.
    bool Initialize(std::uintptr_t aArgument) override;
    // (now - start) in unsigned 32-bit arithmetic, so one wrap of the clock
    // between the two readings still gives the right difference.
    double GetTime() override;
    // False, start unchanged, while no period was obtained.
    bool Reset() override;

private:
    VoITimeSource* fpSource;  // not owned
    std::uint32_t fStart = 0xFFFFFFFFu;
    bool fPeriodSet = false;
};
