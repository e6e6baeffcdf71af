#pragma once
// The system's monotonic clock as the engine timer's time source: it never
// jumps with the wall clock, so timed behaviour survives clock changes.
#include "system/VoITimeSource.h"

class VoMonotonicClock : public VoITimeSource {
public:
    // The one process-wide clock; it has no state, so sharing it is safe.
    static VoMonotonicClock& Get();

    // True when the monotonic clock exists and ticks at least every millisecond.
    bool BeginPeriod() override;
    std::uint32_t GetMilliseconds() override;
    // Nothing was reserved, so there is nothing to give back.
    bool EndPeriod() override;
};
