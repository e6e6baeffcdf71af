#include "character/VoGestureCurve.h"

#include "container/VoLog.h"
#include "geometry/VoSpline.h"
#include "geometry/VoVector2.h"
#include "geometry/VoVector3.h"
#include "memory/VoNew.h"

VoGestureCurve::~VoGestureCurve() {
    delete[] fpSamples;
    fpSamples = nullptr;
}

bool VoGestureCurve::Build(std::int32_t aCount, const VoVector2* apPoints) {
    delete[] fpSamples;
    fpSamples = nullptr;
    fSampleCount = 0;
    fCursor = 0;
    if (aCount < 4 || aCount % 3 != 1 || apPoints == nullptr) {
        return true;
    }
    // The segments of a joined Bezier path, sampled as the path shape
    // samples them (VoSBezier), without a display object around them.
    const std::int32_t segments = aCount / 3;
    VoSpline segment;
    const std::int64_t total = static_cast<std::int64_t>(segments) * (segment.numSteps + 1);
    fpSamples = VO_NEW VoVector2[static_cast<std::size_t>(total)];
    if (fpSamples == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    std::int32_t written = 0;
    for (std::int32_t i = 0; i < segments; ++i) {
        const VoVector2* p = apPoints + static_cast<std::size_t>(i) * 3;
        VoVector3* points = nullptr;
        if (!segment.Create(VoVector3(p[0].x, p[0].y, 0.0f), VoVector3(p[1].x, p[1].y, 0.0f),
                            VoVector3(p[2].x, p[2].y, 0.0f), VoVector3(p[3].x, p[3].y, 0.0f)) ||
            !segment.GetPoints(&points)) {
            delete[] fpSamples;
            fpSamples = nullptr;
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
        for (std::int32_t k = 0; k <= segment.numSteps; ++k) {
            fpSamples[written++] = VoVector2(points[k].x, points[k].y);
        }
        delete[] points;
    }
    fSampleCount = written;
    return true;
}

bool VoGestureCurve::Find(float aTime, float* apY) {
    for (std::int32_t i = fCursor < 0 ? 0 : fCursor; i < fSampleCount; ++i) {
        if (fpSamples[i].x >= aTime) {
            fCursor = i;
            if (apY != nullptr) {
                *apY = fpSamples[i].y;
            }
            return true;
        }
    }
    return false;
}
