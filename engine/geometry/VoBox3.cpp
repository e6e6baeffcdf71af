#include "geometry/VoBox3.h"

#include <algorithm>

#include "geometry/VoBoxAxis.h"
#include "geometry/VoVectorComponent.h"

void VoBox3::SetEmpty() {
    min.Set(VoBoxAxis::kEmptyMin, VoBoxAxis::kEmptyMin, VoBoxAxis::kEmptyMin);
    max.Set(VoBoxAxis::kEmptyMax, VoBoxAxis::kEmptyMax, VoBoxAxis::kEmptyMax);
}

bool VoBox3::IsEmpty() const {
    return min.x > max.x || min.y > max.y || min.z > max.z;
}

VoBox3& VoBox3::Extend(const VoVector3& aPoint) {
    VoBoxAxis::Extend(min.x, max.x, aPoint.x);
    VoBoxAxis::Extend(min.y, max.y, aPoint.y);
    VoBoxAxis::Extend(min.z, max.z, aPoint.z);
    return *this;
}

VoBox3& VoBox3::Extend(const VoBox3& aOther) {
    min.Set(std::min(min.x, aOther.min.x), std::min(min.y, aOther.min.y), std::min(min.z, aOther.min.z));
    max.Set(std::max(max.x, aOther.max.x), std::max(max.y, aOther.max.y), std::max(max.z, aOther.max.z));
    return *this;
}

void VoBox3::ClosestPoint(const VoVector3& aPoint, VoVector3& aOut) const {
    aOut.Set(VoBoxAxis::Clamp(aPoint.x, min.x, max.x), VoBoxAxis::Clamp(aPoint.y, min.y, max.y),
             VoBoxAxis::Clamp(aPoint.z, min.z, max.z));
}

bool VoBox3::Contains(const VoVector3& aPoint) const {
    return min <= aPoint && aPoint <= max;
}

bool VoBox3::Intersects(const VoBox3& aOther) const {
    return VoBoxAxis::Overlaps(min.x, max.x, aOther.min.x, aOther.max.x) &&
           VoBoxAxis::Overlaps(min.y, max.y, aOther.min.y, aOther.max.y) &&
           VoBoxAxis::Overlaps(min.z, max.z, aOther.min.z, aOther.max.z);
}

float VoBox3::GetMaxExtent() const {
    return std::max({max.x - min.x, max.y - min.y, max.z - min.z});
}

bool VoBox3::IntersectsRay(const VoVector3& aOrigin, const VoVector3& aDirection) const {
    const float boxMin[3] = {min.x, min.y, min.z};
    const float boxMax[3] = {max.x, max.y, max.z};
    const float origin[3] = {aOrigin.x, aOrigin.y, aOrigin.z};
    const float direction[3] = {aDirection.x, aDirection.y, aDirection.z};
    return VoBoxAxis::SegmentHits<3>(boxMin, boxMax, origin, direction);
}

bool VoBox3::Read(VoIStream* apStream) {
    float components[6];
    if (!VoReadComponents(apStream, components, 6)) {
        return false;
    }
    min.Set(components[0], components[1], components[2]);
    max.Set(components[3], components[4], components[5]);
    return true;
}

bool VoBox3::Write(VoIStream* apStream) const {
    const float components[6] = {min.x, min.y, min.z, max.x, max.y, max.z};
    return VoWriteComponents(apStream, components, 6);
}
