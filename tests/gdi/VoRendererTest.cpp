#include "gdi/VoRenderer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DisplayProbe.h"
#include "container/VoColor.h"
#include "gdi/VoSprite.h"
#include "geometry/VoImage.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoPolygon.h"
#include "render/VoTextureManager.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

VoMatrix Ortho(float aWidth, float aHeight) {
    VoMatrix matrix;
    return *MatrixOrtho(&matrix, aWidth, aHeight, -200.0f, 200.0f);
}

bool SameMatrix(const VoMatrix& aA, const VoMatrix& aB) {
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            if (aA.m[row][column] != aB.m[row][column]) {
                return false;
            }
        }
    }
    return true;
}

class VoRendererTest : public ::testing::Test {
protected:
    VoRendererTest() : fRenderer(VoRenderer::GetInstance()), fRaster(fEngine.Rasterizer()) {
        EXPECT_NE(fRenderer, nullptr);
        EXPECT_NE(fRaster, nullptr);
    }

    // The projection handed to the rasterizer last.
    VoMatrix LastProjection() const {
        VoMatrix matrix;
        fRaster->GetTransform(VoIRasterizer::kProjection, &matrix);
        return matrix;
    }

    RecordingEngine fEngine;
    VoRenderer* fRenderer;
    RecordingRasterizer* fRaster;
};

}  // namespace

TEST_F(VoRendererTest, StartsWithTheFullScreenView) {
    EXPECT_THAT(fRaster->Texts(), ElementsAre("SetTransform(2)", "SetViewport(0, 0, 800, 600, 0, 1)"));
    EXPECT_TRUE(SameMatrix(LastProjection(), Ortho(800.0f, 600.0f)));
    VoVector2 offset;
    fRenderer->GetScreenOffset(offset);
    EXPECT_EQ(offset, VoVector2(-400.5f, 300.5f));
    EXPECT_EQ(fRenderer->GetCurrentOffset(), offset);
    VoRectangle screen;
    fRenderer->GetScreenRectangle(screen);
    EXPECT_EQ(screen, VoRectangle(0.0f, 0.0f, 800.0f, 600.0f));
    EXPECT_EQ(fRenderer->GetViewRectangle(), nullptr);
    EXPECT_EQ(VoRenderer::GetInstance(), fRenderer);
    EXPECT_EQ(Narrow(fRenderer->ToString()), "[VoRenderer <" + HexAddress(fRenderer) + ">]");
}

TEST_F(VoRendererTest, AViewRectangleHasItsOwnProjectionOffsetAndViewport) {
    VoRectangle clip(100.0f, 50.0f, 200.0f, 120.0f);
    fRaster->ClearCalls();
    EXPECT_TRUE(fRenderer->SetViewRectangle(&clip));
    EXPECT_EQ(fRenderer->GetViewRectangle(), &clip);
    EXPECT_THAT(fRaster->Texts(), ElementsAre("SetTransform(2)", "SetViewport(100, 50, 200, 120, 0, 1)"));
    EXPECT_TRUE(SameMatrix(LastProjection(), Ortho(200.0f, 120.0f)));
    VoVector2 offset;
    fRenderer->GetClipOffset(offset);
    EXPECT_EQ(offset, VoVector2(-200.5f, 110.5f));
    EXPECT_EQ(fRenderer->GetCurrentOffset(), offset);

    // An object at the clip area's corner lands on the viewport's top-left
    // corner, half a pixel in.
    ProbeObject2D object("a");
    object.SetPosition(100.0f, 50.0f);
    VoMatrix place;
    VoMatrix toDevice;
    MatrixTranslation(&place, offset.x, offset.y, 0.0f);
    MatrixMultiply(&toDevice, object.GetWorldTransform(), &place);
    MatrixMultiply(&toDevice, &toDevice, fRenderer->GetCurrentProjection());
    const VoVector3 origin(0.0f, 0.0f, 0.0f);
    VoVector3 device;
    TransformCoord(&device, &toDevice, &origin);
    EXPECT_NEAR(device.x, -1.0f - 1.0f / 200.0f, 1e-6f);
    EXPECT_NEAR(device.y, 1.0f + 1.0f / 120.0f, 1e-6f);

    // Back to the full screen.
    fRaster->ClearCalls();
    EXPECT_TRUE(fRenderer->SetViewRectangle(nullptr));
    EXPECT_EQ(fRenderer->GetViewRectangle(), nullptr);
    EXPECT_THAT(fRaster->Texts(), ElementsAre("SetTransform(2)", "SetViewport(0, 0, 800, 600, 0, 1)"));
    EXPECT_TRUE(SameMatrix(LastProjection(), Ortho(800.0f, 600.0f)));
    EXPECT_EQ(fRenderer->GetCurrentOffset(), VoVector2(-400.5f, 300.5f));
}

TEST_F(VoRendererTest, AViewportIsNeverNegative) {
    VoRectangle clip(-5.0f, 10.9f, -3.0f, 20.5f);
    EXPECT_TRUE(fRenderer->SetViewRectangle(&clip));
    EXPECT_EQ(fRaster->Last("SetViewport")->Text(), "SetViewport(0, 10, 0, 20, 0, 1)");
}

TEST_F(VoRendererTest, ARefusedViewportIsReported) {
    LogCapture log;
    fRaster->SetResult("SetViewport", false);
    VoRectangle clip(1.0f, 2.0f, 3.0f, 4.0f);
    EXPECT_FALSE(fRenderer->SetViewRectangle(&clip));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
}

TEST_F(VoRendererTest, BeginRenderSetsTheDeviceUpForTwoD) {
    fRaster->ClearCalls();
    EXPECT_TRUE(fRenderer->BeginRender());
    EXPECT_THAT(fRaster->Texts(),
                ElementsAre("SetFillMode(2)", "SetAlphaBlending(1)", "SetBlendFunction(4, 6)",
                            "SetLighting(0)", "SetTransform(1)", "SetTransform(2)", "SetTextureAddress(0, 2)",
                            "SetTextureAddress(1, 2)", "SetTextureFilter(1, 2)", "SetTextureFilter(0, 2)",
                            "EnableDepthBuffer(0)"));
    VoMatrix identity;
    MatrixIdentity(&identity);
    EXPECT_TRUE(SameMatrix(fRaster->Calls()[4].matrix, identity));
    EXPECT_TRUE(SameMatrix(fRaster->Calls()[5].matrix, Ortho(800.0f, 600.0f)));
    EXPECT_TRUE(fRenderer->EndRender());

    // Under a view rectangle the clip projection goes to the device.
    VoRectangle clip(0.0f, 0.0f, 50.0f, 40.0f);
    fRenderer->SetViewRectangle(&clip);
    fRaster->ClearCalls();
    EXPECT_TRUE(fRenderer->BeginRender());
    EXPECT_TRUE(SameMatrix(fRaster->Calls()[5].matrix, Ortho(50.0f, 40.0f)));
}

TEST_F(VoRendererTest, BeginRenderMakesEveryCallWhenOneFails) {
    LogCapture log;
    fRaster->SetResult("SetLighting", false);
    fRaster->ClearCalls();
    EXPECT_FALSE(fRenderer->BeginRender());
    EXPECT_EQ(fRaster->Calls().size(), 11u);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
}

TEST_F(VoRendererTest, SetMatrixLastsUntilTheNextResetView) {
    const VoMatrix custom(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    EXPECT_TRUE(fRenderer->SetMatrix(custom));
    fRaster->ClearCalls();
    fRenderer->BeginRender();
    EXPECT_TRUE(SameMatrix(fRaster->Calls()[5].matrix, custom));
    fRenderer->ResetView();
    fRaster->ClearCalls();
    fRenderer->BeginRender();
    EXPECT_TRUE(SameMatrix(fRaster->Calls()[5].matrix, Ortho(800.0f, 600.0f)));
    EXPECT_TRUE(fRenderer->SetScreenOffset(1.0f, 2.0f));
    EXPECT_EQ(fRenderer->GetCurrentOffset(), VoVector2(1.0f, 2.0f));
}

TEST_F(VoRendererTest, RenderPolygonDrawsAnOutlineInOneColour) {
    const VoVector2 triangle[] = {{10.0f, 20.0f}, {30.0f, 20.0f}, {10.0f, 50.0f}};
    const VoPolygon closed(triangle, 3, true);
    fRaster->ClearCalls();
    EXPECT_TRUE(fRenderer->RenderPolygon(&closed, VoColor(1.0f, 0.5f, 0.25f, 0.0f)));
    EXPECT_THAT(fRaster->Texts(),
                ElementsAre("SetTransform(0)", "SetTextureFactor(1)", "SetVertexBuffer(1, 4)",
                            "SetTexture(texture 1x1)", "Draw(2, 0, 3)"));
    VoMatrix placed;
    EXPECT_TRUE(SameMatrix(fRaster->Calls()[0].matrix, *MatrixTranslation(&placed, -400.5f, 300.5f, 0.0f)));
    EXPECT_THAT(fRaster->Calls()[2].vertices, ElementsAreArray({10.0f, -20.0f, 0.0f, 30.0f, -20.0f, 0.0f,
                                                                10.0f, -50.0f, 0.0f, 10.0f, -20.0f, 0.0f}));
    // Bytes B, G, R, A of the colour, each truncated.
    EXPECT_THAT(fRaster->Calls()[3].texels, ElementsAre(0, 63, 127, 255));
    EXPECT_EQ(RecordingTexture::LiveCount(), 0);

    // Open: no closing line; under a view rectangle, placed by the clip offset.
    VoRectangle clip(100.0f, 50.0f, 200.0f, 120.0f);
    fRenderer->SetViewRectangle(&clip);
    const VoPolygon open(triangle, 3, false);
    fRaster->ClearCalls();
    EXPECT_TRUE(fRenderer->RenderPolygon(&open, VoColor(1.0f, 1.0f, 1.0f, 1.0f)));
    EXPECT_EQ(fRaster->Calls()[2].Text(), "SetVertexBuffer(1, 3)");
    EXPECT_EQ(fRaster->Last("Draw")->Text(), "Draw(2, 0, 2)");
    EXPECT_TRUE(SameMatrix(fRaster->Calls()[0].matrix, *MatrixTranslation(&placed, -200.5f, 110.5f, 0.0f)));
}

TEST_F(VoRendererTest, RenderPolygonRefusesWhatItCannotDraw) {
    LogCapture log;
    fRaster->ClearCalls();
    EXPECT_FALSE(fRenderer->RenderPolygon(nullptr, VoColor()));
    EXPECT_TRUE(log.Logged("ERROR: ", VoRenderer::kRenderPolygonNull));
    const VoVector2 one[] = {{1.0f, 1.0f}};
    const VoPolygon openPoint(one, 1, false);
    EXPECT_FALSE(fRenderer->RenderPolygon(&openPoint, VoColor()));
    const VoPolygon empty;
    EXPECT_FALSE(fRenderer->RenderPolygon(&empty, VoColor()));
    EXPECT_EQ(log.Count(VoRenderer::kRenderPolygonTooFewPoints), 2);
    EXPECT_EQ(fRaster->Count("Draw"), 0);
    // A closed single point is a line of length 0 back to itself.
    const VoPolygon closedPoint(one, 1, true);
    EXPECT_TRUE(fRenderer->RenderPolygon(&closedPoint, VoColor()));
    EXPECT_EQ(fRaster->Last("Draw")->Text(), "Draw(2, 0, 1)");
}

TEST_F(VoRendererTest, RenderBoundaryDrawsRectanglesAndPolygons) {
    const VoRectangle rectangle(1.0f, 2.0f, 3.0f, 4.0f);
    fRaster->ClearCalls();
    EXPECT_TRUE(fRenderer->RenderBoundary(&rectangle, VoColor()));
    EXPECT_THAT(fRaster->Last("SetVertexBuffer")->vertices,
                ElementsAreArray({1.0f, -2.0f, 0.0f, 4.0f, -2.0f, 0.0f, 4.0f, -6.0f, 0.0f, 1.0f, -6.0f, 0.0f,
                                  1.0f, -2.0f, 0.0f}));
    const VoPolygon polygon(rectangle);
    EXPECT_TRUE(fRenderer->RenderBoundary(&polygon, VoColor()));
    EXPECT_EQ(fRaster->Count("Draw"), 2);

    LogCapture log;
    EXPECT_FALSE(fRenderer->RenderBoundary(nullptr, VoColor()));
    EXPECT_TRUE(log.Logged("ERROR: ", VoRenderer::kRenderBoundaryNull));
    EXPECT_FALSE(fRenderer->RenderRectangle(nullptr, VoColor()));
    EXPECT_TRUE(log.Logged("ERROR: ", VoRenderer::kRenderRectangleNull));
}

TEST_F(VoRendererTest, DrawingHintsTakeOutTheScaleAndSnapToWholePixels) {
    VoImage image;
    const unsigned char pixels[16] = {};
    ASSERT_TRUE(image.Create(2, 2, 8, VoImage::kFormatBGRA, pixels, 16));
    VoSprite sprite;
    ASSERT_TRUE(sprite.SetTexture(VoTextureManager::GetInstance()->CreateTexture(VoString(u"hint"), &image),
                                  nullptr, nullptr));
    sprite.SetPosition(10.75f, 20.25f);
    sprite.SetScale(2.0f, 0.0f);
    struct Case {
        bool unscaled;
        bool snap;
        float x00, y11, x, y;
    };
    const Case cases[] = {
        {false, false, 2.0f, 0.0f, 10.75f - 400.5f, -20.25f + 300.5f},
        {true, false, 1.0f, 0.0f, 10.75f - 400.5f, -20.25f + 300.5f},
        {false, true, 2.0f, 0.0f, 10.0f - 400.5f, -20.0f + 300.5f},
    };
    for (const Case& c : cases) {
        sprite.SetUnscaled(c.unscaled);
        sprite.SetPixelSnap(c.snap);
        fRaster->ClearCalls();
        EXPECT_TRUE(fRenderer->RenderSprite(&sprite));
        const VoMatrix& world = fRaster->Last("SetTransform")->matrix;
        EXPECT_FLOAT_EQ(world.m[0][0], c.x00);
        // A row scaled to nothing stays nothing.
        EXPECT_EQ(world.m[1][1], c.y11);
        EXPECT_FLOAT_EQ(world.m[3][0], c.x);
        EXPECT_FLOAT_EQ(world.m[3][1], c.y);
    }
    LogCapture log;
    EXPECT_FALSE(fRenderer->RenderSprite(nullptr));
    EXPECT_FALSE(fRenderer->RenderShape(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoRenderer::kRenderSpriteNull));
    EXPECT_TRUE(log.Logged("ERROR: ", VoRenderer::kRenderShapeNull));
}

TEST(VoRenderer, IsNotHandedOutWithoutARasterizer) {
    EngineWithoutRasterizer engine;
    LogCapture log;
    EXPECT_EQ(VoRenderer::GetInstance(), nullptr);
    EXPECT_TRUE(log.Logged("ERROR: ", VoRenderer::kNoRasterizer));
}

TEST(VoRenderer, IsGoneAfterShutDown) {
    RecordingEngine engine;
    ASSERT_NE(VoRenderer::GetInstance(), nullptr);
    LogCapture log;
    engine.ShutDown();
    EXPECT_TRUE(log.Contains("~VoRenderer()"));
    EXPECT_EQ(VoRenderer::GetInstance(), nullptr);
}
