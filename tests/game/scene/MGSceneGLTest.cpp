// A scene drawn on a real (headless) GL context through the engine's own
// rasterizer: the painted background stays where the depth mesh lies, and
// the player stands over it. The same for the sample case's lobby.
#include "scene/MGScene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "MGMain.h"
#include "SceneTestFiles.h"
#include "container/VoPropertyList.h"
#include "game/support/ScopedGame.h"
#include "geometry/VoImage.h"
#include "platform/port/VoIRenderDevice.h"
#include "render/VoIRasterizer.h"
#include "render/VoRenderDeviceSource.h"
#include "scene/MGCharacter.h"
#include "scene/VoCamera.h"
#include "support/GLTestContext.h"

namespace {

// The pixel (x, y from the top-left) where the camera shows the world point.
VoVector2 Project(VoCamera* apCamera, const VoVector3& aPoint) {
    const float in[4] = {aPoint.x, aPoint.y, aPoint.z, 1.0f};
    float view[4] = {};
    float clip[4] = {};
    const VoMatrix& v = *apCamera->GetViewMatrix();
    const VoMatrix& p = *apCamera->GetProjectionMatrix();
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            view[c] += in[r] * v.m[r][c];
        }
    }
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            clip[c] += view[r] * p.m[r][c];
        }
    }
    return VoVector2((clip[0] / clip[3] + 1.0f) * 400.0f, (1.0f - clip[1] / clip[3]) * 300.0f);
}

int Difference(const Rgba& aA, const Rgba& aB) {
    int most = 0;
    for (int i = 0; i < 3; ++i) {
        most = std::max(most, std::abs(aA[static_cast<std::size_t>(i)] - aB[static_cast<std::size_t>(i)]));
    }
    return most;
}

// A game over the engine's own services, with device capabilities that take
// an 800 x 600 picture as one texture (no window reports the real ones).
class GLGame : public ScopedGame {
public:
    GLGame() : ScopedGame(&Register) {}

private:
    static void Register() {
        VoIObjectCreator* caps = new FunctionCreator(
            VoString(u"devicecaps"), [] { return new FakeDeviceCapabilities(TextureLimits()); });
        if (!VoRegistry::Get()->AddCreator(caps)) {
            delete caps;
        }
    }
};

// The drawing device over the test context and a game over it, with the
// sample tree mounted.
class MGSceneGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fGL.IsReady()) << fGL.Error();
        fDevice.reset(VoCreateRenderDevice());
        ASSERT_NE(fDevice, nullptr);
        VoRenderDeviceSource::Set(fDevice.get());
        fGame = std::make_unique<GLGame>();
        ASSERT_TRUE(MGMain::MountDataTree(VoString(VO_SOURCE_DIR)));
        ASSERT_TRUE(VoTextureManager::GetInstance()->SetRoot(VoString(MGMain::kTextureRoot)));
        VoIRasterizer* rasterizer = VoIRasterizer::Get();
        ASSERT_NE(rasterizer, nullptr);
        rasterizer->SetColorValues(1.0f, 0.0f, 0.0f, 0.0f);
    }
    void TearDown() override {
        fScene.reset();
        fGame.reset();
        VoRenderDeviceSource::Set(nullptr);
        fDevice.reset();
    }

    // Loads, enters and draws one frame of the scene.
    void Draw(const VoString& aId) {
        fScene = std::make_unique<MGScene>();
        ASSERT_TRUE(fScene->Load(aId));
        fScene->OnEnter();
        ASSERT_TRUE(fScene->Update());
        VoIRasterizer* rasterizer = VoIRasterizer::Get();
        ASSERT_TRUE(rasterizer->Clear());
        ASSERT_TRUE(fScene->Render());
    }

    GLTestContext fGL;
    std::unique_ptr<VoIRenderDevice> fDevice;
    std::unique_ptr<GLGame> fGame;
    std::unique_ptr<MGScene> fScene;
};

}  // namespace

TEST_F(MGSceneGLTest, ThePlayerStandsOverThePaintedRoom) {
    PlatformTestFolder folder;
    ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//scenes"),
                                                    PlatformTestFolder::Wide(folder.Path("scenes"))));
    std::map<std::string, std::string> files = RoomFiles();
    files["a.tga"] = Tga(800, 600, 200, 40, 40);
    // Far enough back to see the whole man at the door.
    files["cameras.txt"] =
        "cam_a\n\tposition=0|40|-120\n\ttarget=0|35|0\n\tfovx=1.2\n\tznear=1\n\tzfar=500\n";
    for (const auto& file : files) {
        folder.Write("scenes/test/room/" + file.first, file.second);
    }
    Draw(VoString(u"test/room"));
    ASSERT_NE(fScene->GetPlayer(), nullptr);

    const Rgba painted = {200, 40, 40, 255};
    for (const VoVector2& corner :
         {VoVector2(5, 5), VoVector2(794, 5), VoVector2(5, 594), VoVector2(794, 594)}) {
        const int x = static_cast<int>(corner.x);
        const int y = static_cast<int>(corner.y);
        EXPECT_TRUE(fGL.PixelNear(x, y, painted, 2)) << x << ", " << y << ": " << ToText(fGL.Pixel(x, y));
    }
    // The floor beside him is only depth: the painting shows there.
    const VoVector2 floor = Project(fScene->GetCamera(), VoVector3(-8, 0, 8));
    EXPECT_TRUE(fGL.PixelNear(static_cast<int>(floor.x), static_cast<int>(floor.y), painted, 2))
        << ToText(fGL.Pixel(static_cast<int>(floor.x), static_cast<int>(floor.y)));
    // He stands at the door, (0, -8) on the ground: his coat covers his middle.
    const VoVector2 body = Project(fScene->GetCamera(), VoVector3(0, 45, -8));
    const Rgba seen = fGL.Pixel(static_cast<int>(body.x), static_cast<int>(body.y));
    EXPECT_GT(Difference(seen, painted), 40) << ToText(seen);
}

TEST_F(MGSceneGLTest, ThePlayersShadowFallsAwayFromADirectionalLight) {
    // The sample man with a shadow cache of his own, made in the scratch folder.
    PlatformTestFolder folder;
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    for (const char* alias : {"scenes", "characters", "meshes"}) {
        ASSERT_TRUE(
            files->Mount(VoString(u"//") + VoString(alias), PlatformTestFolder::Wide(folder.Path(alias))));
    }
    folder.Write("meshes/sample_character.lim1", ReadSample("meshes/sample_character.lim1"));
    folder.Write("characters/sample_character.txt",
                 ReadSample("characters/sample_character.txt") + "shadowvolume=hero.lisv\n");
    std::map<std::string, std::string> room = RoomFiles();
    room["a.tga"] = Tga(800, 600, 200, 200, 200);
    // From high above, on the side the shadow falls to.
    room["cameras.txt"] = "cam_a\n\tposition=60|400|60\n\ttarget=0|0|0\n\tfovx=0.4\n\tznear=1\n\tzfar=1000\n";
    for (const auto& file : room) {
        folder.Write("scenes/test/room/" + file.first, file.second);
    }
    Draw(VoString(u"test/room"));
    ASSERT_GT(fScene->GetPlayer()->GetShadowCount(), 0);
    EXPECT_TRUE(folder.Exists("meshes/hero.lisv"));

    // The sun shines along (0.3, -1, 0.5): the man at (0, -8) throws his
    // shadow onto the floor along (0.3, 0.5) for every unit of his height,
    // darkened by 0.3. The points the shadow of his waist and chest covers,
    // and their mirror images across his line of sight.
    const Rgba lit = {200, 200, 200, 255};
    const Rgba shaded = {140, 140, 140, 255};
    for (const VoVector3& point : {VoVector3(4.8f, 0.0f, 0.0f), VoVector3(7.8f, 0.0f, 5.0f)}) {
        const VoVector2 pixel = Project(fScene->GetCamera(), point);
        EXPECT_TRUE(fGL.PixelNear(static_cast<int>(pixel.x), static_cast<int>(pixel.y), shaded, 3))
            << point.x << ", " << point.z << ": "
            << ToText(fGL.Pixel(static_cast<int>(pixel.x), static_cast<int>(pixel.y)));
    }
    for (const VoVector3& point : {VoVector3(-4.8f, 0.0f, 0.0f), VoVector3(-7.8f, 0.0f, 5.0f)}) {
        const VoVector2 pixel = Project(fScene->GetCamera(), point);
        EXPECT_TRUE(fGL.PixelNear(static_cast<int>(pixel.x), static_cast<int>(pixel.y), lit, 3))
            << point.x << ", " << point.z << ": "
            << ToText(fGL.Pixel(static_cast<int>(pixel.x), static_cast<int>(pixel.y)));
    }
}

TEST_F(MGSceneGLTest, TheSampleLobbyShowsItsBackgroundAndThePlayer) {
    const std::string lobby = VO_SOURCE_DIR "/data/scenes/case01/lobby/scene.txt";
    if (!std::filesystem::exists(lobby)) {
        GTEST_SKIP() << "the sample case's lobby is not in the data tree yet";
    }
    Draw(VoString(u"case01/lobby"));
    ASSERT_NE(fScene->GetPlayer(), nullptr);
    EXPECT_EQ(Narrow(fScene->GetViewpointId()), "vp_entrance");

    VoPropertyList* viewpoint = fScene->GetSceneFile()->GetList(VoString(u"viewpoints.vp_entrance"));
    ASSERT_NE(viewpoint, nullptr);
    VoImage* picture = nullptr;
    ASSERT_TRUE(VoImage::CreateFromFile(
        fScene->GetScenePath() + viewpoint->GetString(VoString(u"background"), nullptr), &picture));
    std::unique_ptr<VoImage> owned(picture);
    // The four corners are the painting's.
    for (const VoVector2& corner :
         {VoVector2(4, 4), VoVector2(795, 4), VoVector2(4, 595), VoVector2(795, 595)}) {
        const int x = static_cast<int>(corner.x);
        const int y = static_cast<int>(corner.y);
        const VoColor colour = picture->GetPixel(x, y);
        const Rgba expected = {static_cast<int>(colour.fR * 255.0f + 0.5f),
                               static_cast<int>(colour.fG * 255.0f + 0.5f),
                               static_cast<int>(colour.fB * 255.0f + 0.5f), 255};
        EXPECT_TRUE(fGL.PixelNear(x, y, expected, 3))
            << x << ", " << y << ": " << ToText(fGL.Pixel(x, y)) << ", painted " << ToText(expected);
    }
    // The player stands over it: around his middle some pixels are not the painting's.
    const VoVector3 feet = *fScene->GetPlayer()->GetPosition();
    const VoVector2 body = Project(fScene->GetCamera(), VoVector3(feet.x, feet.y + 40.0f, feet.z));
    int covered = 0;
    for (int dy = -6; dy <= 6; dy += 3) {
        for (int dx = -3; dx <= 3; dx += 3) {
            const int x = static_cast<int>(body.x) + dx;
            const int y = static_cast<int>(body.y) + dy;
            const VoColor colour = picture->GetPixel(x, y);
            const Rgba painted = {static_cast<int>(colour.fR * 255.0f + 0.5f),
                                  static_cast<int>(colour.fG * 255.0f + 0.5f),
                                  static_cast<int>(colour.fB * 255.0f + 0.5f), 255};
            covered += Difference(fGL.Pixel(x, y), painted) > 12 ? 1 : 0;
        }
    }
    EXPECT_GT(covered, 5) << "at " << body.x << ", " << body.y;
}
