#pragma once
// The path finding that the ground navigation and the scene navigation walk
// by: the waypoints of one scene and the cheapest routes between them.
// VoPathFindingWeb is the one implementation.
#include <cstdint>

#include "navigation/VoShortestPath.h"

class VoPropertyList;
class VoString;
class VoVector2;
class VoWayPoint;

class VoIPathFinding {
public:
    // Route modes: 0 and 1 both look routes up in the table; any other mode
    // makes every route query fail.
    static constexpr std::int32_t kDefaultMode = 1;

    VoIPathFinding() = default;
    virtual ~VoIPathFinding() = default;
    VoIPathFinding(const VoIPathFinding&) = delete;
    VoIPathFinding& operator=(const VoIPathFinding&) = delete;

    // The waypoint nearest to the point, enabled or not; -1 without waypoints.
    virtual int GetClosestWayPoint(const VoVector2& aPoint) = 0;
    // The record of the last successful route lookup, owned by the path
    // finding; null before the first and after ClearPathTable.
    virtual VoShortestPath* GetLastPath() = 0;
    virtual VoShortestPath GetShortestPath(int aFrom, int aTo) = 0;
    // Found ignoring case.
    virtual VoWayPoint* GetWayPoint(const VoString& aId) = 0;
    virtual VoWayPoint* GetWayPoint(int aIndex) = 0;
    // *appWayPoints must hold null; it receives the path finding's own array
    // (not a copy) when there are waypoints.
    virtual bool GetWayPoints(int* apCount, VoWayPoint** appWayPoints) = 0;
    // Drops the route table; the next route query rebuilds it from the
    // current enabled flags.
    virtual bool ClearPathTable() = 0;
    virtual void SetMode(std::int32_t aMode) { fMode = aMode; }
    virtual bool Create(VoPropertyList* apList) = 0;

    std::int32_t GetMode() const { return fMode; }

protected:
    std::int32_t fMode = kDefaultMode;
};
