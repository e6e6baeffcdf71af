#include "stdlib/VoIStream.h"

#include <cstring>

#include "container/VoLog.h"
#include "memory/VoNew.h"

namespace {

int sStreamMode = VoIStream::MODE_BINARY;

// Explicit byte order, so files look the same whatever the host's order.
void PutLittleEndian(unsigned char* apOut, std::uint32_t aValue, int aBytes) {
    for (int i = 0; i < aBytes; ++i) {
        apOut[i] = static_cast<unsigned char>(aValue >> (8 * i));
    }
}

std::uint32_t GetLittleEndian(const unsigned char* apIn, int aBytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < aBytes; ++i) {
        value |= static_cast<std::uint32_t>(apIn[i]) << (8 * i);
    }
    return value;
}

// Units read as raw bytes into their own array are put into host order in
// place: unit i occupies exactly bytes 2i and 2i + 1.
void UnitsToHostOrder(char16_t* apUnits, std::uint32_t aCount) {
    unsigned char* bytes = reinterpret_cast<unsigned char*>(apUnits);
    for (std::uint32_t i = 0; i < aCount; ++i) {
        apUnits[i] = static_cast<char16_t>(GetLittleEndian(bytes + 2 * i, 2));
    }
}

void UnitsToHostOrder(char*, std::uint32_t) {}

// Writes aCount units, plus one 0 unit when asked, as one Write.
bool WriteUnits(VoIStream* apStream, const char16_t* apUnits, std::uint32_t aCount, bool aTerminate) {
    const std::uint64_t units = static_cast<std::uint64_t>(aCount) + (aTerminate ? 1 : 0);
    if (units * 2 > UINT32_MAX) {
        VO_ERROR(VoIStream::kTooLong);
        return false;
    }
    if (units == 0) {
        return apStream->Write(0, apUnits);
    }
    unsigned char* bytes = VO_NEW unsigned char[units * 2];
    if (bytes == nullptr) {
        return false;
    }
    for (std::uint32_t i = 0; i < aCount; ++i) {
        PutLittleEndian(bytes + 2 * i, apUnits[i], 2);
    }
    if (aTerminate) {
        PutLittleEndian(bytes + 2 * aCount, 0, 2);
    }
    const bool written = apStream->Write(static_cast<std::uint32_t>(units * 2), bytes);
    delete[] bytes;
    return written;
}

bool WriteLine(VoIStream* apStream, VoString& aLine) {
    aLine.Append(u"\n");
    return WriteUnits(apStream, aLine.GetChars(), static_cast<std::uint32_t>(aLine.GetLength()), false);
}

template <typename Value>
bool WriteTagged(VoIStream* apStream, const char16_t* apTag, const Value& aValue) {
    VoString line(apTag);
    line.Append(aValue);
    return WriteLine(apStream, line);
}

bool WriteScalar(VoIStream* apStream, std::uint32_t aBits, int aBytes) {
    unsigned char bytes[4];
    PutLittleEndian(bytes, aBits, aBytes);
    return apStream->Write(static_cast<std::uint32_t>(aBytes), bytes);
}

bool ReadScalar(VoIStream* apStream, std::uint32_t* apBits, int aBytes) {
    if (const unsigned char* held = apStream->TakeBytes(static_cast<std::uint32_t>(aBytes))) {
        *apBits = GetLittleEndian(held, aBytes);
        return true;
    }
    unsigned char bytes[4];
    if (!apStream->Read(static_cast<std::uint32_t>(aBytes), bytes)) {
        return false;
    }
    *apBits = GetLittleEndian(bytes, aBytes);
    return true;
}

bool WriteTextUnits(VoIStream* apStream, const char* apText, std::uint32_t aCount) {
    return apStream->Write(aCount, apText);
}

bool WriteTextUnits(VoIStream* apStream, const char16_t* apText, std::uint32_t aCount) {
    return WriteUnits(apStream, apText, aCount, false);
}

// WriteChars and WriteWChars: the units without terminator or count, or in
// MODE_TEXT the tag, the count, "]>" and the text (bytes widened).
template <typename Unit>
bool WriteText(VoIStream* apStream, const Unit* apText, const char16_t* apTag) {
    if (apText == nullptr || apText[0] == 0) {
        VO_ERROR(VoIStream::kInvalidArgument);
        return false;
    }
    std::uint64_t length = 0;
    while (apText[length] != 0) {
        ++length;
    }
    if (length > UINT32_MAX) {
        VO_ERROR(VoIStream::kTooLong);
        return false;
    }
    if (sStreamMode == VoIStream::MODE_TEXT) {
        VoString line(apTag);
        line.Append(static_cast<std::int32_t>(length));
        line.Append(u"]>");
        line.Append(apText);
        return WriteLine(apStream, line);
    }
    return WriteTextUnits(apStream, apText, static_cast<std::uint32_t>(length));
}

bool CheckStream(const VoIStream* apStream) {
    if (apStream == nullptr) {
        VO_ERROR(VoIStream::kNullStream);
        return false;
    }
    return true;
}

bool CheckStream(const VoIStream* apStream, const void* apTarget) {
    if (apTarget == nullptr) {
        VO_ERROR(VoIStream::kNullStream);
        return false;
    }
    return CheckStream(apStream);
}

}  // namespace

std::uint64_t VoIStream::GetReadLimit() {
    const std::int64_t remaining = GetRemaining();
    const std::uint64_t limit = remaining < 0 ? kMaxUnsizedRead : static_cast<std::uint64_t>(remaining);
    return limit < UINT32_MAX ? limit : UINT32_MAX;
}

bool VoIStream::CanHold(std::uint64_t aSize) {
    if (aSize > GetReadLimit()) {
        VO_ERROR(kLengthRefused);
        return false;
    }
    return true;
}

bool VoIStream::WriteValue(VoIStream* apStream, bool aValue) {
    if (!CheckStream(apStream)) {
        return false;
    }
    if (sStreamMode == MODE_TEXT) {
        return WriteTagged(apStream, u"<xbool>", aValue);
    }
    return WriteScalar(apStream, aValue ? 1u : 0u, 1);
}

bool VoIStream::WriteValue(VoIStream* apStream, unsigned char aValue) {
    if (!CheckStream(apStream)) {
        return false;
    }
    if (sStreamMode == MODE_TEXT) {
        return WriteTagged(apStream, u"<xbyte>", aValue);
    }
    return WriteScalar(apStream, aValue, 1);
}

bool VoIStream::WriteValue(VoIStream* apStream, unsigned short aValue) {
    if (!CheckStream(apStream)) {
        return false;
    }
    if (sStreamMode == MODE_TEXT) {
        // Widened first so that 65535 reads as 65535, not as a negative short.
        return WriteTagged(apStream, u"<xushort>", static_cast<std::int32_t>(aValue));
    }
    return WriteScalar(apStream, aValue, 2);
}

bool VoIStream::WriteValue(VoIStream* apStream, std::int32_t aValue) {
    if (!CheckStream(apStream)) {
        return false;
    }
    if (sStreamMode == MODE_TEXT) {
        return WriteTagged(apStream, u"<xint>", aValue);
    }
    return WriteScalar(apStream, static_cast<std::uint32_t>(aValue), 4);
}

bool VoIStream::WriteValue(VoIStream* apStream, std::uint32_t aValue) {
    if (!CheckStream(apStream)) {
        return false;
    }
    if (sStreamMode == MODE_TEXT) {
        return WriteTagged(apStream, u"<xuint>", aValue);
    }
    return WriteScalar(apStream, aValue, 4);
}

bool VoIStream::WriteValue(VoIStream* apStream, float aValue) {
    if (!CheckStream(apStream)) {
        return false;
    }
    if (sStreamMode == MODE_TEXT) {
        return WriteTagged(apStream, u"<xfloat>", aValue);
    }
    std::uint32_t bits = 0;
    std::memcpy(&bits, &aValue, sizeof bits);
    return WriteScalar(apStream, bits, 4);
}

bool VoIStream::WriteValue(VoIStream* apStream, const VoString& aValue) {
    if (!CheckStream(apStream)) {
        return false;
    }
    if (sStreamMode == MODE_TEXT) {
        return WriteTagged(apStream, u"<VoString>", aValue);
    }
    const std::uint32_t length = static_cast<std::uint32_t>(aValue.GetLength());
    if ((static_cast<std::uint64_t>(length) + 1) * 2 > UINT32_MAX) {
        VO_ERROR(kTooLong);
        return false;
    }
    const bool counted = WriteScalar(apStream, length, 4);
    const bool text = WriteUnits(apStream, aValue.GetChars(), length, true);
    return counted && text;
}

bool VoIStream::WriteChars(const char* apText) { return WriteText(this, apText, u"<xchar["); }

bool VoIStream::WriteWChars(const char16_t* apText) { return WriteText(this, apText, u"<xwchar["); }

bool VoIStream::WriteComment(const VoString& aComment) {
    if (sStreamMode != MODE_TEXT) {
        return false;
    }
    return WriteTagged(this, u"<comment>", aComment);
}

bool VoIStream::ReadWordRun(void* apOut, std::uint32_t aCount) {
    const std::uint64_t bytes = static_cast<std::uint64_t>(aCount) * 4u;
    const unsigned char* in = bytes <= UINT32_MAX ? TakeBytes(static_cast<std::uint32_t>(bytes)) : nullptr;
    if (in == nullptr) {
        return false;
    }
    // Into host order on the way: a plain copy on a little-endian host.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    std::memcpy(apOut, in, static_cast<std::size_t>(bytes));
#else
    unsigned char* out = static_cast<unsigned char*>(apOut);
    for (std::uint32_t i = 0; i < aCount; ++i) {
        const std::uint32_t value = GetLittleEndian(in + 4 * static_cast<std::size_t>(i), 4);
        std::memcpy(out + 4 * static_cast<std::size_t>(i), &value, sizeof value);
    }
#endif
    return true;
}

bool VoIStream::ReadValue(VoIStream* apStream, bool* apValue) {
    std::uint32_t bits = 0;
    if (!CheckStream(apStream, apValue) || !ReadScalar(apStream, &bits, 1)) {
        return false;
    }
    // Any nonzero byte is true: a bool must never hold another bit pattern.
    *apValue = bits != 0;
    return true;
}

bool VoIStream::ReadValue(VoIStream* apStream, unsigned char* apValue) {
    std::uint32_t bits = 0;
    if (!CheckStream(apStream, apValue) || !ReadScalar(apStream, &bits, 1)) {
        return false;
    }
    *apValue = static_cast<unsigned char>(bits);
    return true;
}

bool VoIStream::ReadValue(VoIStream* apStream, unsigned short* apValue) {
    std::uint32_t bits = 0;
    if (!CheckStream(apStream, apValue) || !ReadScalar(apStream, &bits, 2)) {
        return false;
    }
    *apValue = static_cast<unsigned short>(bits);
    return true;
}

bool VoIStream::ReadValue(VoIStream* apStream, std::int32_t* apValue) {
    std::uint32_t bits = 0;
    if (!CheckStream(apStream, apValue) || !ReadScalar(apStream, &bits, 4)) {
        return false;
    }
    *apValue = static_cast<std::int32_t>(bits);
    return true;
}

bool VoIStream::ReadValue(VoIStream* apStream, std::uint32_t* apValue) {
    std::uint32_t bits = 0;
    if (!CheckStream(apStream, apValue) || !ReadScalar(apStream, &bits, 4)) {
        return false;
    }
    *apValue = bits;
    return true;
}

bool VoIStream::ReadValue(VoIStream* apStream, float* apValue) {
    std::uint32_t bits = 0;
    if (!CheckStream(apStream, apValue) || !ReadScalar(apStream, &bits, 4)) {
        return false;
    }
    std::memcpy(apValue, &bits, sizeof bits);
    return true;
}

bool VoIStream::ReadValue(VoIStream* apStream, VoString* apValue) {
    std::uint32_t length = 0;
    if (!CheckStream(apStream, apValue) || !ReadScalar(apStream, &length, 4)) {
        return false;
    }
    const std::uint64_t size = (static_cast<std::uint64_t>(length) + 1) * 2;
    if (!apStream->CanHold(size)) {
        return false;
    }
    // A stream held in memory: the text straight from its bytes, without
    // a copy of them first.
    if (const unsigned char* held = apStream->TakeBytes(static_cast<std::uint32_t>(size))) {
        apValue->AssignLittleEndian(held, static_cast<std::int32_t>(length));
        return true;
    }
    char16_t* units = VO_NEW char16_t[static_cast<std::size_t>(length) + 1];
    if (units == nullptr) {
        return false;
    }
    if (!apStream->Read(static_cast<std::uint32_t>(size), units)) {
        delete[] units;
        return false;
    }
    UnitsToHostOrder(units, length);
    // The stored terminator is data too; the text ends at the count whatever it holds.
    units[length] = 0;
    apValue->Assign(units);
    delete[] units;
    return true;
}

template <typename Unit>
bool VoIStream::ReadCountedUnits(int aNumChars, Unit** appText) {
    if (aNumChars < 0) {
        VO_ERROR(kNegativeCount);
        return false;
    }
    if (appText == nullptr || *appText != nullptr) {
        VO_ERROR(kInvalidArgument);
        return false;
    }
    const std::uint32_t count = static_cast<std::uint32_t>(aNumChars);
    if (!CanHold(static_cast<std::uint64_t>(count) * sizeof(Unit))) {
        return false;
    }
    Unit* text = VO_NEW Unit[static_cast<std::size_t>(count) + 1];
    if (text == nullptr) {
        return false;
    }
    if (!Read(count * static_cast<std::uint32_t>(sizeof(Unit)), text)) {
        delete[] text;
        return false;
    }
    UnitsToHostOrder(text, count);
    text[count] = 0;
    *appText = text;
    return true;
}

template <typename Unit>
bool VoIStream::ReadTerminatedUnits(Unit** appText) {
    if (appText == nullptr || *appText != nullptr) {
        VO_ERROR(kInvalidArgument);
        return false;
    }
    // Scans to the terminator, steps back and reads the text in one piece.
    const std::uint64_t limit = GetReadLimit();
    // A failed read leaves the stream where it was, as the other readers do.
    const std::uint32_t start = GetPosition();
    std::uint32_t count = 0;
    Unit unit = 0;  // raw bytes: a zero unit is zero in either byte order
    do {
        if ((static_cast<std::uint64_t>(count) + 1) * sizeof(Unit) > limit) {
            VO_ERROR(kLengthRefused);
            SetPosition(start);
            return false;
        }
        if (!Read(sizeof(Unit), &unit)) {
            SetPosition(start);
            return false;
        }
        ++count;
    } while (unit != 0);
    const std::uint32_t size = count * static_cast<std::uint32_t>(sizeof(Unit));
    SetPosition(GetPosition() - size);
    Unit* text = VO_NEW Unit[count];
    if (text == nullptr) {
        SetPosition(start);
        return false;
    }
    if (!Read(size, text)) {
        delete[] text;
        SetPosition(start);
        return false;
    }
    UnitsToHostOrder(text, count);
    text[count - 1] = 0;
    *appText = text;
    return true;
}

bool VoIStream::ReadChars(int aNumChars, char** appText) { return ReadCountedUnits(aNumChars, appText); }

bool VoIStream::ReadWChars(int aNumChars, char16_t** appText) { return ReadCountedUnits(aNumChars, appText); }

bool VoIStream::ReadCString(char** appText) { return ReadTerminatedUnits(appText); }

bool VoIStream::ReadWCString(char16_t** appText) { return ReadTerminatedUnits(appText); }

bool VoIStream::SetStreamMode(int aMode) {
    if (aMode == MODE_TEXT || aMode == MODE_BINARY) {
        sStreamMode = aMode;
        return true;
    }
    VO_ERROR(kInvalidMode, aMode, kUsingTextMode);
    sStreamMode = MODE_TEXT;
    return false;
}

int VoIStream::GetStreamMode() { return sStreamMode; }
