#include "navigation/VoNavigationTDODisplay.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "NavigationTestSupport.h"
#include "container/VoColor.h"
#include "gdi/SpriteEngine.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoSPolygon.h"
#include "gdi/VoSRectangle.h"
#include "gdi/VoTextArea.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "navigation/VoSteeringTDO.h"
#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "render/VoIndexBuffer.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshSubset.h"
#include "stdlib/VoFrameManager.h"
#include "support/LogCapture.h"
#include "system/VoIFileSystem.h"

using testing::ElementsAre;

namespace {

const std::string kAssert = "ASSERT FAILURE: ";

// Two cameras: "cam" sees the hall (0, 0) .. (100, 40) and the nook beside
// it, "other" the yard above; a crate stands in the hall.
const std::string kScene = "positive\n" + Region("hall", 0, 0, 100, 40) + Region("nook", 100, 0, 20, 20) +
                           Region("yard", 0, 40, 100, 60, "other") + "negative\n" +
                           Obstacle("crate", 40, 10, 10, 10);
// Linked both ways 0-1, one way 2 -> 1 (drawn by nobody), one way 1 -> 2.
const std::string kWeb = WayPoint("door", 10, 10, "desk") + WayPoint("desk", 80, 30, "door|stairs") +
                         WayPoint("stairs", 90, 10, "desk");

std::vector<std::string> MemberIds(VoDisplayGroup* apGroup) {
    std::vector<std::string> ids;
    for (int i = 0; apGroup != nullptr && i < apGroup->GetMemberCount(); ++i) {
        ids.push_back(Narrow(apGroup->GetMemberAt(i)->GetId()));
    }
    return ids;
}

VoDisplayGroup* GroupOf(VoDisplayGroup* apGroup, const char16_t* apId) {
    return dynamic_cast<VoDisplayGroup*>(apGroup->GetMember(VoString(apId)));
}

VoVector2 WorldOf(VoIDisplayObject* apObject) {
    VoVector2 position;
    return apObject->GetWorldPosition(position);
}

void ExpectNear(const VoVector2& aActual, const VoVector2& aExpected, const std::string& aWhat) {
    EXPECT_NEAR(aActual.x, aExpected.x, 1e-3f) << aWhat;
    EXPECT_NEAR(aActual.y, aExpected.y, 1e-3f) << aWhat;
}

class VoNavigationTDODisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
        ASSERT_TRUE(fileSystem != nullptr &&
                    fileSystem->Mount(VoString(u"//dataroot"), VoString(VO_SOURCE_DIR "/data")));
        ASSERT_TRUE(VoFontManager::GetInstance()->CreateFonts(
            VoString(u"//dataroot/textures/fonts/fonts.txt"), VoString(u"//dataroot/textures/fonts/")));
    }

    // A display of the rig's navigation, built and created.
    VoNavigationTDODisplay* Display(NavigationRig& aRig, VoSteeringTDO* apSteering = nullptr) {
        fDisplay = std::make_unique<VoNavigationTDODisplay>();
        EXPECT_TRUE(fDisplay->Create(&aRig.navigation, apSteering));
        return fDisplay.get();
    }

    SpriteEngine fEngine;
    std::unique_ptr<VoNavigationTDODisplay> fDisplay;  // deleted before the engine
};

}  // namespace

TEST_F(VoNavigationTDODisplayTest, CreateBuildsTheLayersOfTheMap) {
    NavigationRig rig(kScene, kWeb);
    ASSERT_TRUE(rig.ready);
    LogCapture log;
    VoNavigationTDODisplay* display = Display(rig);
    EXPECT_TRUE(log.Lines().empty()) << log.Contents();

    // An inactive overlay of the root, at its fixed square.
    EXPECT_EQ(TextOf(display->GetId()), u"navdisplay");
    EXPECT_EQ(display->GetGroup(), VoDisplayManager::GetInstance()->GetRootGroup());
    EXPECT_FALSE(display->GetActive());
    EXPECT_EQ(display->GetPosition(), VoVector2(220.0f, 20.0f));
    EXPECT_THAT(MemberIds(display), ElementsAre("navdisplaybkg", "contentgroup", "viewname"));
    EXPECT_THAT(MemberIds(display->GetContentGroup()),
                ElementsAre("positive", "negative", "pick", "target", "visibletarget", "waypointgroup",
                            "player", "pathgroup"));

    auto* background = static_cast<VoSRectangle*>(display->GetMember(VoString(u"navdisplaybkg")));
    EXPECT_TRUE(background->GetFilled());
    EXPECT_EQ(background->GetFillColor(), VoColor(0.65f, 0.0f, 0.0f, 0.0f));

    // The current camera's regions stand out; the obstacle is red.
    VoDisplayGroup* positive = GroupOf(display->GetContentGroup(), u"positive");
    EXPECT_THAT(MemberIds(positive), ElementsAre("hall", "nook", "yard"));
    const VoColor shown(1.0f, 1.0f, 1.0f, 1.0f);
    const VoColor faint(0.2f, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(static_cast<VoSPolygon*>(positive->GetMemberAt(0))->GetStrokeColor(), shown);
    EXPECT_EQ(static_cast<VoSPolygon*>(positive->GetMemberAt(1))->GetStrokeColor(), shown);
    EXPECT_EQ(static_cast<VoSPolygon*>(positive->GetMemberAt(2))->GetStrokeColor(), faint);
    VoDisplayGroup* negative = GroupOf(display->GetContentGroup(), u"negative");
    EXPECT_THAT(MemberIds(negative), ElementsAre("crate"));
    EXPECT_EQ(static_cast<VoSPolygon*>(negative->GetMemberAt(0))->GetStrokeColor(),
              VoColor(1.0f, 1.0f, 0.0f, 0.0f));

    // The bounds of everything, and of the shown camera.
    const VoRectangle* all = display->GetAllRect();
    EXPECT_EQ(VoVector2(all->x, all->y), VoVector2(0.0f, 0.0f));
    EXPECT_EQ(VoVector2(all->width, all->height), VoVector2(120.0f, 100.0f));
    const VoRectangle* view = display->GetViewRect();
    EXPECT_EQ(VoVector2(view->width, view->height), VoVector2(120.0f, 40.0f));
    EXPECT_TRUE(display->IsShowingView());
    EXPECT_EQ(TextOf(display->GetViewNameText()->GetText()), u"cam");
    EXPECT_TRUE(display->GetViewNameText()->GetActive());

    // The walker waits off the map until the scene places it.
    EXPECT_EQ(rig.navigation.GetPosition(), VoVector3(-300.0f, -300.0f, 0.0f));
    EXPECT_EQ(display->GetContentGroup()->GetMember(VoString(u"player"))->GetPosition(),
              VoVector2(-300.0f, -300.0f));

    EXPECT_FALSE(display->Create(&rig.navigation, nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDODisplay::kCreateAgain));
    VoNavigationTDODisplay bare;
    EXPECT_FALSE(bare.Create(nullptr, nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDODisplay::kCreateNullArg));
}

TEST_F(VoNavigationTDODisplayTest, WayPointsShowOneLinkPerPairAndTheirIds) {
    NavigationRig rig(kScene, kWeb);
    ASSERT_TRUE(rig.ready);
    VoNavigationTDODisplay* display = Display(rig);
    VoDisplayGroup* wayPoints = GroupOf(display->GetContentGroup(), u"waypointgroup");
    EXPECT_THAT(MemberIds(wayPoints), ElementsAre("wp_0", "wplink_0_1", "wplabel_0", "wp_1", "wplink_1_2",
                                                  "wplabel_1", "wp_2", "wplabel_2"));
    EXPECT_EQ(wayPoints->GetMember(VoString(u"wp_1"))->GetPosition(), VoVector2(80.0f, 30.0f));
    auto* link = static_cast<VoSPolygon*>(wayPoints->GetMember(VoString(u"wplink_0_1")));
    ASSERT_NE(link->GetPolygon(), nullptr);
    EXPECT_EQ(link->GetPolygon()->GetPoint(0), VoVector2(10.0f, 10.0f));
    EXPECT_EQ(link->GetPolygon()->GetPoint(1), VoVector2(80.0f, 30.0f));
    EXPECT_FALSE(link->GetPolygon()->IsClosed());

    auto* label = static_cast<VoTextArea*>(wayPoints->GetMember(VoString(u"wplabel_2")));
    EXPECT_EQ(TextOf(label->GetText()), u"stairs");
    EXPECT_FLOAT_EQ(label->GetBlend(), 0.3f);
    EXPECT_TRUE(label->GetUnscaled());
    EXPECT_TRUE(label->GetPixelSnap());
    EXPECT_EQ(label->GetPosition(), VoVector2(90.0f, 10.0f));
}

TEST_F(VoNavigationTDODisplayTest, LabelsNeedTheirFont) {
    NavigationRig rig(kScene, kWeb);
    ASSERT_TRUE(rig.ready);
    // A font manager that lacks the font: the map is drawn without labels.
    fEngine.ShutDown();
    SpriteEngine engine;
    LogCapture log;
    auto display = std::make_unique<VoNavigationTDODisplay>();
    EXPECT_TRUE(display->Create(&rig.navigation, nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDODisplay::kNoLabels));
    EXPECT_THAT(MemberIds(GroupOf(display->GetContentGroup(), u"waypointgroup")),
                ElementsAre("wp_0", "wplink_0_1", "wp_1", "wplink_1_2", "wp_2"));
}

TEST_F(VoNavigationTDODisplayTest, FitContentRectCentresTheGroundWithYUp) {
    NavigationRig rig(kScene, kWeb);
    ASSERT_TRUE(rig.ready);
    VoNavigationTDODisplay* display = Display(rig);
    VoDisplayGroup* content = display->GetContentGroup();
    struct Case {
        const char* name;
        VoRectangle ground;
        float scale;
        VoVector2 position;  // of the content in the overlay
    };
    // 510 units of the 560 square are used, along the longer side.
    const Case cases[] = {
        {"wide", VoRectangle(0.0f, 0.0f, 1000.0f, 200.0f), 0.51f, VoVector2(25.0f, 331.0f)},
        {"tall", VoRectangle(0.0f, 0.0f, 200.0f, 1000.0f), 0.51f, VoVector2(229.0f, 535.0f)},
        {"offset square", VoRectangle(-50.0f, 100.0f, 100.0f, 100.0f), 5.1f, VoVector2(280.0f, 1045.0f)},
    };
    for (const Case& c : cases) {
        VoRectangle ground = c.ground;
        ASSERT_TRUE(display->FitContentRect(&ground)) << c.name;
        VoVector2 scale;
        content->GetScale(scale);
        EXPECT_NEAR(scale.x, c.scale, 1e-5f) << c.name;
        EXPECT_NEAR(scale.y, -c.scale, 1e-5f) << c.name;
        ExpectNear(content->GetPosition(), c.position, c.name);
        // The rectangle's lower corner lands at the bottom left of the
        // fitted area, its upper corner up and to the right.
        display->SetPickPosition(VoVector2(ground.x, ground.y));
        VoIDisplayObject* pick = content->GetMember(VoString(u"pick"));
        const VoVector2 low = WorldOf(pick);
        display->SetPickPosition(VoVector2(ground.x + ground.width, ground.y + ground.height));
        const VoVector2 high = WorldOf(pick);
        EXPECT_NEAR(high.x - low.x, ground.width * c.scale, 1e-2f) << c.name;
        EXPECT_NEAR(low.y - high.y, ground.height * c.scale, 1e-2f) << c.name;
        // Centred in the square at (220, 20).
        EXPECT_NEAR((low.x + high.x) / 2.0f, 220.0f + 280.0f, 1e-2f) << c.name;
        EXPECT_NEAR((low.y + high.y) / 2.0f, 20.0f + 280.0f, 1e-2f) << c.name;
        ExpectNear(display->ScreenToGround(high),
                   VoVector2(ground.x + ground.width, ground.y + ground.height), c.name);
    }

    // The wide case, corner by corner.
    VoRectangle wide(0.0f, 0.0f, 1000.0f, 200.0f);
    display->FitContentRect(&wide);
    display->SetPickPosition(VoVector2(1000.0f, 200.0f));
    ExpectNear(WorldOf(content->GetMember(VoString(u"pick"))), VoVector2(755.0f, 249.0f), "wide corner");
}

TEST_F(VoNavigationTDODisplayTest, AnEmptyRectangleLeavesTheContentAsItIs) {
    NavigationRig rig(kScene, kWeb);
    ASSERT_TRUE(rig.ready);
    VoNavigationTDODisplay* display = Display(rig);
    VoDisplayGroup* content = display->GetContentGroup();
    VoVector2 scale;
    content->GetScale(scale);
    const VoVector2 position = content->GetPosition();

    LogCapture log;
    VoRectangle empty;
    EXPECT_FALSE(display->FitContentRect(&empty));
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDODisplay::kFitEmpty));
    EXPECT_FALSE(display->FitContentRect(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDODisplay::kFitNullArg));
    // A camera id that names no region (ids are matched case-sensitively here).
    EXPECT_FALSE(display->SetView(VoString(u"CAM")));
    VoVector2 after;
    content->GetScale(after);
    EXPECT_EQ(after, scale);
    EXPECT_EQ(content->GetPosition(), position);
    EXPECT_TRUE(std::isfinite(after.x));

    // ShowAll fits every region and hides the view name.
    display->ShowAll();
    EXPECT_FALSE(display->IsShowingView());
    EXPECT_FALSE(display->GetViewNameText()->GetActive());
    content->GetScale(after);
    EXPECT_NEAR(after.x, 510.0f / 120.0f, 1e-4f);
}

TEST_F(VoNavigationTDODisplayTest, OnUpdateFollowsTheWalk) {
    NavigationRig rig(kScene, kWeb);
    ASSERT_TRUE(rig.ready);
    StepTimer timer;
    VoSteeringTDO steering(&timer);
    VoNavigationTDODisplay* display = Display(rig, &steering);
    VoDisplayGroup* content = display->GetContentGroup();
    VoSPolygon* path = static_cast<VoSPolygon*>(GroupOf(content, u"pathgroup")->GetMember(VoString(u"path")));
    ASSERT_EQ(path->GetPolygon()->GetNumPoints(), 1);

    // No route looked up yet: the path stays as it was.
    rig.navigation.SetPosition(VoVector3(12.0f, 12.0f, 0.0f));
    rig.navigation.SetTarget(VoVector3(85.0f, 12.0f, 0.0f));
    display->OnUpdate();
    EXPECT_EQ(path->GetPolygon()->GetNumPoints(), 1);

    struct Case {
        VoVector2 facing;
        float degrees;
    };
    for (const Case& c :
         {Case{{1.0f, 1.0f}, 45.0f}, Case{{-1.0f, 1.0f}, -45.0f}, Case{{0.0f, -1.0f}, 180.0f}}) {
        steering.SetDirection(c.facing);
        // The navigation's step: a route from the door to the stairs.
        rig.navigation.OnUpdate();
        VoFrameManager::GetInstance()->Update();
        EXPECT_NEAR(content->GetMember(VoString(u"player"))->GetRotation(), c.degrees, 1e-3f);
    }
    EXPECT_EQ(content->GetMember(VoString(u"player"))->GetPosition(), VoVector2(12.0f, 12.0f));
    EXPECT_EQ(content->GetMember(VoString(u"target"))->GetPosition(), VoVector2(85.0f, 12.0f));
    const VoVector3& next = rig.navigation.GetNextPoint();
    EXPECT_EQ(content->GetMember(VoString(u"visibletarget"))->GetPosition(), VoVector2(next.x, next.y));
    const VoPolygon* route = path->GetPolygon();
    ASSERT_EQ(route->GetNumPoints(), 5);
    EXPECT_EQ(route->GetPoint(0), VoVector2(12.0f, 12.0f));
    EXPECT_EQ(route->GetPoint(1), VoVector2(10.0f, 10.0f));
    EXPECT_EQ(route->GetPoint(2), VoVector2(80.0f, 30.0f));
    EXPECT_EQ(route->GetPoint(3), VoVector2(90.0f, 10.0f));
    EXPECT_EQ(route->GetPoint(4), VoVector2(85.0f, 12.0f));
}

TEST_F(VoNavigationTDODisplayTest, EveryKeyPressIsLoggedWhileTheOverlayLives) {
    NavigationRig rig(kScene, kWeb);
    ASSERT_TRUE(rig.ready);
    VoKeyboard* keyboard = VoKeyboard::GetInstance();
    VoFrameManager* frames = VoFrameManager::GetInstance();
    const int keyboardListeners = keyboard->GetListenerCount();
    Display(rig);
    EXPECT_EQ(keyboard->GetListenerCount(), keyboardListeners + 1);
    EXPECT_EQ(frames->GetListenerCount(), 1);

    LogCapture log;
    keyboard->KeyDown(30);
    keyboard->KeyUp(30);
    keyboard->KeyDown(57);
    EXPECT_THAT(log.Lines(), ElementsAre("aKey:30", "aKey:57"));

    fDisplay.reset();
    EXPECT_EQ(keyboard->GetListenerCount(), keyboardListeners);
    EXPECT_EQ(frames->GetListenerCount(), 0);
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMemberCount(), 0);
    keyboard->KeyDown(31);
    EXPECT_EQ(log.Lines().size(), 2u);
}

TEST_F(VoNavigationTDODisplayTest, GroundMeshesAreDrawnFromAbove) {
    NavigationRig rig(kScene, kWeb);
    ASSERT_TRUE(rig.ready);
    VoNavigationTDODisplay* display = Display(rig);

    // A quad of two triangles at height 3, its frame moved 5 along x.
    VoFrame frame;
    VoMatrix moved;
    MatrixTranslation(&moved, 5.0f, 0.0f, 0.0f);
    frame.SetAbsoluteMatrix(moved);
    VoMesh mesh;
    mesh.SetOwnerFrame(&frame);
    const float corners[] = {0, 3, 0, 10, 3, 0, 10, 3, 20, 0, 3, 20};
    auto* vertices = new VoVertexBuffer();
    ASSERT_TRUE(vertices->Create(1, corners, 4));
    mesh.SetVertexBuffer(vertices);
    auto* subset = new VoMeshSubset();
    const std::uint16_t indices[] = {0, 1, 2, 0, 2, 3, 0, 9, 1};
    auto* buffer = new VoIndexBuffer();
    ASSERT_TRUE(buffer->Create(VoIndexBuffer::kFormat16, indices, 9));
    subset->SetIndexBuffer(buffer);
    // One triangle names a vertex the mesh lacks; one more than the indices hold.
    subset->SetTriangleCount(4);
    mesh.AddSubset(subset);

    VoMesh* meshes[] = {nullptr, &mesh};
    EXPECT_TRUE(display->SetupGroundMeshes(2, meshes));
    VoDisplayGroup* ground = GroupOf(display->GetContentGroup(), u"groundmeshes");
    ASSERT_NE(ground, nullptr);
    EXPECT_THAT(MemberIds(ground), ElementsAre("1.0.0", "1.0.1"));
    const VoPolygon* second = static_cast<VoSPolygon*>(ground->GetMemberAt(1))->GetPolygon();
    ASSERT_EQ(second->GetNumPoints(), 3);
    EXPECT_TRUE(second->IsClosed());
    EXPECT_EQ(second->GetPoint(0), VoVector2(5.0f, 0.0f));
    EXPECT_EQ(second->GetPoint(1), VoVector2(15.0f, 20.0f));
    EXPECT_EQ(second->GetPoint(2), VoVector2(5.0f, 20.0f));

    // Again: the layer is replaced, not doubled.
    EXPECT_TRUE(display->SetupGroundMeshes(1, meshes + 1));
    EXPECT_EQ(GroupOf(display->GetContentGroup(), u"groundmeshes")->GetMemberCount(), 2);
    EXPECT_FALSE(display->SetupGroundMeshes(1, nullptr));
}

TEST_F(VoNavigationTDODisplayTest, AClickOnTheShownOverlaySendsTheWalkerThere) {
    NavigationRig rig(kScene, kWeb);
    ASSERT_TRUE(rig.ready);
    StepTimer timer;
    VoSteeringTDO steering(&timer);
    steering.SetDefaults();
    VoNavigationTDODisplay* display = Display(rig, &steering);
    VoMouse* mouse = VoMouse::GetInstance();
    VoRectangle hall(0.0f, 0.0f, 100.0f, 40.0f);
    ASSERT_TRUE(display->FitContentRect(&hall));
    // 5.1 pixels a unit: ground (20, 30) lies at (220 + 25 + 102, 20 + 382 - 153).
    const VoVector2 onHall(347.0f, 249.0f);
    mouse->Move(&onHall);

    // Not listening, then not shown: nothing happens.
    mouse->ButtonDown(1);
    EXPECT_TRUE(display->SetMouseListening(true));
    mouse->ButtonDown(1);
    EXPECT_FALSE(rig.navigation.IsRunning());

    display->SetActive(true);
    LogCapture log;
    mouse->ButtonDown(1);
    EXPECT_TRUE(log.Lines().empty()) << log.Contents();
    ExpectNear(display->GetContentGroup()->GetMember(VoString(u"pick"))->GetPosition(),
               VoVector2(20.0f, 30.0f), "pick");
    ExpectNear(VoVector2(rig.navigation.GetTarget().x, rig.navigation.GetTarget().y), VoVector2(20.0f, 30.0f),
               "target");
    EXPECT_TRUE(rig.navigation.IsRunning());
    // The walker sets off at walking speed.
    EXPECT_TRUE(steering.IsActive());
    EXPECT_EQ(steering.GetSpeedIndex(), 1);
    EXPECT_FLOAT_EQ(steering.GetSpeed(), 48.0f);

    // A click beside the map is made reachable: into the hall, off its edge.
    rig.navigation.SetActive(false);
    const VoVector2 belowHall(347.0f, 480.0f);
    mouse->Move(&belowHall);
    mouse->ButtonDown(1);
    ExpectNear(VoVector2(rig.navigation.GetTarget().x, rig.navigation.GetTarget().y), VoVector2(20.0f, 0.5f),
               "pushed");

    // Drawn whole without a complaint.
    log.Clear();
    EXPECT_TRUE(VoDisplayManager::GetInstance()->Render());
    EXPECT_TRUE(log.Lines().empty()) << log.Contents();
    EXPECT_TRUE(display->SetMouseListening(false));
}
