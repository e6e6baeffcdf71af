#include "geometry/VoSpline.h"

#include <cstddef>

#include "container/VoLog.h"
#include "memory/VoNew.h"

namespace {

constexpr int kControlPointCount = 4;
constexpr std::int32_t kDefaultSteps = 100;

// A new array holding a copy of the four points of apSource; null when it
// cannot be allocated.
VoVector3* CopyControlPoints(const VoVector3* apSource) {
    VoVector3* copy = VO_NEW VoVector3[kControlPointCount];
    if (copy == nullptr) {
        VO_ERROR("VoSpline failure. Could not allocate controlPoints.");
        return nullptr;
    }
    for (int i = 0; i < kControlPointCount; ++i) {
        copy[i] = apSource[i];
    }
    return copy;
}

}  // namespace

VoSpline::VoSpline(const VoSpline& aOther) {
    *this = aOther;
}

VoSpline& VoSpline::operator=(const VoSpline& aOther) {
    if (this == &aOther) {
        return *this;
    }
    delete[] controlPoints;
    controlPoints = aOther.controlPoints == nullptr ? nullptr : CopyControlPoints(aOther.controlPoints);
    numSteps = aOther.numSteps;
    d1 = aOther.d1;
    d2 = aOther.d2;
    d3 = aOther.d3;
    // A copy that lost its points has nothing to be prepared for.
    prepared = aOther.prepared && controlPoints != nullptr;
    return *this;
}

VoSpline::~VoSpline() {
    delete[] controlPoints;
}

bool VoSpline::Create(const VoVector3& aP0, const VoVector3& aP1, const VoVector3& aP2,
                      const VoVector3& aP3) {
    const VoVector3 points[kControlPointCount] = {aP0, aP1, aP2, aP3};
    delete[] controlPoints;
    controlPoints = CopyControlPoints(points);
    numSteps = kDefaultSteps;
    prepared = false;
    return controlPoints != nullptr;
}

void VoSpline::Prepare() {
    if (controlPoints == nullptr || numSteps <= 0) {
        return;
    }
    const VoVector3& p0 = controlPoints[0];
    const VoVector3& p1 = controlPoints[1];
    const VoVector3& p2 = controlPoints[2];
    const VoVector3& p3 = controlPoints[3];
    // The curve in power form: P(t) = a t^3 + b t^2 + c t + P0.
    const VoVector3 a = p0 * -1.0f + p1 * 3.0f - p2 * 3.0f + p3;
    const VoVector3 b = p0 * 3.0f - p1 * 6.0f + p2 * 3.0f;
    const VoVector3 c = p1 * 3.0f - p0 * 3.0f;
    const float h = 1.0f / static_cast<float>(numSteps);
    const float h2 = h * h;
    const float h3 = h2 * h;
    d1 = c * h + b * h2 + a * h3;
    d2 = b * (2.0f * h2) + a * (6.0f * h3);
    d3 = a * (6.0f * h3);
    prepared = true;
}

bool VoSpline::GetPoints(VoVector3** apOut) {
    if (apOut == nullptr || *apOut != nullptr) {
        VO_ASSERT_FAILURE(kGetPointsInvalidArg);
        return false;
    }
    if (controlPoints == nullptr || numSteps <= 0) {
        VO_ERROR(kGetPointsNotCreated);
        return false;
    }
    if (!prepared) {
        Prepare();
    }
    VoVector3* points = VO_NEW VoVector3[static_cast<std::size_t>(numSteps) + 1];
    if (points == nullptr) {
        VO_ERROR("GetPoints failure. Could not allocate points.");
        return false;
    }
    VoVector3 position = controlPoints[0];
    VoVector3 e1 = d1;
    VoVector3 e2 = d2;
    const VoVector3 e3 = d3;
    for (std::int32_t i = 0; i <= numSteps; ++i) {
        points[i] = position;
        position += e1;
        e1 += e2;
        e2 += e3;
    }
    *apOut = points;
    return true;
}
