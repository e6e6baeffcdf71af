#pragma once
// What the geometry tests share: log matchers, string conversion, the
// common angle and the random source for comparisons against reference formulas.
#include <gmock/gmock.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "container/VoString.h"
#include "support/LogCapture.h"

constexpr float kPi = 3.14159265358979f;

// The address as the engine prints pointers: lower-case hex, no prefix.
inline std::string HexAddress(const void* apAddress) {
    char text[32];
    std::snprintf(text, sizeof text, "%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(apAddress)));
    return text;
}

// A log line of the given level ending in aText.
MATCHER_P2(IsLine, aLevel, aText, "") {
    return arg.rfind(aLevel, 0) == 0 && arg.size() >= std::string(aText).size() &&
           arg.compare(arg.size() - std::string(aText).size(), std::string::npos, aText) == 0;
}
inline auto IsError(const char* apText) {
    return IsLine("ERROR: ", apText);
}
inline auto IsAssertFailure(const char* apText) {
    return IsLine("ASSERT FAILURE: ", apText);
}
