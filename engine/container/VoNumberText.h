#pragma once
#include <cstdint>

#include "container/VoString.h"

// Text-to-number rules shared by the boxed values. They never fail: text that
// is not a number gives 0 and trailing text is ignored.
namespace VoNumberText {

constexpr const char* kExponentNotSupported = "Exponential notation not supported!";

// A leading '-', then digits and points; an 'e' or 'E' ends the scan with
// one ASSERT FAILURE. Converted in the classic "C" locale, so 1.2.3 gives 1.2.
float ParseFloat(const VoString& aText);
// A leading '-', then digits, accumulated modulo 2^32 and negated in two's
// complement.
std::int32_t ParseInt(const VoString& aText);
// Digits from the first unit on, accumulated modulo 2^32; a sign gives 0.
std::uint32_t ParseUInt(const VoString& aText);

// Truncates toward zero into 64 bits and keeps the low 32 bits (3.0e9 gives
// 3000000000, -1.0 gives 0xFFFFFFFF). Values beyond the 64-bit range
// saturate there first; NaN gives 0.
std::uint32_t TruncateToLow32(double aValue);

// Rounds to the nearest float as the hardware does: a value that rounds past
// the largest float becomes infinity, one just above it becomes the largest
// float.
float RoundToFloat(double aValue);

}  // namespace VoNumberText
