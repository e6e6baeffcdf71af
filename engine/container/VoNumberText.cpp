#include "container/VoNumberText.h"

#include <locale.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "container/VoLog.h"
#include "memory/VoNew.h"

namespace VoNumberText {

namespace {

bool IsDigit(char16_t aUnit) { return aUnit >= u'0' && aUnit <= u'9'; }

// Counts the digits from aStart on.
int CountDigits(const char16_t* apUnits, int aLength, int aStart) {
    int count = 0;
    while (aStart + count < aLength && IsDigit(apUnits[aStart + count])) {
        ++count;
    }
    return count;
}

std::uint32_t Accumulate(const char16_t* apUnits, int aStart, int aCount) {
    std::uint32_t value = 0;
    for (int i = aStart; i < aStart + aCount; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(apUnits[i] - u'0');
    }
    return value;
}

// The "C" locale, made once: the numbers of data files never follow the
// process locale (a decimal comma there must not change data).
locale_t ClassicLocale() {
    static const locale_t sClassic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return sClassic;
}

// The value of the narrow text of digits and points as the C++ stream
// extraction of a double in the classic locale gives it: the longest
// number at its start (digits, at most one point) converted by strtod; no
// digit before a second point fails (0), and a value too large for a double
// is the largest double.
double ConvertDigits(const char* apText, bool* apFailed) {
    char* end = nullptr;
    const double value = strtod_l(apText, &end, ClassicLocale());
    *apFailed = end == apText;
    if (*apFailed) {
        return 0.0;
    }
    return value == HUGE_VAL ? DBL_MAX : value;
}

// Numbers of data files are short; longer texts take a buffer of their own.
constexpr int kStackDigits = 64;

}  // namespace

float ParseFloat(const VoString& aText) {
    const char16_t* units = aText.GetChars();
    const int length = aText.GetLength();
    bool negative = false;
    int count = 0;
    for (int i = 0; i < length; ++i) {
        const char16_t unit = units[i];
        if (unit == u'e' || unit == u'E') {
            VO_ASSERT_FAILURE(kExponentNotSupported);
            break;
        }
        if (unit == u'-' && i == 0) {
            negative = true;
        } else if (IsDigit(unit) || unit == u'.') {
            ++count;
        } else {
            break;
        }
    }
    if (count == 0) {
        return 0.0f;
    }
    // Parsed on every float lookup of a data file: the digits are copied to
    // the stack, not into a new string.
    char stackDigits[kStackDigits];
    char* digits = count < kStackDigits ? stackDigits : VO_NEW char[static_cast<std::size_t>(count) + 1];
    if (digits == nullptr) {
        return 0.0f;
    }
    const char16_t* first = units + (negative ? 1 : 0);
    for (int i = 0; i < count; ++i) {
        digits[i] = static_cast<char>(first[i]);
    }
    digits[count] = '\0';
    bool failed = false;
    const double value = ConvertDigits(digits, &failed);
    if (digits != stackDigits) {
        delete[] digits;
    }
    // Too many digits give the largest double, which rounds to infinity as
    // the C conversion gives; any other failure (a lone point) is 0.
    const float result = failed ? 0.0f : RoundToFloat(value);
    return negative ? -result : result;
}

std::int32_t ParseInt(const VoString& aText) {
    const char16_t* units = aText.GetChars();
    const int length = aText.GetLength();
    const bool negative = length > 0 && units[0] == u'-';
    const int start = negative ? 1 : 0;
    const std::uint32_t magnitude = Accumulate(units, start, CountDigits(units, length, start));
    return static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
}

std::uint32_t ParseUInt(const VoString& aText) {
    const char16_t* units = aText.GetChars();
    return Accumulate(units, 0, CountDigits(units, aText.GetLength(), 0));
}

std::uint32_t TruncateToLow32(double aValue) {
    // 2^63: the first value that no longer fits a signed 64-bit integer.
    constexpr double kLimit = 9223372036854775808.0;
    std::int64_t wide = 0;
    if (aValue >= kLimit) {
        wide = INT64_MAX;
    } else if (aValue < -kLimit) {
        wide = INT64_MIN;
    } else if (aValue == aValue) {
        wide = static_cast<std::int64_t>(aValue);
    }
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide));
}

float RoundToFloat(double aValue) {
    // 2^128 - 2^103: the largest float plus half a unit in its last place,
    // from which on round-to-nearest gives infinity.
    constexpr double kOverflow = 340282356779733661637539395458142568448.0;
    if (aValue >= kOverflow) {
        return HUGE_VALF;
    }
    if (aValue <= -kOverflow) {
        return -HUGE_VALF;
    }
    return static_cast<float>(aValue);
}

}  // namespace VoNumberText
