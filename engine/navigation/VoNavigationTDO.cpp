#include "navigation/VoNavigationTDO.h"

#include <cmath>

#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorString.h"
#include "geometry/VoGeometryConstants.h"
#include "geometry/VoLine2.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoVector2.h"
#include "memory/VoNew.h"
#include "navigation/VoINavigationListener.h"
#include "navigation/VoIPathFinding.h"
#include "navigation/VoNegBounds.h"
#include "navigation/VoPosBounds.h"
#include "navigation/VoWayPoint.h"
#include "scene/VoDrawElement.h"
#include "stdlib/VoFrameManager.h"

namespace {

// A scene has a handful of regions per kind.
constexpr int kRegionCapacity = 16;

// The edges of a closed outline, the closing one included; an outline of
// one point has none.
int EdgeCount(const VoPolygon& aPolygon) {
    const int points = aPolygon.GetNumPoints();
    return points >= 2 ? points : 0;
}

VoLine2 EdgeOf(const VoPolygon& aPolygon, int aIndex) {
    const VoVector2* points = aPolygon.PeekPoints();
    const int next = aIndex + 1 == aPolygon.GetNumPoints() ? 0 : aIndex + 1;
    return VoLine2(points[aIndex], points[next], VoLine2::kSegment);
}

// The point of segment a-b nearest to aPoint: the perpendicular's foot on
// the carrying line, clamped componentwise: a when the foot lies behind a,
// b when it lies at or beyond b.
VoVector2 NearestOnSegment(const VoVector2& aPoint, const VoVector2& aA, const VoVector2& aB) {
    VoLine2 perpendicular;
    VoLine2(aA, aB, VoLine2::kSegment).GetPerpendicular(aPoint, perpendicular);
    const VoVector2 foot = perpendicular.p1;
    const VoVector2 along = foot - aA;
    const VoVector2 edge = aB - aA;
    if (!along.SameSigns(edge)) {
        return aA;
    }
    if (along.Abs() >= edge.Abs()) {
        return aB;
    }
    return foot;
}

// The nearest candidate so far: the first one, then any strictly nearer.
struct Nearest {
    void Offer(const VoVector2& aCandidate, float aDistance, int aRegion) {
        if (!found || aDistance < distance) {
            found = true;
            point = aCandidate;
            distance = aDistance;
            region = aRegion;
        }
    }

    bool found = false;
    VoVector2 point;
    float distance = 0.0f;
    int region = -1;
};

// A value of a region section; a missing one is asserted and reads as empty.
VoString ReadValue(VoPropertyList* apSection, const char16_t* apKey) {
    bool found = false;
    const VoString value = apSection->GetString(apKey, &found);
    if (!found) {
        VO_ASSERT_FAILURE(VoNavigationTDO::kMissingKey);
    }
    return value;
}

// A new region of either kind with its id, ground and outline (closed, its
// winding worked out); null, asserted, when it cannot be allocated.
template <typename Bounds>
Bounds* ReadRegion(VoPropertyList* apSection, const VoString& aId) {
    Bounds* bounds = VO_NEW Bounds();
    if (bounds == nullptr) {
        VO_ASSERT_FAILURE(VoNavigationTDO::kCreateAllocation);
        return nullptr;
    }
    bounds->fId = aId;
    bounds->fGround = ReadValue(apSection, VoNavigationTDO::kGroundKey);
    bool found = false;
    const VoVectorFloat coords = apSection->GetVectorFloat(VoNavigationTDO::kCoordsKey, &found);
    if (!found) {
        VO_ASSERT_FAILURE(VoNavigationTDO::kMissingKey);
    }
    bool finite = true;
    for (int i = 0; i < coords.GetCount() && finite; ++i) {
        finite = std::isfinite(coords.GetAt(i));
    }
    if (finite) {
        bounds->fPolygon.SetPoints(coords, true);
    } else {
        // An overlong number reads as infinity, on which no edge test holds.
        VO_ASSERT_FAILURE(VoNavigationTDO::kCreateInvalidCoords, aId);
    }
    bounds->fPolygon.SetClosed(true);
    bounds->IsClockwise();
    return bounds;
}

// Adds the region under its id, or deletes it when the list refuses the id
// (and logs the duplicate).
template <typename Bounds>
void Keep(VoHashKeyList& aList, Bounds* apBounds) {
    if (apBounds == nullptr) {
        return;
    }
    const int before = aList.GetCount();
    aList.Add(apBounds->fId, apBounds, true);
    if (aList.GetCount() == before) {
        delete apBounds;
    }
}

}  // namespace

VoNavigationTDO::VoNavigationTDO()
    : fpSceneRoot(nullptr),
      fPosBounds(kRegionHashShift, false, kRegionCapacity),
      fNegBounds(kRegionHashShift, false, kRegionCapacity),
      fCurPosCount(0),
      fppCurPos(nullptr),
      fGroundCount(0),
      fppGroundFrames(nullptr),
      fRunning(false),
      fRegistered(false) {}

VoNavigationTDO::~VoNavigationTDO() {
    LeaveFrames();
    FreeRegions();
}

void VoNavigationTDO::FreeRegions() {
    delete[] fppCurPos;
    fppCurPos = nullptr;
    fCurPosCount = 0;
    delete[] fppGroundFrames;
    fppGroundFrames = nullptr;
    fGroundCount = 0;
    fPosBounds.ClearAndDelete<VoPosBounds>();
    fNegBounds.ClearAndDelete<VoNegBounds>();
}

bool VoNavigationTDO::Create(VoPropertyList* apData) {
    if (apData == nullptr) {
        VO_ASSERT_FAILURE(kCreateNullArg);
        return false;
    }
    VoPropertyList* positive = apData->GetList(kPositiveKey);
    if (positive == nullptr) {
        VO_ASSERT_FAILURE(kCreateNoPositive);
        return false;
    }
    VoPropertyList* negative = apData->GetList(kNegativeKey);
    if (negative == nullptr) {
        VO_ASSERT_FAILURE(kCreateNoNegative);
        return false;
    }
    FreeRegions();
    fCamera = VoString();
    ReadRegions(positive, true);
    ReadRegions(negative, false);
    return true;
}

void VoNavigationTDO::ReadRegions(VoPropertyList* apSection, bool aPositive) {
    const int count = apSection->GetCount();
    for (int i = 0; i < count; ++i) {
        const VoString id = apSection->GetKeyAt(i);
        VoPropertyList* section = apSection->GetListAt(i);
        if (section == nullptr) {
            VO_ASSERT_FAILURE(kCreateNotASection, id);
            continue;
        }
        if (aPositive) {
            VoPosBounds* bounds = ReadRegion<VoPosBounds>(section, id);
            if (bounds != nullptr) {
                bounds->fCamera = ReadValue(section, kCameraKey);
                Keep(fPosBounds, bounds);
            }
        } else {
            Keep(fNegBounds, ReadRegion<VoNegBounds>(section, id));
        }
    }
}

bool VoNavigationTDO::SetSceneRoot(VoDrawElement* apRoot) {
    if (apRoot == nullptr) {
        VO_ASSERT_FAILURE(kSetSceneRootNullArg);
        return false;
    }
    if (apRoot != fpSceneRoot) {
        // The frames found so far belong to the old root, which may be gone.
        for (int i = 0; i < fPosBounds.GetCount(); ++i) {
            static_cast<VoPosBounds*>(fPosBounds.GetAt(i))->fpGroundFrame = nullptr;
        }
        delete[] fppGroundFrames;
        fppGroundFrames = nullptr;
        fGroundCount = 0;
    }
    fpSceneRoot = apRoot;
    return true;
}

bool VoNavigationTDO::SetCamera(const VoString& aCameraId) {
    if (fpSceneRoot == nullptr) {
        VO_ASSERT_FAILURE(kSetCameraNoSceneRoot);
        return false;
    }
    if (fpPathFinding == nullptr) {
        VO_ASSERT_FAILURE(kSetCameraNoPathFinding);
        return false;
    }

    delete[] fppCurPos;
    fppCurPos = nullptr;
    fCurPosCount = 0;
    int count = 0;
    VoPosBounds** regions = nullptr;
    if (GetPosBoundsForCamera(aCameraId, &count, &regions)) {
        fCurPosCount = count;
        fppCurPos = regions;
    } else {
        VO_ASSERT_FAILURE(kSetCameraNoRegions);
    }

    VoFrame** frames = nullptr;
    if (fCurPosCount > 0) {
        frames = VO_NEW VoFrame* [fCurPosCount];
        if (frames == nullptr) {
            VO_ASSERT_FAILURE(kSetCameraAllocation);
            return false;
        }
    }
    for (int i = 0; i < fCurPosCount; ++i) {
        VoPosBounds* bounds = fppCurPos[i];
        if (bounds->fpGroundFrame == nullptr) {
            bounds->fpGroundFrame = fpSceneRoot->FindFrame(bounds->fGround, true);
            if (bounds->fpGroundFrame == nullptr) {
                VO_ASSERT_FAILURE(kSetCameraNoGround, bounds->fGround);
                delete[] frames;
                return false;
            }
        }
        frames[i] = bounds->fpGroundFrame;
    }
    if (fCurPosCount == 0) {
        VO_ASSERT_FAILURE(kSetCameraNoGroundFound);
        return false;
    }
    delete[] fppGroundFrames;
    fppGroundFrames = frames;
    fGroundCount = fCurPosCount;
    fCamera = aCameraId;

    if (!EnableWayPoints()) {
        return false;
    }
    fpPathFinding->ClearPathTable();
    return true;
}

bool VoNavigationTDO::EnableWayPoints() {
    int count = 0;
    VoWayPoint* wayPoints = nullptr;
    if (!fpPathFinding->GetWayPoints(&count, &wayPoints) || count <= 0 || wayPoints == nullptr) {
        VO_ASSERT_FAILURE(kSetCameraNoWayPoints);
        return false;
    }
    bool* inside = VO_NEW bool[count];
    if (inside == nullptr) {
        VO_ASSERT_FAILURE(kSetCameraAllocation);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        inside[i] = InCurrentRegion(wayPoints[i].fCoords);
    }
    // The ring: a waypoint that leads into the view, read from the first
    // pass only so that the ring stays one link wide.
    for (int i = 0; i < count; ++i) {
        bool enabled = inside[i];
        const VoWayPoint& wayPoint = wayPoints[i];
        for (int k = 0; !enabled && k < wayPoint.fLinkCount; ++k) {
            const int target = wayPoint.fpLinks[k];
            enabled = target >= 0 && target < count && inside[target];
        }
        wayPoints[i].fEnabled = enabled;
    }
    delete[] inside;
    return true;
}

bool VoNavigationTDO::InCurrentRegion(const VoVector2& aPoint) const {
    for (int i = 0; i < fCurPosCount; ++i) {
        const VoIRegion& region = fppCurPos[i]->fPolygon;
        if (region.ContainsPoint(aPoint)) {
            return true;
        }
    }
    return false;
}

bool VoNavigationTDO::GetGroundIDsForCamera(const VoString& aCameraId, VoVectorString* apOut) {
    if (apOut == nullptr) {
        VO_ASSERT_FAILURE(kGroundIdsNullArg);
        return false;
    }
    apOut->Clear();
    for (int i = 0; i < fPosBounds.GetCount(); ++i) {
        const VoPosBounds* bounds = static_cast<VoPosBounds*>(fPosBounds.GetAt(i));
        if (bounds->fCamera.EqualsNoCase(aCameraId)) {
            apOut->Add(bounds->fGround);
        }
    }
    if (apOut->GetCount() == 0) {
        VO_ASSERT_FAILURE(kGroundIdsNotFound, aCameraId);
        return false;
    }
    return true;
}

bool VoNavigationTDO::GetPosBoundsForCamera(const VoString& aCameraId, int* apCount, VoPosBounds*** apppOut) {
    if (apCount == nullptr || apppOut == nullptr || *apppOut != nullptr) {
        VO_ASSERT_FAILURE(kPosBoundsNullArg);
        return false;
    }
    const int total = fPosBounds.GetCount();
    int count = 0;
    for (int i = 0; i < total; ++i) {
        if (static_cast<VoPosBounds*>(fPosBounds.GetAt(i))->fCamera.EqualsNoCase(aCameraId)) {
            ++count;
        }
    }
    if (count == 0) {
        VO_ASSERT_FAILURE(kPosBoundsNotFound, aCameraId);
        return false;
    }
    VoPosBounds** regions = VO_NEW VoPosBounds* [count];
    if (regions == nullptr) {
        VO_ASSERT_FAILURE(kPosBoundsAllocation);
        return false;
    }
    int index = 0;
    for (int i = 0; i < total; ++i) {
        VoPosBounds* bounds = static_cast<VoPosBounds*>(fPosBounds.GetAt(i));
        if (bounds->fCamera.EqualsNoCase(aCameraId)) {
            regions[index++] = bounds;
        }
    }
    *apCount = count;
    *apppOut = regions;
    return true;
}

bool VoNavigationTDO::GetPosBoundsCurrent(int* apCount, VoPosBounds*** apppOut) {
    if (apCount == nullptr || apppOut == nullptr || *apppOut != nullptr) {
        VO_ASSERT_FAILURE(kPosBoundsCurrentInvalidArg);
        return false;
    }
    *apCount = fCurPosCount;
    *apppOut = fppCurPos;
    return true;
}

bool VoNavigationTDO::FindTargetPt(const VoVector2& aPoint, VoVector2* apOut, int* apRegionIndex) {
    if (apOut == nullptr) {
        VO_ASSERT_FAILURE(kFindTargetPtNullArg);
        return false;
    }
    if (fCurPosCount == 0 || fGroundCount == 0) {
        VO_ASSERT_FAILURE(kFindTargetPtNoBounds);
        return false;
    }
    for (int i = 0; i < fCurPosCount; ++i) {
        const VoIRegion& region = fppCurPos[i]->fPolygon;
        if (region.ContainsPoint(aPoint)) {
            *apOut = aPoint;
            if (apRegionIndex != nullptr) {
                *apRegionIndex = i;
            }
            return true;
        }
    }

    // Edge feet first, then vertices: a foot beats a vertex at the same distance.
    Nearest nearest;
    for (int i = 0; i < fCurPosCount; ++i) {
        const VoPolygon& polygon = fppCurPos[i]->fPolygon;
        const int edges = EdgeCount(polygon);
        for (int j = 0; j < edges; ++j) {
            VoLine2 perpendicular;
            if (EdgeOf(polygon, j).GetPerpendicular(aPoint, perpendicular)) {
                nearest.Offer(perpendicular.p1, aPoint.DistanceSquared(perpendicular.p1), i);
            }
        }
    }
    for (int i = 0; i < fCurPosCount; ++i) {
        const VoPolygon& polygon = fppCurPos[i]->fPolygon;
        const VoVector2* points = polygon.PeekPoints();
        for (int j = 0; j < polygon.GetNumPoints(); ++j) {
            nearest.Offer(points[j], aPoint.DistanceSquared(points[j]), i);
        }
    }
    if (!nearest.found) {
        return false;
    }
    *apOut = nearest.point;
    if (apRegionIndex != nullptr) {
        *apRegionIndex = nearest.region;
    }
    return true;
}

bool VoNavigationTDO::FindReachablePt(const VoVector2& aPoint, VoVector2* apOut) {
    if (apOut == nullptr) {
        VO_ASSERT_FAILURE(kFindReachablePtNullArg);
        return false;
    }
    VoVector2 target;
    int region = -1;
    if (!FindTargetPt(aPoint, &target, &region)) {
        return false;
    }
    return MoveOutOfNegativeBounds(target, apOut, &fppCurPos[region]->fPolygon);
}

bool VoNavigationTDO::MoveOutOfNegativeBounds(const VoVector2& aPoint, VoVector2* apOut,
                                              const VoPolygon* apRegion) {
    if (apOut == nullptr) {
        VO_ASSERT_FAILURE(kMoveOutNullArg);
        return false;
    }
    const int obstacles = fNegBounds.GetCount();
    bool blocked = false;
    for (int i = 0; i < obstacles && !blocked; ++i) {
        const VoIRegion& obstacle = static_cast<VoNegBounds*>(fNegBounds.GetAt(i))->fPolygon;
        blocked = obstacle.ContainsPoint(aPoint);
    }
    if (!blocked) {
        *apOut = aPoint;
        return true;
    }

    Nearest nearest;
    auto offer = [&](const VoVector2& aA, const VoVector2& aB) {
        const VoVector2 candidate = NearestOnSegment(aPoint, aA, aB);
        nearest.Offer(candidate, aPoint.DistanceSquared(candidate), -1);
    };
    const bool regionHasPoints = apRegion != nullptr && apRegion->GetNumPoints() > 0;
    const VoIRegion* region = apRegion;
    for (int i = 0; i < obstacles; ++i) {
        const VoPolygon& polygon = static_cast<VoNegBounds*>(fNegBounds.GetAt(i))->fPolygon;
        const int edges = EdgeCount(polygon);
        for (int j = 0; j < edges; ++j) {
            const VoLine2 edge = EdgeOf(polygon, j);
            if (apRegion == nullptr) {
                offer(edge.p1, edge.p2);
                continue;
            }
            int crossingCount = 0;
            VoVector2* crossings = nullptr;  // owned
            if (regionHasPoints) {
                apRegion->Intersections(edge, &crossingCount, &crossings, false);
            }
            // The edge cut at its crossings with the region's outline, in
            // order along the edge; the pieces inside the region count.
            VoVector2* cuts = VO_NEW VoVector2[crossingCount + 2];
            if (cuts == nullptr) {
                VO_ASSERT_FAILURE(kMoveOutAllocation);
                delete[] crossings;
                return false;
            }
            cuts[0] = edge.p1;
            int cutCount = 1;
            for (int k = 0; k < crossingCount; ++k) {
                const float along = edge.p1.DistanceSquared(crossings[k]);
                int at = cutCount;
                while (at > 1 && edge.p1.DistanceSquared(cuts[at - 1]) > along) {
                    cuts[at] = cuts[at - 1];
                    --at;
                }
                cuts[at] = crossings[k];
                ++cutCount;
            }
            cuts[cutCount++] = edge.p2;
            delete[] crossings;
            // Each piece is tested at its middle, so a crossing counted twice
            // (at a vertex of the outline) or missed cannot turn the pieces
            // inside out.
            for (int k = 0; k + 1 < cutCount; ++k) {
                const VoVector2 middle = (cuts[k] + cuts[k + 1]) * 0.5f;
                if (regionHasPoints && region->ContainsPoint(middle)) {
                    offer(cuts[k], cuts[k + 1]);
                }
            }
            delete[] cuts;
        }
    }
    if (!nearest.found) {
        return false;
    }
    *apOut = nearest.point;
    return true;
}

void VoNavigationTDO::PushAwayFromEdges(float aRadius, float aStep, VoVector2* apPoint) {
    if (apPoint == nullptr) {
        VO_ASSERT_FAILURE(kPushAwayNullArg);
        return;
    }
    VoVector2 reachable;
    if (FindReachablePt(*apPoint, &reachable)) {
        *apPoint = reachable;
    }
    // The offset's direction -1 turns an edge's direction counter-clockwise,
    // which points into a clockwise outline.
    for (int i = 0; i < fCurPosCount; ++i) {
        VoPosBounds* bounds = fppCurPos[i];
        PushFromEdges(bounds->fPolygon, bounds->IsClockwise() ? -1 : 1, aRadius, aStep, apPoint);
    }
    for (int i = 0; i < fNegBounds.GetCount(); ++i) {
        VoNegBounds* bounds = static_cast<VoNegBounds*>(fNegBounds.GetAt(i));
        PushFromEdges(bounds->fPolygon, bounds->IsClockwise() ? 1 : -1, aRadius, aStep, apPoint);
    }
}

void VoNavigationTDO::PushFromEdges(const VoPolygon& aPolygon, int aDirection, float aRadius, float aStep,
                                    VoVector2* apPoint) {
    const float radiusSquared = aRadius * aRadius;
    const int edges = EdgeCount(aPolygon);
    for (int j = 0; j < edges; ++j) {
        const VoLine2 edge = EdgeOf(aPolygon, j);
        VoLine2 perpendicular;
        if (edge.GetPerpendicular(*apPoint, perpendicular) && perpendicular.LengthSquared() < radiusSquared) {
            edge.Offset(*apPoint, aStep, aDirection);
        }
    }
}

int VoNavigationTDO::GetClosestWayPoint(const VoVector2& aPoint) {
    int count = 0;
    VoWayPoint* wayPoints = nullptr;
    if (fpPathFinding == nullptr || !fpPathFinding->GetWayPoints(&count, &wayPoints) || count <= 0 ||
        wayPoints == nullptr) {
        VO_ASSERT_FAILURE(kClosestWayPointFailure);
        return -1;
    }
    int best = -1;
    float bestDistance = 0.0f;
    for (int i = 0; i < count; ++i) {
        const VoWayPoint& wayPoint = wayPoints[i];
        if (!wayPoint.fEnabled || !InCurrentRegion(wayPoint.fCoords)) {
            continue;
        }
        const float distance = aPoint.DistanceSquared(wayPoint.fCoords);
        if ((best < 0 || distance < bestDistance) && IsStraightPathClear(aPoint, wayPoint.fCoords)) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

bool VoNavigationTDO::IsStraightPathClear(const VoVector2& aFrom, const VoVector2& aTo) {
    const VoLine2 path(aFrom, aTo, VoLine2::kSegment);
    // Touching an edge's end counts as crossing: a walk may not slip out
    // through a vertex.
    for (int i = 0; i < fCurPosCount; ++i) {
        if (fppCurPos[i]->fPolygon.IntersectsLine(path, false, kVoNearZero)) {
            return false;
        }
    }
    for (int i = 0; i < fNegBounds.GetCount(); ++i) {
        if (static_cast<VoNegBounds*>(fNegBounds.GetAt(i))
                ->fPolygon.IntersectsLine(path, false, kVoNearZero)) {
            return false;
        }
    }
    return true;
}

bool VoNavigationTDO::Navigation(VoPolygon* apRoute) {
    if (apRoute == nullptr) {
        VO_ASSERT_FAILURE(kNavigationNullArg);
        return false;
    }
    const VoVector2 position(fPosition.x, fPosition.y);
    const VoVector2 target(fTarget.x, fTarget.y);
    const int from = GetClosestWayPoint(position);
    if (from < 0) {
        VO_ASSERT_FAILURE(kNavigationNoPositionWayPoint);
        return false;
    }
    const int to = GetClosestWayPoint(target);
    if (to < 0) {
        VO_ASSERT_FAILURE(kNavigationNoTargetWayPoint);
        return false;
    }
    const VoShortestPath route = fpPathFinding->GetShortestPath(from, to);
    apRoute->Clear();
    apRoute->SetClosed(false);
    apRoute->AddPoint(position);
    for (int i = 0; i < route.fPath.GetCount(); ++i) {
        const VoWayPoint* wayPoint = fpPathFinding->GetWayPoint(route.fPath.GetAt(i));
        if (wayPoint != nullptr) {
            apRoute->AddPoint(wayPoint->fCoords);
        }
    }
    apRoute->AddPoint(target);
    return true;
}

bool VoNavigationTDO::GetNextPathPoint(const VoVector2& aFrom, const VoPolygon& aRoute, VoVector2* apOut) {
    if (apOut == nullptr) {
        VO_ASSERT_FAILURE(kNextPathPointNullArg);
        return false;
    }
    const int points = aRoute.GetNumPoints();
    if (points < 2) {
        return false;
    }
    // The current regions, then the obstacles; outlines without points
    // bound nothing and are left out.
    const int negativeCount = fNegBounds.GetCount();
    const int total = fCurPosCount + negativeCount;
    VoPolygon* obstacles = total > 0 ? VO_NEW VoPolygon[total] : nullptr;
    if (total > 0 && obstacles == nullptr) {
        VO_ASSERT_FAILURE(kNextPathPointAllocation);
        return false;
    }
    int obstacleCount = 0;
    for (int i = 0; i < fCurPosCount; ++i) {
        if (fppCurPos[i]->fPolygon.GetNumPoints() > 0) {
            obstacles[obstacleCount++] = fppCurPos[i]->fPolygon;
        }
    }
    for (int i = 0; i < negativeCount; ++i) {
        const VoPolygon& polygon = static_cast<VoNegBounds*>(fNegBounds.GetAt(i))->fPolygon;
        if (polygon.GetNumPoints() > 0) {
            obstacles[obstacleCount++] = polygon;
        }
    }
    const VoVector2* routePoints = aRoute.PeekPoints();
    bool found = false;
    for (int i = points - 2; i >= 0 && !found; --i) {
        const VoLine2 segment(routePoints[i], routePoints[i + 1], VoLine2::kSegment);
        VoVector2 visible;
        if (VoPolygon::FindVisiblePoint(aFrom, segment, obstacleCount, obstacles, visible,
                                        kVisibilityTolerance)) {
            *apOut = visible;
            found = true;
        }
    }
    delete[] obstacles;
    return found;
}

bool VoNavigationTDO::AddBounds(VoNegBounds* apBounds) {
    if (apBounds == nullptr) {
        VO_ASSERT_FAILURE(kAddBoundsNullArg);
        return false;
    }
    if (fNegBounds.IndexOf(apBounds->fId) >= 0) {
        VO_ASSERT_FAILURE(kAddBoundsDuplicate);
        return false;
    }
    const int before = fNegBounds.GetCount();
    fNegBounds.Add(apBounds->fId, apBounds, true);
    return fNegBounds.GetCount() > before;
}

bool VoNavigationTDO::RemoveBounds(const VoString& aId, VoNegBounds** appOut) {
    void* item = nullptr;
    if (fNegBounds.IndexOf(aId) < 0 || !fNegBounds.Remove(aId, &item)) {
        return false;
    }
    VoNegBounds* bounds = static_cast<VoNegBounds*>(item);
    if (appOut != nullptr) {
        *appOut = bounds;
    } else {
        delete bounds;
    }
    return true;
}

bool VoNavigationTDO::RemoveBounds(VoNegBounds* /*apBounds*/) {
    VO_ASSERT_FAILURE(kNYI);
    return false;
}

VoPosBounds* VoNavigationTDO::GetPosBounds(int aIndex) {
    if (aIndex < 0 || aIndex >= fPosBounds.GetCount()) {
        return nullptr;
    }
    return static_cast<VoPosBounds*>(fPosBounds.GetAt(aIndex));
}

VoNegBounds* VoNavigationTDO::GetNegBounds(int aIndex) {
    if (aIndex < 0 || aIndex >= fNegBounds.GetCount()) {
        return nullptr;
    }
    return static_cast<VoNegBounds*>(fNegBounds.GetAt(aIndex));
}

VoFrame* VoNavigationTDO::GetGroundFrame(int aIndex) const {
    if (aIndex < 0 || aIndex >= fGroundCount) {
        return nullptr;
    }
    return fppGroundFrames[aIndex];
}

bool VoNavigationTDO::SetActive(bool aActive) {
    const bool changed = aActive != fRunning;
    fActive = aActive;
    if (!changed) {
        return true;
    }
    fRunning = aActive;
    if (aActive) {
        JoinFrames();
        return true;
    }
    LeaveFrames();
    // Last: the listener may end this navigation's life.
    if (fpListener != nullptr) {
        fpListener->OnNavigationStopped();
    }
    return true;
}

void VoNavigationTDO::OnUpdate() {
    VoVector2 target(fTarget.x, fTarget.y);
    PushAwayFromEdges(kTargetRadius, kTargetStep, &target);
    fTarget.Set(target.x, target.y, 0.0f);

    VoPolygon route;
    bool found = Navigation(&route);

    const VoVector2 position(fPosition.x, fPosition.y);
    if (IsStraightPathClear(position, target)) {
        fNextPoint = fTarget;
        return;
    }
    found = found && GetNextPathPoint(position, route, &target);
    fNextPoint.Set(target.x, target.y, 0.0f);
    if (!found) {
        VO_ASSERT_FAILURE(kNavigationFailure);
    }
}

void VoNavigationTDO::JoinFrames() {
    if (fRegistered) {
        return;
    }
    VoFrameManager* frames = VoFrameManager::GetInstance();
    fRegistered = frames != nullptr && frames->AddListener(this, kFrameOrder);
}

void VoNavigationTDO::LeaveFrames() {
    if (!fRegistered) {
        return;
    }
    fRegistered = false;
    if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
        frames->RemoveListener(this);
    }
}
