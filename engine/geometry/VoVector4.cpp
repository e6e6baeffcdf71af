#include "geometry/VoVector4.h"

#include <cmath>

#include "container/VoString.h"
#include "geometry/VoLine3.h"
#include "geometry/VoVectorComponent.h"

namespace {

// Normals of planes are normalised with this tolerance.
constexpr float kPlaneNormalTolerance = 0.0001f;

}  // namespace

VoVector4& VoVector4::operator=(const VoVector2& aOther) {
    Set(aOther.x, aOther.y, 0.0f, 0.0f);
    return *this;
}

VoVector4& VoVector4::operator=(const VoVector3& aOther) {
    Set(aOther, 0.0f);
    return *this;
}

float VoVector4::operator[](int aIndex) const {
    const float components[4] = {x, y, z, w};
    return VoComponentAt(components, 4, aIndex);
}

VoVector4& VoVector4::operator+=(const VoVector4& aOther) {
    *this = *this + aOther;
    return *this;
}

VoVector4& VoVector4::operator-=(const VoVector4& aOther) {
    *this = *this - aOther;
    return *this;
}

VoVector4 VoVector4::operator*(const VoVector4& aQ) const {
    return VoVector4(w * aQ.x + x * aQ.w + y * aQ.z - z * aQ.y,  //
                     w * aQ.y - x * aQ.z + y * aQ.w + z * aQ.x,  //
                     w * aQ.z + x * aQ.y - y * aQ.x + z * aQ.w,  //
                     w * aQ.w - x * aQ.x - y * aQ.y - z * aQ.z);
}

VoVector4& VoVector4::operator*=(const VoVector4& aQ) {
    *this = *this * aQ;
    return *this;
}

VoVector4& VoVector4::NormalizeInPlace(float aTolerance) {
    const float squared = Dot(*this, *this);
    if (std::fabs(squared) <= aTolerance) {
        Set(0.0f, 0.0f, 0.0f, 1.0f);
    } else if (std::fabs(squared - 1.0f) > aTolerance) {
        const float scale = 1.0f / std::sqrt(squared);
        Set(x * scale, y * scale, z * scale, w * scale);
    }
    return *this;
}

void VoVector4::SetPlane(const VoVector3& aPoint, const VoVector3& aNormal) {
    VoVector3 normal(aNormal);
    normal.NormalizeInPlace(kPlaneNormalTolerance);
    Set(normal, -VoVector3::Dot(normal, aPoint));
}

void VoVector4::SetPlaneFromPoints(const VoVector3& aA, const VoVector3& aB, const VoVector3& aC) {
    VoVector3 normal = VoVector3::Cross(aA - aB, aC - aB);
    normal.NormalizeInPlace(kPlaneNormalTolerance);
    Set(normal, -VoVector3::Dot(normal, aB));
}

bool VoVector4::IntersectLine(const VoLine3& aLine, VoVector3& aOut) const {
    const VoVector3 direction = aLine.end - aLine.start;
    const float denominator = Dot(*this, VoVector4(direction, 0.0f));
    if (denominator == 0.0f) {
        return false;
    }
    const float t = -Dot(*this, VoVector4(aLine.start, 1.0f)) / denominator;
    aOut = aLine.start + direction * t;
    return aLine.IsInExtent(aOut);
}

VoString VoVector4::ToString() const {
    VoString text("[VoVector4 <");
    text.Append(static_cast<const void*>(this));
    text.Append("> (");
    text.Append(x);
    text.Append(", ");
    text.Append(y);
    text.Append(", ");
    text.Append(z);
    text.Append(", ");
    text.Append(w);
    text.Append(")]");
    return text;
}

VoString VoVector4::ToValueString() const {
    VoString text = VoVector3(x, y, z).ToValueString();
    text.Append("|");
    text.Append(w);
    return text;
}

bool VoVector4::Read(VoIStream* apStream) {
    float components[4];
    if (!VoReadComponents(apStream, components, 4)) {
        return false;
    }
    Set(components[0], components[1], components[2], components[3]);
    return true;
}

bool VoVector4::Write(VoIStream* apStream) const {
    const float components[4] = {x, y, z, w};
    return VoWriteComponents(apStream, components, 4);
}
