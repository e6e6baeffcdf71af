#include "container/VoInt.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "support/TestStream.h"

namespace {

std::int32_t Parse(const char16_t* apText) { return VoInt(VoString(apText)).fValue; }

}  // namespace

TEST(VoInt, ParsesTheLeadingSignedInteger) {
    EXPECT_EQ(Parse(u"-"), 0);
    EXPECT_EQ(Parse(u"1-2"), 1);
    EXPECT_EQ(Parse(u"007"), 7);
    EXPECT_EQ(Parse(u"-42x"), -42);
    EXPECT_EQ(Parse(u"12.9"), 12);
    EXPECT_EQ(Parse(u"+5"), 0);
    EXPECT_EQ(Parse(u""), 0);
    EXPECT_EQ(Parse(u" 5"), 0);
}

TEST(VoInt, DigitsWrapModulo2To32) {
    EXPECT_EQ(Parse(u"4294967295"), -1);
    EXPECT_EQ(Parse(u"2147483648"), INT_MIN);
    EXPECT_EQ(Parse(u"-2147483648"), INT_MIN);
    EXPECT_EQ(Parse(u"4294967296"), 0);
}

TEST(VoInt, FloatsTruncateTowardZeroKeepingTheLow32Bits) {
    EXPECT_EQ(VoInt(3.9f).fValue, 3);
    EXPECT_EQ(VoInt(-3.9).fValue, -3);
    EXPECT_EQ(VoInt(3.0e9).fValue, static_cast<std::int32_t>(3000000000u));
    EXPECT_EQ(VoInt(static_cast<unsigned char>(255)).fValue, 255);
}

// Out of the 64-bit range the conversion saturates there, then keeps the low
// 32 bits, instead of being undefined.
TEST(VoInt, FloatsBeyond64BitsSaturate) {
    EXPECT_EQ(VoInt(1e30).fValue, -1);
    EXPECT_EQ(VoInt(-1e30f).fValue, 0);
    EXPECT_EQ(VoInt(HUGE_VAL).fValue, -1);
    EXPECT_EQ(VoInt(std::nan("")).fValue, 0);
}

TEST(VoInt, StreamsAsFourLittleEndianBytes) {
    TestStream out;
    ASSERT_TRUE(VoInt(-2).Write(&out));
    EXPECT_EQ(out.Bytes(), (std::vector<unsigned char>{0xFE, 0xFF, 0xFF, 0xFF}));
    TestStream in({0x04, 0x03, 0x02, 0x01, 0x05});
    VoInt read;
    ASSERT_TRUE(read.Read(&in));
    EXPECT_EQ(read.fValue, 0x01020304);
    EXPECT_FALSE(read.Read(&in));
    EXPECT_EQ(read.fValue, 0x01020304);
}

TEST(VoInt, ToStringShowsTheValue) {
    VoString text = VoInt(-17).ToString();
    EXPECT_EQ(text.Find(u"[VoInt <", 0), 0);
    EXPECT_GT(text.Find(u"> value:-17]", 0), 0);
}
