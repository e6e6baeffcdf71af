#include "gdi/VoSRectangle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DisplayProbe.h"
#include "gdi/VoRenderer.h"
#include "render/VoVertexBuffer.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<float> Floats(VoVertexBuffer* apBuffer) {
    if (apBuffer == nullptr || apBuffer->GetVertexCount() == 0) {
        return {};
    }
    const float* data = static_cast<const float*>(apBuffer->GetBuffer());
    return std::vector<float>(data, data + apBuffer->GetVertexCount() * 3);
}

class VoSRectangleTest : public ::testing::Test {
protected:
    VoSRectangleTest() : fRenderer(VoRenderer::GetInstance()) {
        fShape.SetId(VoString(u"box"));
        fShape.SetShapeRectangle(VoRectangle(10, 20, 30, 40));
    }

    std::vector<std::string> Draw() {
        fEngine.Rasterizer()->ClearCalls();
        fResult = fShape.Render(fRenderer);
        return fEngine.Rasterizer()->Texts();
    }

    RecordingEngine fEngine;
    VoRenderer* fRenderer;
    VoSRectangle fShape;
    bool fResult = false;
};

}  // namespace

TEST_F(VoSRectangleTest, AStrokedRectangleDrawsOnlyItsOutline) {
    EXPECT_THAT(Draw(), ElementsAre("SetTransform(0)", "SetTextureFactor(1)", "SetTexture(texture 1x1)",
                                    "SetVertexBuffer(1, 5)", "Draw(2, 0, 4)"));
    EXPECT_TRUE(fResult);
    EXPECT_FALSE(fShape.IsDirty());
    EXPECT_THAT(Floats(fShape.GetStrokeVertexBuffer()),
                ElementsAreArray<float>({10, -20, 0, 40, -20, 0, 40, -60, 0, 10, -60, 0, 10, -20, 0}));
    EXPECT_EQ(fShape.GetFillVertexBuffer(), nullptr);
    const VoMatrix& world = fEngine.Rasterizer()->Last("SetTransform")->matrix;
    EXPECT_FLOAT_EQ(world.m[3][0], -400.5f);
    EXPECT_FLOAT_EQ(world.m[3][1], 300.5f);
}

TEST_F(VoSRectangleTest, AStrokedAndFilledRectangleDrawsTheFillFirst) {
    fShape.SetFilled(true);
    EXPECT_THAT(Draw(), ElementsAre("SetTransform(0)", "SetTextureFactor(1)", "SetTexture(texture 1x1)",
                                    "SetVertexBuffer(1, 6)", "Draw(3, 0, 2)", "SetTexture(texture 1x1)",
                                    "SetVertexBuffer(1, 5)", "Draw(2, 0, 4)"));
    EXPECT_EQ(fShape.GetStrokeSegmentCount(), 4);
    EXPECT_EQ(fShape.GetFillTriangleCount(), 2);
    EXPECT_THAT(Floats(fShape.GetFillVertexBuffer()),
                ElementsAreArray<float>({10, -60, 0, 10, -20, 0, 40, -60, 0,  //
                                         40, -60, 0, 10, -20, 0, 40, -20, 0}));
    const std::vector<const RasterizerCall*> textures = {&fEngine.Rasterizer()->Calls()[2],
                                                         &fEngine.Rasterizer()->Calls()[5]};
    EXPECT_EQ(textures[0]->object, fShape.GetFillTexture());
    EXPECT_EQ(textures[1]->object, fShape.GetStrokeTexture());
}

TEST_F(VoSRectangleTest, AFilledRectangleThatWasNeverStrokedIsDrawn) {
    fShape.SetStroked(false);
    fShape.SetFilled(true);
    EXPECT_THAT(Draw(), ElementsAre("SetTransform(0)", "SetTextureFactor(1)", "SetTexture(texture 1x1)",
                                    "SetVertexBuffer(1, 6)", "Draw(3, 0, 2)"));
    EXPECT_TRUE(fResult);
    EXPECT_EQ(fShape.GetStrokeVertexBuffer(), nullptr);
}

TEST_F(VoSRectangleTest, TheFlagsDecideTheBuffersOnlyAtTheNextRebuild) {
    Draw();
    // Filled after the first draw: no fill until the shape is rebuilt.
    fShape.SetFilled(true);
    EXPECT_FALSE(fShape.IsDirty());
    EXPECT_EQ(fEngine.Rasterizer()->Count("Draw"), 1);
    EXPECT_THAT(Draw(), ElementsAre("SetTransform(0)", "SetTextureFactor(1)", "SetTexture(texture 1x1)",
                                    "SetVertexBuffer(1, 5)", "Draw(2, 0, 4)"));
    fShape.InvalidateShape();
    Draw();
    EXPECT_EQ(fEngine.Rasterizer()->Count("Draw"), 2);
    // Unstroked at a rebuild: the old outline stays, but is not drawn.
    fShape.SetStroked(false);
    fShape.SetShapeRectangle(VoRectangle(0, 0, 5, 5));
    EXPECT_TRUE(fShape.IsDirty());
    EXPECT_THAT(Draw(), ElementsAre("SetTransform(0)", "SetTextureFactor(1)", "SetTexture(texture 1x1)",
                                    "SetVertexBuffer(1, 6)", "Draw(3, 0, 2)"));
    EXPECT_EQ(fShape.GetStrokeSegmentCount(), 4);
    EXPECT_EQ(Floats(fShape.GetStrokeVertexBuffer())[3], 40.0f);
}

TEST_F(VoSRectangleTest, AShapeWithoutGeometryDrawsNothing) {
    VoSRectangle empty;
    fEngine.Rasterizer()->ClearCalls();
    EXPECT_FALSE(empty.UpdateShape());
    EXPECT_FALSE(empty.Render(fRenderer));
    EXPECT_TRUE(fEngine.Rasterizer()->Calls().empty());
    EXPECT_FALSE(fRenderer->RenderShape(nullptr));
}

TEST_F(VoSRectangleTest, ColoursReplaceTheirTexturesAtOnceAndLeaveTheBuffers) {
    fShape.SetFilled(true);
    Draw();
    VoVertexBuffer* stroke = fShape.GetStrokeVertexBuffer();
    VoVertexBuffer* fill = fShape.GetFillVertexBuffer();
    ASSERT_TRUE(fShape.SetFillColor(VoColor(1.0f, 1.0f, 0.5f, 0.0f)));
    ASSERT_TRUE(fShape.SetStrokeColor(VoColor(0.5f, 0.0f, 0.0f, 1.0f)));
    EXPECT_EQ(fShape.GetFillColor(), VoColor(1.0f, 1.0f, 0.5f, 0.0f));
    EXPECT_FALSE(fShape.IsDirty());
    Draw();
    EXPECT_EQ(fShape.GetStrokeVertexBuffer(), stroke);
    EXPECT_EQ(fShape.GetFillVertexBuffer(), fill);
    const std::vector<RasterizerCall>& calls = fEngine.Rasterizer()->Calls();
    // B, G, R, A, each channel x 255 truncated.
    EXPECT_THAT(calls[2].texels, ElementsAre(0, 127, 255, 255));
    EXPECT_THAT(calls[5].texels, ElementsAre(255, 0, 0, 127));
}

TEST_F(VoSRectangleTest, TheShapeFadesWithItsGroupAndHidesWithIt) {
    VoDisplayGroup group;
    group.SetId(VoString(u"panel"));
    auto* shape = new VoSRectangle();
    shape->SetId(VoString(u"frame"));
    shape->SetShapeRectangle(VoRectangle(0, 0, 4, 4));
    ASSERT_TRUE(group.AddMember(shape, true));
    group.SetBlend(0.5f);
    fEngine.Rasterizer()->ClearCalls();
    EXPECT_TRUE(group.Render(fRenderer));
    EXPECT_THAT(fEngine.Rasterizer()->Texts("SetTextureFactor"), ElementsAre("SetTextureFactor(0.5)"));
    group.SetActive(false);
    fEngine.Rasterizer()->ClearCalls();
    EXPECT_TRUE(group.Render(fRenderer));
    shape->SetActive(true);
    group.SetActive(true);
    shape->SetVisible(false);
    EXPECT_TRUE(group.Render(fRenderer));
    EXPECT_TRUE(fEngine.Rasterizer()->Calls().empty());
}
