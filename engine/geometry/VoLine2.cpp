#include "geometry/VoLine2.h"

#include <cmath>

#include "container/VoLog.h"
#include "geometry/VoGeometryConstants.h"
#include "geometry/VoVectorComponent.h"
#include "stdlib/VoIStream.h"

namespace {

// The extent rule of Intersect for a line of aType along one coordinate:
// aStart and aEnd are the coordinate of p1 and p2, aPoint that of the found point.
bool PassesExtent(std::int32_t aType, float aStart, float aEnd, float aPoint, bool aStrict,
                  float aTolerance) {
    if (aType == VoLine2::kLine) {
        return true;
    }
    // A violated end refuses the point unless the non-strict mode finds it
    // within the tolerance of that end.
    auto endHolds = [&](bool aViolated, float aEndValue) {
        if (!aViolated) {
            return true;
        }
        return !aStrict && std::fabs(aPoint - aEndValue) < aTolerance;
    };
    const bool descending = aEnd < aStart;
    const bool startViolated = descending ? aStart <= aPoint : aPoint <= aStart;
    if (!endHolds(startViolated, aStart)) {
        return false;
    }
    if (aType != VoLine2::kSegment) {
        return true;
    }
    const bool endViolated = descending ? aPoint <= aEnd : aEnd <= aPoint;
    return endHolds(endViolated, aEnd);
}

bool NearPoint(const VoVector2& aEnd, const VoVector2& aPoint, float aTolerance) {
    return std::fabs(aEnd.x - aPoint.x) < aTolerance && std::fabs(aEnd.y - aPoint.y) < aTolerance;
}

// y on the carrying line of aLine (slope aSlope) at x; a horizontal line keeps p1's y.
float YAt(const VoLine2& aLine, float aSlope, float aX) {
    if (std::fabs(aSlope) < kVoNearZero) {
        return aLine.p1.y;
    }
    return aSlope * aX + (aLine.p1.y - aSlope * aLine.p1.x);
}

}  // namespace

bool VoLine2::Set(const VoVector2& aP1, const VoVector2& aP2, std::int32_t aType) {
    p1 = aP1;
    p2 = aP2;
    type = aType;
    return true;
}

bool VoLine2::SetFromDirection(const VoVector2& aOrigin, const VoVector2& aDirection, std::int32_t aType) {
    if (std::fabs(aDirection.x) < kVoNearZero && std::fabs(aDirection.y) < kVoNearZero) {
        p1 = VoVector2();
        p2 = VoVector2();
        return false;
    }
    return Set(aOrigin, aOrigin + aDirection, aType);
}

bool VoLine2::SetFromSlope(const VoVector2& aPoint, float aSlope, std::int32_t aType) {
    VoVector2 step(0.0f, 1.0f);
    if (std::fabs(aSlope) < kVoNearZero) {
        step.Set(1.0f, 0.0f);
    } else if (std::fabs(aSlope) <= kVoVerticalSlope) {
        step.Set(1.0f, aSlope);
    }
    return Set(aPoint, aPoint + step, aType);
}

float VoLine2::Slope() const {
    float run = p2.x - p1.x;
    if (std::fabs(run) < kVoNearZero) {
        run = kVoNearZero;
    }
    return (p2.y - p1.y) / run;
}

VoVector2 VoLine2::GetDirection() const {
    const float slope = Slope();
    VoVector2 direction;
    direction.x = 1.0f / std::sqrt(slope * slope + 1.0f);
    direction.y = slope * direction.x;
    if (std::fabs(p1.x - p2.x) < kVoNearZero) {
        direction.x = 0.0f;
    } else if (p2.x < p1.x) {
        direction *= -1.0f;
    }
    return direction;
}

float VoLine2::Length() const {
    return p1.Distance(p2);
}

float VoLine2::LengthSquared() const {
    return p1.DistanceSquared(p2);
}

VoVector2 VoLine2::GetMidpoint() const {
    return p1 + (p2 - p1) * 0.5f;
}

int VoLine2::SideOfPoint(const VoVector2& aPoint) const {
    return aPoint.SideOfLine(p1, p2);
}

bool VoLine2::IsParallel(const VoLine2& aOther) const {
    return std::fabs(Slope() - aOther.Slope()) < kVoNearZero;
}

float VoLine2::DistanceToPoint(const VoVector2& aPoint) const {
    VoLine2 perpendicular;
    GetPerpendicular(aPoint, perpendicular);
    return perpendicular.Length();
}

bool VoLine2::IsWithinExtent(const VoVector2& aPoint) const {
    if (type == kLine) {
        return true;
    }
    const bool alongY = std::fabs(p1.y - p2.y) > std::fabs(p1.x - p2.x);
    const float start = alongY ? p1.y : p1.x;
    const float end = alongY ? p2.y : p2.x;
    const float point = alongY ? aPoint.y : aPoint.x;
    if (end > start) {
        return start <= point && (type != kSegment || point <= end);
    }
    return point <= start && (type != kSegment || end <= point);
}

VoLine2& VoLine2::Rotate90CCW() {
    p2 = p1 + (p2 - p1).Rotate90CCW();
    return *this;
}

VoLine2& VoLine2::Rotate90CW() {
    p2 = p1 + (p2 - p1).Rotate90CW();
    return *this;
}

VoLine2& VoLine2::Reverse() {
    const VoVector2 first = p1;
    p1 = p2;
    p2 = first;
    return *this;
}

bool VoLine2::OffsetNormal(float aDistance, int aDirection, VoVector2& aNormal) const {
    if (aDirection != 1 && aDirection != -1) {
        VO_ERROR(kOffsetInvalidDirection);
        return false;
    }
    aNormal = GetDirection();
    if (aDirection == 1) {
        aNormal.Rotate90CW();
    } else {
        aNormal.Rotate90CCW();
    }
    aNormal *= aDistance;
    return true;
}

bool VoLine2::Offset(float aDistance, int aDirection, VoLine2& aOut) const {
    VoVector2 normal;
    if (!OffsetNormal(aDistance, aDirection, normal)) {
        return false;
    }
    return aOut.Set(p1 + normal, p2 + normal, kLine);
}

bool VoLine2::Offset(VoVector2& aPoint, float aDistance, int aDirection) const {
    VoVector2 normal;
    if (!OffsetNormal(aDistance, aDirection, normal)) {
        return false;
    }
    aPoint += normal;
    return true;
}

bool VoLine2::GetPerpendicular(const VoVector2& aPoint, VoLine2& aOut) const {
    const float slope = Slope();
    const float perpendicularSlope = std::fabs(slope) < kVoNearZero ? kVoVerticalSlope : -1.0f / slope;
    aOut.SetFromSlope(aPoint, perpendicularSlope, kLine);
    // Perpendicular slopes are never parallel, so the foot is always written.
    VoVector2 foot = aPoint;
    const bool withinExtent = Intersect(aOut, foot, false, kVoNearZero);
    aOut.Set(foot, aPoint, kLine);
    return withinExtent;
}

bool VoLine2::Intersect(const VoLine2& aOther, VoVector2& aOut, bool aStrict, float aTolerance) const {
    const float slopeA = Slope();
    const float slopeB = aOther.Slope();
    if (std::fabs(slopeA - slopeB) < kVoParallelSlopes) {
        return false;
    }
    const bool verticalA = std::fabs(slopeA) > kVoVerticalSlope;
    const bool verticalB = std::fabs(slopeB) > kVoVerticalSlope;
    // Two vertical lines never meet in one point, even when their slopes
    // differ because one runs up and the other down.
    if (verticalA && verticalB) {
        return false;
    }
    if (!verticalA && !verticalB) {
        if (std::fabs(slopeA) < kVoNearZero) {
            aOut.y = p1.y;
            aOut.x = (aOut.y - (aOther.p1.y - slopeB * aOther.p1.x)) / slopeB;
        } else if (std::fabs(slopeB) < kVoNearZero) {
            aOut.y = aOther.p1.y;
            aOut.x = (aOut.y - (p1.y - slopeA * p1.x)) / slopeA;
        } else {
            const float interceptA = p1.y - slopeA * p1.x;
            const float interceptB = aOther.p1.y - slopeB * aOther.p1.x;
            aOut.x = (interceptB - interceptA) / (slopeA - slopeB);
            aOut.y = slopeB * aOut.x + interceptB;
        }
        if (!PassesExtent(type, p1.x, p2.x, aOut.x, aStrict, aTolerance) ||
            !PassesExtent(aOther.type, aOther.p1.x, aOther.p2.x, aOut.x, aStrict, aTolerance)) {
            return false;
        }
    } else {
        const VoLine2& vertical = verticalA ? *this : aOther;
        const VoLine2& sloped = verticalA ? aOther : *this;
        aOut.x = vertical.p1.x;
        aOut.y = YAt(sloped, verticalA ? slopeB : slopeA, aOut.x);
        if (!PassesExtent(vertical.type, vertical.p1.y, vertical.p2.y, aOut.y, aStrict, aTolerance) ||
            !PassesExtent(sloped.type, sloped.p1.x, sloped.p2.x, aOut.x, aStrict, aTolerance)) {
            return false;
        }
    }
    if (aStrict && (NearPoint(p1, aOut, aTolerance) || NearPoint(p2, aOut, aTolerance) ||
                    NearPoint(aOther.p1, aOut, aTolerance) || NearPoint(aOther.p2, aOut, aTolerance))) {
        return false;
    }
    return true;
}

bool VoLine2::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        VO_ERROR(VoIStream::kNullStream);
        return false;
    }
    std::uint32_t storedType = 0;
    float points[4];
    const bool typeRead = apStream->ReadUInt(&storedType);
    const bool pointsRead = VoReadComponents(apStream, points, 4);
    if (!typeRead || !pointsRead) {
        return false;
    }
    // Any stored type is kept as it is: the extent tests treat every value
    // but line and segment as a ray.
    type = static_cast<std::int32_t>(storedType);
    p1.Set(points[0], points[1]);
    p2.Set(points[2], points[3]);
    return true;
}

bool VoLine2::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        VO_ERROR(VoIStream::kNullStream);
        return false;
    }
    const bool typeWritten = apStream->WriteUInt(static_cast<std::uint32_t>(type));
    const float points[4] = {p1.x, p1.y, p2.x, p2.y};
    const bool pointsWritten = VoWriteComponents(apStream, points, 4);
    return typeWritten && pointsWritten;
}
