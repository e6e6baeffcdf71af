#include "gdi/VoSPolygon.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DisplayProbe.h"
#include "gdi/VoRenderer.h"
#include "geometry/VoPolygon.h"
#include "render/VoVertexBuffer.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const VoVector2 kSquare[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

class VoSPolygonTest : public ::testing::Test {
protected:
    VoSPolygonTest() : fRenderer(VoRenderer::GetInstance()) {}

    std::vector<std::string> Draw() {
        fEngine.Rasterizer()->ClearCalls();
        fResult = fShape.Render(fRenderer);
        return fEngine.Rasterizer()->Texts();
    }

    RecordingEngine fEngine;
    VoRenderer* fRenderer;
    VoSPolygon fShape;
    bool fResult = false;
};

}  // namespace

TEST_F(VoSPolygonTest, ClosedPolygonsReturnToTheFirstPoint) {
    struct Case {
        bool closed;
        int vertices;
    };
    for (const Case& c : {Case{true, 5}, Case{false, 4}}) {
        ASSERT_TRUE(fShape.SetPoints(kSquare, 4, c.closed));
        EXPECT_TRUE(fShape.IsDirty());
        EXPECT_TRUE(fShape.UpdateShape());
        EXPECT_FALSE(fShape.IsDirty());
        VoVertexBuffer* stroke = fShape.GetStrokeVertexBuffer();
        ASSERT_NE(stroke, nullptr);
        EXPECT_EQ(stroke->GetVertexCount(), c.vertices);
        EXPECT_EQ(fShape.GetStrokeSegmentCount(), c.vertices - 1);
        const float* data = static_cast<const float*>(stroke->GetBuffer());
        EXPECT_THAT(std::vector<float>(data + 6, data + 9), ElementsAre(10, -10, 0));
        EXPECT_THAT(std::vector<float>(data + (c.vertices - 1) * 3, data + c.vertices * 3),
                    ElementsAreArray(c.closed ? std::vector<float>{0, 0, 0} : std::vector<float>{0, -10, 0}));
    }
    EXPECT_TRUE(fShape.UpdateShape());
    EXPECT_EQ(Narrow(fShape.ToString()), "[VoSPolygon <" + HexAddress(&fShape) + ">]");
}

TEST_F(VoSPolygonTest, AFilledPolygonDrawsItsOutlineOnly) {
    ASSERT_TRUE(fShape.SetPolygon(VoPolygon(kSquare, 4, true)));
    fShape.SetFilled(true);
    EXPECT_THAT(Draw(), ElementsAre("SetTransform(0)", "SetTextureFactor(1)", "SetTexture(texture 1x1)",
                                    "SetVertexBuffer(1, 5)", "Draw(2, 0, 4)"));
    EXPECT_TRUE(fResult);
    EXPECT_EQ(fShape.GetFillVertexBuffer(), nullptr);
    ASSERT_NE(fShape.GetPolygon(), nullptr);
    EXPECT_EQ(fShape.GetPolygon()->GetNumPoints(), 4);
}

TEST_F(VoSPolygonTest, TheOutlineIsBuiltWhetherOrNotStroked) {
    ASSERT_TRUE(fShape.SetPoints(kSquare, 3, false));
    fShape.SetStroked(false);
    EXPECT_THAT(Draw(), ElementsAre("SetTransform(0)", "SetTextureFactor(1)"));
    EXPECT_EQ(fShape.GetStrokeSegmentCount(), 2);
}

TEST_F(VoSPolygonTest, APolygonWithoutPointsFailsAndDrawsNothing) {
    EXPECT_FALSE(fShape.UpdateShape());
    for (bool closed : {true, false}) {
        ASSERT_TRUE(fShape.SetPoints(nullptr, 0, closed));
        LogCapture log;
        EXPECT_THAT(Draw(), ElementsAre("SetTransform(0)", "SetTextureFactor(1)"));
        EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoIShape::kUpdateShapeFailure));
        EXPECT_TRUE(fShape.IsDirty());
        EXPECT_EQ(fShape.GetStrokeSegmentCount(), 0);
    }
    // Points that are not there are refused outright.
    EXPECT_FALSE(fShape.SetPoints(nullptr, 3, true));
    EXPECT_FALSE(fShape.SetPoints(kSquare, -1, true));
}
