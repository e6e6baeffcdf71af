// The case's scenes of the data tree (tools/make_case_scenes.cpp and the
// text files beside its output): every file a viewpoint names loads through
// the engine's readers, and each background is the room its depth mesh and
// camera describe, lit by the scene's lights.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "container/VoVectorString.h"
#include "geometry/VoImageTGA.h"
#include "scene/VoMesh.h"
#include "scene/VoPickRay.h"
#include "render/VoVertexBuffer.h"
#include "support/RecordingRasterizer.h"
#include "support/SampleScenes.h"
#include "support/SceneTestSupport.h"

namespace {

using Names = std::vector<std::string>;

struct Rgb {
    float r, g, b;
};

// A spot of a room as the generator paints it: a point, the surface's normal
// and paint (its ambient colour is its diffuse one), and whether the depth
// mesh holds the surface (the rugs lie on the floor in the picture only).
struct Spot {
    const char* name;
    VoVector3 point;
    VoVector3 normal;
    Rgb paint;
    bool inDepthMesh;
};

struct ViewSpots {
    SampleViewpoint view;
    std::vector<Spot> spots;
};

const Rgb kCream{0.8f, 0.74f, 0.6f};
const Rgb kTerracotta{0.62f, 0.36f, 0.27f};
const Rgb kDesk{0.45f, 0.27f, 0.16f};
const Rgb kMarble{0.86f, 0.84f, 0.8f};
const Rgb kLobbyWall{0.84f, 0.78f, 0.58f};
const Rgb kRug{0.14f, 0.3f, 0.36f};
const Rgb kPlank{0.55f, 0.36f, 0.2f};
const Rgb kPlankDark{0.49f, 0.31f, 0.17f};
const Rgb kMetal{0.5f, 0.52f, 0.56f};
const Rgb kOfficeWall{0.7f, 0.76f, 0.7f};

VoVector3 P(float aX, float aY, float aZ) {
    return VoVector3(aX, aY, aZ);
}

const VoVector3 kUp(0.0f, 1.0f, 0.0f);
const VoVector3 kTowardsFront(0.0f, 0.0f, -1.0f);

// Spots each viewpoint shows: lobby floor tiles are 40 wide from x -260 and
// z -100, cream where column and row add up even; office boards are 16
// wide from x -200, the even ones lighter. The edge spots lie 3 units inside
// a tile, off the screen's middle, some by an edge nearer the middle and
// some by one further out, so a camera that turned or zoomed by a few
// pixels puts one of them on the next tile.
std::vector<ViewSpots> Spots() {
    const Spot lobbyCream{"cream tile", P(0, 0, 80), kUp, kCream, true};
    const Spot desk{"desk front", P(80, 12, 290), kTowardsFront, kDesk, true};
    return {
        {SampleViewpoints()[0],
         {lobbyCream,
          {"terracotta tile", P(40, 0, 80), kUp, kTerracotta, true},
          desk,
          {"pillar front", P(-40, 60, 188), kTowardsFront, kMarble, true},
          {"back wall", P(60, 120, 420), kTowardsFront, kLobbyWall, true},
          {"left tile, outer edge", P(-217, 0, 223), kUp, kTerracotta, true},
          {"left tile, inner edge", P(-183, 0, 257), kUp, kTerracotta, true},
          {"right tile, inner edge", P(183, 0, 223), kUp, kTerracotta, true},
          {"right tile, outer edge", P(217, 0, 257), kUp, kTerracotta, true}}},
        {SampleViewpoints()[1],
         {{"rug", P(100, 0.4f, 200), kUp, kRug, false},
          desk,
          {"cream tile", P(200, 0, 280), kUp, kCream, true},
          {"left tile, inner edge", P(23, 0, 257), kUp, kTerracotta, true},
          {"middle tile, inner edge", P(57, 0, 263), kUp, kCream, true},
          {"right tile, inner edge", P(183, 0, 263), kUp, kCream, true},
          {"right tile, outer edge", P(217, 0, 263), kUp, kCream, true}}},
        {SampleViewpoints()[2],
         {{"floor board", P(-8, 0, 40), kUp, kPlank, true},
          {"cabinet top", P(90, 56, 296), kUp, kMetal, true},
          {"back wall", P(40, 100, 320), kTowardsFront, kOfficeWall, true},
          {"left board, outer edge", P(-165, 0, 100), kUp, kPlank, true},
          {"left board, inner edge", P(-155, 0, 100), kUp, kPlank, true},
          {"right board, inner edge", P(139, 0, 110), kUp, kPlankDark, true},
          {"right board, outer edge", P(149, 0, 110), kUp, kPlankDark, true}}},
    };
}

Rgb ColourOf(VoPropertyList& aLights, const VoString& aName, const char16_t* apKey) {
    const VoVectorFloat values = aLights.GetVectorFloat(aName + VoString(u".") + VoString(apKey), nullptr);
    return values.GetCount() == 3 ? Rgb{values.GetAt(0), values.GetAt(1), values.GetAt(2)} : Rgb{0, 0, 0};
}

// The lights the game applies for the camera: the global one, and the
// others among the first four that are on and list the camera (or "all").
Names LightsFor(VoPropertyList& aLights, const std::string& aCamera) {
    Names chosen;
    int picked = 0;
    for (int i = 0; i < aLights.GetCount(); ++i) {
        const VoString name = aLights.GetKeyAt(i);
        if (!aLights.GetBool(name + VoString(u".on"), nullptr)) {
            continue;
        }
        const bool global = aLights.GetBool(name + VoString(u".global"), nullptr);
        const VoVectorString cameras = aLights.GetVectorString(name + VoString(u".cameras"), nullptr);
        bool listed = cameras.GetCount() > 0 && cameras.GetAt(0).EqualsNoCase(u"all");
        for (int c = 0; c < cameras.GetCount(); ++c) {
            listed = listed || cameras.GetAt(c).EqualsNoCase(VoString(aCamera.c_str()));
        }
        const bool pick = listed && picked < 4;
        picked += pick ? 1 : 0;
        if (global || pick) {
            chosen.push_back(Narrow(name));
        }
    }
    return chosen;
}

// The fixed-function colour of the spot under the directional lights (each
// 0..1), and the most the point lights can add to it.
void LitColour(VoPropertyList& aLights, const Names& aChosen, const Spot& aSpot, Rgb* apBase, Rgb* apPointMost) {
    *apBase = {0, 0, 0};
    *apPointMost = {0, 0, 0};
    for (const std::string& light : aChosen) {
        const VoString name(light.c_str());
        const Rgb diffuse = ColourOf(aLights, name, u"diffuse");
        const Rgb ambient = ColourOf(aLights, name, u"ambient");
        apBase->r += aSpot.paint.r * ambient.r;
        apBase->g += aSpot.paint.g * ambient.g;
        apBase->b += aSpot.paint.b * ambient.b;
        if (aLights.GetString(name + VoString(u".type"), nullptr) == VoString(u"point")) {
            apPointMost->r += aSpot.paint.r * diffuse.r;
            apPointMost->g += aSpot.paint.g * diffuse.g;
            apPointMost->b += aSpot.paint.b * diffuse.b;
            continue;
        }
        const VoVectorFloat d = aLights.GetVectorFloat(name + VoString(u".direction"), nullptr);
        VoVector3 towards(-d.GetAt(0), -d.GetAt(1), -d.GetAt(2));
        towards = towards * (1.0f / std::sqrt(VoVector3::Dot(towards, towards)));
        const float facing = std::max(0.0f, VoVector3::Dot(aSpot.normal, towards));
        apBase->r += aSpot.paint.r * diffuse.r * facing;
        apBase->g += aSpot.paint.g * diffuse.g * facing;
        apBase->b += aSpot.paint.b * diffuse.b * facing;
    }
}

// Whether the channel (0..255) lies within the lit range of 0..1 values,
// give or take aTolerance.
bool Within(float aChannel, float aLow, float aHigh, float aTolerance) {
    const float low = std::min(1.0f, aLow) * 255.0f;
    const float high = std::min(1.0f, aLow + aHigh) * 255.0f;
    return aChannel >= low - aTolerance && aChannel <= high + aTolerance;
}

// The engine with a recording rasterizer (the pick ray reads its 800 x 600
// viewport) and the data tree's scenes mounted.
class VoSampleScenesTest : public ::testing::Test {
protected:
    void SetUp() override { MountSampleScenes(); }

    RecordingEngine fEngine;
};

}  // namespace

TEST_F(VoSampleScenesTest, EveryViewpointNamesItsFilesAndTheyLoad) {
    for (const SampleViewpoint& view : SampleViewpoints()) {
        SCOPED_TRACE(view.viewpoint);
        auto scene = SceneFile(view.scene, "scene.txt");
        const std::string section = "viewpoints." + view.viewpoint + ".";
        const auto value = [&scene, &section](const char* apKey) {
            bool found = false;
            const VoString text = scene->GetString(VoString((section + apKey).c_str()), &found);
            EXPECT_TRUE(found) << apKey;
            return Narrow(text);
        };
        EXPECT_EQ(value("camera.id"), view.camera);
        EXPECT_EQ(PointOf(*scene, section + "startdirection").y, 0.0f);

        // The shadow caster is a light of the scene; the lights have one global light.
        auto lights = SceneFile(view.scene, "lights_low.txt");
        const std::string caster = value("shadowcaster");
        EXPECT_TRUE(lights->GetBool(VoString((caster + ".shadowcaster").c_str()), nullptr)) << caster;
        int globals = 0;
        for (int i = 0; i < lights->GetCount(); ++i) {
            globals += lights->GetBool(lights->GetKeyAt(i) + VoString(u".global"), nullptr) ? 1 : 0;
        }
        EXPECT_EQ(globals, 1);

        // The background: a 24-bit run-length picture of the screen's size, kept small.
        const std::string background = value("background");
        const std::vector<unsigned char> bytes = SceneFileBytes(view.scene, background);
        ASSERT_GT(bytes.size(), 18u);
        EXPECT_EQ(bytes[2], 10) << "run-length true colour";
        EXPECT_EQ(bytes[16], 24);
        EXPECT_LT(bytes.size(), 300u * 1024u);
        VoImageTGA image;
        ASSERT_TRUE(image.Create(ScenePath(view.scene, background)));
        EXPECT_EQ(image.GetWidth(), 800);
        EXPECT_EQ(image.GetHeight(), 600);

        // The depth mesh: positions only, its root at the origin, the
        // ground frame the navigation names tagged as ground.
        std::unique_ptr<VoDrawElement> depth = DepthMeshOf(view);
        ASSERT_NE(depth->GetRootFrame(), nullptr);
        EXPECT_EQ(Narrow(depth->GetRootFrame()->GetName()), "Scene");
        EXPECT_TRUE(MatrixNear(depth->GetRootFrame()->GetAbsoluteMatrix(), Identity()));
        EXPECT_EQ(depth->GetRenderMode(), VoDrawElement::kRenderList);
        ASSERT_GT(depth->GetTagGroupCount(0), 0);
        EXPECT_EQ(Narrow(depth->GetTagGroupFrame(0, 0)->GetName()), "WG_floor");
        for (int i = 0; i < depth->GetMeshCount(); ++i) {
            EXPECT_EQ(depth->GetMesh(i)->GetVertexBuffer()->GetFormat(), 1);
        }
        EXPECT_NE(depth->FindFrame(VoString(u"WS_walls"), false), nullptr);
    }
}

TEST_F(VoSampleScenesTest, EachBackgroundShowsItsRoomWhereTheCameraAndDepthMeshPutIt) {
    for (const ViewSpots& entry : Spots()) {
        const SampleViewpoint& view = entry.view;
        auto scene = SceneFile(view.scene, "scene.txt");
        const VoString background =
            scene->GetString(VoString(("viewpoints." + view.viewpoint + ".background").c_str()), nullptr);
        VoImageTGA image;
        ASSERT_TRUE(image.Create(ScenePath(view.scene, Narrow(background))));
        auto lights = SceneFile(view.scene, "lights_low.txt");
        const Names chosen = LightsFor(*lights, view.camera);
        std::unique_ptr<VoDrawElement> depth = DepthMeshOf(view);
        VoCamera camera;
        SetUpSampleCamera(view, *depth, &camera);
        for (const Spot& spot : entry.spots) {
            SCOPED_TRACE(view.viewpoint + ": " + spot.name);
            const VoVector3 screen = ScreenPoint(camera, spot.point);
            ASSERT_TRUE(OnScreen(screen, 4.0f)) << screen.x << ", " << screen.y;
            const int x = static_cast<int>(screen.x);
            const int y = static_cast<int>(screen.y);

            // The picture's colour there is the paint under the scene's lights.
            Rgb base;
            Rgb pointMost;
            LitColour(*lights, chosen, spot, &base, &pointMost);
            const VoColor shown = image.GetPixel(x, y);
            const float tolerance = 3.0f;
            EXPECT_TRUE(Within(shown.fR * 255.0f, base.r, pointMost.r, tolerance) &&
                        Within(shown.fG * 255.0f, base.g, pointMost.g, tolerance) &&
                        Within(shown.fB * 255.0f, base.b, pointMost.b, tolerance))
                << "shown " << shown.fR * 255.0f << " " << shown.fG * 255.0f << " " << shown.fB * 255.0f
                << ", lit " << base.r * 255.0f << " " << base.g * 255.0f << " " << base.b * 255.0f << " (+ up to "
                << pointMost.r * 255.0f << " " << pointMost.g * 255.0f << " " << pointMost.b * 255.0f << ")";

            // A click on that pixel meets the depth mesh where the picture shows the spot.
            VoPickRay ray(&camera, x, y);
            ASSERT_TRUE(ray.GetWorldRay(ray));
            VoVector3 hit;
            ASSERT_TRUE(ray.Pick(depth.get(), hit));
            const VoVector3 surface = spot.inDepthMesh ? spot.point : VoVector3(spot.point.x, 0.0f, spot.point.z);
            const VoVector3 apart = hit - surface;
            EXPECT_LT(std::sqrt(VoVector3::Dot(apart, apart)), 4.0f)
                << "hit " << hit.x << " " << hit.y << " " << hit.z;
        }
    }
}
