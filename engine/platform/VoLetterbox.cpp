#include "platform/VoLetterbox.h"

#include <algorithm>

VoLetterbox VoLetterbox::Fit(std::int32_t aWidth, std::int32_t aHeight, std::int32_t aSurfaceWidth,
                             std::int32_t aSurfaceHeight) {
    VoLetterbox box;
    if (aWidth <= 0 || aHeight <= 0 || aSurfaceWidth <= 0 || aSurfaceHeight <= 0) {
        return box;
    }
    // Compare the aspects by cross-multiplying in 64 bits: exact, no rounding.
    const std::int64_t wide = static_cast<std::int64_t>(aSurfaceWidth) * aHeight;
    const std::int64_t tall = static_cast<std::int64_t>(aSurfaceHeight) * aWidth;
    if (wide >= tall) {
        // Bars left and right.
        box.fHeight = aSurfaceHeight;
        box.fWidth = static_cast<std::int32_t>((tall + aHeight / 2) / aHeight);
    } else {
        box.fWidth = aSurfaceWidth;
        box.fHeight = static_cast<std::int32_t>((wide + aWidth / 2) / aWidth);
    }
    box.fX = (aSurfaceWidth - box.fWidth) / 2;
    box.fY = (aSurfaceHeight - box.fHeight) / 2;
    return box;
}

namespace {

// The picture's pixel under the surface pixel aAt along one axis: the box
// starts at aStart and is aSpan wide there, the picture aSize wide.
std::int32_t PictureAxis(std::int32_t aAt, std::int32_t aStart, std::int32_t aSpan, std::int32_t aSize) {
    const std::int64_t offset = static_cast<std::int64_t>(aAt) - aStart;
    if (offset < 0) {
        return 0;
    }
    const std::int64_t pixel = offset * aSize / aSpan;
    return static_cast<std::int32_t>(std::min<std::int64_t>(pixel, aSize - 1));
}

}  // namespace

bool VoLetterbox::ToPicture(std::int32_t aX, std::int32_t aY, std::int32_t aWidth, std::int32_t aHeight,
                            std::int32_t* apX, std::int32_t* apY) const {
    if (fWidth <= 0 || fHeight <= 0 || aWidth <= 0 || aHeight <= 0) {
        return false;
    }
    *apX = PictureAxis(aX, fX, fWidth, aWidth);
    *apY = PictureAxis(aY, fY, fHeight, aHeight);
    return true;
}
