// Reads arbitrary bytes as navigation data (single-byte text up to the first
// zero byte, as VoPropertyList::Load reads it) into a ground navigation over
// a small fixed web, gives it a scene root holding a frame for every ground
// that the regions name, selects each camera in turn and walks as the game
// does: targets clamped, routes found, next points chosen.
#include <cstddef>
#include <cstdint>

#include "container/VoPropertyList.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoVector2.h"
#include "geometry/VoVector3.h"
#include "memory/VoNew.h"
#include "navigation/VoNavigationTDO.h"
#include "navigation/VoNegBounds.h"
#include "navigation/VoPathFindingWeb.h"
#include "navigation/VoPosBounds.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "support/FuzzSupport.h"

namespace {

// The walk's visibility search grows with the square of the edges; larger
// inputs are read and selected, but not walked, to keep each run short.
constexpr int kMaxWalkedPoints = 200;
constexpr int kMaxCameras = 8;
constexpr int kMaxGrounds = 32;

// A ring of waypoints around the origin, each linked to its neighbours.
const char kWayPoints[] =
    "a\n\tcoords=0|0\n\tlinks=b|d\n"
    "b\n\tcoords=10|0\n\tlinks=a|c\n"
    "c\n\tcoords=10|10\n\tlinks=b|d\n"
    "d\n\tcoords=0|10\n\tlinks=c|a\n"
    "e\n\tcoords=5|5\n\tlinks=a|b|c|d\n";

int CountPoints(VoNavigationTDO& aNavigation) {
    int points = 0;
    for (int i = 0; i < aNavigation.GetPosBoundsCount(); ++i) {
        points += aNavigation.GetPosBounds(i)->fPolygon.GetNumPoints();
    }
    for (int i = 0; i < aNavigation.GetNegBoundsCount(); ++i) {
        points += aNavigation.GetNegBounds(i)->fPolygon.GetNumPoints();
    }
    return points;
}

void Walk(VoNavigationTDO& aNavigation, const VoVector2& aFrom, const VoVector2& aTo) {
    VoVector2 point = aTo;
    aNavigation.FindReachablePt(point, &point);
    aNavigation.PushAwayFromEdges(0.1f, 0.05f, &point);
    aNavigation.GetClosestWayPoint(aFrom);
    aNavigation.SetPosition(VoVector3(aFrom));
    aNavigation.SetTarget(VoVector3(aTo));
    aNavigation.OnUpdate();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    VoPropertyList data;
    if (!ParseFuzzPropertyList(apData, aSize, 0x10000, &data)) {
        return 0;
    }
    VoPropertyList wayPointList;
    wayPointList.Parse(VoString(kWayPoints));
    VoPathFindingWeb web;
    web.Create(&wayPointList);

    VoNavigationTDO navigation;
    if (!navigation.Create(&data)) {
        return 0;
    }
    VoFrame* root = VO_NEW VoFrame();
    if (root == nullptr) {
        return 0;
    }
    root->SetName(VoString(u"scene"));
    for (int i = 0; i < navigation.GetPosBoundsCount() && i < kMaxGrounds; ++i) {
        VoFrame* ground = VO_NEW VoFrame();
        if (ground != nullptr) {
            ground->SetName(navigation.GetPosBounds(i)->fGround);
            root->AddChild(ground);
        }
    }
    VoDrawElement element;
    element.SetRootFrame(root);
    navigation.SetSceneRoot(&element);
    navigation.SetPathFinding(&web);

    const bool walked = CountPoints(navigation) <= kMaxWalkedPoints;
    for (int i = 0; i < navigation.GetPosBoundsCount() && i < kMaxCameras; ++i) {
        if (!navigation.SetCamera(navigation.GetPosBounds(i)->fCamera) || !walked) {
            continue;
        }
        const VoPolygon& polygon = navigation.GetPosBounds(i)->fPolygon;
        const VoVector2 origin(0.0f, 0.0f);
        Walk(navigation, origin, VoVector2(5.0f, 5.0f));
        for (int j = 0; j < polygon.GetNumPoints(); ++j) {
            Walk(navigation, polygon.GetPoint(j), origin);
            Walk(navigation, origin, polygon.GetPoint(j) + VoVector2(0.5f, -0.5f));
        }
        for (int j = 0; j < navigation.GetNegBoundsCount(); ++j) {
            const VoPolygon& obstacle = navigation.GetNegBounds(j)->fPolygon;
            if (obstacle.GetNumPoints() > 0) {
                VoVector2 out;
                navigation.MoveOutOfNegativeBounds(obstacle.GetPoint(0), &out, &polygon);
                navigation.MoveOutOfNegativeBounds(obstacle.GetPoint(0), &out, nullptr);
            }
        }
    }
    return 0;
}
