#include "geometry/VoBox3.h"

#include <gtest/gtest.h>

#include "support/GeometryTestSupport.h"

namespace {

const VoBox3 kTen(VoVector3(0.0f, 0.0f, 0.0f), VoVector3(10.0f, 10.0f, 10.0f));

}  // namespace

TEST(VoBox3, DefaultIsThePointBoxAtTheOrigin) {
    const VoBox3 box;
    EXPECT_EQ(box.min, VoVector3());
    EXPECT_EQ(box.max, VoVector3());
    EXPECT_FALSE(box.IsEmpty());
}

TEST(VoBox3, EmptyBoxTakesItsFirstPointExactly) {
    VoBox3 box;
    box.SetEmpty();
    EXPECT_TRUE(box.IsEmpty());
    EXPECT_FLOAT_EQ(box.GetMaxExtent(), -2e37f);
    box.Extend(VoVector3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(box.min, VoVector3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(box.max, VoVector3(1.0f, 2.0f, 3.0f));
    box.Extend(VoBox3(VoVector3(0.0f, 5.0f, 3.0f), VoVector3(0.5f, 6.0f, 4.0f)));
    EXPECT_EQ(box.min, VoVector3(0.0f, 2.0f, 3.0f));
    EXPECT_EQ(box.max, VoVector3(1.0f, 6.0f, 4.0f));
}

TEST(VoBox3, ZeroWidthIsNotEmpty) {
    const VoBox3 flat(VoVector3(0.0f, 1.0f, 0.0f), VoVector3(5.0f, 1.0f, 5.0f));
    EXPECT_FALSE(flat.IsEmpty());
    EXPECT_TRUE(VoBox3(VoVector3(0.0f, 1.0f, 0.0f), VoVector3(5.0f, 0.9f, 5.0f)).IsEmpty());
}

TEST(VoBox3, MaxExtentIsTheLargestSize) {
    EXPECT_EQ(VoBox3(VoVector3(0.0f, 0.0f, 0.0f), VoVector3(1.0f, 5.0f, 3.0f)).GetMaxExtent(), 5.0f);
    EXPECT_EQ(VoBox3(VoVector3(0.0f, 0.0f, 0.0f), VoVector3(1.0f, 2.0f, 9.0f)).GetMaxExtent(), 9.0f);
}

TEST(VoBox3, ContainsClosestPointAndTouchingBoxes) {
    EXPECT_TRUE(kTen.Contains(VoVector3(10.0f, 0.0f, 10.0f)));
    EXPECT_FALSE(kTen.Contains(VoVector3(5.0f, 5.0f, -0.1f)));
    VoVector3 out;
    kTen.ClosestPoint(VoVector3(-1.0f, 5.0f, 11.0f), out);
    EXPECT_EQ(out, VoVector3(0.0f, 5.0f, 10.0f));
    EXPECT_TRUE(kTen.Intersects(VoBox3(VoVector3(10.0f, 10.0f, 10.0f), VoVector3(11.0f, 11.0f, 11.0f))));
    EXPECT_FALSE(kTen.Intersects(VoBox3(VoVector3(5.0f, 5.0f, 10.5f), VoVector3(6.0f, 6.0f, 11.0f))));
}

TEST(VoBox3, RaySegmentTests) {
    EXPECT_TRUE(kTen.IntersectsRay(VoVector3(-5.0f, 5.0f, 5.0f), VoVector3(10.0f, 0.0f, 0.0f)));
    EXPECT_FALSE(kTen.IntersectsRay(VoVector3(-5.0f, 5.0f, 5.0f), VoVector3(4.0f, 0.0f, 0.0f)));
    EXPECT_TRUE(kTen.IntersectsRay(VoVector3(5.0f, 5.0f, 5.0f), VoVector3(0.0f, 0.0f, 0.0f)));
    EXPECT_FALSE(kTen.IntersectsRay(VoVector3(5.0f, 5.0f, 15.0f), VoVector3(0.0f, 0.0f, 4.0f)));
    EXPECT_TRUE(kTen.IntersectsRay(VoVector3(5.0f, 5.0f, 15.0f), VoVector3(0.0f, 0.0f, -5.0f)));
}

TEST(VoBox3, RayFaceChoiceKeepsTheEarlierAxisOnTies) {
    // x and z faces both at t = 0.5; x decides: at t = 0.5, y = 5 and z = 0 lie on the box.
    EXPECT_TRUE(kTen.IntersectsRay(VoVector3(-5.0f, 5.0f, -5.0f), VoVector3(10.0f, 0.0f, 10.0f)));
    // z is crossed last (t = 0.8): x = 3 and y = 5 there, a hit.
    EXPECT_TRUE(kTen.IntersectsRay(VoVector3(-5.0f, 5.0f, -20.0f), VoVector3(10.0f, 0.0f, 25.0f)));
    // z is crossed last (t = 0.8) where x = 11: a miss although the x face was reachable.
    EXPECT_FALSE(kTen.IntersectsRay(VoVector3(-1.0f, 5.0f, -20.0f), VoVector3(15.0f, 0.0f, 25.0f)));
    // y is crossed last (t = 0.75) where z = 12.5: a miss.
    EXPECT_FALSE(kTen.IntersectsRay(VoVector3(-5.0f, -15.0f, 5.0f), VoVector3(10.0f, 20.0f, 10.0f)));
}

TEST(VoBox3, StoresMinThenMaxAsLittleEndianFloats) {
    const VoBox3 box(VoVector3(-1.0f, 0.5f, 0.0f), VoVector3(2.0f, 3.0f, 4.0f));
    ExpectStoredAs(box, {0x00, 0x00, 0x80, 0xBF, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x00, 0x00,
                         0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x40, 0x40, 0x00, 0x00, 0x80, 0x40},
                   VoBox3());
    TestStream in(StoredBytes(box));
    VoBox3 read;
    ASSERT_TRUE(read.Read(&in));
    EXPECT_EQ(read.min, box.min);
    EXPECT_EQ(read.max, box.max);
}

TEST(VoBox3, ShortOrFailingStreamLeavesTheBoxAlone) {
    ExpectShortInputRefused(StoredBytes(VoBox3(VoVector3(-1.0f, 0.5f, 0.0f), VoVector3(2.0f, 3.0f, 4.0f))),
                            kTen);
    ExpectEveryComponentAttempted(kTen, 6, 4);
}
