#include "container/VoUInt.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::uint32_t Parse(const char16_t* apText) { return VoUInt(VoString(apText)).fValue; }

}  // namespace

TEST(VoUInt, ParsesLeadingDigitsOnly) {
    EXPECT_EQ(Parse(u"-5"), 0u);
    EXPECT_EQ(Parse(u"+5"), 0u);
    EXPECT_EQ(Parse(u"12.9"), 12u);
    EXPECT_EQ(Parse(u"0042abc"), 42u);
    EXPECT_EQ(Parse(u""), 0u);
}

TEST(VoUInt, DigitsWrapModulo2To32) {
    EXPECT_EQ(Parse(u"4294967295"), 4294967295u);
    EXPECT_EQ(Parse(u"4294967296"), 0u);
    EXPECT_EQ(Parse(u"4294967297"), 1u);
}

TEST(VoUInt, NumericConstructors) {
    EXPECT_EQ(VoUInt(-1).fValue, 4294967295u);
    EXPECT_EQ(VoUInt(3.0e9).fValue, 3000000000u);
    EXPECT_EQ(VoUInt(-1.0f).fValue, 4294967295u);
    EXPECT_EQ(VoUInt(2.99f).fValue, 2u);
    EXPECT_EQ(VoUInt(6.0e9).fValue, static_cast<std::uint32_t>(6000000000ull));
}

TEST(VoUInt, FloatsBeyond64BitsSaturate) {
    EXPECT_EQ(VoUInt(1e20).fValue, 0xFFFFFFFFu);
    EXPECT_EQ(VoUInt(-1e20).fValue, 0u);
    EXPECT_EQ(VoUInt(-HUGE_VALF).fValue, 0u);
    EXPECT_EQ(VoUInt(std::nanf("")).fValue, 0u);
}

TEST(VoUInt, ToStringShowsTheValueAsTheStringFormatsIt) {
    VoString text = VoUInt(7u).ToString();
    EXPECT_EQ(text.Find(u"[VoUInt <", 0), 0);
    EXPECT_GT(text.Find(u"> value:7]", 0), 0);
}
