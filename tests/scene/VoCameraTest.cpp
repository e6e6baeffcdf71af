#include "scene/VoCamera.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/RecordingRasterizer.h"
#include "support/SceneTestSupport.h"
#include "support/TestText.h"

namespace {

class VoCameraTest : public ::testing::Test {
protected:
    RecordingEngine fEngine;
    RecordingRasterizer* fRasterizer = fEngine.Rasterizer();
};

VoVector3 Placed(const VoMatrix& aMatrix, const VoVector3& aPoint) {
    VoVector3 out;
    TransformCoord(&out, &aMatrix, &aPoint);
    return out;
}

}  // namespace

TEST_F(VoCameraTest, TheDefaultCameraSeesTheOriginTenUnitsAhead) {
    VoCamera camera;
    EXPECT_TRUE(
        Placed(*camera.GetViewMatrix(), VoVector3(0.0f, 0.0f, 0.0f)).Equals(VoVector3(0, 0, 10), 1e-6f));
    // Left-handed: +x stays to the right, +y up.
    EXPECT_TRUE(
        Placed(*camera.GetViewMatrix(), VoVector3(1.0f, 2.0f, 0.0f)).Equals(VoVector3(1, 2, 10), 1e-6f));
    VoMatrix projection;
    MatrixPerspectiveFov(&projection, 0.785f, 4.0f / 3.0f, 0.05f, 10000.0f);
    EXPECT_TRUE(MatrixNear(*camera.GetProjectionMatrix(), projection, 0.0f));
    EXPECT_TRUE(MatrixNear(camera.GetWorldMatrix(), Identity(), 0.0f));
    EXPECT_EQ(Narrow(camera.ToString()), "[VoCamera <" + HexAddress(&camera) + ">]");
}

TEST_F(VoCameraTest, EverySetterRebuildsItsMatrixAtOnce) {
    VoCamera camera;
    camera.SetPosition(10.0f, 0.0f, 0.0f);
    EXPECT_TRUE(
        Placed(*camera.GetViewMatrix(), VoVector3(0.0f, 0.0f, 0.0f)).Equals(VoVector3(0, 0, 10), 1e-5f));
    camera.SetTarget(10.0f, 0.0f, 5.0f);
    EXPECT_TRUE(
        Placed(*camera.GetViewMatrix(), VoVector3(10.0f, 0.0f, 7.0f)).Equals(VoVector3(0, 0, 7), 1e-5f));
    camera.SetUp(1.0f, 0.0f, 0.0f);
    // World +x is now up in view space.
    EXPECT_TRUE(
        Placed(*camera.GetViewMatrix(), VoVector3(11.0f, 0.0f, 5.0f)).Equals(VoVector3(0, 1, 5), 1e-5f));
    camera.SetAspect(2.0f);
    EXPECT_FLOAT_EQ(camera.GetProjectionMatrix()->m[0][0], camera.GetProjectionMatrix()->m[1][1] / 2.0f);
}

TEST_F(VoCameraTest, AHorizontalFieldOfViewBecomesTheVerticalOneAtTheAspect) {
    VoCamera camera;
    const float pi = 3.14159265f;
    ASSERT_TRUE(camera.SetProjectionFovX(2.0f * std::atan(4.0f / 3.0f), 1.0f, 100.0f));
    EXPECT_NEAR(camera.GetFovY(), pi / 2.0f, 1e-6f);
    VoCamera reference;
    reference.SetProjection(pi / 2.0f, 1.0f, 100.0f);
    EXPECT_TRUE(MatrixNear(*camera.GetProjectionMatrix(), *reference.GetProjectionMatrix(), 1e-6f));
    EXPECT_EQ(camera.GetNear(), 1.0f);
    EXPECT_EQ(camera.GetFar(), 100.0f);
}

TEST_F(VoCameraTest, ApplyMakesAllThreeCallsInOrderAndAndsThem) {
    VoCamera camera;
    fRasterizer->ClearCalls();
    EXPECT_TRUE(camera.Apply());
    EXPECT_EQ(fRasterizer->Texts(),
              (std::vector<std::string>{"SetTransform(0)", "SetTransform(2)", "SetTransform(1)"}));
    EXPECT_TRUE(MatrixNear(fRasterizer->Calls()[2].matrix, *camera.GetViewMatrix(), 0.0f));
    EXPECT_TRUE(MatrixNear(fRasterizer->Calls()[1].matrix, *camera.GetProjectionMatrix(), 0.0f));

    fRasterizer->ClearCalls();
    fRasterizer->SetResult("SetTransform", false);
    EXPECT_FALSE(camera.Apply());
    EXPECT_EQ(fRasterizer->Count("SetTransform"), 3);
}

TEST(VoCamera, ApplyWithoutARasterizerFails) {
    RecordingEngine engine;
    VoCamera camera;
    engine.ShutDown();
    EXPECT_FALSE(camera.Apply());
}
