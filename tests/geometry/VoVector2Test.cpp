#include "geometry/VoVector2.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "geometry/VoLine2.h"
#include "support/GeometryTestSupport.h"

using testing::ElementsAre;
using testing::IsEmpty;

TEST(VoVector2, IndexOutOfRangeLogsAndGivesZero) {
    LogCapture log;
    const VoVector2 v(1.0f, 2.0f);
    EXPECT_EQ(v[0], 1.0f);
    EXPECT_EQ(v[1], 2.0f);
    EXPECT_THAT(log.Lines(), IsEmpty());
    EXPECT_EQ(v[2], 0.0f);
    EXPECT_EQ(v[-1], 0.0f);
    EXPECT_THAT(log.Lines(), ElementsAre(IsError("Index out of bounds."), IsError("Index out of bounds.")));
}

TEST(VoVector2, OrderingsHoldOnlyForEveryComponent) {
    EXPECT_TRUE(VoVector2(1.0f, 2.0f) < VoVector2(2.0f, 3.0f));
    EXPECT_FALSE(VoVector2(1.0f, 3.0f) < VoVector2(2.0f, 3.0f));
    EXPECT_TRUE(VoVector2(1.0f, 3.0f) <= VoVector2(2.0f, 3.0f));
    // Neither below nor at-or-above: the orderings are not complements.
    EXPECT_FALSE(VoVector2(1.0f, 3.0f) >= VoVector2(2.0f, 2.0f));
    EXPECT_FALSE(VoVector2(1.0f, 3.0f) < VoVector2(2.0f, 2.0f));
    EXPECT_TRUE(VoVector2(2.0f, 3.0f) > VoVector2(1.0f, 2.0f));
    EXPECT_TRUE(VoVector2(1.0f, 2.0f) != VoVector2(1.0f, 2.5f));
}

TEST(VoVector2, NormalizeFallsBackToUpAndKeepsNearUnitVectors) {
    const VoVector2 scaled = VoVector2(3.0f, 4.0f).Normalize(0.0001f);
    EXPECT_FLOAT_EQ(scaled.x, 0.6f);
    EXPECT_FLOAT_EQ(scaled.y, 0.8f);
    EXPECT_EQ(VoVector2(0.0f, 0.0f).Normalize(0.0001f), VoVector2(0.0f, 1.0f));
    // Squared length within the tolerance of 1: bit for bit unchanged.
    const VoVector2 nearUnit(1.00003f, 0.0f);
    EXPECT_EQ(nearUnit.Normalize(0.0001f), nearUnit);
    VoVector2 inPlace(0.0f, -5.0f);
    inPlace.NormalizeInPlace(0.0001f);
    EXPECT_EQ(inPlace, VoVector2(0.0f, -1.0f));
}

TEST(VoVector2, Rotations) {
    VoVector2 v(1.0f, 0.0f);
    v.Rotate(kPi / 2.0f);
    EXPECT_NEAR(v.x, 0.0f, 1e-6f);
    EXPECT_NEAR(v.y, 1.0f, 1e-6f);
    EXPECT_EQ(VoVector2(1.0f, 0.0f).Rotate90CCW(), VoVector2(0.0f, 1.0f));
    EXPECT_EQ(VoVector2(1.0f, 0.0f).Rotate90CW(), VoVector2(0.0f, -1.0f));
    EXPECT_EQ(VoVector2(2.0f, 3.0f).Rotate90CCW(), VoVector2(-3.0f, 2.0f));
}

TEST(VoVector2, AngleBetweenKeepsZeroForTinyDotProducts) {
    EXPECT_NEAR(VoVector2(1.0f, 0.0f).AngleBetween(VoVector2(1.0f, 1.0f)), kPi / 4.0f, 1e-6f);
    EXPECT_NEAR(VoVector2(1.0f, 0.0f).AngleBetween(VoVector2(-1.0f, 0.0f)), kPi, 1e-6f);
    // Perpendicular vectors and zero-length vectors both give 0.
    EXPECT_EQ(VoVector2(1.0f, 0.0f).AngleBetween(VoVector2(0.0f, 1.0f)), 0.0f);
    EXPECT_EQ(VoVector2(0.0f, 0.0f).AngleBetween(VoVector2(1.0f, 0.0f)), 0.0f);
    EXPECT_EQ(VoVector2(1.0f, 2.0f).AngleBetween(VoVector2(0.0f, 0.0f)), 0.0f);
}

TEST(VoVector2, AngleBetweenPointsIsTheInteriorAngle) {
    const VoVector2 corner(0.0f, 0.0f);
    EXPECT_NEAR(corner.AngleBetweenPoints(VoVector2(1.0f, 0.0f), VoVector2(0.0f, 1.0f)), kPi / 2.0f, 1e-6f);
    EXPECT_NEAR(corner.AngleBetweenPoints(VoVector2(1.0f, 0.0f), VoVector2(1.0f, 1.0f)), kPi / 4.0f, 1e-6f);
    // This point on a corner of the triangle: no division by zero, no NaN.
    EXPECT_EQ(corner.AngleBetweenPoints(corner, VoVector2(1.0f, 1.0f)), 0.0f);
    EXPECT_EQ(corner.AngleBetweenPoints(VoVector2(1.0f, 1.0f), corner), 0.0f);
}

TEST(VoVector2, SlopeOfAVerticalRunDividesByTheTolerance) {
    EXPECT_FLOAT_EQ(VoVector2(1.0f, 5.0f).Slope(VoVector2(1.0f, 3.0f)), 2.0f / 2.7e-5f);
    EXPECT_FLOAT_EQ(VoVector2(0.0f, 0.0f).Slope(VoVector2(2.0f, 1.0f)), 0.5f);
}

TEST(VoVector2, SideOfLine) {
    const VoVector2 a(1.0f, 0.0f);
    const VoVector2 b(0.0f, 0.0f);
    EXPECT_EQ(VoVector2(0.0f, 1.0f).SideOfLine(a, b), 1);
    EXPECT_EQ(VoVector2(0.0f, -1.0f).SideOfLine(a, b), -1);
    EXPECT_EQ(VoVector2(2.0f, 0.0f).SideOfLine(a, b), 0);
    VoLine2 line;
    line.Set(a, b, VoLine2::kSegment);
    EXPECT_EQ(VoVector2(0.0f, 1.0f).SideOfLine(line), 1);
}

TEST(VoVector2, SameSignsLetsZeroMatchAnything) {
    EXPECT_TRUE(VoVector2(0.0f, -1.0f).SameSigns(VoVector2(5.0f, -2.0f)));
    EXPECT_TRUE(VoVector2(1.0f, -1.0f).SameSigns(VoVector2(0.0f, 0.0f)));
    EXPECT_FALSE(VoVector2(1.0f, 1.0f).SameSigns(VoVector2(1.0f, -1.0f)));
    EXPECT_FALSE(VoVector2(-1.0f, 1.0f).SameSigns(VoVector2(1.0f, 1.0f)));
}

TEST(VoVector2, ToStringShowsAddressAndComponents) {
    const VoVector2 v(1.5f, -2.0f);
    EXPECT_EQ(Narrow(v.ToString()), "[VoVector2 <" + HexAddress(&v) + "> (1.500000, -2.000000)]");
}

TEST(VoVector2, StoresXThenYAsLittleEndianFloats) {
    ExpectStoredAs(VoVector2(1.0f, -2.0f), {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0xC0}, VoVector2());
    TestStream in({0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x40, 0x40});
    VoVector2 read;
    ASSERT_TRUE(read.Read(&in));
    EXPECT_EQ(read, VoVector2(0.5f, 3.0f));
}

TEST(VoVector2, ShortOrFailingStreamLeavesTheVectorAlone) {
    ExpectShortInputRefused<VoVector2>({0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0xC0},
                                       VoVector2(7.0f, 8.0f));
    ExpectEveryComponentAttempted(VoVector2(7.0f, 8.0f), 2, 0);
}

TEST(VoVector2, NullStreamLogsOnce) {
    LogCapture log;
    VoVector2 value(1.0f, 2.0f);
    EXPECT_FALSE(value.Read(nullptr));
    EXPECT_FALSE(value.Write(nullptr));
    EXPECT_THAT(log.Lines(), ElementsAre(IsError("NULL arg."), IsError("NULL arg.")));
    EXPECT_EQ(value, VoVector2(1.0f, 2.0f));
}
