#include "geometry/VoVector3.h"

#include <cmath>

#include "container/VoLog.h"
#include "container/VoString.h"
#include "geometry/VoVectorComponent.h"

VoVector3& VoVector3::operator=(const VoVector2& aOther) {
    Set(aOther.x, aOther.y, 0.0f);
    return *this;
}

float VoVector3::operator[](int aIndex) const {
    const float components[3] = {x, y, z};
    return VoComponentAt(components, 3, aIndex);
}

VoVector3& VoVector3::operator+=(const VoVector3& aOther) {
    x += aOther.x;
    y += aOther.y;
    z += aOther.z;
    return *this;
}

VoVector3& VoVector3::operator-=(const VoVector3& aOther) {
    x -= aOther.x;
    y -= aOther.y;
    z -= aOther.z;
    return *this;
}

VoVector3& VoVector3::operator+=(float aValue) {
    x += aValue;
    y += aValue;
    z += aValue;
    return *this;
}

VoVector3& VoVector3::operator-=(float aValue) {
    x -= aValue;
    y -= aValue;
    z -= aValue;
    return *this;
}

VoVector3& VoVector3::operator*=(float aScale) {
    x *= aScale;
    y *= aScale;
    z *= aScale;
    return *this;
}

bool VoVector3::Equals(const VoVector3& aOther, float aTolerance) const {
    return std::fabs(x - aOther.x) <= aTolerance && std::fabs(y - aOther.y) <= aTolerance &&
           std::fabs(z - aOther.z) <= aTolerance;
}

float VoVector3::Length() const {
    return std::sqrt(LengthSquared());
}

VoVector3 VoVector3::Cross(const VoVector3& aA, const VoVector3& aB) {
    return VoVector3(aA.y * aB.z - aA.z * aB.y, aA.z * aB.x - aA.x * aB.z, aA.x * aB.y - aA.y * aB.x);
}

VoVector3 VoVector3::Normalize(float aTolerance) const {
    VoVector3 result;
    Normalize(result, aTolerance);
    return result;
}

void VoVector3::Normalize(VoVector3& aOut, float aTolerance) const {
    const float squared = LengthSquared();
    if (std::fabs(squared) <= aTolerance) {
        VO_ASSERT_FAILURE("Normalize failure.");
        aOut.Set(0.0f, 1.0f, 0.0f);
    } else if (std::fabs(squared - 1.0f) <= aTolerance) {
        aOut = *this;
    } else {
        aOut = *this * (1.0f / std::sqrt(squared));
    }
}

namespace {

bool SameSign3(float aMine, float aOther) {
    return (aMine >= 0.0f && aOther >= 0.0f) || (aMine < 0.0f && aOther < 0.0f);
}

}  // namespace

bool VoVector3::SameSigns(const VoVector3& aOther) const {
    return SameSign3(x, aOther.x) && SameSign3(y, aOther.y) && SameSign3(z, aOther.z);
}

VoString VoVector3::ToValueString() const {
    VoString text;
    text.Append(x);
    text.Append("|");
    text.Append(y);
    text.Append("|");
    text.Append(z);
    return text;
}

bool VoVector3::Read(VoIStream* apStream) {
    float components[3];
    if (!VoReadComponents(apStream, components, 3)) {
        return false;
    }
    Set(components[0], components[1], components[2]);
    return true;
}

bool VoVector3::Write(VoIStream* apStream) const {
    const float components[3] = {x, y, z};
    return VoWriteComponents(apStream, components, 3);
}
