#pragma once
// What the geometry tests share: log matchers, string conversion and the common angle.
#include <gmock/gmock.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "container/VoString.h"
#include "geometry/VoVector2.h"
#include "geometry/VoVector3.h"
#include "support/LogCapture.h"

constexpr float kPi = 3.14159265358979f;

// The address as the engine prints pointers: lower-case hex, no prefix.
inline std::string HexAddress(const void* apAddress) {
    char text[32];
    std::snprintf(text, sizeof text, "%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(apAddress)));
    return text;
}

// The text of an ASCII string, for comparisons with narrow literals.
inline std::string Narrow(const VoString& aText) {
    std::string narrow;
    for (char16_t unit : TextOf(aText)) {
        narrow.push_back(static_cast<char>(unit));
    }
    return narrow;
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

// Readable vectors in failure messages.
inline void PrintTo(const VoVector2& aValue, std::ostream* apStream) {
    *apStream << "(" << aValue.x << ", " << aValue.y << ")";
}
inline void PrintTo(const VoVector3& aValue, std::ostream* apStream) {
    *apStream << "(" << aValue.x << ", " << aValue.y << ", " << aValue.z << ")";
}
