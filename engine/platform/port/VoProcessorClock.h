#pragma once
// The processor's clock in MHz from the system's processor description
// (/proc/cpuinfo): the first "cpu MHz" line. The text is untrusted: it is
// read up to a bound and parsed without ever reading past its end.
#include <cstddef>
#include <cstdint>

class VoProcessorClock {
public:
    // How much of the description is read; the first processor's lines come first.
    static constexpr std::size_t kReadLimit = 64 * 1024;

    // The rounded value of the first line that begins with "cpu MHz" and has
    // a ":" followed by a number; 0 when there is none, or when that number
    // is not a positive number that fits 32 bits.
    static std::uint32_t ParseMHz(const char* apText, std::size_t aLength);
    // ParseMHz of the file's first kReadLimit bytes; 0 when it cannot be read.
    static std::uint32_t ReadMHz(const char* apPath = "/proc/cpuinfo");
};
