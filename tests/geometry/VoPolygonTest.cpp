#include "geometry/VoPolygon.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <vector>

#include "container/VoVectorFloat.h"
#include "geometry/VoLine3.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoRectangle.h"
#include "support/GeometryTestSupport.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

constexpr float kTolerance = 2.7e-5f;

VoPolygon Polygon(std::initializer_list<VoVector2> aPoints, bool aClosed) {
    const std::vector<VoVector2> points(aPoints);
    return VoPolygon(points.data(), static_cast<int>(points.size()), aClosed);
}

VoPolygon UnitSquare() {
    return Polygon({{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}}, true);
}

std::vector<VoVector2> PointsOf(const VoPolygon& aPolygon) {
    std::vector<VoVector2> points;
    for (int i = 0; i < aPolygon.GetNumPoints(); ++i) {
        points.push_back(aPolygon.GetPoint(i));
    }
    return points;
}

// Takes over a result array of the queries.
std::vector<VoVector2> Adopt(VoVector2* apPoints, int aCount) {
    std::vector<VoVector2> points(apPoints, apPoints + aCount);
    delete[] apPoints;
    return points;
}

std::vector<VoVector2> IntersectionsOf(const VoPolygon& aPolygon, const VoLine2& aLine, bool aStrict) {
    int count = -1;
    VoVector2* points = nullptr;
    const bool found = aPolygon.Intersections(aLine, &count, &points, aStrict);
    EXPECT_EQ(found, count > 0);
    return Adopt(points, count);
}

VoLine2 Line(float aX1, float aY1, float aX2, float aY2, std::int32_t aType) {
    return VoLine2(VoVector2(aX1, aY1), VoVector2(aX2, aY2), aType);
}

MATCHER_P2(Near, aX, aY, "") {
    return std::fabs(arg.x - aX) < 1e-3f && std::fabs(arg.y - aY) < 1e-3f;
}

}  // namespace

// Construction and editing

TEST(VoPolygon, ToStringOfTheClosedUnitSquare) {
    const VoPolygon square = UnitSquare();
    EXPECT_EQ(TextOf(square.ToString()),
              u"[VoPolygon <" + TextOf(VoString(HexAddress(&square).c_str())) +
                  u"> numpoints:4, closed:true, points:,(0.000000,0.000000),(1.000000,0.000000),"
                  u"(1.000000,1.000000),(0.000000,1.000000)]");
    const VoPolygon empty;
    EXPECT_EQ(TextOf(empty.ToString()), u"[VoPolygon <" + TextOf(VoString(HexAddress(&empty).c_str())) +
                                            u"> numpoints:0, closed:false, points:]");
}

TEST(VoPolygon, ConstructorRefusesABadCountAndMissingPoints) {
    LogCapture log;
    const VoVector2 points[2] = {{1.0f, 2.0f}, {3.0f, 4.0f}};
    const VoPolygon negative(points, -1, true);
    const VoPolygon mismatch(nullptr, 2, true);
    const VoPolygon silent(nullptr, 0, true);
    EXPECT_EQ(negative.GetNumPoints(), 0);
    EXPECT_FALSE(negative.IsClosed());
    EXPECT_EQ(mismatch.GetNumPoints(), 0);
    EXPECT_EQ(silent.GetNumPoints(), 0);
    EXPECT_THAT(log.Lines(),
                ElementsAre(IsError(VoPolygon::kNegativeCount), IsError(VoPolygon::kArgMismatch)));

    const VoPolygon copied(points, 2, true);
    EXPECT_THAT(PointsOf(copied), ElementsAre(VoVector2(1.0f, 2.0f), VoVector2(3.0f, 4.0f)));
    EXPECT_TRUE(copied.IsClosed());
}

TEST(VoPolygon, CoordinatesAreTakenInPairs) {
    VoVectorFloat coords;
    for (float value : {1.0f, 2.0f, 3.0f, 4.0f, 5.0f}) {
        coords.Add(value);
    }
    VoPolygon polygon(coords, true);
    EXPECT_THAT(PointsOf(polygon), ElementsAre(VoVector2(1.0f, 2.0f), VoVector2(3.0f, 4.0f)));
    EXPECT_TRUE(polygon.IsClosed());

    // Fewer than two numbers: no points, the flag as it was.
    VoVectorFloat one;
    one.Add(7.0f);
    EXPECT_FALSE(polygon.SetPoints(one, false));
    EXPECT_EQ(polygon.GetNumPoints(), 0);
    EXPECT_TRUE(polygon.IsClosed());
}

TEST(VoPolygon, RectangleAndPolygonConvertBothWays) {
    const VoPolygon fromRectangle(VoRectangle(1.0f, 2.0f, 3.0f, 4.0f));
    EXPECT_THAT(PointsOf(fromRectangle), ElementsAre(VoVector2(1.0f, 2.0f), VoVector2(4.0f, 2.0f),
                                                     VoVector2(4.0f, 6.0f), VoVector2(1.0f, 6.0f)));
    EXPECT_TRUE(fromRectangle.IsClosed());

    const VoRectangle bounds(Polygon({{3.0f, -1.0f}, {-2.0f, 5.0f}, {4.0f, 2.0f}, {0.0f, -3.0f}}, false));
    EXPECT_EQ(bounds.x, -2.0f);
    EXPECT_EQ(bounds.y, -3.0f);
    EXPECT_EQ(bounds.width, 6.0f);
    EXPECT_EQ(bounds.height, 8.0f);

    const VoRectangle none{VoPolygon()};
    EXPECT_EQ(none.width, 0.0f);
    EXPECT_EQ(none.height, 0.0f);
}

TEST(VoPolygon, CopiesAreDeep) {
    VoPolygon original = UnitSquare();
    VoPolygon copy(original);
    VoPolygon assigned = Polygon({{9.0f, 9.0f}}, false);
    assigned = original;
    original.Translate(VoVector2(10.0f, 0.0f));
    EXPECT_EQ(copy.GetPoint(2), VoVector2(1.0f, 1.0f));
    EXPECT_EQ(assigned.GetPoint(2), VoVector2(1.0f, 1.0f));
    EXPECT_TRUE(assigned.IsClosed());

    VoPolygon& self = assigned;
    assigned = self;
    EXPECT_EQ(assigned.GetNumPoints(), 4);

    // A source without points gives an empty, open polygon.
    VoPolygon closedEmpty;
    closedEmpty.SetClosed(true);
    assigned = closedEmpty;
    EXPECT_EQ(assigned.GetNumPoints(), 0);
    EXPECT_FALSE(assigned.IsClosed());
    EXPECT_FALSE(VoPolygon(closedEmpty).IsClosed());
}

TEST(VoPolygon, EditsAppendReplaceAndRefuseNull) {
    LogCapture log;
    VoPolygon polygon;
    EXPECT_TRUE(polygon.AddPoint(1.0f, 1.0f));
    EXPECT_TRUE(polygon.AddPoint(VoVector2(2.0f, 2.0f)));
    const VoVector2 more[2] = {{3.0f, 3.0f}, {4.0f, 4.0f}};
    EXPECT_TRUE(polygon.AddPoints(more, 2));
    EXPECT_EQ(polygon.GetNumPoints(), 4);
    EXPECT_EQ(polygon.GetPoint(3), VoVector2(4.0f, 4.0f));

    EXPECT_FALSE(polygon.AddPoints(nullptr, 1));
    EXPECT_FALSE(polygon.SetPoints(nullptr, 1, true));
    EXPECT_FALSE(polygon.AddPoints(more, -1));
    EXPECT_FALSE(polygon.SetPoints(more, -1, true));
    EXPECT_EQ(polygon.GetNumPoints(), 4);
    EXPECT_FALSE(polygon.IsClosed());
    EXPECT_THAT(log.Lines(),
                ElementsAre(IsError(VoPolygon::kAddPointsNull), IsError(VoPolygon::kSetPointsNull),
                            IsError(VoPolygon::kNegativeCount), IsError(VoPolygon::kNegativeCount)));

    EXPECT_TRUE(polygon.SetPoints(more, 2, true));
    EXPECT_THAT(PointsOf(polygon), ElementsAre(more[0], more[1]));
    EXPECT_TRUE(polygon.IsClosed());
    polygon.Clear();
    EXPECT_EQ(polygon.GetNumPoints(), 0);
    EXPECT_FALSE(polygon.IsClosed());
}

TEST(VoPolygon, GetPointAndGetPointsCheckTheirArguments) {
    LogCapture log;
    const VoPolygon square = UnitSquare();
    EXPECT_EQ(square.GetPoint(4), VoVector2());
    EXPECT_EQ(square.GetPoint(-1), VoVector2());

    VoVector2 held;
    VoVector2* notNull = &held;
    EXPECT_FALSE(square.GetPoints(&notNull));
    EXPECT_FALSE(square.GetPoints(nullptr));
    EXPECT_THAT(log.Lines(),
                ElementsAre(IsError(VoPolygon::kIndexOutOfBounds), IsError(VoPolygon::kIndexOutOfBounds),
                            IsError(VoPolygon::kInvalidArgs), IsError(VoPolygon::kInvalidArgs)));

    VoVector2* points = nullptr;
    ASSERT_TRUE(square.GetPoints(&points));
    EXPECT_THAT(Adopt(points, 4), ElementsAre(VoVector2(0.0f, 0.0f), VoVector2(1.0f, 0.0f),
                                              VoVector2(1.0f, 1.0f), VoVector2(0.0f, 1.0f)));

    // An empty polygon hands back a zero-length array, not null.
    VoVector2* none = nullptr;
    EXPECT_TRUE(VoPolygon().GetPoints(&none));
    EXPECT_NE(none, nullptr);
    delete[] none;
}

TEST(VoPolygon, MovesAsARegion) {
    VoPolygon square = UnitSquare();
    const VoIRegion& region = square;
    EXPECT_EQ(region.GetType(), VoIRegion::kPolygon);

    square += VoVector2(1.0f, 2.0f);
    EXPECT_EQ(square.GetPoint(2), VoVector2(2.0f, 3.0f));
    const VoPolygon moved = square + VoVector2(-1.0f, -2.0f);
    EXPECT_EQ(moved.GetPoint(2), VoVector2(1.0f, 1.0f));
    EXPECT_EQ(square.GetPoint(2), VoVector2(2.0f, 3.0f));

    VoMatrix scaling;
    MatrixScaling(&scaling, 2.0f, 3.0f, 4.0f);
    square.Transform(scaling);
    EXPECT_EQ(square.GetPoint(2), VoVector2(4.0f, 9.0f));

    std::unique_ptr<VoIRegion> clone(square.Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetType(), VoIRegion::kPolygon);
    EXPECT_TRUE(clone->ContainsPoint(VoVector2(3.0f, 8.0f)));
    square.Translate(VoVector2(100.0f, 0.0f));
    EXPECT_TRUE(clone->ContainsPoint(VoVector2(3.0f, 8.0f)));
}

// Containment

TEST(VoPolygon, ContainsPointOfTheUnitSquare) {
    const VoPolygon square = UnitSquare();
    EXPECT_TRUE(square.ContainsPoint(VoVector2(0.5f, 0.5f), false, 0.0f));
    EXPECT_FALSE(square.ContainsPoint(VoVector2(1.5f, 0.5f), false, 0.0f));
    EXPECT_FALSE(square.ContainsPoint(VoVector2(0.5f, -0.5f), false, 0.0f));
}

TEST(VoPolygon, EdgeFlagDecidesWhichSideAnEdgePointFalls) {
    const VoPolygon square = UnitSquare();
    // Without the flag an edge on the point counts as above it: the bottom
    // edge point is outside (two crossings), the top edge point inside.
    EXPECT_FALSE(square.ContainsPoint(VoVector2(0.5f, 0.0f), false, 0.0f));
    EXPECT_TRUE(square.ContainsPoint(VoVector2(0.5f, 1.0f), false, 0.0f));
    // With it, as below: the answers swap.
    EXPECT_TRUE(square.ContainsPoint(VoVector2(0.5f, 0.0f), true, 0.0f));
    EXPECT_FALSE(square.ContainsPoint(VoVector2(0.5f, 1.0f), true, 0.0f));
    // The region test is the flag-less form without tolerance.
    const VoIRegion& region = square;
    EXPECT_FALSE(region.ContainsPoint(VoVector2(0.5f, 0.0f)));
    EXPECT_TRUE(region.ContainsPoint(VoVector2(0.5f, 1.0f)));
}

TEST(VoPolygon, HotspotToleranceWidensTheEdges) {
    // A hotspot is tested with (false, 2.0): a point within the margin of an
    // edge counts as lying on it, hence under it.
    const VoPolygon hotspot = Polygon({{0.0f, 0.0f}, {100.0f, 0.0f}, {100.0f, 100.0f}, {0.0f, 100.0f}}, true);
    EXPECT_TRUE(hotspot.ContainsPoint(VoVector2(50.0f, 101.5f), false, 2.0f));
    EXPECT_FALSE(hotspot.ContainsPoint(VoVector2(50.0f, 101.5f), false, 0.0f));
    EXPECT_FALSE(hotspot.ContainsPoint(VoVector2(50.0f, 102.5f), false, 2.0f));
    // Within the margin of the bottom edge both edges lie above: outside.
    EXPECT_FALSE(hotspot.ContainsPoint(VoVector2(50.0f, 1.0f), false, 2.0f));
    EXPECT_TRUE(hotspot.ContainsPoint(VoVector2(50.0f, 3.0f), false, 2.0f));
}

TEST(VoPolygon, HotspotMarginFollowsTheSignedSlope) {
    // The margin is slope * tolerance + tolerance: a rising edge of slope 2
    // gets 6, a falling one of slope -2 gets none at all.
    const VoPolygon rising = Polygon({{0.0f, 0.0f}, {10.0f, 0.0f}, {10.0f, 20.0f}}, true);
    const VoPolygon falling = Polygon({{0.0f, 0.0f}, {10.0f, 0.0f}, {0.0f, 20.0f}}, true);
    EXPECT_TRUE(rising.ContainsPoint(VoVector2(5.0f, 10.5f), false, 2.0f));
    EXPECT_FALSE(falling.ContainsPoint(VoVector2(5.0f, 10.5f), false, 2.0f));
    EXPECT_TRUE(falling.ContainsPoint(VoVector2(5.0f, 9.5f), false, 2.0f));
}

TEST(VoPolygon, VertexAtThePointsXIsCrossedOnce) {
    const VoPolygon triangle = Polygon({{0.0f, 0.0f}, {2.0f, 2.0f}, {4.0f, 0.0f}}, true);
    EXPECT_TRUE(triangle.ContainsPoint(VoVector2(2.0f, 1.0f), false, 0.0f));
    EXPECT_FALSE(triangle.ContainsPoint(VoVector2(2.0f, 3.0f), false, 0.0f));
    EXPECT_FALSE(triangle.ContainsPoint(VoVector2(2.0f, -1.0f), false, 0.0f));
}

TEST(VoPolygon, ContainmentTreatsTheOutlineAsClosedAndNeedsThreePoints) {
    const VoPolygon open = Polygon({{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}}, false);
    EXPECT_TRUE(open.ContainsPoint(VoVector2(0.5f, 0.5f), false, 0.0f));
    const VoPolygon two = Polygon({{0.0f, 0.0f}, {1.0f, 1.0f}}, true);
    EXPECT_FALSE(two.ContainsPoint(VoVector2(0.5f, 0.5f), true, 10.0f));
}

TEST(VoPolygon, ContainsPointMPFindsTheFirstPolygonThatContains) {
    const VoPolygon polygons[3] = {Polygon({{0.0f, 0.0f}, {10.0f, 10.0f}}, true), UnitSquare(),
                                   Polygon({{5.0f, 5.0f}, {6.0f, 5.0f}, {6.0f, 6.0f}}, true)};
    EXPECT_TRUE(VoPolygon::ContainsPoint_MP(VoVector2(0.5f, 0.5f), 3, polygons, 0.0f, 0.0f));
    EXPECT_FALSE(VoPolygon::ContainsPoint_MP(VoVector2(3.0f, 3.0f), 3, polygons, 0.0f, 0.0f));
    // Any non-zero edge flag counts as set.
    EXPECT_TRUE(VoPolygon::ContainsPoint_MP(VoVector2(0.5f, 0.0f), 3, polygons, 0.5f, 0.0f));
    EXPECT_FALSE(VoPolygon::ContainsPoint_MP(VoVector2(0.5f, 0.0f), 3, polygons, 0.0f, 0.0f));
    EXPECT_FALSE(VoPolygon::ContainsPoint_MP(VoVector2(0.5f, 0.5f), 0, nullptr, 0.0f, 0.0f));
}

// Sides and orientation

TEST(VoPolygon, SideOfLineIsZeroUnlessAllPointsShareASide) {
    const VoPolygon square = UnitSquare();
    EXPECT_EQ(square.SideOfLine(VoVector2(0.0f, 2.0f), VoVector2(1.0f, 2.0f)), 1);
    EXPECT_EQ(square.SideOfLine(Line(1, 2, 0, 2, VoLine2::kLine)), -1);
    EXPECT_EQ(square.SideOfLine(VoVector2(0.0f, 0.5f), VoVector2(1.0f, 0.5f)), 0);
    // A point on the line.
    EXPECT_EQ(square.SideOfLine(VoVector2(0.0f, 1.0f), VoVector2(1.0f, 1.0f)), 0);

    LogCapture log;
    EXPECT_EQ(VoPolygon().SideOfLine(VoVector2(0.0f, 2.0f), VoVector2(1.0f, 2.0f)), 0);
    EXPECT_THAT(log.Lines(), ElementsAre(IsAssertFailure(VoPolygon::kSideOfLineNoPoints)));
}

TEST(VoPolygon, IsClockwiseOnScreen) {
    EXPECT_TRUE(UnitSquare().IsClockwise());
    EXPECT_FALSE(Polygon({{0.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}}, true).IsClockwise());
    // The probe through (1, 0) would meet the vertex (1, 2): it slides to x = 0.5.
    EXPECT_TRUE(Polygon({{0.0f, 0.0f}, {2.0f, 0.0f}, {1.0f, 2.0f}}, true).IsClockwise());
    // The outline counts as closed whatever the flag says.
    EXPECT_TRUE(Polygon({{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}}, false).IsClockwise());
}

TEST(VoPolygon, IsClockwiseWrapsAtTheClosingEdge) {
    // The highest edge above the probe is the closing one, (0, 1) to (1, 1).
    EXPECT_FALSE(Polygon({{1.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 1.0f}}, true).IsClockwise());
    EXPECT_TRUE(Polygon({{0.0f, 1.0f}, {0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}}, true).IsClockwise());
}

TEST(VoPolygon, IsClockwiseIsFalseWithoutAnEdgeAcross) {
    EXPECT_FALSE(VoPolygon().IsClockwise());
    EXPECT_FALSE(Polygon({{3.0f, 1.0f}}, true).IsClockwise());
    EXPECT_FALSE(Polygon({{3.0f, 1.0f}, {3.0f, 5.0f}, {3.0f, 2.0f}}, true).IsClockwise());
}

TEST(VoPolygon, IsClockwiseGivesUpWhenTheProbeKeepsMeetingVertices) {
    // Vertices at x = 2^-k for every k down to the smallest float: halving
    // from (1, 0) towards (0, 0) meets a vertex every time, until the probe
    // reaches the vertex (0, 0) itself and would stay there.
    std::vector<VoVector2> points = {{0.0f, 0.0f}, {1.0f, 0.0f}};
    for (int k = 1; k <= 149; ++k) {
        points.emplace_back(std::ldexp(1.0f, -k), 1.0f);
    }
    const VoPolygon comb(points.data(), static_cast<int>(points.size()), true);
    EXPECT_FALSE(comb.IsClockwise());
}

// Offsets and bisectors

TEST(VoPolygon, OffsetGrowsBothOrientationsForAPositiveDistance) {
    VoPolygon out = Polygon({{7.0f, 7.0f}}, false);
    const VoPolygon clockwise = UnitSquare();
    EXPECT_EQ(&clockwise.Offset(1.0f, out), &out);
    EXPECT_THAT(PointsOf(out), ElementsAre(Near(-1, -1), Near(2, -1), Near(2, 2), Near(-1, 2)));
    EXPECT_TRUE(out.IsClosed());

    const VoPolygon counter = Polygon({{0.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}}, false);
    counter.Offset(1.0f, out);
    EXPECT_THAT(PointsOf(out), ElementsAre(Near(-1, 2), Near(2, 2), Near(2, -1), Near(-1, -1)));
    EXPECT_FALSE(out.IsClosed());

    const VoPolygon square = Polygon({{0.0f, 0.0f}, {4.0f, 0.0f}, {4.0f, 4.0f}, {0.0f, 4.0f}}, true);
    square.Offset(-1.0f, out);
    EXPECT_THAT(PointsOf(out), ElementsAre(Near(1, 1), Near(3, 1), Near(3, 3), Near(1, 3)));
}

TEST(VoPolygon, OffsetMovesACollinearVertexWithItsEdge) {
    const VoPolygon polygon =
        Polygon({{0.0f, 0.0f}, {1.0f, 0.0f}, {2.0f, 0.0f}, {2.0f, 2.0f}, {0.0f, 2.0f}}, true);
    VoPolygon out;
    polygon.Offset(1.0f, out);
    EXPECT_THAT(PointsOf(out), ElementsAre(Near(-1, -1), Near(1, -1), Near(3, -1), Near(3, 3), Near(-1, 3)));
}

TEST(VoPolygon, OffsetOfNearlyParallelEdgesMovesTheVertex) {
    // The edges at (1000, 0) differ in slope by 1e-5, too little to meet:
    // the vertex moves with its incoming edge rather than to the origin.
    const VoPolygon polygon =
        Polygon({{0.0f, 0.0f}, {1000.0f, 0.0f}, {2000.0f, 0.01f}, {2000.0f, 1000.0f}, {0.0f, 1000.0f}}, true);
    VoPolygon out;
    polygon.Offset(1.0f, out);
    ASSERT_EQ(out.GetNumPoints(), 5);
    EXPECT_THAT(out.GetPoint(1), Near(1000, -1));
}

TEST(VoPolygon, OffsetIsEmptyForNoDistanceOrTooFewPoints) {
    VoPolygon out = UnitSquare();
    UnitSquare().Offset(0.0f, out);
    EXPECT_EQ(out.GetNumPoints(), 0);
    EXPECT_FALSE(out.IsClosed());
    out = UnitSquare();
    Polygon({{0.0f, 0.0f}, {1.0f, 0.0f}}, true).Offset(1.0f, out);
    EXPECT_EQ(out.GetNumPoints(), 0);
}

TEST(VoPolygon, OffsetIntoItself) {
    VoPolygon square = UnitSquare();
    square.Offset(1.0f, square);
    EXPECT_THAT(PointsOf(square), ElementsAre(Near(-1, -1), Near(2, -1), Near(2, 2), Near(-1, 2)));
}

TEST(VoPolygon, BisectorTakesBothNeighboursAtTheShorterDistance) {
    const VoPolygon triangle = Polygon({{0.0f, 0.0f}, {4.0f, 0.0f}, {0.0f, 2.0f}}, false);
    VoLine2 bisector = Line(9, 9, 9, 9, VoLine2::kRay);
    ASSERT_TRUE(triangle.GetBisector(0, bisector));
    EXPECT_EQ(bisector.p1, VoVector2(0.0f, 0.0f));
    EXPECT_THAT(bisector.p2, Near(1, 1));
    EXPECT_EQ(bisector.type, VoLine2::kRay);

    // The previous neighbour of the last vertex is the one before, the next the first.
    ASSERT_TRUE(triangle.GetBisector(2, bisector));
    EXPECT_THAT(bisector.p2, Near(0.0f + 0.5f * 2.0f * 0.8944272f, 1.0f - 0.5f * 2.0f * 0.4472136f));

    EXPECT_FALSE(triangle.GetBisector(3, bisector));
    EXPECT_FALSE(triangle.GetBisector(-1, bisector));
}

// Edge intersections

TEST(VoPolygon, IntersectionsComeInEdgeOrder) {
    const VoPolygon square = UnitSquare();
    EXPECT_THAT(IntersectionsOf(square, Line(-1.0f, 0.2f, 2.0f, 0.5f, VoLine2::kLine), false),
                ElementsAre(Near(1.0f, 0.4f), Near(0.0f, 0.3f)));
    EXPECT_THAT(IntersectionsOf(square, Line(-1.0f, 5.0f, 2.0f, 5.0f, VoLine2::kLine), false), IsEmpty());
}

TEST(VoPolygon, IntersectionsReportAVertexOncePerEdge) {
    const VoPolygon square = UnitSquare();
    const VoLine2 diagonal = Line(-1, -1, 2, 2, VoLine2::kLine);
    EXPECT_THAT(IntersectionsOf(square, diagonal, false),
                ElementsAre(Near(0, 0), Near(1, 1), Near(1, 1), Near(0, 0)));
    // Strict mode refuses points at the ends of an edge.
    EXPECT_THAT(IntersectionsOf(square, diagonal, true), IsEmpty());
}

TEST(VoPolygon, OpenPolylineHasNoClosingEdge) {
    const VoLine2 across = Line(0.5f, -1.0f, 0.5f, 2.0f, VoLine2::kLine);
    const VoPolygon open = Polygon({{0.0f, 1.0f}, {0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}}, false);
    EXPECT_THAT(IntersectionsOf(open, across, false), ElementsAre(Near(0.5f, 0.0f)));
    EXPECT_FALSE(open.IntersectsLine(Line(0.5f, 0.5f, 0.5f, 2.0f, VoLine2::kSegment), true, kTolerance));

    VoPolygon closed(open);
    closed.SetClosed(true);
    EXPECT_THAT(IntersectionsOf(closed, across, false), ElementsAre(Near(0.5f, 0.0f), Near(0.5f, 1.0f)));
    EXPECT_TRUE(closed.IntersectsLine(Line(0.5f, 0.5f, 0.5f, 2.0f, VoLine2::kSegment), true, kTolerance));
}

TEST(VoPolygon, IntersectionsCheckTheirArguments) {
    LogCapture log;
    const VoPolygon square = UnitSquare();
    const VoLine2 line = Line(-1, 0.5f, 2, 0.5f, VoLine2::kLine);
    int count = 42;
    VoVector2 held;
    VoVector2* notNull = &held;
    EXPECT_FALSE(square.Intersections(line, &count, nullptr, false));
    EXPECT_FALSE(square.Intersections(line, &count, &notNull, false));
    VoVector2* points = nullptr;
    EXPECT_FALSE(square.Intersections(line, nullptr, &points, false));
    EXPECT_FALSE(VoPolygon().Intersections(line, &count, &points, false));
    EXPECT_EQ(count, 42);
    EXPECT_EQ(points, nullptr);
    EXPECT_THAT(log.Lines(), ElementsAre(IsAssertFailure(VoPolygon::kIntersectionsNull),
                                         IsAssertFailure(VoPolygon::kIntersectionsNull),
                                         IsAssertFailure(VoPolygon::kIntersectionsNull),
                                         IsAssertFailure(VoPolygon::kIntersectionsNoPoints)));
}

TEST(VoPolygon, IntersectionsMPCollectPolygonByPolygon) {
    const VoPolygon polygons[2] = {UnitSquare(), UnitSquare() + VoVector2(2.0f, 0.0f)};
    const VoLine2 line = Line(-1, 0.5f, 4, 0.5f, VoLine2::kLine);
    int count = 0;
    VoVector2* points = nullptr;
    ASSERT_TRUE(VoPolygon::Intersections_MP(line, 2, polygons, &count, &points, false));
    EXPECT_THAT(Adopt(points, count),
                ElementsAre(Near(1, 0.5f), Near(0, 0.5f), Near(3, 0.5f), Near(2, 0.5f)));

    count = 5;
    points = nullptr;
    EXPECT_FALSE(
        VoPolygon::Intersections_MP(Line(-1, 9, 4, 9, VoLine2::kLine), 2, polygons, &count, &points, false));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(points, nullptr);

    EXPECT_TRUE(VoPolygon::IntersectsLine_MP(line, 2, polygons, true, kTolerance));
    EXPECT_FALSE(
        VoPolygon::IntersectsLine_MP(Line(-1, 9, 4, 9, VoLine2::kLine), 2, polygons, true, kTolerance));
}

TEST(VoPolygon, IntersectionsMPRefuseAPolygonWithoutPoints) {
    LogCapture log;
    const VoPolygon polygons[2] = {UnitSquare(), VoPolygon()};
    const VoLine2 line = Line(-1, 0.5f, 4, 0.5f, VoLine2::kLine);
    int count = 7;
    VoVector2* points = nullptr;
    EXPECT_FALSE(VoPolygon::Intersections_MP(line, 2, polygons, &count, &points, false));
    EXPECT_FALSE(VoPolygon::Intersections_MP(line, 2, polygons, &count, nullptr, false));
    EXPECT_FALSE(VoPolygon::Intersections_MP(line, 2, nullptr, &count, &points, false));
    EXPECT_EQ(count, 7);
    EXPECT_THAT(log.Lines(), ElementsAre(IsAssertFailure(VoPolygon::kIntersectionsMPNoPoints),
                                         IsAssertFailure(VoPolygon::kIntersectionsMPNull),
                                         IsAssertFailure(VoPolygon::kIntersectionsMPNull)));
}

// Points inside

TEST(VoPolygon, PointsInsideTheRegion) {
    const VoPolygon points = Polygon({{0.5f, 0.5f}, {2.0f, 2.0f}, {0.25f, 0.75f}, {0.5f, 0.0f}}, false);
    int count = -1;
    VoVector2* inside = nullptr;
    ASSERT_TRUE(points.PointsInside(UnitSquare(), &count, &inside));
    // (0.5, 0) lies on the bottom edge: outside for the region test.
    EXPECT_THAT(Adopt(inside, count), ElementsAre(VoVector2(0.5f, 0.5f), VoVector2(0.25f, 0.75f)));

    inside = nullptr;
    EXPECT_FALSE(Polygon({{5.0f, 5.0f}}, false).PointsInside(UnitSquare(), &count, &inside));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(inside, nullptr);
}

TEST(VoPolygon, PointsInsideMultiPolysCollectsPolygonByPolygon) {
    const VoPolygon area = Polygon({{0.0f, 0.0f}, {10.0f, 0.0f}, {10.0f, 10.0f}, {0.0f, 10.0f}}, true);
    const VoPolygon polygons[2] = {Polygon({{1.0f, 1.0f}, {20.0f, 1.0f}}, false),
                                   Polygon({{-1.0f, 5.0f}, {2.0f, 3.0f}, {4.0f, 4.0f}}, true)};
    int count = -1;
    VoVector2* inside = nullptr;
    ASSERT_TRUE(area.PointsInsideMultiPolys(2, polygons, &count, &inside));
    EXPECT_THAT(Adopt(inside, count),
                ElementsAre(VoVector2(1.0f, 1.0f), VoVector2(2.0f, 3.0f), VoVector2(4.0f, 4.0f)));

    inside = nullptr;
    EXPECT_FALSE(area.PointsInsideMultiPolys(0, nullptr, &count, &inside));
    EXPECT_EQ(count, 0);
}

TEST(VoPolygon, PointsInsideCheckTheirArguments) {
    LogCapture log;
    const VoPolygon square = UnitSquare();
    int count = 9;
    VoVector2 held;
    VoVector2* notNull = &held;
    EXPECT_FALSE(square.PointsInside(square, &count, &notNull));
    EXPECT_EQ(count, 0);
    VoVector2* points = nullptr;
    count = 9;
    EXPECT_FALSE(VoPolygon().PointsInside(square, &count, &points));
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(square.PointsInside(square, nullptr, &points));
    count = 9;
    EXPECT_FALSE(square.PointsInsideMultiPolys(1, &square, &count, nullptr));
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(square.PointsInsideMultiPolys(1, nullptr, &count, &points));
    EXPECT_FALSE(VoPolygon().PointsInsideMultiPolys(1, &square, &count, &points));
    EXPECT_EQ(points, nullptr);
    EXPECT_THAT(log.Lines(), ElementsAre(IsAssertFailure(VoPolygon::kPointsInsideNull),
                                         IsAssertFailure(VoPolygon::kPointsInsideNoPoints),
                                         IsAssertFailure(VoPolygon::kPointsInsideNull),
                                         IsAssertFailure(VoPolygon::kPointsInsideMultiNull),
                                         IsAssertFailure(VoPolygon::kPointsInsideMultiNull),
                                         IsAssertFailure(VoPolygon::kPointsInsideMultiNoPoints)));
}

// Visibility

TEST(VoPolygon, FindVisiblePointTakesTheGoalWhenTheWayIsFree) {
    LogCapture log;
    const VoPolygon far = UnitSquare() + VoVector2(50.0f, 50.0f);
    const VoLine2 target = Line(10, -5, 10, 5, VoLine2::kSegment);
    VoVector2 out(-1.0f, -1.0f);
    ASSERT_TRUE(far.FindVisiblePoint(VoVector2(0.0f, 0.0f), target, out, kTolerance));
    EXPECT_EQ(out, VoVector2(10.0f, 5.0f));
    out.Set(-1.0f, -1.0f);
    ASSERT_TRUE(VoPolygon::FindVisiblePoint(VoVector2(0.0f, 0.0f), target, 1, &far, out, kTolerance));
    EXPECT_EQ(out, VoVector2(10.0f, 5.0f));
    EXPECT_THAT(log.Lines(), IsEmpty());
}

TEST(VoPolygon, FindVisiblePointStopsAtTheInnerWallOfAConcavePolygon) {
    // A C opening towards the start: through the mouth p1 is visible, and
    // the target line's crossing with the inner wall is the last candidate
    // that passes; the goal (8, 0) lies behind the wall.
    const VoPolygon c = Polygon({{2.0f, -4.0f},
                                 {6.0f, -4.0f},
                                 {6.0f, 4.0f},
                                 {2.0f, 4.0f},
                                 {2.0f, 2.0f},
                                 {4.0f, 2.0f},
                                 {4.0f, -2.0f},
                                 {2.0f, -2.0f}},
                                true);
    const VoVector2 from(0.0f, 0.0f);
    const VoLine2 target = Line(3, 1, 8, 0, VoLine2::kSegment);
    VoVector2 out;
    ASSERT_TRUE(c.FindVisiblePoint(from, target, out, kTolerance));
    EXPECT_THAT(out, Near(4.0f, 0.8f));
    out = VoVector2();
    ASSERT_TRUE(VoPolygon::FindVisiblePoint(from, target, 1, &c, out, kTolerance));
    EXPECT_THAT(out, Near(4.0f, 0.8f));
}

TEST(VoPolygon, FindVisiblePointProjectsAVertexInsideTheTriangle) {
    // The square blocks the way to the goal; the ray past its corner (6, 1)
    // meets the target line at (10, 10 / 6), the furthest visible point.
    const VoPolygon square = Polygon({{4.0f, 1.0f}, {6.0f, 1.0f}, {6.0f, 3.0f}, {4.0f, 3.0f}}, true);
    const VoVector2 from(0.0f, 0.0f);
    const VoLine2 target = Line(10, 0, 10, 5, VoLine2::kSegment);
    VoVector2 out;
    ASSERT_TRUE(square.FindVisiblePoint(from, target, out, kTolerance));
    EXPECT_THAT(out, Near(10.0f, 10.0f / 6.0f));
    out = VoVector2();
    ASSERT_TRUE(VoPolygon::FindVisiblePoint(from, target, 1, &square, out, kTolerance));
    EXPECT_THAT(out, Near(10.0f, 10.0f / 6.0f));
}

TEST(VoPolygon, FindVisiblePointPassesOverCandidatesBehindTheStartLine) {
    // A sliver blocks the way to the goal and crosses the target line at
    // (10, 5 / 3), which is visible. The block below crosses the carrying
    // line at (10, -2), also visible, but on the far side of the line from
    // the start to p1: once a candidate is found it no longer counts.
    const VoPolygon polygons[2] = {
        Polygon({{2.0f, 3.0f}, {14.0f, 1.0f}, {14.0f, 1.5f}, {2.0f, 3.5f}}, true),
        Polygon({{9.0f, -4.0f}, {11.0f, -4.0f}, {11.0f, -2.0f}, {9.0f, -2.0f}}, true)};
    const VoLine2 target = Line(10, 0, 10, 5, VoLine2::kLine);
    VoVector2 out;
    ASSERT_TRUE(VoPolygon::FindVisiblePoint(VoVector2(0.0f, 0.0f), target, 2, polygons, out, kTolerance));
    EXPECT_THAT(out, Near(10.0f, 5.0f / 3.0f));
}

TEST(VoPolygon, FindVisiblePointSkipsAVertexStraightAboveTheStartOfAVerticalTarget) {
    // A thin triangle: the target is vertical and so is the ray from the
    // start through the wall's vertex (1.00001, 4) inside it. The two never
    // meet in one point, so that vertex yields no candidate, not the untouched
    // (0, 0); the last candidate that passes is the target's crossing with
    // the wall's lower edge.
    const VoPolygon wall = Polygon({{-5.0f, 2.0f}, {5.0f, 2.0f}, {1.00001f, 4.0f}}, true);
    const VoVector2 from(1.0f, 0.0f);
    const VoLine2 target = Line(1.00002f, -10, 1.00002f, 10, VoLine2::kSegment);
    VoVector2 out;
    ASSERT_TRUE(VoPolygon::FindVisiblePoint(from, target, 1, &wall, out, kTolerance));
    EXPECT_THAT(out, Near(1.00002f, 2.0f));
    out = VoVector2();
    ASSERT_TRUE(wall.FindVisiblePoint(from, target, out, kTolerance));
    EXPECT_THAT(out, Near(1.00002f, 2.0f));
}

TEST(VoPolygon, FindVisiblePointFailsFromInsideAClosedRoom) {
    const VoPolygon room = Polygon({{0.0f, 0.0f}, {10.0f, 0.0f}, {10.0f, 10.0f}, {0.0f, 10.0f}}, true);
    const VoLine2 target = Line(20, 0, 20, 10, VoLine2::kSegment);
    VoVector2 out(-1.0f, -1.0f);
    EXPECT_FALSE(room.FindVisiblePoint(VoVector2(5.0f, 5.0f), target, out, kTolerance));
    EXPECT_FALSE(VoPolygon::FindVisiblePoint(VoVector2(5.0f, 5.0f), target, 1, &room, out, kTolerance));
    EXPECT_EQ(out, VoVector2(-1.0f, -1.0f));
}

// Line and triangle

TEST(VoPolygon, IntersectLineTriangleHitsInsideTheTriangle) {
    const VoVector3 a(0.0f, 0.0f, 0.0f);
    const VoVector3 b(1.0f, 0.0f, 0.0f);
    const VoVector3 c(0.0f, 1.0f, 0.0f);
    VoLine3 line;
    line.Set(VoVector3(0.25f, 0.25f, 1.0f), VoVector3(0.25f, 0.25f, -1.0f), VoLine3::kSegment);
    VoVector3 out;
    EXPECT_TRUE(IntersectLineTriangle(line, a, b, c, out));
    EXPECT_EQ(out, VoVector3(0.25f, 0.25f, 0.0f));

    // Beside the triangle: false, with the plane hit in out.
    line.Set(VoVector3(2.0f, 2.0f, 1.0f), VoVector3(2.0f, 2.0f, -1.0f), VoLine3::kSegment);
    EXPECT_FALSE(IntersectLineTriangle(line, a, b, c, out));
    EXPECT_EQ(out, VoVector3(2.0f, 2.0f, 0.0f));

    // Short of the plane: false, the hit still written.
    line.Set(VoVector3(0.25f, 0.25f, 2.0f), VoVector3(0.25f, 0.25f, 1.0f), VoLine3::kSegment);
    EXPECT_FALSE(IntersectLineTriangle(line, a, b, c, out));
    EXPECT_EQ(out, VoVector3(0.25f, 0.25f, 0.0f));

    // Parallel to the plane: out untouched.
    out.Set(7.0f, 7.0f, 7.0f);
    line.Set(VoVector3(0.0f, 0.0f, 1.0f), VoVector3(1.0f, 0.0f, 1.0f), VoLine3::kLine);
    EXPECT_FALSE(IntersectLineTriangle(line, a, b, c, out));
    EXPECT_EQ(out, VoVector3(7.0f, 7.0f, 7.0f));
}

TEST(VoPolygon, IntersectLineTriangleProjectsAlongTheNormal) {
    // A triangle in the plane x = 2 is tested on y and z.
    const VoVector3 a(2.0f, 0.0f, 0.0f);
    const VoVector3 b(2.0f, 1.0f, 0.0f);
    const VoVector3 c(2.0f, 0.0f, 1.0f);
    VoLine3 line;
    line.Set(VoVector3(0.0f, 0.2f, 0.2f), VoVector3(1.0f, 0.2f, 0.2f), VoLine3::kRay);
    VoVector3 out;
    EXPECT_TRUE(IntersectLineTriangle(line, a, b, c, out));
    EXPECT_EQ(out, VoVector3(2.0f, 0.2f, 0.2f));
    line.Set(VoVector3(0.0f, 0.8f, 0.8f), VoVector3(1.0f, 0.8f, 0.8f), VoLine3::kRay);
    EXPECT_FALSE(IntersectLineTriangle(line, a, b, c, out));
}
