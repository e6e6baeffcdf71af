// The walkable ground of the case's scenes (data/scenes/case01/...): the
// navigation files read as the scene navigation reads them, against each
// viewpoint's depth mesh and camera. A walker anywhere on a camera's ground
// stands whole on its screen, starts on its ground, and finds a way to
// every waypoint the camera sees along links that cross no edge.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "NavigationDataText.h"
#include "NavigationTestSupport.h"
#include "container/VoVectorString.h"
#include "navigation/VoNegBounds.h"
#include "navigation/VoPosBounds.h"
#include "navigation/VoShortestPath.h"
#include "navigation/VoWayPoint.h"
#include "scene/VoMeshQuadTree.h"
#include "support/LogCapture.h"
#include "support/SampleScenes.h"
#include "support/RecordingRasterizer.h"

namespace {

// A man is about 71 tall; his head must stay on the screen too, and his
// middle at least this many pixels inside it so none of him is cut off.
constexpr float kHeadHeight = 71.0f;
constexpr float kScreenMargin = 10.0f;

// One viewpoint's navigation as the scene navigation sets it up.
struct ViewNavigation {
    explicit ViewNavigation(const SampleViewpoint& aView) : view(aView), depth(DepthMeshOf(aView)) {
        auto file = SceneFile(aView.scene, "navigation.txt");
        auto wayPoints = SceneFile(aView.scene, "waypoints.txt");
        web.Create(wayPoints.get());
        ready = navigation.Create(ListOf(NavigationDataOf(*file)).get()) && navigation.SetSceneRoot(depth.get()) &&
                navigation.SetPathFinding(&web) && navigation.SetCamera(VoString(aView.camera.c_str()));
        SetUpSampleCamera(aView, *depth, &camera);
    }

    // The camera's walkable regions.
    std::vector<VoPosBounds*> Regions() {
        int count = 0;
        VoPosBounds** regions = nullptr;
        std::vector<VoPosBounds*> out;
        if (navigation.GetPosBoundsForCamera(VoString(view.camera.c_str()), &count, &regions)) {
            out.assign(regions, regions + count);
        }
        delete[] regions;
        return out;
    }

    // The waypoint the viewpoint starts the player on.
    VoString StartWayPoint() {
        auto scene = SceneFile(view.scene, "scene.txt");
        return scene->GetString(VoString(("viewpoints." + view.viewpoint + ".startwaypoint").c_str()), nullptr);
    }

    bool OnGround(const VoVector2& aPoint) {
        bool inside = false;
        for (VoPosBounds* region : Regions()) {
            inside = inside || region->fPolygon.ContainsPoint(aPoint);
        }
        for (int i = 0; i < navigation.GetNegBoundsCount(); ++i) {
            inside = inside && !navigation.GetNegBounds(i)->fPolygon.ContainsPoint(aPoint);
        }
        return inside;
    }

    SampleViewpoint view;
    std::unique_ptr<VoDrawElement> depth;
    VoPathFindingWeb web;
    VoNavigationTDO navigation;
    VoCamera camera;
    bool ready = false;
};

std::string Where(const VoVector2& aPoint) {
    return "(" + std::to_string(aPoint.x) + ", " + std::to_string(aPoint.y) + ")";
}

class VoSampleSceneNavigationTest : public ::testing::Test {
protected:
    void SetUp() override { MountSampleScenes(); }

    RecordingEngine fEngine;  // the cameras take its rasterizer
};

}  // namespace

TEST_F(VoSampleSceneNavigationTest, EachCameraFindsItsGroundInTheDepthMeshWithoutComplaint) {
    for (const SampleViewpoint& view : SampleViewpoints()) {
        SCOPED_TRACE(view.viewpoint);
        LogCapture log;
        ViewNavigation walk(view);
        ASSERT_TRUE(walk.ready);
        EXPECT_EQ(walk.navigation.GetCamera(), VoString(view.camera.c_str()));
        VoVectorString grounds;
        ASSERT_TRUE(walk.navigation.GetGroundIDsForCamera(VoString(view.camera.c_str()), &grounds));
        for (int i = 0; i < grounds.GetCount(); ++i) {
            const VoFrame* ground = walk.depth->FindFrame(grounds.GetAt(i), true);
            ASSERT_NE(ground, nullptr) << Narrow(grounds.GetAt(i));
            EXPECT_NE(ground->GetMesh(), nullptr);
        }
        EXPECT_TRUE(log.Lines().empty()) << log.Contents();
    }
}

TEST_F(VoSampleSceneNavigationTest, AManStandingOnAnyCornerOfACamerasGroundIsWholeOnItsScreen) {
    for (const SampleViewpoint& view : SampleViewpoints()) {
        SCOPED_TRACE(view.viewpoint);
        ViewNavigation walk(view);
        ASSERT_TRUE(walk.ready);
        const std::vector<VoPosBounds*> regions = walk.Regions();
        ASSERT_FALSE(regions.empty());
        for (VoPosBounds* region : regions) {
            for (int i = 0; i < region->fPolygon.GetNumPoints(); ++i) {
                const VoVector2 corner = region->fPolygon.GetPoint(i);
                const VoVector3 feet = ScreenPoint(walk.camera, VoVector3(corner.x, 0.0f, corner.y));
                const VoVector3 head = ScreenPoint(walk.camera, VoVector3(corner.x, kHeadHeight, corner.y));
                EXPECT_TRUE(OnScreen(feet, kScreenMargin) && OnScreen(head, kScreenMargin))
                    << Narrow(region->fId) << " " << Where(corner) << ": feet at " << feet.x << ", " << feet.y
                    << ", head at " << head.x << ", " << head.y;
            }
        }
    }
}

TEST_F(VoSampleSceneNavigationTest, TheStartWayPointStandsOnTheGroundOfItsCamera) {
    for (const SampleViewpoint& view : SampleViewpoints()) {
        SCOPED_TRACE(view.viewpoint);
        ViewNavigation walk(view);
        ASSERT_TRUE(walk.ready);
        const VoString start = walk.StartWayPoint();
        const VoWayPoint* wayPoint = walk.web.GetWayPoint(start);
        ASSERT_NE(wayPoint, nullptr) << Narrow(start);
        EXPECT_TRUE(walk.OnGround(wayPoint->fCoords)) << Where(wayPoint->fCoords);

        // The ground under it is the floor, at height 0.
        VoMeshQuadTree ground;
        ASSERT_TRUE(ground.Create(VoVector2(0.0f, 0.0f), 2000.0f, 8));
        const VoFrame* floor = walk.depth->FindFrame(VoString(u"WG_floor"), true);
        ASSERT_TRUE(ground.AddMesh(floor->GetName(), floor->GetMesh(), &floor->GetAbsoluteMatrix()));
        VoVector3 hit;
        ASSERT_TRUE(ground.IntersectsVertLineThruPt(wayPoint->fCoords, hit));
        EXPECT_NEAR(hit.y, 0.0f, 1e-4f);
    }
}

TEST_F(VoSampleSceneNavigationTest, EveryWayPointACameraSeesIsReachedAlongLinksThatCrossNoEdge) {
    for (const SampleViewpoint& view : SampleViewpoints()) {
        SCOPED_TRACE(view.viewpoint);
        ViewNavigation walk(view);
        ASSERT_TRUE(walk.ready);
        const VoString startId = walk.StartWayPoint();
        int start = -1;
        std::vector<int> seen;
        for (int i = 0; i < walk.web.GetCount(); ++i) {
            const VoWayPoint* wayPoint = walk.web.GetWayPoint(i);
            start = wayPoint->fId.EqualsNoCase(startId) ? i : start;
            if (walk.OnGround(wayPoint->fCoords)) {
                seen.push_back(i);
            }
        }
        ASSERT_GE(start, 0);
        for (int i : seen) {
            const VoWayPoint* from = walk.web.GetWayPoint(i);
            const VoShortestPath route = walk.web.GetShortestPath(start, i);
            EXPECT_GE(route.fCost, 0.0f) << "no way to " << Narrow(from->fId);
            for (int k = 0; k < from->fLinkCount; ++k) {
                const VoWayPoint* to = walk.web.GetWayPoint(from->fpLinks[k]);
                if (walk.OnGround(to->fCoords)) {
                    EXPECT_TRUE(walk.navigation.IsStraightPathClear(from->fCoords, to->fCoords))
                        << Narrow(from->fId) << " to " << Narrow(to->fId);
                }
            }
        }
    }
}

TEST_F(VoSampleSceneNavigationTest, EveryWayPointOfASceneStandsOnTheGroundOfOneOfItsCameras) {
    for (const std::string& sceneId : SampleSceneIds()) {
        std::vector<std::unique_ptr<ViewNavigation>> views;
        for (const SampleViewpoint& view : SampleViewpoints()) {
            if (view.scene == sceneId) {
                views.push_back(std::make_unique<ViewNavigation>(view));
            }
        }
        ASSERT_FALSE(views.empty());
        VoPathFindingWeb& web = views[0]->web;
        for (int i = 0; i < web.GetCount(); ++i) {
            const VoWayPoint* wayPoint = web.GetWayPoint(i);
            bool onGround = false;
            for (auto& view : views) {
                onGround = onGround || view->OnGround(wayPoint->fCoords);
            }
            EXPECT_TRUE(onGround) << sceneId << ": " << Narrow(wayPoint->fId) << " " << Where(wayPoint->fCoords);
        }
    }
}
