#include "platform/VoLetterbox.h"

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
