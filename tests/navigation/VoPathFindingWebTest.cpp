#include "navigation/VoPathFindingWeb.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "container/VoHashKeyList.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorCore.h"
#include "geometry/VoVector2.h"
#include "navigation/VoWayPoint.h"
#include "support/LogCapture.h"
#include "support/ScopedEngine.h"
#include "system/VoIFileSystem.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

const std::string kAssert = "ASSERT FAILURE: ";

std::unique_ptr<VoPathFindingWeb> WebOf(const std::u16string& aText) {
    VoPropertyList list;
    list.Parse(VoString(aText.c_str()));
    auto web = std::make_unique<VoPathFindingWeb>();
    EXPECT_TRUE(web->Create(&list));
    return web;
}

std::vector<int> PathOf(const VoShortestPath& aRoute) {
    std::vector<int> path;
    for (int i = 0; i < aRoute.fPath.GetCount(); ++i) {
        path.push_back(aRoute.fPath.GetAt(i));
    }
    return path;
}

// The index of the waypoint with that id (-1 when none).
int IndexOf(VoPathFindingWeb& aWeb, const char16_t* apId) {
    VoWayPoint* wayPoint = aWeb.GetWayPoint(VoString(apId));
    return wayPoint == nullptr ? -1 : static_cast<int>(wayPoint - aWeb.GetWayPoint(0));
}

// A over Q and R to X is straight and cheap (three hops); A over P to X is a
// detour of two hops. Searched by layers, X is reached over P first and
// passes that dear cost on to Y before R lowers it.
const std::u16string kDetourWeb =
    u"a\n\tcoords=0|0\n\tlinks=p|q\n"
    u"p\n\tcoords=0|10\n\tlinks=x\n"
    u"q\n\tcoords=3|0\n\tlinks=r\n"
    u"r\n\tcoords=6|0\n\tlinks=x\n"
    u"x\n\tcoords=10|0\n\tlinks=y\n"
    u"y\n\tcoords=14|0\n\tlinks=\n";

}  // namespace

TEST(VoPathFindingWeb, ReadsWayPointsInFileOrder) {
    auto web = WebOf(
        u"Door\n\tcoords=0|0\n\tlinks=hall|stairs\n"
        u"hall\n\tcoords=3|4\n\tclass=TopStair\n\tlinks=door\n"
        u"stairs\n\tcoords=-1.5|2\n\tclass=bottomstair\n\tlinks=\n"
        u"attic\n\tcoords=1|1\n\tclass=stairs\n\tlinks=\n");
    ASSERT_EQ(web->GetCount(), 4);
    EXPECT_EQ(web->GetMode(), 1);

    const VoWayPoint* door = web->GetWayPoint(0);
    EXPECT_EQ(TextOf(door->fId), u"Door");
    EXPECT_EQ(door->fCoords, VoVector2(0.0f, 0.0f));
    EXPECT_TRUE(door->fEnabled);
    EXPECT_EQ(door->fStairClass, VoWayPoint::kOrdinary);
    ASSERT_EQ(door->fLinkCount, 2);
    EXPECT_EQ(door->fpLinks[0], 1);
    EXPECT_EQ(door->fpLinks[1], 2);
    EXPECT_FLOAT_EQ(door->fpLinkLengths[0], 5.0f);
    EXPECT_FLOAT_EQ(door->fpLinkLengths[1], 2.5f);
    EXPECT_EQ(door->fpLinkEnabled[0], 1);
    EXPECT_EQ(door->fpLinkEnabled[1], 1);

    EXPECT_EQ(web->GetWayPoint(1)->fStairClass, VoWayPoint::kTopStair);
    EXPECT_EQ(web->GetWayPoint(2)->fStairClass, VoWayPoint::kBottomStair);
    EXPECT_EQ(web->GetWayPoint(2)->fCoords, VoVector2(-1.5f, 2.0f));
    EXPECT_EQ(web->GetWayPoint(2)->fLinkCount, 0);
    EXPECT_EQ(web->GetWayPoint(3)->fStairClass, VoWayPoint::kOrdinary);
}

TEST(VoPathFindingWeb, FindsIdsAndLinkNamesIgnoringCase) {
    auto web = WebOf(
        u"HALL\n\tcoords=0|0\n\tlinks=Door\n"
        u"door\n\tcoords=1|0\n\tlinks=hAlL\n");
    EXPECT_EQ(IndexOf(*web, u"hall"), 0);
    EXPECT_EQ(IndexOf(*web, u"Hall"), 0);
    EXPECT_EQ(IndexOf(*web, u"DOOR"), 1);
    EXPECT_EQ(web->GetWayPoint(0)->fpLinks[0], 1);
    EXPECT_EQ(web->GetWayPoint(1)->fpLinks[0], 0);

    LogCapture log;
    EXPECT_EQ(web->GetWayPoint(VoString(u"cellar")), nullptr);
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoPathFindingWeb::kGetWayPointIdNotFound) + "cellar"));
}

TEST(VoPathFindingWeb, RoutesFollowDirectedLinks) {
    // a leads to b, b leads nowhere; c links to itself.
    auto web = WebOf(
        u"a\n\tcoords=0|0\n\tlinks=b\n"
        u"b\n\tcoords=0|2\n\tlinks=\n"
        u"c\n\tcoords=5|5\n\tlinks=c\n");
    const VoShortestPath forward = web->GetShortestPath(0, 1);
    EXPECT_FLOAT_EQ(forward.fCost, 2.0f);
    EXPECT_THAT(PathOf(forward), ElementsAre(0, 1));

    const VoShortestPath backward = web->GetShortestPath(1, 0);
    EXPECT_EQ(backward.fCost, -1.0f);
    EXPECT_THAT(PathOf(backward), IsEmpty());

    for (int i = 0; i < 3; ++i) {
        const VoShortestPath self = web->GetShortestPath(i, i);
        EXPECT_EQ(self.fCost, 0.0f) << i;
        EXPECT_THAT(PathOf(self), ElementsAre(i));
    }
}

TEST(VoPathFindingWeb, CheapestRouteMayTakeMoreHopsThanADearerOne) {
    auto web = WebOf(kDetourWeb);
    const int a = IndexOf(*web, u"a");
    const int q = IndexOf(*web, u"q");
    const int r = IndexOf(*web, u"r");
    const int x = IndexOf(*web, u"x");
    const int y = IndexOf(*web, u"y");

    const VoShortestPath toX = web->GetShortestPath(a, x);
    EXPECT_FLOAT_EQ(toX.fCost, 10.0f);
    EXPECT_THAT(PathOf(toX), ElementsAre(a, q, r, x));

    // Beyond the waypoint whose cost fell after it was first expanded.
    const VoShortestPath toY = web->GetShortestPath(a, y);
    EXPECT_FLOAT_EQ(toY.fCost, 14.0f);
    EXPECT_THAT(PathOf(toY), ElementsAre(a, q, r, x, y));
}

TEST(VoPathFindingWeb, EqualRoutesKeepTheOneFoundFirst) {
    // Two routes of length 2 from a to d, over b and over c.
    struct Case {
        const char16_t* links;
        const char16_t* over;
    };
    const Case cases[] = {
        {u"b|c", u"b"},
        {u"c|b", u"c"},
    };
    for (const Case& testCase : cases) {
        std::u16string text = u"a\n\tcoords=0|0\n\tlinks=";
        text += testCase.links;
        text += u"\nb\n\tcoords=1|0\n\tlinks=d\nc\n\tcoords=0|1\n\tlinks=d\nd\n\tcoords=1|1\n\tlinks=\n";
        auto web = WebOf(text);
        const VoShortestPath route = web->GetShortestPath(0, 3);
        EXPECT_FLOAT_EQ(route.fCost, 2.0f);
        EXPECT_THAT(PathOf(route), ElementsAre(0, IndexOf(*web, testCase.over), 3));
    }
}

TEST(VoPathFindingWeb, RoutesMatchAnExhaustiveSearchOnRandomWebs) {
    std::mt19937 random(31);
    std::uniform_real_distribution<float> coordinate(-20.0f, 20.0f);
    std::uniform_int_distribution<int> chance(0, 99);
    for (int round = 0; round < 20; ++round) {
        const int count = 12;
        std::vector<VoVector2> points;
        std::u16string text;
        std::vector<std::vector<bool>> linked(count, std::vector<bool>(count, false));
        for (int i = 0; i < count; ++i) {
            points.emplace_back(coordinate(random), coordinate(random));
        }
        for (int i = 0; i < count; ++i) {
            std::string entry = "w" + std::to_string(i) + "\n\tcoords=" + std::to_string(points[i].x) + "|" +
                                std::to_string(points[i].y) + "\n\tlinks=";
            for (int j = 0; j < count; ++j) {
                if (j != i && chance(random) < 25) {
                    linked[i][j] = true;
                    entry += "w" + std::to_string(j) + "|";
                }
            }
            text += std::u16string(entry.begin(), entry.end()) + u"\n";
        }
        auto web = WebOf(text);
        // Floyd-Warshall over the lengths that the web measured.
        const double kNone = 1e30;
        std::vector<std::vector<double>> best(count, std::vector<double>(count, kNone));
        for (int i = 0; i < count; ++i) {
            best[i][i] = 0.0;
            const VoWayPoint* wayPoint = web->GetWayPoint(i);
            for (int k = 0; k < wayPoint->fLinkCount; ++k) {
                best[i][wayPoint->fpLinks[k]] = wayPoint->fpLinkLengths[k];
            }
        }
        for (int k = 0; k < count; ++k) {
            for (int i = 0; i < count; ++i) {
                for (int j = 0; j < count; ++j) {
                    best[i][j] = std::min(best[i][j], best[i][k] + best[k][j]);
                }
            }
        }
        for (int i = 0; i < count; ++i) {
            for (int j = 0; j < count; ++j) {
                const VoShortestPath route = web->GetShortestPath(i, j);
                if (best[i][j] == kNone) {
                    EXPECT_EQ(route.fCost, -1.0f);
                    EXPECT_EQ(route.fPath.GetCount(), 0);
                    continue;
                }
                EXPECT_NEAR(route.fCost, best[i][j], 1e-3) << round << ": " << i << " to " << j;
                // The path is a chain of links from i to j whose lengths make the cost.
                const std::vector<int> path = PathOf(route);
                ASSERT_FALSE(path.empty());
                EXPECT_EQ(path.front(), i);
                EXPECT_EQ(path.back(), j);
                float sum = 0.0f;
                for (std::size_t step = 1; step < path.size(); ++step) {
                    ASSERT_TRUE(linked[path[step - 1]][path[step]]);
                    sum += points[path[step - 1]].Distance(points[path[step]]);
                }
                EXPECT_NEAR(sum, route.fCost, 1e-3);
            }
        }
    }
}

// The routes are those of the search that hands every waypoint a copy of
// the route it was reached by. Where a waypoint's route changes for a cost
// lower only before rounding, the waypoints beyond it keep the route
// through its old route, which is not the chain of the waypoints before
// each end: webs far from the origin, with short links, have such routes.
TEST(VoPathFindingWeb, RoutesAreThoseOfTheSearchThatCopiesRoutes) {
    constexpr int kCount = 30;
    constexpr int kSeeds = 200;
    int diverging = 0;
    for (int seed = 0; seed < kSeeds; ++seed) {
        std::mt19937 random(static_cast<std::uint32_t>(seed));
        std::uniform_int_distribution<int> step(0, 6);
        std::uniform_int_distribution<int> chance(0, 99);
        std::u16string text;
        for (int i = 0; i < kCount; ++i) {
            const double x = 1000 + seed + 0.7 * step(random);
            const double y = 0.3 * step(random);
            std::string entry = "w" + std::to_string(i) + "\n\tcoords=" + std::to_string(x) + "|" +
                                std::to_string(y) + "\n\tlinks=";
            for (int j = 0; j < kCount; ++j) {
                if (j != i && chance(random) < 20) {
                    entry += "w" + std::to_string(j) + "|";
                }
            }
            text += std::u16string(entry.begin(), entry.end()) + u"\n";
        }
        auto web = WebOf(text);
        for (int start = 0; start < kCount; ++start) {
            // The search as specified, over the lengths that the web measured.
            std::vector<float> costs(kCount, -1.0f);
            std::vector<std::vector<int>> routes(kCount);
            std::vector<int> before(kCount, -1);
            std::vector<int> queue = {start};
            std::vector<bool> queued(kCount, false);
            costs[start] = 0.0f;
            routes[start] = {start};
            queued[start] = true;
            for (std::size_t head = 0; head < queue.size(); ++head) {
                const int node = queue[head];
                queued[node] = false;
                const VoWayPoint* wayPoint = web->GetWayPoint(node);
                for (int k = 0; k < wayPoint->fLinkCount; ++k) {
                    const int target = wayPoint->fpLinks[k];
                    const float cost = costs[node] + wayPoint->fpLinkLengths[k];
                    if (costs[target] != -1.0f && !(cost < costs[target])) {
                        continue;
                    }
                    costs[target] = cost;
                    routes[target] = routes[node];
                    routes[target].push_back(target);
                    before[target] = node;
                    if (!queued[target]) {
                        queue.push_back(target);
                        queued[target] = true;
                    }
                }
            }
            for (int end = 0; end < kCount; ++end) {
                const VoShortestPath route = web->GetShortestPath(start, end);
                EXPECT_EQ(route.fCost, costs[end]) << seed << ": " << start << " to " << end;
                EXPECT_EQ(PathOf(route), routes[end]) << seed << ": " << start << " to " << end;
                if (costs[end] != -1.0f && end != start) {
                    std::vector<int> chain = {end};
                    while (chain.back() != start) {
                        chain.push_back(before[chain.back()]);
                    }
                    std::reverse(chain.begin(), chain.end());
                    diverging += chain != routes[end] ? 1 : 0;
                }
            }
        }
    }
    EXPECT_GT(diverging, 0);
}

TEST(VoPathFindingWeb, DisabledWayPointsTakeNoPartAfterTheTableIsCleared) {
    // a - b - c in a row, and a detour a - d - c.
    auto web = WebOf(
        u"a\n\tcoords=0|0\n\tlinks=b|d\n"
        u"b\n\tcoords=1|0\n\tlinks=c\n"
        u"c\n\tcoords=2|0\n\tlinks=\n"
        u"d\n\tcoords=1|3\n\tlinks=c\n"
        u"e\n\tcoords=9|9\n\tlinks=\n");
    EXPECT_THAT(PathOf(web->GetShortestPath(0, 2)), ElementsAre(0, 1, 2));

    web->GetWayPoint(1)->fEnabled = false;
    // The table stays as it was until it is cleared.
    EXPECT_THAT(PathOf(web->GetShortestPath(0, 2)), ElementsAre(0, 1, 2));
    EXPECT_TRUE(web->ClearPathTable());
    EXPECT_EQ(web->GetLastPath(), nullptr);
    EXPECT_THAT(PathOf(web->GetShortestPath(0, 2)), ElementsAre(0, 3, 2));

    // No route into, or out of, a disabled waypoint, not even to itself.
    EXPECT_EQ(web->GetShortestPath(0, 1).fCost, -1.0f);
    EXPECT_EQ(web->GetShortestPath(1, 1).fCost, -1.0f);
    EXPECT_THAT(PathOf(web->GetShortestPath(1, 2)), IsEmpty());

    web->GetWayPoint(3)->fEnabled = false;
    web->ClearPathTable();
    const VoShortestPath none = web->GetShortestPath(0, 2);
    EXPECT_EQ(none.fCost, -1.0f);
    EXPECT_THAT(PathOf(none), IsEmpty());
    // Never linked at all.
    EXPECT_EQ(web->GetShortestPath(0, 4).fCost, -1.0f);
}

TEST(VoPathFindingWeb, ModesOtherThanZeroAndOneFailEveryRoute) {
    auto web = WebOf(kDetourWeb);
    web->SetMode(0);
    EXPECT_FLOAT_EQ(web->GetShortestPath(0, 4).fCost, 10.0f);

    LogCapture log;
    for (int mode : {2, -1}) {
        web->SetMode(mode);
        const VoShortestPath route = web->GetShortestPath(0, 4);
        EXPECT_EQ(route.fCost, -1.0f);
        EXPECT_THAT(PathOf(route), IsEmpty());
    }
    EXPECT_EQ(log.Count(VoPathFindingWeb::kGetShortestPathFailure), 2);
    EXPECT_TRUE(log.Logged(kAssert, VoPathFindingWeb::kGetShortestPathFailure));
}

TEST(VoPathFindingWeb, LastPathIsTheRecordOfTheLastGoodLookUp) {
    auto web = WebOf(kDetourWeb);
    EXPECT_EQ(web->GetLastPath(), nullptr);
    web->GetShortestPath(0, 4);
    VoShortestPath* last = web->GetLastPath();
    ASSERT_NE(last, nullptr);
    EXPECT_FLOAT_EQ(last->fCost, 10.0f);

    LogCapture log;
    for (const auto& pair : {std::pair<int, int>{-1, 0}, {0, 6}, {6, 0}, {0, -1}}) {
        const VoShortestPath route = web->LookUpShortestPath(pair.first, pair.second);
        EXPECT_EQ(route.fCost, -1.0f);
    }
    EXPECT_EQ(log.Count(VoPathFindingWeb::kLookUpInvalidIndex), 4);
    EXPECT_EQ(web->GetLastPath(), last);
}

TEST(VoPathFindingWeb, ClosestWayPointCountsDisabledOnesAndTheLowestIndexWinsATie) {
    auto web = WebOf(
        u"a\n\tcoords=0|0\n\tlinks=\n"
        u"b\n\tcoords=4|0\n\tlinks=\n"
        u"c\n\tcoords=2|2\n\tlinks=\n");
    struct Case {
        VoVector2 point;
        int closest;
    };
    const Case cases[] = {
        {VoVector2(-1.0f, 0.0f), 0},
        {VoVector2(2.0f, 0.0f), 0},  // a, b and c all at distance 2
        {VoVector2(3.0f, 0.0f), 1},
        {VoVector2(2.0f, 5.0f), 2},
    };
    for (const Case& testCase : cases) {
        EXPECT_EQ(web->GetClosestWayPoint(testCase.point), testCase.closest);
    }
    web->GetWayPoint(1)->fEnabled = false;
    EXPECT_EQ(web->GetClosestWayPoint(VoVector2(3.0f, 0.0f)), 1);

    VoPathFindingWeb empty;
    EXPECT_EQ(empty.GetClosestWayPoint(VoVector2(0.0f, 0.0f)), -1);
}

TEST(VoPathFindingWeb, AccessorsRefuseBadArguments) {
    LogCapture log;
    VoPathFindingWeb empty;
    EXPECT_EQ(empty.GetWayPoint(0), nullptr);
    EXPECT_EQ(empty.GetWayPoint(VoString(u"a")), nullptr);
    EXPECT_EQ(log.Count(VoPathFindingWeb::kGetWayPointUndefined), 2);
    EXPECT_FALSE(empty.Create(nullptr));
    EXPECT_TRUE(log.Logged(kAssert, VoPathFindingWeb::kCreateNullArg));

    auto web = WebOf(u"a\n\tcoords=0|0\n\tlinks=\n");
    EXPECT_EQ(web->GetWayPoint(1), nullptr);
    EXPECT_EQ(web->GetWayPoint(-1), nullptr);
    EXPECT_EQ(log.Count(VoPathFindingWeb::kGetWayPointInvalidIndex), 2);

    // The out pointer must hold null; it then receives the web's own array.
    int count = -1;
    VoWayPoint other;
    VoWayPoint* wayPoints = &other;
    EXPECT_FALSE(web->GetWayPoints(&count, &wayPoints));
    EXPECT_FALSE(web->GetWayPoints(nullptr, &wayPoints));
    EXPECT_EQ(log.Count(VoPathFindingWeb::kGetWayPointsNullArg), 2);
    EXPECT_EQ(count, -1);
    wayPoints = nullptr;
    EXPECT_TRUE(web->GetWayPoints(&count, &wayPoints));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(wayPoints, web->GetWayPoint(0));
}

TEST(VoPathFindingWeb, FlawedFilesAreReadAsFarAsTheyMakeSense) {
    LogCapture log;
    auto web = WebOf(
        u"note=not a waypoint\n"
        u"a\n\tlinks=b|nowhere|B\n"
        u"b\n\tcoords=3\n"
        u"A\n\tcoords=7|7\n\tlinks=a\n"
        u"far\n\tcoords=1" +
        std::u16string(400, u'0') + u"|0\n\tlinks=a\n");
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoPathFindingWeb::kCreateNotASection) + "note"));
    ASSERT_EQ(web->GetCount(), 4);

    // No "coords": an empty assertion, and each missing number logged by the vector.
    const VoWayPoint* a = web->GetWayPoint(0);
    EXPECT_EQ(a->fCoords, VoVector2(0.0f, 0.0f));
    EXPECT_EQ(log.Count(VoVectorText::kIndexOutOfBounds), 3);
    // The unknown link is dropped, the others kept in order.
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoPathFindingWeb::kCreateUnknownLink) + "nowhere"));
    ASSERT_EQ(a->fLinkCount, 2);
    EXPECT_EQ(a->fpLinks[0], 1);
    EXPECT_EQ(a->fpLinks[1], 1);
    EXPECT_FLOAT_EQ(a->fpLinkLengths[0], 3.0f);

    // One number: y reads as 0. No "links": an empty assertion and no links.
    EXPECT_EQ(web->GetWayPoint(1)->fCoords, VoVector2(3.0f, 0.0f));
    EXPECT_EQ(web->GetWayPoint(1)->fLinkCount, 0);
    EXPECT_TRUE(log.Logged(kAssert, ""));

    // "A" repeats "a" but for case: refused by id, kept by index.
    EXPECT_TRUE(log.Contains(VoHashKeyList::kDuplicateKey));
    EXPECT_EQ(IndexOf(*web, u"A"), 0);
    EXPECT_EQ(web->GetWayPoint(2)->fCoords, VoVector2(7.0f, 7.0f));
    EXPECT_THAT(PathOf(web->GetShortestPath(2, 1)), ElementsAre(2, 0, 1));

    // A coordinate too long to be a float reads as infinity: refused.
    EXPECT_TRUE(log.Logged(kAssert, std::string(VoPathFindingWeb::kCreateInvalidCoords) + "far"));
    EXPECT_EQ(web->GetWayPoint(3)->fCoords, VoVector2(0.0f, 0.0f));
    EXPECT_FLOAT_EQ(web->GetShortestPath(3, 1).fCost, 3.0f);
}

TEST(VoPathFindingWeb, TooLargeAWebGetsNoRouteTable) {
    std::u16string text;
    for (int i = 0; i <= VoPathFindingWeb::kMaxRouteWayPoints; ++i) {
        const std::string entry =
            "w" + std::to_string(i) + "\n\tcoords=" + std::to_string(i) + "|0\n\tlinks=\n";
        text += std::u16string(entry.begin(), entry.end());
    }
    auto web = WebOf(text);
    LogCapture log;
    EXPECT_EQ(web->GetShortestPath(0, 0).fCost, -1.0f);
    EXPECT_EQ(web->GetLastPath(), nullptr);
    EXPECT_TRUE(log.Contains(VoPathFindingWeb::kBuildTooManyWayPoints));
}

TEST(VoPathFindingWeb, SampleSceneWayPointsConnectEveryPair) {
    ScopedEngine engine;
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    ASSERT_NE(fileSystem, nullptr);
    ASSERT_TRUE(fileSystem->Mount(VoString("//scenes"), VoString(VO_SOURCE_DIR "/data/scenes")));
    VoPropertyList list;
    ASSERT_TRUE(list.Load(VoString("//scenes/sample/waypoints.txt"), true));

    LogCapture log;
    VoPathFindingWeb web;
    ASSERT_TRUE(web.Create(&list));
    EXPECT_THAT(log.Lines(), IsEmpty());
    ASSERT_GE(web.GetCount(), 2);
    for (int from = 0; from < web.GetCount(); ++from) {
        for (int to = 0; to < web.GetCount(); ++to) {
            EXPECT_GE(web.GetShortestPath(from, to).fCost, 0.0f) << from << " to " << to;
        }
    }
    const int bottom = IndexOf(web, u"stairbottom");
    const int top = IndexOf(web, u"stairtop");
    EXPECT_EQ(web.GetWayPoint(bottom)->fStairClass, VoWayPoint::kBottomStair);
    EXPECT_EQ(web.GetWayPoint(top)->fStairClass, VoWayPoint::kTopStair);
    const VoShortestPath upstairs = web.GetShortestPath(IndexOf(web, u"door"), IndexOf(web, u"landing"));
    EXPECT_THAT(PathOf(upstairs), testing::Contains(bottom));
    EXPECT_THAT(PathOf(upstairs), testing::Contains(top));
}
