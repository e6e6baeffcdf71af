#include "navigation/VoPathFindingWeb.h"

#include <algorithm>
#include <cmath>

#include "container/VoInt.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorString.h"
#include "memory/VoNew.h"
#include "navigation/VoWayPoint.h"

namespace {

// The id index starts small: most scenes have a few dozen waypoints, and
// Create reserves the room it needs.
constexpr int kIdIndexCapacity = 16;

static_assert(VoPathFindingWeb::kMaxRouteWayPoints <= 32768, "waypoints must fit the table's 16-bit entries");

// A growable array of plain records from the memory manager; false when it
// cannot grow.
template <typename T>
bool Append(T** apppItems, std::int32_t* apCount, std::int32_t* apCapacity, const T& aItem) {
    if (*apCount == *apCapacity) {
        const std::int64_t capacity = *apCapacity < 16 ? 16 : 2 * static_cast<std::int64_t>(*apCapacity);
        if (capacity > 0x7FFFFFFF) {
            return false;
        }
        T* grown = VO_NEW T[static_cast<std::size_t>(capacity)];
        if (grown == nullptr) {
            return false;
        }
        T* old = *apppItems;
        for (std::int32_t i = 0; i < *apCount; ++i) {
            grown[i] = old[i];
        }
        delete[] old;
        *apppItems = grown;
        *apCapacity = static_cast<std::int32_t>(capacity);
    }
    (*apppItems)[(*apCount)++] = aItem;
    return true;
}

}  // namespace

// The search of the routes from one start, run for each start in turn with
// the same scratch arrays. It is a label-correcting search: a waypoint goes
// back into the queue whenever its cost improves, also after it was
// expanded, so the improvement reaches the waypoints beyond it and every
// cost ends optimal. Link lengths are never negative, so it ends. A strictly
// lower cost replaces a route: among equally cheap routes the one found
// first (earlier in the queue, then earlier in link order) stays.
//
// A route is given to a waypoint as the route of the waypoint it is reached
// from, as that route stands at that moment, followed by the waypoint. The
// table keeps only the waypoint reached from, so a route read back from it
// follows the routes those waypoints end with. The two differ only when a
// waypoint's route changed for a cost lower only before rounding: the
// waypoints beyond it keep the cost they had, and with it the route through
// its old route. The search logs every route it gives, and the routes that
// the table cannot give back are kept whole.
class VoPathFindingWeb::RouteSearch {
public:
    explicit RouteSearch(int aCount)
        : fCount(aCount),
          fpQueue(VO_NEW int[static_cast<std::size_t>(aCount)]()),
          fpQueued(VO_NEW bool[static_cast<std::size_t>(aCount)]()),
          fpLatest(VO_NEW std::int32_t[static_cast<std::size_t>(aCount)]()) {}
    ~RouteSearch() {
        delete[] fpQueue;
        delete[] fpQueued;
        delete[] fpLatest;
        delete[] fpGiven;
    }
    RouteSearch(const RouteSearch&) = delete;
    RouteSearch& operator=(const RouteSearch&) = delete;

    bool IsAllocated() const { return fpQueue != nullptr && fpQueued != nullptr && fpLatest != nullptr; }

    // The routes from the enabled waypoint aStart into the row's costs and
    // waypoints before the end, which hold no route on entry. False when
    // memory runs out.
    bool Run(const VoWayPoint* apWayPoints, int aStart, float* apCosts, std::int16_t* apPrevious) {
        fGivenCount = 0;
        apCosts[aStart] = 0.0f;
        apPrevious[aStart] = static_cast<std::int16_t>(aStart);
        if (!Give(aStart, -1)) {
            return false;
        }
        // A waypoint is in the queue at most once at a time, so a ring of
        // fCount slots holds it.
        int head = 0;
        int size = 1;
        fpQueue[0] = aStart;
        fpQueued[aStart] = true;
        while (size > 0) {
            const int node = fpQueue[head];
            head = (head + 1) % fCount;
            --size;
            fpQueued[node] = false;

            const VoWayPoint& wayPoint = apWayPoints[node];
            const float nodeCost = apCosts[node];
            for (int link = 0; link < wayPoint.fLinkCount; ++link) {
                const int target = wayPoint.fpLinks[link];
                if (!apWayPoints[target].fEnabled) {
                    continue;
                }
                const float cost = nodeCost + wayPoint.fpLinkLengths[link];
                if (apCosts[target] != VoShortestPath::kNoRoute && !(cost < apCosts[target])) {
                    continue;
                }
                apCosts[target] = cost;
                apPrevious[target] = static_cast<std::int16_t>(node);
                if (!Give(target, fpLatest[node])) {
                    return false;
                }
                if (!fpQueued[target]) {
                    fpQueue[(head + size) % fCount] = target;
                    ++size;
                    fpQueued[target] = true;
                }
            }
        }
        return true;
    }

    // Whether the latest route given to aWayPoint (one reached) is not the
    // latest route of the waypoint it came from followed by it.
    bool IsStale(int aWayPoint) const {
        const Given& given = fpGiven[fpLatest[aWayPoint]];
        return given.from >= 0 && fpLatest[fpGiven[given.from].wayPoint] != given.from;
    }

    // The waypoints of aWayPoint's latest route, start first, appended.
    bool AppendRoute(int aWayPoint, std::int32_t** apppWayPoints, std::int32_t* apCount,
                     std::int32_t* apCapacity) const {
        const std::int32_t first = *apCount;
        for (std::int32_t given = fpLatest[aWayPoint]; given >= 0; given = fpGiven[given].from) {
            if (!Append(apppWayPoints, apCount, apCapacity, fpGiven[given].wayPoint)) {
                return false;
            }
        }
        for (std::int32_t left = first, right = *apCount - 1; left < right; ++left, --right) {
            const std::int32_t swap = (*apppWayPoints)[left];
            (*apppWayPoints)[left] = (*apppWayPoints)[right];
            (*apppWayPoints)[right] = swap;
        }
        return true;
    }

private:
    // One route given to a waypoint: the waypoint, and the given route of
    // the waypoint it came from (-1 for the start).
    struct Given {
        std::int32_t wayPoint;
        std::int32_t from;
    };

    bool Give(int aWayPoint, std::int32_t aFrom) {
        fpLatest[aWayPoint] = fGivenCount;
        return Append(&fpGiven, &fGivenCount, &fGivenCapacity, Given{aWayPoint, aFrom});
    }

    int fCount;
    int* fpQueue;              // owned, fCount
    bool* fpQueued;            // owned, fCount
    std::int32_t* fpLatest;    // owned, fCount: each waypoint's latest route in fpGiven
    Given* fpGiven = nullptr;  // owned: the routes given from this start, in order
    std::int32_t fGivenCount = 0;
    std::int32_t fGivenCapacity = 0;
};

VoPathFindingWeb::VoPathFindingWeb()
    : fCount(0),
      fpWayPoints(nullptr),
      fIdIndex(kIdHashShift, false, kIdIndexCapacity),
      fpCosts(nullptr),
      fpPrevious(nullptr),
      fpKeptRoutes(nullptr),
      fKeptRouteCount(0),
      fpKeptWayPoints(nullptr),
      fHasLastPath(false) {}

VoPathFindingWeb::~VoPathFindingWeb() {
    FreePathTable();
    FreeWayPoints();
}

bool VoPathFindingWeb::Create(VoPropertyList* apList) {
    if (apList == nullptr) {
        VO_ASSERT_FAILURE(kCreateNullArg);
        return false;
    }
    FreePathTable();
    FreeWayPoints();

    const int entryCount = apList->GetCount();
    int count = 0;
    for (int i = 0; i < entryCount; ++i) {
        if (apList->GetListAt(i) != nullptr) {
            ++count;
        } else {
            VO_ASSERT_FAILURE(kCreateNotASection, apList->GetKeyAt(i));
        }
    }
    if (count == 0) {
        return true;
    }
    fpWayPoints = VO_NEW VoWayPoint[count];
    if (fpWayPoints == nullptr) {
        VO_ASSERT_FAILURE(kCreateAllocation);
        return false;
    }
    fCount = count;
    fIdIndex.Reserve(count);

    // Every id must be known before the links name them.
    int index = 0;
    for (int i = 0; i < entryCount; ++i) {
        VoPropertyList* section = apList->GetListAt(i);
        if (section == nullptr) {
            continue;
        }
        VoWayPoint& wayPoint = fpWayPoints[index];
        wayPoint.fId = apList->GetKeyAt(i);

        bool found = false;
        const VoVectorFloat coords = section->GetVectorFloat(kCoordsKey, &found);
        if (!found) {
            VO_ASSERT_FAILURE(kMissingKey);
        }
        // A missing number is logged by the vector and reads as 0.
        wayPoint.fCoords.Set(coords.GetAt(0), coords.GetAt(1));
        if (!std::isfinite(wayPoint.fCoords.x) || !std::isfinite(wayPoint.fCoords.y)) {
            // An overlong number reads as infinity, whose distances are no lengths.
            VO_ASSERT_FAILURE(kCreateInvalidCoords, wayPoint.fId);
            wayPoint.fCoords.Set(0.0f, 0.0f);
        }
        wayPoint.fEnabled = true;

        VoInt* box = VO_NEW VoInt(index);
        if (box != nullptr) {
            // A duplicate is refused (and logged) by the list; the hash of a
            // refusal is also that of some keys, so the count tells.
            const int before = fIdIndex.GetCount();
            fIdIndex.Add(wayPoint.fId.ToLower(), box, true);
            if (fIdIndex.GetCount() == before) {
                delete box;
            }
        }

        wayPoint.fStairClass = VoWayPoint::StairClassOf(section->GetString(kClassKey, &found));
        ++index;
    }

    index = 0;
    for (int i = 0; i < entryCount; ++i) {
        VoPropertyList* section = apList->GetListAt(i);
        if (section == nullptr) {
            continue;
        }
        VoWayPoint& wayPoint = fpWayPoints[index++];
        bool found = false;
        const VoVectorString names = section->GetVectorString(kLinksKey, &found);
        if (!found) {
            VO_ASSERT_FAILURE(kMissingKey);
        }
        const int nameCount = names.GetCount();
        int known = 0;
        for (int k = 0; k < nameCount; ++k) {
            if (IndexOf(names.GetAt(k)) >= 0) {
                ++known;
            } else {
                VO_ASSERT_FAILURE(kCreateUnknownLink, names.GetAt(k));
            }
        }
        if (!wayPoint.AllocateLinks(known)) {
            VO_ASSERT_FAILURE(kCreateAllocation);
            continue;
        }
        int link = 0;
        for (int k = 0; k < nameCount; ++k) {
            const int target = IndexOf(names.GetAt(k));
            if (target < 0) {
                continue;
            }
            wayPoint.fpLinks[link] = target;
            wayPoint.fpLinkEnabled[link] = 1;
            wayPoint.fpLinkLengths[link] = wayPoint.fCoords.Distance(fpWayPoints[target].fCoords);
            ++link;
        }
    }
    return true;
}

int VoPathFindingWeb::GetClosestWayPoint(const VoVector2& aPoint) {
    int best = -1;
    float bestDistance = 0.0f;
    for (int i = 0; i < fCount; ++i) {
        const float distance = aPoint.DistanceSquared(fpWayPoints[i].fCoords);
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

VoShortestPath VoPathFindingWeb::GetShortestPath(int aFrom, int aTo) {
    if (fMode != 0 && fMode != 1) {
        VO_ASSERT_FAILURE(kGetShortestPathFailure);
        return VoShortestPath();
    }
    return LookUpShortestPath(aFrom, aTo);
}

VoShortestPath VoPathFindingWeb::LookUpShortestPath(int aFrom, int aTo) {
    if (fpCosts == nullptr) {
        BuildPathTable();
    }
    if (aFrom < 0 || aFrom >= fCount || aTo < 0 || aTo >= fCount) {
        VO_ASSERT_FAILURE(kLookUpInvalidIndex);
        return VoShortestPath();
    }
    if (fpCosts == nullptr) {
        return VoShortestPath();
    }
    ReadRoute(aFrom, aTo, &fLastPath);
    fHasLastPath = true;
    return fLastPath;
}

void VoPathFindingWeb::ReadRoute(int aFrom, int aTo, VoShortestPath* apRoute) const {
    const std::size_t row = static_cast<std::size_t>(aFrom) * static_cast<std::size_t>(fCount);
    apRoute->fCost = fpCosts[row + static_cast<std::size_t>(aTo)];
    apRoute->fPath.SetCount(0);
    if (!apRoute->HasRoute()) {
        return;
    }
    // Back from the end to the start, or to a route kept whole; every step
    // goes to a cheaper or equal cost, so a walk takes at most fCount steps.
    const std::int16_t* previous = fpPrevious + row;
    const KeptRoute* kept = nullptr;
    int length = 1;
    for (int at = aTo; at != aFrom && length <= fCount; ++length, at = previous[at]) {
        kept = FindKeptRoute(aFrom, at);
        if (kept != nullptr) {
            length += kept->count - 1;
            break;
        }
    }
    if (!apRoute->fPath.SetCount(length)) {
        apRoute->fPath.SetCount(0);
        return;
    }
    int at = aTo;
    int place = length - 1;
    for (; place >= 0 && (kept == nullptr || at != kept->to); --place, at = previous[at]) {
        apRoute->fPath.SetAt(place, at);
    }
    for (int k = kept != nullptr ? kept->count - 1 : -1; k >= 0 && place >= 0; --k, --place) {
        apRoute->fPath.SetAt(place, fpKeptWayPoints[kept->first + k]);
    }
}

const VoPathFindingWeb::KeptRoute* VoPathFindingWeb::FindKeptRoute(int aFrom, int aTo) const {
    std::int32_t low = 0;
    std::int32_t high = fKeptRouteCount;
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        const KeptRoute& route = fpKeptRoutes[middle];
        if (route.from < aFrom || (route.from == aFrom && route.to < aTo)) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low < fKeptRouteCount && fpKeptRoutes[low].from == aFrom && fpKeptRoutes[low].to == aTo
               ? &fpKeptRoutes[low]
               : nullptr;
}

VoWayPoint* VoPathFindingWeb::GetWayPoint(const VoString& aId) {
    if (fpWayPoints == nullptr) {
        VO_ASSERT_FAILURE(kGetWayPointUndefined);
        return nullptr;
    }
    const int index = IndexOf(aId);
    if (index < 0) {
        VO_ASSERT_FAILURE(kGetWayPointIdNotFound, aId);
        return nullptr;
    }
    return &fpWayPoints[index];
}

VoWayPoint* VoPathFindingWeb::GetWayPoint(int aIndex) {
    if (fpWayPoints == nullptr) {
        VO_ASSERT_FAILURE(kGetWayPointUndefined);
        return nullptr;
    }
    if (aIndex < 0 || aIndex >= fCount) {
        VO_ASSERT_FAILURE(kGetWayPointInvalidIndex);
        return nullptr;
    }
    return &fpWayPoints[aIndex];
}

bool VoPathFindingWeb::GetWayPoints(int* apCount, VoWayPoint** appWayPoints) {
    if (apCount == nullptr || appWayPoints == nullptr || *appWayPoints != nullptr) {
        VO_ASSERT_FAILURE(kGetWayPointsNullArg);
        return false;
    }
    *apCount = fCount;
    if (fCount > 0) {
        *appWayPoints = fpWayPoints;
    }
    return true;
}

bool VoPathFindingWeb::ClearPathTable() {
    FreePathTable();
    return true;
}

bool VoPathFindingWeb::BuildPathTable() {
    FreePathTable();
    if (fCount == 0) {
        return true;
    }
    if (fCount > kMaxRouteWayPoints) {
        VO_ASSERT_FAILURE(kBuildTooManyWayPoints, fCount);
        return false;
    }
    const std::size_t cells = static_cast<std::size_t>(fCount) * static_cast<std::size_t>(fCount);
    fpCosts = VO_NEW float[cells];
    fpPrevious = VO_NEW std::int16_t[cells];
    RouteSearch search(fCount);
    bool built = fpCosts != nullptr && fpPrevious != nullptr && search.IsAllocated();
    if (built) {
        std::fill(fpCosts, fpCosts + cells, VoShortestPath::kNoRoute);
        std::fill(fpPrevious, fpPrevious + cells, std::int16_t{-1});
    }
    std::int32_t keptCapacity = 0;
    std::int32_t keptWayPoints = 0;
    std::int32_t keptWayPointCapacity = 0;
    for (int start = 0; built && start < fCount; ++start) {
        // Rows of disabled waypoints keep no route at all, not even to
        // themselves.
        if (!fpWayPoints[start].fEnabled) {
            continue;
        }
        float* costs = fpCosts + static_cast<std::size_t>(start) * static_cast<std::size_t>(fCount);
        std::int16_t* previous =
            fpPrevious + static_cast<std::size_t>(start) * static_cast<std::size_t>(fCount);
        built = search.Run(fpWayPoints, start, costs, previous);
        for (int end = 0; built && end < fCount; ++end) {
            if (end == start || costs[end] == VoShortestPath::kNoRoute || !search.IsStale(end)) {
                continue;
            }
            const std::int32_t first = keptWayPoints;
            built = search.AppendRoute(end, &fpKeptWayPoints, &keptWayPoints, &keptWayPointCapacity) &&
                    Append(&fpKeptRoutes, &fKeptRouteCount, &keptCapacity,
                           KeptRoute{start, end, first, keptWayPoints - first});
        }
    }
    if (!built) {
        VO_ASSERT_FAILURE(kBuildAllocation);
        FreePathTable();
    }
    return built;
}

void VoPathFindingWeb::FreePathTable() {
    delete[] fpCosts;
    delete[] fpPrevious;
    delete[] fpKeptRoutes;
    delete[] fpKeptWayPoints;
    fpCosts = nullptr;
    fpPrevious = nullptr;
    fpKeptRoutes = nullptr;
    fpKeptWayPoints = nullptr;
    fKeptRouteCount = 0;
    fHasLastPath = false;
}

void VoPathFindingWeb::FreeWayPoints() {
    fIdIndex.ClearAndDelete<VoInt>();
    delete[] fpWayPoints;
    fpWayPoints = nullptr;
    fCount = 0;
}

int VoPathFindingWeb::IndexOf(const VoString& aId) {
    const VoInt* box = static_cast<VoInt*>(fIdIndex.Get(aId.ToLower()));
    return box == nullptr ? -1 : box->fValue;
}
