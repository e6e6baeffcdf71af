#pragma once
// The place a hotspot's object stands in the room, from its section of the
// scene's "evidence.txt":
//     coords=x|y|z     the point the player turns to
//     vcoords=x|z      the ground point the player walks to
//     radius=40        within this of vcoords the player only turns
// A missing value is logged and left at 0.
#include "geometry/VoVector2.h"
#include "geometry/VoVector3.h"

class VoPropertyList;

class MGObjectOfInterest {
public:
    static constexpr const char* kNoCoords = "'coords' not found.";
    static constexpr const char* kNoVCoords = "'vcoords' not found.";
    static constexpr const char* kNoRadius = "'radius' not found.";

    // Reads the section (null reads nothing). True.
    bool Read(VoPropertyList* apSection);

    VoVector3 fCoords;
    VoVector2 fVCoords;
    float fRadius = 0.0f;
};
