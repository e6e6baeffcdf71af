#include "scene/MGLighting.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SceneMediaFakes.h"
#include "container/VoPropertyList.h"
#include "render/VoLight.h"
#include "scene/MGLightInfo.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "system/VoIFileSystem.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// A point light named aName, on, for the cameras given.
std::string PointLight(const std::string& aName, const std::string& aCameras, bool aOn = true) {
    return aName + "\n\ttype=point\n\ton=" + (aOn ? "true" : "false") + "\n\tcameras=" + aCameras + "\n";
}

const std::string kSun = "sun\n\ttype=directional\n\tglobal=true\n\ton=1\n\tdirection=0|-1|0\n";

class MGLightingTest : public ::testing::Test {
protected:
    bool Read(const std::string& aText) {
        VoPropertyList list;
        list.Parse(VoString(aText.c_str()));
        return fLighting.CreateFromList(&list);
    }
    // The entries chosen for device lights 1 to 4.
    std::vector<int> CameraLights() const {
        std::vector<int> lights;
        for (int slot = 0; slot < MGLighting::kCameraLightCount; ++slot) {
            lights.push_back(fLighting.GetCameraLight(slot));
        }
        return lights;
    }
    RecordingRasterizer* Raster() { return fEngine.Rasterizer(); }

    SceneEngine fEngine;
    LogCapture fLog;
    MGLighting fLighting;
};

void ExpectColor(const VoColor& aColor, float aR, float aG, float aB) {
    EXPECT_FLOAT_EQ(aColor.fA, 1.0f);
    EXPECT_FLOAT_EQ(aColor.fR, aR);
    EXPECT_FLOAT_EQ(aColor.fG, aG);
    EXPECT_FLOAT_EQ(aColor.fB, aB);
}

}  // namespace

TEST_F(MGLightingTest, ReadsDirectionalAndPointLightsWithTheirSettings) {
    ASSERT_TRUE(Read(
        "sun\n\ttype=directional\n\tglobal=true\n\ton=true\n\tdiffuse=1.5|0.5|0.25\n\tspecular=0|0.1|0.2\n"
        "\tambient=0.3|0.3|0.3\n\tdirection=0|-2|0\n\tshadowcaster=true\n\tshadowblend=0.6\n"
        "lamp\n\ttype=point\n\ton=1\n\tdiffuse=1|1|1\n\tspecular=0|0|0\n\tambient=0|0|0\n"
        "\tposition=10|20|30\n\tstartrange=5\n\tendrange=250\n\tcameras=cam_a|CAM_B\n"));
    ASSERT_EQ(fLighting.GetCount(), 2);
    EXPECT_EQ(fLighting.GetGlobalIndex(), 0);

    const VoLight* sun = fLighting.GetLight(0);
    ASSERT_NE(sun, nullptr);
    EXPECT_EQ(sun->fType, VoLight::kDirectional);
    ExpectColor(sun->fDiffuse, 1.5f, 0.5f, 0.25f);  // not clamped
    ExpectColor(sun->fSpecular, 0.0f, 0.1f, 0.2f);
    ExpectColor(sun->fAmbient, 0.3f, 0.3f, 0.3f);
    EXPECT_TRUE(sun->fDirection.Equals(VoVector3(0.0f, -1.0f, 0.0f), 1e-6f));
    const MGLightInfo* sunInfo = fLighting.GetInfo(0);
    EXPECT_EQ(Narrow(sunInfo->name), "sun");
    EXPECT_TRUE(sunInfo->global);
    EXPECT_TRUE(sunInfo->on);
    EXPECT_TRUE(sunInfo->shadowCaster);
    EXPECT_FLOAT_EQ(sunInfo->shadowBlend, 0.6f);
    EXPECT_EQ(sunInfo->cameras.GetCount(), 0);

    const VoLight* lamp = fLighting.GetLight(1);
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(lamp->fType, VoLight::kPoint);
    EXPECT_EQ(lamp->fPosition, VoVector3(10.0f, 20.0f, 30.0f));
    EXPECT_FLOAT_EQ(lamp->fStartRange, 5.0f);
    EXPECT_FLOAT_EQ(lamp->fRange, 250.0f);
    const MGLightInfo* lampInfo = fLighting.GetInfo(1);
    EXPECT_FALSE(lampInfo->global);
    EXPECT_FALSE(lampInfo->shadowCaster);
    EXPECT_FLOAT_EQ(lampInfo->shadowBlend, 0.0f);
    EXPECT_TRUE(lampInfo->cameras.Contains(VoString(u"cam_b")));
    EXPECT_EQ(fLighting.GetInfo(2), nullptr);
    EXPECT_TRUE(fLog.Lines().empty());
}

TEST_F(MGLightingTest, MissingNumbersReadAsZeroAndAreReported) {
    ASSERT_TRUE(Read("sun\n\ttype=point\n\tglobal=1\n\tdiffuse=0.5\n"));
    const VoLight* sun = fLighting.GetLight(0);
    ASSERT_NE(sun, nullptr);
    ExpectColor(sun->fDiffuse, 0.5f, 0.0f, 0.0f);
    ExpectColor(sun->fSpecular, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(sun->fPosition, VoVector3(0.0f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(sun->fRange, 0.0f);
    // Two components of "diffuse", all three of "specular", "ambient" and "position".
    EXPECT_EQ(fLog.Count("Index out of bounds."), 11);
}

TEST_F(MGLightingTest, AZeroDirectionPointsUpAndIsReported) {
    ASSERT_TRUE(Read("sun\n\ttype=directional\n\tglobal=true\n\tdirection=0|0|0\n"));
    EXPECT_EQ(fLighting.GetLight(0)->fDirection, VoVector3(0.0f, 1.0f, 0.0f));
    EXPECT_TRUE(fLog.Logged("ASSERT FAILURE: ", "Normalize failure."));
}

TEST_F(MGLightingTest, TheFirstOfTwoGlobalLightsStaysGlobal) {
    ASSERT_TRUE(Read(kSun + "moon\n\ttype=directional\n\tglobal=true\n\tdirection=0|-1|0\n"));
    EXPECT_EQ(fLighting.GetGlobalIndex(), 0);
    EXPECT_TRUE(fLighting.GetInfo(0)->global);
    EXPECT_FALSE(fLighting.GetInfo(1)->global);
    EXPECT_EQ(fLog.Count(MGLighting::kSecondGlobal), 1);
}

TEST_F(MGLightingTest, AFileWithoutAGlobalLightIsReadWholeAndRefused) {
    EXPECT_FALSE(Read(PointLight("a", "all") + PointLight("b", "all") + PointLight("c", "all")));
    EXPECT_EQ(fLighting.GetCount(), 3);
    EXPECT_NE(fLighting.GetLight(2), nullptr);
    EXPECT_EQ(fLighting.GetGlobalIndex(), -1);
    EXPECT_TRUE(fLog.Logged("ERROR: ", MGLighting::kNoGlobal));

    // Applying then programs no light 0.
    Raster()->ClearCalls();
    EXPECT_TRUE(fLighting.SetCamera(VoString(u"cam")));
    EXPECT_EQ(Raster()->Count("SetLight"), 3);
    EXPECT_EQ(Raster()->Texts("SetLight")[0], "SetLight(1, light)");
}

// An entry of another type makes no light: it cannot be the global light or
// the shadow light and takes no camera slot.
TEST_F(MGLightingTest, AnEntryOfAnotherTypeTakesPartInNothing) {
    EXPECT_FALSE(Read("spot\n\ttype=spot\n\tglobal=true\n\ton=true\n\tcameras=all\n"));
    EXPECT_EQ(fLighting.GetCount(), 1);
    EXPECT_EQ(fLighting.GetLight(0), nullptr);
    EXPECT_EQ(fLighting.GetGlobalIndex(), -1);
    EXPECT_TRUE(fLog.Logged("ERROR: ", MGLighting::kSpotLights));
    EXPECT_FALSE(fLighting.SetShadowLight(VoString(u"spot")));

    ASSERT_TRUE(Read("spot\n\ttype=spot\n\ton=1\n\tcameras=all\n" + kSun + PointLight("lamp", "all")));
    EXPECT_EQ(fLighting.GetGlobalIndex(), 1);
    Raster()->ClearCalls();
    EXPECT_TRUE(fLighting.SetCamera(VoString(u"cam")));
    EXPECT_THAT(CameraLights(), ElementsAre(2, -1, -1, -1));
    for (const RasterizerCall& call : Raster()->Calls()) {
        EXPECT_NE(call.Text(), "SetLight(1, null)");
        if (call.name == "SetLight") {
            EXPECT_NE(call.object, nullptr);
        }
    }
}

TEST_F(MGLightingTest, ACameraGetsTheFirstFourLightsThatAreOnAndNameIt) {
    struct Case {
        const char* camera;
        std::vector<int> lights;
    };
    ASSERT_TRUE(Read(kSun + PointLight("a", "cam1|cam2") + PointLight("b", "all") +
                     PointLight("off", "all", false) + "missing_on\n\ttype=point\n\tcameras=all\n" +
                     PointLight("c", "CAM1") + "no_cameras\n\ttype=point\n\ton=1\n" +
                     PointLight("d", "cam1") + PointLight("e", "cam1") +
                     PointLight("not_first", "cam3|all")));
    const Case cases[] = {
        {"cam1", {1, 2, 5, 7}},    // "e" is the fifth
        {"Cam2", {1, 2, -1, -1}},  // names compare ignoring case
        {"cam3", {2, 9, -1, -1}},
        {"other", {2, -1, -1, -1}},  // "all" counts only as the first name
    };
    for (const Case& c : cases) {
        fLighting.SetCamera(VoString(c.camera));
        EXPECT_THAT(CameraLights(), ElementsAreArray(c.lights)) << c.camera;
    }
}

TEST_F(MGLightingTest, ApplyProgramsTheGlobalLightAndTheCameraLights) {
    ASSERT_TRUE(Read(kSun + PointLight("a", "cam") + PointLight("b", "cam")));
    fLighting.SetCamera(VoString(u"cam"));
    Raster()->ClearCalls();
    EXPECT_TRUE(fLighting.Apply());
    EXPECT_THAT(
        Raster()->Texts(),
        ElementsAre("SetLighting(1)", "EnableLight(0, 0)", "EnableLight(1, 0)", "EnableLight(2, 0)",
                    "EnableLight(3, 0)", "EnableLight(4, 0)", "EnableLight(5, 0)", "EnableLight(6, 0)",
                    "EnableLight(7, 0)", "SetLight(0, light)", "EnableLight(0, 1)", "SetLight(1, light)",
                    "EnableLight(1, 1)", "SetLight(2, light)", "EnableLight(2, 1)", "EnableLight(3, 0)",
                    "EnableLight(4, 0)"));
    EXPECT_EQ(Raster()->Calls()[9].object, fLighting.GetLight(0));
    EXPECT_EQ(Raster()->Calls()[11].object, fLighting.GetLight(1));
    EXPECT_EQ(Raster()->Calls()[13].object, fLighting.GetLight(2));
}

// A global light whose cameras name the camera takes a slot, which stays dark:
// the light is device light 0 already.
TEST_F(MGLightingTest, AGlobalLightInACameraSlotStaysDisabledThere) {
    ASSERT_TRUE(Read("sun\n\ttype=directional\n\tglobal=1\n\ton=1\n\tdirection=1|0|0\n\tcameras=all\n" +
                     PointLight("a", "cam")));
    fLighting.SetCamera(VoString(u"cam"));
    EXPECT_THAT(CameraLights(), ElementsAre(0, 1, -1, -1));
    Raster()->ClearCalls();
    EXPECT_TRUE(fLighting.Apply());
    EXPECT_THAT(Raster()->Texts("SetLight"), ElementsAre("SetLight(0, light)", "SetLight(2, light)"));
    EXPECT_EQ(Raster()->Texts().back(), "EnableLight(4, 0)");
    EXPECT_EQ(Raster()->Texts()[11], "EnableLight(1, 0)");
}

TEST_F(MGLightingTest, AGlobalLightThatIsOffIsNotProgrammed) {
    ASSERT_TRUE(Read("sun\n\ttype=directional\n\tglobal=1\n\tdirection=1|0|0\n"));
    Raster()->ClearCalls();
    EXPECT_TRUE(fLighting.Apply());
    EXPECT_EQ(Raster()->Count("SetLight"), 0);
    EXPECT_EQ(Raster()->Count("EnableLight"), 12);
}

TEST_F(MGLightingTest, ApplyFailsWhenARasterizerCallFails) {
    ASSERT_TRUE(Read(kSun + PointLight("a", "cam")));
    fLighting.SetCamera(VoString(u"cam"));
    for (const char* name : {"SetLighting", "EnableLight", "SetLight"}) {
        Raster()->SetResult(name, false);
        Raster()->ClearCalls();
        EXPECT_FALSE(fLighting.Apply()) << name;
        // Every call is still made.
        EXPECT_EQ(Raster()->Calls().size(), 16u) << name;
        Raster()->SetResult(name, true);
    }
    MGLighting bare(nullptr);
    EXPECT_FALSE(bare.Apply());
}

TEST_F(MGLightingTest, TheShadowLightIsChosenByName) {
    ASSERT_TRUE(Read(kSun + PointLight("lamp", "cam")));
    EXPECT_EQ(fLighting.GetShadowLight(), nullptr);
    EXPECT_TRUE(fLighting.SetShadowLight(VoString(u"lamp")));
    EXPECT_EQ(fLighting.GetShadowLight(), fLighting.GetLight(1));
    EXPECT_FALSE(fLighting.SetShadowLight(VoString(u"LAMP")));
    EXPECT_FALSE(fLighting.SetShadowLight(VoString(u"nothing")));
    EXPECT_EQ(fLighting.GetShadowLight(), fLighting.GetLight(1));

    fLighting.Clear();
    EXPECT_EQ(fLighting.GetShadowLight(), nullptr);
    EXPECT_EQ(fLighting.GetCount(), 0);
    EXPECT_EQ(fLighting.GetLight(0), nullptr);
}

TEST_F(MGLightingTest, ReadsTheFileInPlaceOfTheLightsHeld) {
    PlatformTestFolder folder;
    folder.Write("lights_low.txt", kSun);
    ASSERT_TRUE(
        VoIFileSystem::GetInstance()->Mount(VoString(u"//scenes"), PlatformTestFolder::Wide(folder.Files())));
    ASSERT_TRUE(Read(kSun + PointLight("lamp", "cam")));
    fLighting.SetCamera(VoString(u"cam"));
    fLighting.SetShadowLight(VoString(u"lamp"));

    EXPECT_TRUE(fLighting.CreateFromFile(VoString(u"//scenes/lights_low.txt")));
    EXPECT_EQ(fLighting.GetCount(), 1);
    EXPECT_EQ(fLighting.GetShadowLight(), nullptr);
    EXPECT_THAT(CameraLights(), ElementsAre(-1, -1, -1, -1));

    EXPECT_FALSE(fLighting.CreateFromFile(VoString(u"//scenes/none.txt")));
    EXPECT_EQ(fLighting.GetCount(), 0);
    // The folder holds the log while it lives.
    EXPECT_TRUE(folder.Logged("ERROR: ", MGLighting::kCreateFromFileFailure));
    EXPECT_TRUE(folder.Logged("ERROR: ", MGLighting::kNoGlobal));
}

TEST_F(MGLightingTest, TheSampleLobbyLightsEachCamera) {
    ASSERT_TRUE(
        VoIFileSystem::GetInstance()->Mount(VoString(u"//scenes"), VoString(VO_SOURCE_DIR "/data/scenes")));
    ASSERT_TRUE(fLighting.CreateFromFile(VoString(u"//scenes/case01/lobby/lights_low.txt")));
    EXPECT_EQ(Narrow(fLighting.GetInfo(fLighting.GetGlobalIndex())->name), "daylight");
    for (const char* camera : {"cam_entrance", "cam_desk"}) {
        EXPECT_TRUE(fLighting.SetCamera(VoString(camera)));
        // The global daylight is listed for every camera, the fill for both.
        EXPECT_NE(fLighting.GetCameraLight(0), -1) << camera;
        EXPECT_NE(fLighting.GetCameraLight(1), -1) << camera;
        EXPECT_EQ(fLighting.GetCameraLight(2), -1) << camera;
    }
    EXPECT_TRUE(fLighting.SetShadowLight(VoString(u"fill")));
    EXPECT_TRUE(fLighting.SetShadowLight(VoString(u"daylight")));
    EXPECT_TRUE(fLog.Lines().empty());
}
