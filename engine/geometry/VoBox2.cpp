#include "geometry/VoBox2.h"

#include <algorithm>

#include "geometry/VoBoxAxis.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "geometry/VoVectorComponent.h"

VoBox2::VoBox2(const VoRectangle& aRectangle) {
    min.x = std::min(aRectangle.x, aRectangle.x + aRectangle.width);
    max.x = std::max(aRectangle.x, aRectangle.x + aRectangle.width);
    min.y = std::min(aRectangle.y, aRectangle.y + aRectangle.height);
    max.y = std::max(aRectangle.y, aRectangle.y + aRectangle.height);
}

VoBox2::VoBox2(const VoVector2* apPoints, int aNumPoints) {
    if (apPoints == nullptr || aNumPoints <= 0) {
        return;
    }
    min = apPoints[0];
    max = apPoints[0];
    for (int i = 1; i < aNumPoints; ++i) {
        Extend(apPoints[i]);
    }
}

VoBox2::VoBox2(const VoPolygon& aPolygon) : VoBox2(aPolygon.PeekPoints(), aPolygon.GetNumPoints()) {}

void VoBox2::SetEmpty() {
    min.Set(VoBoxAxis::kEmptyMin, VoBoxAxis::kEmptyMin);
    max.Set(VoBoxAxis::kEmptyMax, VoBoxAxis::kEmptyMax);
}

bool VoBox2::IsEmpty() const {
    return min.x > max.x || min.y > max.y;
}

VoBox2& VoBox2::Extend(const VoVector2& aPoint) {
    VoBoxAxis::Extend(min.x, max.x, aPoint.x);
    VoBoxAxis::Extend(min.y, max.y, aPoint.y);
    return *this;
}

VoBox2& VoBox2::Extend(const VoBox2& aOther) {
    min.Set(std::min(min.x, aOther.min.x), std::min(min.y, aOther.min.y));
    max.Set(std::max(max.x, aOther.max.x), std::max(max.y, aOther.max.y));
    return *this;
}

void VoBox2::ClosestPoint(const VoVector2& aPoint, VoVector2& aOut) const {
    aOut.Set(VoBoxAxis::Clamp(aPoint.x, min.x, max.x), VoBoxAxis::Clamp(aPoint.y, min.y, max.y));
}

bool VoBox2::Contains(const VoVector2& aPoint) const {
    return min <= aPoint && aPoint <= max;
}

bool VoBox2::Intersects(const VoBox2& aOther) const {
    return VoBoxAxis::Overlaps(min.x, max.x, aOther.min.x, aOther.max.x) &&
           VoBoxAxis::Overlaps(min.y, max.y, aOther.min.y, aOther.max.y);
}

float VoBox2::GetMaxExtent() const {
    return std::max(max.x - min.x, max.y - min.y);
}

bool VoBox2::IntersectsRay(const VoVector2& aOrigin, const VoVector2& aDirection) const {
    const float boxMin[2] = {min.x, min.y};
    const float boxMax[2] = {max.x, max.y};
    const float origin[2] = {aOrigin.x, aOrigin.y};
    const float direction[2] = {aDirection.x, aDirection.y};
    return VoBoxAxis::SegmentHits<2>(boxMin, boxMax, origin, direction);
}

bool VoBox2::Read(VoIStream* apStream) {
    float components[4];
    if (!VoReadComponents(apStream, components, 4)) {
        return false;
    }
    min.Set(components[0], components[1]);
    max.Set(components[2], components[3]);
    return true;
}

bool VoBox2::Write(VoIStream* apStream) const {
    const float components[4] = {min.x, min.y, max.x, max.y};
    return VoWriteComponents(apStream, components, 4);
}
