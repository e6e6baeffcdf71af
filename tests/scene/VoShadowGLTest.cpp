// Stencil shadows on a real (headless) GL context through the engine's own
// rasterizer: a cube between a point light and a wall, its volume counted
// into the stencil buffer in both passes, and the shadow buffer darkening
// what the count marks.
#include "scene/VoShadowBuffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/port/VoIRenderDevice.h"
#include "render/VoIRasterizer.h"
#include "render/VoLight.h"
#include "render/VoRenderDeviceSource.h"
#include "scene/VoCamera.h"
#include "scene/VoShadowVolume.h"
#include "support/GLTestContext.h"
#include "support/ScopedEngine.h"
#include "support/ShadowTestSupport.h"

namespace {

using R = VoIRasterizer;

constexpr int kWidth = 800;

// A quad in the plane z = aZ from (aLeft, aBottom) to (aRight, aTop),
// clockwise as the camera sees it.
VoMesh* WallMesh(float aLeft, float aRight, float aBottom, float aTop, float aZ) {
    auto* mesh = new VoMesh();
    FillMesh(mesh,
             {At(aLeft, aTop, aZ), At(aRight, aTop, aZ), At(aLeft, aBottom, aZ), At(aRight, aBottom, aZ)},
             {0, 1, 2, 2, 1, 3});
    return mesh;
}

// Where a point of the plane z = 5 lands on screen through the default camera.
int ScreenX(float aX) {
    return static_cast<int>(400.0f + aX * 300.0f / (15.0f * std::tan(VoCamera::kDefaultFovY / 2.0f)));
}
int ScreenY(float aY) {
    return static_cast<int>(300.0f - aY * 300.0f / (15.0f * std::tan(VoCamera::kDefaultFovY / 2.0f)));
}

// The drawing device over the test context and an engine drawing with it;
// a grey background, then a white wall at z = 5 below y = -1.5 and the white
// cube from -1 to 1 at the origin, seen through the default camera from
// (0, 0, -10). The light stands to the upper right in front of the cube, so
// the shadow falls on the wall to the lower left and its upper part reaches
// past the wall's top edge into the empty background.
class VoShadowGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fGL.IsReady()) << fGL.Error();
        fDevice.reset(VoCreateRenderDevice());
        ASSERT_NE(fDevice, nullptr);
        VoRenderDeviceSource::Set(fDevice.get());
        fEngine = std::make_unique<ScopedEngine>();
        fRasterizer = R::Get();
        ASSERT_NE(fRasterizer, nullptr);
        fCamera = std::make_unique<VoCamera>();
        fpCube = CubeMesh();
        fModel.reset(ModelOf({{u"Wall", WallMesh(-20, 20, -20, -1.5f, 5)}, {u"Cube", fpCube}}));
        fLight.fPosition = VoVector3(6, 4, -10);

        ASSERT_TRUE(fCamera->Apply());
        fRasterizer->SetColorValues(1.0f, 0.5f, 0.5f, 0.5f);
        ASSERT_TRUE(fRasterizer->Clear());
        ASSERT_TRUE(fRasterizer->SetLighting(false));
        ASSERT_TRUE(fRasterizer->SetCullMode(R::kCullCounterClockwise));
        ASSERT_TRUE(fRasterizer->EnableDepthBuffer(true));
        ASSERT_TRUE(fRasterizer->SetBlendFunction(R::kBlendSrcAlpha, R::kBlendInvSrcAlpha));
        fModel->Render();
    }

    void TearDown() override {
        fModel.reset();
        fCamera.reset();
        fEngine.reset();
        VoRenderDeviceSource::Set(nullptr);
        fDevice.reset();
    }

    static int Stencil(const std::vector<int>& aStencils, int aX, int aY) {
        return aStencils[static_cast<std::size_t>(aY) * kWidth + aX];
    }

    GLTestContext fGL;
    std::unique_ptr<VoIRenderDevice> fDevice;
    std::unique_ptr<ScopedEngine> fEngine;
    R* fRasterizer = nullptr;
    std::unique_ptr<VoCamera> fCamera;
    VoMesh* fpCube = nullptr;  // owned by its frame
    std::unique_ptr<VoDrawElement> fModel;
    VoLight fLight;
};

}  // namespace

TEST_F(VoShadowGLTest, TheCubesShadowDarkensExactlyThePixelsItsVolumeCounted) {
    VoShadowBuffer buffer;
    VoShadowVolume volume;
    ASSERT_TRUE(volume.Create(VoString(u"Cube"), fpCube));
    ASSERT_TRUE(buffer.BeginShadowPass());
    ASSERT_TRUE(volume.Update(&fLight, true));
    ASSERT_TRUE(volume.BuildGeometry(fCamera.get()));
    ASSERT_TRUE(volume.Render(0.25f));
    const std::vector<int> stencils = fGL.Stencils();
    const std::vector<Rgba> before = fGL.Pixels();
    ASSERT_TRUE(buffer.Render(0.5f));
    const std::vector<Rgba> after = fGL.Pixels();

    int shadowed = 0;
    int mismatches = 0;
    for (std::size_t i = 0; i < stencils.size(); ++i) {
        bool fits = true;
        if (stencils[i] != 0) {
            ++shadowed;
            for (int c = 0; c < 3; ++c) {
                fits = fits && std::abs(after[i][c] - before[i][c] / 2) <= 2;
            }
        } else {
            fits = after[i] == before[i];
        }
        if (!fits && mismatches++ < 5) {
            ADD_FAILURE() << "pixel " << i % kWidth << ", " << i / kWidth << ": stencil " << stencils[i]
                          << ", " << ToText(before[i]) << " became " << ToText(after[i]);
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(shadowed, 10000);

    // On the wall inside the shadow the volume's front passed and its back,
    // behind the wall, did not: the pass of the faces clockwise on screen
    // took one away. Where the shadow reaches past the wall the ray leaves
    // the volume again in front of nothing: both passes drew, 0. The lit
    // wall and the cube's lit front keep 0.
    EXPECT_EQ(Stencil(stencils, ScreenX(-2.2f), ScreenY(-3.0f)), 255);
    EXPECT_EQ(Stencil(stencils, ScreenX(-2.5f), ScreenY(-0.8f)), 0);
    EXPECT_EQ(Stencil(stencils, ScreenX(3.0f), ScreenY(-3.0f)), 0);
    EXPECT_EQ(Stencil(stencils, 400, 300), 0);
    EXPECT_TRUE(fGL.PixelNear(ScreenX(-2.2f), ScreenY(-3.0f),
                              {128, 128, 128, fGL.Pixel(ScreenX(-2.2f), ScreenY(-3.0f))[3]}));
    EXPECT_TRUE(fGL.PixelNear(ScreenX(3.0f), ScreenY(-3.0f), {255, 255, 255, 255}));
}

TEST_F(VoShadowGLTest, WithoutVolumesNoPixelChanges) {
    VoShadowBuffer buffer;
    ASSERT_TRUE(buffer.BeginShadowPass());
    const std::vector<Rgba> before = fGL.Pixels();
    ASSERT_TRUE(buffer.Render(0.5f));
    EXPECT_TRUE(fGL.Pixels() == before);
    const std::vector<int> stencils = fGL.Stencils();
    EXPECT_EQ(std::vector<int>(stencils.size(), 0), stencils);
}
