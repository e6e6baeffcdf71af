#include "geometry/VoBox2.h"

#include <gtest/gtest.h>

#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "support/GeometryTestSupport.h"

namespace {

const VoBox2 kTen(0.0f, 0.0f, 10.0f, 10.0f);

}  // namespace

TEST(VoBox2, DefaultIsThePointBoxAtTheOrigin) {
    const VoBox2 box;
    EXPECT_EQ(box.min, VoVector2());
    EXPECT_EQ(box.max, VoVector2());
    EXPECT_FALSE(box.IsEmpty());
}

TEST(VoBox2, EmptyBoxTakesItsFirstPointExactly) {
    VoBox2 box;
    box.SetEmpty();
    EXPECT_TRUE(box.IsEmpty());
    EXPECT_FLOAT_EQ(box.GetMaxExtent(), -2e37f);
    box.Extend(VoVector2(2.0f, 3.0f));
    EXPECT_EQ(box.min, VoVector2(2.0f, 3.0f));
    EXPECT_EQ(box.max, VoVector2(2.0f, 3.0f));
    EXPECT_FALSE(box.IsEmpty());
    box.Extend(VoVector2(-1.0f, 5.0f));
    EXPECT_EQ(box.min, VoVector2(-1.0f, 3.0f));
    EXPECT_EQ(box.max, VoVector2(2.0f, 5.0f));
}

TEST(VoBox2, ExtendByABox) {
    VoBox2 box(0.0f, 0.0f, 1.0f, 1.0f);
    box.Extend(VoBox2(-2.0f, 0.5f, 0.5f, 4.0f));
    EXPECT_EQ(box.min, VoVector2(-2.0f, 0.0f));
    EXPECT_EQ(box.max, VoVector2(1.0f, 4.0f));
}

TEST(VoBox2, RectangleWithNegativeSizeGivesAProperBox) {
    const VoBox2 box(VoRectangle(10.0f, 10.0f, -4.0f, 6.0f));
    EXPECT_EQ(box.min, VoVector2(6.0f, 10.0f));
    EXPECT_EQ(box.max, VoVector2(10.0f, 16.0f));
}

TEST(VoBox2, PointsGiveTheirBoundsAndNoPointsTheZeroBox) {
    const VoVector2 points[] = {VoVector2(1.0f, 1.0f), VoVector2(-2.0f, 4.0f), VoVector2(3.0f, -1.0f)};
    const VoBox2 box(points, 3);
    EXPECT_EQ(box.min, VoVector2(-2.0f, -1.0f));
    EXPECT_EQ(box.max, VoVector2(3.0f, 4.0f));
    const VoBox2 none(points, 0);
    EXPECT_EQ(none.min, VoVector2());
    EXPECT_EQ(none.max, VoVector2());
    const VoBox2 null(nullptr, 3);
    EXPECT_EQ(null.max, VoVector2());
}

TEST(VoBox2, ContainsAndClosestPointIncludeTheFaces) {
    EXPECT_TRUE(kTen.Contains(VoVector2(0.0f, 10.0f)));
    EXPECT_TRUE(kTen.Contains(VoVector2(5.0f, 5.0f)));
    EXPECT_FALSE(kTen.Contains(VoVector2(10.1f, 5.0f)));
    VoVector2 out;
    kTen.ClosestPoint(VoVector2(-3.0f, 12.0f), out);
    EXPECT_EQ(out, VoVector2(0.0f, 10.0f));
    kTen.ClosestPoint(VoVector2(4.0f, 6.0f), out);
    EXPECT_EQ(out, VoVector2(4.0f, 6.0f));
}

TEST(VoBox2, TouchingBoxesIntersect) {
    const VoBox2 unit(0.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_TRUE(unit.Intersects(VoBox2(1.0f, 0.0f, 2.0f, 1.0f)));
    EXPECT_TRUE(unit.Intersects(VoBox2(1.0f, 1.0f, 2.0f, 2.0f)));
    EXPECT_FALSE(unit.Intersects(VoBox2(1.5f, 0.0f, 2.0f, 1.0f)));
    EXPECT_FALSE(unit.Intersects(VoBox2(0.0f, -2.0f, 1.0f, -0.5f)));
    EXPECT_TRUE(kTen.Intersects(unit));
}

TEST(VoBox2, RaySegmentReachesTheNearFaceOrNot) {
    EXPECT_TRUE(kTen.IntersectsRay(VoVector2(-5.0f, 5.0f), VoVector2(10.0f, 0.0f)));
    EXPECT_FALSE(kTen.IntersectsRay(VoVector2(-5.0f, 5.0f), VoVector2(4.0f, 0.0f)));
    // Exactly reaching the face counts.
    EXPECT_TRUE(kTen.IntersectsRay(VoVector2(-5.0f, 5.0f), VoVector2(5.0f, 0.0f)));
    // From beyond the max face, heading back.
    EXPECT_TRUE(kTen.IntersectsRay(VoVector2(15.0f, 5.0f), VoVector2(-6.0f, 0.0f)));
    EXPECT_FALSE(kTen.IntersectsRay(VoVector2(15.0f, 5.0f), VoVector2(6.0f, 0.0f)));
}

TEST(VoBox2, RayFromInsideAlwaysHits) {
    EXPECT_TRUE(kTen.IntersectsRay(VoVector2(5.0f, 5.0f), VoVector2(100.0f, -3.0f)));
    EXPECT_TRUE(kTen.IntersectsRay(VoVector2(5.0f, 5.0f), VoVector2(0.0f, 0.0f)));
}

TEST(VoBox2, RayMissesBesideTheFace) {
    // The x face at t = 0.5 is crossed at y = 17, outside the box.
    EXPECT_FALSE(kTen.IntersectsRay(VoVector2(-5.0f, 2.0f), VoVector2(10.0f, 30.0f)));
    // The y face is out of reach (5 > 1) before any face is chosen.
    EXPECT_FALSE(kTen.IntersectsRay(VoVector2(-5.0f, -5.0f), VoVector2(20.0f, 1.0f)));
    // A zero component with the origin outside that slab misses without dividing.
    EXPECT_FALSE(kTen.IntersectsRay(VoVector2(-5.0f, 5.0f), VoVector2(0.0f, 1.0f)));
}

TEST(VoBox2, RayTiesTakeTheXFace) {
    // From the corner diagonal both faces are reached at t = 0.5; the x face
    // decides and its crossing (0, 0) lies on the box.
    EXPECT_TRUE(kTen.IntersectsRay(VoVector2(-5.0f, -5.0f), VoVector2(10.0f, 10.0f)));
    // The later face decides: y at t = 0.75 gives x = 2.5, inside.
    EXPECT_TRUE(kTen.IntersectsRay(VoVector2(-5.0f, -15.0f), VoVector2(10.0f, 20.0f)));
    // The later face decides: y at t = 0.75 gives x = 10.25, outside.
    EXPECT_FALSE(kTen.IntersectsRay(VoVector2(-1.0f, -15.0f), VoVector2(15.0f, 20.0f)));
}

TEST(VoBox2, PolygonGivesTheBoundsOfItsPoints) {
    const VoVector2 points[] = {VoVector2(3.0f, 1.0f), VoVector2(-2.0f, 4.0f), VoVector2(5.0f, -1.0f),
                                VoVector2(0.0f, 0.0f)};
    const VoBox2 box(VoPolygon(points, 4, true));
    EXPECT_EQ(box.min, VoVector2(-2.0f, -1.0f));
    EXPECT_EQ(box.max, VoVector2(5.0f, 4.0f));

    const VoBox2 single(VoPolygon(points, 1, false));
    EXPECT_EQ(single.min, VoVector2(3.0f, 1.0f));
    EXPECT_EQ(single.max, VoVector2(3.0f, 1.0f));
}

TEST(VoBox2, PolygonWithoutPointsGivesTheZeroBox) {
    const VoBox2 box{VoPolygon()};
    EXPECT_EQ(box.min, VoVector2());
    EXPECT_EQ(box.max, VoVector2());
}

TEST(VoBox2, StoresMinThenMaxAsLittleEndianFloats) {
    ExpectStoredAs(
        VoBox2(-1.0f, 0.5f, 2.0f, 3.0f),
        {0x00, 0x00, 0x80, 0xBF, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x40, 0x40},
        VoBox2());
    TestStream in(
        {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x40, 0x40, 0x00, 0x00, 0x80, 0x40});
    VoBox2 read;
    ASSERT_TRUE(read.Read(&in));
    EXPECT_EQ(read.min, VoVector2(1.0f, 2.0f));
    EXPECT_EQ(read.max, VoVector2(3.0f, 4.0f));
}

TEST(VoBox2, EmptyBoxSurvivesTheStream) {
    VoBox2 empty;
    empty.SetEmpty();
    TestStream out;
    ASSERT_TRUE(empty.Write(&out));
    TestStream in(out.Bytes());
    VoBox2 read;
    ASSERT_TRUE(read.Read(&in));
    EXPECT_TRUE(read.IsEmpty());
    read.Extend(VoVector2(2.0f, 3.0f));
    EXPECT_EQ(read.min, VoVector2(2.0f, 3.0f));
}

TEST(VoBox2, ShortOrFailingStreamLeavesTheBoxAlone) {
    ExpectShortInputRefused(StoredBytes(VoBox2(-1.0f, 0.5f, 2.0f, 3.0f)), kTen);
    ExpectEveryComponentAttempted(kTen, 4, 3);
}
