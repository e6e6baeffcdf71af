#include "gdi/VoSBezier.h"

#include <cstdint>
#include <limits>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "geometry/VoSpline.h"
#include "geometry/VoVector2.h"
#include "geometry/VoVector3.h"
#include "memory/VoNew.h"

namespace {

constexpr int kPointsPerCurve = 4;

VoVector3 ToPoint(const VoVector2& aPoint) {
    return VoVector3(aPoint);
}

const VoVector3& ToPoint(const VoVector3& aPoint) {
    return aPoint;
}

}  // namespace

VoSBezier::VoSBezier() = default;

VoSBezier::~VoSBezier() {
    DeleteSegments();
}

VoString VoSBezier::ToString() const {
    return VoDebugString("VoSBezier", this);
}

bool VoSBezier::Render(VoRenderer* apRenderer) {
    return VoIShape::Render(apRenderer);
}

void VoSBezier::DeleteSegments() {
    for (int i = 0; i < fSegmentCount; ++i) {
        delete fppSegments[i];
    }
    delete[] fppSegments;
    fppSegments = nullptr;
    fSegmentCount = 0;
}

bool VoSBezier::Create(int aCount, const VoVector2* apPoints, bool aJoined) {
    return CreateFrom(aCount, apPoints, aJoined);
}

bool VoSBezier::Create(int aCount, const VoVector3* apPoints, bool aJoined) {
    return CreateFrom(aCount, apPoints, aJoined);
}

template <typename Point>
bool VoSBezier::CreateFrom(int aCount, const Point* apPoints, bool aJoined) {
    const bool fits = aJoined ? aCount >= 1 && aCount % 3 == 1 : aCount >= 0 && aCount % kPointsPerCurve == 0;
    if (!fits) {
        VO_ASSERT_FAILURE(kCreateBadCount);
        return false;
    }
    const int stride = aJoined ? 3 : kPointsPerCurve;
    const int segments = aCount / stride;
    if (segments > 0 && apPoints == nullptr) {
        VO_ASSERT_FAILURE(kCreateNull);
        return false;
    }
    VoSpline** made = segments > 0 ? VO_NEW VoSpline* [static_cast<std::size_t>(segments)]() : nullptr;
    bool complete = segments == 0 || made != nullptr;
    for (int i = 0; complete && i < segments; ++i) {
        const Point* first = apPoints + static_cast<std::size_t>(i) * stride;
        made[i] = VO_NEW VoSpline();
        complete = made[i] != nullptr && made[i]->Create(ToPoint(first[0]), ToPoint(first[1]),
                                                         ToPoint(first[2]), ToPoint(first[3]));
    }
    if (!complete) {
        for (int i = 0; made != nullptr && i < segments; ++i) {
            delete made[i];
        }
        delete[] made;
        VO_ERROR(kCreateNoMemory);
        return false;
    }
    DeleteSegments();
    fppSegments = made;
    fSegmentCount = segments;
    return true;
}

VoSpline* VoSBezier::GetSegment(int aIndex) const {
    if (aIndex < 0 || aIndex >= fSegmentCount) {
        return nullptr;
    }
    return fppSegments[aIndex];
}

bool VoSBezier::UpdateShape() {
    if (fSegmentCount == 0 || !IsDirty()) {
        return false;
    }
    std::int64_t total = 1;
    for (int i = 0; i < fSegmentCount; ++i) {
        total += fppSegments[i]->numSteps;
    }
    bool result = total > 1 && total <= std::numeric_limits<std::int32_t>::max() / 3;
    const int count = result ? static_cast<int>(total) : 0;
    float* vertices = result ? VO_NEW float[static_cast<std::size_t>(count) * 3] : nullptr;
    int written = 0;
    for (int i = 0; vertices != nullptr && result && i < fSegmentCount; ++i) {
        VoVector3* samples = nullptr;
        const int steps = fppSegments[i]->numSteps;
        result = fppSegments[i]->GetPoints(&samples);
        // Each segment after the first begins where its own first sample is
        // left out.
        for (int k = i == 0 ? 0 : 1; result && k <= steps && written < count; ++k) {
            vertices[written * 3] = samples[k].x;
            vertices[written * 3 + 1] = -samples[k].y;
            vertices[written * 3 + 2] = samples[k].z;
            ++written;
        }
        delete[] samples;
    }
    result = ReplaceStroke(vertices, result && written == count ? count : 0) && result;
    delete[] vertices;
    if (!result) {
        VO_ASSERT_FAILURE(kUpdateShapeFailure);
        return false;
    }
    SetDirty(false);
    return true;
}

void VoSBezier::GetControlPoints(VoVector3** appOut, int* apCount) {
    if (appOut == nullptr || *appOut != nullptr || apCount == nullptr) {
        VO_ASSERT_FAILURE(kGetControlPointsInvalid);
        return;
    }
    *apCount = 0;
    if (fSegmentCount == 0) {
        return;
    }
    const int count = 3 * fSegmentCount + 1;
    VoVector3* points = VO_NEW VoVector3[static_cast<std::size_t>(count)];
    if (points == nullptr) {
        return;
    }
    points[0] = fppSegments[0]->controlPoints[0];
    for (int i = 0; i < fSegmentCount; ++i) {
        for (int k = 1; k < kPointsPerCurve; ++k) {
            points[3 * i + k] = fppSegments[i]->controlPoints[k];
        }
    }
    *appOut = points;
    *apCount = count;
}

bool VoSBezier::GetPathPoints(VoVector3** appOut, int* apCount) {
    if (appOut == nullptr || *appOut != nullptr || apCount == nullptr) {
        VO_ERROR(kGetPathPointsNull);
        return false;
    }
    *apCount = 0;
    std::int64_t total = 0;
    for (int i = 0; i < fSegmentCount; ++i) {
        total += static_cast<std::int64_t>(fppSegments[i]->numSteps) + 1;
    }
    if (total <= 0 || total > std::numeric_limits<std::int32_t>::max()) {
        return true;
    }
    VoVector3* points = VO_NEW VoVector3[static_cast<std::size_t>(total)];
    if (points == nullptr) {
        return false;
    }
    int written = 0;
    for (int i = 0; i < fSegmentCount; ++i) {
        VoVector3* samples = nullptr;
        const int steps = fppSegments[i]->numSteps;
        if (!fppSegments[i]->GetPoints(&samples)) {
            delete[] points;
            return false;
        }
        for (int k = 0; k <= steps; ++k) {
            points[written++] = samples[k];
        }
        delete[] samples;
    }
    *appOut = points;
    *apCount = written;
    return true;
}
