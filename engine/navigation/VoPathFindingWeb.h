#pragma once
// The path-finding web: the waypoints of one scene, read from its waypoint
// file, and the cheapest routes between them, where a route's cost is the
// sum of the straight-line lengths of its links. Only enabled waypoints take
// part in routes. The routes of all pairs are found together, at the first
// route query after Create or ClearPathTable, and kept in a table that the
// walk's per-frame queries merely look up. The table holds, for every pair,
// the route's cost and the waypoint before its end; a route is read back
// from those at each query.
//
// The waypoint file is a property list whose top-level sections are the
// waypoints, in file order (index = position among them, from 0), each keyed
// by its id:
//     door
//         coords=0|0
//         links=hall
//         class=topstair
// "coords" is x then y (the world z); "links" names the waypoints that this
// one leads to, ignoring case; "class" is "topstair" or "bottomstair"
// (ignoring case), anything else or nothing an ordinary waypoint.
#include <cstdint>

#include "container/VoHashKeyList.h"
#include "navigation/VoIPathFinding.h"

class VoPathFindingWeb : public VoIPathFinding {
public:
    static constexpr int kIdHashShift = 7;
    // The route table holds a cost and a waypoint per ordered pair of
    // waypoints, so its size grows with the square of the count: a web beyond
    // this count gets no table, and every route query fails.
    static constexpr int kMaxRouteWayPoints = 1024;

    static constexpr const char16_t* kCoordsKey = u"coords";
    static constexpr const char16_t* kLinksKey = u"links";
    static constexpr const char16_t* kClassKey = u"class";

    static constexpr const char* kGetShortestPathFailure = "GetShortestPath failure.";
    static constexpr const char* kLookUpInvalidIndex = "LookUpShortestPath failure. Invalid index.";
    static constexpr const char* kGetWayPointInvalidIndex = "GetWayPoint failure. Invalid index.";
    static constexpr const char* kGetWayPointUndefined = "GetWayPoint failure. WayPoints undefined.";
    static constexpr const char* kGetWayPointIdNotFound = "GetWayPoint failure. ID not found: ";
    static constexpr const char* kGetWayPointsNullArg = "GetWayPoints failure. NULL arg.";
    // A waypoint section without "coords" or without "links".
    static constexpr const char* kMissingKey = "";
    static constexpr const char* kCreateNullArg = "Create failure. NULL arg.";
    static constexpr const char* kCreateNotASection = "Create failure. Not a waypoint section: ";
    static constexpr const char* kCreateUnknownLink = "Create failure. Link to an unknown waypoint: ";
    static constexpr const char* kCreateInvalidCoords = "Create failure. Invalid coords: ";
    static constexpr const char* kCreateAllocation = "Create failure. Could not allocate the waypoints.";
    static constexpr const char* kBuildTooManyWayPoints = "BuildPathTable failure. Too many waypoints: ";
    static constexpr const char* kBuildAllocation = "BuildPathTable failure. Could not allocate the table.";

    VoPathFindingWeb();
    ~VoPathFindingWeb() override;

    // Reads the waypoint file's list (see above), replacing any earlier
    // content. Problems are logged as assertions and the reading goes on:
    // a plain value among the sections is no waypoint; a waypoint without
    // "coords" stands at (0, 0) and one without "links" leads nowhere; a link
    // to an unknown id is dropped; a second waypoint whose id differs only in
    // case is found by index, not by id. False only for a null list or when
    // the waypoints cannot be allocated.
    bool Create(VoPropertyList* apList) override;

    int GetClosestWayPoint(const VoVector2& aPoint) override;
    VoShortestPath* GetLastPath() override { return fHasLastPath ? &fLastPath : nullptr; }
    // Modes 0 and 1 look the route up (LookUpShortestPath); any other mode
    // logs kGetShortestPathFailure and gives a record without a route.
    VoShortestPath GetShortestPath(int aFrom, int aTo) override;
    VoWayPoint* GetWayPoint(const VoString& aId) override;
    VoWayPoint* GetWayPoint(int aIndex) override;
    bool GetWayPoints(int* apCount, VoWayPoint** appWayPoints) override;
    bool ClearPathTable() override;

    // Builds the table when there is none, then gives a copy of the route
    // from aFrom to aTo and remembers it as the last path. An index outside
    // the web gives a record without a route and keeps the last path.
    VoShortestPath LookUpShortestPath(int aFrom, int aTo);

    int GetCount() const { return fCount; }

private:
    class RouteSearch;

    // A route whose waypoints are kept whole, because it is not the route of
    // the waypoint before its end followed by its end (see VoPathFindingWeb.cpp).
    struct KeptRoute {
        std::int32_t from;
        std::int32_t to;
        std::int32_t first;  // its waypoints, in fpKeptWayPoints
        std::int32_t count;
    };

    // Finds the cheapest route of every pair of enabled waypoints. False,
    // with no table, when the web is too large or memory runs out.
    bool BuildPathTable();
    // The route from aFrom to aTo, read back from the table, into *apRoute.
    void ReadRoute(int aFrom, int aTo, VoShortestPath* apRoute) const;
    // The kept route from aFrom to aTo, or null.
    const KeptRoute* FindKeptRoute(int aFrom, int aTo) const;
    void FreePathTable();
    void FreeWayPoints();
    // The index of the waypoint whose id is aId ignoring case, or -1.
    int IndexOf(const VoString& aId);

    std::int32_t fCount;
    VoWayPoint* fpWayPoints;  // owned, fCount of them; null until Create
    VoHashKeyList fIdIndex;   // lower-cased id -> VoInt index; the boxes are owned
    // The table, fCount rows of fCount entries, the row the start; null
    // until a query. A pair without a route has the cost kNoRoute.
    float* fpCosts;            // owned
    std::int16_t* fpPrevious;  // owned: the waypoint before the end (the start's own is the start)
    KeptRoute* fpKeptRoutes;   // owned, ordered by start, then end; null when there are none
    std::int32_t fKeptRouteCount;
    std::int32_t* fpKeptWayPoints;  // owned
    VoShortestPath fLastPath;       // the route of the last lookup, while fHasLastPath
    bool fHasLastPath;
};
