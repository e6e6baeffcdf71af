#pragma once
// Engine strings and addresses as text a test can compare and print.
#include <cstdint>
#include <cstdio>
#include <string>

#include "container/VoString.h"

// The units of a string as a std::u16string, for comparisons that print well.
inline std::u16string TextOf(const VoString& aString) {
    return std::u16string(aString.GetChars(), static_cast<std::size_t>(aString.GetLength()));
}

// The low byte of each unit, for comparisons with narrow literals.
inline std::string Narrow(const VoString& aText) {
    std::string narrow;
    for (char16_t unit : TextOf(aText)) {
        narrow.push_back(static_cast<char>(unit & 0xFF));
    }
    return narrow;
}

// The address as the engine prints pointers: lower-case hex, no prefix.
inline std::string HexAddress(const void* apAddress) {
    char text[32];
    std::snprintf(text, sizeof text, "%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(apAddress)));
    return text;
}
