#pragma once
// The click area of a menu control: a polygon in screen coordinates, read
// from a layout key whose value lists the points as "x1|y1|x2|y2|...". Its
// outline belongs to it, so a point on any edge is inside.
#include "container/VoString.h"

class VoPolygon;
class VoPropertyList;
class VoVector2;

class MGMenuArea {
public:
    MGMenuArea() = delete;

    // A new polygon (the caller's) of the key's points in order; a last
    // unpaired number is ignored. Null when the key is missing.
    static VoPolygon* Read(VoPropertyList* apNode, const VoString& aKey);
    // Inside or on the outline. False for a null area.
    static bool Contains(const VoPolygon* apArea, const VoVector2& aPoint);
};
