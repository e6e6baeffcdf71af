#include "geometry/VoVector2.h"

#include <cmath>

#include "container/VoString.h"
#include "geometry/VoGeometryConstants.h"
#include "geometry/VoLine2.h"
#include "geometry/VoVectorComponent.h"

namespace {

// acos that yields 0 where the argument lies outside its domain (or is not a
// number), the result the callers have always been given for a failed acos.
float AcosOrZero(float aValue) {
    if (!(aValue >= -1.0f && aValue <= 1.0f)) {
        return 0.0f;
    }
    return std::acos(aValue);
}

// A zero component matches anything.
bool SameSign2(float aMine, float aOther) {
    if (aMine > 0.0f) {
        return aOther >= 0.0f;
    }
    if (aMine < 0.0f) {
        return aOther <= 0.0f;
    }
    return true;
}

}  // namespace

float VoVector2::operator[](int aIndex) const {
    const float components[2] = {x, y};
    return VoComponentAt(components, 2, aIndex);
}

VoVector2& VoVector2::operator+=(const VoVector2& aOther) {
    x += aOther.x;
    y += aOther.y;
    return *this;
}

VoVector2& VoVector2::operator-=(const VoVector2& aOther) {
    x -= aOther.x;
    y -= aOther.y;
    return *this;
}

VoVector2& VoVector2::operator*=(float aScale) {
    x *= aScale;
    y *= aScale;
    return *this;
}

float VoVector2::Length() const {
    return std::sqrt(LengthSquared());
}

float VoVector2::Distance(const VoVector2& aOther) const {
    return (*this - aOther).Length();
}

VoVector2 VoVector2::Normalize(float aTolerance) const {
    VoVector2 result(*this);
    result.NormalizeInPlace(aTolerance);
    return result;
}

VoVector2& VoVector2::NormalizeInPlace(float aTolerance) {
    const float squared = LengthSquared();
    if (std::fabs(squared) <= aTolerance) {
        Set(0.0f, 1.0f);
    } else if (std::fabs(squared - 1.0f) > aTolerance) {
        *this *= 1.0f / std::sqrt(squared);
    }
    return *this;
}

VoVector2& VoVector2::Rotate(float aAngle) {
    const float c = std::cos(aAngle);
    const float s = std::sin(aAngle);
    const float oldX = x;
    x = c * oldX - s * y;
    y = c * y + s * oldX;
    return *this;
}

VoVector2& VoVector2::Rotate90CCW() {
    Set(-y, x);
    return *this;
}

VoVector2& VoVector2::Rotate90CW() {
    Set(y, -x);
    return *this;
}

float VoVector2::AngleBetween(const VoVector2& aOther) const {
    const float dot = x * aOther.x + y * aOther.y;
    if (std::fabs(dot) < kVoNearZero) {
        return 0.0f;
    }
    const float lengths = Length() * aOther.Length();
    if (lengths == 0.0f) {
        return 0.0f;
    }
    return AcosOrZero(dot / lengths);
}

float VoVector2::AngleBetweenPoints(const VoVector2& aA, const VoVector2& aB) const {
    const float d1 = Distance(aB);
    const float d2 = aA.Distance(aB);
    const float d3 = Distance(aA);
    const float denominator = 2.0f * d1 * d3;
    if (denominator == 0.0f) {
        return 0.0f;
    }
    return AcosOrZero((d1 * d1 + d3 * d3 - d2 * d2) / denominator);
}

float VoVector2::Slope(const VoVector2& aOther) const {
    float run = x - aOther.x;
    if (run == 0.0f) {
        run = kVoNearZero;
    }
    return (y - aOther.y) / run;
}

int VoVector2::SideOfLine(const VoVector2& aA, const VoVector2& aB) const {
    const float c = (aA.x - aB.x) * (y - aB.y) - (x - aB.x) * (aA.y - aB.y);
    if (c > 0.0f) {
        return 1;
    }
    return c < 0.0f ? -1 : 0;
}

int VoVector2::SideOfLine(const VoLine2& aLine) const {
    return SideOfLine(aLine.p1, aLine.p2);
}

VoVector2 VoVector2::Abs() const {
    return VoVector2(std::fabs(x), std::fabs(y));
}

VoVector2& VoVector2::AbsInPlace() {
    Set(std::fabs(x), std::fabs(y));
    return *this;
}

bool VoVector2::SameSigns(const VoVector2& aOther) const {
    return SameSign2(x, aOther.x) && SameSign2(y, aOther.y);
}

VoString VoVector2::ToString() const {
    VoString text("[VoVector2 <");
    text.Append(static_cast<const void*>(this));
    text.Append("> (");
    text.Append(x);
    text.Append(", ");
    text.Append(y);
    text.Append(")]");
    return text;
}

bool VoVector2::Read(VoIStream* apStream) {
    float components[2];
    if (!VoReadComponents(apStream, components, 2)) {
        return false;
    }
    Set(components[0], components[1]);
    return true;
}

bool VoVector2::Write(VoIStream* apStream) const {
    const float components[2] = {x, y};
    return VoWriteComponents(apStream, components, 2);
}
