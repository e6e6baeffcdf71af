#pragma once
// A walkable region of the ground navigation: a closed outline of ground
// points (x, world z) seen by one camera and lying on one ground mesh, whose
// frame the navigation finds by name when it first selects the camera.
#include <cstdint>

#include "container/VoString.h"
#include "geometry/VoPolygon.h"

class VoFrame;

class VoPosBounds {
public:
    // fClockwise before the winding is known.
    static constexpr std::int32_t kWindingUnknown = 2;

    VoPosBounds() = default;
    VoPosBounds(const VoPosBounds&) = delete;
    VoPosBounds& operator=(const VoPosBounds&) = delete;

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
    VoString fCamera;
    VoString fGround;                  // the ground mesh's frame name
    VoFrame* fpGroundFrame = nullptr;  // not owned: a frame of the scene root; null until resolved
};
