#include "stdlib/VoIStream.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/LogCapture.h"
#include "support/TestStream.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Puts the process-wide mode back whatever a test does to it.
class StreamModeGuard {
public:
    StreamModeGuard() : fMode(VoIStream::GetStreamMode()) {}
    ~StreamModeGuard() { VoIStream::SetStreamMode(fMode); }

private:
    int fMode;
};

}  // namespace

TEST(VoIStream, ExactBytesOfEveryTypedWrite) {
    TestStream s;
    EXPECT_TRUE(s.WriteBool(true));
    EXPECT_TRUE(s.WriteBool(false));
    EXPECT_TRUE(s.WriteByte(0xAB));
    EXPECT_TRUE(s.WriteUShort(0x1234));
    EXPECT_TRUE(s.WriteInt(-2));
    EXPECT_TRUE(s.WriteUInt(0x01020304u));
    EXPECT_TRUE(s.WriteFloat(1.0f));
    EXPECT_TRUE(s.WriteFloat(-0.0f));
    EXPECT_TRUE(s.WriteChars("hi"));
    EXPECT_TRUE(s.WriteWChars(u"h\u20AC"));
    EXPECT_EQ(s.Bytes(), (Bytes{0x01, 0x00, 0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01,
                                0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x80, 0x68, 0x69, 0x68, 0x00, 0xAC, 0x20}));
}

TEST(VoIStream, StringIsCountUnitsAndTerminator) {
    TestStream s;
    EXPECT_TRUE(s.WriteString(VoString(u"ab")));
    EXPECT_TRUE(s.WriteString(VoString(u"")));
    EXPECT_TRUE(s.WriteString(VoString()));
    EXPECT_TRUE(s.WriteString(VoString(u"\u00E9\uFFFF")));
    EXPECT_EQ(s.Bytes(), (Bytes{0x02, 0x00, 0x00, 0x00, 0x61, 0x00, 0x62, 0x00, 0x00, 0x00,  //
                                0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                          //
                                0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                          //
                                0x02, 0x00, 0x00, 0x00, 0xE9, 0x00, 0xFF, 0xFF, 0x00, 0x00}));
}

TEST(VoIStream, WriteValueTakesTextLiteralsAsStrings) {
    TestStream s;
    EXPECT_TRUE(VoIStream::WriteValue(&s, u"ab"));
    EXPECT_TRUE(VoIStream::WriteValue(&s, "c"));
    EXPECT_EQ(s.Bytes(), (Bytes{0x02, 0x00, 0x00, 0x00, 0x61, 0x00, 0x62, 0x00, 0x00, 0x00,  //
                                0x01, 0x00, 0x00, 0x00, 0x63, 0x00, 0x00, 0x00}));
}

TEST(VoIStream, ReadsEveryTypedValueBack) {
    TestStream s({0x01, 0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 0x00, 0x00, 0x80, 0x3F,
                    0x02, 0x00, 0x00, 0x00, 0x61, 0x00, 0x62, 0x00, 0x00, 0x00});
    bool flag = false;
    unsigned char byte = 0;
    unsigned short half = 0;
    std::int32_t signedValue = 0;
    std::uint32_t unsignedValue = 0;
    float real = 0.0f;
    VoString text;
    EXPECT_TRUE(s.ReadBool(&flag));
    EXPECT_TRUE(s.ReadByte(&byte));
    EXPECT_TRUE(s.ReadUShort(&half));
    EXPECT_TRUE(s.ReadInt(&signedValue));
    EXPECT_TRUE(s.ReadUInt(&unsignedValue));
    EXPECT_TRUE(s.ReadFloat(&real));
    EXPECT_TRUE(s.ReadString(&text));
    EXPECT_TRUE(flag);
    EXPECT_EQ(byte, 0xAB);
    EXPECT_EQ(half, 0x1234);
    EXPECT_EQ(signedValue, -2);
    EXPECT_EQ(unsignedValue, 0x01020304u);
    EXPECT_EQ(real, 1.0f);
    EXPECT_TRUE(text == VoString(u"ab"));
    EXPECT_EQ(s.GetPosition(), 26u);
}

TEST(VoIStream, ReadBoolTakesAnyNonzeroByteAsTrue) {
    TestStream s({0x00, 0x7F, 0xFF});
    bool value = true;
    EXPECT_TRUE(s.ReadBool(&value));
    EXPECT_FALSE(value);
    EXPECT_TRUE(s.ReadBool(&value));
    EXPECT_TRUE(value);
    value = false;
    EXPECT_TRUE(VoIStream::ReadValue(&s, &value));
    EXPECT_TRUE(value);
}

TEST(VoIStream, TruncatedScalarsFailAndLeaveTheTarget) {
    TestStream s({0x01, 0x02, 0x03});
    std::int32_t signedValue = 77;
    std::uint32_t unsignedValue = 77;
    float real = 7.0f;
    EXPECT_FALSE(s.ReadInt(&signedValue));
    EXPECT_FALSE(s.ReadUInt(&unsignedValue));
    EXPECT_FALSE(s.ReadFloat(&real));
    EXPECT_EQ(signedValue, 77);
    EXPECT_EQ(unsignedValue, 77u);
    EXPECT_EQ(real, 7.0f);
    unsigned short half = 7;
    EXPECT_TRUE(s.ReadUShort(&half));
    EXPECT_EQ(half, 0x0201);
    EXPECT_FALSE(s.ReadUShort(&half));
    EXPECT_EQ(half, 0x0201);
    unsigned char byte = 0;
    bool flag = false;
    EXPECT_TRUE(s.ReadByte(&byte));
    EXPECT_FALSE(s.ReadByte(&byte));
    EXPECT_FALSE(s.ReadBool(&flag));
    EXPECT_EQ(byte, 0x03);
}

TEST(VoIStream, TruncatedStringsFailAndLeaveTheTarget) {
    const Bytes cases[] = {
        {0x02, 0x00},                                      // inside the count
        {0x02, 0x00, 0x00, 0x00, 0x61, 0x00, 0x62},        // inside the units
        {0x02, 0x00, 0x00, 0x00, 0x61, 0x00, 0x62, 0x00},  // before the terminator
        {0xFF, 0xFF, 0xFF, 0xFF, 0x61, 0x00, 0x00, 0x00},  // a count no stream can hold
    };
    for (const Bytes& bytes : cases) {
        TestStream s(bytes);
        VoString text(u"kept");
        EXPECT_FALSE(s.ReadString(&text));
        EXPECT_TRUE(text == VoString(u"kept"));
    }
}

// A count that exceeds what the stream still holds is refused before any
// buffer is sized by it.
TEST(VoIStream, LengthsBeyondTheDataAreRefusedUpFront) {
    TestStream s({0x00, 0x00, 0x00, 0x40, 0x61, 0x00, 0x00, 0x00});
    VoString text;
    LogCapture log;
    EXPECT_FALSE(s.ReadString(&text));
    EXPECT_TRUE(log.Contains(VoIStream::kLengthRefused));
    EXPECT_EQ(s.GetReadCalls(), 1);
}

TEST(VoIStream, StreamOfUnknownSizeCapsLengths) {
    TestStream big({0x01, 0x00, 0x00, 0x01, 0x00, 0x00});
    big.HideSize();
    VoString text(u"kept");
    LogCapture log;
    EXPECT_FALSE(big.ReadString(&text));
    EXPECT_TRUE(log.Contains(VoIStream::kLengthRefused));
    EXPECT_TRUE(text == VoString(u"kept"));

    // Under the cap the read itself decides.
    TestStream small({0x03, 0x00, 0x00, 0x00, 0x61, 0x00});
    small.HideSize();
    EXPECT_FALSE(small.ReadString(&text));
    EXPECT_TRUE(text == VoString(u"kept"));
}

TEST(VoIStream, StringEndsAtItsCountWhateverTheTerminatorHolds) {
    TestStream s({0x02, 0x00, 0x00, 0x00, 0x61, 0x00, 0x00, 0x00, 0x7A, 0x00,  //
                    0x01, 0x00, 0x00, 0x00, 0x62, 0x00, 0x63, 0x00});
    VoString text;
    EXPECT_TRUE(s.ReadString(&text));
    EXPECT_TRUE(text == VoString(u"a"));  // up to the first zero unit
    EXPECT_TRUE(s.ReadString(&text));
    EXPECT_TRUE(text == VoString(u"b"));
}

TEST(VoIStream, ReadCharsHandsOutATerminatedArray) {
    TestStream s({'a', 'b', 'c', 'd'});
    char* text = nullptr;
    ASSERT_TRUE(s.ReadChars(3, &text));
    EXPECT_STREQ(text, "abc");
    delete[] text;
    text = nullptr;
    EXPECT_FALSE(s.ReadChars(2, &text));
    EXPECT_EQ(text, nullptr);
    ASSERT_TRUE(s.ReadChars(0, &text));
    EXPECT_STREQ(text, "");
    delete[] text;
}

TEST(VoIStream, ReadWCharsHandsOutATerminatedArray) {
    TestStream s({0x68, 0x00, 0xAC, 0x20, 0x21});
    char16_t* text = nullptr;
    ASSERT_TRUE(s.ReadWChars(2, &text));
    EXPECT_EQ(std::u16string(text), u"h\u20AC");
    delete[] text;
    text = nullptr;
    EXPECT_FALSE(s.ReadWChars(1, &text));
    EXPECT_EQ(text, nullptr);
}

TEST(VoIStream, ArrayReadersCheckTheirArguments) {
    TestStream s({'a', 'b', 0x00, 0x00});
    char held = 'x';
    char* filled = &held;
    char16_t* wide = nullptr;
    LogCapture log;
    EXPECT_FALSE(s.ReadChars(-1, &filled));
    EXPECT_FALSE(s.ReadWChars(-1, &wide));
    EXPECT_EQ(log.Count("aNumChars is negative."), 2);
    EXPECT_FALSE(s.ReadChars(1, &filled));
    EXPECT_FALSE(s.ReadChars(1, nullptr));
    EXPECT_FALSE(s.ReadWChars(1, nullptr));
    EXPECT_FALSE(s.ReadCString(&filled));
    EXPECT_FALSE(s.ReadWCString(nullptr));
    EXPECT_EQ(log.Count("Invalid argument."), 5);
    EXPECT_EQ(filled, &held);
    EXPECT_EQ(s.GetReadCalls(), 0);
}

TEST(VoIStream, ReadCStringReadsThroughTheTerminator) {
    TestStream s({'a', 'b', 'c', 0x00, 'x', 0x00});
    char* text = nullptr;
    ASSERT_TRUE(s.ReadCString(&text));
    EXPECT_STREQ(text, "abc");
    EXPECT_EQ(s.GetPosition(), 4u);
    delete[] text;
    text = nullptr;
    ASSERT_TRUE(s.ReadCString(&text));
    EXPECT_STREQ(text, "x");
    delete[] text;
}

TEST(VoIStream, ReadCStringWithoutTerminatorFailsWhereItStands) {
    TestStream s({'a', 'b', 'c'});
    s.SetPosition(1);
    char* text = nullptr;
    EXPECT_FALSE(s.ReadCString(&text));
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(s.GetPosition(), 1u);
    TestStream unsized({'a', 'b', 'c'});
    unsized.HideSize();
    EXPECT_FALSE(unsized.ReadCString(&text));
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(unsized.GetPosition(), 0u);
    char16_t* wide = nullptr;
    EXPECT_FALSE(unsized.ReadWCString(&wide));
    EXPECT_EQ(unsized.GetPosition(), 0u);
}

TEST(VoIStream, ReadWCStringReadsThroughTheTerminatorUnit) {
    TestStream s({0x61, 0x00, 0x00, 0x01, 0x00, 0x00, 0x62});
    char16_t* text = nullptr;
    ASSERT_TRUE(s.ReadWCString(&text));
    EXPECT_EQ(std::u16string(text), u"a\u0100");
    EXPECT_EQ(s.GetPosition(), 6u);
    delete[] text;
    text = nullptr;
    EXPECT_FALSE(s.ReadWCString(&text));  // a lone byte is no unit
    EXPECT_EQ(text, nullptr);
}

TEST(VoIStream, WriteStringFailsWhenEitherWriteFails) {
    for (int failing = 0; failing < 2; ++failing) {
        TestStream s;
        s.FailWrite(failing);
        EXPECT_FALSE(s.WriteString(VoString(u"ab")));
        EXPECT_EQ(s.GetWriteCalls(), 2);
    }
}

TEST(VoIStream, WritersPassOnTheWriteResult) {
    TestStream s;
    for (int call = 0; call < 6; ++call) {
        s.FailWrite(call);
    }
    EXPECT_FALSE(s.WriteBool(true));
    EXPECT_FALSE(s.WriteByte(1));
    EXPECT_FALSE(s.WriteUShort(1));
    EXPECT_FALSE(s.WriteInt(1));
    EXPECT_FALSE(s.WriteUInt(1));
    EXPECT_FALSE(s.WriteFloat(1));
    EXPECT_TRUE(s.Bytes().empty());
}

TEST(VoIStream, EmptyTextsAndBinaryCommentsWriteNothing) {
    TestStream s;
    LogCapture log;
    EXPECT_FALSE(s.WriteChars(""));
    EXPECT_FALSE(s.WriteChars(nullptr));
    EXPECT_FALSE(s.WriteWChars(u""));
    EXPECT_EQ(log.Count("Invalid argument."), 3);
    EXPECT_FALSE(s.WriteComment(VoString(u"note")));
    EXPECT_EQ(s.GetWriteCalls(), 0);
}

TEST(VoIStream, NullStreamIsRefused) {
    LogCapture log;
    std::int32_t value = 5;
    EXPECT_FALSE(VoIStream::WriteValue(nullptr, 1));
    EXPECT_FALSE(VoIStream::ReadValue(nullptr, &value));
    TestStream s({0x01, 0x00, 0x00, 0x00});
    EXPECT_FALSE(VoIStream::ReadValue(&s, static_cast<std::int32_t*>(nullptr)));
    EXPECT_EQ(log.Count("NULL arg."), 3);
    EXPECT_EQ(value, 5);
}

TEST(VoIStream, InvalidModeFallsBackToTextMode) {
    StreamModeGuard guard;
    LogCapture log;
    EXPECT_FALSE(VoIStream::SetStreamMode(2));
    EXPECT_TRUE(log.Contains("Invalid mode: 2, using MODE_TEXT."));
    EXPECT_EQ(VoIStream::GetStreamMode(), VoIStream::MODE_TEXT);
    EXPECT_TRUE(VoIStream::SetStreamMode(VoIStream::MODE_BINARY));
    EXPECT_EQ(VoIStream::GetStreamMode(), VoIStream::MODE_BINARY);
}

TEST(VoIStream, TextModeWritesTaggedLines) {
    StreamModeGuard guard;
    ASSERT_TRUE(VoIStream::SetStreamMode(VoIStream::MODE_TEXT));
    TestStream s;
    EXPECT_TRUE(s.WriteInt(42));
    EXPECT_TRUE(s.WriteBool(true));
    EXPECT_TRUE(s.WriteByte(200));
    EXPECT_TRUE(s.WriteUShort(65535));
    EXPECT_TRUE(s.WriteUInt(7u));
    EXPECT_TRUE(s.WriteFloat(1.5f));
    EXPECT_TRUE(s.WriteString(VoString(u"ab")));
    EXPECT_TRUE(s.WriteChars("hi"));
    EXPECT_TRUE(s.WriteWChars(u"yo!"));
    EXPECT_TRUE(s.WriteComment(VoString(u"note")));
    EXPECT_EQ(s.GetWriteCalls(), 10);
    EXPECT_EQ(s.Units(),
              u"<xint>42\n<xbool>true\n<xbyte>200\n<xushort>65535\n<xuint>7\n<xfloat>1.500000\n"
              u"<VoString>ab\n<xchar[2]>hi\n<xwchar[3]>yo!\n<comment>note\n");
}

TEST(VoIStream, ReadersIgnoreTextMode) {
    StreamModeGuard guard;
    ASSERT_TRUE(VoIStream::SetStreamMode(VoIStream::MODE_TEXT));
    TestStream s({0x2A, 0x00, 0x00, 0x00});
    std::int32_t value = 0;
    EXPECT_TRUE(s.ReadInt(&value));
    EXPECT_EQ(value, 42);
}
