#include "geometry/VoLine2.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/GeometryTestSupport.h"

using testing::ElementsAre;

namespace {

constexpr float kTolerance = 2.7e-5f;

VoLine2 Line(float aX1, float aY1, float aX2, float aY2, std::int32_t aType) {
    return VoLine2(VoVector2(aX1, aY1), VoVector2(aX2, aY2), aType);
}

}  // namespace

TEST(VoLine2, VerticalSlopesKeepTheSignOfTheRise) {
    EXPECT_FLOAT_EQ(Line(0, 0, 0, 10, VoLine2::kSegment).Slope(), 10.0f / kTolerance);
    EXPECT_FLOAT_EQ(Line(0, 10, 0, 0, VoLine2::kSegment).Slope(), -10.0f / kTolerance);
    // A run below the tolerance but not zero, either sign, divides by +2.7e-5.
    EXPECT_FLOAT_EQ(Line(0, 0, -0.00001f, 1, VoLine2::kSegment).Slope(), 1.0f / kTolerance);
    EXPECT_FLOAT_EQ(Line(0, 0, 4, 2, VoLine2::kSegment).Slope(), 0.5f);
}

TEST(VoLine2, SetFromDirectionRefusesAZeroDirection) {
    VoLine2 line = Line(1, 1, 2, 2, VoLine2::kRay);
    EXPECT_FALSE(
        line.SetFromDirection(VoVector2(3.0f, 3.0f), VoVector2(0.00001f, -0.00001f), VoLine2::kSegment));
    EXPECT_EQ(line.p1, VoVector2());
    EXPECT_EQ(line.p2, VoVector2());
    EXPECT_EQ(line.type, VoLine2::kRay);
    EXPECT_TRUE(line.SetFromDirection(VoVector2(3.0f, 3.0f), VoVector2(1.0f, -2.0f), VoLine2::kSegment));
    EXPECT_EQ(line.p2, VoVector2(4.0f, 1.0f));
    EXPECT_EQ(line.type, VoLine2::kSegment);
}

TEST(VoLine2, SetFromSlopeTurnsVerticalOnlyAbove36000) {
    const VoVector2 p(2.0f, 3.0f);
    VoLine2 line;
    ASSERT_TRUE(line.SetFromSlope(p, 36000.0f, VoLine2::kRay));
    EXPECT_EQ(line.p2, p + VoVector2(1.0f, 36000.0f));
    EXPECT_EQ(line.type, VoLine2::kRay);
    line.SetFromSlope(p, 36001.0f, VoLine2::kLine);
    EXPECT_EQ(line.p2, p + VoVector2(0.0f, 1.0f));
    line.SetFromSlope(p, -40000.0f, VoLine2::kLine);
    EXPECT_EQ(line.p2, p + VoVector2(0.0f, 1.0f));
    line.SetFromSlope(p, 0.00002f, VoLine2::kLine);
    EXPECT_EQ(line.p2, p + VoVector2(1.0f, 0.0f));
    line.SetFromSlope(p, -2.0f, VoLine2::kLine);
    EXPECT_EQ(line.p2, p + VoVector2(1.0f, -2.0f));
}

TEST(VoLine2, DirectionPointsFromP1TowardsP2) {
    VoVector2 d = Line(3, 3, 1, 1, VoLine2::kSegment).GetDirection();
    EXPECT_NEAR(d.x, -0.70710678f, 1e-6f);
    EXPECT_NEAR(d.y, -0.70710678f, 1e-6f);
    d = Line(0, 5, 0, 1, VoLine2::kSegment).GetDirection();
    EXPECT_EQ(d.x, 0.0f);
    EXPECT_NEAR(d.y, -1.0f, 1e-6f);
    d = Line(0, 1, 0, 5, VoLine2::kSegment).GetDirection();
    EXPECT_NEAR(d.y, 1.0f, 1e-6f);
    d = Line(1, 0, 4, 4, VoLine2::kSegment).GetDirection();
    EXPECT_NEAR(d.x, 0.6f, 1e-6f);
    EXPECT_NEAR(d.y, 0.8f, 1e-6f);
}

TEST(VoLine2, MeasuresAndSides) {
    const VoLine2 line = Line(0, 0, 6, 8, VoLine2::kSegment);
    EXPECT_FLOAT_EQ(line.Length(), 10.0f);
    EXPECT_FLOAT_EQ(line.LengthSquared(), 100.0f);
    EXPECT_EQ(line.GetMidpoint(), VoVector2(3.0f, 4.0f));
    const VoLine2 xAxis = Line(1, 0, 0, 0, VoLine2::kSegment);
    EXPECT_EQ(xAxis.SideOfPoint(VoVector2(0.0f, 1.0f)), 1);
    EXPECT_EQ(xAxis.SideOfPoint(VoVector2(0.0f, -1.0f)), -1);
    EXPECT_EQ(xAxis.SideOfPoint(VoVector2(7.0f, 0.0f)), 0);
}

TEST(VoLine2, IsParallelUsesTheNarrowTolerance) {
    const VoLine2 a = Line(0, 0, 1, 1, VoLine2::kLine);
    EXPECT_TRUE(a.IsParallel(Line(5, 0, 6, 1, VoLine2::kSegment)));
    // 4e-5 apart: not parallel here, though Intersect calls them parallel.
    const VoLine2 b = Line(0, 0, 1, 1.00004f, VoLine2::kLine);
    EXPECT_FALSE(a.IsParallel(b));
    VoVector2 out(9.0f, 9.0f);
    EXPECT_FALSE(a.Intersect(b, out, false, kTolerance));
    EXPECT_EQ(out, VoVector2(9.0f, 9.0f));
}

TEST(VoLine2, IsWithinExtentUsesTheLongerAxisInclusively) {
    const VoLine2 segment = Line(0, 0, 10, 2, VoLine2::kSegment);
    EXPECT_TRUE(segment.IsWithinExtent(VoVector2(0.0f, 0.0f)));
    EXPECT_TRUE(segment.IsWithinExtent(VoVector2(10.0f, 2.0f)));
    EXPECT_FALSE(segment.IsWithinExtent(VoVector2(10.5f, 2.1f)));
    const VoLine2 steepDown = Line(0, 10, 1, 0, VoLine2::kSegment);
    EXPECT_TRUE(steepDown.IsWithinExtent(VoVector2(0.5f, 5.0f)));
    EXPECT_FALSE(steepDown.IsWithinExtent(VoVector2(1.1f, -1.0f)));
    const VoLine2 ray = Line(0, 10, 1, 0, VoLine2::kRay);
    EXPECT_TRUE(ray.IsWithinExtent(VoVector2(1.1f, -1.0f)));
    EXPECT_FALSE(ray.IsWithinExtent(VoVector2(-0.1f, 11.0f)));
    EXPECT_TRUE(Line(0, 10, 1, 0, VoLine2::kLine).IsWithinExtent(VoVector2(-0.1f, 11.0f)));
}

TEST(VoLine2, RotationsAndReverse) {
    VoLine2 line = Line(1, 1, 3, 1, VoLine2::kSegment);
    EXPECT_EQ(line.Rotate90CCW().p2, VoVector2(1.0f, 3.0f));
    EXPECT_EQ(line.Rotate90CW().p2, VoVector2(3.0f, 1.0f));
    line.Reverse();
    EXPECT_EQ(line.p1, VoVector2(3.0f, 1.0f));
    EXPECT_EQ(line.p2, VoVector2(1.0f, 1.0f));
}

TEST(VoLine2, OffsetMovesAlongTheTurnedDirection) {
    const VoLine2 segment = Line(0, 0, 10, 0, VoLine2::kSegment);
    VoLine2 out;
    ASSERT_TRUE(segment.Offset(2.0f, 1, out));
    EXPECT_EQ(out.p1, VoVector2(0.0f, -2.0f));
    EXPECT_EQ(out.p2, VoVector2(10.0f, -2.0f));
    EXPECT_EQ(out.type, VoLine2::kLine);
    ASSERT_TRUE(segment.Offset(2.0f, -1, out));
    EXPECT_EQ(out.p1, VoVector2(0.0f, 2.0f));
    VoVector2 point(5.0f, 5.0f);
    ASSERT_TRUE(segment.Offset(point, 1.0f, 1));
    EXPECT_EQ(point, VoVector2(5.0f, 4.0f));
}

TEST(VoLine2, OffsetRefusesABadDirection) {
    LogCapture log;
    const VoLine2 segment = Line(0, 0, 10, 0, VoLine2::kSegment);
    VoLine2 out = Line(1, 2, 3, 4, VoLine2::kRay);
    EXPECT_FALSE(segment.Offset(2.0f, 0, out));
    EXPECT_EQ(out.p1, VoVector2(1.0f, 2.0f));
    VoVector2 point(5.0f, 5.0f);
    EXPECT_FALSE(segment.Offset(point, 1.0f, 2));
    EXPECT_EQ(point, VoVector2(5.0f, 5.0f));
    EXPECT_THAT(log.Lines(), ElementsAre(IsError("Offset failure. Invalid direction."),
                                         IsError("Offset failure. Invalid direction.")));
}

TEST(VoLine2, ParallelLinesLeaveTheOutputUntouched) {
    VoVector2 out(7.0f, 7.0f);
    EXPECT_FALSE(
        Line(0, 0, 1, 0, VoLine2::kLine).Intersect(Line(0, 1, 5, 1, VoLine2::kLine), out, false, kTolerance));
    EXPECT_EQ(out, VoVector2(7.0f, 7.0f));
    // Two vertical lines never meet, even when one runs up and the other down.
    EXPECT_FALSE(Line(0, 0, 0, 10, VoLine2::kLine)
                     .Intersect(Line(5, 10, 5, 0, VoLine2::kLine), out, false, kTolerance));
    EXPECT_EQ(out, VoVector2(7.0f, 7.0f));
}

TEST(VoLine2, CrossingSegmentsMeetInBothModes) {
    const VoLine2 a = Line(0, 0, 10, 0, VoLine2::kSegment);
    const VoLine2 b = Line(4, -1, 6, 1, VoLine2::kSegment);
    VoVector2 out;
    EXPECT_TRUE(a.Intersect(b, out, true, kTolerance));
    EXPECT_EQ(out, VoVector2(5.0f, 0.0f));
    EXPECT_TRUE(a.Intersect(b, out, false, kTolerance));
    EXPECT_TRUE(b.Intersect(a, out, true, kTolerance));
    EXPECT_EQ(out, VoVector2(5.0f, 0.0f));
}

TEST(VoLine2, PointOnAnEndIsAcceptedOnlyWhenNotStrict) {
    const VoLine2 segment = Line(0, 0, 10, 0, VoLine2::kSegment);
    const VoLine2 line = Line(9, -1, 11, 1, VoLine2::kLine);
    VoVector2 out;
    EXPECT_FALSE(segment.Intersect(line, out, true, kTolerance));
    EXPECT_TRUE(segment.Intersect(line, out, false, kTolerance));
    EXPECT_EQ(out, VoVector2(10.0f, 0.0f));
    // The same holds with the roles swapped and on the start end.
    EXPECT_FALSE(line.Intersect(segment, out, true, kTolerance));
    EXPECT_TRUE(line.Intersect(segment, out, false, kTolerance));
    const VoLine2 atStart = Line(-1, -1, 1, 1, VoLine2::kLine);
    EXPECT_FALSE(segment.Intersect(atStart, out, true, kTolerance));
    EXPECT_TRUE(segment.Intersect(atStart, out, false, kTolerance));
    EXPECT_EQ(out, VoVector2(0.0f, 0.0f));
}

TEST(VoLine2, StrictModeRefusesPointsNearAnyEnd) {
    // The crossing lies inside both segments but within the tolerance of b's end.
    const VoLine2 a = Line(0, 0, 10, 0, VoLine2::kSegment);
    const VoLine2 b = Line(5, -1, 5.000001f, 0.00001f, VoLine2::kSegment);
    VoVector2 out;
    EXPECT_FALSE(a.Intersect(b, out, true, kTolerance));
    EXPECT_TRUE(a.Intersect(b, out, false, kTolerance));
}

TEST(VoLine2, VerticalLinesMeetSlopedOnes) {
    const VoLine2 horizontal = Line(0, 0, 10, 0, VoLine2::kSegment);
    VoVector2 out;
    EXPECT_FALSE(horizontal.Intersect(Line(20, -5, 20, 5, VoLine2::kLine), out, false, kTolerance));
    EXPECT_EQ(out, VoVector2(20.0f, 0.0f));
    EXPECT_FALSE(horizontal.Intersect(Line(20, -5, 20, 5, VoLine2::kLine), out, true, kTolerance));
    EXPECT_TRUE(horizontal.Intersect(Line(5, -5, 5, 5, VoLine2::kLine), out, true, kTolerance));
    EXPECT_EQ(out, VoVector2(5.0f, 0.0f));
    // The vertical one's extent is tested along y.
    EXPECT_FALSE(horizontal.Intersect(Line(5, 1, 5, 5, VoLine2::kSegment), out, false, kTolerance));
    EXPECT_EQ(out, VoVector2(5.0f, 0.0f));
    EXPECT_TRUE(Line(5, 5, 5, -5, VoLine2::kSegment)
                    .Intersect(Line(0, 0, 10, 5, VoLine2::kSegment), out, true, kTolerance));
    EXPECT_EQ(out, VoVector2(5.0f, 2.5f));
}

TEST(VoLine2, RayRefusesPointsBehindItsStart) {
    const VoLine2 ray = Line(0, 0, 1, 0, VoLine2::kRay);
    const VoLine2 line = Line(-2, -1, 0, 1, VoLine2::kLine);
    VoVector2 out;
    EXPECT_FALSE(ray.Intersect(line, out, false, kTolerance));
    EXPECT_EQ(out, VoVector2(-1.0f, 0.0f));
    EXPECT_FALSE(ray.Intersect(line, out, true, kTolerance));
    // Far ahead of p2 is fine for a ray.
    EXPECT_TRUE(ray.Intersect(Line(50, -1, 52, 1, VoLine2::kLine), out, true, kTolerance));
    EXPECT_EQ(out, VoVector2(51.0f, 0.0f));
}

TEST(VoLine2, GetPerpendicularWritesTheFootEvenOutsideTheSegment) {
    const VoLine2 segment = Line(0, 0, 10, 0, VoLine2::kSegment);
    VoLine2 out;
    EXPECT_FALSE(segment.GetPerpendicular(VoVector2(20.0f, 5.0f), out));
    EXPECT_NEAR(out.p1.x, 19.99986f, 1e-4f);
    EXPECT_EQ(out.p1.y, 0.0f);
    EXPECT_EQ(out.p2, VoVector2(20.0f, 5.0f));
    EXPECT_EQ(out.type, VoLine2::kLine);

    EXPECT_TRUE(segment.GetPerpendicular(VoVector2(4.0f, 3.0f), out));
    EXPECT_NEAR(out.p1.x, 4.0f, 1e-3f);
    EXPECT_NEAR(segment.DistanceToPoint(VoVector2(4.0f, 3.0f)), 3.0f, 1e-4f);
    // The distance ignores the extent: it is to the carrying line.
    EXPECT_NEAR(segment.DistanceToPoint(VoVector2(20.0f, -5.0f)), 5.0f, 1e-3f);
}

TEST(VoLine2, GetPerpendicularOfASlopedLine) {
    const VoLine2 diagonal = Line(0, 0, 10, 10, VoLine2::kSegment);
    VoLine2 out;
    EXPECT_TRUE(diagonal.GetPerpendicular(VoVector2(0.0f, 4.0f), out));
    EXPECT_NEAR(out.p1.x, 2.0f, 1e-5f);
    EXPECT_NEAR(out.p1.y, 2.0f, 1e-5f);
    // A vertical line's perpendicular is horizontal.
    const VoLine2 vertical = Line(1, 0, 1, 10, VoLine2::kSegment);
    EXPECT_TRUE(vertical.GetPerpendicular(VoVector2(4.0f, 3.0f), out));
    EXPECT_EQ(out.p1, VoVector2(1.0f, 3.0f));
}

TEST(VoLine2, StoresTheTypeThenBothPoints) {
    ExpectStoredAs(Line(1.0f, 2.0f, 3.0f, -1.0f, VoLine2::kSegment),
                   {0x02, 0x00, 0x00, 0x00,                           // type
                    0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x40,   // p1
                    0x00, 0x00, 0x40, 0x40, 0x00, 0x00, 0x80, 0xBF},  // p2
                   VoLine2());
    TestStream in({0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00,
                   0x00, 0x00, 0x00, 0x00, 0x80, 0x40, 0x00, 0x00, 0x80, 0x3E});
    VoLine2 read;
    ASSERT_TRUE(read.Read(&in));
    EXPECT_EQ(read.type, VoLine2::kRay);
    EXPECT_EQ(read.p1, VoVector2(0.5f, 0.0f));
    EXPECT_EQ(read.p2, VoVector2(4.0f, 0.25f));
}

TEST(VoLine2, ReadsThroughItsSerializableInterface) {
    const std::vector<unsigned char> bytes = StoredBytes(Line(1.0f, 2.0f, 3.0f, -1.0f, VoLine2::kSegment));
    VoLine2 line;
    VoISerializable& serializable = line;
    TestStream in(bytes);
    ASSERT_TRUE(serializable.Read(&in));
    EXPECT_EQ(line.p2, VoVector2(3.0f, -1.0f));
}

TEST(VoLine2, UnknownStoredTypeIsKept) {
    TestStream in({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                   0x00, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00});
    VoLine2 read;
    ASSERT_TRUE(read.Read(&in));
    EXPECT_EQ(read.type, -1);
    // Any type but line and segment bounds the line on p1's side only.
    EXPECT_FALSE(read.IsWithinExtent(VoVector2(-1.0f, 0.0f)));
    EXPECT_TRUE(read.IsWithinExtent(VoVector2(5.0f, 0.0f)));
}

TEST(VoLine2, ShortOrFailingStreamLeavesTheLineAlone) {
    const VoLine2 before = Line(7.0f, 8.0f, 9.0f, 10.0f, VoLine2::kRay);
    ExpectShortInputRefused(StoredBytes(Line(1.0f, 2.0f, 3.0f, -1.0f, VoLine2::kSegment)), before);

    // The type failing still reads both points, and the line keeps all three fields.
    TestStream in(StoredBytes(Line(1.0f, 2.0f, 3.0f, -1.0f, VoLine2::kSegment)));
    in.FailRead(0);
    VoLine2 line = before;
    EXPECT_FALSE(line.Read(&in));
    EXPECT_EQ(in.GetReadCalls(), 5);
    EXPECT_EQ(StoredBytes(line), StoredBytes(before));

    TestStream out;
    out.FailWrite(2);
    EXPECT_FALSE(line.Write(&out));
    EXPECT_EQ(out.GetWriteCalls(), 5);
}

TEST(VoLine2, NullStreamLogsOnce) {
    LogCapture log;
    VoLine2 line = Line(1.0f, 2.0f, 3.0f, 4.0f, VoLine2::kSegment);
    EXPECT_FALSE(line.Read(nullptr));
    EXPECT_FALSE(line.Write(nullptr));
    EXPECT_THAT(log.Lines(), ElementsAre(IsError("NULL arg."), IsError("NULL arg.")));
}
