#include "navigation/VoPathFindingWeb.h"

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

}  // namespace

VoPathFindingWeb::VoPathFindingWeb()
    : fCount(0),
      fpWayPoints(nullptr),
      fIdIndex(kIdHashShift, false, kIdIndexCapacity),
      fppPathTable(nullptr),
      fpLastPath(nullptr) {}

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
    if (fppPathTable == nullptr) {
        BuildPathTable();
    }
    if (aFrom < 0 || aFrom >= fCount || aTo < 0 || aTo >= fCount) {
        VO_ASSERT_FAILURE(kLookUpInvalidIndex);
        return VoShortestPath();
    }
    if (fppPathTable == nullptr) {
        return VoShortestPath();
    }
    fpLastPath = &fppPathTable[aFrom][aTo];
    return *fpLastPath;
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
    fppPathTable = VO_NEW VoShortestPath*[fCount]();
    int* queue = VO_NEW int[fCount]();
    bool* queued = VO_NEW bool[fCount]();
    bool built = fppPathTable != nullptr && queue != nullptr && queued != nullptr;
    for (int row = 0; built && row < fCount; ++row) {
        fppPathTable[row] = VO_NEW VoShortestPath[fCount];
        built = fppPathTable[row] != nullptr;
    }
    if (!built) {
        VO_ASSERT_FAILURE(kBuildAllocation);
        FreePathTable();
    } else {
        for (int start = 0; start < fCount; ++start) {
            // Rows of disabled waypoints keep no route at all, not even to
            // themselves.
            if (fpWayPoints[start].fEnabled) {
                FindRoutesFrom(start, fppPathTable[start], queue, queued);
            }
        }
    }
    delete[] queue;
    delete[] queued;
    return built;
}

// A label-correcting search: a waypoint goes back into the queue whenever its
// cost improves, also after it was expanded, so the improvement reaches the
// waypoints beyond it and every cost ends optimal. Link lengths are never
// negative, so it ends. A strictly lower cost replaces a route: among equally
// cheap routes the one found first (earlier in the queue, then earlier in
// link order) stays.
void VoPathFindingWeb::FindRoutesFrom(int aStart, VoShortestPath* apRow, int* apQueue, bool* apQueued) {
    apRow[aStart].fCost = 0.0f;
    apRow[aStart].fPath.Add(aStart);

    // A waypoint is in the queue at most once at a time, so a ring of fCount
    // slots holds it.
    int head = 0;
    int size = 0;
    apQueue[0] = aStart;
    size = 1;
    apQueued[aStart] = true;
    while (size > 0) {
        const int node = apQueue[head];
        head = (head + 1) % fCount;
        --size;
        apQueued[node] = false;

        const VoWayPoint& wayPoint = fpWayPoints[node];
        for (int link = 0; link < wayPoint.fLinkCount; ++link) {
            const int target = wayPoint.fpLinks[link];
            if (!fpWayPoints[target].fEnabled) {
                continue;
            }
            const float cost = apRow[node].fCost + wayPoint.fpLinkLengths[link];
            VoShortestPath& route = apRow[target];
            if (route.HasRoute() && !(cost < route.fCost)) {
                continue;
            }
            route.fCost = cost;
            route.fPath = apRow[node].fPath;
            route.fPath.Add(target);
            if (!apQueued[target]) {
                apQueue[(head + size) % fCount] = target;
                ++size;
                apQueued[target] = true;
            }
        }
    }
}

void VoPathFindingWeb::FreePathTable() {
    if (fppPathTable != nullptr) {
        for (int row = 0; row < fCount; ++row) {
            delete[] fppPathTable[row];
        }
        delete[] fppPathTable;
        fppPathTable = nullptr;
    }
    fpLastPath = nullptr;
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
