#pragma once
// Where a picture lands when it is scaled to fit a surface with its aspect
// kept: as large as fits, centred, with bars on two sides.
#include <cstdint>

struct VoLetterbox {
    std::int32_t fX = 0;
    std::int32_t fY = 0;
    std::int32_t fWidth = 0;
    std::int32_t fHeight = 0;

    // The rectangle of the surface (aSurfaceWidth x aSurfaceHeight) that a
    // picture of aWidth x aHeight fills; empty when either has no area.
    static VoLetterbox Fit(std::int32_t aWidth, std::int32_t aHeight, std::int32_t aSurfaceWidth,
                           std::int32_t aSurfaceHeight);
};
