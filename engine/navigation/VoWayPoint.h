#pragma once
// One waypoint of the path-finding web: a ground point (x, world z) with the
// directed links that lead from it. A connection walkable both ways is listed
// in both waypoints' link lists. A plain record filled by the web's reader;
// the ground navigation switches fEnabled per camera.
#include <cstdint>

#include "container/VoString.h"
#include "geometry/VoVector2.h"

class VoWayPoint {
public:
    // Stair classes, the values of fStairClass.
    static constexpr std::int32_t kOrdinary = 0;
    static constexpr std::int32_t kTopStair = 1;
    static constexpr std::int32_t kBottomStair = 2;
    // The "class" texts, compared ignoring case; any other text is ordinary.
    static constexpr const char16_t* kTopStairText = u"topstair";
    static constexpr const char16_t* kBottomStairText = u"bottomstair";

    VoWayPoint() = default;
    ~VoWayPoint();
    VoWayPoint(const VoWayPoint&) = delete;
    VoWayPoint& operator=(const VoWayPoint&) = delete;

    // The class that a "class" text names.
    static std::int32_t StairClassOf(const VoString& aText);

    // Replaces the links by aCount new zeroed ones (all three arrays); false,
    // with no links, when they cannot be had.
    bool AllocateLinks(int aCount);
    void FreeLinks();

    VoString fId;  // the key in the file, case kept
    VoVector2 fCoords;
    bool fEnabled = false;
    std::int32_t fLinkCount = 0;
    std::int32_t* fpLinks = nullptr;       // owned; indices of the linked waypoints, in file order
    float* fpLinkLengths = nullptr;        // owned; distance to each linked waypoint
    std::uint8_t* fpLinkEnabled = nullptr; // owned; 1 per link, read by no route code
    std::int32_t fStairClass = kOrdinary;
};
