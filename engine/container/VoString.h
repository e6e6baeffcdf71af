#pragma once
// The text type of every interface: 16-bit code units with a counted length,
// and the message builder behind every log line (its number formatting is how
// numbers look in the log).
//
// Two empty states stay distinct: unset (chars null, what the default
// constructor gives) and empty (a one-unit buffer holding 0). Most operations
// treat both as the empty text; Clear keeps an unset string unset.
//
// Every change of content takes a new buffer of exactly length + 1 units from
// the memory manager; there is no spare capacity. When that allocation fails
// (the memory manager has logged it) the string stays as it was.
//
// Narrow text is widened byte by byte with sign extension (0xE9 -> 0xFFE9);
// ToNarrow keeps the low byte of each unit, so narrow text round-trips.
#include <cstdint>

#include "container/VoBase.h"

class VoString : public VoBase {
public:
    // Exact message texts, for the tests that look for them.
    static constexpr const char* kNullNarrowText = " apChars == NULL.";
    static constexpr const char* kNullText = "apChars == NULL.";
    static constexpr const char* kInvalidArgument = "Invalid argument.";
    static constexpr const char* kMatchPairFailure = "MatchPair failure. Syntax error.";
    static constexpr const char* kIndexOutOfBounds = "Index out of bounds.";
    // Refused rather than wrapping the 32-bit length.
    static constexpr const char* kTooLong = "String length out of range.";

    // Unset.
    VoString();
    // A null pointer logs and leaves the string unset.
    VoString(const char16_t* apChars);
    VoString(const char* apChars);
    // The aLength units at apChars (which hold no 0 unit), for readers that
    // cut text out of a larger buffer; a null pointer logs and leaves the
    // string unset, as does a negative length.
    VoString(const char16_t* apChars, std::int32_t aLength);
    // Copies the other's GetChars: the copy of an unset string is empty (set).
    VoString(const VoString& aOther);
    ~VoString() override;

    // Null logs and changes nothing; the string's own buffer is a no-op.
    VoString& Assign(const char16_t* apChars);
    VoString& Assign(const VoString& aOther);
    // The aLength bytes at apChars (which hold no 0 byte), widened as the
    // narrow constructor widens; null or a negative length logs and changes
    // nothing.
    VoString& AssignNarrow(const char* apChars, std::int32_t aLength);
    // The text of aCount 16-bit units stored little-endian at apBytes (no
    // alignment needed), ending at the first 0 unit among them, taken as
    // Assign(const char16_t*) takes text; null logs and changes nothing.
    VoString& AssignLittleEndian(const unsigned char* apBytes, std::int32_t aCount);
    VoString& operator=(const VoString& aOther);

    // The Append family: each form appends its operand's text. Null text
    // pointers log and change nothing.
    VoString& Append(const char16_t* apChars);
    VoString& Append(const char* apChars);
    VoString& Append(const VoString& aOther);
    // Signed decimal.
    VoString& Append(std::int32_t aValue);
    VoString& Append(std::int16_t aValue);
    // Converted as the signed 32-bit value: 4294967295 appends "-1".
    VoString& Append(std::uint32_t aValue);
    // Decimal, 0 to 255.
    VoString& Append(std::uint8_t aValue);
    // "%f": fixed notation with six decimals.
    VoString& Append(float aValue);
    // Convenience beside the float form, so double expressions pick "%f" too.
    VoString& Append(double aValue);
    // Convenience for sizes and 64-bit counts: full-width decimal, so a
    // std::size_t argument is neither ambiguous nor truncated.
    VoString& Append(long aValue);
    VoString& Append(unsigned long aValue);
    VoString& Append(long long aValue);
    VoString& Append(unsigned long long aValue);
    // "true" or "false".
    VoString& Append(bool aValue);
    // Lower-case hexadecimal of the whole address, no prefix, no leading zeros.
    VoString& Append(const void* apPointer);
    // The object's ToString.
    VoString& Append(const VoBase& aObject);

    // Null text pointers log "apChars == NULL." and change nothing.
    VoString& Prepend(const char16_t* apChars);
    VoString& Prepend(const char* apChars);
    VoString& Prepend(const VoString& aOther);

    // Null pointers are ignored without a message.
    VoString& operator+=(const char16_t* apChars);
    VoString& operator+=(const char* apChars);
    VoString& operator+=(const VoString& aOther);
    VoString& operator+=(const VoBase& aObject);

    // A copy of this string with the operand appended as Append does (with
    // the same message for a null text pointer), made in one allocation.
    template <typename T>
    VoString operator+(const T& aOperand) const {
        VoString result;
        result.Join(*this, aOperand);
        return result;
    }

    // Exchanges the two texts (and their set or unset states) without
    // copying them: a reader hands over the text it has just read.
    void Swap(VoString& arOther);

    // An unset string stays unset; a set string becomes empty.
    void Clear();

    // Never null: an unset string gives a static empty text.
    const char16_t* GetChars() const;
    std::int32_t GetLength() const { return length; }
    // Out of 0 .. length - 1: logs "Index out of bounds." and returns 0.
    char16_t GetAt(std::int32_t aIndex) const;
    // *appOut must be null; it receives a new (VO_NEW[]) narrow copy holding the
    // low byte of each unit, which the caller releases with delete[].
    bool ToNarrow(char** appOut) const;
    // A copy of the text (not a bracketed debug string).
    VoString ToString() const override;

    // A null argument counts as the empty text.
    bool Equals(const char16_t* apChars, bool aIgnoreCase = false) const;
    bool Equals(const VoString& aOther, bool aIgnoreCase = false) const;
    // Whether Equals would find this text equal to a string of the aLength
    // units at apUnits (a piece of a longer text, not terminated there).
    bool EqualsUnits(const char16_t* apUnits, std::int32_t aLength, bool aIgnoreCase = false) const;
    // Folds only A..Z onto a..z.
    bool EqualsNoCase(const char16_t* apChars) const;
    bool EqualsNoCase(const VoString& aOther) const;
    bool operator==(const VoString& aOther) const;
    bool operator!=(const VoString& aOther) const;

    // -1 when unset, apSub null, aStart < 0 or aStart >= length, or not found.
    // An empty apSub is found at aStart.
    std::int32_t Find(const char16_t* apSub, std::int32_t aStart = 0) const;
    std::int32_t Find(const VoString& aSub, std::int32_t aStart = 0) const;
    // Index of the last occurrence, or -1.
    std::int32_t FindLast(const char16_t* apSub) const;
    std::int32_t FindLast(const VoString& aSub) const;
    // First occurrence of apSub in apText, or null (also for null arguments).
    static const char16_t* FindSubString(const char16_t* apText, const char16_t* apSub);

    // Remove leading (trailing) blanks, tabs, carriage returns and line feeds.
    VoString& TrimLeft();
    VoString& TrimRight();
    // Copies with only a..z (A..Z) mapped; an unset string gives an empty one.
    VoString ToUpper() const;
    VoString ToLower() const;
    // The aCount units from s = aStart + aOffset when 0 <= s < length and
    // s <= s + aCount <= length; otherwise an unset string.
    VoString SubString(std::int32_t aStart, std::int32_t aCount, std::int32_t aOffset = 0) const;

    // Calls aAddPiece(const VoString&) with every non-empty piece between
    // occurrences of aDelimiter, in order. An empty or unset text, or an empty
    // delimiter, gives nothing.
    template <typename AddPiece>
    void SplitPieces(const VoString& aDelimiter, AddPiece&& aAddPiece) const;
    // Appends the pieces to *apOut (a VoVectorString, which stores copies).
    // Always true, but a null apOut logs "Invalid argument." and gives false.
    template <typename VectorString>
    bool Split(const VoString& aDelimiter, VectorString* apOut) const;

    // Stores in *apInner the text strictly between the open at aOpenIndex and
    // its matching close (nesting counted to any depth). Without a matching
    // close: logs "MatchPair failure. Syntax error.", returns false and leaves
    // *apInner unchanged.
    bool MatchPair(const VoString& aOpen, const VoString& aClose, std::int32_t aOpenIndex,
                   VoString* apInner) const;

    // Replaces the first occurrence of aFind (every one when aAll) by aWith.
    // When both have the same length the text is overwritten in place and the
    // search resumes at the replaced position (deliberate: "aa" -> "ba" in "aaa"
    // gives "bba"); otherwise it resumes after the replaced occurrence. An empty
    // aFind changes nothing.
    VoString& Replace(const VoString& aFind, const VoString& aWith, bool aAll);
    VoString& Replace(const char16_t* apFind, const char16_t* apWith, bool aAll);

    char16_t* chars = nullptr;  // owned (VO_NEW[]); null while unset
    std::int32_t length = 0;

private:
    // The Append family's work: the text becomes aBase's followed by the
    // operand's, in one new exact-size buffer (aBase may be this string).
    // With a null text pointer it logs and becomes a copy of aBase, which
    // for aBase == this changes nothing. Numbers are formatted on the stack,
    // straight into the new buffer.
    VoString& Join(const VoString& aBase, const char16_t* apChars);
    VoString& Join(const VoString& aBase, const char* apChars);
    VoString& Join(const VoString& aBase, const VoString& aOther);
    VoString& Join(const VoString& aBase, std::int32_t aValue);
    VoString& Join(const VoString& aBase, std::int16_t aValue);
    VoString& Join(const VoString& aBase, std::uint32_t aValue);
    VoString& Join(const VoString& aBase, std::uint8_t aValue);
    VoString& Join(const VoString& aBase, float aValue);
    VoString& Join(const VoString& aBase, double aValue);
    VoString& Join(const VoString& aBase, long aValue);
    VoString& Join(const VoString& aBase, unsigned long aValue);
    VoString& Join(const VoString& aBase, long long aValue);
    VoString& Join(const VoString& aBase, unsigned long long aValue);
    VoString& Join(const VoString& aBase, bool aValue);
    VoString& Join(const VoString& aBase, const void* apPointer);
    VoString& Join(const VoString& aBase, const VoBase& aObject);
    static void LogInvalidArgument();
};

template <typename AddPiece>
void VoString::SplitPieces(const VoString& aDelimiter, AddPiece&& aAddPiece) const {
    const std::int32_t delimiterLength = aDelimiter.GetLength();
    if (length == 0 || delimiterLength == 0) {
        return;
    }
    std::int32_t previous = 0;
    while (previous < length) {
        const std::int32_t found = Find(aDelimiter, previous);
        if (found < 0) {
            aAddPiece(SubString(previous, length - previous));
            return;
        }
        if (found != previous) {
            aAddPiece(SubString(previous, found - previous));
        }
        previous = found + delimiterLength;
    }
}

template <typename VectorString>
bool VoString::Split(const VoString& aDelimiter, VectorString* apOut) const {
    if (apOut == nullptr) {
        LogInvalidArgument();
        return false;
    }
    SplitPieces(aDelimiter, [apOut](const VoString& aPiece) { apOut->Add(aPiece); });
    return true;
}
