#pragma once
// The millisecond clock behind the engine timer. The platform's own clock is
// the port layer's; tests stand a scripted one in its place.
#include <cstdint>

class VoITimeSource {
public:
    virtual ~VoITimeSource() = default;

    // Asks for millisecond resolution; false when the clock cannot give it.
    virtual bool BeginPeriod() = 0;
    // Milliseconds since some fixed point, wrapping at 2 to the 32nd.
    virtual std::uint32_t GetMilliseconds() = 0;
    // Gives back what BeginPeriod obtained; false when that fails.
    virtual bool EndPeriod() = 0;
};
