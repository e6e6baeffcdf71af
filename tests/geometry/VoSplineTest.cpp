#include "geometry/VoSpline.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "support/GeometryTestSupport.h"

using testing::ElementsAre;

namespace {

constexpr int kPointCount = 101;

std::unique_ptr<VoVector3[]> Points(VoSpline& aSpline) {
    VoVector3* points = nullptr;
    EXPECT_TRUE(aSpline.GetPoints(&points));
    return std::unique_ptr<VoVector3[]>(points);
}

void ExpectNear(const VoVector3& aActual, const VoVector3& aExpected, float aTolerance) {
    EXPECT_NEAR(aActual.x, aExpected.x, aTolerance);
    EXPECT_NEAR(aActual.y, aExpected.y, aTolerance);
    EXPECT_NEAR(aActual.z, aExpected.z, aTolerance);
}

// The Bernstein form, evaluated directly in double.
VoVector3 Bezier(const VoVector3* apControl, double aT) {
    const double u = 1.0 - aT;
    const double weights[4] = {u * u * u, 3 * u * u * aT, 3 * u * aT * aT, aT * aT * aT};
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    for (int i = 0; i < 4; ++i) {
        x += weights[i] * apControl[i].x;
        y += weights[i] * apControl[i].y;
        z += weights[i] * apControl[i].z;
    }
    return VoVector3(x, y, z);
}

}  // namespace

TEST(VoSpline, GivesOneHundredAndOnePointsFromFirstToLastControlPoint) {
    VoSpline spline;
    ASSERT_TRUE(
        spline.Create(VoVector3(0, 0, 0), VoVector3(0, 0, 0), VoVector3(3, 3, 3), VoVector3(3, 3, 3)));
    EXPECT_EQ(spline.numSteps, 100);
    const auto points = Points(spline);
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(points[0], VoVector3(0, 0, 0));
    ExpectNear(points[50], VoVector3(1.5f, 1.5f, 1.5f), 1e-4f);
    ExpectNear(points[kPointCount - 1], VoVector3(3, 3, 3), 1e-4f);
}

TEST(VoSpline, EvenlySpacedCollinearPointsStepEvenly) {
    VoSpline spline;
    spline.Create(VoVector3(0, 0, 0), VoVector3(1, 0, 0), VoVector3(2, 0, 0), VoVector3(3, 0, 0));
    const auto points = Points(spline);
    EXPECT_EQ(spline.d2, VoVector3());
    EXPECT_EQ(spline.d3, VoVector3());
    EXPECT_NEAR(spline.d1.x, 0.03f, 1e-7f);
    for (int i = 1; i < kPointCount; ++i) {
        ExpectNear(points[i] - points[i - 1], spline.d1, 1e-6f);
    }
}

TEST(VoSpline, FollowsTheBernsteinFormInThreeDimensions) {
    const VoVector3 control[4] = {VoVector3(1.0f, -2.0f, 0.5f), VoVector3(4, 7, -3), VoVector3(-6, 2, 9),
                                  VoVector3(5, 5, -1)};
    VoSpline spline;
    spline.Create(control[0], control[1], control[2], control[3]);
    const auto points = Points(spline);
    for (int i = 0; i < kPointCount; ++i) {
        ExpectNear(points[i], Bezier(control, i / 100.0), 1e-4f);
    }
}

TEST(VoSpline, SamplingTwiceGivesEqualArrays) {
    VoSpline spline;
    spline.Create(VoVector3(0, 0, 0), VoVector3(1, 2, 0), VoVector3(3, -1, 0), VoVector3(4, 0, 0));
    const auto first = Points(spline);
    const auto second = Points(spline);
    for (int i = 0; i < kPointCount; ++i) {
        EXPECT_EQ(first[i], second[i]);
    }
}

TEST(VoSpline, RecreatingReplacesTheCurve) {
    VoSpline spline;
    spline.Create(VoVector3(0, 0, 0), VoVector3(1, 2, 0), VoVector3(3, -1, 0), VoVector3(4, 0, 0));
    Points(spline);
    spline.Create(VoVector3(5, 5, 5), VoVector3(5, 5, 5), VoVector3(5, 5, 5), VoVector3(5, 5, 5));
    const auto points = Points(spline);
    EXPECT_EQ(points[0], VoVector3(5, 5, 5));
    EXPECT_EQ(points[kPointCount - 1], VoVector3(5, 5, 5));
}

TEST(VoSpline, BadOutArgumentFailsWithoutAllocating) {
    LogCapture log;
    VoSpline spline;
    spline.Create(VoVector3(0, 0, 0), VoVector3(1, 0, 0), VoVector3(2, 0, 0), VoVector3(3, 0, 0));
    VoVector3 existing;
    VoVector3* out = &existing;
    EXPECT_FALSE(spline.GetPoints(&out));
    EXPECT_EQ(out, &existing);
    EXPECT_FALSE(spline.GetPoints(nullptr));
    EXPECT_THAT(log.Lines(), ElementsAre(IsAssertFailure("GetPoints failure. Invalid arg."),
                                         IsAssertFailure("GetPoints failure. Invalid arg.")));
}

TEST(VoSpline, NeverCreatedCurveHasNoPoints) {
    LogCapture log;
    VoSpline spline;
    EXPECT_EQ(spline.numSteps, 100);
    VoVector3* out = nullptr;
    EXPECT_FALSE(spline.GetPoints(&out));
    EXPECT_EQ(out, nullptr);
    EXPECT_THAT(log.Lines(), ElementsAre(IsError("GetPoints failure. No control points.")));
}

TEST(VoSpline, CopiesOwnTheirControlPoints) {
    VoSpline original;
    original.Create(VoVector3(0, 0, 0), VoVector3(1, 2, 0), VoVector3(3, -1, 0), VoVector3(4, 0, 0));
    const VoSpline copy(original);
    VoSpline assigned;
    assigned = original;
    ASSERT_NE(copy.controlPoints, nullptr);
    EXPECT_NE(copy.controlPoints, original.controlPoints);
    EXPECT_NE(assigned.controlPoints, original.controlPoints);
    original.Create(VoVector3(9, 9, 9), VoVector3(9, 9, 9), VoVector3(9, 9, 9), VoVector3(9, 9, 9));
    EXPECT_EQ(copy.controlPoints[3], VoVector3(4, 0, 0));
    EXPECT_EQ(assigned.controlPoints[1], VoVector3(1, 2, 0));
    VoSpline& alias = assigned;
    assigned = alias;
    EXPECT_EQ(assigned.controlPoints[1], VoVector3(1, 2, 0));

    const VoSpline empty;
    VoSpline fromEmpty(empty);
    EXPECT_EQ(fromEmpty.controlPoints, nullptr);
}
