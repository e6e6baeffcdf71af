// Feeds bytes as the system's processor description to the processor-clock
// parser: it must never read outside the bytes, whatever they hold (no line
// breaks, no colon, endless digits, a key at the very end).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/port/VoProcessorClock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* apData, size_t aSize) {
    // A copy of exactly the input's size, so a read past its end is caught.
    std::vector<char> text(apData, apData + aSize);
    const std::uint32_t mhz = VoProcessorClock::ParseMHz(text.data(), text.size());
    (void)mhz;
    return 0;
}
