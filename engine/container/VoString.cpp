#include "container/VoString.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <system_error>

#include "container/VoLog.h"
#include "memory/VoNew.h"

namespace {

// Longest text a string holds: its length and the terminator must fit the
// signed 32-bit length.
constexpr std::int64_t kMaxLength = std::numeric_limits<std::int32_t>::max() - 1;

const char16_t kEmptyText[1] = {0};

// A run of units to copy into a new buffer, given either as wide units or as
// narrow bytes that are widened with sign extension on the way.
struct Piece {
    const char16_t* wide = nullptr;
    const char* narrow = nullptr;
    std::int64_t length = 0;
};

std::int64_t CountUnits(const char16_t* apChars) {
    std::int64_t count = 0;
    while (apChars[count] != 0) {
        ++count;
    }
    return count;
}

std::int64_t CountBytes(const char* apChars) {
    std::int64_t count = 0;
    while (apChars[count] != '\0') {
        ++count;
    }
    return count;
}

Piece Wide(const char16_t* apChars, std::int64_t aLength) {
    Piece piece;
    piece.wide = apChars;
    piece.length = aLength;
    return piece;
}

Piece Wide(const char16_t* apChars) {
    return Wide(apChars, CountUnits(apChars));
}

Piece Narrow(const char* apChars) {
    Piece piece;
    piece.narrow = apChars;
    piece.length = CountBytes(apChars);
    return piece;
}

char16_t* CopyPiece(char16_t* apOut, const Piece& aPiece) {
    if (aPiece.wide != nullptr) {
        if (aPiece.length > 0) {
            std::memcpy(apOut, aPiece.wide, static_cast<std::size_t>(aPiece.length) * sizeof(char16_t));
        }
    } else {
        for (std::int64_t i = 0; i < aPiece.length; ++i) {
            // Sign extension is the contract: 0xE9 becomes 0xFFE9.
            apOut[i] =
                static_cast<char16_t>(static_cast<std::int16_t>(static_cast<signed char>(aPiece.narrow[i])));
        }
    }
    return apOut + aPiece.length;
}

// Gives the string a new exact-size buffer holding aFirst then aSecond. The
// pieces may point into the string's own buffer: they are copied before it is
// released. On failure the string is unchanged.
bool SetText(VoString& aString, const Piece& aFirst, const Piece& aSecond = Piece()) {
    const std::int64_t total = aFirst.length + aSecond.length;
    if (total > kMaxLength) {
        VO_ERROR(VoString::kTooLong);
        return false;
    }
    char16_t* buffer = VO_NEW char16_t[total + 1];
    if (buffer == nullptr) {
        return false;
    }
    char16_t* end = CopyPiece(CopyPiece(buffer, aFirst), aSecond);
    *end = 0;
    delete[] aString.chars;
    aString.chars = buffer;
    aString.length = static_cast<std::int32_t>(total);
    return true;
}

bool IsWhite(char16_t aUnit) {
    return aUnit == 32 || aUnit == 9 || aUnit == 13 || aUnit == 10;
}

char16_t FoldToLower(char16_t aUnit) {
    return (aUnit >= u'A' && aUnit <= u'Z') ? static_cast<char16_t>(aUnit - u'A' + u'a') : aUnit;
}

char16_t FoldToUpper(char16_t aUnit) {
    return (aUnit >= u'a' && aUnit <= u'z') ? static_cast<char16_t>(aUnit - u'a' + u'A') : aUnit;
}

bool MatchesAt(const char16_t* apText, const char16_t* apSub, std::int64_t aSubLength) {
    for (std::int64_t i = 0; i < aSubLength; ++i) {
        if (apText[i] != apSub[i]) {
            return false;
        }
    }
    return true;
}

// A number's text, made by std::to_chars on the stack: the same digits as
// the C formats that the Append table names ("%d", "%u", "%f", "%x"), with
// no temporary buffer from the heap. "%f" of the largest double is a little
// over 300 characters.
class NumberText {
public:
    template <typename... Format>
    explicit NumberText(Format... aFormat) {
        const std::to_chars_result result = std::to_chars(fDigits, fDigits + sizeof(fDigits), aFormat...);
        fLength = result.ec == std::errc() ? result.ptr - fDigits : 0;
    }
    Piece AsPiece() const {
        Piece piece;
        piece.narrow = fDigits;
        piece.length = fLength;
        return piece;
    }

private:
    char fDigits[400];
    std::int64_t fLength;
};

}  // namespace

VoString::VoString() = default;

VoString::VoString(const char16_t* apChars) {
    Assign(apChars);
}

VoString::VoString(const char* apChars) {
    if (apChars == nullptr) {
        VO_ERROR(kNullNarrowText);
        return;
    }
    SetText(*this, Narrow(apChars));
}

VoString::VoString(const char16_t* apChars, std::int32_t aLength) {
    if (apChars == nullptr || aLength < 0) {
        VO_ERROR(kNullText);
        return;
    }
    SetText(*this, Wide(apChars, aLength));
}

VoString::VoString(const VoString& aOther) : VoBase(aOther) {
    SetText(*this, Wide(aOther.GetChars(), aOther.length));
}

VoString::~VoString() {
    delete[] chars;
}

void VoString::LogInvalidArgument() {
    VO_ERROR(kInvalidArgument);
}

VoString& VoString::Assign(const char16_t* apChars) {
    if (apChars == nullptr) {
        VO_ERROR(kNullText);
        return *this;
    }
    if (apChars != chars) {
        SetText(*this, Wide(apChars));
    }
    return *this;
}

VoString& VoString::AssignNarrow(const char* apChars, std::int32_t aLength) {
    if (apChars == nullptr || aLength < 0) {
        VO_ERROR(kNullNarrowText);
        return *this;
    }
    Piece piece;
    piece.narrow = apChars;
    piece.length = aLength;
    SetText(*this, piece);
    return *this;
}

VoString& VoString::AssignLittleEndian(const unsigned char* apBytes, std::int32_t aCount) {
    if (apBytes == nullptr || aCount < 0) {
        VO_ERROR(kNullText);
        return *this;
    }
    auto unitAt = [apBytes](std::int32_t aIndex) {
        return static_cast<char16_t>(apBytes[2 * static_cast<std::size_t>(aIndex)] |
                                     apBytes[2 * static_cast<std::size_t>(aIndex) + 1] << 8);
    };
    std::int32_t count = 0;
    while (count < aCount && unitAt(count) != 0) {
        ++count;
    }
    char16_t* buffer = VO_NEW char16_t[static_cast<std::size_t>(count) + 1];
    if (buffer == nullptr) {
        return *this;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        buffer[i] = unitAt(i);
    }
    buffer[count] = 0;
    delete[] chars;
    chars = buffer;
    length = count;
    return *this;
}

VoString& VoString::Assign(const VoString& aOther) {
    if (aOther.GetChars() != chars) {
        SetText(*this, Wide(aOther.GetChars(), aOther.length));
    }
    return *this;
}

VoString& VoString::operator=(const VoString& aOther) {
    return Assign(aOther);
}

VoString& VoString::Join(const VoString& aBase, const char16_t* apChars) {
    if (apChars == nullptr) {
        VO_ERROR(kNullText);
        return &aBase == this ? *this : Assign(aBase);
    }
    SetText(*this, Wide(aBase.GetChars(), aBase.length), Wide(apChars));
    return *this;
}

VoString& VoString::Join(const VoString& aBase, const char* apChars) {
    if (apChars == nullptr) {
        VO_ERROR(kNullNarrowText);
        return &aBase == this ? *this : Assign(aBase);
    }
    SetText(*this, Wide(aBase.GetChars(), aBase.length), Narrow(apChars));
    return *this;
}

VoString& VoString::Join(const VoString& aBase, const VoString& aOther) {
    SetText(*this, Wide(aBase.GetChars(), aBase.length), Wide(aOther.GetChars(), aOther.length));
    return *this;
}

VoString& VoString::Join(const VoString& aBase, std::int32_t aValue) {
    SetText(*this, Wide(aBase.GetChars(), aBase.length), NumberText(aValue).AsPiece());
    return *this;
}

VoString& VoString::Join(const VoString& aBase, std::int16_t aValue) {
    return Join(aBase, static_cast<std::int32_t>(aValue));
}

VoString& VoString::Join(const VoString& aBase, std::uint32_t aValue) {
    // The signed conversion is the contract: 4294967295 appends "-1".
    return Join(aBase, static_cast<std::int32_t>(aValue));
}

VoString& VoString::Join(const VoString& aBase, std::uint8_t aValue) {
    SetText(*this, Wide(aBase.GetChars(), aBase.length), NumberText(static_cast<unsigned>(aValue)).AsPiece());
    return *this;
}

VoString& VoString::Join(const VoString& aBase, float aValue) {
    return Join(aBase, static_cast<double>(aValue));
}

VoString& VoString::Join(const VoString& aBase, double aValue) {
    // Fixed notation with six decimals, as "%f".
    SetText(*this, Wide(aBase.GetChars(), aBase.length),
            NumberText(aValue, std::chars_format::fixed, 6).AsPiece());
    return *this;
}

VoString& VoString::Join(const VoString& aBase, long aValue) {
    return Join(aBase, static_cast<long long>(aValue));
}

VoString& VoString::Join(const VoString& aBase, unsigned long aValue) {
    return Join(aBase, static_cast<unsigned long long>(aValue));
}

VoString& VoString::Join(const VoString& aBase, long long aValue) {
    SetText(*this, Wide(aBase.GetChars(), aBase.length), NumberText(aValue).AsPiece());
    return *this;
}

VoString& VoString::Join(const VoString& aBase, unsigned long long aValue) {
    SetText(*this, Wide(aBase.GetChars(), aBase.length), NumberText(aValue).AsPiece());
    return *this;
}

VoString& VoString::Join(const VoString& aBase, bool aValue) {
    return Join(aBase, aValue ? "true" : "false");
}

VoString& VoString::Join(const VoString& aBase, const void* apPointer) {
    // Lower-case hexadecimal without prefix, as "%x".
    SetText(*this, Wide(aBase.GetChars(), aBase.length),
            NumberText(reinterpret_cast<std::uintptr_t>(apPointer), 16).AsPiece());
    return *this;
}

VoString& VoString::Join(const VoString& aBase, const VoBase& aObject) {
    return Join(aBase, aObject.ToString());
}

VoString& VoString::Append(const char16_t* apChars) {
    return Join(*this, apChars);
}

VoString& VoString::Append(const char* apChars) {
    return Join(*this, apChars);
}

VoString& VoString::Append(const VoString& aOther) {
    return Join(*this, aOther);
}

VoString& VoString::Append(std::int32_t aValue) {
    return Join(*this, aValue);
}

VoString& VoString::Append(std::int16_t aValue) {
    return Join(*this, aValue);
}

VoString& VoString::Append(std::uint32_t aValue) {
    return Join(*this, aValue);
}

VoString& VoString::Append(std::uint8_t aValue) {
    return Join(*this, aValue);
}

VoString& VoString::Append(float aValue) {
    return Join(*this, aValue);
}

VoString& VoString::Append(double aValue) {
    return Join(*this, aValue);
}

VoString& VoString::Append(long aValue) {
    return Join(*this, aValue);
}

VoString& VoString::Append(unsigned long aValue) {
    return Join(*this, aValue);
}

VoString& VoString::Append(long long aValue) {
    return Join(*this, aValue);
}

VoString& VoString::Append(unsigned long long aValue) {
    return Join(*this, aValue);
}

VoString& VoString::Append(bool aValue) {
    return Join(*this, aValue);
}

VoString& VoString::Append(const void* apPointer) {
    return Join(*this, apPointer);
}

VoString& VoString::Append(const VoBase& aObject) {
    return Join(*this, aObject);
}

VoString& VoString::Prepend(const char16_t* apChars) {
    if (apChars == nullptr) {
        VO_ERROR(kNullText);
        return *this;
    }
    SetText(*this, Wide(apChars), Wide(GetChars(), length));
    return *this;
}

VoString& VoString::Prepend(const char* apChars) {
    if (apChars == nullptr) {
        VO_ERROR(kNullText);
        return *this;
    }
    SetText(*this, Narrow(apChars), Wide(GetChars(), length));
    return *this;
}

VoString& VoString::Prepend(const VoString& aOther) {
    SetText(*this, Wide(aOther.GetChars(), aOther.length), Wide(GetChars(), length));
    return *this;
}

VoString& VoString::operator+=(const char16_t* apChars) {
    return apChars == nullptr ? *this : Append(apChars);
}

VoString& VoString::operator+=(const char* apChars) {
    return apChars == nullptr ? *this : Append(apChars);
}

VoString& VoString::operator+=(const VoString& aOther) {
    return Append(aOther);
}

VoString& VoString::operator+=(const VoBase& aObject) {
    return Append(aObject);
}

void VoString::Swap(VoString& arOther) {
    char16_t* const otherChars = arOther.chars;
    const std::int32_t otherLength = arOther.length;
    arOther.chars = chars;
    arOther.length = length;
    chars = otherChars;
    length = otherLength;
}

void VoString::Clear() {
    if (chars == nullptr) {
        return;
    }
    if (!SetText(*this, Piece())) {
        // Out of memory: empty the old buffer in place rather than keep the text.
        chars[0] = 0;
        length = 0;
    }
}

const char16_t* VoString::GetChars() const {
    return chars != nullptr ? chars : kEmptyText;
}

char16_t VoString::GetAt(std::int32_t aIndex) const {
    if (aIndex < 0 || aIndex >= length) {
        VO_ERROR(kIndexOutOfBounds);
        return 0;
    }
    return chars[aIndex];
}

bool VoString::ToNarrow(char** appOut) const {
    if (appOut == nullptr || *appOut != nullptr) {
        VO_ERROR(kInvalidArgument);
        return false;
    }
    char* buffer = VO_NEW char[static_cast<std::size_t>(length) + 1];
    if (buffer == nullptr) {
        return false;
    }
    const char16_t* units = GetChars();
    for (std::int32_t i = 0; i < length; ++i) {
        buffer[i] = static_cast<char>(units[i] & 0xFF);
    }
    buffer[length] = '\0';
    *appOut = buffer;
    return true;
}

VoString VoString::ToString() const {
    return VoString(chars);
}

bool VoString::Equals(const char16_t* apChars, bool aIgnoreCase) const {
    const char16_t* other = apChars != nullptr ? apChars : kEmptyText;
    if (chars == nullptr) {
        return other[0] == 0;
    }
    if (aIgnoreCase) {
        return EqualsNoCase(other);
    }
    // Stops at the first difference, so the shorter text's terminator ends the walk.
    for (std::int32_t i = 0; i <= length; ++i) {
        if (chars[i] != other[i]) {
            return false;
        }
    }
    return true;
}

bool VoString::Equals(const VoString& aOther, bool aIgnoreCase) const {
    if (chars == nullptr) {
        return aOther.length == 0;
    }
    return Equals(aOther.GetChars(), aIgnoreCase);
}

bool VoString::EqualsUnits(const char16_t* apUnits, std::int32_t aLength, bool aIgnoreCase) const {
    if (chars == nullptr) {
        return aLength == 0;
    }
    // The common answer of a lookup: the same units, compared at once.
    if (!aIgnoreCase && aLength == length &&
        std::memcmp(chars, apUnits, static_cast<std::size_t>(aLength) * sizeof(char16_t)) == 0) {
        return true;
    }
    // Both sides end at their first 0 unit, as Equals compares them.
    for (std::int32_t i = 0;; ++i) {
        const char16_t mine = chars[i];
        const char16_t theirs = i < aLength ? apUnits[i] : 0;
        if (aIgnoreCase ? FoldToLower(mine) != FoldToLower(theirs) : mine != theirs) {
            return false;
        }
        if (mine == 0) {
            return true;
        }
    }
}

bool VoString::EqualsNoCase(const char16_t* apChars) const {
    if (chars == nullptr) {
        return apChars == nullptr || apChars[0] == 0;
    }
    if (apChars == nullptr) {
        return length == 0;
    }
    for (std::int32_t i = 0; i <= length; ++i) {
        if (FoldToLower(chars[i]) != FoldToLower(apChars[i])) {
            return false;
        }
    }
    return true;
}

bool VoString::EqualsNoCase(const VoString& aOther) const {
    return EqualsNoCase(aOther.GetChars());
}

bool VoString::operator==(const VoString& aOther) const {
    return Equals(aOther, false);
}

bool VoString::operator!=(const VoString& aOther) const {
    return !Equals(aOther, false);
}

std::int32_t VoString::Find(const char16_t* apSub, std::int32_t aStart) const {
    if (chars == nullptr || apSub == nullptr || aStart < 0 || aStart >= length) {
        return -1;
    }
    const std::int64_t subLength = CountUnits(apSub);
    for (std::int64_t i = aStart; i + subLength <= length; ++i) {
        if (MatchesAt(chars + i, apSub, subLength)) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

std::int32_t VoString::Find(const VoString& aSub, std::int32_t aStart) const {
    return Find(aSub.GetChars(), aStart);
}

std::int32_t VoString::FindLast(const char16_t* apSub) const {
    if (chars == nullptr || apSub == nullptr) {
        return -1;
    }
    const std::int64_t subLength = CountUnits(apSub);
    for (std::int64_t i = length - subLength; i >= 0; --i) {
        if (MatchesAt(chars + i, apSub, subLength)) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

std::int32_t VoString::FindLast(const VoString& aSub) const {
    return FindLast(aSub.GetChars());
}

const char16_t* VoString::FindSubString(const char16_t* apText, const char16_t* apSub) {
    if (apText == nullptr || apSub == nullptr) {
        return nullptr;
    }
    const std::int64_t subLength = CountUnits(apSub);
    for (const char16_t* candidate = apText;; ++candidate) {
        // MatchesAt stops at the first difference, so it never reads past the text's end.
        if (MatchesAt(candidate, apSub, subLength)) {
            return candidate;
        }
        if (*candidate == 0) {
            return nullptr;
        }
    }
}

VoString& VoString::TrimLeft() {
    std::int32_t first = 0;
    while (first < length && IsWhite(chars[first])) {
        ++first;
    }
    if (first > 0) {
        SetText(*this, Wide(chars + first, length - first));
    }
    return *this;
}

VoString& VoString::TrimRight() {
    std::int32_t end = length;
    while (end > 0 && IsWhite(chars[end - 1])) {
        --end;
    }
    if (end < length) {
        SetText(*this, Wide(chars, end));
    }
    return *this;
}

VoString VoString::ToUpper() const {
    VoString result(GetChars());
    for (std::int32_t i = 0; i < result.length; ++i) {
        result.chars[i] = FoldToUpper(result.chars[i]);
    }
    return result;
}

VoString VoString::ToLower() const {
    VoString result(GetChars());
    for (std::int32_t i = 0; i < result.length; ++i) {
        result.chars[i] = FoldToLower(result.chars[i]);
    }
    return result;
}

VoString VoString::SubString(std::int32_t aStart, std::int32_t aCount, std::int32_t aOffset) const {
    VoString result;
    const std::int64_t start = static_cast<std::int64_t>(aStart) + aOffset;
    const std::int64_t end = start + aCount;
    if (start >= 0 && start < length && end >= start && end <= length) {
        SetText(result, Wide(chars + start, end - start));
    }
    return result;
}

bool VoString::MatchPair(const VoString& aOpen, const VoString& aClose, std::int32_t aOpenIndex,
                         VoString* apInner) const {
    if (apInner == nullptr) {
        VO_ERROR(kInvalidArgument);
        return false;
    }
    // Empty brackets would never move the walk forward.
    if (aOpen.length == 0 || aClose.length == 0) {
        VO_ERROR(kMatchPairFailure);
        return false;
    }
    const std::int64_t innerStart = static_cast<std::int64_t>(aOpenIndex) + aOpen.length;
    if (innerStart > length) {
        VO_ERROR(kMatchPairFailure);
        return false;
    }
    // Every open met before the next close takes one more close to end the pair.
    std::int32_t depth = 1;
    std::int32_t position = static_cast<std::int32_t>(innerStart);
    for (;;) {
        const std::int32_t close = Find(aClose, position);
        if (close < 0) {
            VO_ERROR(kMatchPairFailure);
            return false;
        }
        const std::int32_t open = Find(aOpen, position);
        if (open >= 0 && open < close) {
            ++depth;
            position = open + aOpen.length;
            continue;
        }
        if (--depth == 0) {
            // The close lies inside the text, so this is never the unset result.
            apInner->Assign(SubString(static_cast<std::int32_t>(innerStart),
                                      close - static_cast<std::int32_t>(innerStart)));
            return true;
        }
        position = close + aClose.length;
    }
}

VoString& VoString::Replace(const VoString& aFind, const VoString& aWith, bool aAll) {
    if (&aFind == this || &aWith == this) {
        // The in-place path would otherwise edit the pattern while searching for it.
        const VoString find(aFind);
        const VoString with(aWith);
        return Replace(find, with, aAll);
    }
    const std::int32_t findLength = aFind.length;
    if (length == 0 || findLength == 0 || aWith.Equals(aFind)) {
        return *this;
    }
    if (aWith.length == findLength) {
        std::int32_t position = Find(aFind, 0);
        while (position >= 0) {
            const char16_t* with = aWith.GetChars();
            for (std::int32_t i = 0; i < findLength; ++i) {
                chars[position + i] = with[i];
            }
            if (!aAll) {
                break;
            }
            position = Find(aFind, position);
        }
        return *this;
    }
    // Count first so the result gets one exact-size buffer.
    std::int64_t occurrences = 0;
    for (std::int32_t position = Find(aFind, 0); position >= 0;
         position = Find(aFind, position + findLength)) {
        ++occurrences;
        if (!aAll) {
            break;
        }
    }
    if (occurrences == 0) {
        return *this;
    }
    const std::int64_t total = length + occurrences * (static_cast<std::int64_t>(aWith.length) - findLength);
    if (total > kMaxLength) {
        VO_ERROR(kTooLong);
        return *this;
    }
    char16_t* buffer = VO_NEW char16_t[total + 1];
    if (buffer == nullptr) {
        return *this;
    }
    char16_t* out = buffer;
    std::int32_t copied = 0;
    for (std::int64_t n = 0; n < occurrences; ++n) {
        const std::int32_t position = Find(aFind, copied);
        out = CopyPiece(out, Wide(chars + copied, position - copied));
        out = CopyPiece(out, Wide(aWith.GetChars(), aWith.length));
        copied = position + findLength;
    }
    out = CopyPiece(out, Wide(chars + copied, length - copied));
    *out = 0;
    delete[] chars;
    chars = buffer;
    length = static_cast<std::int32_t>(total);
    return *this;
}

VoString& VoString::Replace(const char16_t* apFind, const char16_t* apWith, bool aAll) {
    const VoString find(apFind);
    const VoString with(apWith);
    return Replace(find, with, aAll);
}
