#include "container/VoFloat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <locale>
#include <vector>

#include "support/LogCapture.h"
#include "support/TestStream.h"

namespace {

float Parse(const char16_t* apText) { return VoFloat(VoString(apText)).fValue; }

// A process locale whose decimal separator is a comma.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

}  // namespace

TEST(VoFloat, ParsesTheLeadingDecimalNumber) {
    EXPECT_FLOAT_EQ(Parse(u"1.5"), 1.5f);
    EXPECT_FLOAT_EQ(Parse(u"-.5"), -0.5f);
    EXPECT_FLOAT_EQ(Parse(u"12abc"), 12.0f);
    EXPECT_FLOAT_EQ(Parse(u"1,5"), 1.0f);
    EXPECT_FLOAT_EQ(Parse(u"3-"), 3.0f);
    EXPECT_FLOAT_EQ(Parse(u"1.2.3"), 1.2f);
    EXPECT_FLOAT_EQ(Parse(u"007.25"), 7.25f);
}

TEST(VoFloat, TextThatIsNotANumberGivesZero) {
    for (const char16_t* text : {u"+3", u"--3", u"", u"-", u".", u" 1", u"abc"}) {
        const float value = Parse(text);
        EXPECT_EQ(value, 0.0f);
        EXPECT_FALSE(std::signbit(value));
    }
}

TEST(VoFloat, MinusZeroKeepsItsSign) {
    const float value = Parse(u"-0");
    EXPECT_EQ(value, 0.0f);
    EXPECT_TRUE(std::signbit(value));
}

TEST(VoFloat, ExponentStopsTheScanWithOneReport) {
    LogCapture log;
    EXPECT_FLOAT_EQ(Parse(u"1e5"), 1.0f);
    EXPECT_EQ(Parse(u"E7"), 0.0f);
    EXPECT_FLOAT_EQ(Parse(u"2.5E3e4"), 2.5f);
    EXPECT_EQ(log.Count("ASSERT FAILURE: "), 3);
    EXPECT_EQ(log.Count("Exponential notation not supported!"), 3);
}

TEST(VoFloat, ParsingIgnoresTheProcessLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    const float value = Parse(u"2.75");
    std::locale::global(previous);
    EXPECT_FLOAT_EQ(value, 2.75f);
}

TEST(VoFloat, TooManyDigitsGiveInfinity) {
    std::u16string digits(400, u'9');
    EXPECT_TRUE(std::isinf(VoFloat(VoString(digits.c_str())).fValue));
    EXPECT_TRUE(std::isinf(VoFloat(1e300).fValue));
}

// Just above the largest float still rounds down to it; only from half a
// unit in its last place on does the value become infinity.
TEST(VoFloat, ValuesJustAboveTheLargestFloatRoundToIt) {
    EXPECT_EQ(VoFloat(3.4028235e38).fValue, FLT_MAX);
    EXPECT_EQ(VoFloat(-3.4028235e38).fValue, -FLT_MAX);
    EXPECT_TRUE(std::isinf(VoFloat(3.4028236e38).fValue));
    EXPECT_EQ(Parse(u"340282350000000000000000000000000000000"), FLT_MAX);
    EXPECT_EQ(Parse(u"-340282350000000000000000000000000000000"), -FLT_MAX);
    EXPECT_TRUE(std::isinf(Parse(u"340282357000000000000000000000000000000")));
}

TEST(VoFloat, NumericConstructors) {
    EXPECT_EQ(VoFloat().fValue, 0.0f);
    EXPECT_EQ(VoFloat(static_cast<unsigned char>(200)).fValue, 200.0f);
    EXPECT_EQ(VoFloat(-7).fValue, -7.0f);
    EXPECT_EQ(VoFloat(4294967295u).fValue, 4294967296.0f);
    EXPECT_EQ(VoFloat(0.1).fValue, 0.1f);
    VoFloat copy(VoFloat(2.5f));
    EXPECT_EQ(copy.fValue, 2.5f);
    copy = VoFloat(3.5f);
    EXPECT_EQ(copy.fValue, 3.5f);
}

TEST(VoFloat, StreamsAsFourLittleEndianBytes) {
    TestStream out;
    ASSERT_TRUE(VoFloat(1.0f).Write(&out));
    EXPECT_EQ(out.Bytes(), (std::vector<unsigned char>{0x00, 0x00, 0x80, 0x3F}));
    TestStream in({0x00, 0x00, 0x20, 0xC1});
    VoFloat read;
    ASSERT_TRUE(read.Read(&in));
    EXPECT_EQ(read.fValue, -10.0f);
    EXPECT_FALSE(read.Read(&in));
    EXPECT_EQ(read.fValue, -10.0f);
}

TEST(VoFloat, ToStringShowsTheValue) {
    const VoFloat value(1.5f);
    VoString text = value.ToString();
    EXPECT_EQ(text.Find(u"[VoFloat <", 0), 0);
    EXPECT_GT(text.Find(u"> value:1.500000]", 0), 0);
}
