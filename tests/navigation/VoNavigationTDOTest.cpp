#include "navigation/VoNavigationTDO.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "NavigationDataText.h"
#include "container/VoHashKeyList.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoVector2.h"
#include "navigation/VoINavigationListener.h"
#include "navigation/VoNegBounds.h"
#include "navigation/VoPathFindingWeb.h"
#include "navigation/VoPosBounds.h"
#include "navigation/VoWayPoint.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "stdlib/VoFrameManager.h"
#include "support/LogCapture.h"
#include "support/ScopedEngine.h"
#include "system/VoIFileSystem.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

const std::string kAssert = "ASSERT FAILURE: ";

// The square room (0, 0) .. (10, 10) of camera "cam" on the ground "floor",
// its corners in the order that IsClockwise calls clockwise.
const std::string kRoom =
    "positive\n\troom\n\t\tcamera=cam\n\t\tground=floor\n\t\tcoords=0|0|10|0|10|10|0|10\n";
// A wall across the middle of the room, from y 2 to y 8.
const std::string kWall = "negative\n\twall\n\t\tground=floor\n\t\tcoords=4|2|5|2|5|8|4|8\n";
const std::string kNoObstacles = "negative\n";

std::string WayPoint(const std::string& aId, float aX, float aY, const std::string& aLinks) {
    return aId + "\n\tcoords=" + std::to_string(aX) + "|" + std::to_string(aY) + "\n\tlinks=" + aLinks + "\n";
}

VoPropertyList* ListOf(const std::string& aText) {
    auto* list = new VoPropertyList();
    list->Parse(VoString(aText.c_str()));
    return list;
}

std::vector<bool> EnabledFlags(VoPathFindingWeb& aWeb) {
    std::vector<bool> flags;
    for (int i = 0; i < aWeb.GetCount(); ++i) {
        flags.push_back(aWeb.GetWayPoint(i)->fEnabled);
    }
    return flags;
}

struct CountingListener : VoINavigationListener {
    void OnNavigationStopped() override { ++stops; }
    int stops = 0;
};

// A navigation set up as the scene navigation does it: regions, a scene root
// whose frames are the ground meshes, a web and the camera.
class Rig {
public:
    Rig(const std::string& aRegions, const std::string& aWayPoints,
        const std::vector<const char16_t*>& aGrounds = {u"Floor"}) {
        auto* scene = new VoFrame();
        scene->SetName(VoString(u"scene"));
        for (const char16_t* ground : aGrounds) {
            auto* frame = new VoFrame();
            frame->SetName(VoString(ground));
            scene->AddChild(frame);
        }
        root.SetRootFrame(scene);

        std::unique_ptr<VoPropertyList> wayPoints(ListOf(aWayPoints));
        web.Create(wayPoints.get());
        std::unique_ptr<VoPropertyList> regions(ListOf(aRegions));
        created = navigation.Create(regions.get());
        navigation.SetSceneRoot(&root);
        navigation.SetPathFinding(&web);
    }
    VoVector2 Pushed(VoVector2 aPoint, float aRadius = 0.1f, float aStep = 0.05f) {
        navigation.PushAwayFromEdges(aRadius, aStep, &aPoint);
        return aPoint;
    }

    VoPathFindingWeb web;
    VoDrawElement root;
    VoNavigationTDO navigation;
    bool created = false;
};

// The line arithmetic works through slopes, so a foot on an axis-parallel
// edge comes out a little off.
void ExpectNear(const VoVector2& aActual, const VoVector2& aExpected, const std::string& aWhat) {
    EXPECT_NEAR(aActual.x, aExpected.x, 1e-3f) << aWhat;
    EXPECT_NEAR(aActual.y, aExpected.y, 1e-3f) << aWhat;
}

}  // namespace

TEST(VoNavigationTDO, CreateReadsBothKindsOfRegion) {
    LogCapture log;
    Rig rig(
        "positive\n"
        "\troom\n\t\tcamera=Cam\n\t\tground=floor\n\t\tcoords=0|0|10|0|10|10|0|10\n"
        "\tback\n\t\tcamera=cam\n\t\tground=floor\n\t\tcoords=0|0|0|10|10|10|10|0\n"
        "\tbare\n\t\tcoords=0|0|1|0|1|1\n"
        "\tnote=not a region\n"
        "\thuge\n\t\tcamera=cam\n\t\tground=floor\n\t\tcoords=0|0|1" +
            std::string(400, '0') +
            "|0|1|1\n"
            "negative\n"
            "\tpillar\n\t\tground=floor\n\t\tcoords=4|4|6|4|6|6\n",
        WayPoint("a", 1, 1, ""));
    ASSERT_TRUE(rig.created);
    VoNavigationTDO& navigation = rig.navigation;
    ASSERT_EQ(navigation.GetPosBoundsCount(), 4);
    ASSERT_EQ(navigation.GetNegBoundsCount(), 1);

    VoPosBounds* room = navigation.GetPosBounds(0);
    EXPECT_EQ(TextOf(room->fId), u"room");
    EXPECT_EQ(TextOf(room->fCamera), u"Cam");
    EXPECT_EQ(TextOf(room->fGround), u"floor");
    EXPECT_EQ(room->fPolygon.GetNumPoints(), 4);
    EXPECT_TRUE(room->fPolygon.IsClosed());
    // The winding is worked out as the regions are read.
    EXPECT_EQ(room->fClockwise, 1);
    EXPECT_EQ(navigation.GetPosBounds(1)->fClockwise, 0);
    EXPECT_EQ(room->fpGroundFrame, nullptr);

    // Missing keys: an empty assertion each, the region kept with empty values.
    VoPosBounds* bare = navigation.GetPosBounds(2);
    EXPECT_EQ(TextOf(bare->fCamera), u"");
    EXPECT_EQ(TextOf(bare->fGround), u"");
    EXPECT_EQ(log.Count("VoNavigationTDO.cpp"), 4) << log.Contents();
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoNavigationTDO::kCreateNotASection) + "note"));
    // A number too long for a float leaves the region without an outline.
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoNavigationTDO::kCreateInvalidCoords) + "huge"));
    EXPECT_EQ(navigation.GetPosBounds(3)->fPolygon.GetNumPoints(), 0);

    VoNegBounds* pillar = navigation.GetNegBounds(0);
    EXPECT_EQ(TextOf(pillar->fId), u"pillar");
    EXPECT_EQ(pillar->fPolygon.GetNumPoints(), 3);
    EXPECT_NE(pillar->fClockwise, VoNegBounds::kWindingUnknown);
}

TEST(VoNavigationTDO, CreateNeedsBothSections) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"negative\n\tx\n\t\tcoords=0|0\n", VoNavigationTDO::kCreateNoPositive},
        {"positive\n\tx\n\t\tcoords=0|0\n", VoNavigationTDO::kCreateNoNegative},
        {"positive=a value\nnegative\n", VoNavigationTDO::kCreateNoPositive},
    };
    for (const Case& testCase : cases) {
        LogCapture log;
        VoNavigationTDO navigation;
        std::unique_ptr<VoPropertyList> list(ListOf(testCase.text));
        EXPECT_FALSE(navigation.Create(list.get()));
        EXPECT_TRUE(log.Logged(kAssert, testCase.message)) << testCase.text;
        EXPECT_EQ(navigation.GetPosBoundsCount(), 0);
    }
    LogCapture log;
    VoNavigationTDO navigation;
    EXPECT_FALSE(navigation.Create(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kCreateNullArg));
}

TEST(VoNavigationTDO, RegionsOfACameraAreFoundIgnoringCase) {
    Rig rig(
        "positive\n"
        "\ta\n\t\tcamera=Hall\n\t\tground=floor\n\t\tcoords=0|0|1|0|1|1\n"
        "\tb\n\t\tcamera=stairs\n\t\tground=steps\n\t\tcoords=0|0|1|0|1|1\n"
        "\tc\n\t\tcamera=HALL\n\t\tground=floor\n\t\tcoords=0|0|1|0|1|1\n" +
            kNoObstacles,
        WayPoint("a", 1, 1, ""));
    VoNavigationTDO& navigation = rig.navigation;

    VoVectorString grounds;
    EXPECT_TRUE(navigation.GetGroundIDsForCamera(VoString(u"hall"), &grounds));
    ASSERT_EQ(grounds.GetCount(), 2);
    EXPECT_EQ(TextOf(grounds.GetAt(0)), u"floor");
    EXPECT_EQ(TextOf(grounds.GetAt(1)), u"floor");

    int count = 0;
    VoPosBounds** regions = nullptr;
    EXPECT_TRUE(navigation.GetPosBoundsForCamera(VoString(u"hALL"), &count, &regions));
    ASSERT_EQ(count, 2);
    EXPECT_EQ(regions[0], navigation.GetPosBounds(0));
    EXPECT_EQ(regions[1], navigation.GetPosBounds(2));
    // The out pointer must hold null.
    LogCapture log;
    int other = -1;
    EXPECT_FALSE(navigation.GetPosBoundsForCamera(VoString(u"hall"), &other, &regions));
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kPosBoundsNullArg));
    delete[] regions;
    regions = nullptr;

    EXPECT_FALSE(navigation.GetPosBoundsForCamera(VoString(u"attic"), &other, &regions));
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoNavigationTDO::kPosBoundsNotFound) + "attic"));
    EXPECT_EQ(other, -1);
    EXPECT_EQ(regions, nullptr);
    EXPECT_FALSE(navigation.GetGroundIDsForCamera(VoString(u"attic"), &grounds));
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoNavigationTDO::kGroundIdsNotFound) + "attic"));
    EXPECT_EQ(grounds.GetCount(), 0);
}

TEST(VoNavigationTDO, SetCameraEnablesTheViewAndOneRingOfLinksIntoIt) {
    // in1 and in2 lie in the room. near links to in1 and far only to near;
    // out is linked from in1 but leads nowhere; loose links to nothing.
    Rig rig(kRoom + kNoObstacles, WayPoint("in1", 2, 2, "in2|out") + WayPoint("in2", 8, 8, "in1") +
                                      WayPoint("near", 12, 2, "in1|far") + WayPoint("far", 14, 2, "near") +
                                      WayPoint("out", 2, 12, "") + WayPoint("loose", -3, -3, ""));
    rig.web.GetShortestPath(0, 1);
    ASSERT_NE(rig.web.GetLastPath(), nullptr);

    ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"CAM")));
    EXPECT_THAT(EnabledFlags(rig.web), ElementsAre(true, true, true, false, false, false));
    EXPECT_EQ(TextOf(rig.navigation.GetCamera()), u"CAM");
    // The route table was dropped: routes follow the new flags.
    EXPECT_EQ(rig.web.GetLastPath(), nullptr);
    EXPECT_EQ(rig.web.GetShortestPath(2, 3).fCost, -1.0f);
    EXPECT_GT(rig.web.GetShortestPath(2, 1).fCost, 0.0f);

    // The ground frame was found ignoring case, and is kept.
    VoFrame* floor = rig.root.FindFrame(VoString(u"Floor"), false);
    ASSERT_EQ(rig.navigation.GetGroundCount(), 1);
    EXPECT_EQ(rig.navigation.GetGroundFrame(0), floor);
    EXPECT_EQ(rig.navigation.GetPosBounds(0)->fpGroundFrame, floor);
    int count = 0;
    VoPosBounds** current = nullptr;
    EXPECT_TRUE(rig.navigation.GetPosBoundsCurrent(&count, &current));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(current[0], rig.navigation.GetPosBounds(0));

    // Another scene root: the frames of the old one are forgotten, and the
    // next SetCamera finds the ground in the new one.
    VoDrawElement other;
    auto* ground = new VoFrame();
    ground->SetName(VoString(u"FLOOR"));
    other.SetRootFrame(ground);
    EXPECT_TRUE(rig.navigation.SetSceneRoot(&other));
    EXPECT_EQ(rig.navigation.GetGroundCount(), 0);
    EXPECT_EQ(rig.navigation.GetPosBounds(0)->fpGroundFrame, nullptr);
    ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"cam")));
    EXPECT_EQ(rig.navigation.GetGroundFrame(0), ground);
}

TEST(VoNavigationTDO, SetCameraFailuresSayWhy) {
    LogCapture log;
    {
        VoNavigationTDO navigation;
        EXPECT_FALSE(navigation.SetCamera(VoString(u"cam")));
        EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kSetCameraNoSceneRoot));
        VoDrawElement root;
        EXPECT_TRUE(navigation.SetSceneRoot(&root));
        EXPECT_FALSE(navigation.SetCamera(VoString(u"cam")));
        EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kSetCameraNoPathFinding));
        EXPECT_FALSE(navigation.SetSceneRoot(nullptr));
        EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kSetSceneRootNullArg));
    }
    {
        Rig rig(kRoom + kNoObstacles, WayPoint("a", 1, 1, ""), {u"carpet"});
        EXPECT_FALSE(rig.navigation.SetCamera(VoString(u"cam")));
        EXPECT_TRUE(log.Logged(kAssert, std::string(VoNavigationTDO::kSetCameraNoGround) + "floor"));
    }
    {
        Rig rig(kRoom + kNoObstacles, "");
        EXPECT_FALSE(rig.navigation.SetCamera(VoString(u"cam")));
        EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kSetCameraNoWayPoints));
        // The regions and ground were taken before the waypoints were asked for.
        EXPECT_EQ(TextOf(rig.navigation.GetCamera()), u"cam");
        EXPECT_EQ(rig.navigation.GetGroundCount(), 1);
    }
}

TEST(VoNavigationTDO, ACameraWithoutRegionsLeavesNoWalkableGround) {
    Rig rig(kRoom + kNoObstacles, WayPoint("a", 1, 1, ""));
    ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"cam")));
    rig.web.GetWayPoint(0)->fEnabled = false;

    LogCapture log;
    EXPECT_FALSE(rig.navigation.SetCamera(VoString(u"attic")));
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoNavigationTDO::kPosBoundsNotFound) + "attic"));
    EXPECT_TRUE(log.Logged(kAssert, ""));
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kSetCameraNoGroundFound));
    // No current regions; the old camera and ground frames stay, the flags too.
    int count = -1;
    VoPosBounds** current = nullptr;
    EXPECT_TRUE(rig.navigation.GetPosBoundsCurrent(&count, &current));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(TextOf(rig.navigation.GetCamera()), u"cam");
    EXPECT_FALSE(rig.web.GetWayPoint(0)->fEnabled);

    VoVector2 out(-1.0f, -1.0f);
    EXPECT_FALSE(rig.navigation.FindTargetPt(VoVector2(5.0f, 5.0f), &out, nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kFindTargetPtNoBounds));
    EXPECT_EQ(out, VoVector2(-1.0f, -1.0f));
}

TEST(VoNavigationTDO, FindTargetPtTakesTheNearestPointOfTheView) {
    // The room and, apart, a small second region of the same camera.
    Rig rig(
        kRoom + "\tnook\n\t\tcamera=cam\n\t\tground=floor\n\t\tcoords=20|0|22|0|22|2|20|2\n" + kNoObstacles,
        WayPoint("a", 1, 1, ""));
    ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"cam")));
    struct Case {
        VoVector2 point;
        VoVector2 expected;
        int region;
    };
    const Case cases[] = {
        {VoVector2(3.0f, 4.0f), VoVector2(3.0f, 4.0f), 0},     // inside: itself
        {VoVector2(21.0f, 1.0f), VoVector2(21.0f, 1.0f), 1},   // inside the nook
        {VoVector2(12.0f, 5.0f), VoVector2(10.0f, 5.0f), 0},   // the foot on the right edge
        {VoVector2(5.0f, -3.0f), VoVector2(5.0f, 0.0f), 0},    // the foot on the bottom edge
        {VoVector2(-2.0f, 12.0f), VoVector2(0.0f, 10.0f), 0},  // off every edge: the corner
        {VoVector2(18.0f, 1.0f), VoVector2(20.0f, 1.0f), 1},   // nearer the nook
        {VoVector2(23.0f, 5.0f), VoVector2(22.0f, 2.0f), 1},
    };
    for (const Case& testCase : cases) {
        VoVector2 out;
        int region = -1;
        ASSERT_TRUE(rig.navigation.FindTargetPt(testCase.point, &out, &region));
        ExpectNear(out, testCase.expected,
                   "from " + std::to_string(testCase.point.x) + ", " + std::to_string(testCase.point.y));
        EXPECT_EQ(region, testCase.region);
    }
}

TEST(VoNavigationTDO, PushAwayFromEdgesKeepsThePointInsideASquareOfEitherWinding) {
    const std::string windings[] = {"0|0|10|0|10|10|0|10", "0|0|0|10|10|10|10|0"};
    for (const std::string& coords : windings) {
        Rig rig(
            "positive\n\troom\n\t\tcamera=cam\n\t\tground=floor\n\t\tcoords=" + coords + "\n" + kNoObstacles,
            WayPoint("a", 1, 1, ""));
        ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"cam")));
        struct Case {
            VoVector2 point;
            VoVector2 expected;
        };
        const Case cases[] = {
            // Outside: onto the nearest edge, then a step in.
            {VoVector2(12.0f, 5.0f), VoVector2(9.95f, 5.0f)},
            {VoVector2(5.0f, -4.0f), VoVector2(5.0f, 0.05f)},
            {VoVector2(-1.0f, 3.0f), VoVector2(0.05f, 3.0f)},
            // Outside a corner: onto the corner, then a step in from each edge.
            {VoVector2(12.0f, 12.0f), VoVector2(9.95f, 9.95f)},
            {VoVector2(-3.0f, -1.0f), VoVector2(0.05f, 0.05f)},
            // Inside but nearer an edge than the radius: one step in.
            {VoVector2(9.95f, 5.0f), VoVector2(9.9f, 5.0f)},
            {VoVector2(4.0f, 9.99f), VoVector2(4.0f, 9.94f)},
            // Inside, clear of the edges: unchanged.
            {VoVector2(5.0f, 5.0f), VoVector2(5.0f, 5.0f)},
            {VoVector2(9.85f, 5.0f), VoVector2(9.85f, 5.0f)},
        };
        for (const Case& testCase : cases) {
            ExpectNear(rig.Pushed(testCase.point), testCase.expected,
                       coords + " from " + std::to_string(testCase.point.x) + ", " +
                           std::to_string(testCase.point.y));
        }
    }
}

TEST(VoNavigationTDO, PushAwayFromEdgesStepsOutOfObstacles) {
    for (const char* coords : {"4|2|5|2|5|8|4|8", "4|2|4|8|5|8|5|2"}) {
        Rig rig(kRoom + "negative\n\twall\n\t\tground=floor\n\t\tcoords=" + coords + "\n",
                WayPoint("a", 1, 1, ""));
        ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"cam")));
        // Inside the wall: onto its nearest edge, then a step away from it.
        ExpectNear(rig.Pushed(VoVector2(4.2f, 5.0f)), VoVector2(3.95f, 5.0f), coords);
        // Beside the wall: a step away.
        ExpectNear(rig.Pushed(VoVector2(5.05f, 5.0f)), VoVector2(5.1f, 5.0f), coords);
        ExpectNear(rig.Pushed(VoVector2(4.5f, 1.95f)), VoVector2(4.5f, 1.9f), coords);
    }
}

TEST(VoNavigationTDO, MoveOutOfNegativeBoundsTakesTheNearestOutlinePointInsideTheRegion) {
    Rig rig(kRoom + kWall, WayPoint("a", 1, 1, ""));
    VoNavigationTDO& navigation = rig.navigation;
    VoVector2 out;
    // Not in an obstacle: unchanged.
    EXPECT_TRUE(navigation.MoveOutOfNegativeBounds(VoVector2(2.0f, 2.0f), &out, nullptr));
    EXPECT_EQ(out, VoVector2(2.0f, 2.0f));
    // In the wall: its nearest outline point, an edge's foot or a corner.
    EXPECT_TRUE(navigation.MoveOutOfNegativeBounds(VoVector2(4.8f, 5.0f), &out, nullptr));
    ExpectNear(out, VoVector2(5.0f, 5.0f), "foot");
    EXPECT_TRUE(navigation.MoveOutOfNegativeBounds(VoVector2(4.5f, 7.9f), &out, nullptr));
    ExpectNear(out, VoVector2(4.5f, 8.0f), "foot");

    // Within a region that cuts the wall at y 6: only the wall's outline
    // below that counts, so the top edge (nearer) is passed over.
    const VoVector2 lower[] = {VoVector2(0.0f, 0.0f), VoVector2(10.0f, 0.0f), VoVector2(10.0f, 6.0f),
                               VoVector2(0.0f, 6.0f)};
    const VoPolygon region(lower, 4, true);
    EXPECT_TRUE(navigation.MoveOutOfNegativeBounds(VoVector2(4.3f, 7.9f), &out, &region));
    ExpectNear(out, VoVector2(4.0f, 6.0f), "in the region");
    // A region that holds none of the wall's outline leaves nowhere to go.
    const VoVector2 apart[] = {VoVector2(20.0f, 0.0f), VoVector2(30.0f, 0.0f), VoVector2(30.0f, 10.0f)};
    const VoPolygon elsewhere(apart, 3, true);
    out.Set(-1.0f, -1.0f);
    EXPECT_FALSE(navigation.MoveOutOfNegativeBounds(VoVector2(4.5f, 7.9f), &out, &elsewhere));
    EXPECT_EQ(out, VoVector2(-1.0f, -1.0f));
}

// A region shaped like a U, and an obstacle whose lower edge runs right and
// down across the U's gap. The region's outline meets that edge first at the
// gap's right wall, then at its left: the pieces of the edge must be ordered
// along it, or the piece across the gap (outside the region) would count.
TEST(VoNavigationTDO, MoveOutOfNegativeBoundsOrdersAnEdgesCrossingsAlongIt) {
    Rig rig(
        "positive\n\tu\n\t\tcamera=cam\n\t\tground=floor\n\t\tcoords=0|0|10|0|10|10|7|10|7|3|3|3|3|10|0|10\n"
        "negative\n\tbench\n\t\tground=floor\n\t\tcoords=1|9|9|5|9|9.5|1|9.5\n",
        WayPoint("a", 1, 1, ""));
    const VoPolygon& u = rig.navigation.GetPosBounds(0)->fPolygon;
    VoVector2 out;
    // In the gap, just above the lower edge, whose nearest inside point is
    // where it enters the gap's left wall.
    EXPECT_TRUE(rig.navigation.MoveOutOfNegativeBounds(VoVector2(5.0f, 7.3f), &out, &u));
    ExpectNear(out, VoVector2(3.0f, 8.0f), "left wall");
    EXPECT_TRUE(rig.navigation.MoveOutOfNegativeBounds(VoVector2(6.5f, 6.9f), &out, &u));
    ExpectNear(out, VoVector2(7.0f, 6.0f), "right wall");
}

TEST(VoNavigationTDO, StraightPathsCrossNoEdge) {
    Rig rig(kRoom + kWall, WayPoint("a", 1, 1, ""));
    ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"cam")));
    struct Case {
        VoVector2 from;
        VoVector2 to;
        bool clear;
    };
    const Case cases[] = {
        {VoVector2(1.0f, 1.0f), VoVector2(9.0f, 1.0f), true},    // below the wall
        {VoVector2(1.0f, 5.0f), VoVector2(9.0f, 5.0f), false},   // through the wall
        {VoVector2(1.0f, 5.0f), VoVector2(12.0f, 5.0f), false},  // out of the room
        {VoVector2(1.0f, 5.0f), VoVector2(3.0f, 9.0f), true},
        {VoVector2(2.0f, 2.0f), VoVector2(2.0f, 2.0f), true},
    };
    for (const Case& testCase : cases) {
        EXPECT_EQ(rig.navigation.IsStraightPathClear(testCase.from, testCase.to), testCase.clear)
            << testCase.to.x << ", " << testCase.to.y;
    }
}

TEST(VoNavigationTDO, ClosestWayPointMustBeEnabledInTheViewAndInSight) {
    // Seen from (3, 5): one behind the wall, one beside it but disabled,
    // one outside the room (enabled as the ring), and one in sight.
    Rig rig(kRoom + kWall, WayPoint("hidden", 6, 5, "") + WayPoint("off", 3, 6, "") +
                               WayPoint("outside", 3, 10.5f, "seen") + WayPoint("seen", 3, 9.5f, ""));
    ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"cam")));
    EXPECT_TRUE(rig.web.GetWayPoint(2)->fEnabled);  // the ring
    rig.web.GetWayPoint(1)->fEnabled = false;
    EXPECT_EQ(rig.navigation.GetClosestWayPoint(VoVector2(3.0f, 5.0f)), 3);
    EXPECT_EQ(rig.navigation.GetClosestWayPoint(VoVector2(7.0f, 5.0f)), 0);

    LogCapture log;
    Rig empty(kRoom + kWall, "");
    EXPECT_EQ(empty.navigation.GetClosestWayPoint(VoVector2(3.0f, 5.0f)), -1);
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kClosestWayPointFailure));
}

TEST(VoNavigationTDO, AWalkGoesStraightWhereItCanAndAlongTheRouteElsewhere) {
    // Waypoints above the wall's top, on either side of it.
    Rig rig(kRoom + kWall, WayPoint("left", 2, 9, "right") + WayPoint("right", 7, 9, "left"));
    ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"cam")));
    VoNavigationTDO& navigation = rig.navigation;

    // In sight: straight to the target, though a route is worked out.
    navigation.SetPosition(VoVector3(2.0f, 5.0f, 0.0f));
    navigation.SetTarget(VoVector3(3.0f, 1.0f, 0.0f));
    navigation.OnUpdate();
    EXPECT_EQ(navigation.GetNextPoint(), VoVector3(3.0f, 1.0f, 0.0f));
    ASSERT_NE(rig.web.GetLastPath(), nullptr);

    // Behind the wall: towards a point of the route that can be seen.
    navigation.SetTarget(VoVector3(7.0f, 5.0f, 0.0f));
    navigation.OnUpdate();
    VoPolygon route;
    ASSERT_TRUE(navigation.Navigation(&route));
    ASSERT_EQ(route.GetNumPoints(), 4);
    EXPECT_EQ(route.GetPoint(1), VoVector2(2.0f, 9.0f));
    EXPECT_EQ(route.GetPoint(2), VoVector2(7.0f, 9.0f));
    EXPECT_FALSE(route.IsClosed());
    const VoVector3 next = navigation.GetNextPoint();
    EXPECT_NEAR(next.y, 9.0f, 1e-4f);
    EXPECT_GE(next.x, 2.0f);
    EXPECT_LT(next.x, 7.0f);

    // A target outside the room is brought in first.
    navigation.SetTarget(VoVector3(3.0f, -2.0f, 0.0f));
    navigation.OnUpdate();
    EXPECT_NEAR(navigation.GetTarget().x, 3.0f, 1e-4f);
    EXPECT_NEAR(navigation.GetTarget().y, 0.05f, 1e-4f);
    EXPECT_EQ(navigation.GetNextPoint(), navigation.GetTarget());
}

TEST(VoNavigationTDO, AWalkWithoutWayPointsInSightSaysSo) {
    Rig rig(kRoom + kWall, WayPoint("far", 20, 20, ""));
    ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"cam")));
    LogCapture log;
    rig.navigation.SetPosition(VoVector3(2.0f, 5.0f, 0.0f));
    rig.navigation.SetTarget(VoVector3(7.0f, 5.0f, 0.0f));
    rig.navigation.OnUpdate();
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kNavigationNoPositionWayPoint));
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kNavigationFailure));
    // Towards the (projected) target all the same.
    EXPECT_EQ(rig.navigation.GetNextPoint(), VoVector3(7.0f, 5.0f, 0.0f));
}

TEST(VoNavigationTDO, SetActiveStepsWithTheFramesAndTellsTheListenerOnAChangeOnly) {
    ScopedEngine engine;
    VoFrameManager* frames = VoFrameManager::GetInstance();
    ASSERT_NE(frames, nullptr);
    CountingListener listener;
    {
        Rig rig(kRoom + kNoObstacles, WayPoint("a", 1, 1, ""));
        ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"cam")));
        VoNavigationTDO& navigation = rig.navigation;
        EXPECT_TRUE(navigation.SetListener(&listener));
        navigation.SetPosition(VoVector3(1.0f, 1.0f, 0.0f));
        navigation.SetTarget(VoVector3(12.0f, 5.0f, 0.0f));

        EXPECT_TRUE(navigation.SetActive(true));
        EXPECT_TRUE(navigation.SetActive(true));
        EXPECT_TRUE(navigation.IsRunning());
        EXPECT_EQ(frames->GetListenerCount(), 1);
        frames->Update();
        EXPECT_NEAR(navigation.GetNextPoint().x, 9.95f, 1e-4f);

        EXPECT_TRUE(navigation.SetActive(false));
        EXPECT_TRUE(navigation.SetActive(false));
        EXPECT_EQ(listener.stops, 1);
        EXPECT_EQ(frames->GetListenerCount(), 0);
        EXPECT_FALSE(navigation.IsActive());

        // Removed only by itself; without a listener nobody is told.
        CountingListener other;
        EXPECT_FALSE(navigation.RemoveListener(&other));
        EXPECT_TRUE(navigation.RemoveListener(&listener));
        navigation.SetActive(true);
        navigation.SetActive(false);
        EXPECT_EQ(listener.stops, 1);

        // Still running when deleted: it leaves the frames.
        navigation.SetActive(true);
    }
    EXPECT_EQ(frames->GetListenerCount(), 0);

    LogCapture log;
    VoNavigationTDO navigation;
    EXPECT_FALSE(navigation.SetListener(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoINavigation::kSetListenerNullArg));
}

TEST(VoNavigationTDO, SetPathFindingReplacesTheWebItHolds) {
    VoNavigationTDO navigation;
    auto* first = new VoPathFindingWeb();
    EXPECT_TRUE(navigation.SetPathFinding(first));
    // The same web again is kept, not deleted.
    EXPECT_TRUE(navigation.SetPathFinding(first));
    EXPECT_EQ(navigation.GetPathFinding(), first);
    EXPECT_EQ(first->GetCount(), 0);

    LogCapture log;
    EXPECT_FALSE(navigation.SetPathFinding(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoINavigation::kSetPathFindingNullArg));
    EXPECT_EQ(navigation.GetPathFinding(), first);

    // Another one deletes the first; the last is its maker's to delete.
    VoPathFindingWeb second;
    EXPECT_TRUE(navigation.SetPathFinding(&second));
    EXPECT_EQ(navigation.GetPathFinding(), &second);
}

TEST(VoNavigationTDO, ObstaclesCanBeAddedAndRemovedById) {
    Rig rig(kRoom + kWall, WayPoint("a", 1, 1, ""));
    VoNavigationTDO& navigation = rig.navigation;
    LogCapture log;
    EXPECT_FALSE(navigation.AddBounds(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kAddBoundsNullArg));

    auto* duplicate = new VoNegBounds();
    duplicate->fId = VoString(u"wall");
    EXPECT_FALSE(navigation.AddBounds(duplicate));
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kAddBoundsDuplicate));
    delete duplicate;

    auto* crate = new VoNegBounds();
    crate->fId = VoString(u"crate");
    const VoVector2 corners[] = {VoVector2(1.0f, 1.0f), VoVector2(2.0f, 1.0f), VoVector2(2.0f, 2.0f)};
    crate->fPolygon.SetPoints(corners, 3, true);
    EXPECT_TRUE(navigation.AddBounds(crate));
    EXPECT_EQ(navigation.GetNegBoundsCount(), 2);
    // Its winding is worked out when it is first needed.
    EXPECT_EQ(crate->fClockwise, VoNegBounds::kWindingUnknown);
    ASSERT_TRUE(navigation.SetCamera(VoString(u"cam")));
    rig.Pushed(VoVector2(5.0f, 5.0f));
    EXPECT_NE(crate->fClockwise, VoNegBounds::kWindingUnknown);

    VoNegBounds* removed = nullptr;
    EXPECT_TRUE(navigation.RemoveBounds(VoString(u"crate"), &removed));
    EXPECT_EQ(removed, crate);
    delete removed;
    EXPECT_FALSE(navigation.RemoveBounds(VoString(u"crate"), &removed));
    EXPECT_TRUE(navigation.RemoveBounds(VoString(u"wall"), nullptr));
    EXPECT_EQ(navigation.GetNegBoundsCount(), 0);
    EXPECT_FALSE(navigation.RemoveBounds(static_cast<VoNegBounds*>(nullptr)));
    EXPECT_TRUE(log.Logged(kAssert, VoNavigationTDO::kNYI));
}


TEST(VoNavigationTDO, SampleSceneViewsCoverTheWayPoints) {
    ScopedEngine engine;
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    ASSERT_NE(fileSystem, nullptr);
    ASSERT_TRUE(fileSystem->Mount(VoString("//scenes"), VoString(VO_SOURCE_DIR "/data/scenes")));
    VoPropertyList file;
    ASSERT_TRUE(file.Load(VoString("//scenes/sample/navigation.txt"), true));
    VoPropertyList wayPoints;
    ASSERT_TRUE(wayPoints.Load(VoString("//scenes/sample/waypoints.txt"), true));

    std::string wayPointText;
    for (int i = 0; i < wayPoints.GetCount(); ++i) {
        VoString links = wayPoints.GetString(wayPoints.GetKeyAt(i) + VoString(u".links"), nullptr);
        VoString coords = wayPoints.GetString(wayPoints.GetKeyAt(i) + VoString(u".coords"), nullptr);
        wayPointText += Narrow(wayPoints.GetKeyAt(i)) + "\n\tcoords=" + Narrow(coords) +
                        "\n\tlinks=" + Narrow(links) + "\n";
    }
    LogCapture log;
    Rig rig(NavigationDataOf(file), wayPointText, {u"Ground_Hall", u"Ground_Landing"});
    ASSERT_TRUE(rig.created);
    EXPECT_EQ(rig.navigation.GetPosBoundsCount(), 2);
    EXPECT_EQ(rig.navigation.GetNegBoundsCount(), 1);

    // door hall desk window stairbottom stairtop landing
    ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"cam_hall")));
    EXPECT_THAT(EnabledFlags(rig.web), ElementsAre(true, true, true, true, true, true, false));
    ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"cam_landing")));
    EXPECT_THAT(EnabledFlags(rig.web), ElementsAre(false, false, false, false, true, true, true));
    EXPECT_THAT(log.Lines(), IsEmpty());

    // From the door the desk lies round the alcove's corner: the walk heads
    // along the route, to the hall's side of the corner.
    ASSERT_TRUE(rig.navigation.SetCamera(VoString(u"cam_hall")));
    rig.navigation.SetPosition(VoVector3(0.0f, 0.0f, 0.0f));
    rig.navigation.SetTarget(VoVector3(4.0f, 3.0f, 0.0f));
    rig.navigation.OnUpdate();
    EXPECT_THAT(log.Lines(), IsEmpty());
    const VoVector3 next = rig.navigation.GetNextPoint();
    EXPECT_NEAR(next.x, 4.0f, 1e-4f);
    EXPECT_GE(next.y, 0.0f);
    EXPECT_LT(next.y, 3.0f);
    EXPECT_TRUE(rig.navigation.IsStraightPathClear(VoVector2(0.0f, 0.0f), VoVector2(4.0f, 0.0f)));
}
