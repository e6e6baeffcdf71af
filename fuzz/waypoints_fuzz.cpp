// Reads arbitrary bytes as a waypoint file (single-byte text up to the first
// zero byte, as VoPropertyList::Load reads it) into a path-finding web, then
// asks it what the navigation asks: waypoints by index and by id, the
// closest waypoint, and routes before and after some waypoints are disabled.
#include <cstddef>
#include <cstdint>

#include "container/VoPropertyList.h"
#include "geometry/VoVector2.h"
#include "navigation/VoPathFindingWeb.h"
#include "navigation/VoWayPoint.h"
#include "support/FuzzSupport.h"

namespace {

// Route tables grow with the square of the waypoint count; larger webs are
// read and looked up, but not routed, to keep each run short.
constexpr int kMaxRoutedWayPoints = 96;

void QueryRoutes(VoPathFindingWeb& aWeb) {
    const int count = aWeb.GetCount();
    if (count > kMaxRoutedWayPoints) {
        return;
    }
    for (int from = -1; from <= count; ++from) {
        for (int to = -1; to <= count; ++to) {
            const VoShortestPath route = aWeb.GetShortestPath(from, to);
            // Every index on a route names a waypoint.
            for (int i = 0; i < route.fPath.GetCount(); ++i) {
                if (aWeb.GetWayPoint(route.fPath.GetAt(i)) == nullptr) {
                    __builtin_trap();
                }
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    VoPropertyList list;
    if (!ParseFuzzPropertyList(apData, aSize, 0x10000, &list)) {
        return 0;
    }
    VoPathFindingWeb web;
    web.Create(&list);

    const int count = web.GetCount();
    for (int i = 0; i < list.GetCount(); ++i) {
        web.GetWayPoint(list.GetKeyAt(i));
    }
    for (int i = -1; i <= count; ++i) {
        VoWayPoint* wayPoint = web.GetWayPoint(i);
        if (wayPoint != nullptr) {
            web.GetClosestWayPoint(wayPoint->fCoords);
            for (int k = 0; k < wayPoint->fLinkCount; ++k) {
                if (wayPoint->fpLinks[k] < 0 || wayPoint->fpLinks[k] >= count) {
                    __builtin_trap();
                }
            }
        }
    }
    web.GetClosestWayPoint(VoVector2(0.0f, 0.0f));
    int wayPointCount = 0;
    VoWayPoint* wayPoints = nullptr;
    web.GetWayPoints(&wayPointCount, &wayPoints);

    QueryRoutes(web);
    // Disable the waypoints whose input byte is odd, as a camera change does.
    for (int i = 0; i < count; ++i) {
        web.GetWayPoint(i)->fEnabled = (apData[static_cast<std::size_t>(i) % aSize] & 1) == 0;
    }
    web.ClearPathTable();
    QueryRoutes(web);
    web.SetMode(static_cast<std::int32_t>(aSize % 3));
    web.GetShortestPath(0, count - 1);
    return 0;
}
