#pragma once
// A route of the path-finding web: its cost, the summed lengths of its links
// (-1.0 for no route, or one not searched yet), and the waypoint indices from
// the start waypoint to the end waypoint, both included. Copied by value.
#include "container/VoVectorInt.h"

class VoShortestPath {
public:
    static constexpr float kNoRoute = -1.0f;
    // A route table holds one record per pair of waypoints, most of them
    // short: start every path small instead of at the vector's default room.
    static constexpr int kPathCapacity = 0;
    static constexpr int kPathIncrement = 8;

    VoShortestPath() : fCost(kNoRoute), fPath(kPathCapacity, kPathIncrement) {}
    VoShortestPath(const VoShortestPath&) = default;
    VoShortestPath& operator=(const VoShortestPath&) = default;

    bool HasRoute() const { return fCost != kNoRoute; }

    float fCost;
    VoVectorInt fPath;
};
