#include "scene/MGNavigation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "game/support/WalkRig.h"
#include "navigation/VoNavigationTDO.h"
#include "navigation/VoNavigationTDODisplay.h"
#include "navigation/VoPathFindingWeb.h"
#include "navigation/VoShortestPath.h"
#include "navigation/VoSteeringTDO.h"
#include "navigation/VoWayPoint.h"
#include "scene/MGIListener.h"
#include "scene/VoMeshOctree.h"
#include "scene/VoMeshQuadTree.h"
#include "support/LogCapture.h"
#include "util/MGPicker.h"

namespace {

using ::testing::ElementsAre;
using walkrig::Folders;
using walkrig::RigScene;
using walkrig::WalkGame;

const std::string kAssert = "ASSERT FAILURE: ";
constexpr double kFrame = 1.0 / 30.0;

struct WalkListener : MGIListener {
    void OnArrived(const VoString& aId) override {
        ++arrived;
        EXPECT_EQ(aId.GetLength(), 0);
    }
    void OnNear(const VoString& aId) override {
        ++near;
        EXPECT_EQ(aId.GetLength(), 0);
    }
    int arrived = 0;
    int near = 0;
};

using walkrig::kSceneFile;
using walkrig::Room;
using walkrig::WayPoint;

class MGNavigationTest : public ::testing::Test {
protected:
    // The scene "walk" (walkrig::WalkScene).
    bool Build(const std::string& aRegions, const std::string& aWayPoints, int aMoves = 3,
               float aFloorHeight = 0.0f, const char* apSceneFile = kSceneFile) {
        bool set = false;
        fScene.reset();
        fScene = walkrig::WalkScene(fFolders, aRegions, aWayPoints, &set, aMoves, aFloorHeight, apSceneFile);
        return set;
    }

    VoVector2 Position() const {
        const VoVector3& at = fNavigation->GetNavigation()->GetPosition();
        return VoVector2(at.x, at.y);
    }

    // Frames of 1/30 s (navigation, steering, scene navigation, then the
    // player's own step) until aStop holds or aSeconds have passed; aEach
    // runs after every frame.
    void Run(double aSeconds, const std::function<bool()>& aStop, const std::function<void()>& aEach = {}) {
        const double end = fNow + aSeconds;
        while (fNow < end && !aStop()) {
            fNow += kFrame;
            WalkGame::FrameAt(fNow);
            fScene->UpdatePlayer();
            if (aEach) {
                aEach();
            }
        }
    }

    WalkGame fGame;
    Folders fFolders;
    MGNavigation* fNavigation = MGNavigation::GetInstance();
    std::unique_ptr<RigScene> fScene;
    double fNow = 0.0;
};

}  // namespace

TEST_F(MGNavigationTest, SetSceneBuildsTheWalkAndStandsThePlayerOnTheStartWayPoint) {
    LogCapture log;
    ASSERT_TRUE(Build(Room(), WayPoint("b", 300, 300, "a") + WayPoint("a", 100, 50, "b")));
    ASSERT_NE(fNavigation->GetPathFinding(), nullptr);
    ASSERT_NE(fNavigation->GetNavigation(), nullptr);
    ASSERT_NE(fNavigation->GetSteering(), nullptr);
    ASSERT_NE(fNavigation->GetDisplay(), nullptr);
    ASSERT_NE(fNavigation->GetGroundTree(), nullptr);
    ASSERT_NE(fNavigation->GetSceneTree(), nullptr);
    EXPECT_EQ(fNavigation->GetScene(), fScene.get());
    EXPECT_EQ(TextOf(fNavigation->GetNavigation()->GetCamera()), u"cam");
    EXPECT_EQ(fNavigation->GetNavigation()->GetListener(), fNavigation);
    EXPECT_EQ(fNavigation->GetSteering()->GetNavigation(), fNavigation->GetNavigation());
    EXPECT_EQ(fNavigation->GetPathFinding()->GetCount(), 2);
    EXPECT_EQ(Position(), VoVector2(100.0f, 50.0f));
    EXPECT_THAT(fNavigation->GetGroundTree()->GetMeshIds().GetCount(), 1);
    EXPECT_EQ(log.Count("MGNavigation.cpp"), 0) << log.Contents();
}

TEST_F(MGNavigationTest, SetSceneReportsWhatTheViewpointLacks) {
    LogCapture log;
    EXPECT_FALSE(fNavigation->SetScene(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, MGNavigation::kSetSceneNullArg));

    // No start waypoint: the walker stays where the navigation begins.
    ASSERT_TRUE(Build(Room(), WayPoint("a", 100, 50, ""), 3, 0.0f,
                      "viewpoints\n\tvp\n\t\tdepthmesh=room.lim\n\t\tcamera\n\t\t\tid=cam\n"));
    EXPECT_TRUE(log.Logged(kAssert, MGNavigation::kNoStartWayPoint));
    EXPECT_NE(Position(), VoVector2(100.0f, 50.0f));
}

TEST_F(MGNavigationTest, AViewpointWithoutADepthMeshLeavesNothingOfTheLastOne) {
    ASSERT_TRUE(Build(Room(), WayPoint("a", 100, 50, ""), 3, 0.0f,
                      (std::string(walkrig::kSceneFile) + "\tbare\n\t\tcamera\n\t\t\tid=cam\n").c_str()));
    MGCharacter* player = fScene->GetPlayer();
    fScene->UpdatePlayer();
    const VoVector3 before = *player->GetPosition();
    LogCapture log;
    fScene->SetViewpoint(VoString(u"bare"));
    EXPECT_TRUE(log.Logged(kAssert, MGNavigation::kNoDepthMesh));
    EXPECT_EQ(fNavigation->GetPathFinding(), nullptr);
    EXPECT_EQ(fNavigation->GetNavigation(), nullptr);
    EXPECT_EQ(fNavigation->GetSteering(), nullptr);
    EXPECT_EQ(fNavigation->GetDisplay(), nullptr);
    EXPECT_EQ(fNavigation->GetGroundTree(), nullptr);
    EXPECT_EQ(fNavigation->GetSceneTree(), nullptr);
    // The player let go of the deleted steering and stands where it stood.
    EXPECT_EQ(player->GetSteering(), nullptr);
    Run(0.5, [] { return false; });
    EXPECT_EQ(*player->GetPosition(), before);

    // Nothing to stand on, pick or walk on.
    player->SetPosition(VoVector3(1.0f, 2.0f, 3.0f));
    fNavigation->PlaceOnGround(player);
    EXPECT_EQ(*player->GetPosition(), VoVector3(1.0f, 2.0f, 3.0f));
    EXPECT_FALSE(fNavigation->WalkTo(VoVector2(10.0f, 10.0f), false, 1, false));
    MGPicker picker(fScene->GetCamera());
    EXPECT_FALSE(picker.Pick(400, 300, false));
}

TEST_F(MGNavigationTest, MissingFilesLeaveTheWalkerWithNowhereToGo) {
    walkrig::WriteRoom(fFolders, "empty");
    fScene = std::make_unique<RigScene>();
    LogCapture log;
    ASSERT_TRUE(fScene->Open("empty"));
    EXPECT_EQ(fNavigation->GetScene(), fScene.get());
    EXPECT_TRUE(
        log.Logged("ERROR: ", std::string(MGNavigation::kNoWayPoints) + "//scenes/empty/waypoints.txt"));
    EXPECT_TRUE(log.Logged("ERROR: ",
                           std::string(MGNavigation::kNoNavigationData) + "//scenes/empty/navigation.txt"));
    ASSERT_NE(fNavigation->GetNavigation(), nullptr);
    EXPECT_EQ(fNavigation->GetNavigation()->GetPosBoundsCount(), 0);
    EXPECT_EQ(fNavigation->GetPathFinding()->GetCount(), 0);
    // No region holds a ground mesh to stand on.
    EXPECT_EQ(fNavigation->GetGroundTree(), nullptr);
}

TEST_F(MGNavigationTest, PlaceOnGroundStandsTheCharacterOnTheGroundUnderTheNavigation) {
    ASSERT_TRUE(Build(Room(), WayPoint("a", 100, 50, ""), 3, 2.5f));
    MGCharacter* player = fScene->GetPlayer();
    fNavigation->PlaceOnGround(player);
    EXPECT_EQ(*player->GetPosition(), VoVector3(100.0f, 2.5f, 50.0f));
    // Off the ground mesh: height 0.
    fNavigation->GetNavigation()->SetPosition(VoVector3(500.0f, 20.0f, 0.0f));
    fNavigation->PlaceOnGround(player);
    EXPECT_EQ(*player->GetPosition(), VoVector3(500.0f, 0.0f, 20.0f));
    fNavigation->PlaceOnGround(nullptr);
}

TEST_F(MGNavigationTest, PlaceOnGroundWithoutAGroundTreeLeavesTheCharacter) {
    // The camera's region names a ground frame that the depth mesh lacks.
    LogCapture log;
    ASSERT_TRUE(
        Build("PS_room(nothere)(cam)\n\tcoords=0|0|400|0|400|400|0|400\n", WayPoint("a", 100, 50, "")));
    EXPECT_TRUE(log.Logged(kAssert, MGNavigation::kGroundMeshNotFound));
    EXPECT_EQ(fNavigation->GetGroundTree(), nullptr);
    MGCharacter* player = fScene->GetPlayer();
    player->SetPosition(VoVector3(1.0f, 2.0f, 3.0f));
    fNavigation->PlaceOnGround(player);
    EXPECT_EQ(*player->GetPosition(), VoVector3(1.0f, 2.0f, 3.0f));
}

TEST_F(MGNavigationTest, AWalkEndsWithOneArrival) {
    ASSERT_TRUE(Build(Room(), WayPoint("a", 100, 200, "b") + WayPoint("b", 300, 200, "a")));
    WalkListener listener;
    ASSERT_TRUE(fNavigation->SetListener(&listener));
    ASSERT_TRUE(fNavigation->WalkTo(VoVector2(300.0f, 200.0f), false, 1, true));
    EXPECT_TRUE(fNavigation->GetNavigation()->IsRunning());
    EXPECT_EQ(fNavigation->GetSteering()->GetSpeedIndex(), 1);
    Run(10.0, [&] { return listener.arrived > 0; });
    Run(1.0, [] { return false; });
    EXPECT_EQ(listener.arrived, 1);
    EXPECT_EQ(listener.near, 0);
    EXPECT_EQ(fNavigation->GetListener(), nullptr);
    EXPECT_LT(Position().Distance(VoVector2(300.0f, 200.0f)), VoSteeringTDO::kArrivalDistance + 0.01f);
    EXPECT_FALSE(fNavigation->IsStairsPending());
    // The player stood on the ground where the navigation took it.
    EXPECT_NEAR(fScene->GetPlayer()->GetPosition()->x, Position().x, 1e-3f);
    EXPECT_NEAR(fScene->GetPlayer()->GetPosition()->z, Position().y, 1e-3f);
}

TEST_F(MGNavigationTest, TheNearWatchTakesThePlaceOfTheArrival) {
    ASSERT_TRUE(Build(Room(), WayPoint("a", 100, 200, "b") + WayPoint("b", 300, 200, "a")));
    WalkListener listener;
    ASSERT_TRUE(fNavigation->SetListener(&listener));
    ASSERT_TRUE(fNavigation->WalkTo(VoVector2(300.0f, 200.0f), false, 1, false));
    fNavigation->SetNotifyDistance(40.0f);
    EXPECT_TRUE(fNavigation->IsNearWatchArmed());
    float distanceWhenTold = -1.0f;
    Run(
        10.0, [&] { return !fNavigation->GetNavigation()->IsRunning(); },
        [&] {
            if (listener.near == 1 && distanceWhenTold < 0.0f) {
                const VoVector3* at = fScene->GetPlayer()->GetPosition();
                distanceWhenTold = VoVector2(at->x, at->z).Distance(VoVector2(300.0f, 200.0f));
            }
        });
    Run(1.0, [] { return false; });
    EXPECT_EQ(listener.near, 1);
    EXPECT_EQ(listener.arrived, 0);
    EXPECT_GT(distanceWhenTold, 0.0f);
    EXPECT_LT(distanceWhenTold, 40.0f);
    EXPECT_FALSE(fNavigation->IsNearWatchArmed());
}

TEST_F(MGNavigationTest, TheNotifyDistanceNeedsAListener) {
    ASSERT_TRUE(Build(Room(), WayPoint("a", 100, 200, "")));
    fNavigation->SetNotifyDistance(40.0f);
    EXPECT_FALSE(fNavigation->IsNearWatchArmed());
    LogCapture log;
    EXPECT_FALSE(fNavigation->SetListener(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, MGNavigation::kSetListenerNullArg));
    WalkListener one;
    WalkListener other;
    ASSERT_TRUE(fNavigation->SetListener(&one));
    EXPECT_FALSE(fNavigation->RemoveListener(&other));
    EXPECT_EQ(fNavigation->GetListener(), &one);
    EXPECT_TRUE(fNavigation->RemoveListener(&one));
    EXPECT_EQ(fNavigation->GetListener(), nullptr);
}

namespace {

// a - b (bottom of the stairs) - c (top) - d, from left to right.
std::string Staircase() {
    return WayPoint("a", 40, 200, "b") + WayPoint("b", 150, 200, "a|c", "bottomstair") +
           WayPoint("c", 250, 200, "b|d", "topstair") + WayPoint("d", 360, 200, "c");
}

struct Leg {
    float targetX;
    int speed;
    bool input;
    bool operator==(const Leg& aOther) const {
        return targetX == aOther.targetX && speed == aOther.speed && input == aOther.input;
    }
};

void PrintTo(const Leg& aLeg, std::ostream* apOut) {
    *apOut << "{" << aLeg.targetX << ", " << aLeg.speed << ", " << aLeg.input << "}";
}

}  // namespace

TEST_F(MGNavigationTest, AStaircaseIsWalkedInThreeLegs) {
    struct Case {
        const char* name;
        VoVector2 start;
        VoVector2 target;
        int moves;
        float entry;
        float exit;
        int stairSpeed;
    };
    const Case cases[] = {
        {"up", {40, 200}, {360, 200}, 3, 150, 250, MGNavigation::kStairsUpSpeed},
        {"down with a stairs-down animation",
         {360, 200},
         {40, 200},
         4,
         250,
         150,
         MGNavigation::kStairsDownSpeed},
        // Without a fourth move animation the stairs down are walked.
        {"down without one", {360, 200}, {40, 200}, 3, 250, 150, MGNavigation::kWalkSpeed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Build(Room(), Staircase(), c.moves));
        fNavigation->GetNavigation()->SetPosition(VoVector3(c.start.x, c.start.y, 0.0f));
        WalkListener listener;
        ASSERT_TRUE(fNavigation->SetListener(&listener));
        ASSERT_TRUE(fNavigation->WalkTo(c.target, false, 1, true));
        std::vector<Leg> legs{{fNavigation->GetTarget().x, fNavigation->GetSteering()->GetSpeedIndex(),
                               fScene->IsInputEnabled()}};
        int arrivedDuringLegs = 0;
        Run(
            20.0, [&] { return listener.arrived > 0; },
            [&] {
                const Leg leg{fNavigation->GetTarget().x, fNavigation->GetSteering()->GetSpeedIndex(),
                              fScene->IsInputEnabled()};
                if (leg.speed != 0 && !(leg == legs.back())) {
                    legs.push_back(leg);
                }
                if (fNavigation->IsStairsPending()) {
                    arrivedDuringLegs += listener.arrived;
                }
            });
        EXPECT_THAT(legs, ElementsAre(Leg{c.target.x, 1, true}, Leg{c.entry, 1, true},
                                      Leg{c.exit, c.stairSpeed, false}, Leg{c.target.x, 1, true}));
        EXPECT_EQ(listener.arrived, 1);
        EXPECT_EQ(arrivedDuringLegs, 0);
        EXPECT_FALSE(fNavigation->IsStairsPending());
        EXPECT_TRUE(fScene->IsInputEnabled());
        EXPECT_LT(Position().Distance(c.target), VoSteeringTDO::kArrivalDistance + 0.01f);
        fNow = 0.0;
    }
}

TEST_F(MGNavigationTest, WithoutAListenerEachStairLegEndsWithItsStop) {
    ASSERT_TRUE(Build(Room(), Staircase()));
    ASSERT_TRUE(fNavigation->WalkTo(VoVector2(360.0f, 200.0f), false, 1, true));
    std::vector<int> speeds;
    Run(
        20.0, [&] { return !fNavigation->GetNavigation()->IsRunning(); },
        [&] {
            const int speed = fNavigation->GetSteering()->GetSpeedIndex();
            if (speeds.empty() || speeds.back() != speed) {
                speeds.push_back(speed);
            }
        });
    // Each leg stops the walker before the next starts.
    EXPECT_THAT(speeds, ElementsAre(1, 3, 1, 0));
    EXPECT_LT(Position().Distance(VoVector2(360.0f, 200.0f)), VoSteeringTDO::kArrivalDistance + 0.01f);
}

TEST_F(MGNavigationTest, ARouteWithoutAStaircaseIsOneLeg) {
    // b is a stair waypoint whose partner is not on the route.
    ASSERT_TRUE(Build(Room(), WayPoint("a", 40, 200, "b") + WayPoint("b", 150, 200, "a|d|c", "bottomstair") +
                                  WayPoint("c", 150, 390, "b", "topstair") + WayPoint("d", 360, 200, "b")));
    fNavigation->GetNavigation()->SetPosition(VoVector3(40.0f, 200.0f, 0.0f));
    WalkListener listener;
    ASSERT_TRUE(fNavigation->SetListener(&listener));
    ASSERT_TRUE(fNavigation->WalkTo(VoVector2(360.0f, 200.0f), false, 1, true));
    Run(20.0, [&] { return listener.arrived > 0; });
    EXPECT_EQ(listener.arrived, 1);
    EXPECT_FALSE(fNavigation->IsStairsPending());
    EXPECT_EQ(fNavigation->GetStairLeg(), 0);
}

TEST_F(MGNavigationTest, AStandingPlayerTurnsBeforeItWalks) {
    ASSERT_TRUE(Build(Room(), WayPoint("a", 200, 200, "")));
    fFolders.Animation("Turn-Walk_135-CW_M", 60);
    MGCharacter* player = fScene->GetPlayer();
    fScene->UpdatePlayer();
    // Facing +y (the steering's start); the target lies behind and to the right.
    ASSERT_TRUE(fNavigation->WalkTo(VoVector2(250.0f, 100.0f), true, 1, true));
    EXPECT_TRUE(player->IsTurning());
    EXPECT_TRUE(player->IsTurnWalk());
    EXPECT_FALSE(fNavigation->GetNavigation()->IsRunning());
    EXPECT_FALSE(fNavigation->GetSteering()->IsActive());
    // The turn-walk hands over to the walk itself.
    Run(5.0, [&] { return !player->IsTurning(); });
    EXPECT_FALSE(player->IsTurning());
    EXPECT_TRUE(fNavigation->GetNavigation()->IsRunning());
    EXPECT_EQ(fNavigation->GetSteering()->GetSpeedIndex(), 1);

    // A target within 45 degrees of the facing is walked to at once.
    ASSERT_TRUE(Build(Room(), WayPoint("a", 200, 200, "")));
    ASSERT_TRUE(fNavigation->WalkTo(VoVector2(210.0f, 300.0f), true, 2, true));
    EXPECT_FALSE(fScene->GetPlayer()->IsTurning());
    EXPECT_TRUE(fNavigation->GetNavigation()->IsRunning());
    EXPECT_EQ(fNavigation->GetSteering()->GetSpeedIndex(), 2);
}

TEST_F(MGNavigationTest, ViewpointsAreFoundByTheirCamerasRegions) {
    // The left half is seen by "cam", the right by "cam2"; "vp3"'s region
    // holds a waypoint that leads nowhere.
    const std::string regions =
        "PS_left(floor)(cam)\n\tcoords=0|0|200|0|200|400|0|400\n"
        "PS_right(floor)(cam2)\n\tcoords=200|0|400|0|400|400|200|400\n"
        "PS_far(floor)(cam3)\n\tcoords=0|400|400|400|400|500|0|500\n";
    const std::string wayPoints = WayPoint("a", 100, 200, "p|q") + WayPoint("p", 300, 150, "a") +
                                  WayPoint("q", 300, 250, "a") + WayPoint("r", 100, 450, "");
    const char* scene =
        "viewpoints\n\tvp\n\t\tdepthmesh=room.lim\n\t\tstartwaypoint=a\n\t\tcamera\n\t\t\tid=cam\n"
        "\tvp2\n\t\tcamera\n\t\t\tid=cam2\n\tvp3\n\t\tcamera\n\t\t\tid=cam3\n\tnocamera\n";
    ASSERT_TRUE(Build(regions, wayPoints, 3, 0.0f, scene));

    EXPECT_TRUE(fNavigation->IsInViewpoint(VoString(u"vp")));
    EXPECT_FALSE(fNavigation->IsInViewpoint(VoString(u"vp2")));
    fNavigation->GetNavigation()->SetPosition(VoVector3(250.0f, 200.0f, 0.0f));
    EXPECT_TRUE(fNavigation->IsInViewpoint(VoString(u"vp2")));
    fNavigation->GetNavigation()->SetPosition(VoVector3(100.0f, 200.0f, 0.0f));

    // p and q cost the same from a: the first is kept.
    VoShortestPath route;
    ASSERT_TRUE(fNavigation->GetPathToViewpoint(VoString(u"vp2"), &route));
    EXPECT_EQ(route.fPath.GetCount(), 2);
    EXPECT_EQ(route.fPath.GetAt(0), 0);
    EXPECT_EQ(route.fPath.GetAt(1), 1);
    EXPECT_NEAR(route.fCost, VoVector2(100, 200).Distance(VoVector2(300, 150)), 1e-3f);

    VoShortestPath none;
    EXPECT_FALSE(fNavigation->GetPathToViewpoint(VoString(u"vp3"), &none));
    EXPECT_FALSE(none.HasRoute());

    LogCapture log;
    EXPECT_FALSE(fNavigation->IsInViewpoint(VoString(u"nocamera")));
    EXPECT_FALSE(fNavigation->GetPathToViewpoint(VoString(u"nocamera"), &none));
    EXPECT_EQ(log.Count(MGNavigation::kNoCameraId), 2);
}

TEST_F(MGNavigationTest, TheCheapestRouteIntoAViewpointIsKept) {
    // "vp2" is the right half; the walker starts at a, in the left half.
    const std::string regions =
        "PS_left(floor)(cam)\n\tcoords=0|0|200|0|200|400|0|400\n"
        "PS_right(floor)(cam2)\n\tcoords=200|0|400|0|400|400|200|400\n";
    const char* scene =
        "viewpoints\n\tvp\n\t\tdepthmesh=room.lim\n\t\tstartwaypoint=a\n\t\tcamera\n\t\t\tid=cam\n"
        "\tvp2\n\t\tcamera\n\t\t\tid=cam2\n";
    struct Case {
        const char* name;
        std::string wayPoints;
        std::vector<const char*> route;
    };
    const Case cases[] = {
        {"the cheaper listed first",
         WayPoint("a", 100, 200, "p|q") + WayPoint("p", 300, 180, "a") + WayPoint("q", 300, 320, "a"),
         {"a", "p"}},
        {"the cheaper listed last",
         WayPoint("a", 100, 200, "q|p") + WayPoint("q", 300, 320, "a") + WayPoint("p", 300, 180, "a"),
         {"a", "p"}},
        // Two legs through the left half cost less than the one long leg.
        {"the cheaper over more waypoints",
         WayPoint("a", 100, 200, "q|m") + WayPoint("q", 390, 390, "a") + WayPoint("m", 190, 120, "a|p") +
             WayPoint("p", 300, 150, "m"),
         {"a", "m", "p"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Build(regions, c.wayPoints, 3, 0.0f, scene));
        VoPathFindingWeb* web = fNavigation->GetPathFinding();
        float cost = 0.0f;
        for (std::size_t i = 1; i < c.route.size(); ++i) {
            cost += web->GetWayPoint(VoString(c.route[i - 1]))
                        ->fCoords.Distance(web->GetWayPoint(VoString(c.route[i]))->fCoords);
        }
        VoShortestPath route;
        ASSERT_TRUE(fNavigation->GetPathToViewpoint(VoString(u"vp2"), &route));
        std::vector<std::string> ids;
        for (int i = 0; i < route.fPath.GetCount(); ++i) {
            ids.push_back(Narrow(web->GetWayPoint(route.fPath.GetAt(i))->fId));
        }
        EXPECT_THAT(ids, ::testing::ElementsAreArray(c.route));
        EXPECT_NEAR(route.fCost, cost, 1e-3f);
    }
}

TEST_F(MGNavigationTest, ResetForgetsTheSceneButKeepsTheTrees) {
    ASSERT_TRUE(Build(Room(), WayPoint("a", 100, 50, "")));
    WalkListener listener;
    ASSERT_TRUE(fNavigation->SetListener(&listener));
    fNavigation->SetNotifyDistance(40.0f);
    fNavigation->Reset();
    EXPECT_EQ(fNavigation->GetScene(), nullptr);
    EXPECT_FALSE(fNavigation->IsNearWatchArmed());
    EXPECT_EQ(fNavigation->GetPathFinding(), nullptr);
    EXPECT_EQ(fNavigation->GetNavigation(), nullptr);
    EXPECT_EQ(fNavigation->GetSteering(), nullptr);
    EXPECT_EQ(fNavigation->GetDisplay(), nullptr);
    EXPECT_NE(fNavigation->GetGroundTree(), nullptr);
    EXPECT_NE(fNavigation->GetSceneTree(), nullptr);
    // Frames go on without a walk.
    WalkGame::FrameAt(1.0);
}

// The sample scene's waypoints and walkable regions over its depth mesh,
// with the sample character as the player: a click on the floor by the
// window walks it there from the door. The sample regions name ground
// frames of their own; over this depth mesh all of them lie on its floor.
TEST(MGNavigationSample, AClickOnTheFloorWalksThePlayerThere) {
    WalkGame game;
    PlatformTestFolder folder;
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    ASSERT_NE(files, nullptr);
    const std::string data = walkrig::kSampleData;
    std::string regions;
    {
        std::ifstream in(data + "/scenes/sample/navigation.txt", std::ios::binary);
        regions.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    for (const char* ground : {"(ground_hall)", "(ground_landing)"}) {
        for (std::size_t at = regions.find(ground); at != std::string::npos; at = regions.find(ground)) {
            regions.replace(at, std::string(ground).size(), "(WG_floor)");
        }
    }
    folder.Write("scenes/sample/navigation.txt", regions);
    std::filesystem::copy_file(data + "/scenes/sample/waypoints.txt",
                               folder.Path("scenes/sample/waypoints.txt"));
    ASSERT_TRUE(files->Mount(VoString(u"//scenes"), PlatformTestFolder::Wide(folder.Path("scenes"))));
    for (const char* alias : {"meshes", "animations", "characters"}) {
        ASSERT_TRUE(files->Mount(VoString((std::string("//") + alias).c_str()),
                                 VoString((data + "/" + alias).c_str())));
    }

    std::filesystem::copy_file(data + "/meshes/sample_scene_depth.lim",
                               folder.Path("scenes/sample/depth.lim"));
    folder.Write("scenes/sample/cameras.txt", walkrig::CameraEntry("cam_hall", 8.0f, 3.0f, 30.0f));
    folder.Write("scenes/sample/lights_low.txt", walkrig::kLights);
    folder.Write("scenes/sample/scene.txt",
                 "characters\n\tplayer\n\t\tkestrin\n\t\t\tdata=sample_character.txt\n\tnpcs\n"
                 "defaultviewpoint=hall\nviewpoints\n\thall\n\t\tdepthmesh=depth.lim\n\t\tshadowcaster=sun\n"
                 "\t\tstartwaypoint=door\n\t\tcamera\n\t\t\tid=cam_hall\n");
    RigScene scene;
    ASSERT_TRUE(scene.Open("sample"));
    MGCharacter* player = scene.GetPlayer();
    ASSERT_NE(player, nullptr);
    MGNavigation* navigation = MGNavigation::GetInstance();
    ASSERT_NE(navigation->GetSteering(), nullptr);
    EXPECT_EQ(player->GetSteering(), navigation->GetSteering());
    scene.UpdatePlayer();
    const VoVector3 start = *player->GetPosition();
    EXPECT_NEAR(start.x, 0.0f, 1e-4f);
    EXPECT_NEAR(start.z, 0.0f, 1e-4f);

    WalkListener listener;
    ASSERT_TRUE(navigation->SetListener(&listener));
    MGPicker picker(scene.GetCamera());
    ASSERT_TRUE(picker.Pick(400, 300, false));
    double now = 0.0;
    while (now < 10.0 && listener.arrived == 0) {
        now += kFrame;
        WalkGame::FrameAt(now);
        scene.UpdatePlayer();
    }
    EXPECT_EQ(listener.arrived, 1);
    const VoVector3* end = player->GetPosition();
    const VoVector2 at(end->x, end->z);
    EXPECT_LT(at.Distance(VoVector2(8.0f, 3.0f)), VoSteeringTDO::kArrivalDistance + 0.01f);
    EXPECT_GT(at.Distance(VoVector2(0.0f, 0.0f)), 3.0f);
    EXPECT_NEAR(end->y, 0.0f, 1e-4f);
}

// The lobby of the sample case as its entrance viewpoint shows it: Kestrin
// stands at the entrance, a click on the floor by the bench, well to his
// left, turns him with his turn-walk and walks him there over the tiles.
TEST(MGNavigationLobby, AClickOnTheFloorTurnsAndWalksKestrinThere) {
    WalkGame game;
    RigScene scene;
    ASSERT_TRUE(scene.Open("case01/lobby"));
    ASSERT_EQ(TextOf(scene.GetViewpointId()), u"vp_entrance");
    // Kestrin, his footsteps, the camera and the walk, as the scene set them up.
    MGCharacter* kestrin = scene.GetPlayer();
    ASSERT_NE(kestrin, nullptr);
    VoCamera* camera = scene.GetCamera();
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(TextOf(camera->GetName()), u"cam_entrance");
    MGNavigation* navigation = MGNavigation::GetInstance();
    ASSERT_NE(navigation->GetSteering(), nullptr);
    EXPECT_EQ(kestrin->GetSteering(), navigation->GetSteering());
    scene.UpdatePlayer();
    EXPECT_NEAR(kestrin->GetPosition()->x, 0.0f, 1e-3f);
    EXPECT_NEAR(kestrin->GetPosition()->z, 70.0f, 1e-3f);

    // The pixel that shows the floor at (-170, 170).
    VoMatrix viewProjection;
    MatrixMultiply(&viewProjection, camera->GetViewMatrix(), camera->GetProjectionMatrix());
    VoVector3 screen;
    const VoVector3 bench(-170.0f, 0.0f, 170.0f);
    TransformCoord(&screen, &viewProjection, &bench);
    const int x = static_cast<int>(std::lround((screen.x + 1.0f) * 400.0f));
    const int y = static_cast<int>(std::lround((1.0f - screen.y) * 300.0f));
    ASSERT_GT(x, 0);
    ASSERT_LT(x, 800);

    WalkListener listener;
    ASSERT_TRUE(navigation->SetListener(&listener));
    MGPicker picker(camera);
    ASSERT_TRUE(picker.Pick(x, y, false));
    EXPECT_NEAR(navigation->GetTarget().Distance(VoVector2(-170.0f, 170.0f)), 0.0f, 1.5f);
    EXPECT_TRUE(kestrin->IsTurnWalk());
    EXPECT_EQ(Narrow(kestrin->GetTurnAnimation()->GetName()).rfind("Turn-Walk_45-CCW_M", 0), 0u);

    double now = 0.0;
    bool walked = false;
    while (now < 15.0 && listener.arrived == 0) {
        now += kFrame;
        WalkGame::FrameAt(now);
        scene.UpdatePlayer();
        walked = walked || navigation->GetSteering()->GetSpeedIndex() == 1;
    }
    EXPECT_TRUE(walked);
    EXPECT_EQ(listener.arrived, 1);
    const VoVector3* end = kestrin->GetPosition();
    EXPECT_LT(VoVector2(end->x, end->z).Distance(VoVector2(-170.0f, 170.0f)),
              VoSteeringTDO::kArrivalDistance + 1.5f);
    EXPECT_NEAR(end->y, 0.0f, 1e-3f);
    // His steps sounded on the tiles, the lobby's default, not on the rug.
    const stubs::SoundPlayer* tiles = stubs::SoundPlayer::Find("leftfoot");
    ASSERT_NE(tiles, nullptr);
    EXPECT_EQ(tiles->fPath, "//sounds/footstep_tile.wav");
    EXPECT_GT(tiles->fPlays, 1);
    EXPECT_EQ(walkrig::Plays("step_carpet"), 0);
}
