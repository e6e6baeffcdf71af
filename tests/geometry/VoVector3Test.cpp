#include "geometry/VoVector3.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/GeometryTestSupport.h"

using testing::ElementsAre;
using testing::IsEmpty;

TEST(VoVector3, BuiltAndAssignedFromVector2WithZeroZ) {
    EXPECT_EQ(VoVector3(VoVector2(1.0f, 2.0f)), VoVector3(1.0f, 2.0f, 0.0f));
    VoVector3 v(7.0f, 8.0f, 9.0f);
    v = VoVector2(1.0f, 2.0f);
    EXPECT_EQ(v, VoVector3(1.0f, 2.0f, 0.0f));
    EXPECT_EQ(VoVector3(1, 2, 3), VoVector3(1.0, 2.0, 3.0));
}

TEST(VoVector3, IndexThreeLogsAndGivesZero) {
    LogCapture log;
    const VoVector3 v(1.0f, 2.0f, 3.0f);
    EXPECT_EQ(v[2], 3.0f);
    EXPECT_EQ(v[3], 0.0f);
    EXPECT_THAT(log.Lines(), ElementsAre(IsError("Index out of bounds.")));
}

TEST(VoVector3, ComparisonsAndToleranceEquality) {
    EXPECT_TRUE(VoVector3(0.0f, 0.0f, 0.0f) < VoVector3(1.0f, 1.0f, 1.0f));
    EXPECT_FALSE(VoVector3(0.0f, 1.0f, 0.0f) < VoVector3(1.0f, 1.0f, 1.0f));
    EXPECT_FALSE(VoVector3(0.0f, 2.0f, 0.0f) >= VoVector3(1.0f, 1.0f, 1.0f));
    EXPECT_TRUE(VoVector3(1.0f, 2.0f, 3.0f).Equals(VoVector3(1.1f, 1.9f, 3.0f), 0.11f));
    EXPECT_FALSE(VoVector3(1.0f, 2.0f, 3.0f).Equals(VoVector3(1.0f, 2.0f, 3.2f), 0.1f));
}

TEST(VoVector3, DotAndCross) {
    const VoVector3 x(1.0f, 0.0f, 0.0f);
    const VoVector3 y(0.0f, 1.0f, 0.0f);
    EXPECT_EQ(VoVector3::Cross(x, y), VoVector3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(VoVector3::Cross(y, x), VoVector3(0.0f, 0.0f, -1.0f));
    EXPECT_EQ(VoVector3::Dot(VoVector3(1.0f, 2.0f, 3.0f), VoVector3(4.0f, -5.0f, 6.0f)), 12.0f);
    EXPECT_FLOAT_EQ(VoVector3(2.0f, 3.0f, 6.0f).Length(), 7.0f);
}

TEST(VoVector3, NormalizeOfZeroLogsWhileInPlaceStaysSilent) {
    LogCapture log;
    VoVector3 zero;
    zero.NormalizeInPlace(0.0001f);
    EXPECT_EQ(zero, VoVector3(0.0f, 1.0f, 0.0f));
    EXPECT_THAT(log.Lines(), IsEmpty());

    EXPECT_EQ(VoVector3().Normalize(0.0001f), VoVector3(0.0f, 1.0f, 0.0f));
    VoVector3 out(5.0f, 5.0f, 5.0f);
    VoVector3().Normalize(out, 0.0001f);
    EXPECT_EQ(out, VoVector3(0.0f, 1.0f, 0.0f));
    EXPECT_THAT(log.Lines(),
                ElementsAre(IsAssertFailure("Normalize failure."), IsAssertFailure("Normalize failure.")));
}

TEST(VoVector3, NormalizeScalesOrKeepsNearUnitVectors) {
    const VoVector3 scaled = VoVector3(0.0f, 3.0f, 4.0f).Normalize(0.0001f);
    EXPECT_FLOAT_EQ(scaled.y, 0.6f);
    EXPECT_FLOAT_EQ(scaled.z, 0.8f);
    const VoVector3 nearUnit(0.0f, 0.0f, 1.00004f);
    EXPECT_EQ(nearUnit.Normalize(0.0001f), nearUnit);
    VoVector3 inPlace(nearUnit);
    EXPECT_EQ(inPlace.NormalizeInPlace(0.0001f), nearUnit);
    // A squared length equal to the tolerance: the silent form compares
    // strictly and scales, the logging form falls back.
    VoVector3 tiny(0.01f, 0.0f, 0.0f);
    const float squared = tiny.LengthSquared();
    LogCapture log;
    EXPECT_EQ(tiny.Normalize(squared), VoVector3(0.0f, 1.0f, 0.0f));
    tiny.NormalizeInPlace(squared);
    EXPECT_NEAR(tiny.x, 1.0f, 1e-6f);
}

TEST(VoVector3, SameSignsCountsZeroAsNonNegative) {
    EXPECT_FALSE(VoVector3(0.0f, 0.0f, 0.0f).SameSigns(VoVector3(-1.0f, 0.0f, 0.0f)));
    EXPECT_TRUE(VoVector3(0.0f, -2.0f, 3.0f).SameSigns(VoVector3(4.0f, -0.5f, 0.0f)));
    EXPECT_FALSE(VoVector3(1.0f, 1.0f, -1.0f).SameSigns(VoVector3(1.0f, 1.0f, 0.0f)));
}

TEST(VoVector3, ValueStringJoinsWithBars) {
    EXPECT_EQ(Narrow(VoVector3(1.0f, -2.5f, 0.0f).ToValueString()), "1.000000|-2.500000|0.000000");
}

TEST(VoVector3, StoresXYZAsLittleEndianFloats) {
    ExpectStoredAs(VoVector3(1.0f, 0.5f, -2.0f),
                   {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x00, 0xC0}, VoVector3());
    TestStream in({0x00, 0x00, 0x40, 0x40, 0x00, 0x00, 0x80, 0x40, 0x00, 0x00, 0x80, 0x3E});
    VoVector3 read;
    ASSERT_TRUE(read.Read(&in));
    EXPECT_EQ(read, VoVector3(3.0f, 4.0f, 0.25f));
}

TEST(VoVector3, ShortOrFailingStreamLeavesTheVectorAlone) {
    ExpectShortInputRefused<VoVector3>(
        {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x00, 0xC0},
        VoVector3(7.0f, 8.0f, 9.0f));
    // The last component failing must not leave the first two read.
    ExpectEveryComponentAttempted(VoVector3(7.0f, 8.0f, 9.0f), 3, 2);
}
