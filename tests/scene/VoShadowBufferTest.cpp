#include "scene/VoShadowBuffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geometry/VoImage.h"
#include "render/VoVertexBuffer.h"
#include "support/RecordingRasterizer.h"
#include "support/SceneTestSupport.h"

TEST(VoShadowBuffer, HoldsABlackPixelAndAQuadOverTheViewport) {
    RecordingEngine engine;
    VoShadowBuffer buffer;
    auto* texture = dynamic_cast<RecordingTexture*>(buffer.GetTexture());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetWidth(), 1u);
    EXPECT_EQ(texture->GetHeight(), 1u);
    EXPECT_EQ(texture->GetFormat(), VoImage::kFormatBGRA);
    EXPECT_EQ(texture->GetTexels(), (std::vector<unsigned char>{0, 0, 0, 255}));

    VoVertexBuffer* quad = buffer.GetVertexBuffer();
    ASSERT_NE(quad, nullptr);
    ASSERT_EQ(quad->GetFormat(), 1);
    ASSERT_EQ(quad->GetVertexCount(), 4);
    const auto* xyz = static_cast<const float*>(quad->GetBuffer());
    EXPECT_EQ(std::vector<float>(xyz, xyz + 12),
              (std::vector<float>{-0.5f, -0.5f, 0, -0.5f, 0.5f, 0, 0.5f, -0.5f, 0, 0.5f, 0.5f, 0}));
    VoMatrix ortho;
    MatrixOrtho(&ortho, 1.0f, 1.0f, -200.0f, 200.0f);
    EXPECT_TRUE(MatrixNear(buffer.GetProjection(), ortho));
}

TEST(VoShadowBuffer, BeginShadowPassAndRenderSetTheStatesInOrder) {
    RecordingEngine engine;
    RecordingRasterizer* raster = engine.Rasterizer();
    VoShadowBuffer buffer;
    raster->ClearCalls();
    EXPECT_TRUE(buffer.BeginShadowPass());
    EXPECT_EQ(raster->Texts(),
              (std::vector<std::string>{"ClearStencil()", "SetStencilEnable(1)", "SetAlphaBlending(0)",
                                        "EnableDepthBuffer(1)", "EnableDepthWrite(0)", "SetColorWrite(0)"}));

    raster->ClearCalls();
    EXPECT_TRUE(buffer.Render(0.3f));
    EXPECT_EQ(
        raster->Texts(),
        (std::vector<std::string>{
            "SetColorWrite(1)", "SetCullMode(0)", "SetStencilFunction(1, 0, 0, 1.67772e+07)",
            "SetStencilFail(0)", "SetStencilZFail(0)", "SetStencilPass(0)", "SetAlphaBlending(1)",
            "SetTextureFactor(0.3)", "SetTexture(texture 1x1)", "SetVertexBuffer(1, 4)", "SetTransform(1)",
            "SetTransform(2)", "EnableDepthBuffer(0)", "Draw(4, 0, 2)", "SetStencilEnable(0)",
            "SetCullMode(2)", "EnableDepthBuffer(1)", "EnableDepthWrite(1)", "SetAlphaBlending(0)"}));
    EXPECT_EQ(raster->Last("SetStencilFunction")->arguments[3], double(VoShadowBuffer::kStencilMask));
    EXPECT_TRUE(MatrixNear(raster->Calls()[10].matrix, Identity()));
    EXPECT_TRUE(MatrixNear(raster->Calls()[11].matrix, buffer.GetProjection()));

    // A failed state fails the call; the states after it are still restored.
    raster->SetResult("Draw", false);
    raster->ClearCalls();
    EXPECT_FALSE(buffer.Render(0.5f));
    EXPECT_EQ(raster->Texts().back(), "SetAlphaBlending(0)");
}
