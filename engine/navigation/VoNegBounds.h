#pragma once
// An obstacle of the ground navigation: a closed outline of ground points
// (x, world z) that no walk enters, whatever the camera.
#include <cstdint>

#include "container/VoString.h"
#include "geometry/VoPolygon.h"

class VoNegBounds {
public:
    // fClockwise before the winding is known.
    static constexpr std::int32_t kWindingUnknown = 2;

    VoNegBounds() = default;
    VoNegBounds(const VoNegBounds&) = delete;
    VoNegBounds& operator=(const VoNegBounds&) = delete;

    // The outline's winding (VoPolygon::IsClockwise), worked out on first use.
    bool IsClockwise() {
        if (fClockwise == kWindingUnknown) {
            fClockwise = fPolygon.IsClockwise() ? 1 : 0;
        }
        return fClockwise == 1;
    }

    VoString fId;
    VoPolygon fPolygon;  // closed
    std::int32_t fClockwise = kWindingUnknown;
    VoString fGround;  // the ground mesh's frame name, kept but not used
};
