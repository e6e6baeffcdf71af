#include "geometry/VoRectangle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "geometry/VoMatrix.h"
#include "support/GeometryTestSupport.h"

using testing::ElementsAre;

namespace {

void ExpectRectangle(const VoRectangle& aActual, float aX, float aY, float aWidth, float aHeight) {
    EXPECT_EQ(aActual.x, aX);
    EXPECT_EQ(aActual.y, aY);
    EXPECT_EQ(aActual.width, aWidth);
    EXPECT_EQ(aActual.height, aHeight);
}

}  // namespace

TEST(VoRectangle, ContainsEveryEdge) {
    const VoRectangle r(10.0f, 20.0f, 30.0f, 40.0f);
    EXPECT_TRUE(r.ContainsPoint(VoVector2(10.0f, 20.0f)));
    EXPECT_TRUE(r.ContainsPoint(VoVector2(40.0f, 60.0f)));
    EXPECT_TRUE(r.ContainsPoint(VoVector2(25.0f, 40.0f)));
    EXPECT_TRUE(r.ContainsPoint(VoVector2(40.0f, 20.0f)));
    EXPECT_FALSE(r.ContainsPoint(VoVector2(9.9f, 20.0f)));
    EXPECT_FALSE(r.ContainsPoint(VoVector2(40.0f, 60.1f)));
    const VoIRegion& region = r;
    EXPECT_TRUE(region.ContainsPoint(VoVector2(10.0f, 60.0f)));
    EXPECT_EQ(region.GetType(), VoIRegion::kRectangle);
}

TEST(VoRectangle, UnionIsTheSmallestRectangleHoldingBoth) {
    VoRectangle out;
    VoRectangle(0.0f, 0.0f, 10.0f, 10.0f).GetUnion(VoRectangle(20.0f, -5.0f, 5.0f, 5.0f), out);
    ExpectRectangle(out, 0, -5, 25, 15);
    VoRectangle same(3.0f, 4.0f, 5.0f, 6.0f);
    ExpectRectangle(same.Union(same), 3, 4, 5, 6);
    VoRectangle inside(0.0f, 0.0f, 10.0f, 10.0f);
    ExpectRectangle(inside.Union(VoRectangle(2.0f, 2.0f, 1.0f, 1.0f)), 0, 0, 10, 10);
}

TEST(VoRectangle, UnionNormalisesNegativeSizes) {
    VoRectangle flipped(5.0f, 0.0f, -10.0f, -4.0f);
    flipped.Union(flipped);
    ExpectRectangle(flipped, -5, -4, 10, 4);
}

TEST(VoRectangle, TransformMovesOnlyTheCorner) {
    VoRectangle r(1.0f, 2.0f, 3.0f, 4.0f);
    VoMatrix scaling;
    MatrixScaling(&scaling, 2.0f, 2.0f, 2.0f);
    r.Transform(scaling);
    ExpectRectangle(r, 2, 4, 3, 4);
}

TEST(VoRectangle, OffsetsMoveTheCorner) {
    VoRectangle r(1.0f, 2.0f, 3.0f, 4.0f);
    const VoRectangle moved = r + VoVector2(10.0f, 20.0f);
    ExpectRectangle(moved, 11, 22, 3, 4);
    ExpectRectangle(r, 1, 2, 3, 4);
    r += VoVector2(-1.0f, -2.0f);
    ExpectRectangle(r, 0, 0, 3, 4);
    r.Translate(VoVector2(0.5f, 0.5f));
    ExpectRectangle(r, 0.5f, 0.5f, 3, 4);
}

TEST(VoRectangle, CloneIsAnIndependentRectangle) {
    VoRectangle r(1.0f, 2.0f, 3.0f, 4.0f);
    std::unique_ptr<VoIRegion> copy(r.Clone());
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->GetType(), VoIRegion::kRectangle);
    r.x = 100.0f;
    ExpectRectangle(*static_cast<VoRectangle*>(copy.get()), 1, 2, 3, 4);
}

TEST(VoRectangle, UnimplementedOperationsLogTheirMessages) {
    LogCapture log;
    const VoRectangle r(0.0f, 0.0f, 10.0f, 10.0f);
    EXPECT_FALSE(r.ContainsRect(VoRectangle(1.0f, 1.0f, 1.0f, 1.0f)));
    ExpectRectangle(r.GetIntersection(VoRectangle(5.0f, 5.0f, 10.0f, 10.0f)), 0, 0, 0, 0);
    // The second line is bare: no level, no source path.
    EXPECT_THAT(log.Lines(), ElementsAre(IsError("ContainsRect not yet implemented."),
                                         "GetIntersection not yet implemented."));
}

TEST(VoRectangle, ToStringShowsTheAddress) {
    const VoRectangle r;
    EXPECT_EQ(Narrow(r.ToString()), "[VoRectangle <" + HexAddress(&r) + ">]");
}
