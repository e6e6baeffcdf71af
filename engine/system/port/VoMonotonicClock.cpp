#include "system/port/VoMonotonicClock.h"

#include <time.h>

VoMonotonicClock& VoMonotonicClock::Get() {
    static VoMonotonicClock sClock;
    return sClock;
}

bool VoMonotonicClock::BeginPeriod() {
    timespec resolution{};
    if (clock_getres(CLOCK_MONOTONIC, &resolution) != 0) {
        return false;
    }
    return resolution.tv_sec == 0 && resolution.tv_nsec <= 1000000;
}

std::uint32_t VoMonotonicClock::GetMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Keeping only the low 32 bits is deliberate: the timer subtracts in
    // unsigned 32-bit arithmetic, which stays right across one wrap.
    const std::uint64_t milliseconds =
        static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(milliseconds);
}

bool VoMonotonicClock::EndPeriod() {
    return true;
}
