#pragma once
#include <cstdint>

#include "container/VoString.h"

// The engine's abstract byte stream and the typed encoding of every binary
// file and save game: little-endian, no padding, no tags. A VoString is a u32
// count of 16-bit units, the units and one 0 unit ("ab" is
// 02 00 00 00 61 00 62 00 00 00); a bool is one byte 0 or 1 (read back as
// byte != 0); floats are their IEEE bits.
//
// Readers never trust a count taken from the data: a value that would need
// more bytes than GetRemaining reports (or than kMaxUnsizedRead where the
// stream cannot tell) is refused before anything is allocated. Every reader
// leaves its target unchanged when it fails, and hands out arrays always
// terminated, which the caller releases with delete[].
//
// A process-wide text mode (MODE_TEXT) turns every typed writer into a
// tagged UTF-16 text line for inspection dumps; no reader understands it.
class VoIStream {
public:
    static constexpr int MODE_TEXT = 0;
    static constexpr int MODE_BINARY = 1;
    // The largest single value read from a stream that cannot tell its size.
    static constexpr std::uint32_t kMaxUnsizedRead = 16u * 1024u * 1024u;

    static constexpr const char* kInvalidArgument = "Invalid argument.";
    static constexpr const char* kNullStream = "NULL arg.";
    static constexpr const char* kNegativeCount = "aNumChars is negative.";
    static constexpr const char* kLengthRefused = "Read failure. Length exceeds the data.";
    static constexpr const char* kTooLong = "Write failure. Text too long.";
    static constexpr const char* kInvalidMode = "Invalid mode: ";
    static constexpr const char* kUsingTextMode = ", using MODE_TEXT.";

    VoIStream() = default;
    virtual ~VoIStream() = default;
    VoIStream(const VoIStream&) = delete;
    VoIStream& operator=(const VoIStream&) = delete;

    virtual bool Close() = 0;
    virtual bool Flush() = 0;
    virtual std::uint32_t GetPosition() = 0;
    virtual void Skip(int aCount) = 0;
    virtual bool Open() = 0;
    // Copies aSize bytes from the position and advances it; false when fewer
    // than aSize bytes are there.
    virtual bool Read(std::uint32_t aSize, void* apOut) = 0;
    virtual void Reserved() = 0;
    virtual void SetPosition(std::uint32_t aPosition) = 0;
    virtual bool Write(std::uint32_t aSize, const void* apData) = 0;
    // The bytes that can still be read from the position, or -1 when the
    // medium cannot tell.
    virtual std::int64_t GetRemaining() { return -1; }

    bool WriteBool(bool aValue) { return WriteValue(this, aValue); }
    bool WriteByte(unsigned char aValue) { return WriteValue(this, aValue); }
    bool WriteUShort(unsigned short aValue) { return WriteValue(this, aValue); }
    bool WriteInt(std::int32_t aValue) { return WriteValue(this, aValue); }
    bool WriteUInt(std::uint32_t aValue) { return WriteValue(this, aValue); }
    bool WriteFloat(float aValue) { return WriteValue(this, aValue); }
    // True only when both the count and the units were written.
    bool WriteString(const VoString& aValue) { return WriteValue(this, aValue); }
    // The bytes (units) of a zero-terminated text without terminator or
    // count; an empty text is refused.
    bool WriteChars(const char* apText);
    bool WriteWChars(const char16_t* apText);
    // Writes only in MODE_TEXT; false in binary mode.
    bool WriteComment(const VoString& aComment);

    bool ReadBool(bool* apValue) { return ReadValue(this, apValue); }
    bool ReadByte(unsigned char* apValue) { return ReadValue(this, apValue); }
    bool ReadUShort(unsigned short* apValue) { return ReadValue(this, apValue); }
    bool ReadInt(std::int32_t* apValue) { return ReadValue(this, apValue); }
    bool ReadUInt(std::uint32_t* apValue) { return ReadValue(this, apValue); }
    bool ReadFloat(float* apValue) { return ReadValue(this, apValue); }
    bool ReadString(VoString* apValue) { return ReadValue(this, apValue); }
    // aNumChars bytes (units) into a new array of aNumChars + 1 with a 0
    // terminator. *appText must hold null; it stays null on failure.
    bool ReadChars(int aNumChars, char** appText);
    bool ReadWChars(int aNumChars, char16_t** appText);
    // Bytes (units) through the first 0, into a new array that ends with it.
    bool ReadCString(char** appText);
    bool ReadWCString(char16_t** appText);

    // For a stream held in memory: the next aSize bytes, in place, with the
    // position moved past them; null, with nothing moved, when they are not
    // all there or the stream is not held in memory. Reads of bytes that are
    // there cannot fail in memory, so taking them in one piece is the same
    // as reading them value by value.
    virtual const unsigned char* TakeBytes(std::uint32_t aSize) {
        (void)aSize;
        return nullptr;
    }
    // A run of aCount 4-byte values (u32, i32 and f32 alike, by their bits)
    // into apOut in one piece, for readers of arrays of fixed-size records.
    // False, with nothing read, unless TakeBytes gives them: the caller then
    // reads value by value, so a short or failing stream behaves as it
    // always has.
    bool ReadWordRun(void* apOut, std::uint32_t aCount);

    // The workers behind the typed members, for callers holding a pointer.
    static bool WriteValue(VoIStream* apStream, bool aValue);
    static bool WriteValue(VoIStream* apStream, unsigned char aValue);
    static bool WriteValue(VoIStream* apStream, unsigned short aValue);
    static bool WriteValue(VoIStream* apStream, std::int32_t aValue);
    static bool WriteValue(VoIStream* apStream, std::uint32_t aValue);
    static bool WriteValue(VoIStream* apStream, float aValue);
    static bool WriteValue(VoIStream* apStream, const VoString& aValue);
    // Text given as characters is written as a VoString, not as a bool.
    static bool WriteValue(VoIStream* apStream, const char16_t* apValue) {
        return WriteValue(apStream, VoString(apValue));
    }
    static bool WriteValue(VoIStream* apStream, const char* apValue) {
        return WriteValue(apStream, VoString(apValue));
    }
    static bool ReadValue(VoIStream* apStream, bool* apValue);
    static bool ReadValue(VoIStream* apStream, unsigned char* apValue);
    static bool ReadValue(VoIStream* apStream, unsigned short* apValue);
    static bool ReadValue(VoIStream* apStream, std::int32_t* apValue);
    static bool ReadValue(VoIStream* apStream, std::uint32_t* apValue);
    static bool ReadValue(VoIStream* apStream, float* apValue);
    static bool ReadValue(VoIStream* apStream, VoString* apValue);

    // MODE_TEXT or MODE_BINARY; anything else logs, falls back to MODE_TEXT
    // and returns false.
    static bool SetStreamMode(int aMode);
    static int GetStreamMode();

private:
    // The most bytes one value may take from here: what remains, or
    // kMaxUnsizedRead where the stream cannot tell.
    std::uint64_t GetReadLimit();
    // Whether a value of aSize bytes, its count taken from the data, may be
    // read from here; logs the refusal.
    bool CanHold(std::uint64_t aSize);
    // The array readers over bytes (char) and 16-bit units (char16_t).
    template <typename Unit>
    bool ReadCountedUnits(int aNumChars, Unit** appText);
    template <typename Unit>
    bool ReadTerminatedUnits(Unit** appText);
};
