#include "gdi/VoSBezier.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DisplayProbe.h"
#include "gdi/VoRenderer.h"
#include "geometry/VoSpline.h"
#include "geometry/VoVector3.h"
#include "render/VoVertexBuffer.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::ElementsAre;

// Point i is (i, 2i).
std::vector<VoVector2> Points(int aCount) {
    std::vector<VoVector2> points;
    for (int i = 0; i < aCount; ++i) {
        points.emplace_back(static_cast<float>(i), static_cast<float>(2 * i));
    }
    return points;
}

class VoSBezierTest : public ::testing::Test {
protected:
    VoSBezierTest() : fRenderer(VoRenderer::GetInstance()) {}

    RecordingEngine fEngine;
    VoRenderer* fRenderer;
    VoSBezier fShape;
};

}  // namespace

TEST_F(VoSBezierTest, PointCountsFollowTheLayout) {
    struct Case {
        int count;
        bool joined;
        int segments;  // -1: refused
    };
    const Case cases[] = {
        {4, true, 1},   {7, true, 2},  {1, true, 0},  {5, true, -1},  {6, true, -1},   {0, true, -1},
        {-2, true, -1}, {8, false, 2}, {0, false, 0}, {6, false, -1}, {-4, false, -1}, {4, false, 1},
    };
    for (const Case& c : cases) {
        VoSBezier shape;
        const std::vector<VoVector2> points = Points(c.count > 0 ? c.count : 0);
        ASSERT_TRUE(shape.Create(7, Points(7).data(), true));
        LogCapture log;
        EXPECT_EQ(shape.Create(c.count, points.data(), c.joined), c.segments >= 0)
            << c.count << " " << c.joined;
        EXPECT_EQ(shape.GetSegmentCount(), c.segments >= 0 ? c.segments : 2) << c.count << " " << c.joined;
        EXPECT_EQ(log.Logged("ASSERT FAILURE: ", VoSBezier::kCreateBadCount), c.segments < 0);
    }
}

TEST_F(VoSBezierTest, SegmentsTakeTheirControlPointsByLayout) {
    const std::vector<VoVector2> points = Points(8);
    ASSERT_TRUE(fShape.Create(7, points.data(), true));
    ASSERT_NE(fShape.GetSegment(1), nullptr);
    EXPECT_EQ(fShape.GetSegment(1)->controlPoints[0], VoVector3(3.0f, 6.0f, 0.0f));
    EXPECT_EQ(fShape.GetSegment(1)->numSteps, 100);
    EXPECT_EQ(fShape.GetSegment(2), nullptr);
    EXPECT_EQ(fShape.GetSegment(-1), nullptr);
    ASSERT_TRUE(fShape.Create(8, points.data(), false));
    EXPECT_EQ(fShape.GetSegment(1)->controlPoints[0], VoVector3(4.0f, 8.0f, 0.0f));

    // Control points come back in the joined layout whatever the shape was made with.
    VoVector3* control = nullptr;
    int count = 0;
    fShape.GetControlPoints(&control, &count);
    ASSERT_EQ(count, 7);
    EXPECT_EQ(control[0], VoVector3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(control[3], VoVector3(3.0f, 6.0f, 0.0f));
    EXPECT_EQ(control[4], VoVector3(5.0f, 10.0f, 0.0f));
    LogCapture log;
    fShape.GetControlPoints(&control, &count);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoSBezier::kGetControlPointsInvalid));
    delete[] control;

    VoVector3* path = nullptr;
    ASSERT_TRUE(fShape.GetPathPoints(&path, &count));
    EXPECT_EQ(count, 202);
    EXPECT_EQ(path[101], VoVector3(4.0f, 8.0f, 0.0f));
    EXPECT_FALSE(fShape.GetPathPoints(&path, &count));
    EXPECT_TRUE(log.Logged("ERROR: ", VoSBezier::kGetPathPointsNull));
    delete[] path;
}

TEST_F(VoSBezierTest, JoinedAndSeparatePathsBothGive201Vertices) {
    for (bool joined : {true, false}) {
        VoSBezier shape;
        const std::vector<VoVector2> points = Points(joined ? 7 : 8);
        ASSERT_TRUE(shape.Create(static_cast<int>(points.size()), points.data(), joined));
        shape.SetStroked(false);
        ASSERT_TRUE(shape.UpdateShape());
        VoVertexBuffer* stroke = shape.GetStrokeVertexBuffer();
        ASSERT_NE(stroke, nullptr);
        EXPECT_EQ(stroke->GetVertexCount(), 201);
        EXPECT_EQ(shape.GetStrokeSegmentCount(), 200);
        const float* data = static_cast<const float*>(stroke->GetBuffer());
        // The last sample is the last control point, y negated (forward
        // differencing drifts a little over 100 steps).
        EXPECT_NEAR(data[200 * 3], joined ? 6.0f : 7.0f, 1e-3f);
        EXPECT_NEAR(data[200 * 3 + 1], joined ? -12.0f : -14.0f, 1e-3f);
        EXPECT_FALSE(shape.UpdateShape());
    }
}

TEST_F(VoSBezierTest, APathIsDrawnAsOneLineStripAndNeverFilled) {
    const std::vector<VoVector2> points = Points(4);
    ASSERT_TRUE(fShape.Create(4, points.data(), true));
    fShape.SetFilled(true);
    fEngine.Rasterizer()->ClearCalls();
    EXPECT_TRUE(fShape.Render(fRenderer));
    EXPECT_THAT(fEngine.Rasterizer()->Texts(),
                ElementsAre("SetTransform(0)", "SetTextureFactor(1)", "SetTexture(texture 1x1)",
                            "SetVertexBuffer(1, 101)", "Draw(2, 0, 100)"));
    // A second Create leaves the dirty flag alone.
    ASSERT_TRUE(fShape.Create(7, Points(7).data(), true));
    EXPECT_FALSE(fShape.IsDirty());
    fShape.InvalidateShape();
    EXPECT_TRUE(fShape.UpdateShape());
    EXPECT_EQ(fShape.GetStrokeSegmentCount(), 200);
    EXPECT_EQ(Narrow(fShape.ToString()), "[VoSBezier <" + HexAddress(&fShape) + ">]");
}

TEST_F(VoSBezierTest, NoSegmentsOrNoPointsDrawNothing) {
    EXPECT_FALSE(fShape.UpdateShape());
    ASSERT_TRUE(fShape.Create(1, Points(1).data(), true));
    EXPECT_FALSE(fShape.UpdateShape());
    fEngine.Rasterizer()->ClearCalls();
    EXPECT_FALSE(fShape.Render(fRenderer));
    EXPECT_TRUE(fEngine.Rasterizer()->Calls().empty());
    VoVector3* control = nullptr;
    int count = -1;
    fShape.GetControlPoints(&control, &count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(control, nullptr);
    // Points that are not there are refused.
    LogCapture log;
    EXPECT_FALSE(fShape.Create(4, static_cast<const VoVector3*>(nullptr), true));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoSBezier::kCreateNull));
}
