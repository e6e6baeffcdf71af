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

    // The pixel of the picture (aWidth x aHeight) shown at the surface's
    // pixel (aX, aY), with points on the bars or off the surface taken to the
    // nearest edge pixel. False, nothing written, when the box is empty.
    bool ToPicture(std::int32_t aX, std::int32_t aY, std::int32_t aWidth, std::int32_t aHeight,
                   std::int32_t* apX, std::int32_t* apY) const;
};
