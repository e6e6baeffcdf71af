#include "geometry/VoVector4.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "geometry/VoLine3.h"
#include "support/GeometryTestSupport.h"

using testing::ElementsAre;

TEST(VoVector4, SmallerVectorsFillWithZero) {
    EXPECT_EQ(VoVector4(VoVector2(1.0f, 2.0f)), VoVector4(1.0f, 2.0f, 0.0f, 0.0f));
    EXPECT_EQ(VoVector4(VoVector3(1.0f, 2.0f, 3.0f), 4.0f), VoVector4(1.0f, 2.0f, 3.0f, 4.0f));
    VoVector4 v(9.0f, 9.0f, 9.0f, 9.0f);
    v = VoVector3(1.0f, 2.0f, 3.0f);
    EXPECT_EQ(v, VoVector4(1.0f, 2.0f, 3.0f, 0.0f));
    v = VoVector2(5.0f, 6.0f);
    EXPECT_EQ(v, VoVector4(5.0f, 6.0f, 0.0f, 0.0f));
    VoQuaternion q;
    VoPlane p;
    EXPECT_EQ(q, VoVector4(0, 0, 0, 0));
    EXPECT_EQ(p, q);
}

TEST(VoVector4, IndexOutOfRangeLogsAndGivesZero) {
    LogCapture log;
    const VoVector4 v(1.0f, 2.0f, 3.0f, 4.0f);
    EXPECT_EQ(v[3], 4.0f);
    EXPECT_EQ(v[4], 0.0f);
    EXPECT_THAT(log.Lines(), ElementsAre(IsError("Index out of bounds.")));
}

TEST(VoVector4, IdentityQuaternionLeavesProductsUnchanged) {
    const VoVector4 identity(0.0f, 0.0f, 0.0f, 1.0f);
    const VoVector4 q(0.1f, -0.7f, 0.3f, 0.5f);
    EXPECT_EQ(q * identity, q);
    EXPECT_EQ(identity * q, q);
    const VoVector4 i(1.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(i * i, VoVector4(0.0f, 0.0f, 0.0f, -1.0f));
}

TEST(VoVector4, HamiltonProductFollowsIJK) {
    const VoVector4 i(1.0f, 0.0f, 0.0f, 0.0f);
    const VoVector4 j(0.0f, 1.0f, 0.0f, 0.0f);
    const VoVector4 k(0.0f, 0.0f, 1.0f, 0.0f);
    EXPECT_EQ(i * j, k);
    EXPECT_EQ(j * i, VoVector4(0.0f, 0.0f, -1.0f, 0.0f));
    EXPECT_EQ(j * k, i);
    EXPECT_EQ(k * i, j);
    VoVector4 product = i;
    product *= j;
    EXPECT_EQ(product, k);
}

TEST(VoVector4, NormalizeInPlaceFallsBackToIdentity) {
    VoVector4 zero;
    EXPECT_EQ(zero.NormalizeInPlace(0.0001f), VoVector4(0.0f, 0.0f, 0.0f, 1.0f));
    VoVector4 v(0.0f, 2.0f, 0.0f, 2.0f);
    v.NormalizeInPlace(0.0001f);
    EXPECT_FLOAT_EQ(v.y, 0.70710678f);
    EXPECT_FLOAT_EQ(v.w, 0.70710678f);
}

TEST(VoVector4, PlanesFromPointAndNormalAndFromThreePoints) {
    VoPlane plane;
    plane.SetPlane(VoVector3(0.0f, 2.0f, 0.0f), VoVector3(0.0f, 5.0f, 0.0f));
    EXPECT_EQ(plane, VoVector4(0.0f, 1.0f, 0.0f, -2.0f));
    // (a - b) x (c - b): this winding faces +z.
    plane.SetPlaneFromPoints(VoVector3(1.0f, 0.0f, 3.0f), VoVector3(0.0f, 0.0f, 3.0f),
                             VoVector3(0.0f, 1.0f, 3.0f));
    EXPECT_EQ(plane, VoVector4(0.0f, 0.0f, 1.0f, -3.0f));
    plane.SetPlaneFromPoints(VoVector3(0.0f, 1.0f, 3.0f), VoVector3(0.0f, 0.0f, 3.0f),
                             VoVector3(1.0f, 0.0f, 3.0f));
    EXPECT_EQ(plane, VoVector4(0.0f, 0.0f, -1.0f, 3.0f));
}

TEST(VoVector4, CollinearPointsGiveAnUpNormal) {
    VoPlane plane;
    plane.SetPlaneFromPoints(VoVector3(0.0f, 0.0f, 0.0f), VoVector3(1.0f, 1.0f, 1.0f),
                             VoVector3(2.0f, 2.0f, 2.0f));
    EXPECT_EQ(plane, VoVector4(0.0f, 1.0f, 0.0f, -1.0f));
}

TEST(VoVector4, IntersectLineHonoursTheLineExtent) {
    VoPlane plane;
    plane.SetPlane(VoVector3(0.0f, 0.0f, 0.0f), VoVector3(0.0f, 1.0f, 0.0f));
    VoLine3 segment;
    segment.Set(VoVector3(1.0f, 2.0f, 1.0f), VoVector3(1.0f, -2.0f, 1.0f), VoLine3::kSegment);
    VoVector3 hit;
    EXPECT_TRUE(plane.IntersectLine(segment, hit));
    EXPECT_EQ(hit, VoVector3(1.0f, 0.0f, 1.0f));

    // A segment stopping short of the plane: false, yet the hit point is written.
    segment.Set(VoVector3(0.0f, 4.0f, 0.0f), VoVector3(2.0f, 2.0f, 0.0f), VoLine3::kSegment);
    EXPECT_FALSE(plane.IntersectLine(segment, hit));
    EXPECT_EQ(hit, VoVector3(4.0f, 0.0f, 0.0f));
    segment.type = VoLine3::kRay;
    EXPECT_TRUE(plane.IntersectLine(segment, hit));
}

TEST(VoVector4, SegmentInsideThePlaneHasNoIntersection) {
    VoPlane plane;
    plane.SetPlane(VoVector3(0.0f, 0.0f, 0.0f), VoVector3(0.0f, 1.0f, 0.0f));
    VoLine3 segment;
    segment.Set(VoVector3(0.0f, 0.0f, 0.0f), VoVector3(3.0f, 0.0f, 1.0f), VoLine3::kSegment);
    VoVector3 hit(7.0f, 7.0f, 7.0f);
    EXPECT_FALSE(plane.IntersectLine(segment, hit));
    EXPECT_EQ(hit, VoVector3(7.0f, 7.0f, 7.0f));
}

TEST(VoVector4, TextForms) {
    const VoVector4 v(1.0f, 2.0f, 3.0f, -4.0f);
    EXPECT_EQ(Narrow(v.ToString()),
              "[VoVector4 <" + HexAddress(&v) + "> (1.000000, 2.000000, 3.000000, -4.000000)]");
    EXPECT_EQ(Narrow(v.ToValueString()), "1.000000|2.000000|3.000000|-4.000000");
}

TEST(VoVector4, StoresXYZWAsLittleEndianFloats) {
    // The identity rotation, as animation and save data hold quaternions.
    ExpectStoredAs(
        VoQuaternion(0.0f, 0.0f, 0.0f, 1.0f),
        {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F},
        VoQuaternion(5.0f, 5.0f, 5.0f, 5.0f));
    TestStream in(
        {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x40, 0x40, 0x00, 0x00, 0x80, 0xBF});
    VoVector4 read;
    ASSERT_TRUE(read.Read(&in));
    EXPECT_EQ(read, VoVector4(1.0f, 2.0f, 3.0f, -1.0f));
}

TEST(VoVector4, ShortOrFailingStreamLeavesTheVectorAlone) {
    ExpectShortInputRefused<VoVector4>(
        {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x40, 0x40, 0x00, 0x00, 0x80, 0xBF},
        VoVector4(7.0f, 8.0f, 9.0f, 10.0f));
    ExpectEveryComponentAttempted(VoVector4(7.0f, 8.0f, 9.0f, 10.0f), 4, 1);
}
