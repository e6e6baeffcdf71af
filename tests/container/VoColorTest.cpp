#include "container/VoColor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "support/TestStream.h"

namespace {

void ExpectChannels(const VoColor& aColor, float aA, float aR, float aG, float aB) {
    EXPECT_FLOAT_EQ(aColor.fA, aA);
    EXPECT_FLOAT_EQ(aColor.fR, aR);
    EXPECT_FLOAT_EQ(aColor.fG, aG);
    EXPECT_FLOAT_EQ(aColor.fB, aB);
}

}  // namespace

TEST(VoColor, DefaultIsTransparentBlack) { ExpectChannels(VoColor(), 0, 0, 0, 0); }

TEST(VoColor, FloatConstructorsClampEachChannel) {
    ExpectChannels(VoColor(1.5f, -0.2f, 0.5f), 1, 1, 0, 0.5f);
    ExpectChannels(VoColor(-1.0f, 2.0f, 0.25f, 1.0f), 0, 1, 0.25f, 1);
    const VoColor withNaN(std::nanf(""), 0.5f, 0.5f, 0.5f);
    EXPECT_TRUE(std::isnan(withNaN.fA));
}

TEST(VoColor, ByteConstructorsDivideBy255) {
    using Byte = unsigned char;
    ExpectChannels(VoColor(Byte(255), Byte(0), Byte(51)), 1, 1, 0, 0.2f);
    ExpectChannels(VoColor(Byte(0), Byte(255), Byte(102), Byte(255)), 0, 1, 0.4f, 1);
}

TEST(VoColor, PackedConstructorReadsUnsignedBytes) {
    ExpectChannels(VoColor(static_cast<int>(0xFF8000FFu)), 1, 128.0f / 255.0f, 0, 1);
    ExpectChannels(VoColor(0x00000080), 0, 0, 0, 128.0f / 255.0f);
}

TEST(VoColor, GetARGBTruncatesAndPacks) {
    VoColor half;
    half.Set(0.5f, 0.5f, 0.5f, 0.5f);
    EXPECT_EQ(half.GetARGB(), 0x7F7F7F7Fu);
    EXPECT_EQ(VoColor(static_cast<int>(0xFF8000FFu)).GetARGB(), 0xFF8000FFu);
    EXPECT_EQ(VoColor(0.0f, 1.0f, 0.0f, 0.0f).GetARGB(), 0x00FF0000u);
}

// Channels pushed out of 0..1 by Set or the compound operators must not
// spill into their neighbours' bits.
TEST(VoColor, GetARGBClampsEachChannelFirst) {
    VoColor color;
    color.Set(2.0f, -1.0f, 0.5f, std::nanf(""));
    EXPECT_EQ(color.GetARGB(), 0xFF007F00u);
    color.Set(1.0f, 300.0f, 0.0f, 1.0f);
    EXPECT_EQ(color.GetARGB(), 0xFFFF00FFu);
}

TEST(VoColor, NewColourOperatorsClampCompoundOnesDoNot) {
    const VoColor a(0.8f, 0.6f, 0.5f, 0.4f);
    const VoColor b(0.5f, 0.6f, 0.7f, 0.8f);
    ExpectChannels(a + b, 1, 1, 1, 1);
    ExpectChannels(a + -0.5f, 0.3f, 0.1f, 0, 0);
    ExpectChannels(a * b, 0.4f, 0.36f, 0.35f, 0.32f);
    ExpectChannels(a * 2.0f, 1, 1, 1, 0.8f);

    VoColor sum = a;
    sum += b;
    ExpectChannels(sum, 1.3f, 1.2f, 1.2f, 1.2f);
    sum += -2.0f;
    ExpectChannels(sum, -0.7f, -0.8f, -0.8f, -0.8f);
    VoColor product = a;
    product *= 3.0f;
    ExpectChannels(product, 2.4f, 1.8f, 1.5f, 1.2f);
    product *= b;
    ExpectChannels(product, 1.2f, 1.08f, 1.05f, 0.96f);
}

TEST(VoColor, PowWorksInPlaceWithoutClamping) {
    VoColor color;
    color.Set(4.0f, 0.25f, 1.0f, 0.0f);
    color.Pow(0.5f);
    ExpectChannels(color, 2.0f, 0.5f, 1.0f, 0.0f);
}

TEST(VoColor, EqualityComparesAllChannelsAndNaNIsNeverEqual) {
    EXPECT_TRUE(VoColor(0.1f, 0.2f, 0.3f) == VoColor(0.1f, 0.2f, 0.3f));
    EXPECT_TRUE(VoColor(0.1f, 0.2f, 0.3f) != VoColor(0.9f, 0.1f, 0.2f, 0.3f));
    VoColor nan;
    nan.Set(std::nanf(""), 0, 0, 0);
    EXPECT_FALSE(nan == nan);
    EXPECT_TRUE(nan != nan);
}

TEST(VoColor, StreamsAsFourFloatsRedGreenBlueAlpha) {
    VoColor color;
    color.Set(1.0f, 0.5f, 0.25f, 2.0f);
    TestStream out;
    ASSERT_TRUE(color.Write(&out));
    const std::vector<unsigned char> expected = {0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x80, 0x3E,
                                                 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x80, 0x3F};
    EXPECT_EQ(out.Bytes(), expected);

    TestStream in(expected);
    VoColor read;
    ASSERT_TRUE(read.Read(&in));
    ExpectChannels(read, 1.0f, 0.5f, 0.25f, 2.0f);  // nothing clamped on reading
}

TEST(VoColor, ReadAttemptsAllFourChannels) {
    TestStream in({0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x80, 0x3E, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x80, 0x3F});
    in.FailRead(1);
    VoColor read(0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FALSE(read.Read(&in));
    EXPECT_EQ(in.GetReadCalls(), 4);
    EXPECT_FLOAT_EQ(read.fR, 0.5f);
    EXPECT_FLOAT_EQ(read.fG, 0.0f);  // the failed read left it alone
    EXPECT_FLOAT_EQ(read.fB, 0.25f);
    EXPECT_FLOAT_EQ(read.fA, 2.0f);

    TestStream out;
    out.FailWrite(0);
    EXPECT_FALSE(VoColor().Write(&out));
    EXPECT_EQ(out.GetWriteCalls(), 4);
}

TEST(VoColor, ToStringListsTheChannels) {
    const VoColor color(0.5f, 1.0f, 0.0f, 0.25f);
    const VoString text = color.ToString();
    EXPECT_EQ(VoString(text).Find(u"[VoColor <", 0), 0);
    EXPECT_GT(VoString(text).Find(u"> A:0.500000 R:1.000000 G:0.000000 B:0.250000]", 0), 0);
}
